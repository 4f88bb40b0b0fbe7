// CMakeCsvFile: the writer of one CSV export. It writes the header block, the column header
// line and one line per row, fields separated by commas, and keeps the text of its last failure.
#pragma once

#include "framework/StdioFile.h"

#include <string>
#include <vector>

class CMakeCsvFile {
public:
    enum class ErrorKind { Create, Write, Close };

    CMakeCsvFile() = default;
    virtual ~CMakeCsvFile() = default;
    CMakeCsvFile(const CMakeCsvFile&) = delete;
    CMakeCsvFile& operator=(const CMakeCsvFile&) = delete;

    // Appends ".csv" to a path that does not contain it anywhere, then creates the file or empties
    // an existing one.
    bool CreateCsvFile(const std::wstring& path);
    bool WriteFileHeader(const std::wstring& software, const std::wstring& creationTime);
    // One line of the headers; an empty array writes nothing.
    bool WriteColumnHeaders(const std::vector<std::wstring>& headers);
    // One line of the first columnCount cells; a count of 0 writes nothing.
    bool WriteRow(const std::vector<std::wstring>& cells, int columnCount);
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
};
