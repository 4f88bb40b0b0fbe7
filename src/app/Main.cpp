// The program's entry point: the one application object, run.
#include "app/QuorrexApp.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int)
{
    static CQuorrexApp theApp;
    return theApp.Run();
}
