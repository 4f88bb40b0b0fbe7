// BusyInput: the looks at the queue of a busy thread, the refusal of what would start something
// inside the work, the discard of the input given meanwhile, and the held Escape's repeats.
#include "framework/BusyInput.h"

#include "framework/KeyFilter.h"

#include <commctrl.h>

#include <utility>

namespace {

ULONGLONG WINAPI SystemClock()
{
    return ::GetTickCount64();
}

// The window of this thread that is busy, if any.
thread_local HWND t_busyWindow = nullptr;

// What is discarded when the work ends: keys, the mouse over the client area and over the frame
// (the close box among it), touch and pointer input.
constexpr std::pair<UINT, UINT> kInputRanges[] = {
    {WM_KEYFIRST, WM_KEYLAST},
    {WM_MOUSEFIRST, WM_MOUSELAST},
    {WM_NCMOUSEMOVE, WM_NCXBUTTONDBLCLK},
    {0x0240 /* WM_TOUCH */, 0x024F /* WM_POINTERHWHEEL */},
};
// A bound on each loop that takes messages out, so that a flood of input cannot hold the thread.
constexpr int kMostMessagesALook = 100000;

// Drops the repeats of an Escape that was held when the work ended, until the key is released:
// one long press must not close the box that tells of the stop and then the window. It sits in
// front of every message loop of the thread, the message boxes' among them.
class HeldEscapeFilter {
public:
    static void Install()
    {
        if (!t_hook)
            t_hook = ::SetWindowsHookExW(WH_GETMESSAGE, Filter, nullptr, ::GetCurrentThreadId());
    }

private:
    static LRESULT CALLBACK Filter(int code, WPARAM removal, LPARAM lp)
    {
        const LRESULT next = ::CallNextHookEx(t_hook, code, removal, lp);
        auto* msg = reinterpret_cast<MSG*>(lp);
        if (code == HC_ACTION && msg->wParam == VK_ESCAPE) {
            if (msg->message == WM_KEYDOWN && IsKeyRepeat(*msg)) {
                msg->message = WM_NULL;
            } else if ((msg->message == WM_KEYUP || msg->message == WM_KEYDOWN) && removal == PM_REMOVE) {
                // Released (a first press means the release went to another window): done.
                ::UnhookWindowsHookEx(t_hook);
                t_hook = nullptr;
            }
        }
        return next;
    }

    static thread_local HHOOK t_hook;
};

thread_local HHOOK HeldEscapeFilter::t_hook = nullptr;

} // namespace

BusyClockFunction& BusyClock()
{
    static BusyClockFunction clock = SystemClock;
    return clock;
}

BusyInput::BusyInput(HWND window) : m_mark(std::in_place, window), m_lastLook(BusyClock()()) {}

bool BusyInput::EscapePressed()
{
    if (m_mark && BusyClock()() - m_lastLook >= kLookInterval) {
        TakeKeys();
        // Timed from the end of the look: its own cost is no work of ours.
        m_lastLook = BusyClock()();
    }
    return m_escapePressed;
}

void BusyInput::TakeKeys()
{
    // Sent messages run during the look whatever its filter; IsRefusedWhileBusy keeps them from
    // starting anything. Mouse messages stay queued: taking them would reset the wait cursor.
    MSG msg;
    for (int taken = 0; taken < kMostMessagesALook && ::PeekMessageW(&msg, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE);
         ++taken)
        NoteKey(msg);
}

void BusyInput::NoteKey(const MSG& msg)
{
    if (msg.wParam != VK_ESCAPE)
        return;
    if (msg.message == WM_KEYDOWN) {
        if (!IsKeyRepeat(msg))
            m_escapePressed = true;
        m_escapeHeld = true;
    } else if (msg.message == WM_KEYUP) {
        m_escapeHeld = false;
    }
}

void BusyInput::End()
{
    if (!m_mark)
        return;
    // The window did not respond to this input while it worked; it must not act on it now (a second
    // search from a double click, a close from a stray click, keys typed into a field).
    MSG msg;
    for (const auto& [first, last] : kInputRanges) {
        for (int taken = 0; taken < kMostMessagesALook && ::PeekMessageW(&msg, nullptr, first, last, PM_REMOVE);
             ++taken) {
            if (first == WM_KEYFIRST)
                NoteKey(msg);
        }
    }
    m_mark.reset();
    if (m_escapeHeld)
        HeldEscapeFilter::Install();
}

BusyWindowMark::BusyWindowMark(HWND window) : m_outerBusyWindow(t_busyWindow)
{
    t_busyWindow = window;
}

BusyWindowMark::~BusyWindowMark()
{
    t_busyWindow = m_outerBusyWindow;
}

bool IsRefusedWhileBusy(HWND window, UINT msg, WPARAM, LPARAM lp)
{
    if (!window || window != t_busyWindow)
        return false;
    switch (msg) {
    case WM_COMMAND:
    case WM_SYSCOMMAND:
    case WM_CLOSE:
    case WM_CONTEXTMENU:
        return true;
    case WM_NOTIFY:
        return reinterpret_cast<const NMHDR*>(lp)->code == LVN_COLUMNCLICK;
    default:
        return false;
    }
}
