// The application's message box: its caption, its owner, and the function that shows it.
#include "framework/MessageBox.h"

#include "framework/WinApp.h"

namespace {

int SystemMessageBox(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type)
{
    return ::MessageBoxW(owner, text, caption, type);
}

MessageBoxFunction g_messageBox = SystemMessageBox;

std::wstring ModuleBaseName()
{
    wchar_t path[MAX_PATH * 4] = {};
    const DWORD length = ::GetModuleFileNameW(nullptr, path, static_cast<DWORD>(std::size(path)));
    std::wstring name(path, length);
    const size_t slash = name.find_last_of(L"\\/");
    if (slash != std::wstring::npos)
        name.erase(0, slash + 1);
    const size_t dot = name.find_last_of(L'.');
    if (dot != std::wstring::npos)
        name.erase(dot);
    return name;
}

} // namespace

HWND MessageBoxOwner()
{
    HWND main = MainWindowHandle();
    if (!main || !::IsWindow(main))
        return ::GetActiveWindow();
    HWND top = ::GetAncestor(main, GA_ROOT);
    return ::GetLastActivePopup(top ? top : main);
}

const std::wstring& AppName()
{
    static const std::wstring name = ModuleBaseName();
    return name;
}

int AppMessageBox(const std::wstring& text, UINT type)
{
    return g_messageBox(MessageBoxOwner(), text.c_str(), AppName().c_str(), type);
}

MessageBoxFunction SetMessageBoxFunction(MessageBoxFunction function)
{
    MessageBoxFunction previous = g_messageBox;
    g_messageBox = function ? function : SystemMessageBox;
    return previous;
}
