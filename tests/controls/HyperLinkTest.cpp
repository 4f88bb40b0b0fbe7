// CHyperLink on a real dialog: attach, sizing to the text, target and tooltip, colours, the
// underline while the pointer comes and goes, the click and its failures, cursor and relay.
#include "controls/HyperLink.h"

#include "resources/resource.h"
#include "support/ControlProbe.h"
#include "support/DialogDriver.h"
#include "support/FakeLinkApi.h"
#include "support/MessageBoxRecorder.h"
#include "support/Pixels.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <string>

namespace {

constexpr COLORREF kLinkColor = RGB(0, 0, 238);
constexpr COLORREF kVisitedColor = RGB(85, 26, 139);
constexpr COLORREF kHoverColor = RGB(255, 0, 0);

class HyperLinkTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ::SetCursorPos(0, 0);
        ASSERT_TRUE(host.Create());
        ::ShowWindow(host.m_hWnd, SW_SHOW);
        PumpMessages();
    }
    void TearDown() override { host.DestroyWindow(); }

    HWND AddStatic(const wchar_t* text, DWORD style, int x, int y, int width, int height)
    {
        HWND hwnd = ::CreateWindowExW(0, L"STATIC", text, WS_CHILD | WS_VISIBLE | style, x, y, width, height,
                                      host.m_hWnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(nextId++)), nullptr,
                                      nullptr);
        ::SendMessageW(hwnd, WM_SETFONT, host.SendMessage(WM_GETFONT), FALSE);
        return hwnd;
    }
    // A text exactly width pixels wide in the dialog's font, underlined, as a link measures it.
    std::wstring TextOfWidth(int width, int* height) const
    {
        LOGFONTW description = {};
        ::GetObjectW(reinterpret_cast<HFONT>(host.SendMessage(WM_GETFONT)), sizeof description, &description);
        description.lfUnderline = TRUE;
        HFONT font = ::CreateFontIndirectW(&description);
        std::wstring text = L"x";
        for (int wide = 0; wide < 20; ++wide) {
            for (int narrow = 0; narrow < 40; ++narrow) {
                const std::wstring candidate = std::wstring(wide, L'x') + std::wstring(narrow, L'i');
                if (TextExtent(host.m_hWnd, candidate, font).cx == width)
                    text = candidate;
            }
        }
        *height = TextExtent(host.m_hWnd, text, font).cy;
        ::DeleteObject(font);
        return text;
    }
    COLORREF PaintedTextColor(HWND link) const
    {
        HDC dc = ::GetDC(link);
        ::SendMessageW(host.m_hWnd, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(link));
        const COLORREF color = ::GetTextColor(dc);
        ::ReleaseDC(link, dc);
        return color;
    }
    void Click(HWND link) const
    {
        host.SendMessage(WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(link), STN_CLICKED), reinterpret_cast<LPARAM>(link));
    }
    // Puts the pointer there. Under Wine a warp may still be overtaken by the event of the one before.
    static void MovePointer(POINT to)
    {
        POINT at = {};
        for (int i = 0; i < 50 && (::GetCursorPos(&at), at.x != to.x || at.y != to.y); ++i) {
            ::SetCursorPos(to.x, to.y);
            PumpMessages();
            ::Sleep(10);
        }
    }
    static void PointerOver(HWND link)
    {
        RECT rect;
        ::GetWindowRect(link, &rect);
        MovePointer({(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
        ::SendMessageW(link, WM_MOUSEMOVE, 0, MAKELPARAM(1, 1));
    }
    // Moves the pointer off the link onto the dialog and waits for the link's timer to notice. (Under
    // Wine a timer message carries the position of the last mouse message of this thread: the
    // pointer has to stay over one of our windows.)
    void PointerLeaves(HWND link) const
    {
        RECT dialog;
        ::GetWindowRect(host.m_hWnd, &dialog);
        MovePointer({dialog.right - 10, dialog.bottom - 10});
        const ULONGLONG deadline = ::GetTickCount64() + 5000;
        while (PaintedTextColor(link) == kHoverColor && ::GetTickCount64() < deadline) {
            PumpMessages();
            ::Sleep(10);
        }
    }
    // Whether the screen shows the link's text in that colour.
    bool ShowsColour(HWND link, COLORREF colour) const
    {
        const Image shown = ScreenPixels(host.m_hWnd, RectInParent(link));
        for (int y = 0; y < shown.height; ++y)
            for (int x = 0; x < shown.width; ++x)
                if (shown.At(x, y) == colour)
                    return true;
        return false;
    }
    // Lets the link's hover timer tick a few times with the pointer where it is.
    static void Rest(DWORD milliseconds)
    {
        const ULONGLONG until = ::GetTickCount64() + milliseconds;
        while (::GetTickCount64() < until) {
            PumpMessages();
            ::Sleep(10);
        }
    }
    static std::wstring ToolText(const CHyperLink& link)
    {
        return link.ToolTip().GetText(link.m_hWnd, CHyperLink::LinkToolId);
    }

    FakeLinkApi api;
    MessageBoxRecorder boxes;
    CDialog host{IDD_ABOUTBOX};
    int nextId = 2000;
};

TEST_F(HyperLinkTest, FitToTextKeepsTheEdgeOrCentreThatItsAlignmentNames)
{
    int cy = 0;
    const std::wstring text = TextOfWidth(60, &cy);
    ASSERT_EQ(TextExtent(host.m_hWnd, text).cx, 60);
    struct Case {
        const char* name;
        DWORD style;
        int x, y, width, height;                 // before
        int fitX, fitY, fitWidth, fitHeight;     // after
    };
    const Case cases[] = {
        {"left", SS_LEFT, 10, 10, 200, 30, 10, 10, 60, cy},
        {"right", SS_RIGHT, 10, 10, 200, 30, 150, 10, 60, cy},
        {"centre: d = 41, 20 each side", SS_CENTER, 10, 10, 101, 30, 30, 10, 61, cy},
        {"centre, narrower than the text: d = -41", SS_CENTER, 10, 10, 19, 30, -10, 10, 59, cy},
        {"vertical centre", SS_CENTERIMAGE, 10, 10, 200, cy + 41, 10, 30, 60, cy + 1},
        {"border", WS_BORDER, 10, 10, 200, 30, 10, 10, 62, cy + 2},
    };
    for (const Case& c : cases) {
        CHyperLink link;
        ASSERT_TRUE(link.BindDlgItem(AddStatic(text.c_str(), c.style, c.x, c.y, c.width, c.height)));
        const RECT fitted = RectInParent(link.m_hWnd);
        EXPECT_EQ(fitted.left, c.fitX) << c.name;
        EXPECT_EQ(fitted.top, c.fitY) << c.name;
        EXPECT_EQ(fitted.right - fitted.left, c.fitWidth) << c.name;
        EXPECT_EQ(fitted.bottom - fitted.top, c.fitHeight) << c.name;
    }
}

TEST_F(HyperLinkTest, TakesItsTextAsTargetOrShowsItsTargetAndSetLinkUrlChangesOnlyTheTooltip)
{
    CHyperLink fromText;
    ASSERT_TRUE(fromText.BindDlgItem(AddStatic(L"Varnok", 0, 10, 10, 200, 20)));
    EXPECT_EQ(ToolText(fromText), L"Varnok");
    EXPECT_TRUE(::GetWindowLongW(fromText.m_hWnd, GWL_STYLE) & SS_NOTIFY) << "clicks must be notified";
    EXPECT_FALSE(IsUnderlined(fromText.m_hWnd)) << "underlined only while the pointer is over it";
    const RECT fitted = RectInParent(fromText.m_hWnd);
    RECT toolAtAttach;
    ASSERT_TRUE(fromText.ToolTip().GetToolRect(fromText.m_hWnd, CHyperLink::LinkToolId, &toolAtAttach));
    ::SetWindowPos(fromText.m_hWnd, nullptr, 0, 0, 300, 40, SWP_NOMOVE | SWP_NOZORDER);
    fromText.SetLinkUrl(L"https://www.varnok.example/");
    EXPECT_EQ(fromText.GetWindowText(), L"Varnok");
    EXPECT_EQ(ToolText(fromText), L"https://www.varnok.example/");
    const RECT refitted = RectInParent(fromText.m_hWnd);
    EXPECT_TRUE(::EqualRect(&refitted, &fitted)) << "not fitted to its text again";
    RECT tool;
    ASSERT_TRUE(fromText.ToolTip().GetToolRect(fromText.m_hWnd, CHyperLink::LinkToolId, &tool));
    EXPECT_TRUE(::EqualRect(&tool, &toolAtAttach));

    CHyperLink fromTarget;
    fromTarget.SetLinkUrl(L"mailto:sales@varnok.example");
    HWND empty = AddStatic(L"", 0, 10, 40, 200, 20);
    ASSERT_TRUE(fromTarget.BindDlgItem(empty));
    EXPECT_EQ(CWnd::WindowText(empty), L"mailto:sales@varnok.example");
    EXPECT_EQ(ToolText(fromTarget), L"mailto:sales@varnok.example");
}

TEST_F(HyperLinkTest, AFailedClickAfterASuccessfulOneClearsTheVisitedState)
{
    CHyperLink link;
    ASSERT_TRUE(link.BindDlgItem(AddStatic(L"https://www.varnok.example/", 0, 10, 10, 200, 20)));
    EXPECT_EQ(PaintedTextColor(link.m_hWnd), kLinkColor);
    PointerOver(link.m_hWnd);
    api.shellResult = 42;
    Click(link.m_hWnd); // ends the hover at once
    EXPECT_EQ(PaintedTextColor(link.m_hWnd), kVisitedColor);
    EXPECT_TRUE(boxes.boxes().empty());
    EXPECT_TRUE(api.beeps.empty());
    PointerLeaves(link.m_hWnd);
    PointerOver(link.m_hWnd);
    EXPECT_EQ(PaintedTextColor(link.m_hWnd), kHoverColor) << "the hover colour must win over the visited one";
    PointerLeaves(link.m_hWnd);

    api.shellResult = SE_ERR_NOASSOC;
    Click(link.m_hWnd);
    EXPECT_EQ(PaintedTextColor(link.m_hWnd), kLinkColor);
    EXPECT_EQ(api.beeps, std::vector<UINT>{MB_ICONEXCLAMATION});
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].type, static_cast<UINT>(MB_ICONEXCLAMATION));
    ASSERT_EQ(api.shellCalls.size(), 2u);
    EXPECT_EQ(api.shellCalls[1].file, L"https://www.varnok.example/");
}

TEST_F(HyperLinkTest, AFailedClickShowsTheCodeOfTheStepThatFailed)
{
    struct Case {
        const char* name;
        bool browserRegistered;
        UINT winExecResult;
        std::wstring line;
    };
    const Case cases[] = {
        {"shell fails, no .htm", false, 0,
         L"There is no application associated\nwith the given filename extension."},
        {"the browser command fails", true, ERROR_FILE_NOT_FOUND, L"The specified file was not found."},
    };
    for (const Case& c : cases) {
        FakeLinkApi calls;
        MessageBoxRecorder shown;
        calls.shellResult = SE_ERR_NOASSOC;
        if (c.browserRegistered)
            calls.RegisterBrowser(L"browser.exe \"%1\"");
        calls.winExecResult = c.winExecResult;
        CHyperLink link;
        ASSERT_TRUE(link.BindDlgItem(AddStatic(L"https://www.varnok.example/", 0, 10, 10, 200, 20)));
        Click(link.m_hWnd);
        ASSERT_EQ(shown.boxes().size(), 1u) << c.name;
        EXPECT_EQ(shown.boxes()[0].text, L"Unable to open hyperlink:\n\n" + c.line) << c.name;
    }
}

TEST_F(HyperLinkTest, TheUnderlineFollowsItsModeAsThePointerComesAndGoes)
{
    struct Case {
        int mode;
        bool whileOver;
        bool afterLeaving;
    };
    const Case cases[] = {
        {CHyperLink::UnderlineOnHover, true, false},
        {CHyperLink::UnderlineAlways, true, true},
        {CHyperLink::UnderlineNever, false, false},
    };
    for (const Case& c : cases) {
        CHyperLink link;
        ASSERT_TRUE(link.BindDlgItem(AddStatic(L"sales@varnok.example", 0, 10, 10, 200, 20)));
        link.SetUnderlineMode(c.mode);
        EXPECT_EQ(IsUnderlined(link.m_hWnd), c.mode == CHyperLink::UnderlineAlways) << "mode " << c.mode;
        PointerOver(link.m_hWnd);
        Rest(350); // the pointer rests: the timer's ticks keep the hover
        EXPECT_EQ(PaintedTextColor(link.m_hWnd), kHoverColor) << "mode " << c.mode;
        EXPECT_TRUE(ShowsColour(link.m_hWnd, kHoverColor)) << "the hover colour never reached the screen, mode " << c.mode;
        EXPECT_EQ(IsUnderlined(link.m_hWnd), c.whileOver) << "mode " << c.mode;
        PointerLeaves(link.m_hWnd);
        EXPECT_EQ(PaintedTextColor(link.m_hWnd), kLinkColor) << "the pointer left unnoticed, mode " << c.mode;
        EXPECT_FALSE(ShowsColour(link.m_hWnd, kHoverColor)) << "mode " << c.mode;
        EXPECT_EQ(IsUnderlined(link.m_hWnd), c.afterLeaving) << "mode " << c.mode;
        EXPECT_FALSE(::KillTimer(link.m_hWnd, CHyperLink::HoverTimerId)) << "the timer outlived the hover";
    }
}

TEST_F(HyperLinkTest, LeavingRepaintsTheDialogUnderTheLinkAndTenPixelsBelowIt)
{
    // The link paints no background: only the dialog's repaint takes the hover look off the screen.
    CHyperLink link;
    ASSERT_TRUE(link.BindDlgItem(AddStatic(L"sales@varnok.example", 0, 10, 10, 200, 20)));
    RECT around = RectInParent(link.m_hWnd);
    ::InflateRect(&around, 2, 4);
    const Image before = ScreenPixels(host.m_hWnd, around);
    PointerOver(link.m_hWnd);
    EXPECT_NE(ScreenPixels(host.m_hWnd, around), before) << "the hover look never reached the screen";
    PointerLeaves(link.m_hWnd);
    EXPECT_EQ(ScreenPixels(host.m_hWnd, around), before);

    // A tick with the pointer outside repaints the link's rectangle and 10 pixels below it.
    ::SendMessageW(link.m_hWnd, WM_TIMER, CHyperLink::HoverTimerId, 0);
    RECT expected = RectInParent(link.m_hWnd);
    expected.bottom += 10;
    RECT update;
    ASSERT_TRUE(::GetUpdateRect(host.m_hWnd, &update, FALSE));
    EXPECT_TRUE(::EqualRect(&update, &expected)) << update.top << ".." << update.bottom << " for " << expected.top
                                                  << ".." << expected.bottom;
}

TEST_F(HyperLinkTest, ShowsTheSystemHandWhereTheHelpViewerHasNone)
{
    api.helpViewer = ::GetModuleHandleW(nullptr); // a program without the help viewer's hand
    CHyperLink link;
    ASSERT_TRUE(link.BindDlgItem(AddStatic(L"Varnok", 0, 10, 10, 200, 20)));
    ASSERT_EQ(api.loadedLibraries.size(), 1u);
    EXPECT_TRUE(api.loadedLibraries[0].ends_with(L"\\winhlp32.exe"));
    EXPECT_EQ(api.freedLibraries, std::vector<HMODULE>{api.helpViewer});

    ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
    EXPECT_TRUE(::SendMessageW(link.m_hWnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(link.m_hWnd),
                               MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
    ICONINFO shown = {};
    ICONINFO hand = {};
    ASSERT_TRUE(::GetIconInfo(::GetCursor(), &shown));
    ASSERT_TRUE(::GetIconInfo(::LoadCursorW(nullptr, IDC_HAND), &hand));
    EXPECT_EQ(BitmapPixels(shown.hbmMask), BitmapPixels(hand.hbmMask)) << "not a copy of the system's hand";
    for (HBITMAP bitmap : {shown.hbmMask, shown.hbmColor, hand.hbmMask, hand.hbmColor})
        ::DeleteObject(bitmap);
}

// Keeps the messages relayed to a tooltip.
LRESULT CALLBACK RecordRelays(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR data)
{
    if (msg == TTM_RELAYEVENT)
        reinterpret_cast<std::vector<UINT>*>(data)->push_back(reinterpret_cast<const MSG*>(lp)->message);
    return ::DefSubclassProc(hwnd, msg, wp, lp);
}

TEST_F(HyperLinkTest, TheDialogsPreTranslationRelaysTheLinksMessagesToItsTooltip)
{
    CHyperLink link;
    ASSERT_TRUE(link.BindDlgItem(AddStatic(L"Varnok", 0, 10, 10, 200, 20)));
    std::vector<UINT> relayed;
    ::SetWindowSubclass(link.ToolTip().m_hWnd, RecordRelays, 1, reinterpret_cast<DWORD_PTR>(&relayed));
    for (UINT message : {WM_MOUSEMOVE, WM_LBUTTONDOWN}) {
        MSG msg = {link.m_hWnd, message, 0, MAKELPARAM(1, 1), 0, {}};
        EXPECT_FALSE(host.PreTranslateMessage(&msg)) << "a relayed message goes on to its window";
    }
    MSG elsewhere = {host.m_hWnd, WM_MOUSEMOVE, 0, 0, 0, {}};
    host.PreTranslateMessage(&elsewhere);
    EXPECT_EQ(relayed, (std::vector<UINT>{WM_MOUSEMOVE, WM_LBUTTONDOWN}));
    ::RemoveWindowSubclass(link.ToolTip().m_hWnd, RecordRelays, 1);
}

} // namespace
