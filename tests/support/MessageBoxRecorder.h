// Answers the application's message boxes with OK and keeps what they said and which window owned
// them. A box without an owner fails the test that shows it: it would leave the main window enabled
// under it.
#pragma once

#include "framework/MessageBox.h"
#include "support/StandIn.h"

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

class MessageBoxRecorder : public StandIn<MessageBoxRecorder> {
public:
    MessageBoxRecorder();
    ~MessageBoxRecorder();

    const std::vector<RecordedMessageBox>& boxes() const { return m_boxes; }
    // Runs while each box is shown, before it is answered.
    std::function<void()> whileShown;

private:
    static int Record(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type);
    std::vector<RecordedMessageBox> m_boxes;
    MessageBoxFunction m_previous;
};
