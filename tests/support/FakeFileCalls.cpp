// FakeFileCalls: a disk that fills up and replaces that fail, over the system's own calls.
#include "support/FakeFileCalls.h"

#include <string>

FakeFileCalls::FakeFileCalls() : m_previous(TheFileCalls())
{
    TheFileCalls() = {Write, ReplaceFile, Move};
}

FakeFileCalls::~FakeFileCalls()
{
    TheFileCalls() = m_previous;
}

BOOL WINAPI FakeFileCalls::Write(HANDLE file, LPCVOID data, DWORD size, LPDWORD written, LPOVERLAPPED overlapped)
{
    FakeFileCalls& self = Current();
    ++self.writes;
    if (self.m_written + size > self.bytesUntilFull) {
        *written = 0;
        ::SetLastError(ERROR_DISK_FULL);
        return FALSE;
    }
    self.m_written += size;
    return ::WriteFile(file, data, size, written, overlapped);
}

BOOL WINAPI FakeFileCalls::ReplaceFile(LPCWSTR replaced, LPCWSTR replacement, LPCWSTR backup, DWORD flags,
                                       LPVOID exclude, LPVOID reserved)
{
    ++Current().replaces;
    switch (Current().replace) {
    case Replace::Works:
        return ::ReplaceFileW(replaced, replacement, backup, flags, exclude, reserved);
    case Replace::FailsAtOnce:
        ::SetLastError(ERROR_UNABLE_TO_REMOVE_REPLACED);
        return FALSE;
    case Replace::FailsHalfWay:
        if (backup)
            ::MoveFileExW(replaced, backup, 0);
        else
            ::DeleteFileW(replaced);
        ::SetLastError(ERROR_UNABLE_TO_MOVE_REPLACEMENT_2);
        return FALSE;
    }
    return FALSE;
}

BOOL WINAPI FakeFileCalls::Move(LPCWSTR from, LPCWSTR to, DWORD flags)
{
    const std::wstring source = from;
    const auto endsWith = [&](const wchar_t* suffix) {
        const std::wstring end = suffix;
        return source.size() > end.size() && source.substr(source.size() - end.size()) == end;
    };
    if ((Current().moveFails && endsWith(L".tmp")) || (Current().restoreFails && endsWith(L".bak"))) {
        ::SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    return ::MoveFileExW(from, to, flags);
}
