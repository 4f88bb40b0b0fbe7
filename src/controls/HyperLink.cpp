// CHyperLink: attach, sizing, fonts, cursor, hover tracking, colours and the click.
#include "controls/HyperLink.h"

#include "controls/LinkApi.h"
#include "controls/OpenLinkTarget.h"

#include <utility>


namespace {

constexpr UINT kHoverPeriod = 100; // milliseconds between checks that the pointer is still over the link
constexpr int kLeaveRepaintBelow = 10; // an underline may reach below the control

} // namespace

CHyperLink::~CHyperLink()
{
    if (m_toolTip.m_hWnd)
        ::DestroyWindow(m_toolTip.m_hWnd);
}

bool CHyperLink::BindDlgItem(HWND hwnd)
{
    if (!hwnd)
        return false;
    m_hWnd = hwnd;
    AttachLinkItem(hwnd, m_target);
    if (GetWindowText().empty())
        SetWindowText(m_target);
    CreateFonts();
    FitToText();
    LoadHandCursor();
    SetUnderlineMode(UnderlineOnHover);
    if (!m_toolTip.m_hWnd && m_toolTip.Create(hwnd)) {
        RECT client;
        ::GetClientRect(hwnd, &client);
        m_toolTip.AddTool(hwnd, m_target, client, LinkToolId);
    }
    return SubclassWindow(hwnd);
}

void CHyperLink::CreateFonts()
{
    auto font = reinterpret_cast<HGDIOBJ>(SendMessage(WM_GETFONT));
    if (!font)
        font = ::GetStockObject(DEFAULT_GUI_FONT);
    if (!font)
        font = ::GetStockObject(ANSI_VAR_FONT);
    LOGFONTW description = {};
    if (!font || !::GetObjectW(font, sizeof description, &description))
        return;
    // A second attach (the dialog opened again) makes them anew from that dialog's font.
    CreateFonts(description);
}

void CHyperLink::CreateFonts(LOGFONTW description)
{
    description.lfUnderline = FALSE;
    m_plainFont.reset(::CreateFontIndirectW(&description));
    description.lfUnderline = TRUE;
    m_underlinedFont.reset(::CreateFontIndirectW(&description));
}

void CHyperLink::ScaleFonts(UINT fromDpi, UINT toDpi)
{
    LOGFONTW description = {};
    if (!m_plainFont || fromDpi == 0 || toDpi == 0 ||
        !::GetObjectW(m_plainFont.get(), sizeof description, &description))
        return;
    description.lfHeight = ::MulDiv(description.lfHeight, static_cast<int>(toDpi), static_cast<int>(fromDpi));
    description.lfWidth = ::MulDiv(description.lfWidth, static_cast<int>(toDpi), static_cast<int>(fromDpi));
    // The control shows the new font before the old ones go.
    UniqueFont oldPlain = std::move(m_plainFont);
    UniqueFont oldUnderlined = std::move(m_underlinedFont);
    CreateFonts(description);
    const bool underlined = m_underlineMode == UnderlineAlways || (m_underlineMode == UnderlineOnHover && m_overControl);
    SetFont(underlined ? m_underlinedFont.get() : m_plainFont.get(), false);
    FitToText();
    RedrawWithBackground();
}

void CHyperLink::FitToText()
{
    if (!m_hWnd || !m_autoSize)
        return;
    HWND parent = ::GetParent(m_hWnd);
    RECT window;
    RECT client;
    ::GetWindowRect(m_hWnd, &window);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&window), 2);
    ::GetClientRect(m_hWnd, &client);

    const std::wstring text = GetWindowText();
    SIZE extent = {};
    HDC dc = ::GetDC(m_hWnd);
    HGDIOBJ previous =
        ::SelectObject(dc, m_underlinedFont ? m_underlinedFont.get() : ::GetStockObject(DEFAULT_GUI_FONT));
    ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    ::SelectObject(dc, previous);
    ::ReleaseDC(m_hWnd, dc);

    const int windowWidth = window.right - window.left;
    const int windowHeight = window.bottom - window.top;
    const int wantedWidth = extent.cx + (windowWidth - client.right);
    const int wantedHeight = extent.cy + (windowHeight - client.bottom);
    const LONG style = ::GetWindowLongW(m_hWnd, GWL_STYLE);

    if (style & SS_CENTERIMAGE) {
        const int d = windowHeight - wantedHeight;
        window.top += d / 2; // integer division: toward zero, also when the text is taller
        window.bottom -= d / 2;
    } else {
        window.bottom = window.top + wantedHeight;
    }
    switch (style & SS_TYPEMASK) {
    case SS_CENTER: {
        const int d = windowWidth - wantedWidth;
        window.left += d / 2;
        window.right -= d / 2;
        break;
    }
    case SS_RIGHT:
        window.left = window.right - wantedWidth;
        break;
    default:
        window.right = window.left + wantedWidth;
        break;
    }
    ::SetWindowPos(m_hWnd, nullptr, window.left, window.top, window.right - window.left, window.bottom - window.top,
                   SWP_NOZORDER);
}

void CHyperLink::LoadHandCursor()
{
    if (m_handCursor)
        return;
    const LinkApi& api = TheLinkApi();
    wchar_t folder[MAX_PATH] = {};
    const UINT length = ::GetWindowsDirectoryW(folder, MAX_PATH);
    if (length > 0 && length < MAX_PATH) {
        const std::wstring helpViewer = std::wstring(folder, length) + L"\\winhlp32.exe";
        // Only its cursor is wanted: mapped as data, none of its code runs.
        if (HMODULE module = api.loadLibraryEx(helpViewer.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {
            if (HCURSOR cursor = ::LoadCursorW(module, MAKEINTRESOURCEW(106)))
                m_handCursor.reset(::CopyIcon(cursor));
            api.freeLibrary(module);
        }
    }
    // The help viewer and its hand are gone from current systems: the system's own hand then.
    if (!m_handCursor)
        m_handCursor = CopySystemHand();
}

void CHyperLink::SetLinkUrl(const std::wstring& target)
{
    m_target = target;
    if (!m_hWnd)
        return;
    FitToText();
    if (m_toolTip.m_hWnd)
        m_toolTip.UpdateTipText(m_target, m_hWnd, LinkToolId);
}

void CHyperLink::SetUnderlineMode(int mode)
{
    if (mode == m_underlineMode)
        return;
    if (m_hWnd) {
        SetFont(mode == UnderlineAlways ? m_underlinedFont.get() : m_plainFont.get(), true);
        RedrawWithBackground();
    }
    m_underlineMode = mode;
}

void CHyperLink::DestroyWindow()
{
    if (!m_hWnd)
        return;
    ::KillTimer(m_hWnd, HoverTimerId);
    ::DestroyWindow(m_hWnd);
}

void CHyperLink::RedrawWithBackground(int extraBottom) const
{
    // Invalidating only the control would draw the new text over the old one (a hover colour's
    // fringe, an underline that should be gone stay on the screen).
    HWND parent = ::GetParent(m_hWnd);
    RECT rect;
    ::GetClientRect(m_hWnd, &rect);
    rect.bottom += extraBottom;
    ::MapWindowPoints(m_hWnd, parent, reinterpret_cast<POINT*>(&rect), 2);
    ::RedrawWindow(parent, &rect, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void CHyperLink::OnMouseMove()
{
    if (m_overControl)
        return;
    m_overControl = TRUE;
    if (m_underlineMode == UnderlineOnHover)
        SetFont(m_underlinedFont.get(), true);
    RedrawWithBackground();
    ::SetTimer(m_hWnd, HoverTimerId, kHoverPeriod, nullptr);
}

void CHyperLink::OnTimer()
{
    const DWORD position = ::GetMessagePos();
    POINT point = {static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
    ::ScreenToClient(m_hWnd, &point);
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    if (::PtInRect(&client, point))
        return;
    m_overControl = FALSE;
    ::KillTimer(m_hWnd, HoverTimerId);
    if (m_underlineMode != UnderlineAlways)
        SetFont(m_plainFont.get(), true);
    RedrawWithBackground(kLeaveRepaintBelow);
}

void CHyperLink::OnClicked()
{
    m_overControl = FALSE; // the hover timer keeps running: its next tick outside stops it
    const int result = OpenLinkTarget(m_target);
    m_visited = result > 32;
    if (m_visited) {
        if (m_hWnd)
            RedrawWithBackground();
        return;
    }
    TheLinkApi().messageBeep(MB_ICONEXCLAMATION);
    ShowOpenError(result);
}

bool CHyperLink::OnChildNotify(UINT msg, WPARAM wp, LPARAM, LRESULT* result)
{
    if (msg == WM_CTLCOLORSTATIC) {
        auto dc = reinterpret_cast<HDC>(wp);
        ::SetTextColor(dc, m_colors.For(m_overControl, m_visited));
        ::SetBkMode(dc, TRANSPARENT);
        *result = reinterpret_cast<LRESULT>(::GetStockObject(NULL_BRUSH));
        return true;
    }
    if (msg == WM_COMMAND && HIWORD(wp) == STN_CLICKED) {
        OnClicked();
        *result = 0;
        return true;
    }
    return false;
}

BOOL CHyperLink::PreTranslateMessage(MSG* msg)
{
    if (m_toolTip.m_hWnd)
        m_toolTip.RelayEvent(msg);
    return CStatic::PreTranslateMessage(msg);
}

LRESULT CHyperLink::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_SETCURSOR:
        if (!m_handCursor)
            return FALSE; // the cursor stays as it is
        ::SetCursor(m_handCursor.get());
        return TRUE;
    case WM_MOUSEMOVE:
        OnMouseMove();
        break;
    case WM_TIMER:
        OnTimer();
        break;
    case WM_DESTROY:
        if (m_toolTip.m_hWnd)
            ::DestroyWindow(m_toolTip.m_hWnd);
        break;
    default:
        break;
    }
    return Default(msg, wp, lp);
}
