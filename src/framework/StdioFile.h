// CStdioFile: a buffered text file, 8-bit or UTF-8, written beside the file it replaces and put in
// its place when it is closed. In the 8-bit file every character U+0000 to U+00FF is stored as the
// one byte of the same value, and a character it cannot hold as "?" (a surrogate pair, one
// character, as one "?"), counted. The UTF-8 file begins with the byte-order mark and keeps every
// character; a lone surrogate, which is no character, is stored as U+FFFD. In both a line feed
// written is stored as CR LF.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

enum class TextEncoding { Latin1, Utf8 };

class CStdioFile {
public:
    CStdioFile() = default;
    // A file still open is given up: the file it was to replace stays as it was.
    ~CStdioFile();
    CStdioFile(const CStdioFile&) = delete;
    CStdioFile& operator=(const CStdioFile&) = delete;

    // Starts the file that is to replace path (or to be it, where there is none). A path that
    // cannot be replaced now, read-only or held open by another program, fails; nothing changes
    // on the disk before Close.
    bool Open(const std::wstring& path, TextEncoding encoding = TextEncoding::Latin1);
    bool IsOpen() const { return m_file != INVALID_HANDLE_VALUE; }

    // Writes the text at the current position; false if the system refused the bytes.
    bool WriteString(std::wstring_view text);
    // Moves to the end of the file. This file is only ever written at its end, so the position is
    // there already: nothing is flushed, and only a file that failed says false.
    bool SeekToEnd() const { return IsOpen() && !m_failed; }
    // Marks the file as failed: Close gives it up instead of putting it in place.
    void Fail() { m_failed = true; }
    // Writes what is buffered, closes the file and puts it in place of the path it was opened
    // with. False if any of it failed, or a write had failed before: then the path is as it was
    // and nothing written is left. Closed afterwards in any case.
    bool Close();
    // Whether the last Close failed when the complete file was to take the path's place.
    bool PlaceFailed() const { return m_placeFailed; }

    // Characters written as "?" since the file was opened.
    unsigned long long UnstorableCount() const { return m_unstorable; }

private:
    bool Put(char byte);
    bool PutUtf8(char32_t character);
    bool Flush();
    void GiveUp();

    HANDLE m_file = INVALID_HANDLE_VALUE;
    std::wstring m_target;
    std::wstring m_written; // the file beside it, until it takes the target's place
    TextEncoding m_encoding = TextEncoding::Latin1;
    std::vector<char> m_buffer;
    bool m_failed = false;
    bool m_placeFailed = false;
    unsigned long long m_unstorable = 0;
};
