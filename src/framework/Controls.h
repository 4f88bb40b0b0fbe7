// Thin wrappers of the standard controls, one message a method.
#pragma once

#include "framework/Wnd.h"

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
