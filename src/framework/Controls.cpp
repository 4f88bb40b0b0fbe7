// Control wrapper operations that need more than one message.
#include "framework/Controls.h"

#include <cwchar>

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

namespace {

TTTOOLINFOW ToolInfo(HWND window, UINT_PTR id, const wchar_t* text = nullptr)
{
    TTTOOLINFOW tool = {};
    tool.cbSize = sizeof tool;
    tool.hwnd = window;
    tool.uId = id;
    tool.lpszText = const_cast<wchar_t*>(text);
    return tool;
}

} // namespace

bool CToolTipCtrl::Create(HWND owner, DWORD style)
{
    HWND hwnd = ::CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | style, CW_USEDEFAULT, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    if (hwnd && SubclassWindow(hwnd))
        return true;
    if (hwnd)
        ::DestroyWindow(hwnd);
    return false;
}

bool CToolTipCtrl::AddTool(HWND window, const std::wstring& text, const RECT& rect, UINT_PTR id) const
{
    TTTOOLINFOW tool = ToolInfo(window, id, text.c_str());
    tool.rect = rect;
    return SendMessage(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool)) != FALSE;
}

void CToolTipCtrl::UpdateTipText(const std::wstring& text, HWND window, UINT_PTR id) const
{
    TTTOOLINFOW tool = ToolInfo(window, id, text.c_str());
    SendMessage(TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
}

std::wstring CToolTipCtrl::GetText(HWND window, UINT_PTR id) const
{
    // The message has no way to ask for the length: a buffer as long as a tooltip shows.
    std::wstring text(1024, L'\0');
    TTTOOLINFOW tool = ToolInfo(window, id, text.data());
    SendMessage(TTM_GETTEXTW, text.size(), reinterpret_cast<LPARAM>(&tool));
    text.resize(std::wcslen(text.c_str()));
    return text;
}

bool CToolTipCtrl::GetToolRect(HWND window, UINT_PTR id, RECT* rect) const
{
    TTTOOLINFOW tool = ToolInfo(window, id);
    if (!SendMessage(TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool)))
        return false;
    *rect = tool.rect;
    return true;
}
