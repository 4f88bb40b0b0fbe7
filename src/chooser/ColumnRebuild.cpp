// InsertBasicColumns and RebuildColumns.
#include "chooser/ColumnRebuild.h"

#include "framework/Dpi.h"
#include "query/AttributeCatalog.h"

#include <algorithm>

namespace {

constexpr int kBasicColumnWidth = 80;
constexpr int kChosenColumnWidth = 90;

// Index of the first column whose header equals the name (A to Z in either case); -1 if none.
int FindColumn(const CListCtrl& list, const std::wstring& name)
{
    const std::vector<std::wstring> headers = list.GetColumnHeaders();
    const auto found =
        std::ranges::find_if(headers, [&](const std::wstring& header) { return SameDisplayName(header, name); });
    return found == headers.end() ? -1 : static_cast<int>(found - headers.begin());
}

} // namespace

void InsertBasicColumns(const CListCtrl& list)
{
    int column = 0;
    for (const CatalogEntry& entry : BasicAttributes()) {
        list.InsertColumn(column, entry.header, ScaleForWindow(list.m_hWnd, kBasicColumnWidth));
        ++column;
    }
}

void RebuildColumns(const CListCtrl& list, const std::vector<std::wstring>& chosenNames,
                    const std::vector<std::wstring>& availableNames)
{
    int count = list.GetColumnCount();
    for (const std::wstring& name : chosenNames) {
        if (FindColumn(list, name) < 0) {
            list.InsertColumn(count, name, ScaleForWindow(list.m_hWnd, kChosenColumnWidth));
            ++count;
        }
    }
    for (const std::wstring& name : availableNames) {
        const int column = FindColumn(list, name);
        if (column >= 0)
            list.DeleteColumn(column);
    }
    if (list.GetColumnCount() == 0)
        InsertBasicColumns(list);
}
