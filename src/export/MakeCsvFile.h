// CMakeCsvFile: the writer of one CSV export. It writes the header block, the column header
// line and one line per row, fields separated by commas, in 8-bit text or UTF-8, and keeps the
// text of its last failure.
#pragma once

#include "framework/StdioFile.h"

#include <string>
#include <vector>

class CMakeCsvFile {
public:
    enum class ErrorKind { Create, Write, Close };

    explicit CMakeCsvFile(TextEncoding encoding = TextEncoding::Latin1) : m_encoding(encoding) {}
    virtual ~CMakeCsvFile() = default;
    CMakeCsvFile(const CMakeCsvFile&) = delete;
    CMakeCsvFile& operator=(const CMakeCsvFile&) = delete;

    // Appends ".csv" to a path that does not contain it anywhere, then starts the file that is to
    // replace it. Nothing changes on the disk before the close: a write that fails on the way
    // leaves an existing file as it was.
    bool CreateCsvFile(const std::wstring& path);
    bool WriteFileHeader(const std::wstring& software, const std::wstring& creationTime);
    // One line of the headers; an empty array writes nothing.
    bool WriteColumnHeaders(const std::vector<std::wstring>& headers);
    // One line of the first columnCount cells; a count of 0 writes nothing.
    bool WriteRow(const std::vector<std::wstring>& cells, int columnCount);
    // Puts the file in place if everything was written; a place that could not be taken fails
    // with the create text, as a target refused at the start does.
    bool CloseCsvFile();

    std::wstring GetErrorText() const { return m_errorText; }
    void SetErrorText(ErrorKind kind);

    // Characters the 8-bit file could not hold and that were written as "?".
    unsigned long long GetUnstorableCount() const { return m_file.UnstorableCount(); }

private:
    // Writes the fields, each followed by "," and the last by a line feed.
    bool WriteFields(const std::vector<std::wstring>& fields, size_t count);

    CStdioFile m_file;
    int m_columnCount = 0;
    std::wstring m_errorText;
    TextEncoding m_encoding;
};
