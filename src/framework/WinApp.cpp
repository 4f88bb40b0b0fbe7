// CWinApp::Run: InitInstance, then a message loop for an application that keeps running.
#include "framework/WinApp.h"

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
