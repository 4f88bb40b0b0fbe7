// Work done ahead while the thread has nothing else to do: a slice at a time on a window's timer,
// whose ticks the system gives only when no other message waits, each slice short and cut short
// as soon as input comes, so that the window answers as if nothing ran.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>

// One slice of idle work: over when its time is up or keyboard or mouse input waits.
class IdleSlice {
public:
    using Clock = std::chrono::steady_clock;

    explicit IdleSlice(Clock::duration length);
    virtual ~IdleSlice() = default;
    // A slice that never ends: for work to be finished now.
    static IdleSlice Endless();

    virtual bool Over() const;

protected:
    IdleSlice() = default;

private:
    Clock::time_point m_end = Clock::time_point::max();
    bool m_endsOnInput = false;
};

class CIdleWork {
public:
    // Does some of the work, asking slice.Over() now and then and stopping when it says so; true
    // while work remains.
    using Work = std::function<bool(const IdleSlice& slice)>;

    static constexpr UINT kTickInterval = USER_TIMER_MINIMUM;
    static constexpr std::chrono::milliseconds kSliceLength{8};

    explicit CIdleWork(Work work) : m_work(std::move(work)) {}
    ~CIdleWork() { Disarm(); }
    CIdleWork(const CIdleWork&) = delete;
    CIdleWork& operator=(const CIdleWork&) = delete;

    // Runs the work in the idle time of window's thread until it is done; again on another window.
    void Arm(HWND window);
    void Disarm();
    bool Armed() const { return m_window != nullptr; }
    HWND Window() const { return m_window; }

private:
    static void CALLBACK OnTick(HWND window, UINT msg, UINT_PTR id, DWORD time);

    Work m_work;
    HWND m_window = nullptr;
};
