// CWnd: a thin owner of an HWND with access to the window's controls by number.
#pragma once

#include <windows.h>

#include <string>

class CWnd {
public:
    CWnd() = default;
    explicit CWnd(HWND hwnd) : m_hWnd(hwnd) {}
    virtual ~CWnd() = default;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND GetSafeHwnd() const { return m_hWnd; }
    HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
    LRESULT SendDlgItemMessage(int id, UINT msg, WPARAM wp = 0, LPARAM lp = 0) const
    {
        return ::SendDlgItemMessageW(m_hWnd, id, msg, wp, lp);
    }

    std::wstring GetWindowText() const { return WindowText(m_hWnd); }
    void SetWindowText(const std::wstring& text) const { ::SetWindowTextW(m_hWnd, text.c_str()); }
    std::wstring GetDlgItemText(int id) const { return WindowText(GetDlgItem(id)); }
    void SetDlgItemText(int id, const std::wstring& text) const
    {
        ::SetDlgItemTextW(m_hWnd, id, text.c_str());
    }

    // The whole text of any window, however long.
    static std::wstring WindowText(HWND hwnd);

    HWND m_hWnd = nullptr;
};
