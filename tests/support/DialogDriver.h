// Drives real dialogs as a user would, without a modal loop of the test's own: keys go through
// the dialog's PreTranslateMessage and the dialog manager exactly as in CDialog::DoModal.
#pragma once

#include "framework/Dialog.h"

#include <functional>

// Delivers one key press (WM_KEYDOWN) to the focused window through the dialog's filters.
void PressKey(CDialog& dialog, WPARAM key);
// Moves the keyboard focus to a control the way the Tab key does (so a push button becomes the
// default one).
void FocusControl(HWND dialog, int id);
// Sends a button's click notification to its dialog, as a mouse click on it would.
void ClickButton(HWND dialog, int id);
// Dispatches whatever is queued for this thread.
void PumpMessages();
// Dispatches messages until done() or the time has passed; whether done() came true.
bool PumpMessagesUntil(const std::function<bool()>& done, DWORD milliseconds);
// Runs action from inside the next modal loop, once that loop has a window whose caption is
// caption on this thread; the action receives that window.
void WhenModalOpens(const wchar_t* caption, std::function<void(HWND)> action);
// The same for the first visible top-level window of this thread that matches.
void WhenModalOpens(std::function<bool(HWND)> matches, std::function<void(HWND)> action);
// Moves the real mouse to a point of the screen and presses and releases a button there (down and
// up flags, as SendInput takes them), as one stream of input: under Wine a warp of the pointer may
// still be overtaken by a click sent after it. False when the input was not taken.
bool SendMouseClick(POINT at, DWORD down, DWORD up);
// A click of the real mouse (down and up flags, as SendInput takes them) at the centre of a window's
// rectangle given in its client coordinates; then messages run until done() or 10 s have passed.
void ClickAndWait(HWND window, const RECT& rect, DWORD down, DWORD up, const std::function<bool()>& done);
// Tells a window that it moved to a display of twice the screen's DPI, suggesting twice its size;
// returns the suggested rectangle.
RECT MoveToTwiceTheDpi(HWND window);
// The top-level window of this thread with that caption, if any.
HWND FindThreadWindow(const wchar_t* caption);
