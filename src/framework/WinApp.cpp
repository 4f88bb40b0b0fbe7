// CWinApp: the application object of the moment, and Run: InitInstance, then a message loop for an
// application that keeps running.
#include "framework/WinApp.h"

#include "framework/Wnd.h"

CWinApp* CWinApp::s_current = nullptr;

CWinApp::CWinApp() : m_outer(s_current)
{
    s_current = this;
}

CWinApp::~CWinApp()
{
    s_current = m_outer;
}

HWND MainWindowHandle()
{
    const CWinApp* app = CWinApp::Current();
    return app && app->m_pMainWnd ? app->m_pMainWnd->m_hWnd : nullptr;
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
