// The result list's order by one column: a click on a header sorts by it, a second click on the
// same header reverses the order, and the header shows an arrow on that column only.
#pragma once

#include "framework/ListCtrl.h"
#include "resultlist/SortKeys.h"

class CResultListSort {
public:
    // A click on a column's header: ascending by that column, descending on a second click.
    void OnHeaderClick(const CListCtrl& list, int column);
    // Directory order again (a new query): no column sorted, no arrow.
    void Reset(const CListCtrl& list);

    int Column() const { return m_column; }
    bool Ascending() const { return m_ascending; }

private:
    int m_column = -1;
    bool m_ascending = true;
};

// Sorts the rows by the texts of one column. Rows whose texts compare equal keep their order, and
// rows without a value ("-") come after all others in both directions. Only that column's keys are
// held while it sorts.
void SortRows(const CListCtrl& list, int column, bool ascending, DigitRule rule = SystemDigitRule());

// The header's sort arrow on that column only; none at all for column -1.
void ShowSortArrow(const CListCtrl& list, int column, bool ascending);
