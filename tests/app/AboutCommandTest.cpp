// The main dialog's way to the About box and its banner link; other system commands unchanged.
#include "app/QuorrexDlg.h"

#include "framework/WinApp.h"
#include "resources/resource.h"
#include "support/DialogDriver.h"
#include "support/FakeDirectoryApi.h"
#include "support/FakeLinkApi.h"
#include "support/MessageBoxRecorder.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

class AboutCommandTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ::SetCursorPos(0, 0);
        ASSERT_TRUE(dialog.Create());
        app.m_pMainWnd = &dialog;
        ::ShowWindow(dialog.m_hWnd, SW_SHOW);
        ::SetForegroundWindow(dialog.m_hWnd);
        PumpMessages();
    }
    void TearDown() override { dialog.DestroyWindow(); }

    FakeDirectoryApi directoryApi;
    FakeLinkApi linkApi;
    MessageBoxRecorder boxes;
    CWinApp app;
    CQuorrexDlg dialog;
};

TEST_F(AboutCommandTest, TheAboutButtonAndTheSystemMenuItemOpenTheBoxOverTheDialog)
{
    struct Case {
        const char* name;
        std::function<void()> open;
    };
    const Case cases[] = {
        {"About", [&] { ClickButton(dialog.m_hWnd, IDC_ABOUT); }},
        {"system menu", [&] { dialog.SendMessage(WM_SYSCOMMAND, IDM_ABOUTBOX, 0); }},
    };
    for (const Case& c : cases) {
        HWND box = nullptr;
        bool ownerDisabled = false;
        WhenModalOpens([](HWND hwnd) { return ::GetDlgItem(hwnd, IDC_WEB_SITE_LINK) != nullptr; },
                       [&](HWND found) {
                           box = found;
                           ownerDisabled = !::IsWindowEnabled(dialog.m_hWnd);
                           ClickButton(found, IDC_ABOUT_OK);
                       });
        c.open();
        ASSERT_NE(box, nullptr) << c.name;
        EXPECT_TRUE(ownerDisabled) << c.name << ": not modal";
        EXPECT_FALSE(::IsWindow(box)) << c.name << ": the box outlived its showing";
        EXPECT_TRUE(::IsWindowEnabled(dialog.m_hWnd));
        EXPECT_FALSE(dialog.IsEnded());
    }
}

TEST_F(AboutCommandTest, ABoxShownFromTheAboutBoxIsOwnedByIt)
{
    linkApi.shellResult = SE_ERR_NOASSOC; // and no browser registered: the open fails
    HWND about = nullptr;
    WhenModalOpens([](HWND hwnd) { return ::GetDlgItem(hwnd, IDC_WEB_SITE_LINK) != nullptr; },
                   [&](HWND found) {
                       about = found;
                       HWND link = ::GetDlgItem(found, IDC_WEB_SITE_LINK);
                       ::SendMessageW(found, WM_COMMAND, MAKEWPARAM(IDC_WEB_SITE_LINK, STN_CLICKED),
                                      reinterpret_cast<LPARAM>(link));
                       ClickButton(found, IDC_ABOUT_OK);
                   });
    ClickButton(dialog.m_hWnd, IDC_ABOUT);
    ASSERT_NE(about, nullptr);
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].owner, about) << "not owned by the window the user works in";
}

TEST_F(AboutCommandTest, OtherSystemCommandsKeepTheirDefaultHandling)
{
    dialog.SendMessage(WM_SYSCOMMAND, SC_MINIMIZE);
    EXPECT_TRUE(::IsIconic(dialog.m_hWnd));
    dialog.SendMessage(WM_SYSCOMMAND, SC_RESTORE);
    EXPECT_FALSE(::IsIconic(dialog.m_hWnd));
    dialog.SendMessage(WM_SYSCOMMAND, SC_CLOSE);
    PumpMessages();
    EXPECT_TRUE(dialog.IsEnded()) << "\"Close\" on the system menu no longer ends the program";
}

TEST_F(AboutCommandTest, AClickOnTheBannerOpensTheProductPageSilentlyUnderTheHand)
{
    HWND banner = dialog.GetDlgItem(IDC_BANNER);
    linkApi.shellResult = SE_ERR_NOASSOC; // and no browser registered: the open fails
    RECT rect;
    ::GetClientRect(banner, &rect);
    ClickAndWait(banner, rect, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, [&] { return !linkApi.shellCalls.empty(); });
    ASSERT_EQ(linkApi.shellCalls.size(), 1u) << "the click did not reach the banner";
    EXPECT_EQ(linkApi.shellCalls[0].file, L"https://www.quorrex.example/");
    EXPECT_TRUE(boxes.boxes().empty());
    EXPECT_TRUE(linkApi.beeps.empty());

    ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
    EXPECT_TRUE(::SendMessageW(banner, WM_SETCURSOR, reinterpret_cast<WPARAM>(banner), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
    EXPECT_NE(::GetCursor(), ::LoadCursorW(nullptr, IDC_ARROW));
}

} // namespace
