// SelectedRowsText and SelectAllRows.
#include "resultlist/ListCopy.h"

#include <algorithm>
#include <vector>

namespace {

void AppendLine(std::wstring& text, const std::vector<std::wstring>& cells)
{
    for (size_t c = 0; c < cells.size(); ++c) {
        if (c > 0)
            text += L'\t';
        const size_t start = text.size();
        text += cells[c];
        std::replace(text.begin() + static_cast<std::ptrdiff_t>(start), text.end(), L'\t', L' ');
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
