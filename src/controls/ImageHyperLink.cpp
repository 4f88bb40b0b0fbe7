// CImageHyperLink: attach, cursor and click.
#include "controls/ImageHyperLink.h"

#include "controls/LinkLook.h"
#include "controls/OpenLinkTarget.h"

bool CImageHyperLink::BindDlgItem(HWND hwnd)
{
    if (!hwnd)
        return false;
    m_hWnd = hwnd;
    AttachLinkItem(hwnd, m_target);
    if (!m_handCursor)
        m_handCursor = CopySystemHand();
    return SubclassWindow(hwnd);
}

bool CImageHyperLink::OnChildNotify(UINT msg, WPARAM wp, LPARAM, LRESULT* result)
{
    if (msg != WM_COMMAND || HIWORD(wp) != STN_CLICKED)
        return false;
    OpenLinkTarget(m_target); // a picture link says nothing when it fails
    *result = 0;
    return true;
}

LRESULT CImageHyperLink::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_SETCURSOR) {
        if (!m_handCursor)
            return FALSE;
        ::SetCursor(m_handCursor.get());
        return TRUE;
    }
    return Default(msg, wp, lp);
}
