// The About box: caption, links, labels over the picture, the picture itself, and how it closes.
#include "controls/AboutDlg.h"

#include "resources/resource.h"
#include "support/ControlProbe.h"
#include "support/DialogDriver.h"
#include "support/FakeLinkApi.h"
#include "support/MessageBoxRecorder.h"
#include "support/Pixels.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class AboutDlgTest : public ::testing::Test {
protected:
    void Open(CAboutDlg& box)
    {
        ::SetCursorPos(0, 0);
        ASSERT_TRUE(box.Create());
        ::ShowWindow(box.m_hWnd, SW_SHOW);
        ::SetForegroundWindow(box.m_hWnd);
        PumpMessages();
    }
    // The band across the top of the picture, where no control stands.
    static RECT Band(HWND dialog)
    {
        RECT client;
        ::GetClientRect(dialog, &client);
        return {0, 0, std::min<LONG>(client.right, 418), 36};
    }

    FakeLinkApi api;
    MessageBoxRecorder boxes;
    CAboutDlg about;
};

TEST_F(AboutDlgTest, OpensWithTheProductsNameAndThreeUnderlinedLinksAsWideAsTheirText)
{
    Open(about);
    EXPECT_EQ(about.GetWindowText(), L"Quorrex");
    struct Link {
        int id, x, y;
        std::wstring text, target;
    };
    const Link links[] = {
        {IDC_WEB_SITE_LINK, 92, 65, L"https://www.varnok.example/", L"https://www.varnok.example/"},
        {IDC_SUPPORT_LINK, 96, 77, L"support@varnok.example", L"mailto:support@varnok.example"},
        {IDC_SALES_LINK, 100, 89, L"sales@varnok.example", L"mailto:sales@varnok.example"},
    };
    for (const Link& l : links) {
        HWND hwnd = about.GetDlgItem(l.id);
        const auto* link = dynamic_cast<const CHyperLink*>(CWnd::FromHandlePermanent(hwnd));
        ASSERT_NE(link, nullptr) << l.id;
        EXPECT_EQ(CWnd::WindowText(hwnd), l.text);
        EXPECT_EQ(link->GetLinkUrl(), l.target);
        EXPECT_EQ(link->ToolTip().GetText(hwnd, CHyperLink::LinkToolId), l.target);
        EXPECT_EQ(link->GetUnderlineMode(), CHyperLink::UnderlineAlways);
        EXPECT_TRUE(IsUnderlined(hwnd)) << l.id;

        RECT at = {l.x, l.y, 0, 0};
        ::MapDialogRect(about.m_hWnd, &at);
        const RECT rect = RectInParent(hwnd);
        EXPECT_EQ(rect.left, at.left) << l.id;
        EXPECT_EQ(rect.top, at.top) << l.id;
        EXPECT_EQ(rect.right - rect.left, TextExtent(hwnd, l.text).cx) << l.id;
    }
    const auto* ok = dynamic_cast<const CXTButton*>(CWnd::FromHandlePermanent(about.GetDlgItem(IDC_ABOUT_OK)));
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->GetXButtonStyle(), 0x1022u);
    EXPECT_TRUE(boxes.boxes().empty());
}

TEST_F(AboutDlgTest, PaintsItsPictureFromTheTopLeftCorner)
{
    Open(about);
    HBITMAP bitmap = ::LoadBitmapW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_ABOUT_BACKGROUND));
    ASSERT_NE(bitmap, nullptr);
    const Image picture = BitmapPixels(bitmap);
    ::DeleteObject(bitmap);
    EXPECT_EQ(picture.width, 418);
    EXPECT_EQ(picture.height, 214);
    const RECT band = Band(about.m_hWnd);
    const Image shown = ScreenPixels(about.m_hWnd, band);
    for (int y = 0; y < shown.height; y += 5)
        for (int x = 0; x < shown.width; x += 7)
            ASSERT_EQ(shown.At(x, y), picture.At(x, y)) << x << "," << y;
}

class AboutWithoutPicture : public CAboutDlg {
protected:
    HBITMAP LoadPicture() override { return nullptr; }
};

TEST_F(AboutDlgTest, WithoutThePictureItSaysSoOnceAndPaintsTheDialogFace)
{
    AboutWithoutPicture box;
    bool visibleWhenTold = true;
    boxes.whileShown = [&] { visibleWhenTold = ::IsWindowVisible(box.m_hWnd); };
    Open(box);
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].text, L"Load Image Failed");
    EXPECT_EQ(boxes.boxes()[0].type, static_cast<UINT>(MB_OK));
    EXPECT_FALSE(visibleWhenTold);
    const Image band = ScreenPixels(box.m_hWnd, Band(box.m_hWnd));
    for (DWORD pixel : band.pixels)
        ASSERT_EQ(RGB(pixel >> 16, (pixel >> 8) & 0xFF, pixel & 0xFF), ::GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(CWnd::WindowText(box.GetDlgItem(IDC_SUPPORT_LINK)), L"support@varnok.example");
}

TEST_F(AboutDlgTest, AShorterLabelTextLeavesNothingOfTheLongerOne)
{
    Open(about);
    HWND version = about.GetDlgItem(IDC_VERSION_LABEL);
    const RECT area = RectInParent(version);
    ::ShowWindow(version, SW_HIDE);
    const Image picture = ScreenPixels(about.m_hWnd, area);
    ::ShowWindow(version, SW_SHOW);
    EXPECT_NE(ScreenPixels(about.m_hWnd, area), picture) << "the label's text never showed";

    ::SetWindowTextW(version, L"V");
    const Image shorter = ScreenPixels(about.m_hWnd, area);
    EXPECT_NE(shorter, picture) << "the new text did not show";
    for (int y = 0; y < shorter.height; ++y)
        for (int x = TextExtent(version, L"V").cx + 1; x < shorter.width; ++x)
            ASSERT_EQ(shorter.At(x, y), picture.At(x, y)) << "remains of the old text at " << x << "," << y;
}

TEST_F(AboutDlgTest, OkAndEnterCloseItWithOkAndEscapeWithCancel)
{
    struct Case {
        const char* name;
        void (*act)(CAboutDlg&);
        INT_PTR result;
    };
    const Case cases[] = {
        {"OK", [](CAboutDlg& box) { ClickButton(box.m_hWnd, IDC_ABOUT_OK); }, IDOK},
        {"Enter", [](CAboutDlg& box) { PressKey(box, VK_RETURN); }, IDOK},
        {"Escape", [](CAboutDlg& box) { PressKey(box, VK_ESCAPE); }, IDCANCEL},
    };
    for (const Case& c : cases) {
        Open(about); // the same object again, as its owner could
        c.act(about);
        EXPECT_TRUE(about.IsEnded()) << c.name;
        EXPECT_EQ(about.GetResult(), c.result) << c.name;
        about.DestroyWindow();
    }
}

} // namespace
