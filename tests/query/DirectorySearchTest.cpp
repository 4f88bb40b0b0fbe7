// The search and the fill of the result list, against a scripted directory and a real list view.
#include "query/DirectorySearch.h"

#include "support/AllocationFailure.h"
#include "support/CatalogHeaders.h"
#include "framework/BusyInput.h"
#include "support/QueryDialogFixture.h"

#include <adserr.h>
#include <commctrl.h>

#include <string>

namespace {

class SearchDirectoryTest : public QueryDialogFixture {
protected:
    void SetUp() override
    {
        QueryDialogFixture::SetUp();
        SetColumns(kBasicHeaders);
        Type(IDC_FILTER, L"(&(objectClass=user)(objectCategory=user))");
        directory.lockProbeWindow = list.m_hWnd;
        ::SetWindowSubclass(list.m_hWnd, RecordRedraw, 0, reinterpret_cast<DWORD_PTR>(&redraws));
    }
    void TearDown() override
    {
        ::RemoveWindowSubclass(list.m_hWnd, RecordRedraw, 0);
        QueryDialogFixture::TearDown();
    }

    void Search()
    {
        std::vector<std::wstring> headers;
        ReadColumnHeaders(headers, dialog);
        BusyInput input(dialog.m_hWnd);
        SearchDirectory(dialog, &directory, headers, input);
    }

    void ExpectEverythingReleased()
    {
        EXPECT_EQ(directory.closedHandles, directory.openHandles) << "search handle left open";
        EXPECT_EQ(directory.freedColumns, directory.filledColumns) << "column not freed exactly once";
        EXPECT_TRUE(::LockWindowUpdate(dialog.m_hWnd)) << "window left locked";
        ::LockWindowUpdate(nullptr);
        ASSERT_FALSE(redraws.empty());
        EXPECT_EQ(redraws.front(), static_cast<WPARAM>(FALSE)) << "the list painted while it filled";
        EXPECT_EQ(redraws.back(), static_cast<WPARAM>(TRUE)) << "list redraw left off";
        for (const auto& box : boxes.boxes())
            EXPECT_FALSE(box.windowLocked) << "shown over a locked window: " << testing::PrintToString(box.text);
    }

    void ExpectOneBox(const std::wstring& text, UINT type)
    {
        ASSERT_EQ(boxes.boxes().size(), 1u);
        EXPECT_EQ(boxes.boxes()[0].text, text);
        EXPECT_EQ(boxes.boxes()[0].type, type);
    }

    // What a search that failed leaves: one error box of this run, shown over an unlocked window,
    // an empty list, the count at zero and nothing held. code names the case in a failure.
    void ExpectFailedSearch(const MessageBoxRecorder& boxesOfThisRun, const std::wstring& text, HRESULT code)
    {
        ASSERT_EQ(boxesOfThisRun.boxes().size(), 1u) << std::hex << code;
        EXPECT_EQ(boxesOfThisRun.boxes()[0].text, text) << std::hex << code;
        EXPECT_EQ(boxesOfThisRun.boxes()[0].type, static_cast<UINT>(MB_ICONERROR));
        EXPECT_FALSE(boxesOfThisRun.boxes()[0].windowLocked);
        EXPECT_EQ(list.GetItemCount(), 0) << std::hex << code;
        EXPECT_EQ(Count(), L"0");
        ExpectEverythingReleased();
    }

    // The WM_SETREDRAW flags the list received, in order.
    static LRESULT CALLBACK RecordRedraw(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR data)
    {
        if (msg == WM_SETREDRAW)
            reinterpret_cast<std::vector<WPARAM>*>(data)->push_back(wp);
        return ::DefSubclassProc(hwnd, msg, wp, lp);
    }
    std::vector<WPARAM> redraws;
};

TEST_F(SearchDirectoryTest, ReadColumnHeadersGivesHeadersInColumnOrder)
{
    SetColumns({L"CITY", L"name", L"Something Else"});
    std::vector<std::wstring> headers = {L"kept"};
    ReadColumnHeaders(headers, dialog);
    EXPECT_EQ(headers, (std::vector<std::wstring>{L"kept", L"CITY", L"name", L"Something Else"}));
}

TEST_F(SearchDirectoryTest, AsksForTheSubtreeWithTheFivePreferencesInOrder)
{
    directory.AddTextRow({{L"cn", L"a"}});
    Search();
    ASSERT_EQ(directory.preferences.size(), 5u);
    const auto& p = directory.preferences;
    EXPECT_EQ(p[0].dwSearchPref, ADS_SEARCHPREF_TIMEOUT);
    EXPECT_EQ(p[0].vValue.dwType, ADSTYPE_INTEGER);
    EXPECT_EQ(p[0].vValue.Integer, 120u);
    EXPECT_EQ(p[1].dwSearchPref, ADS_SEARCHPREF_SEARCH_SCOPE);
    EXPECT_EQ(p[1].vValue.dwType, ADSTYPE_INTEGER);
    EXPECT_EQ(p[1].vValue.Integer, static_cast<DWORD>(ADS_SCOPE_SUBTREE));
    EXPECT_EQ(p[2].dwSearchPref, ADS_SEARCHPREF_PAGESIZE);
    EXPECT_EQ(p[2].vValue.dwType, ADSTYPE_INTEGER);
    EXPECT_EQ(p[2].vValue.Integer, 100000000u);
    EXPECT_EQ(p[3].dwSearchPref, ADS_SEARCHPREF_CACHE_RESULTS);
    EXPECT_EQ(p[3].vValue.dwType, ADSTYPE_BOOLEAN);
    EXPECT_EQ(p[3].vValue.Boolean, 1u);
    EXPECT_EQ(p[4].dwSearchPref, ADS_SEARCHPREF_ASYNCHRONOUS);
    EXPECT_EQ(p[4].vValue.dwType, ADSTYPE_BOOLEAN);
    EXPECT_EQ(p[4].vValue.Boolean, 1u);
}

TEST_F(SearchDirectoryTest, RunsTheFilterExactlyAsTypedAskingForAllAttributes)
{
    Type(IDC_FILTER, L"  (cn=Łukasz*) ");
    directory.AddTextRow({{L"cn", L"a"}});
    Search();
    EXPECT_EQ(directory.filter, L"  (cn=Łukasz*) ");
    EXPECT_EQ(directory.requestedAttributes, std::vector<std::wstring>{L"*"});
}

TEST_F(SearchDirectoryTest, FillsOneRowPerObjectInDirectoryOrder)
{
    directory.AddTextRow({{L"cn", L"jsmith"},
                          {L"givenName", L"John"},
                          {L"sn", L"Smith"},
                          {L"displayName", L"John Smith"},
                          {L"description", L"Sales team"}});
    directory.AddTextRow({{L"cn", L"adoe"}, {L"initials", L"Q"}});
    directory.AddTextRow({{L"name", L"not-cn"}});
    Search();

    ASSERT_EQ(list.GetItemCount(), 3);
    EXPECT_EQ(RowTexts(0), (std::vector<std::wstring>{L"jsmith", L"John", L"-", L"Smith", L"John Smith", L"Sales team"}));
    EXPECT_EQ(RowTexts(1), (std::vector<std::wstring>{L"adoe", L"-", L"Q", L"-", L"-", L"-"}));
    EXPECT_EQ(RowTexts(2), (std::vector<std::wstring>{L"-", L"-", L"-", L"-", L"-", L"-"}))
        << "NAME reads cn, not name";
    EXPECT_EQ(Count(), L"3");
    EXPECT_TRUE(boxes.boxes().empty());
    ExpectEverythingReleased();
}

TEST_F(SearchDirectoryTest, CellsHoldNoCommaAndNoLineBreak)
{
    SetColumns({L"ADDRESS", L"DESCRIPTION", L"DISPLAY NAME", L"CITY"});
    directory.AddTextRow({{L"streetAddress", L"1 Main St\r\nSpringfield"},
                          {L"description", L"CN=Smith,OU=Sales"},
                          {L"displayName", L"lone\rcarriage\nreturns"},
                          {L"l", L"Łódź \u6771\u4eac \U0001F600"}});
    Search();
    EXPECT_EQ(RowTexts(0), (std::vector<std::wstring>{L"1 Main St  Springfield", L"CN=Smith OU=Sales",
                                                       L"lone carriage returns", L"Łódź \u6771\u4eac \U0001F600"}));
}

TEST_F(SearchDirectoryTest, EmptyRenderingAndMissingAttributeShowADash)
{
    SetColumns({L"NAME", L"DESCRIPTION", L"CITY"});
    FakeDirectorySearch::Row row;
    row.emplace_back(L"cn", FakeDirectorySearch::Values{directory.Text(L"")});
    ADSVALUE unrendered = {};
    unrendered.dwType = ADSTYPE_EMAIL;
    row.emplace_back(L"description", FakeDirectorySearch::Values{unrendered});
    directory.AddRow(row);
    Search();
    EXPECT_EQ(RowTexts(0), (std::vector<std::wstring>{L"-", L"-", L"-"}));
    ExpectEverythingReleased();
}

TEST_F(SearchDirectoryTest, HeadersMatchWhateverTheirCaseAndUnknownHeadersShowDashes)
{
    SetColumns({L"TELEPHONE NUMBER", L"telephone number", L"Telephone NUMBER", L"PHONE", L"NAME "});
    directory.AddTextRow({{L"telephoneNumber", L"+1 555 0100"}});
    directory.AddTextRow({{L"telephoneNumber", L"+1 555 0101"}});
    Search();
    EXPECT_EQ(RowTexts(0), (std::vector<std::wstring>{L"+1 555 0100", L"+1 555 0100", L"+1 555 0100", L"-", L"-"}));
    EXPECT_EQ(RowTexts(1)[4], L"-");
    // Unknown headers read nothing from the directory.
    EXPECT_EQ(directory.columnRequests.size(), 6u);
    for (const auto& name : directory.columnRequests)
        EXPECT_EQ(name, L"telephoneNumber");
}

TEST_F(SearchDirectoryTest, NoColumnsStillCountsEveryObject)
{
    SetColumns({});
    for (int i = 0; i < 4; ++i)
        directory.AddTextRow({{L"cn", L"x"}});
    Search();
    EXPECT_EQ(list.GetItemCount(), 0);
    EXPECT_EQ(Count(), L"4");
    EXPECT_TRUE(directory.columnRequests.empty());
    ExpectEverythingReleased();
}

TEST_F(SearchDirectoryTest, FailedColumnFetchShowsADashAndTheRowGoesOn)
{
    directory.AddTextRow({{L"cn", L"a"}, {L"givenName", L"b"}, {L"sn", L"c"}});
    directory.failingColumns = {L"givenName"};
    Search();
    EXPECT_EQ(RowTexts(0), (std::vector<std::wstring>{L"a", L"-", L"-", L"c", L"-", L"-"}));
    ExpectEverythingReleased();
}

TEST_F(SearchDirectoryTest, FilterMatchingNothingSaysSoAndLeavesTheCountAtZero)
{
    Search();
    ExpectOneBox(L"No such objects found.", MB_ICONWARNING);
    EXPECT_EQ(list.GetItemCount(), 0);
    EXPECT_EQ(Count(), L"0");
    EXPECT_EQ(directory.closedHandles, 1);
    ExpectEverythingReleased();
}

// The list refuses to store the cells of the row whose first cell is "b".
LRESULT CALLBACK RefuseCellsOfB(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR)
{
    if (msg == LVM_SETITEMTEXTW && CListCtrl(hwnd).GetItemText(static_cast<int>(wp), 0) == L"b")
        return FALSE;
    return ::DefSubclassProc(hwnd, msg, wp, lp);
}

TEST_F(SearchDirectoryTest, ACellTheListRefusesEndsTheListingWithWholeRowsOnly)
{
    SetColumns({L"NAME", L"FIRST NAME"});
    for (const wchar_t* name : {L"a", L"b", L"c"})
        directory.AddTextRow({{L"cn", name}, {L"givenName", L"given"}});
    ::SetWindowSubclass(list.m_hWnd, RefuseCellsOfB, 1, 0);
    Search();
    ::RemoveWindowSubclass(list.m_hWnd, RefuseCellsOfB, 1);
    ASSERT_EQ(list.GetItemCount(), 1) << "a row without its cells stayed";
    EXPECT_EQ(RowTexts(0), (std::vector<std::wstring>{L"a", L"given"}));
    EXPECT_EQ(Count(), L"1");
    ExpectOneBox(L"There is not enough memory to list every object. The list holds only the objects read so far.",
                 MB_ICONWARNING);
    ExpectEverythingReleased();
}

// A search that fails before its first row: at the preferences, at the search itself, or at the
// first row (providers that search only when the first row is asked for fail there).
struct FailedSearchCase {
    const char* name;
    HRESULT FakeDirectorySearch::*stage; // the call that fails
    HRESULT result;
    const wchar_t* message;
};

constexpr wchar_t kNotRun[] = L"The search could not be run.";
constexpr wchar_t kCheckFilter[] = L"The search could not be run. Check the LDAP filter.";

class FailedSearchTest : public SearchDirectoryTest, public ::testing::WithParamInterface<FailedSearchCase> {};

TEST_P(FailedSearchTest, IsNoEmptyResultAndBlamesOnlyAFilterErrorOnTheFilter)
{
    const FailedSearchCase& c = GetParam();
    Type(IDC_FILTER, L"(&(objectClass=user)(cn=a");
    directory.AddTextRow({{L"cn", L"a"}});
    directory.*c.stage = c.result;
    Search();
    ExpectFailedSearch(boxes, c.message, c.result);
    if (c.stage == &FakeDirectorySearch::preferenceResult) {
        EXPECT_TRUE(directory.requestedAttributes.empty()) << "searched although the preferences were refused";
    }
}

// S_ADS_ERRORSOCCURRED: some preferences were refused, which is no S_OK either.
INSTANTIATE_TEST_SUITE_P(
    Stages, FailedSearchTest,
    ::testing::Values(
        FailedSearchCase{"PreferencesBadParameter", &FakeDirectorySearch::preferenceResult, E_ADS_BAD_PARAMETER, kNotRun},
        FailedSearchCase{"PreferencesPartlyRefused", &FakeDirectorySearch::preferenceResult, S_ADS_ERRORSOCCURRED,
                         kNotRun},
        FailedSearchCase{"SearchFilterUnknown", &FakeDirectorySearch::executeResult,
                         static_cast<HRESULT>(0x8007203E), kCheckFilter},
        FailedSearchCase{"SearchInvalidFilter", &FakeDirectorySearch::executeResult, E_ADS_INVALID_FILTER,
                         kCheckFilter},
        FailedSearchCase{"SearchServerDown", &FakeDirectorySearch::executeResult, static_cast<HRESULT>(0x8007203A),
                         kNotRun},
        FailedSearchCase{"SearchNoSuchObject", &FakeDirectorySearch::executeResult, static_cast<HRESULT>(0x80072030),
                         kNotRun},
        FailedSearchCase{"SearchSuccessButNotSOk", &FakeDirectorySearch::executeResult, S_FALSE, kNotRun},
        FailedSearchCase{"FirstRowFails", &FakeDirectorySearch::firstRowFailure, E_FAIL, kNotRun},
        FailedSearchCase{"FirstRowServerDown", &FakeDirectorySearch::firstRowFailure, static_cast<HRESULT>(0x8007203A),
                         kNotRun},
        FailedSearchCase{"FirstRowSuccessButNotSOk", &FakeDirectorySearch::firstRowFailure, S_FALSE, kNotRun},
        FailedSearchCase{"FirstRowFilterUnknown", &FakeDirectorySearch::firstRowFailure,
                         static_cast<HRESULT>(0x8007203E), kCheckFilter}),
    [](const auto& info) { return std::string(info.param.name); });

class StoppedSearchTest : public SearchDirectoryTest, public ::testing::WithParamInterface<HRESULT> {};

TEST_P(StoppedSearchTest, DirectoryStoppingPartWayKeepsTheRowsAndSaysSo)
{
    for (const wchar_t* name : {L"a", L"b", L"c", L"d"})
        directory.AddTextRow({{L"cn", name}});
    directory.failNextRowAt = 2;
    directory.nextRowFailure = GetParam();
    Search();
    EXPECT_EQ(list.GetItemCount(), 2);
    EXPECT_EQ(Cell(1, 0), L"b");
    EXPECT_EQ(Count(), L"2");
    ExpectOneBox(L"The directory stopped sending results. The list holds only the objects read so far.",
                 MB_ICONWARNING);
    EXPECT_FALSE(boxes.boxes()[0].windowLocked);
    ExpectEverythingReleased();
}

INSTANTIATE_TEST_SUITE_P(Failures, StoppedSearchTest, ::testing::Values(E_FAIL, S_FALSE),
                         [](const auto& info) { return info.param == E_FAIL ? "Fails" : "SuccessButNotSOk"; });

TEST_F(SearchDirectoryTest, ColumnFilledWithAnotherSuccessCodeShowsADashAndIsFreed)
{
    directory.AddTextRow({{L"cn", L"a"}, {L"givenName", L"b"}, {L"sn", L"c"}});
    directory.partialColumns = {L"givenName"};
    Search();
    EXPECT_EQ(RowTexts(0), (std::vector<std::wstring>{L"a", L"-", L"-", L"c", L"-", L"-"}));
    EXPECT_EQ(directory.filledColumns, 3);
    ExpectEverythingReleased();
}

TEST_F(SearchDirectoryTest, RunningOutOfMemoryKeepsWholeRowsFreesTheColumnAndSaysSo)
{
    directory.AddTextRow({{L"cn", L"alice"}, {L"description", L"first row"}});
    directory.AddTextRow({{L"cn", L"bob"}, {L"description", L"a description too long for a short string"}});
    directory.AddTextRow({{L"cn", L"carol"}});
    directory.failAllocationAtRow = 1;
    directory.failAllocationAfterColumn = L"description";
    Search();
    EXPECT_FALSE(AllocationFailurePending());
    ASSERT_EQ(list.GetItemCount(), 1) << "no half row may stay";
    EXPECT_EQ(Cell(0, 0), L"alice");
    EXPECT_EQ(Count(), L"1");
    ExpectOneBox(L"There is not enough memory to list every object. The list holds only the objects read so far.",
                 MB_ICONWARNING);
    ExpectEverythingReleased();
}

TEST_F(SearchDirectoryTest, CellsFollowTheirItemWhereTheListPutsIt)
{
    // A list that sorts inserts a row elsewhere than asked: its other cells must go with it.
    ::SetWindowLongW(list.m_hWnd, GWL_STYLE, ::GetWindowLongW(list.m_hWnd, GWL_STYLE) | LVS_SORTASCENDING);
    SetColumns({L"NAME", L"FIRST NAME"});
    directory.AddTextRow({{L"cn", L"zed"}, {L"givenName", L"Zacharias"}});
    directory.AddTextRow({{L"cn", L"amy"}, {L"givenName", L"Amelia"}});
    Search();
    EXPECT_EQ(RowTexts(0), (std::vector<std::wstring>{L"amy", L"Amelia"}));
    EXPECT_EQ(RowTexts(1), (std::vector<std::wstring>{L"zed", L"Zacharias"}));
}

TEST_F(SearchDirectoryTest, WindowIsLockedWhileTheDirectoryIsRead)
{
    directory.AddTextRow({{L"cn", L"a"}});
    Search();
    EXPECT_TRUE(directory.lockHeldDuringSearch);
    ExpectEverythingReleased();
}

TEST_F(SearchDirectoryTest, ManyRowsAreAllListedAndCounted)
{
    SetColumns({L"NAME"});
    for (int i = 0; i < 2500; ++i)
        directory.AddTextRow({{L"cn", L"user" + std::to_wstring(i)}});
    Search();
    EXPECT_EQ(list.GetItemCount(), 2500);
    EXPECT_EQ(Cell(2499, 0), L"user2499");
    EXPECT_EQ(Count(), L"2500");
}

} // namespace
