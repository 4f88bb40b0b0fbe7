// CXTHyperLink: colours by state, hover tracking, cursor, tooltip and click.
#include "controls/XTHyperLink.h"

#include "controls/LinkApi.h"

#include <commctrl.h>

#include <utility>

namespace {

constexpr LinkColors kColors = {CXTHyperLink::kLinkColor, CXTHyperLink::kVisitedColor, CXTHyperLink::kHoverColor};

} // namespace

CXTHyperLink::CXTHyperLink() : m_backColor(::GetSysColor(COLOR_BTNFACE)), m_handCursor(::LoadCursorW(nullptr, IDC_HAND)) {}

CXTHyperLink::~CXTHyperLink()
{
    // The window goes before the font it shows.
    if (m_hWnd)
        ::DestroyWindow(m_hWnd);
}

bool CXTHyperLink::Create(const std::wstring& caption, DWORD style, const RECT& rect, HWND parent, int id)
{
    HWND hwnd = ::CreateWindowExW(0, L"STATIC", caption.c_str(), style | SS_NOTIFY, rect.left, rect.top,
                                  rect.right - rect.left, rect.bottom - rect.top, parent,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleW(nullptr),
                                  nullptr);
    if (!hwnd || !SubclassWindow(hwnd))
        return false;
    m_target = caption;
    CreateToolTip();
    return true;
}

void CXTHyperLink::CreateToolTip()
{
    m_toolTip = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, m_hWnd, nullptr,
                                  ::GetModuleHandleW(nullptr), nullptr);
    if (!m_toolTip)
        return;
    // The tooltip is a popup owned by the dialog, so the dialog may destroy it before this control:
    // watch it, to forget the handle when the window goes.
    ::SetWindowSubclass(m_toolTip, ToolTipProc, 0, reinterpret_cast<DWORD_PTR>(this));
    TTTOOLINFOW tool = {};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = ::GetParent(m_hWnd);
    tool.uId = reinterpret_cast<UINT_PTR>(m_hWnd);
    tool.lpszText = m_target.data();
    ::SendMessageW(m_toolTip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

LRESULT CALLBACK CXTHyperLink::ToolTipProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR data)
{
    if (msg == WM_NCDESTROY) {
        reinterpret_cast<CXTHyperLink*>(data)->m_toolTip = nullptr;
        ::RemoveWindowSubclass(hwnd, ToolTipProc, 0);
    }
    return ::DefSubclassProc(hwnd, msg, wp, lp);
}

void CXTHyperLink::SetBackColor(COLORREF color)
{
    m_backColor = color;
    m_backBrush.reset();
    if (m_hWnd)
        ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

void CXTHyperLink::SetUnderline(bool underline)
{
    m_underline = underline;
    if (m_hWnd)
        ApplyFont(m_baseFont);
}

COLORREF CXTHyperLink::GetTextColor() const
{
    return kColors.For(m_hovered, m_visited);
}

void CXTHyperLink::ApplyFont(HFONT font)
{
    m_baseFont = font;
    UniqueFont underlined;
    if (m_underline) {
        LOGFONTW description = {};
        if (::GetObjectW(font ? font : ::GetStockObject(DEFAULT_GUI_FONT), sizeof description, &description)) {
            description.lfUnderline = TRUE;
            underlined.reset(::CreateFontIndirectW(&description));
        }
    }
    // The control changes fonts before the one it showed is freed.
    Default(WM_SETFONT, reinterpret_cast<WPARAM>(underlined ? underlined.get() : font), TRUE);
    m_underlinedFont = std::move(underlined);
}

void CXTHyperLink::OnClicked()
{
    m_visited = true;
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
    if (m_openTarget)
        TheLinkApi().shellExecute(nullptr, L"open", m_target.c_str(), nullptr, nullptr, SW_SHOW);
}

bool CXTHyperLink::OnChildNotify(UINT msg, WPARAM wp, LPARAM, LRESULT* result)
{
    if (msg == WM_CTLCOLORSTATIC) {
        auto dc = reinterpret_cast<HDC>(wp);
        ::SetTextColor(dc, GetTextColor());
        ::SetBkColor(dc, m_backColor);
        if (!m_backBrush)
            m_backBrush.reset(::CreateSolidBrush(m_backColor));
        *result = reinterpret_cast<LRESULT>(m_backBrush.get());
        return true;
    }
    if (msg == WM_COMMAND && HIWORD(wp) == STN_CLICKED)
        OnClicked();
    return false; // the parent still receives the command
}

LRESULT CXTHyperLink::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_SETFONT:
        ApplyFont(reinterpret_cast<HFONT>(wp));
        return 0;
    case WM_SETCURSOR:
        if (m_handCursor) {
            ::SetCursor(m_handCursor);
            return TRUE;
        }
        break;
    case WM_MOUSEMOVE:
        if (!m_hovered) {
            m_hovered = true;
            TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE, m_hWnd, 0};
            ::TrackMouseEvent(&track);
            ::InvalidateRect(m_hWnd, nullptr, TRUE);
        }
        break;
    case WM_MOUSELEAVE:
        m_hovered = false;
        ::InvalidateRect(m_hWnd, nullptr, TRUE);
        break;
    case WM_DESTROY:
        if (m_toolTip)
            ::DestroyWindow(m_toolTip); // its WM_NCDESTROY forgets the handle
        break;
    default:
        break;
    }
    return Default(msg, wp, lp);
}
