// The selected rows of the result list as text for the clipboard, and selecting every row.
#pragma once

#include "framework/ListCtrl.h"

#include <string>

// The selected rows in the order shown, as tab-separated text: the column headers first, then one
// line per row, every line ending in CR LF; a tab inside a cell becomes a blank, and a cell that
// starts with a double quote is enclosed in double quotes with each of its quotes doubled, as
// spreadsheets read it. Empty when no row is selected.
std::wstring SelectedRowsText(const CListCtrl& list);

void SelectAllRows(const CListCtrl& list);
