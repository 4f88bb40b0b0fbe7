// The toolkit's push button with the About box's style flags: drawn by itself, checkered while held
// down, and still a push button to the dialog manager.
#include "framework/XTButton.h"

#include "framework/Dialog.h"
#include "framework/ThemeApi.h"
#include "resources/resource.h"
#include "support/DialogDriver.h"
#include "support/Pixels.h"

#include <gtest/gtest.h>

namespace {

class XTButtonTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(host.Create());
        ::ShowWindow(host.m_hWnd, SW_SHOW);
        ASSERT_TRUE(button.BindDlgItem(host.GetDlgItem(IDC_ABOUT_OK)));
    }
    void TearDown() override { host.DestroyWindow(); }

    CDialog host{IDD_ABOUTBOX};
    CXTButton button;
};

// Inside the focus rectangle, left of the caption: neighbours differ, diagonal neighbours agree.
bool Checkered(const Image& face)
{
    for (int y = 6; y < 9; ++y) {
        for (int x = 6; x < 13; ++x) {
            if (face.At(x, y) == face.At(x + 1, y) || face.At(x, y) != face.At(x + 1, y + 1))
                return false;
        }
    }
    return true;
}

TEST_F(XTButtonTest, HeldDownItsFaceIsCheckeredWithAndWithoutTheVisualStyle)
{
    // With the visual style flag the system's style draws it where one is active (under Wine here).
    for (DWORD style : {0x1022u, 0x0022u}) {
        button.SetXButtonStyle(style);
        const Image up = PrintedPixels(button.m_hWnd);
        EXPECT_FALSE(Checkered(up)) << std::hex << style;
        button.SendMessage(BM_SETSTATE, TRUE);
        EXPECT_TRUE(Checkered(PrintedPixels(button.m_hWnd))) << std::hex << style;
        button.SendMessage(BM_SETSTATE, FALSE);
        EXPECT_EQ(PrintedPixels(button.m_hWnd), up) << std::hex << style;
    }
}

TEST_F(XTButtonTest, StaysOwnerDrawnWhenTheDialogMakesItTheDefaultButton)
{
    button.SetXButtonStyle(0x1022);
    FocusControl(host.m_hWnd, IDC_ABOUT_OK);
    EXPECT_EQ(::GetWindowLongW(button.m_hWnd, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
    EXPECT_TRUE(button.SendMessage(WM_GETDLGCODE) & DLGC_DEFPUSHBUTTON) << "Enter would not press it";
}

TEST_F(XTButtonTest, WithoutTheSystemsThemeDllTheVisualStyleGivesWayToTheClassicFace)
{
    button.SetXButtonStyle(0x0022);
    const Image classic = PrintedPixels(button.m_hWnd);
    button.SetXButtonStyle(0x1022);
    if (PrintedPixels(button.m_hWnd) == classic)
        GTEST_SKIP() << "no visual style is active: both faces are the classic one anyway";
    struct Case {
        const char* what;
        HMODULE module;
    };
    const Case cases[] = {
        {"no UxTheme", nullptr},
        {"a UxTheme without the drawing functions", ::GetModuleHandleW(L"kernel32.dll")},
    };
    const ThemeApi system = TheThemeApi();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TheThemeApi() = ThemeApiFrom(c.module);
        EXPECT_EQ(PrintedPixels(button.m_hWnd), classic);
        button.SendMessage(BM_SETSTATE, TRUE);
        EXPECT_TRUE(Checkered(PrintedPixels(button.m_hWnd)));
        button.SendMessage(BM_SETSTATE, FALSE);
    }
    TheThemeApi() = system;
}

} // namespace
