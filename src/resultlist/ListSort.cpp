// Sorting the result list: one column's texts as classes, a stable order of the rows, and the list
// reordered in place by the rank of each row, found through the items' values.
#include "resultlist/ListSort.h"

#include "framework/WaitCursor.h"

#include <algorithm>
#include <vector>

namespace {

constexpr int kNoValueClass = CColumnClasses::kNoValueClass; // after every text, in both directions

// The items' values are their places when they came (a permutation of the rows), so that the list
// can sort by the rank each value has in the new order.
int CALLBACK CompareRanks(LPARAM first, LPARAM second, LPARAM ranksByValue)
{
    const auto& ranks = *reinterpret_cast<const std::vector<int>*>(ranksByValue);
    const int a = ranks[static_cast<size_t>(first)];
    const int b = ranks[static_cast<size_t>(second)];
    return a < b ? -1 : (a > b ? 1 : 0);
}

// The items' values in the order shown. Unless they number the rows once each (as after a fill, or
// an earlier sort), every item is first given its place as its value: only a list filled some
// other way pays for this, once.
std::vector<int> ShownValues(const CListCtrl& list)
{
    const int count = list.GetItemCount();
    std::vector<int> values(static_cast<size_t>(count));
    std::vector<char> seen(static_cast<size_t>(count));
    bool numbered = true;
    for (int row = 0; row < count && numbered; ++row) {
        const LPARAM value = list.GetItemData(row);
        numbered = value >= 0 && value < count && !seen[static_cast<size_t>(value)];
        if (numbered) {
            seen[static_cast<size_t>(value)] = 1;
            values[static_cast<size_t>(row)] = static_cast<int>(value);
        }
    }
    if (numbered)
        return values;
    list.SendMessage(WM_SETREDRAW, FALSE);
    for (int row = 0; row < count; ++row) {
        list.SetItemData(row, row);
        values[static_cast<size_t>(row)] = row;
    }
    list.SendMessage(WM_SETREDRAW, TRUE);
    return values;
}

// Reorders the list by class, ascending or descending, rows of one class in the order shown and
// rows without a value last; selection and focus go with their rows, and the focused row stays in
// sight. Returns the values in the new order.
std::vector<int> ReorderByClass(const CListCtrl& list, const std::vector<int>& shownValues,
                                const std::vector<int>& classes, bool ascending)
{
    std::vector<int> order = shownValues;
    // Descending is ascending by the negated class; no value stays last either way.
    const auto weight = [&](int value) {
        const int c = classes[static_cast<size_t>(value)];
        return (c == kNoValueClass || ascending) ? c : -c;
    };
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return weight(a) < weight(b); });
    std::vector<int> ranksByValue(order.size());
    for (size_t place = 0; place < order.size(); ++place)
        ranksByValue[static_cast<size_t>(order[place])] = static_cast<int>(place);
    list.SendMessage(WM_SETREDRAW, FALSE);
    ListView_SortItems(list.m_hWnd, CompareRanks, reinterpret_cast<LPARAM>(&ranksByValue));
    list.SendMessage(WM_SETREDRAW, TRUE);
    ::InvalidateRect(list.m_hWnd, nullptr, TRUE);
    const int focused = ListView_GetNextItem(list.m_hWnd, -1, LVNI_FOCUSED);
    if (focused >= 0)
        ListView_EnsureVisible(list.m_hWnd, focused, FALSE);
    return order;
}

} // namespace

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

CResultListSort::CResultListSort()
    : m_preparation([this](const IdleSlice& slice) { return PrepareSome(CListCtrl(m_preparation.Window()), slice); })
{
}

void CResultListSort::OnHeaderClick(const CListCtrl& list, int column)
{
    if (column < 0 || column >= list.GetColumnCount())
        return;
    CWaitCursor wait;
    const bool ascending = column == m_column ? !m_ascending : true;
    // Nothing is kept until the list is reordered: a sort that runs out of memory on the way leaves
    // the order, the column and the direction shown, so that the next click goes on from them.
    // What is known of the rows holds while they are unchanged: the values need no reading.
    const std::vector<int> shownValues = m_shownValues.empty() ? ShownValues(list) : m_shownValues;
    const std::vector<int>& classes = m_classes.Of(list, column, shownValues);
    m_shownValues = ReorderByClass(list, shownValues, classes, ascending);
    m_classes.OnReordered();
    m_column = column;
    m_ascending = ascending;
    ShowSortArrow(list, m_column, m_ascending);
}

void CResultListSort::Reset(const CListCtrl& list)
{
    m_column = -1;
    m_ascending = true;
    ForgetRows(list);
    ShowSortArrow(list, -1, true);
}

void CResultListSort::OnListNotice(const CListCtrl& list, const NMHDR& notice)
{
    if (notice.code == LVN_COLUMNCLICK) {
        OnHeaderClick(list, reinterpret_cast<const NMLISTVIEW&>(notice).iSubItem);
        return;
    }
    bool rowsChanged = notice.code == LVN_INSERTITEM || notice.code == LVN_DELETEITEM ||
                       notice.code == LVN_DELETEALLITEMS;
    if (notice.code == LVN_ITEMCHANGED)
        rowsChanged = (reinterpret_cast<const NMLISTVIEW&>(notice).uChanged & (LVIF_TEXT | LVIF_PARAM)) != 0;
    if (rowsChanged)
        ForgetRows(list);
}

bool CResultListSort::Prepared(const CListCtrl& list) const
{
    const int columns = list.GetColumnCount();
    for (int column = 0; column < columns; ++column) {
        if (!m_classes.Made(column))
            return false;
    }
    return m_shownValues.size() == static_cast<size_t>(list.GetItemCount());
}

bool CResultListSort::PrepareSome(const CListCtrl& list, const IdleSlice& slice)
{
    if (m_shownValues.empty())
        m_shownValues = ShownValues(list);
    return m_classes.MakeSome(list, m_shownValues, slice);
}

void CResultListSort::ForgetRows(const CListCtrl& list)
{
    m_shownValues.clear();
    m_classes.Forget();
    m_preparation.Arm(list.m_hWnd);
}
