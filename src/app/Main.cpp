// The program's entry point: the DLL search restricted, then the one application object, run.
#include "app/QuorrexApp.h"
#include "framework/SystemLibrary.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int)
{
    // Before anything can load a DLL: the program is started from wherever it was copied to, a
    // Downloads folder among them, and a DLL lying there must never be the one that is loaded. The
    // exe imports only DLLs that Windows always takes from the system folder; the others are loaded
    // behind the seams, after this, and those loads name the system folder themselves as well.
    RestrictDllSearchToSystemFolder();
    // The search looks at its queue between rows, but one directory call can block longer than the
    // system waits before it calls a window hung; the system would then put a ghost window in its
    // place and offer to close the program, losing the search. Without ghosting the window just
    // waits, with its wait cursor.
    ::DisableProcessWindowsGhosting();
    static CQuorrexApp theApp;
    return theApp.Run();
}
