// A long search as the user lives it: keys and clicks queued while it runs, Escape, messages sent
// from other threads, the system's hang check, and a directory that has not answered yet.
#include "framework/BusyInput.h"
#include "resources/resource.h"
#include "support/DialogDriver.h"
#include "support/MainDialogFixture.h"

#include <adserr.h>

#include <atomic>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace {

constexpr wchar_t kStopped[] = L"The search was stopped. The list holds only the objects read so far.";
constexpr wchar_t kCutShort[] = L"The directory stopped sending results. The list holds only the objects read so far.";
constexpr LPARAM kFirstPress = 1;
constexpr LPARAM kRepeat = 1 | (LPARAM{1} << 30);
constexpr LPARAM kRelease = 1 | (LPARAM{1} << 30) | (LPARAM{1} << 31);

// Time that moves only when a test says so.
std::atomic<ULONGLONG> g_now{0};
ULONGLONG WINAPI TestClock()
{
    return g_now;
}

class LongSearchTest : public MainDialogFixture {
protected:
    void SetUp() override
    {
        MainDialogFixture::SetUp();
        dialog.SetDlgItemText(IDC_DOMAIN_NAME, L"example.test");
        SetColumns({L"NAME"});
        for (int i = 0; i < 40; ++i)
            directory.AddTextRow({{L"cn", L"user" + std::to_wstring(i)}});
        savedClock = BusyClock();
        BusyClock() = TestClock;
        // Every row costs a look's worth of work unless a test says otherwise.
        directory.beforeRow = [this](size_t row) {
            g_now += msPerRow;
            if (row == actAtRow && atRow)
                std::exchange(atRow, nullptr)();
        };
        FocusControl(dialog.m_hWnd, IDC_GENERATE);
    }
    void TearDown() override
    {
        BusyClock() = savedClock;
        // A key still down for the held-Escape filter is released, so that it leaves the thread.
        PostKey(dialog.m_hWnd, WM_KEYUP, VK_ESCAPE, kRelease);
        PumpMessages();
        MainDialogFixture::TearDown();
    }

    void SetColumns(const std::vector<std::wstring>& headers)
    {
        while (list.GetColumnCount() > 0)
            list.DeleteColumn(0);
        for (size_t i = 0; i < headers.size(); ++i)
            list.InsertColumn(static_cast<int>(i), headers[i].c_str(), LVCFMT_LEFT, 80);
    }
    // rows rows, each taking delayMs of the real clock's time, with nothing run between them.
    void StreamRowsInRealTime(int rows, DWORD delayMs)
    {
        BusyClock() = savedClock;
        directory.beforeRow = nullptr;
        directory.rows.clear();
        for (int i = 0; i < rows; ++i)
            directory.AddTextRow({{L"cn", L"user" + std::to_wstring(i)}});
        directory.rowDelayMs = delayMs;
    }
    // Runs this once, when the directory first moves to row.
    void AtRow(size_t row, std::function<void()> action)
    {
        actAtRow = row;
        atRow = std::move(action);
    }
    void PostKey(HWND to, UINT message, WPARAM key, LPARAM flags) { ::PostMessageW(to, message, key, flags); }
    HWND Item(int id) const { return dialog.GetDlgItem(id); }
    std::wstring Count() const { return dialog.GetDlgItemText(IDC_OBJECT_COUNT); }
    void Generate() { ClickButton(dialog.m_hWnd, IDC_GENERATE); }
    // Runs what is queued through the dialog's own filters, as its modal loop would.
    void RunQueuedMessages()
    {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (dialog.PreTranslateMessage(&msg) || ::IsDialogMessageW(dialog.m_hWnd, &msg))
                continue;
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
    static bool QueueHolds(UINT first, UINT last)
    {
        MSG msg;
        return ::PeekMessageW(&msg, nullptr, first, last, PM_NOREMOVE) != FALSE;
    }
    static bool InputQueued()
    {
        return QueueHolds(WM_KEYFIRST, WM_KEYLAST) || QueueHolds(WM_MOUSEFIRST, WM_MOUSELAST) ||
               QueueHolds(WM_NCMOUSEMOVE, WM_NCXBUTTONDBLCLK);
    }

    ULONGLONG msPerRow = BusyInput::kLookInterval;
    size_t actAtRow = SIZE_MAX;
    std::function<void()> atRow;
    BusyClockFunction savedClock = nullptr;
};

TEST_F(LongSearchTest, EscapeStopsTheSearchKeepsTheRowsAndLeavesTheWindowOpen)
{
    // Some providers cannot abandon a search (E_NOTIMPL): the stop is the same.
    for (const HRESULT abandon : {S_OK, E_NOTIMPL}) {
        directory.abandonResult = abandon;
        directory.abandons = directory.openHandles = directory.closedHandles = 0;
        api.opens.clear();
        AtRow(5, [&] { PostKey(Item(IDC_GENERATE), WM_KEYDOWN, VK_ESCAPE, kFirstPress); });
        bool inputQueuedUnderBox = true;
        boxes.whileShown = [&] { inputQueuedUnderBox = InputQueued(); };
        Generate();

        EXPECT_EQ(list.GetItemCount(), 6) << "the row read with the key queued is kept, no further one";
        EXPECT_EQ(Count(), L"6");
        ASSERT_EQ(boxes.boxes().size(), abandon == S_OK ? 1u : 2u);
        EXPECT_EQ(boxes.boxes().back().text, kStopped);
        EXPECT_EQ(boxes.boxes().back().type, static_cast<UINT>(MB_ICONINFORMATION));
        EXPECT_FALSE(boxes.boxes().back().windowLocked);
        EXPECT_FALSE(inputQueuedUnderBox);
        EXPECT_EQ(directory.abandons, 1);
        EXPECT_TRUE(directory.abandonedBeforeClose);
        EXPECT_EQ(directory.closedHandles, 1) << "handle closed " << directory.closedHandles << " times";
        RunQueuedMessages();
        EXPECT_FALSE(dialog.IsEnded()) << "the Escape closed the window after the search";
    }
}

// When the search sees an Escape: at the first look after it, and a look is due once 50 ms of work
// have passed since the last one (the clock moves msPerRow with each row).
struct LookCase {
    const char* name;
    ULONGLONG msPerRow;
    size_t escapeAtRow;
    const wchar_t* count;
};

class LookTimingTest : public LongSearchTest, public ::testing::WithParamInterface<LookCase> {};

TEST_P(LookTimingTest, EscapeIsSeenAtTheFirstLookThatIsDue)
{
    msPerRow = GetParam().msPerRow;
    AtRow(GetParam().escapeAtRow, [&] { PostKey(Item(IDC_GENERATE), WM_KEYDOWN, VK_ESCAPE, kFirstPress); });
    Generate();
    EXPECT_EQ(Count(), GetParam().count);
    EXPECT_FALSE(InputQueued()) << "the Escape of the search was left for the window";
}

INSTANTIATE_TEST_SUITE_P(Cases, LookTimingTest,
                         ::testing::Values(LookCase{"EveryRow", 50, 5, L"6"},
                                           // From 0, ten a row: the first look comes after row 4.
                                           LookCase{"EveryFifthRow", 10, 1, L"5"},
                                           // The queue is left alone; the end discards the key.
                                           LookCase{"Never", 0, 1, L"40"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(LongSearchTest, AHeldEscapeRepeatsNeitherCloseTheBoxNorTheWindowUntilReleased)
{
    AtRow(3, [&] {
        PostKey(Item(IDC_GENERATE), WM_KEYDOWN, VK_ESCAPE, kFirstPress);
        PostKey(Item(IDC_GENERATE), WM_KEYDOWN, VK_ESCAPE, kRepeat);
    });
    bool repeatDroppedUnderBox = false;
    boxes.whileShown = [&] {
        // The key is still down while the box is up: its repeats come in.
        PostKey(Item(IDC_GENERATE), WM_KEYDOWN, VK_ESCAPE, kRepeat);
        MSG msg;
        repeatDroppedUnderBox = ::PeekMessageW(&msg, nullptr, WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE) &&
                                msg.message == WM_NULL;
    };
    Generate();
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_TRUE(repeatDroppedUnderBox);

    PostKey(Item(IDC_GENERATE), WM_KEYDOWN, VK_ESCAPE, kRepeat);
    RunQueuedMessages();
    EXPECT_FALSE(dialog.IsEnded()) << "a repeat of the stopping Escape closed the window";

    // Released, Escape on "Generate" has its usual meaning again.
    PostKey(Item(IDC_GENERATE), WM_KEYUP, VK_ESCAPE, kRelease);
    PostKey(Item(IDC_GENERATE), WM_KEYDOWN, VK_ESCAPE, kFirstPress);
    RunQueuedMessages();
    EXPECT_TRUE(dialog.IsEnded());
}

TEST_F(LongSearchTest, EscapeReleasedDuringTheSearchLeavesLaterRepeatsAlone)
{
    AtRow(3, [&] {
        PostKey(Item(IDC_GENERATE), WM_KEYDOWN, VK_ESCAPE, kFirstPress);
        PostKey(Item(IDC_GENERATE), WM_KEYUP, VK_ESCAPE, kRelease);
    });
    Generate();
    PostKey(Item(IDC_GENERATE), WM_KEYDOWN, VK_ESCAPE, kRepeat);
    RunQueuedMessages();
    EXPECT_TRUE(dialog.IsEnded()) << "Escape on Generate lost its meaning after the search";
}

TEST_F(LongSearchTest, AnEscapeTypedDuringTheBindStopsTheSearchAtItsFirstLook)
{
    api.whileBlocking = [&] { PostKey(Item(IDC_GENERATE), WM_KEYDOWN, VK_ESCAPE, kFirstPress); };
    Generate();
    api.whileBlocking = nullptr;
    EXPECT_EQ(list.GetItemCount(), 1);
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].text, kStopped);
    RunQueuedMessages();
    EXPECT_FALSE(dialog.IsEnded());
}

// Input that reached the window while it searched, as the system queues it for a busy thread.
struct QueuedInput {
    const char* name;
    int target; // control number, 0 for the dialog
    std::vector<MSG> messages;
};

MSG Input(UINT message, WPARAM wp, LPARAM lp)
{
    MSG msg = {};
    msg.message = message;
    msg.wParam = wp;
    msg.lParam = lp;
    return msg;
}

class QueuedInputTest : public LongSearchTest, public ::testing::WithParamInterface<QueuedInput> {
protected:
    void SetUp() override
    {
        LongSearchTest::SetUp();
        domainBefore = dialog.GetDlgItemText(IDC_DOMAIN_NAME);
    }
    void QueueTheInput()
    {
        const QueuedInput& input = GetParam();
        HWND target = input.target ? Item(input.target) : dialog.m_hWnd;
        for (const MSG& msg : input.messages)
            ::PostMessageW(target, msg.message, msg.wParam, msg.lParam);
    }
    // Runs what is left in the queue; neither the window nor its fields may have acted on the input.
    void ExpectTheInputIgnored()
    {
        RunQueuedMessages();
        EXPECT_FALSE(dialog.IsEnded()) << "the window closed";
        EXPECT_EQ(dialog.GetDlgItemText(IDC_DOMAIN_NAME), domainBefore) << "typed keys reached a field";
    }

    std::wstring domainBefore;
};

TEST_P(QueuedInputTest, IsDiscardedWhenTheSearchEnds)
{
    // After the last look, in the call that finds no further row: only the end can take it out.
    AtRow(40, [&] { QueueTheInput(); });
    Generate();
    EXPECT_FALSE(InputQueued()) << "left in the queue after the search";
    ExpectTheInputIgnored();
    EXPECT_EQ(api.opens.size(), 1u) << "the search ran again";
    EXPECT_EQ(Count(), L"40");
}

// The lookup of an unknown domain can wait for name servers for seconds; the box must not be
// answered by what was typed meanwhile, nor a click on "Generate" start a run inside it.
TEST_P(QueuedInputTest, IsDiscardedBeforeTheBoxOfAFailedBind)
{
    const struct {
        const char* failure;
        NET_API_STATUS lookup;
        HRESULT bind;
    } failures[] = {{"unknown domain", NERR_DCNotFound, S_OK}, {"refused credentials", NERR_Success, E_ACCESSDENIED}};
    for (const auto& failure : failures) {
        SCOPED_TRACE(failure.failure);
        api.netDcResult = failure.lookup;
        api.openResult = failure.bind;
        api.netDcLookups.clear();
        bool posted = false;
        api.whileBlocking = [&] {
            if (!std::exchange(posted, true))
                QueueTheInput();
        };
        bool inputQueuedUnderBox = false;
        boxes.whileShown = [&] { inputQueuedUnderBox = InputQueued(); };
        Generate();
        EXPECT_FALSE(inputQueuedUnderBox);
        ExpectTheInputIgnored();
        EXPECT_EQ(api.netDcLookups.size(), 1u) << "the run started again";
    }
    api.whileBlocking = nullptr;
    EXPECT_EQ(boxes.boxes().size(), 2u);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, QueuedInputTest,
    ::testing::Values(
        QueuedInput{"SecondClickOnGenerate",
                    IDC_GENERATE,
                    {Input(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5)), Input(WM_LBUTTONUP, 0, MAKELPARAM(5, 5)),
                     Input(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5)), Input(WM_LBUTTONUP, 0, MAKELPARAM(5, 5))}},
        QueuedInput{"ClickOnClose",
                    IDC_CLOSE,
                    {Input(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5)), Input(WM_LBUTTONUP, 0, MAKELPARAM(5, 5))}},
        // The system tracks the close box with the mouse captured: the release comes as a client message.
        QueuedInput{"ClickOnTheCloseBox", 0, {Input(WM_NCLBUTTONDOWN, HTCLOSE, 0), Input(WM_LBUTTONUP, 0, 0)}},
        QueuedInput{"KeysTypedIntoAField",
                    IDC_DOMAIN_NAME,
                    {Input(WM_KEYDOWN, 'X', 1), Input(WM_CHAR, 'x', 1), Input(WM_KEYUP, 'X', kRelease)}},
        QueuedInput{"EnterOnGenerate", IDC_GENERATE, {Input(WM_KEYDOWN, VK_RETURN, 1)}},
        QueuedInput{"AltF4", 0, {Input(WM_SYSKEYDOWN, VK_F4, 1 | (LPARAM{1} << 29))}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LongSearchTest, TheWaitCursorStaysWhenTheMouseMoves)
{
    HCURSOR wait = ::LoadCursorW(nullptr, IDC_WAIT);
    AtRow(3, [&] {
        // The real mouse: the system sets the cursor only for the input it delivers.
        RECT rect;
        ::GetWindowRect(Item(IDC_RESULT_LIST), &rect);
        ::SetCursorPos((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
        ::SetCursorPos((rect.left + rect.right) / 2 + 5, (rect.top + rect.bottom) / 2 + 5);
    });
    HCURSOR late = nullptr;
    bool moveQueued = false;
    directory.beforeRow = [&, earlier = directory.beforeRow](size_t row) {
        earlier(row);
        if (row == 20) {
            late = ::GetCursor();
            MSG msg;
            moveQueued = ::PeekMessageW(&msg, nullptr, WM_MOUSEMOVE, WM_MOUSEMOVE, PM_NOREMOVE) != FALSE;
        }
    };
    Generate();
    EXPECT_TRUE(moveQueued) << "the mouse move did not reach the window, or was taken";
    EXPECT_EQ(late, wait);
    ::SetCursorPos(0, 0);
}

// What other threads and programs send to the window while it searches: each is answered, and none
// starts a command, a second search or a modal window inside the search.
TEST_F(LongSearchTest, MessagesSentFromAnotherThreadAreAnsweredWithoutRunningACommand)
{
    StreamRowsInRealTime(400, 5); // the sender waits on the real clock
    HWND window = dialog.m_hWnd;
    HWND generate = Item(IDC_GENERATE);
    NMLISTVIEW columnClick = {};
    columnClick.hdr = {Item(IDC_RESULT_LIST), IDC_RESULT_LIST, static_cast<UINT>(LVN_COLUMNCLICK)};
    columnClick.iItem = -1;
    const std::vector<MSG> sent = {
        Input(WM_COMMAND, MAKEWPARAM(IDC_GENERATE, BN_CLICKED), reinterpret_cast<LPARAM>(generate)),
        Input(WM_COMMAND, MAKEWPARAM(IDC_CLOSE, BN_CLICKED), reinterpret_cast<LPARAM>(Item(IDC_CLOSE))),
        Input(WM_COMMAND, MAKEWPARAM(IDC_ABOUT, BN_CLICKED), reinterpret_cast<LPARAM>(Item(IDC_ABOUT))),
        Input(WM_COMMAND, MAKEWPARAM(IDC_GENERATE_CSV, STN_CLICKED), reinterpret_cast<LPARAM>(Item(IDC_GENERATE_CSV))),
        Input(WM_COMMAND, IDM_COPY_ROWS, 0),
        Input(WM_SYSCOMMAND, IDM_ABOUTBOX, 0),
        Input(WM_SYSCOMMAND, SC_CLOSE, 0),
        Input(WM_CLOSE, 0, 0),
        Input(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Item(IDC_RESULT_LIST)), MAKELPARAM(-1, -1)),
        Input(WM_NOTIFY, IDC_RESULT_LIST, reinterpret_cast<LPARAM>(&columnClick)),
    };
    std::atomic<int> answered{0};
    std::atomic<bool> searching{false};
    std::atomic<bool> answeredWhileSearching{false};
    std::thread sender([&] {
        for (int waited = 0; !searching && waited < 10000; ++waited)
            ::Sleep(1);
        int count = 0;
        bool allWhileSearching = true;
        for (const MSG& msg : sent) {
            DWORD_PTR result = 0;
            if (::SendMessageTimeoutW(window, msg.message, msg.wParam, msg.lParam, SMTO_NORMAL, 2000, &result))
                ++count;
            allWhileSearching = allWhileSearching && searching;
        }
        answered = count;
        answeredWhileSearching = allWhileSearching;
    });
    directory.beforeRow = [&](size_t row) { searching = row > 0 && row < 399; };
    Generate();
    searching = false;
    sender.join();
    EXPECT_EQ(answered, static_cast<int>(sent.size()));
    EXPECT_TRUE(answeredWhileSearching) << "the window answered only after the search";
    EXPECT_EQ(api.opens.size(), 1u) << "a second search ran inside the first";
    EXPECT_FALSE(dialog.IsEnded());
    EXPECT_EQ(Count(), L"400");
    EXPECT_EQ(Arrows(), std::vector<int>{0}) << "the list was sorted inside the search";
    EXPECT_TRUE(boxes.boxes().empty());
}

TEST_F(LongSearchTest, TheWindowNeverLooksHungDuringALongFill)
{
    StreamRowsInRealTime(1300, 5); // over six seconds in all: past the system's five
    HWND window = dialog.m_hWnd;
    std::atomic<bool> done{false};
    int probes = 0;
    DWORD slowest = 0;
    bool everHung = false;
    std::thread prober([&] {
        while (!done) {
            const DWORD start = ::GetTickCount();
            DWORD_PTR result = 0;
            const bool answered = ::SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 1000, &result) != 0;
            const DWORD took = answered ? ::GetTickCount() - start : 1000;
            slowest = std::max(slowest, took);
            everHung = everHung || ::IsHungAppWindow(window);
            ++probes;
            ::Sleep(200);
        }
    });
    Generate();
    done = true;
    prober.join();
    EXPECT_EQ(Count(), L"1300");
    EXPECT_GE(probes, 20);
    EXPECT_LT(slowest, 1000u) << "the window did not answer within a second";
    EXPECT_FALSE(everHung);
}

TEST_F(LongSearchTest, EscapeDuringAStallInsideOneCallStopsRightAfterIt)
{
    StreamRowsInRealTime(40, 0);
    directory.stallAtRow = 5;
    directory.stallMs = 2000;
    HWND generate = Item(IDC_GENERATE);
    std::thread typist;
    // The key comes half a second into the stall.
    directory.beforeRow = [&](size_t row) {
        if (row == 5)
            typist = std::thread([generate] {
                ::Sleep(500);
                ::PostMessageW(generate, WM_KEYDOWN, VK_ESCAPE, kFirstPress);
            });
    };
    Generate();
    ASSERT_TRUE(typist.joinable());
    typist.join();
    EXPECT_EQ(Count(), L"6");
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].text, kStopped);
}

// A move that found no row while the directory still worked on the search: the last error says so.
struct WaitingCase {
    const char* name;
    size_t waitingAtRow;
    HRESULT lastErrorResult; // what reading the last error returns
    const wchar_t* count;
    const wchar_t* box; // nullptr: none
    UINT icon;
    DWORD leftFromEarlier = ERROR_SUCCESS; // the thread's last error before the search
};

class WaitingForTheDirectoryTest : public LongSearchTest, public ::testing::WithParamInterface<WaitingCase> {};

TEST_P(WaitingForTheDirectoryTest, IsNeverShownAsFinished)
{
    const WaitingCase& c = GetParam();
    msPerRow = 0;
    directory.waitingAtRow = c.waitingAtRow;
    api.lastErrorResult = c.lastErrorResult;
    api.lastError = c.leftFromEarlier;
    Generate();
    EXPECT_EQ(Count(), c.count);
    EXPECT_EQ(list.GetItemCount(), std::stoi(c.count));
    if (!c.box) {
        EXPECT_TRUE(boxes.boxes().empty());
        return;
    }
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].text, c.box);
    EXPECT_EQ(boxes.boxes()[0].type, c.icon);
    EXPECT_EQ(directory.closedHandles, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WaitingForTheDirectoryTest,
    ::testing::Values(
        WaitingCase{"BeforeTheFirstRow", 0, S_OK, L"0", L"The directory did not answer in time.", MB_ICONWARNING},
        WaitingCase{"AfterSomeRows", 7, S_OK, L"7", kCutShort, MB_ICONWARNING},
        // A provider without a last error (E_NOTIMPL) reports the ends as they are.
        WaitingCase{"NoLastErrorBeforeTheFirstRow", 0, E_NOTIMPL, L"0", L"No such objects found.", MB_ICONWARNING},
        WaitingCase{"NoLastErrorAfterSomeRows", 7, E_NOTIMPL, L"7", nullptr, 0},
        // The thread's last error is old news: every row still comes.
        WaitingCase{"LeftFromEarlier", SIZE_MAX, S_OK, L"40", nullptr, 0, ERROR_MORE_DATA}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
