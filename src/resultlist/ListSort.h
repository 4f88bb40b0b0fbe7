// The result list's order by one column: a click on a header sorts by it, a second click on the
// same header reverses the order, and the header shows an arrow on that column only.
#pragma once

#include "framework/ListCtrl.h"

#include <vector>

// Rows whose texts compare equal keep their order, and rows without a value ("-") come after all
// others in both directions. Only the sorted column's keys are held, as one class number a row.
class CResultListSort {
public:
    // A click on a column's header: ascending by that column, descending on a second click.
    void OnHeaderClick(const CListCtrl& list, int column);
    // Directory order again (a new query): no column sorted, no arrow.
    void Reset(const CListCtrl& list);
    // A notice from the list: a header click sorts; rows inserted or deleted, or a row's first text
    // or its value changed, leave the order the last sort knew behind. The list tells nothing of the
    // texts of its other columns; they are written only by a fill, which inserts its rows first.
    void OnListNotice(const CListCtrl& list, const NMHDR& notice);

private:
    void ForgetShownOrder();

    int m_column = -1;
    bool m_ascending = true;
    // What the last sort left, until the rows change: the rows' values in the order shown, and by
    // value the class of each row's text in the sorted column. A second click reads no text again.
    std::vector<int> m_shownValues;
    std::vector<int> m_classes;
};

// The header's sort arrow on that column only; none at all for column -1.
void ShowSortArrow(const CListCtrl& list, int column, bool ascending);
