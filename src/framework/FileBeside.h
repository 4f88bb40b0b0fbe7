// A file written beside the one it replaces and put in its place once complete, so that a save
// that fails half-way (a full disk, a share that goes away) never costs the file that was there.
#pragma once

#include <windows.h>

#include <string>

// Whether target can be replaced now: there is none, or it is writable and no program holds it
// open. Nothing about it changes.
bool CanReplace(const std::wstring& target);

// Creates a new empty file of a free name in target's folder, open for writing; the handle, or
// INVALID_HANDLE_VALUE, and the name in written.
HANDLE CreateFileBeside(const std::wstring& target, std::wstring& written);

// Puts the closed file written in target's place. On success target holds written's bytes (on
// Windows with the old file's attributes and permissions). On failure target is as it was, the
// old file or none, and written is gone. No other file is left behind either way.
bool PutInPlace(const std::wstring& written, const std::wstring& target);
