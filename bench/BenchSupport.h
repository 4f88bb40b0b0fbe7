// What the benchmarks share: a stopwatch reading, the program's main dialog, shown, and the bare
// fill of a list with cells held in memory.
#pragma once

#include "app/QuorrexDlg.h"

#include <windows.h>

#include <commctrl.h>

#include "framework/ListCtrl.h"

#include <chrono>
#include <string>
#include <vector>

inline double Seconds(std::chrono::steady_clock::time_point since)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// The real main dialog, so that the list is bound (subclassed) as in the program; false when it
// could not be made.
inline bool ShowMainDialog(CQuorrexDlg& dialog)
{
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    if (!dialog.Create())
        return false;
    ::ShowWindow(dialog.m_hWnd, SW_SHOW);
    return true;
}

// The cells a list shows, row by row, read back through the list.
inline std::vector<std::vector<std::wstring>> ReadCells(const CListCtrl& list)
{
    std::vector<std::vector<std::wstring>> rows(static_cast<size_t>(list.GetItemCount()));
    const int columns = list.GetColumnCount();
    for (size_t r = 0; r < rows.size(); ++r) {
        for (int c = 0; c < columns; ++c)
            rows[r].push_back(list.GetItemText(static_cast<int>(r), c));
    }
    return rows;
}

// Empties the list and fills it with the cells as plainly as the list view allows (no painting
// meanwhile, one insert and one text a cell); the seconds of the fill.
inline double FillBare(const CListCtrl& list, const std::vector<std::vector<std::wstring>>& rows)
{
    list.DeleteAllItems();
    const auto start = std::chrono::steady_clock::now();
    ::SendMessageW(list.m_hWnd, WM_SETREDRAW, FALSE, 0);
    for (size_t r = 0; r < rows.size(); ++r) {
        const int row = static_cast<int>(r);
        list.InsertItem(row, rows[r].empty() ? L"" : rows[r][0].c_str());
        for (size_t c = 1; c < rows[r].size(); ++c)
            list.SetItemText(row, static_cast<int>(c), rows[r][c].c_str());
    }
    ::SendMessageW(list.m_hWnd, WM_SETREDRAW, TRUE, 0);
    return Seconds(start);
}
