// The visual-style calls the themed controls draw with, from the system's UxTheme. Where it cannot
// be loaded, stand-ins say that no style is active, and the controls draw their classic faces.
#pragma once

#include <windows.h>

#include <uxtheme.h>

struct ThemeApi {
    BOOL(WINAPI* isAppThemed)();
    HTHEME(WINAPI* openThemeData)(HWND window, LPCWSTR classes);
    HRESULT(WINAPI* closeThemeData)(HTHEME theme);
    BOOL(WINAPI* isThemeBackgroundPartiallyTransparent)(HTHEME theme, int part, int state);
    HRESULT(WINAPI* drawThemeParentBackground)(HWND window, HDC dc, const RECT* rect);
    HRESULT(WINAPI* drawThemeBackground)(HTHEME theme, HDC dc, int part, int state, LPCRECT rect, LPCRECT clip);
    HRESULT(WINAPI* getThemeBackgroundContentRect)(HTHEME theme, HDC dc, int part, int state, LPCRECT bounds,
                                                   LPRECT content);
    HRESULT(WINAPI* drawThemeText)(HTHEME theme, HDC dc, int part, int state, LPCWSTR text, int length, DWORD flags,
                                   DWORD unused, LPCRECT rect);
};

// The calls in force; tests replace them and put the system's back afterwards.
ThemeApi& TheThemeApi();
// The system's own functions, from UxTheme in the system folder.
ThemeApi SystemThemeApi();
// The functions of this module (UxTheme, or null when it did not load). When it is missing or lacks
// one, isAppThemed says that no style is active and the others are null: nothing calls them then.
ThemeApi ThemeApiFrom(HMODULE uxtheme);
