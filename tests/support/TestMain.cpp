// Test entry point: common controls, and a watchdog so that a hung modal path fails the run
// instead of stalling it.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

namespace {

DWORD WINAPI Watchdog(void*)
{
    ::Sleep(120000);
    std::fputs("watchdog: the test did not finish within 120 s\n", stderr);
    std::fflush(stderr);
    ::ExitProcess(3);
}

} // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    if (HANDLE watchdog = ::CreateThread(nullptr, 0, Watchdog, nullptr, 0, nullptr))
        ::CloseHandle(watchdog);
    return RUN_ALL_TESTS();
}
