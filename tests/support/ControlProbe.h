// What tests read off controls: where they stand, how wide a text is, whether they underline, and
// the display's DPI their sizes depend on.
#pragma once

#include <windows.h>

#include <string>

// The control's window rectangle in its parent's client coordinates.
RECT RectInParent(HWND control);
// The extent of text in font (the window's own font when font is null), measured on window.
SIZE TextExtent(HWND window, const std::wstring& text, HFONT font = nullptr);
bool IsUnderlined(HWND window);
// A figure given in pixels at 96 DPI, at the DPI of this test run's display.
int AtScreenDpi(int pixels);
inline UINT ScreenDpi()
{
    HDC screen = ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSX);
    ::ReleaseDC(nullptr, screen);
    return static_cast<UINT>(dpi);
}
