// CStdioFile: the byte conversions, the buffer, and the file beside the target until it is closed.
#include "framework/StdioFile.h"

#include "framework/FileBeside.h"
#include "framework/FileCalls.h"

namespace {

constexpr size_t kBufferSize = 64 * 1024;
constexpr char32_t kReplacementCharacter = 0xFFFD;

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
    GiveUp();
}

bool CStdioFile::Open(const std::wstring& path, TextEncoding encoding)
{
    GiveUp();
    m_placeFailed = false;
    if (!CanReplace(path))
        return false;
    m_file = CreateFileBeside(path, m_written);
    if (m_file == INVALID_HANDLE_VALUE)
        return false;
    m_target = path;
    m_encoding = encoding;
    m_buffer.clear();
    m_buffer.reserve(kBufferSize);
    m_failed = false;
    m_unstorable = 0;
    if (encoding == TextEncoding::Utf8)
        PutUtf8(0xFEFF); // the byte-order mark, by which spreadsheets know the file is UTF-8
    return true;
}

bool CStdioFile::Put(char byte)
{
    if (m_buffer.size() == kBufferSize && !Flush())
        return false;
    m_buffer.push_back(byte);
    return true;
}

bool CStdioFile::PutUtf8(char32_t c)
{
    const auto put = [this](char32_t bits) { return Put(static_cast<char>(static_cast<unsigned char>(bits))); };
    if (c < 0x80)
        return put(c);
    if (c < 0x800)
        return put(0xC0 | (c >> 6)) && put(0x80 | (c & 0x3F));
    if (c < 0x10000)
        return put(0xE0 | (c >> 12)) && put(0x80 | ((c >> 6) & 0x3F)) && put(0x80 | (c & 0x3F));
    return put(0xF0 | (c >> 18)) && put(0x80 | ((c >> 12) & 0x3F)) && put(0x80 | ((c >> 6) & 0x3F)) &&
           put(0x80 | (c & 0x3F));
}

bool CStdioFile::WriteString(std::wstring_view text)
{
    if (!IsOpen() || m_failed)
        return false;
    for (size_t i = 0; i < text.size(); ++i) {
        const wchar_t c = text[i];
        const bool pair = IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1]);
        bool stored;
        if (c == L'\n') {
            stored = Put('\r') && Put('\n');
        } else if (m_encoding == TextEncoding::Utf8) {
            char32_t character = c;
            if (pair)
                character = 0x10000 + ((static_cast<char32_t>(c) - 0xD800) << 10) + (text[++i] - 0xDC00);
            else if (IsHighSurrogate(c) || IsLowSurrogate(c))
                character = kReplacementCharacter;
            stored = PutUtf8(character);
        } else if (c <= 0xFF) {
            stored = Put(static_cast<char>(static_cast<unsigned char>(c)));
        } else {
            if (pair)
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
    const FileCalls& calls = TheFileCalls();
    size_t done = 0;
    while (done < m_buffer.size()) {
        DWORD written = 0;
        const DWORD chunk = static_cast<DWORD>(m_buffer.size() - done);
        if (!calls.writeFile(m_file, m_buffer.data() + done, chunk, &written, nullptr) || written == 0) {
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
    // On the disk before it takes the old file's name: after a crash the name must not hold a file
    // whose data never arrived.
    const bool flushed = Flush() && ::FlushFileBuffers(m_file) != FALSE;
    const bool closed = ::CloseHandle(m_file) != FALSE;
    m_file = INVALID_HANDLE_VALUE;
    m_buffer.clear();
    m_buffer.shrink_to_fit();
    if (!flushed || !closed) {
        ::DeleteFileW(m_written.c_str());
        return false;
    }
    m_placeFailed = !PutInPlace(m_written, m_target);
    return !m_placeFailed;
}

void CStdioFile::GiveUp()
{
    if (!IsOpen())
        return;
    ::CloseHandle(m_file);
    m_file = INVALID_HANDLE_VALUE;
    ::DeleteFileW(m_written.c_str());
    m_buffer.clear();
}
