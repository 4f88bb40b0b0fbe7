// The result list as administrators use it: sorted by a header, copied, exported from the keyboard
// and from its shortcut menu.
#include "app/QuorrexDlg.h"

#include "resources/resource.h"
#include "support/DialogDriver.h"
#include "support/ResultListFixture.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace {

using ResultListTest = ResultListFixture;

// Directory order r1 to r6; r3 has no name ("-"), r2 and r5 differ only in letter case.
const std::vector<std::optional<std::wstring>> kNames = {L"user10", L"User2", std::nullopt, L"alice", L"user2", L"Bob"};
constexpr int kName = 0;
constexpr int kTag = 5; // DESCRIPTION

TEST_F(ResultListTest, HeaderClicksSortStablyWithNoValueLastAndOneArrow)
{
    struct Case {
        const char* what;
        std::vector<int> clicks;
        Texts tags; // the rows in the order shown
        std::vector<int> arrows;
    };
    const Case cases[] = {
        {"names ascending: case ignored, digits as numbers, ties in their order, \"-\" last",
         {kName}, {L"r4", L"r6", L"r2", L"r5", L"r1", L"r3"}, {1, 0, 0, 0, 0, 0}},
        {"a second click reverses, \"-\" still last",
         {kName, kName}, {L"r1", L"r2", L"r5", L"r6", L"r4", L"r3"}, {-1, 0, 0, 0, 0, 0}},
        {"a third click ascends again", {kName, kName, kName}, {L"r4", L"r6", L"r2", L"r5", L"r1", L"r3"},
         {1, 0, 0, 0, 0, 0}},
        {"a column of dashes keeps the order it had", {kName, 2}, {L"r4", L"r6", L"r2", L"r5", L"r1", L"r3"},
         {0, 0, 1, 0, 0, 0}},
        {"the arrow moves to the column clicked last", {kName, kTag}, {L"r1", L"r2", L"r3", L"r4", L"r5", L"r6"},
         {0, 0, 0, 0, 0, 1}},
    };
    // Clicked at once after the query, or once the sorts were prepared in idle time.
    for (const bool prepared : {false, true}) {
        for (const Case& c : cases) {
            Generate(kNames);
            if (prepared) {
                ASSERT_TRUE(IdleUntilSortsPrepared());
            }
            ASSERT_EQ(dialog.ResultListReadyToSort(), prepared);
            for (int column : c.clicks)
                ClickHeader(column);
            EXPECT_EQ(Column(kTag), c.tags) << c.what << (prepared ? ", prepared" : "");
            EXPECT_EQ(Arrows(), c.arrows) << c.what;
            EXPECT_EQ(dialog.GetDlgItemText(IDC_OBJECT_COUNT), L"6") << c.what;
        }
    }
    EXPECT_TRUE(boxes.boxes().empty());

    // Many rows that compare equal: enough for a sort that is not stable to move them.
    std::vector<std::optional<std::wstring>> twins;
    Texts inOrder;
    for (int r = 1; r <= 60; ++r) {
        twins.emplace_back(r % 2 ? L"twin" : L"TWIN");
        inOrder.push_back(L"r" + std::to_wstring(r));
    }
    Generate(twins);
    ClickHeader(kName);
    EXPECT_EQ(Column(kTag), inOrder);
}

TEST_F(ResultListTest, RowsWhoseValuesDoNotNumberThemSortToo)
{
    Show({L"NAME"}, {{L"c"}, {L"a"}, {L"b"}});
    for (int row = 0; row < 3; ++row)
        list.SetItemData(row, 7); // as rows inserted some other way may carry
    ClickHeader(kName);
    EXPECT_EQ(Column(kName), (Texts{L"a", L"b", L"c"}));
}

TEST_F(ResultListTest, ASecondClickOnRowsChangedSinceSortsTheirOwnTexts)
{
    // Clicked at once, or after what was prepared ahead for the earlier rows and for the new ones.
    for (const bool prepared : {false, true}) {
        const auto idle = [&] { return !prepared || IdleUntilSortsPrepared(); };
        Show({L"NAME"}, {{L"c"}, {L"a"}, {L"b"}});
        ASSERT_TRUE(idle());
        ClickHeader(kName);
        Show({L"NAME"}, {{L"y"}, {L"z"}, {L"x"}});
        ASSERT_TRUE(idle());
        ClickHeader(kName);
        EXPECT_EQ(Column(kName), (Texts{L"z", L"y", L"x"}));
        list.SetItemText(0, kName, L"a");
        ASSERT_TRUE(idle());
        ClickHeader(kName);
        EXPECT_EQ(Column(kName), (Texts{L"a", L"x", L"y"})) << (prepared ? "prepared" : "at once");
        ClickHeader(kName); // what a sort leaves is the next one's start
    }
}

TEST_F(ResultListTest, AClickOnPreparedRowsReadsNoText)
{
    std::vector<std::optional<std::wstring>> names;
    for (int r = 0; r < 701; ++r) // more rows than one slice of idle work reads
        names.emplace_back(L"user" + std::to_wstring((r * 7) % 701));
    Generate(names);
    ASSERT_TRUE(IdleUntilSortsPrepared());
    static int texts = 0;
    texts = 0;
    const SUBCLASSPROC counter = [](HWND window, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR) {
        texts += msg == LVM_GETITEMTEXTW;
        return ::DefSubclassProc(window, msg, wp, lp);
    };
    ASSERT_TRUE(::SetWindowSubclass(list.m_hWnd, counter, 1, 0));
    ClickHeader(kName);
    ClickHeader(kTag);
    ClickHeader(kName);
    ::RemoveWindowSubclass(list.m_hWnd, counter, 1);
    EXPECT_EQ(texts, 0);
    EXPECT_EQ(list.GetItemText(0, kName), L"user0");
    EXPECT_EQ(list.GetItemText(700, kName), L"user700");
}

TEST_F(ResultListTest, ANewQueryListsInDirectoryOrderWithoutArrow)
{
    Generate(kNames);
    ClickHeader(kName);
    ClickHeader(kName);
    Generate(kNames);
    EXPECT_EQ(Column(kTag), (Texts{L"r1", L"r2", L"r3", L"r4", L"r5", L"r6"}));
    EXPECT_EQ(Arrows(), std::vector<int>(6, 0));
    ClickHeader(kName);
    EXPECT_EQ(Arrows()[kName], 1) << "a click after a new query starts ascending";
}

TEST_F(ResultListTest, AnotherOpeningOfTheDialogStartsUnsorted)
{
    Show({L"NAME"}, {{L"b"}, {L"a"}});
    ClickHeader(kName);
    dialog.DestroyWindow();
    ASSERT_TRUE(dialog.Create());
    list.m_hWnd = dialog.GetDlgItem(IDC_RESULT_LIST);
    Show({L"NAME"}, {{L"b"}, {L"a"}});
    ClickHeader(kName);
    EXPECT_EQ(Column(kName), (Texts{L"a", L"b"}));
    EXPECT_EQ(Arrows(), std::vector<int>{1});
}

TEST_F(ResultListTest, TheSelectedRowStaysSelectedFocusedAndInSight)
{
    std::vector<std::optional<std::wstring>> names;
    for (int r = 0; r < 300; ++r)
        names.emplace_back(L"user" + std::to_wstring(300 - r)); // a sort moves the first row to the end
    Generate(names);
    ListView_SetItemState(list.m_hWnd, 0, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
    ClickHeader(kName);
    const int row = ListView_GetNextItem(list.m_hWnd, -1, LVNI_SELECTED);
    ASSERT_EQ(row, 299);
    EXPECT_EQ(list.GetItemText(row, kTag), L"r1");
    EXPECT_EQ(ListView_GetSelectedCount(list.m_hWnd), 1u);
    EXPECT_EQ(ListView_GetNextItem(list.m_hWnd, -1, LVNI_FOCUSED), row);
    const int top = ListView_GetTopIndex(list.m_hWnd);
    EXPECT_TRUE(top <= row && row < top + ListView_GetCountPerPage(list.m_hWnd)) << "rows shown from " << top;
}

TEST_F(ResultListTest, TheCsvFileHoldsTheRowsInTheOrderShown)
{
    Generate(kNames);
    ClickHeader(kName);
    ClickHeader(kName);
    TempFolder folder;
    SaveAnswer::savePath = folder.Path(L"sorted.csv");
    ::SetFocus(list.m_hWnd);
    PressWithControl('S');
    // After the header line, each line ends with its row's tag, the last column.
    const std::string bytes = ReadFileBytes(SaveAnswer::savePath);
    size_t line = bytes.find("DESCRIPTION\r\n");
    ASSERT_NE(line, std::string::npos) << bytes;
    std::vector<std::string> tags;
    for (line += 13; line < bytes.size();) {
        const size_t end = bytes.find("\r\n", line);
        ASSERT_NE(end, std::string::npos);
        const size_t comma = bytes.rfind(',', end);
        tags.push_back(bytes.substr(comma + 1, end - comma - 1));
        line = end + 2;
    }
    EXPECT_EQ(tags, (std::vector<std::string>{"r1", "r2", "r5", "r6", "r4", "r3"}));
}

TEST_F(ResultListTest, CopyPutsTheSelectedRowsAsShownWithTheirHeadersOnTheClipboard)
{
    Show({L"NAME", L"DISPLAY NAME"}, {{L"\u0141ukasz", L"\u5c71\u7530 \u592a\u90ce"},
                                      {L"skipped", L"not selected"},
                                      {L"tab", L"a\tb"}});
    Select({2, 0});
    ::SetFocus(list.m_hWnd);
    PressWithControl('C');
    EXPECT_EQ(ClipboardText(), L"NAME\tDISPLAY NAME\r\n\u0141ukasz\t\u5c71\u7530 \u592a\u90ce\r\ntab\ta b\r\n");

    // Nothing selected: the clipboard keeps what it had.
    ListView_SetItemState(list.m_hWnd, -1, 0, LVIS_SELECTED);
    PutOnClipboard(L"kept");
    PressWithControl('C');
    EXPECT_EQ(ClipboardText(), L"kept");

    PressWithControl('A');
    EXPECT_EQ(ListView_GetSelectedCount(list.m_hWnd), 3u);
    EXPECT_TRUE(boxes.boxes().empty());
}

TEST_F(ResultListTest, CtrlSAndTheMenuRunTheCsvCommand)
{
    Show({L"NAME"}, {{L"jsmith"}});
    struct Case {
        const char* what;
        std::function<void()> act;
    };
    const Case cases[] = {
        {"Ctrl+S in the filter field", [&] { FocusControl(dialog.m_hWnd, IDC_FILTER); PressWithControl('S'); }},
        {"Ctrl+S in the list", [&] { ::SetFocus(list.m_hWnd); PressWithControl('S'); }},
        {"Save as CSV on the menu", [&] {
             menu.choice = IDM_SAVE_AS_CSV;
             dialog.SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list.m_hWnd), MAKELPARAM(100, 200));
         }},
    };
    for (const Case& c : cases) {
        const int before = SaveAnswer::dialogs;
        c.act();
        EXPECT_EQ(SaveAnswer::dialogs, before + 1) << c.what;
    }
    const int before = SaveAnswer::dialogs;
    FocusControl(dialog.m_hWnd, IDC_FILTER);
    PressWithControl('S', true);
    EXPECT_EQ(SaveAnswer::dialogs, before) << "AltGr+S types a letter";
    EXPECT_EQ(menu.items, (Texts{L"Copy", L"Select All", L"Save as CSV\u2026", L"Save as CSV (UTF-8)\u2026"}));
    EXPECT_FALSE(menu.copyEnabled) << "nothing is selected";
    EXPECT_EQ(menu.at.x, 100);
    EXPECT_EQ(menu.at.y, 200);
}

TEST_F(ResultListTest, TheMenuKeysOpenTheMenuOnceAtTheFocusedRow)
{
    Show({L"NAME"}, {{L"first"}, {L"second"}});
    ListView_SetItemState(list.m_hWnd, 1, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
    ::SetFocus(list.m_hWnd);
    menu.choice = IDM_SELECT_ALL_ROWS;
    const auto deliver = [&](UINT message, WPARAM key) {
        MSG msg = {list.m_hWnd, message, key, 1, 0, {}};
        return dialog.PreTranslateMessage(&msg);
    };
    EXPECT_TRUE(deliver(WM_KEYDOWN, VK_APPS));
    EXPECT_EQ(menu.shown, 0) << "the menu key opens the menu on its release";
    EXPECT_TRUE(deliver(WM_KEYUP, VK_APPS));
    EXPECT_EQ(menu.shown, 1);
    EXPECT_EQ(ListView_GetSelectedCount(list.m_hWnd), 2u) << "the command chosen did not run";
    EXPECT_TRUE(menu.copyEnabled);
    RECT row;
    ListView_GetItemRect(list.m_hWnd, 1, &row, LVIR_LABEL);
    POINT expected = {row.left, row.bottom};
    ::ClientToScreen(list.m_hWnd, &expected);
    EXPECT_EQ(menu.at.x, expected.x);
    EXPECT_EQ(menu.at.y, expected.y);

    BYTE keys[256] = {};
    ::GetKeyboardState(keys);
    keys[VK_SHIFT] = 0x80;
    ::SetKeyboardState(keys);
    EXPECT_TRUE(deliver(WM_SYSKEYDOWN, VK_F10));
    EXPECT_TRUE(deliver(WM_SYSKEYUP, VK_F10)) << "the release would open the window's menu";
    keys[VK_SHIFT] = 0;
    ::SetKeyboardState(keys);
    EXPECT_EQ(menu.shown, 2);
    EXPECT_FALSE(deliver(WM_SYSKEYDOWN, VK_F10)) << "F10 alone is the system's";
}

} // namespace

namespace {

TEST_F(ResultListTest, ARealRightClickOnARowOpensTheMenu)
{
    Show({L"NAME", L"OTHER"}, {{L"b", L"1"}, {L"a", L"2"}});
    ::SetForegroundWindow(dialog.m_hWnd);
    PumpMessages();
    RECT rect;
    ListView_GetItemRect(list.m_hWnd, 0, &rect, LVIR_LABEL);
    ClickAndWait(list.m_hWnd, rect, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP, [&] { return menu.shown > 0; });
    EXPECT_EQ(menu.shown, 1);
}

} // namespace
