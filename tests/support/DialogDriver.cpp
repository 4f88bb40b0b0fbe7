// DialogDriver: key delivery, clicks and a timer that acts inside modal loops.
#include "support/DialogDriver.h"

#include "support/ControlProbe.h"

#include <string>

namespace {

struct PendingModal {
    std::function<bool(HWND)> matches;
    std::function<void(HWND)> action;
    UINT_PTR timer = 0;
};

PendingModal g_pending;

HWND FindMatchingWindow(const std::function<bool(HWND)>& matches)
{
    struct Search {
        const std::function<bool(HWND)>* matches;
        HWND found;
    } search{&matches, nullptr};
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND hwnd, LPARAM lp) -> BOOL {
            auto* s = reinterpret_cast<Search*>(lp);
            if (!::IsWindowVisible(hwnd) || !(*s->matches)(hwnd))
                return TRUE;
            s->found = hwnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void CALLBACK OnModalTimer(HWND, UINT, UINT_PTR, DWORD)
{
    HWND window = FindMatchingWindow(g_pending.matches);
    if (!window)
        return;
    ::KillTimer(nullptr, g_pending.timer);
    auto action = std::move(g_pending.action);
    g_pending = {};
    action(window);
}

} // namespace

void PressKey(CDialog& dialog, WPARAM key)
{
    MSG msg = {};
    msg.hwnd = ::GetFocus();
    msg.message = WM_KEYDOWN;
    msg.wParam = key;
    msg.lParam = 1;
    if (dialog.PreTranslateMessage(&msg) || ::IsDialogMessageW(dialog.m_hWnd, &msg))
        return;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
}

void FocusControl(HWND dialog, int id)
{
    ::SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(::GetDlgItem(dialog, id)), TRUE);
}

void ClickButton(HWND dialog, int id)
{
    ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

void PumpMessages()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

void WhenModalOpens(const wchar_t* caption, std::function<void(HWND)> action)
{
    const std::wstring wanted = caption;
    WhenModalOpens([wanted](HWND hwnd) { return CWnd::WindowText(hwnd) == wanted; }, std::move(action));
}

void WhenModalOpens(std::function<bool(HWND)> matches, std::function<void(HWND)> action)
{
    g_pending.matches = std::move(matches);
    g_pending.action = std::move(action);
    g_pending.timer = ::SetTimer(nullptr, 0, 20, OnModalTimer);
}

bool SendMouseClick(POINT at, DWORD down, DWORD up)
{
    INPUT input[3] = {};
    for (INPUT& event : input)
        event.type = INPUT_MOUSE;
    input[0].mi.dx = ::MulDiv(at.x, 65535, ::GetSystemMetrics(SM_CXSCREEN) - 1);
    input[0].mi.dy = ::MulDiv(at.y, 65535, ::GetSystemMetrics(SM_CYSCREEN) - 1);
    input[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    input[1].mi.dwFlags = down;
    input[2].mi.dwFlags = up;
    return ::SendInput(3, input, sizeof(INPUT)) == 3;
}

void ClickAndWait(HWND window, const RECT& rect, DWORD down, DWORD up, const std::function<bool()>& done)
{
    POINT at = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    ::ClientToScreen(window, &at);
    SendMouseClick(at, down, up);
    PumpMessagesUntil(done, 10000);
}

bool PumpMessagesUntil(const std::function<bool()>& done, DWORD milliseconds)
{
    const ULONGLONG deadline = ::GetTickCount64() + milliseconds;
    while (!done()) {
        if (::GetTickCount64() >= deadline)
            return false;
        PumpMessages();
        ::Sleep(10);
    }
    return true;
}

RECT MoveToTwiceTheDpi(HWND window)
{
    RECT suggested;
    ::GetWindowRect(window, &suggested);
    suggested.right = suggested.left + 2 * (suggested.right - suggested.left);
    suggested.bottom = suggested.top + 2 * (suggested.bottom - suggested.top);
    const UINT twice = 2 * ScreenDpi();
    ::SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(twice, twice), reinterpret_cast<LPARAM>(&suggested));
    return suggested;
}

HWND FindThreadWindow(const wchar_t* caption)
{
    struct Search {
        const wchar_t* caption;
        HWND found;
    } search{caption, nullptr};
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND hwnd, LPARAM lp) -> BOOL {
            auto* s = reinterpret_cast<Search*>(lp);
            wchar_t text[256] = {};
            ::GetWindowTextW(hwnd, text, 256);
            if (std::wstring(text) == s->caption) {
                s->found = hwnd;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}
