// A plain window standing in as the program's main window, with an application object whose main
// window it is: the owner of the boxes that tests without the main dialog show.
#pragma once

#include "framework/WinApp.h"
#include "framework/Wnd.h"

class MainWindowStandIn : public CWnd {
public:
    MainWindowStandIn()
    {
        m_hWnd = ::CreateWindowExW(0, L"STATIC", L"Quorrex", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                                   nullptr, nullptr);
        m_app.m_pMainWnd = this;
    }
    ~MainWindowStandIn() override { ::DestroyWindow(m_hWnd); }

private:
    CWinApp m_app;
};
