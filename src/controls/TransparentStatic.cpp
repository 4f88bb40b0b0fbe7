// CTransparentStatic: the hollow background and the repaint under a new text.
#include "controls/TransparentStatic.h"

bool CTransparentStatic::OnChildNotify(UINT msg, WPARAM wp, LPARAM, LRESULT* result)
{
    if (msg != WM_CTLCOLORSTATIC)
        return false;
    ::SetBkMode(reinterpret_cast<HDC>(wp), TRANSPARENT);
    *result = reinterpret_cast<LRESULT>(::GetStockObject(NULL_BRUSH));
    return true;
}

LRESULT CTransparentStatic::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg != WM_SETTEXT)
        return Default(msg, wp, lp);
    const LRESULT result = Default(msg, wp, lp);
    // Drawn without a background, the new text would land on the old one: the parent paints its
    // picture over the label's area first.
    HWND parent = ::GetParent(m_hWnd);
    RECT area;
    ::GetWindowRect(m_hWnd, &area);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&area), 2);
    ::InvalidateRect(parent, &area, TRUE);
    ::UpdateWindow(parent);
    return result;
}
