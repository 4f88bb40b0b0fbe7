// CWnd: a thin owner of an HWND with access to the window's controls by number. A CWnd can
// subclass its window, so that the object sees the window's messages and the notifications
// that its parent reflects back to it.
#pragma once

#include <windows.h>

#include <string>

class CWnd {
public:
    CWnd() = default;
    explicit CWnd(HWND hwnd) : m_hWnd(hwnd) {}
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
    LRESULT SendMessage(UINT msg, WPARAM wp = 0, LPARAM lp = 0) const { return ::SendMessageW(m_hWnd, msg, wp, lp); }
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
    void SetFont(HFONT font, bool redraw = true) const
    {
        SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw);
    }

    // The whole text of any window, however long.
    static std::wstring WindowText(HWND hwnd);

    // Binds this object to a dialog's control. A plain wrapper only takes the handle; a control
    // with behaviour of its own overrides this to subclass the window. (Subclassing costs a few
    // hundred microseconds per list-view insert under Wine, so plain wrappers do without it.)
    virtual bool BindDlgItem(HWND hwnd)
    {
        m_hWnd = hwnd;
        return hwnd != nullptr;
    }
    // Binds this object to an existing window and routes its messages through WindowProc.
    bool SubclassWindow(HWND hwnd);
    // The object bound to a window by SubclassWindow, if any.
    static CWnd* FromHandlePermanent(HWND hwnd);

    // A notification the parent reflects back to this control (WM_COMMAND, WM_CTLCOLORSTATIC,
    // WM_DRAWITEM); true if the control handled it, with the message's result.
    virtual bool OnChildNotify(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result);

    // Sees a message of this window (or of a window inside it) before it is dispatched; true if the
    // message is used up. A dialog offers every message to its controls this way (CDialog).
    virtual BOOL PreTranslateMessage(MSG*) { return FALSE; }

    HWND m_hWnd = nullptr;

protected:
    virtual LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp);
    // The window's own handling of a message (the procedure that was there before).
    LRESULT Default(UINT msg, WPARAM wp, LPARAM lp);

private:
    static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR data);
    bool m_subclassed = false;
};
