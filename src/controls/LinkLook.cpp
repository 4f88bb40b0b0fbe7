// The look and the attach that the text link and the picture link have in common.
#include "controls/LinkLook.h"

#include "framework/Wnd.h"

UniqueCursor CopySystemHand()
{
    HCURSOR hand = ::LoadCursorW(nullptr, IDC_HAND);
    return UniqueCursor(hand ? ::CopyIcon(hand) : nullptr);
}

void AttachLinkItem(HWND item, std::wstring& target)
{
    ::SetWindowLongW(item, GWL_STYLE, ::GetWindowLongW(item, GWL_STYLE) | SS_NOTIFY);
    if (target.empty())
        target = CWnd::WindowText(item);
}
