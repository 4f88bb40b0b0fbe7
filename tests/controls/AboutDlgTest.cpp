// The About box: caption, links, labels over the picture, the picture itself, and how it closes.
#include "controls/AboutDlg.h"

#include "resources/resource.h"
#include "support/ControlProbe.h"
#include "support/DialogDriver.h"
#include "support/FakeLinkApi.h"
#include "support/MainWindowStandIn.h"
#include "support/MessageBoxRecorder.h"
#include "support/Pixels.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
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
    MainWindowStandIn mainWindow; // the box opens over it
    CAboutDlg about{mainWindow.m_hWnd};
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

// Whether a shown colour lies within the colours of the picture's pixels around (x, y): a
// stretched picture is smoothed, so its pixels mix their neighbours.
bool FromAround(const Image& picture, int x, int y, COLORREF shown, int reach)
{
    int low[3] = {255, 255, 255}, high[3] = {0, 0, 0};
    for (int v = std::max(0, y - reach); v <= std::min(picture.height - 1, y + reach); ++v)
        for (int u = std::max(0, x - reach); u <= std::min(picture.width - 1, x + reach); ++u) {
            const COLORREF c = picture.At(u, v);
            const int channels[3] = {GetRValue(c), GetGValue(c), GetBValue(c)};
            for (int i = 0; i < 3; ++i) {
                low[i] = std::min(low[i], channels[i]);
                high[i] = std::max(high[i], channels[i]);
            }
        }
    const int channels[3] = {GetRValue(shown), GetGValue(shown), GetBValue(shown)};
    for (int i = 0; i < 3; ++i)
        if (channels[i] < low[i] - 2 || channels[i] > high[i] + 2)
            return false;
    return true;
}

// The part of the picture a box at 96 DPI shows, scaled to the box's DPI.
void ExpectPictureAreaFor(const CAboutDlg& box, int dpi)
{
    RECT client;
    ::GetClientRect(box.m_hWnd, &client);
    const CAboutDlg::PictureArea area = box.PaintedPictureArea();
    EXPECT_EQ(area.source.width, std::min(418, ::MulDiv(client.right, 96, dpi)));
    EXPECT_EQ(area.source.height, std::min(214, ::MulDiv(client.bottom, 96, dpi)));
    EXPECT_EQ(area.destination.x, 0);
    EXPECT_EQ(area.destination.y, 0);
    EXPECT_EQ(area.destination.width, ::MulDiv(area.source.width, dpi, 96));
    EXPECT_EQ(area.destination.height, ::MulDiv(area.source.height, dpi, 96));
}

TEST_F(AboutDlgTest, PaintsItsPictureOverTheSameDialogAreaAtEveryDpi)
{
    Open(about);
    HBITMAP bitmap = ::LoadBitmapW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_ABOUT_BACKGROUND));
    ASSERT_NE(bitmap, nullptr);
    const Image picture = BitmapPixels(bitmap);
    ::DeleteObject(bitmap);
    EXPECT_EQ(picture.width, 418);
    EXPECT_EQ(picture.height, 214);

    const int dpi = static_cast<int>(ScreenDpi());
    ExpectPictureAreaFor(about, dpi);
    const CAboutDlg::PictureArea area = about.PaintedPictureArea();

    // Where no control stands: the band across the top and the strip right of the links' frame.
    RECT free = {225, 0, 0, 0};
    ::MapDialogRect(about.m_hWnd, &free);
    const Image band = ScreenPixels(about.m_hWnd, Band(about.m_hWnd));
    const Image strip = ScreenPixels(about.m_hWnd, {free.left, 0, area.destination.width, area.destination.height});
    const int reach = dpi == 96 ? 0 : 1; // at 96 DPI a copy pixel for pixel
    const auto expectPicture = [&](const Image& shown, int left) {
        for (int y = 1; y < shown.height - 1; y += 5)
            for (int x = 1; x < shown.width - 1; x += 7)
                ASSERT_TRUE(FromAround(picture, ::MulDiv(left + x, area.source.width, area.destination.width),
                                       ::MulDiv(y, area.source.height, area.destination.height), shown.At(x, y), reach))
                    << left + x << "," << y;
    };
    expectPicture(band, 0);
    expectPicture(strip, free.left);
}

TEST_F(AboutDlgTest, MovingToADisplayOfAnotherDpiScalesThePictureAndTheLinks)
{
    Open(about);
    HWND link = about.GetDlgItem(IDC_SUPPORT_LINK);
    const RECT before = RectInParent(link);
    LOGFONTW fontBefore = {};
    ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(link, WM_GETFONT, 0, 0)), sizeof fontBefore, &fontBefore);
    const CAboutDlg::PictureArea areaBefore = about.PaintedPictureArea();

    RECT suggested = MoveToTwiceTheDpi(about.m_hWnd);
    const UINT twice = 2 * ScreenDpi();

    ExpectPictureAreaFor(about, static_cast<int>(twice));
    const CAboutDlg::PictureArea area = about.PaintedPictureArea();
    EXPECT_GT(area.destination.width, areaBefore.destination.width);
    LOGFONTW font = {};
    ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(link, WM_GETFONT, 0, 0)), sizeof font, &font);
    EXPECT_EQ(font.lfHeight, 2 * fontBefore.lfHeight);
    EXPECT_TRUE(font.lfUnderline);
    const RECT after = RectInParent(link);
    EXPECT_EQ(after.left, 2 * before.left);
    EXPECT_EQ(after.top, 2 * before.top);
    EXPECT_EQ(after.right - after.left, TextExtent(link, L"support@varnok.example").cx) << "not fitted to its text";

    // A message without a DPI or without a rectangle changes nothing.
    about.SendMessage(WM_DPICHANGED, 0, reinterpret_cast<LPARAM>(&suggested));
    about.SendMessage(WM_DPICHANGED, MAKEWPARAM(ScreenDpi(), ScreenDpi()), 0);
    const RECT unchanged = RectInParent(link);
    EXPECT_TRUE(::EqualRect(&after, &unchanged));
    EXPECT_EQ(about.PaintedPictureArea().destination.width, area.destination.width);
}

class AboutWithoutPicture : public CAboutDlg {
public:
    using CAboutDlg::CAboutDlg;

protected:
    HBITMAP LoadPicture() override { return nullptr; }
};

TEST_F(AboutDlgTest, WithoutThePictureItSaysSoOnceAndPaintsTheDialogFace)
{
    AboutWithoutPicture box{mainWindow.m_hWnd};
    bool visibleWhenTold = true;
    boxes.whileShown = [&] { visibleWhenTold = ::IsWindowVisible(box.m_hWnd); };
    Open(box);
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].text, L"Load Image Failed");
    EXPECT_EQ(boxes.boxes()[0].type, static_cast<UINT>(MB_OK));
    EXPECT_EQ(boxes.boxes()[0].owner, mainWindow.m_hWnd) << "the box is not shown yet";
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
