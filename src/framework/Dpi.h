// Pixel figures given for a 96-DPI display, scaled to the window's display, and what a window
// does when it moves to a display of another DPI.
#pragma once

#include <windows.h>

#include <optional>

// The DPI of the window's display: per window where the system knows it (Windows 10 and later),
// otherwise the screen's.
UINT WindowDpi(HWND hwnd);

inline int ScaleForWindow(HWND hwnd, int pixels)
{
    return ::MulDiv(pixels, static_cast<int>(WindowDpi(hwnd)), 96);
}

// What a WM_DPICHANGED says: the new DPI and the window rectangle the system suggests for it.
struct DpiChange {
    UINT dpi;
    RECT suggested;
};
// Nothing for a message without a DPI or without a rectangle: such a message is ignored.
std::optional<DpiChange> ReadDpiChange(WPARAM wp, LPARAM lp);

// The system's calls that take a dialog, or one of its controls, out of its own handling of a DPI
// change, looked up at run time: null where the system lacks them (Wine, Windows before 10).
// Tests put recorders in their place.
struct DpiBehaviorCalls {
    BOOL(WINAPI* setDialog)(HWND dialog, int mask, int values);
    BOOL(WINAPI* setControl)(HWND control, int mask, int values);
};
DpiBehaviorCalls& TheDpiBehaviorCalls();

// Takes a dialog's size and the place of one of its controls out of the system's own scaling on a
// DPI change (where the system has it), for a dialog that does both itself: the system would
// otherwise scale them a second time. Other controls keep the system's scaling.
void TakeOverDpiLayout(HWND dialog, HWND control);
// The same for one more control, whose font the dialog makes anew itself as well when fonts is true.
void TakeOverControlDpiLayout(HWND control, bool fonts);

// Moves and sizes a child window by the ratio of two DPIs, relative to its parent's client area.
void ScaleChildWindow(HWND child, UINT fromDpi, UINT toDpi);

// Scales every column width of a report-view list by the ratio of two DPIs.
void ScaleColumnWidths(HWND list, UINT fromDpi, UINT toDpi);
