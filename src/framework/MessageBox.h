// The application's message box: the program's name as caption, owned by the active window.
// The box goes through a replaceable function so that tests can answer it.
#pragma once

#include <windows.h>

#include <string>

using MessageBoxFunction = int (*)(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type);

// The program's name: its executable's file name without folder and extension.
const std::wstring& AppName();

int AppMessageBox(const std::wstring& text, UINT type = MB_OK);

// Replaces the function that shows the box; returns the previous one. nullptr restores the system's.
MessageBoxFunction SetMessageBoxFunction(MessageBoxFunction function);
