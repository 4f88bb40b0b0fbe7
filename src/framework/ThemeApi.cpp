// The visual-style calls: UxTheme's own from the system folder, or stand-ins without a style.
#include "framework/ThemeApi.h"

#include "framework/SystemLibrary.h"

namespace {

BOOL WINAPI NoStyleActive()
{
    return FALSE;
}

// Nothing below is called while no style is active; each still fails cleanly if it is.
HTHEME WINAPI NoTheme(HWND, LPCWSTR)
{
    return nullptr;
}

HRESULT WINAPI NoThemeToClose(HTHEME)
{
    return E_HANDLE;
}

BOOL WINAPI NoTransparency(HTHEME, int, int)
{
    return FALSE;
}

HRESULT WINAPI NoParentBackground(HWND, HDC, const RECT*)
{
    return E_HANDLE;
}

HRESULT WINAPI NoBackground(HTHEME, HDC, int, int, LPCRECT, LPCRECT)
{
    return E_HANDLE;
}

HRESULT WINAPI NoContentRect(HTHEME, HDC, int, int, LPCRECT bounds, LPRECT content)
{
    *content = *bounds;
    return E_HANDLE;
}

HRESULT WINAPI NoText(HTHEME, HDC, int, int, LPCWSTR, int, DWORD, DWORD, LPCRECT)
{
    return E_HANDLE;
}

} // namespace

ThemeApi ThemeApiFrom(HMODULE uxtheme)
{
    ThemeApi found{};
    SystemFunctions theme(uxtheme);
    theme.Find(found.isAppThemed, "IsAppThemed");
    theme.Find(found.openThemeData, "OpenThemeData");
    theme.Find(found.closeThemeData, "CloseThemeData");
    theme.Find(found.isThemeBackgroundPartiallyTransparent, "IsThemeBackgroundPartiallyTransparent");
    theme.Find(found.drawThemeParentBackground, "DrawThemeParentBackground");
    theme.Find(found.drawThemeBackground, "DrawThemeBackground");
    theme.Find(found.getThemeBackgroundContentRect, "GetThemeBackgroundContentRect");
    theme.Find(found.drawThemeText, "DrawThemeText");
    if (theme.Complete())
        return found;
    return ThemeApi{NoStyleActive,      NoTheme,      NoThemeToClose, NoTransparency,
                    NoParentBackground, NoBackground, NoContentRect,  NoText};
}

ThemeApi SystemThemeApi()
{
    return ThemeApiFrom(LoadSystemLibrary(L"uxtheme.dll"));
}

ThemeApi& TheThemeApi()
{
    static ThemeApi api = SystemThemeApi();
    return api;
}
