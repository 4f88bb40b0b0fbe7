// The application's message box: the program's name as caption, owned by the window the user works
// in.
// The box goes through a replaceable function so that tests can answer it.
#pragma once

#include <windows.h>

#include <string>

using MessageBoxFunction = int (*)(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type);

// The program's name: its executable's file name without folder and extension.
const std::wstring& AppName();

// The owner of the application's boxes: the last popup the main window activated (the main window
// itself, or a dialog it runs). Not the active window: with another program in front there is none,
// and a box without an owner would leave the main window enabled under it. Without a main window,
// the active window.
HWND MessageBoxOwner();

int AppMessageBox(const std::wstring& text, UINT type = MB_OK);

// Replaces the function that shows the box; returns the previous one. nullptr restores the system's.
MessageBoxFunction SetMessageBoxFunction(MessageBoxFunction function);
