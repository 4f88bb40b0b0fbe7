// The attribute chooser: sorted lists, the four moves, OK, and every way of cancelling.
#include "chooser/DlgAttributes.h"

#include "framework/Controls.h"
#include "resources/resource.h"
#include "support/CatalogHeaders.h"
#include "support/DialogDriver.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using Names = std::vector<std::wstring>;

const Names& kBasic = kBasicHeaders;
const Names& kAdditional = kAdditionalHeaders;

class DlgAttributesTest : public ::testing::Test {
protected:
    void Open()
    {
        ASSERT_TRUE(chooser.Create());
        ::ShowWindow(chooser.m_hWnd, SW_SHOW);
        available.m_hWnd = chooser.GetDlgItem(IDC_AVAILABLE_LIST);
        selected.m_hWnd = chooser.GetDlgItem(IDC_SELECTED_LIST);
    }
    void TearDown() override { chooser.DestroyWindow(); }

    static Names Texts(const CListBox& list)
    {
        Names names;
        for (int i = 0; i < list.GetCount(); ++i)
            names.push_back(list.GetText(i));
        return names;
    }
    void Click(int id) { ClickButton(chooser.m_hWnd, id); }
    void Highlight(CListBox& list, const std::wstring& name)
    {
        list.SetCurSel(static_cast<int>(list.SendMessage(LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                                         reinterpret_cast<LPARAM>(name.c_str()))));
    }

    Names selectedNames = kBasic;
    Names availableNames = kAdditional;
    CDlgAttributes chooser{nullptr, selectedNames, availableNames};
    CListBox available;
    CListBox selected;
};

TEST_F(DlgAttributesTest, OpensWithBothListsSortedAndTheCaption)
{
    Open();
    EXPECT_EQ(chooser.GetWindowText(), L"Attributes");
    EXPECT_EQ(Texts(available), (Names{L"ADDRESS", L"CITY", L"COUNTRY", L"E-MAIL ID", L"LOGON NAME", L"OFFICE",
                                       L"POST BOX NUMBER", L"STATE\\PROVINCE", L"TELEPHONE NUMBER",
                                       L"WEB SITE ADDRESS", L"ZIP CODE"}));
    EXPECT_EQ(Texts(selected),
              (Names{L"DESCRIPTION", L"DISPLAY NAME", L"FIRST NAME", L"INITIAL", L"LAST NAME", L"NAME"}));
    EXPECT_EQ(available.GetCurSel(), LB_ERR);
    EXPECT_EQ(selected.GetCurSel(), LB_ERR);
}

TEST_F(DlgAttributesTest, AddMovesTheHighlightedNameAndHighlightsTheNext)
{
    Open();
    Highlight(available, L"ADDRESS");
    Click(IDC_ADD);
    EXPECT_EQ(available.GetText(available.GetCurSel()), L"CITY");
    Click(IDC_ADD);
    EXPECT_EQ(available.GetText(available.GetCurSel()), L"COUNTRY");
    EXPECT_EQ(Texts(selected).front(), L"ADDRESS");
    EXPECT_EQ(selectedNames, (Names{L"NAME", L"FIRST NAME", L"INITIAL", L"LAST NAME", L"DISPLAY NAME",
                                    L"DESCRIPTION", L"ADDRESS", L"CITY"}));
    EXPECT_EQ(availableNames.size(), 9u);
    EXPECT_EQ(std::ranges::count(availableNames, L"CITY"), 0);

    // Moving the last entry leaves nothing highlighted.
    Highlight(available, L"ZIP CODE");
    Click(IDC_ADD);
    EXPECT_EQ(available.GetCurSel(), LB_ERR);
}

TEST_F(DlgAttributesTest, MovesWithNothingHighlightedDoNothing)
{
    Open();
    Click(IDC_ADD);
    Click(IDC_REMOVE);
    EXPECT_EQ(selectedNames, kBasic);
    EXPECT_EQ(availableNames, kAdditional);
    EXPECT_EQ(available.GetCount(), 11);
    EXPECT_EQ(selected.GetCount(), 6);
}

TEST_F(DlgAttributesTest, AddAllSelectsEverything)
{
    Open();
    Click(IDC_ADD_ALL);
    EXPECT_EQ(available.GetCount(), 0);
    EXPECT_EQ(selected.GetCount(), 17);
    EXPECT_TRUE(availableNames.empty());
    EXPECT_EQ(selectedNames.size(), 17u);
    Click(IDC_ADD_ALL); // an empty list: nothing to do
    EXPECT_EQ(selectedNames.size(), 17u);
}

TEST_F(DlgAttributesTest, RemoveAllKeepsTheAlphabeticallyLastName)
{
    Open();
    Click(IDC_REMOVE_ALL);
    EXPECT_EQ(Texts(selected), Names{L"NAME"});
    EXPECT_EQ(selectedNames, Names{L"NAME"});
    // Every other name, each once, in the sorted list; the same names in the array.
    Names others = kAdditional;
    others.insert(others.end(), kBasic.begin() + 1, kBasic.end());
    std::sort(others.begin(), others.end());
    EXPECT_EQ(Texts(available), others);
    Names moved = availableNames;
    std::sort(moved.begin(), moved.end());
    EXPECT_EQ(moved, others);
}

TEST_F(DlgAttributesTest, RemoveNeverTakesTheLastSelectedName)
{
    Open();
    Click(IDC_REMOVE_ALL);
    Highlight(selected, L"NAME");
    Click(IDC_REMOVE);
    EXPECT_EQ(Texts(selected), Names{L"NAME"});
    EXPECT_EQ(selectedNames, Names{L"NAME"});
}

TEST_F(DlgAttributesTest, RemoveMovesTheHighlightedNameBack)
{
    Open();
    Highlight(selected, L"INITIAL");
    Click(IDC_REMOVE);
    EXPECT_EQ(selected.GetText(selected.GetCurSel()), L"LAST NAME");
    EXPECT_EQ(availableNames.back(), L"INITIAL");
    EXPECT_EQ(std::ranges::count(selectedNames, L"INITIAL"), 0);
    EXPECT_EQ(selectedNames.size(), 5u);
}

TEST_F(DlgAttributesTest, OkHandsOverTheSelectedListInItsOrder)
{
    Open();
    Highlight(available, L"OFFICE");
    Click(IDC_ADD);
    Highlight(available, L"CITY");
    Click(IDC_ADD);
    Click(IDC_CHOOSER_OK);
    EXPECT_TRUE(chooser.IsEnded());
    EXPECT_EQ(chooser.GetResult(), IDOK);
    EXPECT_EQ(chooser.ChosenNames(), (Names{L"CITY", L"DESCRIPTION", L"DISPLAY NAME", L"FIRST NAME", L"INITIAL",
                                           L"LAST NAME", L"NAME", L"OFFICE"}));
}

TEST_F(DlgAttributesTest, CancelButtonRestoresBothArrays)
{
    Open();
    Click(IDC_ADD_ALL);
    Click(IDC_CHOOSER_CANCEL);
    EXPECT_EQ(chooser.GetResult(), IDCANCEL);
    EXPECT_EQ(selectedNames, kBasic);
    EXPECT_EQ(availableNames, kAdditional);
}

TEST_F(DlgAttributesTest, CloseBoxRestoresBothArrays)
{
    Open();
    Click(IDC_REMOVE_ALL);
    chooser.SendMessage(WM_SYSCOMMAND, SC_CLOSE);
    PumpMessages();
    EXPECT_TRUE(chooser.IsEnded());
    EXPECT_EQ(chooser.GetResult(), IDCANCEL);
    EXPECT_EQ(selectedNames, kBasic);
    EXPECT_EQ(availableNames, kAdditional);
}

TEST_F(DlgAttributesTest, EscapeOnAFocusedButtonCancelsAndRestores)
{
    for (int id : {IDC_CHOOSER_OK, IDC_CHOOSER_CANCEL}) {
        Open();
        // Opened again, the same object fills this opening's lists.
        EXPECT_EQ(available.GetCount(), 11) << id;
        EXPECT_EQ(selected.GetCount(), 6) << id;
        Click(IDC_ADD_ALL);
        FocusControl(chooser.m_hWnd, id);
        PressKey(chooser, VK_ESCAPE);
        PumpMessages();
        EXPECT_TRUE(chooser.IsEnded()) << id;
        EXPECT_EQ(chooser.GetResult(), IDCANCEL);
        EXPECT_EQ(selectedNames, kBasic);
        EXPECT_EQ(availableNames, kAdditional);
        chooser.DestroyWindow();
    }
}

TEST_F(DlgAttributesTest, OkTheSecondTimeHandsOverOnlyThatList)
{
    for (int run = 0; run < 2; ++run) {
        Open();
        Click(IDC_CHOOSER_OK);
        EXPECT_EQ(chooser.ChosenNames().size(), 6u) << "run " << run;
        chooser.DestroyWindow();
    }
}

TEST_F(DlgAttributesTest, OpensCentredOverItsOwner)
{
    HWND owner = ::CreateWindowW(L"STATIC", L"owner", WS_POPUP | WS_CAPTION | WS_VISIBLE, 40, 60, 700, 560,
                                 nullptr, nullptr, nullptr, nullptr);
    CDlgAttributes owned{owner, selectedNames, availableNames};
    ASSERT_TRUE(owned.Create());
    RECT ownerRect, rect;
    ::GetWindowRect(owner, &ownerRect);
    ::GetWindowRect(owned.m_hWnd, &rect);
    EXPECT_NEAR((rect.left + rect.right) / 2, (ownerRect.left + ownerRect.right) / 2, 1);
    EXPECT_NEAR((rect.top + rect.bottom) / 2, (ownerRect.top + ownerRect.bottom) / 2, 1);
    owned.DestroyWindow();
    ::DestroyWindow(owner);
}

TEST_F(DlgAttributesTest, EnterOnAFocusedOkAccepts)
{
    Open();
    ::SetFocus(chooser.GetDlgItem(IDC_CHOOSER_OK));
    PressKey(chooser, VK_RETURN);
    PumpMessages();
    EXPECT_TRUE(chooser.IsEnded());
    EXPECT_EQ(chooser.GetResult(), IDOK);
    EXPECT_EQ(chooser.ChosenNames().size(), 6u);
}

TEST_F(DlgAttributesTest, EnterAndEscapeInTheListsDoNothing)
{
    Open();
    for (int id : {IDC_AVAILABLE_LIST, IDC_SELECTED_LIST, IDC_ADD}) {
        FocusControl(chooser.m_hWnd, id);
        PressKey(chooser, VK_RETURN);
        PressKey(chooser, VK_ESCAPE);
        PumpMessages();
        EXPECT_FALSE(chooser.IsEnded()) << id;
    }
}

} // namespace
