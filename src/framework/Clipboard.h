// Unicode text onto the clipboard.
#pragma once

#include <windows.h>

#include <string_view>

// Replaces what the clipboard holds with text; false when the clipboard could not be had within a
// moment (another program holds it open) or there was no memory for the text.
bool SetClipboardText(HWND owner, std::wstring_view text);
