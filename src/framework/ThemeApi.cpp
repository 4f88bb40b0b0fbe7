// The visual-style calls: UxTheme's own from the system folder, or, without it, no style at all.
#include "framework/ThemeApi.h"

#include "framework/SystemLibrary.h"

namespace {

BOOL WINAPI NoStyleActive()
{
    return FALSE;
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
    // While no style is active the controls draw their classic faces and call nothing else.
    ThemeApi none{};
    none.isAppThemed = NoStyleActive;
    return none;
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
