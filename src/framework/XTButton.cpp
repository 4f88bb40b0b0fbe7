// CXTButton: owner drawing with and without the visual style, and keeping push-button behaviour.
#include "framework/XTButton.h"

#include "framework/ThemeApi.h"

#include <vssym32.h>

#include <string>

void CXTButton::SetXButtonStyle(DWORD style, bool redraw)
{
    m_xStyle = style;
    if (m_hWnd) // BM_SETSTYLE turns it into an owner-drawn button (see WindowProc)
        SendMessage(BM_SETSTYLE, static_cast<WPARAM>(::GetWindowLongW(m_hWnd, GWL_STYLE)), redraw);
}

LRESULT CXTButton::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    if (!m_xStyle)
        return Default(msg, wp, lp);
    switch (msg) {
    case BM_SETSTYLE:
        // The dialog manager moves the default between push buttons with this message: keep the
        // drawing ours and remember the default for the frame.
        m_default = (wp & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
        return Default(msg, (wp & ~static_cast<WPARAM>(BS_TYPEMASK)) | BS_OWNERDRAW, lp);
    case WM_GETDLGCODE:
        // To the dialog manager it stays a push button: Enter presses it when it has the focus.
        return DLGC_BUTTON | (m_default ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
    default:
        return Default(msg, wp, lp);
    }
}

bool CXTButton::OnChildNotify(UINT msg, WPARAM, LPARAM lp, LRESULT* result)
{
    if (msg != WM_DRAWITEM)
        return false;
    Draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp));
    *result = TRUE;
    return true;
}

void CXTButton::Draw(const DRAWITEMSTRUCT& item)
{
    const std::wstring text = GetWindowText();
    const int saved = ::SaveDC(item.hDC);
    if (auto font = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)))
        ::SelectObject(item.hDC, font);
    ::SetBkMode(item.hDC, TRANSPARENT);
    if (!(m_xStyle & VisualStyle) || !DrawThemed(item, text))
        DrawClassic(item, text);
    if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT)) {
        RECT focus = item.rcItem;
        ::InflateRect(&focus, -4, -4);
        ::DrawFocusRect(item.hDC, &focus);
    }
    ::RestoreDC(item.hDC, saved);
}

bool CXTButton::DrawThemed(const DRAWITEMSTRUCT& item, const std::wstring& text)
{
    const ThemeApi& api = TheThemeApi();
    if (!api.isAppThemed())
        return false;
    HTHEME theme = api.openThemeData(m_hWnd, L"BUTTON");
    if (!theme)
        return false;
    int state = PBS_NORMAL;
    if (item.itemState & ODS_DISABLED)
        state = PBS_DISABLED;
    else if (item.itemState & ODS_SELECTED)
        state = PBS_PRESSED;
    else if (m_default)
        state = PBS_DEFAULTED;
    RECT rect = item.rcItem;
    if (api.isThemeBackgroundPartiallyTransparent(theme, BP_PUSHBUTTON, state))
        api.drawThemeParentBackground(m_hWnd, item.hDC, &rect);
    api.drawThemeBackground(theme, item.hDC, BP_PUSHBUTTON, state, &rect, nullptr);
    RECT content = rect;
    api.getThemeBackgroundContentRect(theme, item.hDC, BP_PUSHBUTTON, state, &rect, &content);
    if ((item.itemState & ODS_SELECTED) && (m_xStyle & CheckeredWhilePressed))
        FillChecker(item.hDC, content);
    api.drawThemeText(theme, item.hDC, BP_PUSHBUTTON, state, text.c_str(), -1, DT_CENTER | DT_VCENTER | DT_SINGLELINE,
                      0, &content);
    api.closeThemeData(theme);
    return true;
}

void CXTButton::DrawClassic(const DRAWITEMSTRUCT& item, const std::wstring& text)
{
    HDC dc = item.hDC;
    const bool pressed = item.itemState & ODS_SELECTED;
    RECT rect = item.rcItem;
    if (m_default) {
        ::FrameRect(dc, &rect, ::GetSysColorBrush(COLOR_WINDOWFRAME));
        ::InflateRect(&rect, -1, -1);
    }
    if (m_xStyle & SemiFlat)
        ::DrawEdge(dc, &rect, pressed ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT | BF_ADJUST);
    else
        ::DrawEdge(dc, &rect, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_ADJUST);

    if (pressed && (m_xStyle & CheckeredWhilePressed))
        FillChecker(dc, rect);
    else
        ::FillRect(dc, &rect, ::GetSysColorBrush(COLOR_BTNFACE));

    ::SetTextColor(dc, ::GetSysColor((item.itemState & ODS_DISABLED) ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
    if (pressed)
        ::OffsetRect(&rect, 1, 1);
    ::DrawTextW(dc, text.c_str(), -1, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void CXTButton::FillChecker(HDC dc, const RECT& rect)
{
    // A one-bit pattern takes its two colours from the text and background colours.
    const COLORREF text = ::SetTextColor(dc, ::GetSysColor(COLOR_BTNFACE));
    const COLORREF back = ::SetBkColor(dc, ::GetSysColor(COLOR_BTNHIGHLIGHT));
    ::FillRect(dc, &rect, CheckerBrush());
    ::SetTextColor(dc, text);
    ::SetBkColor(dc, back);
}

HBRUSH CXTButton::CheckerBrush()
{
    if (!m_checkerBrush) {
        static const WORD pattern[8] = {0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA};
        // The brush keeps its own copy of the pattern.
        if (const UniqueBitmap bitmap{::CreateBitmap(8, 8, 1, 1, pattern)})
            m_checkerBrush.reset(::CreatePatternBrush(bitmap.get()));
    }
    return m_checkerBrush ? m_checkerBrush.get() : ::GetSysColorBrush(COLOR_BTNFACE);
}
