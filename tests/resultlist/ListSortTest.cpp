// The sorts prepared ahead: some of the work, then a click that reorders the rows, then the rest
// of the work, order the rows as a sort that read everything at once.
#include "resultlist/ListSort.h"

#include "support/MainWindowStandIn.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A slice that is over at its given question.
class CountedSlice : public IdleSlice {
public:
    explicit CountedSlice(int questions) : m_left(questions) {}
    bool Over() const override { return --m_left <= 0; }

private:
    mutable int m_left;
};

class ListSortTest : public ::testing::Test {
protected:
    void MakeList()
    {
        list.m_hWnd = ::CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | LVS_REPORT, 0, 0, 200, 200,
                                        owner.m_hWnd, nullptr, nullptr, nullptr);
        list.InsertColumn(0, L"NAME", 80);
        list.InsertColumn(1, L"GROUP", 80);
        // Names in a scrambled order, and three groups that reorder every row.
        for (int r = 0; r < kRows; ++r) {
            list.InsertItem(r, Name((r * 7919) % kRows).c_str());
            list.SetItemText(r, 1, (L"g" + std::to_wstring(r % 3)).c_str());
        }
    }

    static std::wstring Name(int n)
    {
        wchar_t text[16];
        swprintf_s(text, L"name%04d", n);
        return text;
    }

    static constexpr int kRows = 600; // more than a slice of reading
    MainWindowStandIn owner;
    CListCtrl list;
    CResultListSort sort;
};

TEST_F(ListSortTest, WorkPreparedInPartOrdersAllRowsAfterAClickInTheMiddle)
{
    struct Case {
        const char* what;
        int questions; // that the slice answers before it is over
    };
    const Case cases[] = {
        {"the names half read when they are clicked", 3},
        {"the names read, the groups half read when the names are clicked", 5},
    };
    for (const Case& c : cases) {
        MakeList();
        sort.Reset(list);
        EXPECT_TRUE(sort.PrepareSome(list, CountedSlice(c.questions))) << c.what << ": some work remains";
        sort.OnHeaderClick(list, 0);
        EXPECT_FALSE(sort.PrepareSome(list, IdleSlice::Endless())) << c.what << ": nothing remains";
        EXPECT_TRUE(sort.Prepared(list)) << c.what;
        // By group, and in each group by name, the order the click on the names left.
        sort.OnHeaderClick(list, 1);
        for (int r = 1; r < kRows; ++r) {
            const auto before = list.GetItemText(r - 1, 1) + list.GetItemText(r - 1, 0);
            const auto after = list.GetItemText(r, 1) + list.GetItemText(r, 0);
            ASSERT_LT(before, after) << c.what << ", row " << r;
        }
        ::DestroyWindow(list.m_hWnd);
    }
}

} // namespace
