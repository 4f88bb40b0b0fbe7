// The real quorrex.exe: it starts into its main window and ends when "Close" is pressed.
#include "resources/resource.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#ifndef QUORREX_EXE
#error QUORREX_EXE must name the program under test
#endif

namespace {

struct WindowSearch {
    DWORD processId;
    HWND found;
};

HWND FindProcessWindow(DWORD processId)
{
    WindowSearch search{processId, nullptr};
    ::EnumWindows(
        [](HWND hwnd, LPARAM lp) -> BOOL {
            auto* s = reinterpret_cast<WindowSearch*>(lp);
            DWORD owner = 0;
            ::GetWindowThreadProcessId(hwnd, &owner);
            wchar_t text[64] = {};
            ::GetWindowTextW(hwnd, text, 64);
            if (owner == s->processId && std::wstring(text) == L"Quorrex" && ::IsWindowVisible(hwnd)) {
                s->found = hwnd;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

TEST(Launch, StartsIntoTheMainWindowAndCloseEndsIt)
{
    std::wstring commandLine = L"\"" QUORREX_EXE L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    ASSERT_TRUE(::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                 &process))
        << "error " << ::GetLastError();

    HWND window = nullptr;
    for (int i = 0; i < 300 && !window; ++i) {
        window = FindProcessWindow(process.dwProcessId);
        if (!window)
            ::Sleep(50);
    }
    EXPECT_NE(window, nullptr) << "no visible window captioned Quorrex";
    if (window) {
        HWND close = ::GetDlgItem(window, IDC_CLOSE);
        EXPECT_NE(close, nullptr);
        EXPECT_NE(::GetDlgItem(window, IDC_RESULT_LIST), nullptr) << "result list";
        ::PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDC_CLOSE, BN_CLICKED), reinterpret_cast<LPARAM>(close));
    }
    const DWORD waited = ::WaitForSingleObject(process.hProcess, 20000);
    EXPECT_EQ(waited, WAIT_OBJECT_0) << "the program did not end after Close";
    if (waited != WAIT_OBJECT_0)
        ::TerminateProcess(process.hProcess, 99);
    DWORD exitCode = 1;
    ::GetExitCodeProcess(process.hProcess, &exitCode);
    EXPECT_EQ(exitCode, 0u);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
}

} // namespace
