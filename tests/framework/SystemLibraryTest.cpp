// DLLs from the system folder only: one that lies beside the program or in the current folder is
// never loaded, whatever its name, and a DLL's functions are found all or nothing.
#include "framework/SystemLibrary.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#ifndef QUORREX_PLANTED_DLL
#error QUORREX_PLANTED_DLL must name the DLL that records its loading
#endif

namespace {

std::wstring ModuleFolder(HMODULE module)
{
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(module, path, MAX_PATH);
    return std::filesystem::path(path).parent_path().wstring();
}

std::wstring SystemFolder()
{
    wchar_t path[MAX_PATH] = {};
    ::GetSystemDirectoryW(path, MAX_PATH);
    return path;
}

// The planted DLL under a name no system DLL has, in a folder; removed again with its marker.
class PlantedCopy {
public:
    PlantedCopy(const std::wstring& folder, const std::wstring& name) : m_path(folder + L"\\" + name)
    {
        m_copied = ::CopyFileW(QUORREX_PLANTED_DLL, m_path.c_str(), FALSE) != FALSE;
    }
    ~PlantedCopy()
    {
        ::DeleteFileW(m_path.c_str());
        ::DeleteFileW(Marker().c_str());
    }
    PlantedCopy(const PlantedCopy&) = delete;
    PlantedCopy& operator=(const PlantedCopy&) = delete;

    bool Copied() const { return m_copied; }
    bool WasLoaded() const { return FileExists(Marker()); }
    void Forget() const { ::DeleteFileW(Marker().c_str()); }

private:
    std::wstring Marker() const { return m_path + L".loaded"; }
    std::wstring m_path;
    bool m_copied = false;
};

// Makes a folder the current one while it lives.
class CurrentFolder {
public:
    explicit CurrentFolder(const std::wstring& folder)
    {
        ::GetCurrentDirectoryW(MAX_PATH, m_previous);
        ::SetCurrentDirectoryW(folder.c_str());
    }
    ~CurrentFolder() { ::SetCurrentDirectoryW(m_previous); }

private:
    wchar_t m_previous[MAX_PATH] = {};
};

TEST(SystemLibraryTest, NeverLoadsADllLyingBesideTheProgramOrInTheCurrentFolder)
{
    const TempFolder temporary;
    const std::wstring current = std::filesystem::path(temporary.Path(L"x")).parent_path().wstring();
    const CurrentFolder inCurrent(current);
    struct Case {
        const char* where;
        std::wstring folder;
        const wchar_t* name;
    };
    const Case cases[] = {
        {"beside the program", ModuleFolder(nullptr), L"quorrex-planted-beside.dll"},
        {"in the current folder", current, L"quorrex-planted-current.dll"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.where);
        const PlantedCopy planted(c.folder, c.name);
        ASSERT_TRUE(planted.Copied());
        // The usual search finds it there and runs it (it refuses to stay).
        EXPECT_EQ(::LoadLibraryW(c.name), nullptr);
        ASSERT_TRUE(planted.WasLoaded()) << "the usual search did not find it: the case proves nothing";
        planted.Forget();

        EXPECT_EQ(LoadSystemLibrary(c.name), nullptr);
        EXPECT_FALSE(planted.WasLoaded());
    }
}

TEST(SystemLibraryTest, LoadsTheDllsOfTheSystemFolder)
{
    for (const wchar_t* name : {L"activeds.dll", L"netapi32.dll", L"uxtheme.dll", L"comdlg32.dll"}) {
        const HMODULE module = LoadSystemLibrary(name);
        ASSERT_NE(module, nullptr) << std::filesystem::path(name).string();
        EXPECT_EQ(_wcsicmp(ModuleFolder(module).c_str(), SystemFolder().c_str()), 0)
            << std::filesystem::path(ModuleFolder(module)).string();
    }
}

TEST(SystemLibraryTest, FindsEveryFunctionAskedForOrCountsTheDllAsAbsent)
{
    using Function = DWORD(WINAPI*)();
    const HMODULE kernel32 = ::GetModuleHandleW(L"kernel32.dll");
    struct Case {
        const char* what;
        HMODULE module;
        const char* second;
        bool complete;
    };
    const Case cases[] = {
        {"both there", kernel32, "GetCurrentThreadId", true},
        {"the second missing", kernel32, "NoSuchFunctionAnywhere", false},
        {"no module", nullptr, "GetCurrentThreadId", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SystemFunctions functions(c.module);
        Function first = nullptr;
        Function second = nullptr;
        functions.Find(first, "GetCurrentProcessId");
        functions.Find(second, c.second);
        EXPECT_EQ(functions.Complete(), c.complete);
        if (c.module) {
            ASSERT_NE(first, nullptr);
            EXPECT_EQ(first(), ::GetCurrentProcessId());
        } else {
            EXPECT_EQ(first, nullptr);
        }
        EXPECT_EQ(second != nullptr, c.complete);
    }
}

} // namespace
