// SelectedRowsText and SelectAllRows.
#include "resultlist/ListCopy.h"

#include <vector>

namespace {

// A spreadsheet reads a field that starts with a quote as quoted text, up to the quote that closes
// it, tabs and line ends included: such a cell goes in quotes of its own, its quotes doubled. A
// quote further in is read as it stands, and so is left as it is for readers of the plain text.
void AppendCell(std::wstring& text, const std::wstring& cell)
{
    const bool quoted = !cell.empty() && cell.front() == L'"';
    if (quoted)
        text += L'"';
    for (const wchar_t c : cell) {
        if (c == L'\t')
            text += L' ';
        else if (c == L'"' && quoted)
            text += L"\"\"";
        else
            text += c;
    }
    if (quoted)
        text += L'"';
}

void AppendLine(std::wstring& text, const std::vector<std::wstring>& cells)
{
    for (size_t c = 0; c < cells.size(); ++c) {
        if (c > 0)
            text += L'\t';
        AppendCell(text, cells[c]);
    }
    text += L"\r\n";
}

} // namespace

std::wstring SelectedRowsText(const CListCtrl& list)
{
    int row = ListView_GetNextItem(list.m_hWnd, -1, LVNI_SELECTED);
    if (row < 0)
        return {};
    const std::vector<std::wstring> headers = list.GetColumnHeaders();
    std::wstring text;
    AppendLine(text, headers);
    std::vector<std::wstring> cells(headers.size());
    std::vector<wchar_t> buffer(256);
    for (; row >= 0; row = ListView_GetNextItem(list.m_hWnd, row, LVNI_SELECTED)) {
        for (size_t c = 0; c < cells.size(); ++c)
            list.GetItemText(row, static_cast<int>(c), cells[c], buffer);
        AppendLine(text, cells);
    }
    return text;
}

void SelectAllRows(const CListCtrl& list)
{
    ListView_SetItemState(list.m_hWnd, -1, LVIS_SELECTED, LVIS_SELECTED);
}
