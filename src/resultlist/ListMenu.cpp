// ListMenuPoint and ChooseFromListMenu.
#include "resultlist/ListMenu.h"

#include "framework/PopupMenu.h"
#include "resources/resource.h"

#include <windowsx.h>

#include <algorithm>

POINT ListMenuPoint(const CListCtrl& list, LPARAM messagePoint)
{
    const POINT given = {GET_X_LPARAM(messagePoint), GET_Y_LPARAM(messagePoint)};
    if (given.x != -1 || given.y != -1)
        return given;
    POINT at = {0, 0};
    const int focused = ListView_GetNextItem(list.m_hWnd, -1, LVNI_FOCUSED);
    RECT row;
    RECT client;
    ::GetClientRect(list.m_hWnd, &client);
    // A focused row scrolled out of sight would put the menu beside the list; so would the start of
    // a row of a list scrolled sideways, which lies left of it.
    if (focused >= 0 && ListView_GetItemRect(list.m_hWnd, focused, &row, LVIR_LABEL) && row.bottom > client.top &&
        row.bottom < client.bottom)
        at = {std::clamp(row.left, client.left, std::max(client.left, client.right - 1)), row.bottom};
    ::ClientToScreen(list.m_hWnd, &at);
    return at;
}

UINT ChooseFromListMenu(const CListCtrl& list, HWND owner, POINT at)
{
    HMENU menu = ::CreatePopupMenu();
    if (!menu)
        return 0;
    const bool rowsSelected = ListView_GetNextItem(list.m_hWnd, -1, LVNI_SELECTED) >= 0;
    ::AppendMenuW(menu, MF_STRING | (rowsSelected ? MF_ENABLED : MF_GRAYED), IDM_COPY_ROWS, L"Copy");
    ::AppendMenuW(menu, MF_STRING, IDM_SELECT_ALL_ROWS, L"Select All");
    ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(menu, MF_STRING, IDM_SAVE_AS_CSV, L"Save as CSV\u2026");
    ::AppendMenuW(menu, MF_STRING, IDM_SAVE_AS_CSV_UTF8, L"Save as CSV (UTF-8)\u2026");
    const UINT command = ShowPopupMenu(menu, owner, at);
    ::DestroyMenu(menu);
    return command;
}
