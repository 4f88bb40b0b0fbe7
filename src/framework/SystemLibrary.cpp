// The system-folder-only DLL search and loads.
#include "framework/SystemLibrary.h"

bool RestrictDllSearchToSystemFolder()
{
    const bool restricted = ::SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32) != FALSE;
    // Also out of the search orders that the default does not govern (a load with an altered search
    // path, as COM makes for a server it knows by full path): the current folder.
    ::SetDllDirectoryW(L"");
    return restricted;
}

HMODULE LoadSystemLibrary(const wchar_t* name)
{
    // The flag holds for this load whatever the process's default is, and for the DLL's own imports.
    return ::LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
}
