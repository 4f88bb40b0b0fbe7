// CMakeCsvFile: each writing operation either succeeds or records its error text.
#include "export/MakeCsvFile.h"

bool CMakeCsvFile::CreateCsvFile(const std::wstring& path)
{
    std::wstring fullPath = path;
    if (fullPath.find(L".csv") == std::wstring::npos)
        fullPath += L".csv";
    if (m_file.Open(fullPath, m_encoding))
        return true;
    SetErrorText(ErrorKind::Create);
    return false;
}

bool CMakeCsvFile::WriteFileHeader(const std::wstring& software, const std::wstring& creationTime)
{
    if (m_file.WriteString(L"SOFTWARE    :" + software + L"\nCreation Date\\Time   :" + creationTime + L"\n"))
        return true;
    SetErrorText(ErrorKind::Write);
    return false;
}

bool CMakeCsvFile::WriteColumnHeaders(const std::vector<std::wstring>& headers)
{
    return WriteFields(headers, headers.size());
}

bool CMakeCsvFile::WriteRow(const std::vector<std::wstring>& cells, int columnCount)
{
    m_columnCount = columnCount;
    return WriteFields(cells, columnCount > 0 ? static_cast<size_t>(columnCount) : 0);
}

bool CMakeCsvFile::WriteFields(const std::vector<std::wstring>& fields, size_t count)
{
    if (count == 0)
        return true;
    if (!m_file.SeekToEnd()) {
        SetErrorText(ErrorKind::Write);
        return false;
    }
    for (size_t i = 0; i < count; ++i) {
        // A missing field fails the line where it is missing, and a file without its line is not
        // put in place.
        if (i >= fields.size() || !m_file.WriteString(fields[i]) ||
            !m_file.WriteString(i + 1 < count ? L"," : L"\n")) {
            m_file.Fail();
            SetErrorText(ErrorKind::Write);
            return false;
        }
    }
    return true;
}

bool CMakeCsvFile::CloseCsvFile()
{
    if (m_file.Close())
        return true;
    SetErrorText(m_file.PlaceFailed() ? ErrorKind::Create : ErrorKind::Close);
    return false;
}

void CMakeCsvFile::SetErrorText(ErrorKind kind)
{
    switch (kind) {
    case ErrorKind::Create:
        m_errorText = L"Unable to create .csv file";
        break;
    case ErrorKind::Write:
        m_errorText = L"Unable to write to .csv file";
        break;
    case ErrorKind::Close:
        m_errorText = L"Unable to close .csv file";
        break;
    }
}
