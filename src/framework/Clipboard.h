// Unicode text onto the clipboard.
#pragma once

#include <windows.h>

#include <string_view>

// Replaces what the clipboard holds with text; false when the clipboard could not be had within a
// moment (another program holds it open) or there was no memory for the text. While it waits for
// the clipboard, owner answers what other programs send it but runs no command.
bool SetClipboardText(HWND owner, std::wstring_view text);

// The call that hands the text to the clipboard, replaceable so that tests can make it refuse;
// returns the previous one. nullptr restores the system's.
using ClipboardDataFunction = HANDLE(WINAPI*)(UINT format, HANDLE memory);
ClipboardDataFunction SetClipboardDataFunction(ClipboardDataFunction function);
