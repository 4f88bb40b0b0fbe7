// Pixel figures given for a 96-DPI display, scaled to the window's display.
#pragma once

#include <windows.h>

// The DPI of the window's display: per window where the system knows it (Windows 10 and later),
// otherwise the screen's.
UINT WindowDpi(HWND hwnd);

inline int ScaleForWindow(HWND hwnd, int pixels)
{
    return ::MulDiv(pixels, static_cast<int>(WindowDpi(hwnd)), 96);
}
