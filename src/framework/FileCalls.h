// The file calls through which a saved file is written and put in place: the system's, or the
// ones a test puts in their place to make a full disk or a refused replace.
#pragma once

#include <windows.h>

struct FileCalls {
    BOOL(WINAPI* writeFile)(HANDLE file, LPCVOID data, DWORD size, LPDWORD written, LPOVERLAPPED overlapped);
    BOOL(WINAPI* replaceFile)(LPCWSTR replaced, LPCWSTR replacement, LPCWSTR backup, DWORD flags, LPVOID exclude,
                              LPVOID reserved);
    BOOL(WINAPI* moveFile)(LPCWSTR from, LPCWSTR to, DWORD flags);
};

// The calls in force; tests replace entries and put the system's back afterwards.
FileCalls& TheFileCalls();
// The system's own functions.
FileCalls SystemFileCalls();
