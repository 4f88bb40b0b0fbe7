// The result list's commands as spreadsheet users meet them: the quoted copy, the UTF-8 file from
// the keyboard and the menu, keys held down or given with AltGr, the menu of a list scrolled
// sideways, a sort that runs out of memory, and a clipboard that another program holds or refuses.
#include "app/QuorrexDlg.h"

#include "framework/Clipboard.h"
#include "resources/resource.h"
#include "support/AllocationFailure.h"
#include "support/DialogDriver.h"
#include "support/ResultListFixture.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using ResultListCommandsTest = ResultListFixture;

constexpr int kName = 0;
constexpr int kTag = 5; // DESCRIPTION

const std::string kByteOrderMark = "\xEF\xBB\xBF";

TEST_F(ResultListCommandsTest, ACopiedCellThatStartsWithAQuoteIsQuotedAsSpreadsheetsReadIt)
{
    struct Case {
        const char* what;
        std::wstring cell;
        std::wstring copied;
    };
    const Case cases[] = {
        {"a leading quote: enclosed, every quote doubled", L"\"Temp\" account", L"\"\"\"Temp\"\" account\""},
        {"an unbalanced leading quote", L"\"VIP", L"\"\"\"VIP\""},
        {"a quote alone", L"\"", L"\"\"\"\""},
        {"a quote further in is left as it is", L"say \"cheese\"", L"say \"cheese\""},
        {"a trailing quote is left as it is", L"5\"", L"5\""},
        {"a tab in a quoted cell is a blank", L"\"a\tb\"", L"\"\"\"a b\"\"\""},
        {"no quote at all", L"plain", L"plain"},
    };
    for (const Case& c : cases) {
        Show({L"NAME", L"DESCRIPTION"}, {{c.cell, L"next"}, {L"row 2", c.cell}});
        Select({0, 1});
        ::SetFocus(list.m_hWnd);
        PressWithControl('C');
        EXPECT_EQ(ClipboardText(),
                  L"NAME\tDESCRIPTION\r\n" + c.copied + L"\tnext\r\nrow 2\t" + c.copied + L"\r\n")
            << c.what;
    }
    EXPECT_TRUE(boxes.boxes().empty());
}

TEST_F(ResultListCommandsTest, CtrlShiftSAndTheMenuSaveUtf8WhileCtrlSTheLinkAndSaveAsCsvStayEightBit)
{
    TempFolder folder;
    Show({L"NAME"}, {{L"\u0141ukasz"}});
    struct Case {
        const char* what;
        std::function<void()> act;
        bool utf8;
    };
    const auto chooseFromMenu = [&](UINT command) {
        menu.choice = command;
        dialog.SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list.m_hWnd), MAKELPARAM(100, 200));
    };
    const Case cases[] = {
        {"Ctrl+Shift+S in the filter field", [&] { FocusControl(dialog.m_hWnd, IDC_FILTER); PressWithControl('S', false, true); }, true},
        {"Ctrl+Shift+S in the list", [&] { ::SetFocus(list.m_hWnd); PressWithControl('S', false, true); }, true},
        {"Save as CSV (UTF-8) on the menu", [&] { chooseFromMenu(IDM_SAVE_AS_CSV_UTF8); }, true},
        {"Ctrl+S", [&] { ::SetFocus(list.m_hWnd); PressWithControl('S'); }, false},
        {"Save as CSV on the menu", [&] { chooseFromMenu(IDM_SAVE_AS_CSV); }, false},
        {"the link", [&] { ClickButton(dialog.m_hWnd, IDC_GENERATE_CSV); }, false},
    };
    int file = 0;
    for (const Case& c : cases) {
        SaveAnswer::savePath = folder.Path(L"saved" + std::to_wstring(++file) + L".csv");
        const int dialogsBefore = SaveAnswer::dialogs;
        MessageBoxRecorder boxesOfThisCase;
        c.act();
        EXPECT_EQ(SaveAnswer::dialogs, dialogsBefore + 1) << c.what;
        const std::string bytes = ReadFileBytes(SaveAnswer::savePath);
        ASSERT_GT(bytes.size(), 3u) << c.what;
        const std::string row = bytes.substr(bytes.find("NAME\r\n") + 6);
        if (c.utf8) {
            EXPECT_EQ(bytes.substr(0, 3), kByteOrderMark) << c.what;
            EXPECT_EQ(row, "\xC5\x81ukasz\r\n") << c.what;
            EXPECT_TRUE(boxesOfThisCase.boxes().empty()) << c.what;
        } else {
            EXPECT_EQ(bytes.substr(0, 8), "SOFTWARE") << c.what;
            EXPECT_EQ(row, "?ukasz\r\n") << c.what;
            EXPECT_EQ(boxesOfThisCase.boxes().size(), 1u) << c.what << ": the \"?\" count";
        }
    }
}

TEST_F(ResultListCommandsTest, AHeldKeyRunsItsCommandOncePerPress)
{
    Show({L"NAME"}, {{L"a"}, {L"b"}});
    struct Case {
        const char* what;
        WPARAM key;
        bool shift;
        std::function<bool()> ran; // whether the command ran since the case began
    };
    const Case cases[] = {
        {"Ctrl+S", 'S', false, [] { return SaveAnswer::dialogs > 0; }},
        {"Ctrl+Shift+S", 'S', true, [] { return SaveAnswer::dialogs > 0; }},
        {"Ctrl+C", 'C', false, [] { return ClipboardText() != L"kept"; }},
        {"Ctrl+A", 'A', false, [&] { return ListView_GetSelectedCount(list.m_hWnd) == 2; }},
    };
    for (const Case& c : cases) {
        SaveAnswer::dialogs = 0;
        PutOnClipboard(L"kept");
        ListView_SetItemState(list.m_hWnd, -1, 0, LVIS_SELECTED);
        Select({0});
        ::SetFocus(list.m_hWnd);
        PressWithControl(c.key, false, c.shift, true);
        EXPECT_FALSE(c.ran()) << c.what << ": a repeat ran the command";
        EXPECT_EQ(::GetFocus(), list.m_hWnd) << c.what;
        PressWithControl(c.key, false, c.shift);
        EXPECT_TRUE(c.ran()) << c.what << ": the press did not run it";
    }
}

TEST_F(ResultListCommandsTest, AltGrWithTheLettersTypesAndRunsNothing)
{
    Show({L"NAME"}, {{L"a"}, {L"b"}});
    Select({0});
    PutOnClipboard(L"kept");
    ::SetFocus(list.m_hWnd);
    PressWithControl('C', true);
    EXPECT_EQ(ClipboardText(), L"kept") << "AltGr+C copied";
    PressWithControl('A', true);
    EXPECT_EQ(ListView_GetSelectedCount(list.m_hWnd), 1u) << "AltGr+A selected every row";
    PressWithControl('S', true, true);
    EXPECT_EQ(SaveAnswer::dialogs, 0) << "AltGr+Shift+S saved";
}

TEST_F(ResultListCommandsTest, TheKeyboardMenuOfAListScrolledSidewaysOpensInsideIt)
{
    Texts headers;
    Texts cells;
    for (int c = 0; c < 12; ++c) {
        headers.push_back(L"COLUMN " + std::to_wstring(c));
        cells.push_back(L"cell " + std::to_wstring(c));
    }
    Show(headers, {cells, cells});
    for (int c = 0; c < 12; ++c)
        ListView_SetColumnWidth(list.m_hWnd, c, 200);
    ListView_Scroll(list.m_hWnd, 1200, 0);
    ListView_SetItemState(list.m_hWnd, 1, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
    RECT row;
    ListView_GetItemRect(list.m_hWnd, 1, &row, LVIR_LABEL);
    ASSERT_LT(row.left, 0) << "the list did not scroll";
    ::SetFocus(list.m_hWnd);
    MSG up = {list.m_hWnd, WM_KEYUP, VK_APPS, 1, 0, {}};
    EXPECT_TRUE(dialog.PreTranslateMessage(&up));
    ASSERT_EQ(menu.shown, 1);
    RECT inside;
    ::GetClientRect(list.m_hWnd, &inside);
    ::MapWindowPoints(list.m_hWnd, nullptr, reinterpret_cast<POINT*>(&inside), 2);
    EXPECT_TRUE(::PtInRect(&inside, menu.at)) << "the menu opens at " << menu.at.x << "," << menu.at.y
                                               << ", the list spans " << inside.left << " to " << inside.right;
    POINT rowBottom = {0, row.bottom};
    ::ClientToScreen(list.m_hWnd, &rowBottom);
    EXPECT_EQ(menu.at.y, rowBottom.y) << "below the focused row";
}

// Directory order r1 to r6; r3 has no name.
const std::vector<std::optional<std::wstring>> kNames = {L"user10", L"User2", std::nullopt, L"alice", L"user2", L"Bob"};
const Texts kByNameUp = {L"r4", L"r6", L"r2", L"r5", L"r1", L"r3"};
const Texts kByNameDown = {L"r1", L"r2", L"r5", L"r6", L"r4", L"r3"};

TEST_F(ResultListCommandsTest, ASortThatRunsOutOfMemoryLeavesWhatWasShownForTheNextClick)
{
    struct Case {
        const char* what;
        int failingClick; // the column whose click finds no memory, after the name was sorted ascending
    };
    const Case cases[] = {{"a click on another column", kTag}, {"the second click on the same column", kName}};
    for (const Case& c : cases) {
        Generate(kNames);
        ClickHeader(kName);
        MessageBoxRecorder boxesOfThisCase;
        FailNextAllocation();
        ClickHeader(c.failingClick);
        ASSERT_FALSE(AllocationFailurePending()) << c.what;
        EXPECT_EQ(boxesOfThisCase.boxes().size(), 1u) << c.what;
        EXPECT_EQ(Column(kTag), kByNameUp) << c.what << ": the rows moved";
        EXPECT_EQ(Arrows(), (std::vector<int>{1, 0, 0, 0, 0, 0})) << c.what;
        // The next click on the name reverses what is shown.
        ClickHeader(kName);
        EXPECT_EQ(Column(kTag), kByNameDown) << c.what;
        EXPECT_EQ(Arrows(), (std::vector<int>{-1, 0, 0, 0, 0, 0})) << c.what;
    }
}

// A clipboard that refuses the text: the copy says so and the clipboard is closed again.
HANDLE WINAPI RefuseClipboardData(UINT, HANDLE)
{
    return nullptr;
}

TEST_F(ResultListCommandsTest, AClipboardThatRefusesTheTextIsClosedAgain)
{
    Show({L"NAME"}, {{L"a"}});
    Select({0});
    ::SetFocus(list.m_hWnd);
    SetClipboardDataFunction(RefuseClipboardData);
    PressWithControl('C');
    SetClipboardDataFunction(nullptr);
    EXPECT_EQ(::GetOpenClipboardWindow(), nullptr);
    EXPECT_NE(ClipboardText(), L"<clipboard busy>") << "the clipboard was left open";
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].text, L"The rows could not be copied to the clipboard.");
}

// Another program holds the clipboard open and, before it lets go, asks the copying window
// something (as a clipboard viewer asks its owner) and sends it a command.
class ClipboardHolder {
public:
    explicit ClipboardHolder(HWND window) : m_window(window)
    {
        m_holding = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
        m_thread = ::CreateThread(nullptr, 0, Hold, this, 0, nullptr);
        ::WaitForSingleObject(m_holding, 10000);
    }
    ~ClipboardHolder()
    {
        // The test thread answers the sends that are still waiting while the holder ends.
        while (::MsgWaitForMultipleObjects(1, &m_thread, FALSE, 10000, QS_SENDMESSAGE) == WAIT_OBJECT_0 + 1) {
            MSG msg;
            ::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        }
        ::CloseHandle(m_thread);
        ::CloseHandle(m_holding);
    }
    bool answered = false; // the question was answered while the clipboard was held

private:
    static DWORD WINAPI Hold(void* self)
    {
        auto* holder = static_cast<ClipboardHolder*>(self);
        if (!::OpenClipboard(nullptr))
            return 1;
        ::SetEvent(holder->m_holding);
        ::Sleep(50); // the copy starts waiting meanwhile
        DWORD_PTR length = 0;
        holder->answered = ::SendMessageTimeoutW(holder->m_window, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, 300, &length) != 0;
        ::SendMessageTimeoutW(holder->m_window, WM_COMMAND, MAKEWPARAM(IDM_SELECT_ALL_ROWS, 0), 0, SMTO_NORMAL, 300,
                              &length);
        ::CloseClipboard();
        return 0;
    }

    HWND m_window;
    HANDLE m_holding;
    HANDLE m_thread;
};

TEST_F(ResultListCommandsTest, TheCopyWaitsForAHeldClipboardAnsweringOtherProgramsButRunningNoCommand)
{
    Show({L"NAME"}, {{L"a"}, {L"b"}});
    Select({0});
    ::SetFocus(list.m_hWnd);
    {
        ClipboardHolder holder(dialog.m_hWnd);
        PressWithControl('C');
        EXPECT_TRUE(holder.answered) << "the waiting copy did not answer";
    }
    EXPECT_EQ(ClipboardText(), L"NAME\r\na\r\n");
    EXPECT_TRUE(boxes.boxes().empty());
    EXPECT_EQ(ListView_GetSelectedCount(list.m_hWnd), 1u) << "a command ran inside the wait";
}

} // namespace
