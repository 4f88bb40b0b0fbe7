// The system's functions, the default of the link seam.
#include "controls/LinkApi.h"

#include <shellapi.h>

LinkApi SystemLinkApi()
{
    return LinkApi{
        ::ShellExecuteW, ::RegOpenKeyExW,   ::RegQueryValueExW, ::RegCloseKey,
        ::WinExec,       ::LoadLibraryExW, ::FreeLibrary,      ::MessageBeep,
    };
}

LinkApi& TheLinkApi()
{
    static LinkApi api = SystemLinkApi();
    return api;
}
