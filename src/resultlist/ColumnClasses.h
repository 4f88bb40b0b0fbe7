// The classes of the result list's texts, column by column: equal texts share a class, classes
// rise with the text, and a row without a value ("-") has the class after all others. They are
// kept by item value, so that they hold through any reordering of the rows until the rows change,
// and are made ahead, a slice at a time while the program waits for input, or at once when a sort
// needs a column that is not made yet.
#pragma once

#include "framework/IdleWork.h"
#include "framework/ListCtrl.h"

#include <climits>
#include <string>
#include <vector>

class CColumnClasses {
public:
    static constexpr int kNoValueClass = INT_MAX;

    // Goes on making the columns not made yet, in their order, until the slice is over; true while
    // a column remains. shownValues: the items' values in the order shown, a permutation of the rows.
    bool MakeSome(const CListCtrl& list, const std::vector<int>& shownValues, const IdleSlice& slice);
    // The classes of one column by value, made now unless they were made before.
    const std::vector<int>& Of(const CListCtrl& list, int column, const std::vector<int>& shownValues);
    bool Made(int column) const;
    // The rows were reordered: a column half read goes on from the first row shown, skipping the
    // items it has read.
    void OnReordered() { m_nextRow = 0; }
    // The rows changed: nothing made holds.
    void Forget();

private:
    void StartReading(int column, size_t rows);
    // Reads the column being read on from m_nextRow until the slice is over; true once every row is read.
    bool ReadOn(const CListCtrl& list, const std::vector<int>& shownValues, const IdleSlice& slice);
    // The read column's classes from its keys; the keys are let go.
    void FinishReading();

    struct Column {
        bool made = false;
        std::vector<int> classes;
    };
    std::vector<Column> m_columns;

    // The column being read, by value: each item's sort key, and whether it has been read and has a
    // value; the row shown to read next.
    enum class Read : char { Not, Text, NoValue };
    int m_reading = -1;
    std::vector<std::string> m_keys;
    std::vector<Read> m_read;
    size_t m_nextRow = 0;
};
