// The result list's columns after the chooser: appended, removed, and the basic six restored.
#include "chooser/ColumnRebuild.h"

#include "framework/Dialog.h"
#include "resources/resource.h"
#include "support/CatalogHeaders.h"
#include "support/ControlProbe.h"

#include <gtest/gtest.h>

namespace {

class ColumnRebuildTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dialog.Create());
        list.m_hWnd = dialog.GetDlgItem(IDC_RESULT_LIST);
        InsertBasicColumns(list);
    }

    // In pixels at 96 DPI: the display's DPI scales every width once.
    std::vector<int> Widths() const
    {
        std::vector<int> widths;
        for (int c = 0; c < list.GetColumnCount(); ++c)
            widths.push_back(::MulDiv(list.GetColumnWidth(c), 96, static_cast<int>(ScreenDpi())));
        return widths;
    }

    CDialog dialog{IDD_QUORREX_DIALOG};
    CListCtrl list;
    const std::vector<std::wstring> basic = kBasicHeaders;
};

TEST_F(ColumnRebuildTest, BasicColumnsAreSixAt80Pixels)
{
    EXPECT_EQ(list.GetColumnHeaders(), basic);
    EXPECT_EQ(Widths(), std::vector<int>(6, 80));
}

TEST_F(ColumnRebuildTest, NewNamesAreAppendedInChosenOrderAt90Pixels)
{
    std::vector<std::wstring> chosen = {L"CITY", L"DESCRIPTION", L"DISPLAY NAME", L"FIRST NAME", L"INITIAL",
                                        L"LAST NAME", L"NAME", L"OFFICE"};
    RebuildColumns(list, chosen, {L"ADDRESS", L"COUNTRY"});
    auto expected = basic;
    expected.insert(expected.end(), {L"CITY", L"OFFICE"});
    EXPECT_EQ(list.GetColumnHeaders(), expected);
    EXPECT_EQ(Widths(), (std::vector<int>{80, 80, 80, 80, 80, 80, 90, 90}));
}

TEST_F(ColumnRebuildTest, ExistingColumnsStayWhereTheyAreWhateverTheirCase)
{
    list.DeleteColumn(0);
    list.InsertColumn(0, L"name", 80);
    RebuildColumns(list, {L"NAME", L"CITY"}, {L"FIRST NAME", L"INITIAL", L"LAST NAME", L"DISPLAY NAME", L"DESCRIPTION"});
    EXPECT_EQ(list.GetColumnHeaders(), (std::vector<std::wstring>{L"name", L"CITY"}));
}

TEST_F(ColumnRebuildTest, RemovingNameKeepsTheOrderOfTheRest)
{
    RebuildColumns(list, {L"DESCRIPTION", L"DISPLAY NAME", L"FIRST NAME", L"INITIAL", L"LAST NAME"}, {L"NAME"});
    EXPECT_EQ(list.GetColumnHeaders(), (std::vector<std::wstring>{L"FIRST NAME", L"INITIAL", L"LAST NAME",
                                                                   L"DISPLAY NAME", L"DESCRIPTION"}));
}

TEST_F(ColumnRebuildTest, RowsLoseTheCellsOfARemovedColumn)
{
    list.InsertItem(0, L"jsmith");
    list.SetItemText(0, 1, L"John");
    list.SetItemText(0, 2, L"Q");
    RebuildColumns(list, {L"NAME", L"INITIAL"}, {L"FIRST NAME", L"LAST NAME", L"DISPLAY NAME", L"DESCRIPTION"});
    ASSERT_EQ(list.GetColumnHeaders(), (std::vector<std::wstring>{L"NAME", L"INITIAL"}));
    EXPECT_EQ(list.GetItemText(0, 0), L"jsmith");
    EXPECT_EQ(list.GetItemText(0, 1), L"Q");
}

TEST_F(ColumnRebuildTest, NoColumnLeftBringsBackTheBasicSix)
{
    RebuildColumns(list, {}, basic);
    EXPECT_EQ(list.GetColumnHeaders(), basic);
    EXPECT_EQ(Widths(), std::vector<int>(6, 80));
}

} // namespace
