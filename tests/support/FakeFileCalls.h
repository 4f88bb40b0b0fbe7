// File calls that fail as a full disk or a refused replace would, installed into the FileCalls
// seam for the life of the object.
#pragma once

#include "framework/FileCalls.h"
#include "support/StandIn.h"

#include <cstdint>

class FakeFileCalls : public StandIn<FakeFileCalls> {
public:
    // How the final replace of an existing file fails, if it does.
    enum class Replace {
        Works,
        FailsAtOnce,     // refused before anything moved
        FailsHalfWay,    // the old file moved to the backup name (deleted without one), the new one not in place
    };

    FakeFileCalls();
    ~FakeFileCalls();

    // Writes succeed until this many bytes have gone to the disk; the write that would pass it fails.
    std::uint64_t bytesUntilFull = UINT64_MAX;
    Replace replace = Replace::Works;
    bool moveFails = false; // the move of the written file to a name where there was none
    bool restoreFails = false; // the move of the old file back from its backup name

    // What was asked of the disk.
    int writes = 0;
    int replaces = 0;

private:
    static BOOL WINAPI Write(HANDLE file, LPCVOID data, DWORD size, LPDWORD written, LPOVERLAPPED overlapped);
    static BOOL WINAPI ReplaceFile(LPCWSTR replaced, LPCWSTR replacement, LPCWSTR backup, DWORD flags, LPVOID exclude,
                                   LPVOID reserved);
    static BOOL WINAPI Move(LPCWSTR from, LPCWSTR to, DWORD flags);

    FileCalls m_previous;
    std::uint64_t m_written = 0;
};
