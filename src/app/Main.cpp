// The program's entry point.
#include "app/QuorrexDlg.h"

#include <windows.h>

#include <commctrl.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int)
{
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    CQuorrexDlg dialog;
    dialog.DoModal();
    return 0;
}
