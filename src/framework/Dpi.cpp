// DPI lookups and scaling. The newer calls are looked up at run time, so that the program still
// starts where they are missing.
#include "framework/Dpi.h"

#include <commctrl.h>

namespace {

template <typename Function>
Function User32Function(const char* name)
{
    return reinterpret_cast<Function>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"user32.dll"), name)));
}

int Scale(int value, UINT fromDpi, UINT toDpi)
{
    return ::MulDiv(value, static_cast<int>(toDpi), static_cast<int>(fromDpi));
}

} // namespace

UINT WindowDpi(HWND hwnd)
{
    using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = User32Function<GetDpiForWindowFunction>("GetDpiForWindow");
    if (getDpiForWindow && hwnd) {
        if (const UINT dpi = getDpiForWindow(hwnd))
            return dpi;
    }
    HDC screen = ::GetDC(nullptr);
    const int dpi = screen ? ::GetDeviceCaps(screen, LOGPIXELSX) : 96;
    if (screen)
        ::ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}

std::optional<DpiChange> ReadDpiChange(WPARAM wp, LPARAM lp)
{
    const UINT dpi = LOWORD(wp);
    if (dpi == 0 || lp == 0)
        return std::nullopt;
    return DpiChange{dpi, *reinterpret_cast<const RECT*>(lp)};
}

DpiBehaviorCalls& TheDpiBehaviorCalls()
{
    static DpiBehaviorCalls calls = {
        User32Function<decltype(DpiBehaviorCalls::setDialog)>("SetDialogDpiChangeBehavior"),
        User32Function<decltype(DpiBehaviorCalls::setControl)>("SetDialogControlDpiChangeBehavior"),
    };
    return calls;
}

void TakeOverDpiLayout(HWND dialog, HWND control)
{
    constexpr int kDisableResize = 0x0002; // DDC_DISABLE_RESIZE
    const DpiBehaviorCalls& calls = TheDpiBehaviorCalls();
    if (calls.setDialog && dialog)
        calls.setDialog(dialog, kDisableResize, kDisableResize);
    TakeOverControlDpiLayout(control, false);
}

void TakeOverControlDpiLayout(HWND control, bool fonts)
{
    constexpr int kDisableFontUpdate = 0x0001; // DCDC_DISABLE_FONT_UPDATE
    constexpr int kDisableRelayout = 0x0002;   // DCDC_DISABLE_RELAYOUT
    const DpiBehaviorCalls& calls = TheDpiBehaviorCalls();
    const int taken = kDisableRelayout | (fonts ? kDisableFontUpdate : 0);
    if (calls.setControl && control)
        calls.setControl(control, taken, taken);
}

void ScaleChildWindow(HWND child, UINT fromDpi, UINT toDpi)
{
    if (!child || fromDpi == 0 || fromDpi == toDpi)
        return;
    RECT rect;
    ::GetWindowRect(child, &rect);
    ::MapWindowPoints(nullptr, ::GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    const int left = Scale(rect.left, fromDpi, toDpi);
    const int top = Scale(rect.top, fromDpi, toDpi);
    ::SetWindowPos(child, nullptr, left, top, Scale(rect.right, fromDpi, toDpi) - left,
                   Scale(rect.bottom, fromDpi, toDpi) - top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void ScaleColumnWidths(HWND list, UINT fromDpi, UINT toDpi)
{
    if (!list || fromDpi == 0 || fromDpi == toDpi)
        return;
    const int count = Header_GetItemCount(ListView_GetHeader(list));
    for (int c = 0; c < count; ++c)
        ListView_SetColumnWidth(list, c, Scale(ListView_GetColumnWidth(list, c), fromDpi, toDpi));
}
