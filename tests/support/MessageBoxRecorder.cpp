// MessageBoxRecorder: replaces the application's message box for its lifetime.
#include "support/MessageBoxRecorder.h"

#include "framework/MessageBox.h"

MessageBoxRecorder* MessageBoxRecorder::s_current = nullptr;

MessageBoxRecorder::MessageBoxRecorder()
{
    s_current = this;
    m_previous = SetMessageBoxFunction(Record);
}

MessageBoxRecorder::~MessageBoxRecorder()
{
    SetMessageBoxFunction(m_previous);
    s_current = nullptr;
}

int MessageBoxRecorder::Record(HWND, const wchar_t* text, const wchar_t* caption, UINT type)
{
    s_current->m_boxes.push_back({text, caption, type});
    return IDOK;
}
