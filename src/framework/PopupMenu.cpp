// ShowPopupMenu through the system's TrackPopupMenu, or the function that replaces it.
#include "framework/PopupMenu.h"

namespace {

UINT SystemPopupMenu(HMENU menu, HWND owner, POINT at)
{
    return static_cast<UINT>(::TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN,
                                              at.x, at.y, 0, owner, nullptr));
}

PopupMenuFunction g_popupMenu = SystemPopupMenu;

} // namespace

UINT ShowPopupMenu(HMENU menu, HWND owner, POINT at)
{
    return g_popupMenu(menu, owner, at);
}

PopupMenuFunction SetPopupMenuFunction(PopupMenuFunction function)
{
    PopupMenuFunction previous = g_popupMenu;
    g_popupMenu = function ? function : SystemPopupMenu;
    return previous;
}
