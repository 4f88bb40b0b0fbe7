// CanReplace, CreateFileBeside and PutInPlace: free names beside the target, the replace with a
// backup of the old file, and the way back when the replace fails.
#include "framework/FileBeside.h"

#include "framework/FileCalls.h"

#include <cwchar>

namespace {

constexpr int kNameTries = 100;

bool Exists(const std::wstring& path)
{
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// target's name with a mark of this process and moment before the suffix, so that two saves, of
// this program or another, never pick the same name.
std::wstring NameBeside(const std::wstring& target, int attempt, const wchar_t* suffix)
{
    wchar_t mark[48];
    std::swprintf(mark, std::size(mark), L".%lx-%llx-%x", ::GetCurrentProcessId(),
                  static_cast<unsigned long long>(::GetTickCount64()), static_cast<unsigned>(attempt));
    return target + mark + suffix;
}

// A backup name no file has now.
std::wstring FreeNameBeside(const std::wstring& target, const wchar_t* suffix)
{
    for (int attempt = 0; attempt < kNameTries; ++attempt) {
        std::wstring name = NameBeside(target, attempt, suffix);
        if (!Exists(name))
            return name;
    }
    return {};
}

} // namespace

bool CanReplace(const std::wstring& target)
{
    const DWORD attributes = ::GetFileAttributesW(target.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return ::GetLastError() == ERROR_FILE_NOT_FOUND;
    // The system refuses a read-only file itself, except where it runs with rights that pass over
    // the attribute (Wine run by root).
    if (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) {
        ::SetLastError(ERROR_ACCESS_DENIED);
        return false;
    }
    // Opened without sharing and without truncating: a file another program holds open (a
    // spreadsheet showing it) refuses, and the file itself is not touched.
    HANDLE probe = ::CreateFileW(target.c_str(), GENERIC_WRITE | DELETE, 0, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
    if (probe == INVALID_HANDLE_VALUE)
        return false;
    ::CloseHandle(probe);
    return true;
}

HANDLE CreateFileBeside(const std::wstring& target, std::wstring& written)
{
    for (int attempt = 0; attempt < kNameTries; ++attempt) {
        written = NameBeside(target, attempt, L".tmp");
        HANDLE file = ::CreateFileW(written.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE || ::GetLastError() != ERROR_FILE_EXISTS)
            return file;
    }
    written.clear();
    return INVALID_HANDLE_VALUE;
}

bool PutInPlace(const std::wstring& written, const std::wstring& target)
{
    const FileCalls& calls = TheFileCalls();
    bool placed = false;
    if (!Exists(target)) {
        // No old file to lose; without MOVEFILE_REPLACE_EXISTING a file made meanwhile stays.
        placed = calls.moveFile(written.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH) != FALSE;
    } else if (const std::wstring backup = FreeNameBeside(target, L".bak"); !backup.empty()) {
        // The system's replace keeps the old file's attributes and permissions, but may fail half-way:
        // Wine's deletes the old file before it moves the new one, and Windows' can fail with the old
        // file gone. Under a backup name the old file survives any of that and goes back.
        placed = calls.replaceFile(target.c_str(), written.c_str(), backup.c_str(), REPLACEFILE_IGNORE_MERGE_ERRORS,
                                   nullptr, nullptr) != FALSE;
        if (placed) {
            ::DeleteFileW(backup.c_str());
        } else if (Exists(backup)) {
            // The old file left its name and the new one did not take it: the old one goes back. If
            // that fails too, or another file has taken the name meanwhile, both files stay as they
            // are, the old one under the backup name: neither may be lost.
            if (Exists(target) || !calls.moveFile(backup.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH))
                return false;
        }
    }
    if (!placed)
        ::DeleteFileW(written.c_str());
    return placed;
}
