// FakeLinkApi: the fake functions, and their installation into the seam.
#include "support/FakeLinkApi.h"

#include <cstring>

struct FakeLinkCalls {
    static HINSTANCE WINAPI ShellExecute(HWND owner, LPCWSTR verb, LPCWSTR file, LPCWSTR parameters, LPCWSTR folder,
                                         INT show)
    {
        FakeLinkApi& f = FakeLinkApi::Current();
        f.shellCalls.push_back({owner, verb ? verb : L"", file ? file : L"", parameters == nullptr, folder == nullptr, show});
        return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(f.shellResult));
    }

    static LSTATUS WINAPI RegOpenKeyEx(HKEY root, LPCWSTR subKey, DWORD, REGSAM access, PHKEY key)
    {
        FakeLinkApi& f = FakeLinkApi::Current();
        f.openedKeys.push_back(subKey);
        f.openAccess.push_back(access);
        if (root != HKEY_CLASSES_ROOT || !f.classesRoot.count(subKey))
            return ERROR_FILE_NOT_FOUND;
        *key = reinterpret_cast<HKEY>(f.m_nextKey++);
        f.m_openKeys[*key] = subKey;
        ++f.keysLeftOpen;
        return ERROR_SUCCESS;
    }

    // As the system does: the value with its terminator, or ERROR_MORE_DATA when the buffer is smaller.
    static LSTATUS WINAPI RegQueryValueEx(HKEY key, LPCWSTR name, LPDWORD, LPDWORD type, LPBYTE data, LPDWORD size)
    {
        FakeLinkApi& f = FakeLinkApi::Current();
        auto open = f.m_openKeys.find(key);
        if (open == f.m_openKeys.end() || (name && *name))
            return ERROR_FILE_NOT_FOUND;
        const std::wstring& value = f.classesRoot[open->second];
        const DWORD bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
        if (type)
            *type = REG_SZ;
        const DWORD room = *size;
        *size = bytes;
        if (!data)
            return ERROR_SUCCESS;
        if (room < bytes)
            return ERROR_MORE_DATA;
        std::memcpy(data, value.c_str(), bytes);
        return ERROR_SUCCESS;
    }

    static LSTATUS WINAPI RegCloseKey(HKEY key)
    {
        FakeLinkApi& f = FakeLinkApi::Current();
        if (!f.m_openKeys.erase(key))
            return ERROR_INVALID_HANDLE;
        --f.keysLeftOpen;
        return ERROR_SUCCESS;
    }

    static UINT WINAPI WinExec(LPCSTR commandLine, UINT show)
    {
        FakeLinkApi& f = FakeLinkApi::Current();
        f.commands.push_back(commandLine);
        f.commandShows.push_back(show);
        return f.winExecResult;
    }

    static HMODULE WINAPI LoadLibraryEx(LPCWSTR path, HANDLE, DWORD flags)
    {
        FakeLinkApi& f = FakeLinkApi::Current();
        f.loadedLibraries.push_back(path);
        f.loadFlags.push_back(flags);
        return f.helpViewer;
    }

    static BOOL WINAPI FreeLibrary(HMODULE module)
    {
        FakeLinkApi::Current().freedLibraries.push_back(module);
        return TRUE;
    }

    static BOOL WINAPI MessageBeep(UINT type)
    {
        FakeLinkApi::Current().beeps.push_back(type);
        return TRUE;
    }
};

FakeLinkApi::FakeLinkApi() : m_saved(TheLinkApi())
{
    TheLinkApi() = LinkApi{
        FakeLinkCalls::ShellExecute, FakeLinkCalls::RegOpenKeyEx,  FakeLinkCalls::RegQueryValueEx,
        FakeLinkCalls::RegCloseKey,  FakeLinkCalls::WinExec,       FakeLinkCalls::LoadLibraryEx,
        FakeLinkCalls::FreeLibrary,  FakeLinkCalls::MessageBeep,
    };
}

FakeLinkApi::~FakeLinkApi()
{
    TheLinkApi() = m_saved;
}

void FakeLinkApi::RegisterBrowser(const std::wstring& commandTemplate)
{
    shellResult = SE_ERR_NOASSOC;
    classesRoot[L".htm"] = L"htmlfile";
    classesRoot[L"htmlfile\\shell\\open\\command"] = commandTemplate;
}
