// Sorting the result list: one column's keys, a stable order of the rows, and the list reordered
// in place by the rank of each row, found through the items' values.
#include "resultlist/ListSort.h"

#include "framework/WaitCursor.h"

#include <algorithm>
#include <numeric>
#include <string>
#include <vector>

namespace {

constexpr wchar_t kNoValue[] = L"-";

// The items' values are their places when they came (a permutation of the rows), so that the list
// can sort by the rank each value has in the new order.
int CALLBACK CompareRanks(LPARAM first, LPARAM second, LPARAM ranksByValue)
{
    const auto& ranks = *reinterpret_cast<const std::vector<int>*>(ranksByValue);
    const int a = ranks[static_cast<size_t>(first)];
    const int b = ranks[static_cast<size_t>(second)];
    return a < b ? -1 : (a > b ? 1 : 0);
}

// Gives every item its place as its value, unless the values already number the rows once each (as
// after a fill, or an earlier sort). Only a list filled some other way pays for this, once.
void NumberItemsOnce(const CListCtrl& list)
{
    const int count = list.GetItemCount();
    std::vector<char> seen(static_cast<size_t>(count));
    bool numbered = true;
    for (int row = 0; row < count && numbered; ++row) {
        const LPARAM value = list.GetItemData(row);
        numbered = value >= 0 && value < count && !seen[static_cast<size_t>(value)];
        if (numbered)
            seen[static_cast<size_t>(value)] = 1;
    }
    if (numbered)
        return;
    list.SendMessage(WM_SETREDRAW, FALSE);
    for (int row = 0; row < count; ++row)
        list.SetItemData(row, row);
    list.SendMessage(WM_SETREDRAW, TRUE);
}

// The rank each row takes in the new order, by its place in the list now.
std::vector<int> RanksOfRows(const CListCtrl& list, int column, bool ascending, DigitRule rule)
{
    const int count = list.GetItemCount();
    std::vector<std::string> keys(static_cast<size_t>(count));
    std::vector<char> noValue(static_cast<size_t>(count)); // cells without a value ("-")
    std::wstring text;
    std::vector<wchar_t> buffer(256);
    for (int row = 0; row < count; ++row) {
        list.GetItemText(row, column, text, buffer);
        noValue[row] = text == kNoValue;
        if (!noValue[row])
            keys[row] = SortKey(text, rule);
    }
    std::vector<int> order(static_cast<size_t>(count));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        if (noValue[a] != noValue[b])
            return noValue[b] != 0;
        return ascending ? keys[a] < keys[b] : keys[b] < keys[a];
    });
    std::vector<int> ranks(static_cast<size_t>(count));
    for (int place = 0; place < count; ++place)
        ranks[order[place]] = place;
    return ranks;
}

} // namespace

void SortRows(const CListCtrl& list, int column, bool ascending, DigitRule rule)
{
    CWaitCursor wait;
    NumberItemsOnce(list);
    const std::vector<int> ranks = RanksOfRows(list, column, ascending, rule);
    std::vector<int> ranksByValue(ranks.size());
    for (int row = 0; row < static_cast<int>(ranks.size()); ++row)
        ranksByValue[static_cast<size_t>(list.GetItemData(row))] = ranks[static_cast<size_t>(row)];
    list.SendMessage(WM_SETREDRAW, FALSE);
    ListView_SortItems(list.m_hWnd, CompareRanks, reinterpret_cast<LPARAM>(&ranksByValue));
    list.SendMessage(WM_SETREDRAW, TRUE);
    ::InvalidateRect(list.m_hWnd, nullptr, TRUE);
}

void ShowSortArrow(const CListCtrl& list, int column, bool ascending)
{
    HWND header = list.GetHeaderCtrl();
    const int count = list.GetColumnCount();
    for (int c = 0; c < count; ++c) {
        HDITEMW item = {};
        item.mask = HDI_FORMAT;
        Header_GetItem(header, c, &item);
        const int wanted = c != column ? 0 : (ascending ? HDF_SORTUP : HDF_SORTDOWN);
        if ((item.fmt & (HDF_SORTUP | HDF_SORTDOWN)) == wanted)
            continue;
        item.fmt = (item.fmt & ~(HDF_SORTUP | HDF_SORTDOWN)) | wanted;
        Header_SetItem(header, c, &item);
    }
}

void CResultListSort::OnHeaderClick(const CListCtrl& list, int column)
{
    if (column < 0 || column >= list.GetColumnCount())
        return;
    m_ascending = column == m_column ? !m_ascending : true;
    m_column = column;
    SortRows(list, m_column, m_ascending);
    ShowSortArrow(list, m_column, m_ascending);
}

void CResultListSort::Reset(const CListCtrl& list)
{
    m_column = -1;
    m_ascending = true;
    ShowSortArrow(list, -1, true);
}
