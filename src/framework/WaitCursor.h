// CWaitCursor: the application's wait-cursor state for the life of the object.
#pragma once

#include <windows.h>

class CWaitCursor {
public:
    CWaitCursor() { Restore(); }
    ~CWaitCursor() { ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW)); }
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;

    // Shows the wait cursor again, after something else changed the cursor.
    void Restore() { ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT)); }
};

inline void ShowArrowCursor() { ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW)); }
inline void ShowWaitCursor() { ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT)); }
