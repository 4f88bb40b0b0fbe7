// CQuorrexApp::InitInstance and the program's entry point.
#include "app/QuorrexApp.h"

#include "app/QuorrexDlg.h"

#include <commctrl.h>

BOOL CQuorrexApp::InitInstance()
{
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    SetRegistryKey(L"Local AppWizard-Generated Applications");

    CQuorrexDlg dialog;
    m_pMainWnd = &dialog;
    dialog.DoModal();
    m_pMainWnd = nullptr;
    // The dialog has ended: returning false ends the program instead of entering a message loop.
    return FALSE;
}
