// CWinApp: the application object. The program's entry point runs its InitInstance; when that
// returns false the program ends (a dialog application runs its dialog inside InitInstance).
#pragma once

#include <windows.h>

#include <string>

class CWnd;

class CWinApp {
public:
    CWinApp() = default;
    virtual ~CWinApp() = default;
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    virtual BOOL InitInstance() { return TRUE; }
    // Runs the application; returns the process exit code.
    int Run();

    // The registry key under which settings would be kept; nothing is read or written there.
    void SetRegistryKey(const std::wstring& key) { m_registryKey = key; }
    const std::wstring& GetRegistryKey() const { return m_registryKey; }

    CWnd* m_pMainWnd = nullptr;

private:
    std::wstring m_registryKey;
};
