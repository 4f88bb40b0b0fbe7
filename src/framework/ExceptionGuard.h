// Window procedures run our handlers through GuardedCall, so that no C++ exception ever unwinds
// through the system's window code: the user is told, and the message gets a neutral result.
#pragma once

#include <windows.h>

#include <new>

// Tells the user that an operation was cut short; never throws.
void ReportInterruptedOperation(bool outOfMemory) noexcept;

template <typename Handler>
auto GuardedCall(Handler&& handler, decltype(handler()) failed) noexcept -> decltype(handler())
{
    try {
        return handler();
    } catch (const std::bad_alloc&) {
        ReportInterruptedOperation(true);
    } catch (...) {
        ReportInterruptedOperation(false);
    }
    return failed;
}
