// CWinApp: the application object. The program's entry point runs its InitInstance; when that
// returns false the program ends (a dialog application runs its dialog inside InitInstance).
#pragma once

#include <windows.h>

#include <string>

class CWnd;

class CWinApp {
public:
    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    virtual BOOL InitInstance() { return TRUE; }
    // Runs the application; returns the process exit code.
    int Run();

    // The registry key under which settings would be kept; nothing is read or written there.
    void SetRegistryKey(const std::wstring& key) { m_registryKey = key; }
    const std::wstring& GetRegistryKey() const { return m_registryKey; }

    // The application object that lives now: the newest one, while it lives.
    static CWinApp* Current() { return s_current; }

    CWnd* m_pMainWnd = nullptr;

private:
    static CWinApp* s_current;
    CWinApp* m_outer; // the one this object stands in for while it lives
    std::wstring m_registryKey;
};

// The main window's handle, or null when there is no application object or no main window.
HWND MainWindowHandle();
