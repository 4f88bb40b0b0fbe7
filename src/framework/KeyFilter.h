// The keyboard filters of dialogs: Enter and Escape that act only on a few buttons, held keys.
#pragma once

#include <windows.h>

#include <initializer_list>

// A key held down repeats its press (bit 30 of lParam: the key was down already); a command runs once.
inline bool IsKeyRepeat(const MSG& msg)
{
    return (msg.lParam & (LPARAM{1} << 30)) != 0;
}

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
