// CStdioFile: a buffered 8-bit text file. Every character U+0000 to U+00FF is stored as the one
// byte of the same value; a line feed written is stored as CR LF. A character the 8-bit file
// cannot hold is stored as "?" (a surrogate pair, one character, as one "?") and counted.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

class CStdioFile {
public:
    CStdioFile() = default;
    ~CStdioFile();
    CStdioFile(const CStdioFile&) = delete;
    CStdioFile& operator=(const CStdioFile&) = delete;

    // Creates the file, or empties an existing one, for reading and writing. A file that cannot
    // be opened so is left exactly as it was.
    bool Open(const std::wstring& path);
    bool IsOpen() const { return m_file != INVALID_HANDLE_VALUE; }

    // Writes the text at the current position; false if the system refused the bytes.
    bool WriteString(std::wstring_view text);
    // Moves to the end of the file. This file is only ever written at its end, so the position is
    // there already: nothing is flushed, and only a file that failed says false.
    bool SeekToEnd() const { return IsOpen() && !m_failed; }
    // Writes what is buffered and closes the file; false if either failed. The file is closed
    // afterwards in any case.
    bool Close();

    // Characters written as "?" since the file was opened.
    unsigned long long UnstorableCount() const { return m_unstorable; }

private:
    bool Put(char byte);
    bool Flush();

    HANDLE m_file = INVALID_HANDLE_VALUE;
    std::vector<char> m_buffer;
    bool m_failed = false;
    unsigned long long m_unstorable = 0;
};
