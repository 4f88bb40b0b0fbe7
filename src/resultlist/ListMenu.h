// The result list's shortcut menu: "Copy", "Select All", "Save as CSV…" and "Save as CSV (UTF-8)…".
#pragma once

#include "framework/ListCtrl.h"

// Where the menu opens: at the pointer for a click (the point a WM_CONTEXTMENU carries), at the
// focused row for the keyboard (a point of -1, -1), at the list's corner when no row has the focus.
POINT ListMenuPoint(const CListCtrl& list, LPARAM messagePoint);

// Shows the menu ("Copy" only while rows are selected) and returns the command chosen, 0 for none:
// IDM_COPY_ROWS, IDM_SELECT_ALL_ROWS, IDM_SAVE_AS_CSV or IDM_SAVE_AS_CSV_UTF8.
UINT ChooseFromListMenu(const CListCtrl& list, HWND owner, POINT at);
