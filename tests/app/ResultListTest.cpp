// The result list as administrators use it: sorted by a header, copied, exported from the keyboard
// and from its shortcut menu.
#include "app/QuorrexDlg.h"

#include "framework/FileDialog.h"
#include "framework/PopupMenu.h"
#include "resources/resource.h"
#include "support/DialogDriver.h"
#include "support/MainDialogFixture.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace {

using Texts = std::vector<std::wstring>;

// Chooses from the shortcut menu and keeps what it offered.
struct MenuAnswer {
    UINT choice = 0;
    int shown = 0;
    Texts items;
    bool copyEnabled = false;
    POINT at = {};

    static MenuAnswer* current;
    static UINT Choose(HMENU menu, HWND, POINT at)
    {
        MenuAnswer& self = *current;
        ++self.shown;
        self.at = at;
        self.items.clear();
        for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
            wchar_t text[64] = {};
            ::GetMenuStringW(menu, static_cast<UINT>(i), text, 64, MF_BYPOSITION);
            if (text[0])
                self.items.emplace_back(text);
        }
        self.copyEnabled = !(::GetMenuState(menu, IDM_COPY_ROWS, MF_BYCOMMAND) & MF_GRAYED);
        return self.choice;
    }
};
MenuAnswer* MenuAnswer::current = nullptr;

int g_saveDialogs = 0;
std::wstring g_savePath; // where the save dialog's user saves; empty: the user cancels
BOOL WINAPI AnswerSaveDialog(OPENFILENAMEW* dialog)
{
    ++g_saveDialogs;
    if (g_savePath.empty())
        return FALSE;
    wcsncpy_s(dialog->lpstrFile, dialog->nMaxFile, g_savePath.c_str(), _TRUNCATE);
    return TRUE;
}

class ResultListTest : public MainDialogFixture {
protected:
    void SetUp() override
    {
        MainDialogFixture::SetUp();
        MenuAnswer::current = &menu;
        SetPopupMenuFunction(MenuAnswer::Choose);
        SetSaveFileDialogFunction(AnswerSaveDialog);
        g_saveDialogs = 0;
        g_savePath.clear();
    }
    void TearDown() override
    {
        SetPopupMenuFunction(nullptr);
        SetSaveFileDialogFunction(nullptr);
        MainDialogFixture::TearDown();
    }

    // A query whose rows hold a name (or none) and a tag in the description that names the row.
    void Generate(const std::vector<std::optional<std::wstring>>& names)
    {
        directory.rows.clear();
        for (size_t r = 0; r < names.size(); ++r) {
            std::vector<std::pair<std::wstring, std::wstring>> cells;
            if (names[r])
                cells.emplace_back(L"cn", *names[r]);
            cells.emplace_back(L"description", L"r" + std::to_wstring(r + 1));
            directory.AddTextRow(cells);
        }
        dialog.SetDlgItemText(IDC_DOMAIN_NAME, L"EXAMPLE");
        ClickButton(dialog.m_hWnd, IDC_GENERATE);
    }
    Texts Column(int column) const
    {
        Texts texts;
        for (int r = 0; r < list.GetItemCount(); ++r)
            texts.push_back(list.GetItemText(r, column));
        return texts;
    }
    // Presses a key with Ctrl (and Alt: AltGr) held, as the focused window would receive it.
    void PressWithControl(WPARAM key, bool alt = false)
    {
        BYTE keys[256] = {};
        ::GetKeyboardState(keys);
        BYTE before[256];
        std::memcpy(before, keys, sizeof keys);
        keys[VK_CONTROL] = 0x80;
        keys[VK_MENU] = alt ? 0x80 : 0;
        ::SetKeyboardState(keys);
        PressKey(dialog, key);
        ::SetKeyboardState(before);
    }
    void Show(const Texts& headers, const std::vector<Texts>& rows)
    {
        while (list.GetColumnCount() > 0)
            list.DeleteColumn(0);
        for (size_t c = 0; c < headers.size(); ++c)
            list.InsertColumn(static_cast<int>(c), headers[c], 80);
        list.DeleteAllItems();
        for (size_t r = 0; r < rows.size(); ++r) {
            list.InsertItem(static_cast<int>(r), rows[r][0].c_str());
            for (size_t c = 1; c < rows[r].size(); ++c)
                list.SetItemText(static_cast<int>(r), static_cast<int>(c), rows[r][c].c_str());
        }
    }
    void Select(std::initializer_list<int> rows)
    {
        for (int row : rows)
            ListView_SetItemState(list.m_hWnd, row, LVIS_SELECTED, LVIS_SELECTED);
    }
    static void PutOnClipboard(const std::wstring& text)
    {
        ASSERT_TRUE(::OpenClipboard(nullptr));
        ::EmptyClipboard();
        HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
        std::memcpy(::GlobalLock(memory), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
        ::GlobalUnlock(memory);
        ::SetClipboardData(CF_UNICODETEXT, memory);
        ::CloseClipboard();
    }
    static std::wstring ClipboardText()
    {
        std::wstring text;
        if (!::OpenClipboard(nullptr))
            return L"<clipboard busy>";
        if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
            text = static_cast<const wchar_t*>(::GlobalLock(data));
            ::GlobalUnlock(data);
        }
        ::CloseClipboard();
        return text;
    }

    MenuAnswer menu;
};

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
    for (const Case& c : cases) {
        Generate(kNames);
        for (int column : c.clicks)
            ClickHeader(column);
        EXPECT_EQ(Column(kTag), c.tags) << c.what;
        EXPECT_EQ(Arrows(), c.arrows) << c.what;
        EXPECT_EQ(dialog.GetDlgItemText(IDC_OBJECT_COUNT), L"6") << c.what;
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
    Show({L"NAME"}, {{L"c"}, {L"a"}, {L"b"}});
    ClickHeader(kName);
    Show({L"NAME"}, {{L"y"}, {L"z"}, {L"x"}});
    ClickHeader(kName);
    EXPECT_EQ(Column(kName), (Texts{L"z", L"y", L"x"}));
    list.SetItemText(0, kName, L"a");
    ClickHeader(kName);
    EXPECT_EQ(Column(kName), (Texts{L"a", L"x", L"y"}));
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
    g_savePath = folder.Path(L"sorted.csv");
    ::SetFocus(list.m_hWnd);
    PressWithControl('S');
    // After the header line, each line ends with its row's tag, the last column.
    const std::string bytes = ReadFileBytes(g_savePath);
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
        const int before = g_saveDialogs;
        c.act();
        EXPECT_EQ(g_saveDialogs, before + 1) << c.what;
    }
    const int before = g_saveDialogs;
    FocusControl(dialog.m_hWnd, IDC_FILTER);
    PressWithControl('S', true);
    EXPECT_EQ(g_saveDialogs, before) << "AltGr+S types a letter";
    EXPECT_EQ(menu.items, (Texts{L"Copy", L"Select All", L"Save as CSV\u2026"}));
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
