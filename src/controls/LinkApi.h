// The platform calls through which links reach the world outside the program: the shell, the
// registry's web-page command, program start, the help viewer's cursor and the beep. Production
// uses the system's functions; tests put fakes in their place, so that no browser ever starts.
#pragma once

#include <windows.h>

struct LinkApi {
    HINSTANCE(WINAPI* shellExecute)(HWND owner, LPCWSTR verb, LPCWSTR file, LPCWSTR parameters, LPCWSTR folder,
                                    INT show);
    LSTATUS(WINAPI* regOpenKeyEx)(HKEY root, LPCWSTR subKey, DWORD options, REGSAM access, PHKEY key);
    LSTATUS(WINAPI* regQueryValueEx)(HKEY key, LPCWSTR name, LPDWORD reserved, LPDWORD type, LPBYTE data,
                                     LPDWORD size);
    LSTATUS(WINAPI* regCloseKey)(HKEY key);
    UINT(WINAPI* winExec)(LPCSTR commandLine, UINT show);
    HMODULE(WINAPI* loadLibraryEx)(LPCWSTR path, HANDLE reserved, DWORD flags);
    BOOL(WINAPI* freeLibrary)(HMODULE module);
    BOOL(WINAPI* messageBeep)(UINT type);
};

// The calls in force; tests replace entries and put the system's back afterwards.
LinkApi& TheLinkApi();
// The system's own functions.
LinkApi SystemLinkApi();
