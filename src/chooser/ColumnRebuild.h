// The result list's columns: the six basic ones, and the rebuild after the attribute chooser.
#pragma once

#include "framework/ListCtrl.h"

#include <string>
#include <vector>

// Inserts the six basic display names as columns 0 to 5, left-aligned, 80 pixels wide at 96 DPI
// (scaled to the list's display).
void InsertBasicColumns(const CListCtrl& list);

// Appends a column 90 pixels wide at 96 DPI (scaled likewise) for every chosen name that has none,
// in the given order, then deletes the column of every available (not shown) name; the six basic
// columns come back if none is left.
void RebuildColumns(const CListCtrl& list, const std::vector<std::wstring>& chosenNames,
                    const std::vector<std::wstring>& availableNames);
