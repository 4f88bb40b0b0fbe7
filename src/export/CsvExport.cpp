// The CSV command: the save dialog, the list read back cell by cell and written, the messages.
#include "export/CsvExport.h"

#include "export/CreationTime.h"
#include "export/MakeCsvFile.h"
#include "framework/FileDialog.h"
#include "framework/ListCtrl.h"
#include "framework/MessageBox.h"
#include "resources/resource.h"

#include <vector>

namespace {

constexpr wchar_t kSoftware[] = L"Varnok";
constexpr DWORD kSaveDialogFlags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_LONGNAMES | OFN_ENABLESIZING;
// Room for the longest path the system takes.
constexpr size_t kPathCapacity = 32768;

// The characters after the last dot of the file name, without the dot; empty when there is none.
std::wstring FileExtension(const std::wstring& path)
{
    const size_t nameStart = path.find_last_of(L"\\/");
    const size_t dot = path.find_last_of(L'.');
    if (dot == std::wstring::npos || (nameStart != std::wstring::npos && dot < nameStart))
        return {};
    return path.substr(dot + 1);
}

// The header texts as the header control gives them (at most 255 characters); a header it does
// not give is left out.
std::vector<std::wstring> ReadHeaders(const CListCtrl& list)
{
    std::vector<std::wstring> headers;
    const int count = list.GetColumnCount();
    for (int i = 0; i < count; ++i) {
        std::wstring text;
        if (list.GetColumnHeader(i, text))
            headers.push_back(std::move(text));
    }
    return headers;
}

// Writes the header line and the rows, one row in memory at a time; false at the first failure.
bool WriteTable(CMakeCsvFile& writer, const CListCtrl& list)
{
    const std::vector<std::wstring> headers = ReadHeaders(list);
    const int rowCount = list.GetItemCount();
    const int columnCount = list.GetColumnCount();
    if (!writer.WriteColumnHeaders(headers))
        return false;
    std::vector<wchar_t> buffer(256); // one for the whole export
    std::vector<std::wstring> cells(static_cast<size_t>(columnCount > 0 ? columnCount : 0));
    for (int row = 0; row < rowCount; ++row) {
        for (int column = 0; column < columnCount; ++column)
            list.GetItemText(row, column, cells[static_cast<size_t>(column)], buffer);
        if (!writer.WriteRow(cells, columnCount))
            return false;
    }
    return true;
}

} // namespace

std::optional<std::wstring> AskForCsvPath(HWND owner)
{
    std::vector<wchar_t> file(kPathCapacity, L'\0');
    OPENFILENAMEW dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = L"csv Files (*.csv)\0*.csv\0";
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrTitle = L"Save as";
    dialog.lpstrDefExt = L"csv";
    dialog.Flags = kSaveDialogFlags;
    if (!ShowSaveFileDialog(dialog))
        return std::nullopt;
    std::wstring path(file.data());
    if (FileExtension(path) != L"csv")
        return std::nullopt;
    return path;
}

void ExportResultList(CWnd& dialog, const std::wstring& path, std::int64_t creationTime, TextEncoding encoding)
{
    CMakeCsvFile writer(encoding);
    if (!writer.CreateCsvFile(path)) {
        AppMessageBox(writer.GetErrorText(), MB_OK);
        return;
    }
    const CListCtrl list(dialog.GetDlgItem(IDC_RESULT_LIST));
    const bool written =
        writer.WriteFileHeader(kSoftware, FormatCreationTime(creationTime)) && WriteTable(writer, list);
    // The first failure is the one to tell: closing a file whose write failed fails as well.
    std::wstring failure = written ? std::wstring() : writer.GetErrorText();
    if (!writer.CloseCsvFile() && failure.empty())
        failure = writer.GetErrorText();
    if (!failure.empty()) {
        AppMessageBox(failure, MB_OK);
        return;
    }
    if (const unsigned long long replaced = writer.GetUnstorableCount()) {
        AppMessageBox(std::to_wstring(replaced) +
                          L" characters could not be stored in the 8-bit CSV file and were written as \"?\".",
                      MB_ICONEXCLAMATION);
    }
}
