/* A program that does nothing, for the header check's own test: linked once as the shipped program
   is, and once with every fault that the check must name. */
#include <windows.h>

#include <commctrl.h>
#include <lm.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show)
{
    (void)instance;
    (void)previous;
    (void)commandLine;
    /* The common controls, which only the manifest makes safe to import. */
    if (show == -1)
        InitCommonControls();
#ifndef PROBE_FAULTS
    SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
#else
    /* An import of a DLL that Windows looks for beside the exe, and a path of the build machine. */
    if (show == -2) {
        NetApiBufferFree(NULL);
        OutputDebugStringA(PROBE_BUILD_PATH);
    }
#endif
    return 0;
}
