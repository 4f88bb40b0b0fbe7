// The wait cursor: CWaitCursor holds the application's wait-cursor state for the life of the
// object; ShowWaitCursor and ShowArrowCursor set the cursor once.
#pragma once

#include <windows.h>

inline HCURSOR SystemCursor(const wchar_t* id)
{
    return ::LoadCursorW(nullptr, id);
}

inline void ShowWaitCursor()
{
    static const HCURSOR wait = SystemCursor(IDC_WAIT);
    ::SetCursor(wait);
}

inline void ShowArrowCursor()
{
    static const HCURSOR arrow = SystemCursor(IDC_ARROW);
    ::SetCursor(arrow);
}

class CWaitCursor {
public:
    CWaitCursor() { Restore(); }
    ~CWaitCursor() { ShowArrowCursor(); }
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;

    // Shows the wait cursor again, after something else changed the cursor.
    void Restore() { ShowWaitCursor(); }
};
