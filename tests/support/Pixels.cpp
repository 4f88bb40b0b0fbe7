// Pixels: copies into 32-bit memory surfaces.
#include "support/Pixels.h"

#include "support/DialogDriver.h"

namespace {

// A 32-bit top-down surface of that size, with its pixels readable in place.
struct Surface {
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ previous = nullptr;
    DWORD* bits = nullptr;
    int width, height;

    Surface(int w, int h) : width(w), height(h)
    {
        BITMAPINFO format = {};
        format.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        format.bmiHeader.biWidth = w;
        format.bmiHeader.biHeight = -h;
        format.bmiHeader.biPlanes = 1;
        format.bmiHeader.biBitCount = 32;
        format.bmiHeader.biCompression = BI_RGB;
        dc = ::CreateCompatibleDC(nullptr);
        void* pixels = nullptr;
        bitmap = ::CreateDIBSection(dc, &format, DIB_RGB_COLORS, &pixels, nullptr, 0);
        bits = static_cast<DWORD*>(pixels);
        previous = ::SelectObject(dc, bitmap);
    }
    ~Surface()
    {
        ::SelectObject(dc, previous);
        ::DeleteObject(bitmap);
        ::DeleteDC(dc);
    }
    Image Take() const
    {
        ::GdiFlush();
        Image image{width, height, {}};
        if (bits)
            image.pixels.assign(bits, bits + static_cast<size_t>(width) * height);
        for (DWORD& p : image.pixels)
            p &= 0x00FFFFFF;
        return image;
    }
};

} // namespace

Image ScreenPixels(HWND window, const RECT& area)
{
    ::RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    PumpMessages();
    Surface surface(area.right - area.left, area.bottom - area.top);
    HDC dc = ::GetDC(window);
    ::BitBlt(surface.dc, 0, 0, surface.width, surface.height, dc, area.left, area.top, SRCCOPY);
    ::ReleaseDC(window, dc);
    return surface.Take();
}

Image PrintedPixels(HWND window)
{
    RECT client;
    ::GetClientRect(window, &client);
    Surface surface(client.right, client.bottom);
    ::SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(surface.dc), PRF_CLIENT | PRF_ERASEBKGND);
    return surface.Take();
}

Image BitmapPixels(HBITMAP bitmap)
{
    BITMAP info = {};
    ::GetObjectW(bitmap, sizeof info, &info);
    Surface surface(info.bmWidth, info.bmHeight);
    HDC source = ::CreateCompatibleDC(nullptr);
    HGDIOBJ previous = ::SelectObject(source, bitmap);
    ::BitBlt(surface.dc, 0, 0, info.bmWidth, info.bmHeight, source, 0, 0, SRCCOPY);
    ::SelectObject(source, previous);
    ::DeleteDC(source);
    return surface.Take();
}
