// Answers the application's message boxes with OK and keeps what they said and which window owned
// them. A box without an owner fails the test that shows it: it would leave the main window enabled
// under it.
#pragma once

#include "framework/MessageBox.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

struct RecordedMessageBox {
    std::wstring text;
    std::wstring caption;
    UINT type;
    HWND owner;
    bool windowLocked; // whether some window was locked against repainting under the box
};

class MessageBoxRecorder {
public:
    MessageBoxRecorder();
    ~MessageBoxRecorder();
    MessageBoxRecorder(const MessageBoxRecorder&) = delete;
    MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;

    const std::vector<RecordedMessageBox>& boxes() const { return m_boxes; }
    // Runs while each box is shown, before it is answered.
    std::function<void()> whileShown;

private:
    static int Record(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type);
    static MessageBoxRecorder* s_current;
    std::vector<RecordedMessageBox> m_boxes;
    MessageBoxFunction m_previous;
    MessageBoxRecorder* m_outer; // a recorder this one stands in for while it lives
};
