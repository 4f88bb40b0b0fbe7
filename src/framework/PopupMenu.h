// Shortcut menus behind a replaceable function, so that tests can choose from them.
#pragma once

#include <windows.h>

using PopupMenuFunction = UINT (*)(HMENU menu, HWND owner, POINT at);

// Shows the menu at a point of the screen and returns the command chosen; 0 for none.
UINT ShowPopupMenu(HMENU menu, HWND owner, POINT at);

// Replaces the function that shows menus; returns the previous one. nullptr restores the system's.
PopupMenuFunction SetPopupMenuFunction(PopupMenuFunction function);
