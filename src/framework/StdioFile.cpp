// CStdioFile: the byte conversion, the buffer and the file calls.
#include "framework/StdioFile.h"

namespace {

constexpr size_t kBufferSize = 64 * 1024;

bool IsHighSurrogate(wchar_t c)
{
    return c >= 0xD800 && c <= 0xDBFF;
}

bool IsLowSurrogate(wchar_t c)
{
    return c >= 0xDC00 && c <= 0xDFFF;
}

} // namespace

CStdioFile::~CStdioFile()
{
    if (IsOpen())
        Close();
}

bool CStdioFile::Open(const std::wstring& path)
{
    if (IsOpen())
        Close();
    // A read-only file is not replaced. The system refuses it itself, except where it runs with
    // rights that pass over the attribute (Wine run by root).
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
        ::SetLastError(ERROR_ACCESS_DENIED);
        return false;
    }
    // No sharing while it is written: a file another program holds open fails here, untouched.
    m_file = ::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (m_file == INVALID_HANDLE_VALUE)
        return false;
    m_buffer.clear();
    m_buffer.reserve(kBufferSize);
    m_failed = false;
    m_unstorable = 0;
    return true;
}

bool CStdioFile::Put(char byte)
{
    if (m_buffer.size() == kBufferSize && !Flush())
        return false;
    m_buffer.push_back(byte);
    return true;
}

bool CStdioFile::WriteString(std::wstring_view text)
{
    if (!IsOpen() || m_failed)
        return false;
    for (size_t i = 0; i < text.size(); ++i) {
        const wchar_t c = text[i];
        bool stored;
        if (c == L'\n') {
            stored = Put('\r') && Put('\n');
        } else if (c <= 0xFF) {
            stored = Put(static_cast<char>(static_cast<unsigned char>(c)));
        } else {
            if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1]))
                ++i; // one character in two code units
            ++m_unstorable;
            stored = Put('?');
        }
        if (!stored)
            return false;
    }
    return true;
}

bool CStdioFile::Flush()
{
    if (m_failed)
        return false;
    size_t done = 0;
    while (done < m_buffer.size()) {
        DWORD written = 0;
        const DWORD chunk = static_cast<DWORD>(m_buffer.size() - done);
        if (!::WriteFile(m_file, m_buffer.data() + done, chunk, &written, nullptr) || written == 0) {
            // A write that failed once fails for good: nothing after the gap may look written.
            m_failed = true;
            return false;
        }
        done += written;
    }
    m_buffer.clear();
    return true;
}

bool CStdioFile::Close()
{
    if (!IsOpen())
        return false;
    const bool flushed = Flush();
    const bool closed = ::CloseHandle(m_file) != FALSE;
    m_file = INVALID_HANDLE_VALUE;
    m_buffer.clear();
    m_buffer.shrink_to_fit();
    return flushed && closed;
}
