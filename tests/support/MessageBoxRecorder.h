// Answers the application's message boxes with OK and keeps what they said.
#pragma once

#include "framework/MessageBox.h"

#include <windows.h>

#include <string>
#include <vector>

struct RecordedMessageBox {
    std::wstring text;
    std::wstring caption;
    UINT type;
};

class MessageBoxRecorder {
public:
    MessageBoxRecorder();
    ~MessageBoxRecorder();
    MessageBoxRecorder(const MessageBoxRecorder&) = delete;
    MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;

    const std::vector<RecordedMessageBox>& boxes() const { return m_boxes; }

private:
    static int Record(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type);
    static MessageBoxRecorder* s_current;
    std::vector<RecordedMessageBox> m_boxes;
    MessageBoxFunction m_previous;
};
