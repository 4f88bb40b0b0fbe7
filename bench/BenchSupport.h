// What the benchmarks share: a stopwatch reading and the program's main dialog, shown.
#pragma once

#include "app/QuorrexDlg.h"

#include <windows.h>

#include <commctrl.h>

#include <chrono>

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
