// Opening a link's target (a web address or a "mailto:" address) and the message for a failure.
#pragma once

#include <windows.h>

#include <string>

// The command line built from the registry's web-page command holds this many characters with
// its terminator; a longer one is not run.
inline constexpr size_t kCommandBufferLength = 520;
// A registry default value is read with this limit in bytes (129 characters and the terminator).
inline constexpr DWORD kDefaultValueLimit = 260;

// Opens target through the shell, or else through the command line registered for web pages.
// More than 32: opened; 32 or less: the failure code (the shell's, or the program start's).
int OpenLinkTarget(const std::wstring& target);

// Reads key's default value (within kDefaultValueLimit bytes) into destination, and closes key in
// every case; false when the value is missing or too long.
bool ReadDefaultValue(HKEY key, std::wstring& destination);

// "Unable to open hyperlink:" and the line for code, in the application's message box.
void ShowOpenError(int code);
