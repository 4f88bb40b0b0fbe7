// Pixels of windows, to compare what was drawn.
#pragma once

#include <windows.h>

#include <vector>

struct Image {
    int width = 0;
    int height = 0;
    std::vector<DWORD> pixels; // 0x00RRGGBB, rows from the top

    COLORREF At(int x, int y) const
    {
        const DWORD p = pixels[static_cast<size_t>(y) * width + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    bool operator==(const Image&) const = default;
};

// What the screen shows of a window's client area in area (client coordinates), after the window
// has painted whatever it had to paint.
Image ScreenPixels(HWND window, const RECT& area);
// What a window draws of its client area into a memory surface (WM_PRINTCLIENT).
Image PrintedPixels(HWND window);
// A bitmap's pixels.
Image BitmapPixels(HBITMAP bitmap);
