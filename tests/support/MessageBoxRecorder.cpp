// MessageBoxRecorder: replaces the application's message box for its lifetime.
#include "support/MessageBoxRecorder.h"

#include "framework/MessageBox.h"

#include <gtest/gtest.h>

MessageBoxRecorder::MessageBoxRecorder()
{
    m_previous = SetMessageBoxFunction(Record);
}

MessageBoxRecorder::~MessageBoxRecorder()
{
    SetMessageBoxFunction(m_previous);
}

namespace {

// LockWindowUpdate refuses a second window while one is locked.
bool SomeWindowLocked()
{
    static HWND probe = ::CreateWindowW(L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    if (!::LockWindowUpdate(probe))
        return true;
    ::LockWindowUpdate(nullptr);
    return false;
}

} // namespace

int MessageBoxRecorder::Record(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type)
{
    MessageBoxRecorder& self = Current();
    EXPECT_NE(owner, nullptr) << "box " << self.m_boxes.size() + 1 << " has no owner";
    self.m_boxes.push_back({text, caption, type, owner, SomeWindowLocked()});
    if (self.whileShown)
        self.whileShown();
    return IDOK;
}
