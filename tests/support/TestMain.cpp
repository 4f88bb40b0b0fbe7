// Test entry point: the display's DPI, common controls, a watchdog so that a hung modal path fails
// the run instead of stalling it, and a crash that ends the test at once with what happened.
#include "support/ControlProbe.h"

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

namespace {

constexpr DWORD kRunLimit = 120000; // milliseconds

DWORD WINAPI Watchdog(void*)
{
    ::Sleep(kRunLimit);
    std::fputs("watchdog: the test did not finish within 120 s\n", stderr);
    std::fflush(stderr);
    ::ExitProcess(3);
}

// Without this a crash starts the system's debugger, which waits until the watchdog ends it.
LONG WINAPI ReportCrash(EXCEPTION_POINTERS* exception)
{
    std::fprintf(stderr, "crash: exception %08lx at %p\n", exception->ExceptionRecord->ExceptionCode,
                 exception->ExceptionRecord->ExceptionAddress);
    std::fflush(stderr);
    ::ExitProcess(4);
}

void WriteDisplayDpi(DWORD dpi)
{
    HKEY key = nullptr;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                          nullptr) != ERROR_SUCCESS)
        return;
    ::RegSetValueExW(key, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof dpi);
    ::RegCloseKey(key);
}

std::optional<DWORD> WantedDpi()
{
    char text[16] = {};
    const DWORD length = ::GetEnvironmentVariableA("QUORREX_TEST_DPI", text, sizeof text);
    if (length == 0 || length >= sizeof text)
        return std::nullopt;
    const DWORD dpi = std::strtoul(text, nullptr, 10);
    if (dpi < 96 || dpi > 480)
        return std::nullopt;
    return dpi;
}

// The tests run at the DPI that QUORREX_TEST_DPI names. Wine reads the display's DPI from the
// prefix's settings as a process starts: a run at another DPI sets it there and runs itself again,
// then sets 96 back for the programs after it. The exit code of the second run, or nothing when
// this process is the one to run the tests.
std::optional<int> RunAgainAtWantedDpi()
{
    const std::optional<DWORD> wanted = WantedDpi();
    if (!wanted || ScreenDpi() == *wanted)
        return std::nullopt;
    if (::GetEnvironmentVariableA("QUORREX_TEST_DPI_AGAIN", nullptr, 0) > 0) {
        std::fprintf(stderr, "the display stayed at %u DPI instead of %lu\n", ScreenDpi(), *wanted);
        return 1;
    }
    ::SetEnvironmentVariableA("QUORREX_TEST_DPI_AGAIN", "1");
    WriteDisplayDpi(*wanted);
    std::wstring commandLine = ::GetCommandLineW();
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    DWORD code = 1;
    if (::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                         &process)) {
        if (::WaitForSingleObject(process.hProcess, kRunLimit + 10000) != WAIT_OBJECT_0)
            ::TerminateProcess(process.hProcess, 3);
        ::GetExitCodeProcess(process.hProcess, &code);
        ::CloseHandle(process.hThread);
        ::CloseHandle(process.hProcess);
    } else {
        std::fprintf(stderr, "could not run the tests again at %lu DPI (error %lu)\n", *wanted, ::GetLastError());
    }
    WriteDisplayDpi(96);
    return static_cast<int>(code);
}

} // namespace

int main(int argc, char** argv)
{
    if (const std::optional<int> result = RunAgainAtWantedDpi())
        return *result;
    ::SetUnhandledExceptionFilter(ReportCrash);
    ::testing::InitGoogleTest(&argc, argv);
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    if (HANDLE watchdog = ::CreateThread(nullptr, 0, Watchdog, nullptr, 0, nullptr))
        ::CloseHandle(watchdog);
    return RUN_ALL_TESTS();
}
