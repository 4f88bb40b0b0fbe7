// OpenLinkTarget: the shell first, then the web-page command of the registry; ShowOpenError.
#include "controls/OpenLinkTarget.h"

#include "controls/LinkApi.h"
#include "framework/MessageBox.h"

#include <string>

namespace {

bool ReadClassesRootDefault(const std::wstring& subKey, std::wstring& destination)
{
    HKEY key = nullptr;
    if (TheLinkApi().regOpenKeyEx(HKEY_CLASSES_ROOT, subKey.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return false;
    return ReadDefaultValue(key, destination);
}

// The command-line template with its placeholder (and whatever follows it) cut off, one blank and
// the target: browsers take a bare address as their last argument.
std::wstring CommandLineFor(std::wstring commandTemplate, const std::wstring& target)
{
    size_t placeholder = commandTemplate.find(L"\"%1\"");
    if (placeholder == std::wstring::npos)
        placeholder = commandTemplate.find(L"%1");
    if (placeholder != std::wstring::npos)
        commandTemplate.erase(placeholder);
    return commandTemplate + L' ' + target;
}

// WinExec takes 8-bit text: the thread's ANSI code page. Empty when it cannot be converted.
std::string ThreadAnsi(const std::wstring& text)
{
    const int size = ::WideCharToMultiByte(CP_THREAD_ACP, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    if (size <= 0)
        return {};
    std::string converted(static_cast<size_t>(size), '\0');
    ::WideCharToMultiByte(CP_THREAD_ACP, 0, text.c_str(), -1, converted.data(), size, nullptr, nullptr);
    converted.resize(static_cast<size_t>(size) - 1);
    return converted;
}

std::wstring OpenErrorLine(int code)
{
    switch (code) {
    case 0:
        return L"The operating system is out\nof memory or resources.";
    case ERROR_FILE_NOT_FOUND:
        return L"The specified file was not found.";
    case ERROR_PATH_NOT_FOUND:
        return L"The specified path was not found.";
    case SE_ERR_ACCESSDENIED:
        return L"The operating system denied\naccess to the specified file.";
    case SE_ERR_OOM:
        return L"There was not enough memory to complete the operation.";
    case ERROR_BAD_FORMAT:
        return L"The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image).";
    case SE_ERR_SHARE:
        return L"A sharing violation occurred. ";
    case SE_ERR_ASSOCINCOMPLETE:
        return L"The filename association is\nincomplete or invalid.";
    case SE_ERR_DDETIMEOUT:
        return L"The DDE transaction could not\nbe completed because the request timed out.";
    case SE_ERR_DDEFAIL:
        return L"The DDE transaction failed.";
    case SE_ERR_DDEBUSY:
        return L"The DDE transaction could not\nbe completed because other DDE transactions\nwere being processed.";
    case SE_ERR_NOASSOC:
        return L"There is no application associated\nwith the given filename extension.";
    case SE_ERR_DLLNOTFOUND:
        return L"The specified dynamic-link library was not found.";
    default:
        return L"Unknown Error (" + std::to_wstring(code) + L") occurred.";
    }
}

} // namespace

bool ReadDefaultValue(HKEY key, std::wstring& destination)
{
    const LinkApi& api = TheLinkApi();
    wchar_t value[kDefaultValueLimit] = {};
    DWORD size = kDefaultValueLimit;
    const LSTATUS status = api.regQueryValueEx(key, nullptr, nullptr, nullptr, reinterpret_cast<LPBYTE>(value), &size);
    api.regCloseKey(key);
    if (status != ERROR_SUCCESS)
        return false;
    // A stored string need not end with a terminator; the limit leaves room for one.
    value[size / sizeof(wchar_t)] = L'\0';
    destination = value;
    return true;
}

int OpenLinkTarget(const std::wstring& target)
{
    const LinkApi& api = TheLinkApi();
    const auto shellResult = static_cast<int>(
        reinterpret_cast<INT_PTR>(api.shellExecute(nullptr, L"open", target.c_str(), nullptr, nullptr, SW_SHOW)));
    if (shellResult > 32)
        return shellResult;

    std::wstring command;
    if (!ReadClassesRootDefault(L".htm", command))
        return shellResult;
    if (!ReadClassesRootDefault(command + L"\\shell\\open\\command", command))
        return shellResult;
    command = CommandLineFor(command, target);
    if (command.size() >= kCommandBufferLength)
        return shellResult; // it would not fit the command buffer: run nothing rather than a cut command
    const std::string ansiCommand = ThreadAnsi(command);
    if (ansiCommand.empty())
        return shellResult;
    return static_cast<int>(api.winExec(ansiCommand.c_str(), SW_SHOW));
}

void ShowOpenError(int code)
{
    AppMessageBox(L"Unable to open hyperlink:\n\n" + OpenErrorLine(code), MB_OK | MB_ICONEXCLAMATION);
}
