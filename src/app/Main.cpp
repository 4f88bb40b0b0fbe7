// The program's entry point: the one application object, run.
#include "app/QuorrexApp.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int)
{
    // The search looks at its queue between rows, but one directory call can block longer than the
    // system waits before it calls a window hung; the system would then put a ghost window in its
    // place and offer to close the program, losing the search. Without ghosting the window just
    // waits, with its wait cursor.
    ::DisableProcessWindowsGhosting();
    static CQuorrexApp theApp;
    return theApp.Run();
}
