// Pixel figures given for a 96-DPI display, scaled to the window's display.
#pragma once

#include <windows.h>

inline int ScaleForWindow(HWND hwnd, int pixels)
{
    const UINT dpi = hwnd ? ::GetDpiForWindow(hwnd) : 0;
    return dpi ? ::MulDiv(pixels, static_cast<int>(dpi), 96) : pixels;
}
