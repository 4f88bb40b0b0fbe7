// ControlProbe: rectangles, text extents and fonts of controls.
#include "support/ControlProbe.h"

RECT RectInParent(HWND control)
{
    RECT rect;
    ::GetWindowRect(control, &rect);
    ::MapWindowPoints(nullptr, ::GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

SIZE TextExtent(HWND window, const std::wstring& text, HFONT font)
{
    if (!font)
        font = reinterpret_cast<HFONT>(::SendMessageW(window, WM_GETFONT, 0, 0));
    HDC dc = ::GetDC(window);
    HGDIOBJ previous = ::SelectObject(dc, font);
    SIZE size = {};
    ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    ::SelectObject(dc, previous);
    ::ReleaseDC(window, dc);
    return size;
}

bool IsUnderlined(HWND window)
{
    LOGFONTW font = {};
    ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(window, WM_GETFONT, 0, 0)), sizeof font, &font);
    return font.lfUnderline;
}

int AtScreenDpi(int pixels)
{
    return ::MulDiv(pixels, static_cast<int>(ScreenDpi()), 96);
}
