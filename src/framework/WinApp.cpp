// CWinApp: one application object per process, run from the entry point.
#include "framework/WinApp.h"

CWinApp* CWinApp::s_current = nullptr;

CWinApp::CWinApp()
{
    s_current = this;
}

CWinApp::~CWinApp()
{
    if (s_current == this)
        s_current = nullptr;
}

int CWinApp::Run()
{
    if (!InitInstance())
        return 0;
    // An application that keeps running after InitInstance pumps messages until WM_QUIT.
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}
