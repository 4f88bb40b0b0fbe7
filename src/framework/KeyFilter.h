// The keyboard filter of dialogs whose Enter and Escape act only on a few buttons.
#pragma once

#include <windows.h>

#include <initializer_list>

// True for an Enter or Escape key press while the focus is on none of the given controls: such a
// key is to be dropped, or the dialog manager would take it for OK or Cancel.
inline bool IsEnterOrEscapeAwayFrom(const MSG& msg, std::initializer_list<HWND> controls)
{
    if (msg.message != WM_KEYDOWN || (msg.wParam != VK_RETURN && msg.wParam != VK_ESCAPE))
        return false;
    const HWND focus = ::GetFocus();
    for (HWND control : controls) {
        if (focus == control)
            return false;
    }
    return true;
}
