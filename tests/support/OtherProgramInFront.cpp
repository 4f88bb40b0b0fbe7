// OtherProgramInFront: a top-level window with a message loop of its own on a second thread.
#include "support/OtherProgramInFront.h"

#include "support/DialogDriver.h"

OtherProgramInFront::OtherProgramInFront() : m_ready(::CreateEventW(nullptr, TRUE, FALSE, nullptr))
{
    // The test's program was in front until now: the other one takes the foreground from it.
    if (HWND ours = ::GetActiveWindow())
        ::SetForegroundWindow(ours);
    PumpMessages();
    m_thread = std::thread([this] {
        m_threadId = ::GetCurrentThreadId();
        m_window = ::CreateWindowExW(0, L"STATIC", L"Another program", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 600, 500, 200,
                                     100, nullptr, nullptr, nullptr, nullptr);
        ::SetEvent(m_ready);
        MSG msg;
        while (::GetMessageW(&msg, nullptr, 0, 0) > 0)
            ::DispatchMessageW(&msg);
        ::DestroyWindow(m_window);
    });
    ::WaitForSingleObject(m_ready, 10000);
    ::SetForegroundWindow(m_window);
    // The activation reaches this thread's queue as a message.
    const ULONGLONG deadline = ::GetTickCount64() + 5000;
    while (!InFront() && ::GetTickCount64() < deadline) {
        PumpMessages();
        ::Sleep(10);
    }
    PumpMessages();
}

OtherProgramInFront::~OtherProgramInFront()
{
    // The thread takes messages once its window exists; a slow start is waited for, with a deadline.
    ::WaitForSingleObject(m_ready, 10000);
    for (int tries = 0; tries < 500 && !::PostThreadMessageW(m_threadId, WM_QUIT, 0, 0); ++tries)
        ::Sleep(10);
    m_thread.join();
    ::CloseHandle(m_ready);
}

bool OtherProgramInFront::InFront() const
{
    return m_window && ::GetForegroundWindow() == m_window && ::GetActiveWindow() == nullptr;
}
