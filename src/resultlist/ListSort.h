// The result list's order by one column: a click on a header sorts by it, a second click on the
// same header reverses the order, and the header shows an arrow on that column only.
#pragma once

#include "framework/IdleWork.h"
#include "framework/ListCtrl.h"
#include "resultlist/ColumnClasses.h"

#include <vector>

// Rows whose texts compare equal keep their order, and rows without a value ("-") come after all
// others in both directions. While the rows stay as they are and the program waits for input, the
// columns' texts are made into classes ahead, so that a click reorders the list and reads no text.
class CResultListSort {
public:
    CResultListSort();
    CResultListSort(const CResultListSort&) = delete;
    CResultListSort& operator=(const CResultListSort&) = delete;

    // A click on a column's header: ascending by that column, descending on a second click.
    void OnHeaderClick(const CListCtrl& list, int column);
    // Directory order again (a new query): no column sorted, no arrow.
    void Reset(const CListCtrl& list);
    // A notice from the list: a header click sorts; rows inserted or deleted, or a row's first text
    // or its value changed, leave the order the last sort knew behind. The list tells nothing of the
    // texts of its other columns; they are written only by a fill, which inserts its rows first.
    void OnListNotice(const CListCtrl& list, const NMHDR& notice);
    // Whether every column is ready to sort without reading a text.
    bool Prepared(const CListCtrl& list) const;
    // Some of the work done ahead, until the slice is over; true while some remains.
    bool PrepareSome(const CListCtrl& list, const IdleSlice& slice);

private:
    // The rows changed: what was known of them is let go, and made anew in idle time.
    void ForgetRows(const CListCtrl& list);

    int m_column = -1;
    bool m_ascending = true;
    // Until the rows change: the rows' values in the order shown, and the classes of the columns.
    std::vector<int> m_shownValues;
    CColumnClasses m_classes;
    CIdleWork m_preparation;
};

// The header's sort arrow on that column only; none at all for column -1.
void ShowSortArrow(const CListCtrl& list, int column, bool ascending);
