// The system-folder-only DLL search and loads.
#include "framework/SystemLibrary.h"

bool RestrictDllSearchToSystemFolder()
{
    return ::SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32) != FALSE;
}

HMODULE LoadSystemLibrary(const wchar_t* name)
{
    // The flag holds for this load whatever the process's default is, and for the DLL's own imports.
    return ::LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
}
