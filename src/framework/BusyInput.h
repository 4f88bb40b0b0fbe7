// The input of a window whose thread is busy with a long operation: looked at now and then so that
// the system never judges the window hung, Escape noticed, and nothing replayed afterwards.
#pragma once

#include <windows.h>

#include <optional>

// The clock the looks are timed by, in milliseconds; tests put their own in its place.
using BusyClockFunction = ULONGLONG(WINAPI*)();
BusyClockFunction& BusyClock();

// For the life of the object the window refuses what would start something (commands, system
// commands, close, the shortcut menu, a column click), even when another thread or program sends
// it, which the system delivers during any look at the queue. Nothing is taken from the queue: for
// a short wait, after which the window's input is handled as usual.
class BusyWindowMark {
public:
    explicit BusyWindowMark(HWND window);
    ~BusyWindowMark();
    BusyWindowMark(const BusyWindowMark&) = delete;
    BusyWindowMark& operator=(const BusyWindowMark&) = delete;

private:
    HWND m_outerBusyWindow;
};

// For the life of the object the window is busy, marked as by BusyWindowMark: a look at the queue
// takes the key messages out without dispatching them. End (or the destructor) discards every input
// message that came meanwhile.
class BusyInput {
public:
    explicit BusyInput(HWND window);
    ~BusyInput() { End(); }
    BusyInput(const BusyInput&) = delete;
    BusyInput& operator=(const BusyInput&) = delete;

    // Looks at the queue when kLookInterval of work has passed since the last look; true once an
    // Escape has been pressed (a first press, not a held key's repeat).
    bool EscapePressed();
    // Discards the input that came while busy and ends the busy state; does nothing the second time.
    // An Escape still held then has its repeats dropped until it is released.
    void End();

    static constexpr ULONGLONG kLookInterval = 50;

private:
    void TakeKeys();
    // Notes what a taken key message says of Escape.
    void NoteKey(const MSG& msg);

    std::optional<BusyWindowMark> m_mark; // until End
    ULONGLONG m_lastLook;
    bool m_escapePressed = false;
    bool m_escapeHeld = false;
};

// Whether the dialog procedure of window is to refuse this message because the window is busy.
bool IsRefusedWhileBusy(HWND window, UINT msg, WPARAM wp, LPARAM lp);
