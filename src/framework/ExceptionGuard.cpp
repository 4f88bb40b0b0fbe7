// ReportInterruptedOperation: the message for a handler that ended with an exception.
#include "framework/ExceptionGuard.h"

#include "framework/MessageBox.h"

void ReportInterruptedOperation(bool outOfMemory) noexcept
{
    try {
        AppMessageBox(outOfMemory ? L"There is not enough memory to complete the operation."
                                  : L"The operation could not be completed.",
                      MB_ICONERROR);
    } catch (...) {
        // Not even the message could be made: the system's own box needs no memory of ours.
        ::MessageBoxW(nullptr, L"The operation could not be completed.", nullptr, MB_ICONERROR | MB_TASKMODAL);
    }
}
