// Thin wrappers of the standard controls, one message a method.
#pragma once

#include "framework/Wnd.h"

#include <commctrl.h>

#include <string>

class CEdit : public CWnd {};

class CStatic : public CWnd {};

class CListBox : public CWnd {
public:
    int GetCount() const { return static_cast<int>(SendMessage(LB_GETCOUNT)); }
    int GetCurSel() const { return static_cast<int>(SendMessage(LB_GETCURSEL)); }
    int SetCurSel(int index) const { return static_cast<int>(SendMessage(LB_SETCURSEL, index)); }
    int AddString(const std::wstring& text) const
    {
        return static_cast<int>(SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
    }
    int DeleteString(int index) const { return static_cast<int>(SendMessage(LB_DELETESTRING, index)); }
    std::wstring GetText(int index) const;
};

// A tooltip with tools identified by window and number. It is subclassed only so that the object
// forgets its handle when the window goes (a tooltip dies with its owner, often before us).
class CToolTipCtrl : public CWnd {
public:
    // Creates the tooltip popup owned by owner (the system makes the owner's top-level window own it).
    bool Create(HWND owner, DWORD style = 0);
    bool AddTool(HWND window, const std::wstring& text, const RECT& rect, UINT_PTR id) const;
    void UpdateTipText(const std::wstring& text, HWND window, UINT_PTR id) const;
    std::wstring GetText(HWND window, UINT_PTR id) const;
    bool GetToolRect(HWND window, UINT_PTR id, RECT* rect) const;
    void RelayEvent(MSG* msg) const { SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(msg)); }
};
