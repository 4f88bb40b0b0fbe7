// A window of another thread in front of the test's windows, as another program would be: while it
// is there, the test thread has no active window.
#pragma once

#include <windows.h>

#include <thread>

class OtherProgramInFront {
public:
    OtherProgramInFront();
    ~OtherProgramInFront();
    OtherProgramInFront(const OtherProgramInFront&) = delete;
    OtherProgramInFront& operator=(const OtherProgramInFront&) = delete;

    // Whether the other window took the foreground from the test thread.
    bool InFront() const;

private:
    HANDLE m_ready;
    HWND m_window = nullptr;
    DWORD m_threadId = 0;
    std::thread m_thread;
};
