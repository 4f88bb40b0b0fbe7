// Control wrapper operations that need more than one message.
#include "framework/Controls.h"

std::wstring CListBox::GetText(int index) const
{
    const auto length = SendMessage(LB_GETTEXTLEN, index);
    if (length == LB_ERR)
        return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const auto copied = SendMessage(LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied == LB_ERR ? 0 : static_cast<size_t>(copied));
    return text;
}
