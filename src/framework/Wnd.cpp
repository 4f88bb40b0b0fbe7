// CWnd helpers that need more than one message.
#include "framework/Wnd.h"

std::wstring CWnd::WindowText(HWND hwnd)
{
    if (!hwnd)
        return {};
    const int length = ::GetWindowTextLengthW(hwnd);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const int copied = ::GetWindowTextW(hwnd, text.data(), length + 1);
    text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
    return text;
}
