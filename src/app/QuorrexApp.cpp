// CQuorrexApp::InitInstance: the common controls, then the main dialog as the whole program.
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
