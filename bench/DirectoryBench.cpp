// One measurement against a real directory, in a process of its own so that its peak working set
// is its own:
//   generate: the real main dialog, shown, "Generate" pressed, until the list is filled and
//             painted; then the CSV export of that list, and the bare fill of the list with the
//             same cells (read back first), which with the bare search is Generate's floor;
//   adsi:     the bare search the dialog makes (same lookup, bind, five preferences, filter and
//             "*", GetColumn/FreeColumn of the shown attributes per row), with no window.
// Prints one line of name=value pairs (times in seconds, working sets in MB). With --profile the
// directory calls and the list's messages are also timed, and a second line says where the time
// went; the counters cost a little, so the plain figures come from runs without them. The
// password comes from the environment (QUORREX_BENCH_PASSWORD), never from the command line.
//   quorrex_dc_bench.exe [--profile] generate|adsi <domain> <user> <6|17> [filter]
//   quorrex_dc_bench.exe hold      (keeps Wine's desktop open between runs; see wmain)
#include "BenchSupport.h"
#include "app/QuorrexDlg.h"
#include "chooser/ColumnRebuild.h"
#include "export/CsvExport.h"
#include "framework/ListCtrl.h"
#include "framework/MessageBox.h"
#include "query/AttributeCatalog.h"
#include "query/ControllerLookup.h"
#include "query/DirectoryApi.h"
#include "query/DirectorySearch.h"
#include "resources/resource.h"

#include <windows.h>

#include <iads.h>
#include <adserr.h>
#include <commctrl.h>
#include <psapi.h>
#include <x86intrin.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr wchar_t kDefaultFilter[] = L"(&(objectClass=user)(objectCategory=user))";

double PeakMegabytes()
{
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    ::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters);
    return static_cast<double>(counters.PeakWorkingSetSize) / (1024 * 1024);
}

std::vector<std::wstring> ShownNames(int columns)
{
    std::vector<std::wstring> names;
    for (auto list : {BasicAttributes(), AdditionalAttributes()}) {
        for (const CatalogEntry& entry : list) {
            if (static_cast<int>(names.size()) < columns)
                names.emplace_back(entry.header);
        }
    }
    return names;
}

// --- The profile: time stamp counter ticks, because a clock call per directory call and list
// message (tens per row) through Wine's clock would itself cost a visible share. The ticks are
// turned into seconds with the rate seen over the whole measured stretch.

bool g_profile = false;

struct Counter {
    unsigned long long ticks = 0;
    unsigned long long calls = 0;
};

struct Profile {
    Counter open, preferences, execute, firstRow, nextRow, getColumn, freeColumn, closeHandle;
    Counter insertItem, setItemText, setRedraw, paint, otherListMessages;
    unsigned long long lastRowDone = 0; // when the last GetNextRow returned
    unsigned long long executeStart = 0, executeEnd = 0;
    double executeCpu = 0; // the thread's processor time in ExecuteSearch
} g_counters;

// The calling thread's processor time, user and kernel, in seconds.
double ThreadCpuSeconds()
{
    FILETIME created, exited, kernel, user;
    if (!::GetThreadTimes(::GetCurrentThread(), &created, &exited, &kernel, &user))
        return 0;
    auto seconds = [](const FILETIME& t) {
        return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e7;
    };
    return seconds(kernel) + seconds(user);
}

class Timed {
public:
    explicit Timed(Counter& counter) : m_counter(counter), m_start(__rdtsc()) {}
    ~Timed()
    {
        m_counter.ticks += __rdtsc() - m_start;
        ++m_counter.calls;
    }
    Timed(const Timed&) = delete;
    Timed& operator=(const Timed&) = delete;

private:
    Counter& m_counter;
    unsigned long long m_start;
};

// Passes every call on to the provider's search object, timing each.
class TimedSearch : public IDirectorySearch {
public:
    explicit TimedSearch(IDirectorySearch* inner) : m_inner(inner) {}

    HRESULT WINAPI QueryInterface(REFIID iid, void** object) override
    {
        if (iid == IID_IUnknown || iid == IID_IDirectorySearch) {
            *object = this;
            AddRef();
            return S_OK;
        }
        return m_inner->QueryInterface(iid, object);
    }
    ULONG WINAPI AddRef() override { return ++m_references; }
    ULONG WINAPI Release() override
    {
        const ULONG left = --m_references;
        if (left == 0) {
            m_inner->Release();
            delete this;
        }
        return left;
    }
    HRESULT WINAPI SetSearchPreference(PADS_SEARCHPREF_INFO preferences, DWORD count) override
    {
        Timed t(g_counters.preferences);
        return m_inner->SetSearchPreference(preferences, count);
    }
    HRESULT WINAPI ExecuteSearch(LPWSTR filter, LPWSTR* names, DWORD count, PADS_SEARCH_HANDLE handle) override
    {
        g_counters.executeStart = __rdtsc();
        const double cpu = ThreadCpuSeconds();
        HRESULT result;
        {
            Timed t(g_counters.execute);
            result = m_inner->ExecuteSearch(filter, names, count, handle);
        }
        g_counters.executeCpu += ThreadCpuSeconds() - cpu;
        g_counters.executeEnd = __rdtsc();
        return result;
    }
    HRESULT WINAPI AbandonSearch(ADS_SEARCH_HANDLE handle) override { return m_inner->AbandonSearch(handle); }
    HRESULT WINAPI GetFirstRow(ADS_SEARCH_HANDLE handle) override
    {
        Timed t(g_counters.firstRow);
        return m_inner->GetFirstRow(handle);
    }
    HRESULT WINAPI GetNextRow(ADS_SEARCH_HANDLE handle) override
    {
        HRESULT result;
        {
            Timed t(g_counters.nextRow);
            result = m_inner->GetNextRow(handle);
        }
        g_counters.lastRowDone = __rdtsc();
        return result;
    }
    HRESULT WINAPI GetPreviousRow(ADS_SEARCH_HANDLE handle) override { return m_inner->GetPreviousRow(handle); }
    HRESULT WINAPI GetNextColumnName(ADS_SEARCH_HANDLE handle, LPWSTR* name) override
    {
        return m_inner->GetNextColumnName(handle, name);
    }
    HRESULT WINAPI GetColumn(ADS_SEARCH_HANDLE handle, LPWSTR name, PADS_SEARCH_COLUMN column) override
    {
        Timed t(g_counters.getColumn);
        return m_inner->GetColumn(handle, name, column);
    }
    HRESULT WINAPI FreeColumn(PADS_SEARCH_COLUMN column) override
    {
        Timed t(g_counters.freeColumn);
        return m_inner->FreeColumn(column);
    }
    HRESULT WINAPI CloseSearchHandle(ADS_SEARCH_HANDLE handle) override
    {
        Timed t(g_counters.closeHandle);
        return m_inner->CloseSearchHandle(handle);
    }

private:
    virtual ~TimedSearch() = default;
    IDirectorySearch* m_inner;
    ULONG m_references = 1;
};

decltype(DirectoryApi::adsOpenObject) g_systemOpen = nullptr;

HRESULT WINAPI TimedOpenObject(LPCWSTR path, LPCWSTR user, LPCWSTR password, DWORD flags, REFIID iid, void** object)
{
    HRESULT result;
    {
        Timed t(g_counters.open);
        result = g_systemOpen(path, user, password, flags, iid, object);
    }
    if (result == S_OK && iid == IID_IDirectorySearch && *object)
        *object = static_cast<IDirectorySearch*>(new TimedSearch(static_cast<IDirectorySearch*>(*object)));
    return result;
}

void InstallSearchCounters()
{
    DirectoryApi& api = TheDirectoryApi();
    g_systemOpen = api.adsOpenObject;
    api.adsOpenObject = TimedOpenObject;
}

WNDPROC g_listProcedure = nullptr;

LRESULT CALLBACK TimedListProcedure(HWND hwnd, UINT message, WPARAM wp, LPARAM lp)
{
    Counter& counter = message == LVM_INSERTITEMW  ? g_counters.insertItem
                       : message == LVM_SETITEMTEXTW ? g_counters.setItemText
                       : message == WM_SETREDRAW     ? g_counters.setRedraw
                       : message == WM_PAINT         ? g_counters.paint
                                                     : g_counters.otherListMessages;
    Timed t(counter);
    return ::CallWindowProcW(g_listProcedure, hwnd, message, wp, lp);
}

void InstallListCounters(HWND list)
{
    g_listProcedure = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(TimedListProcedure)));
}

// Seconds and calls of one counter, as "name=s/calls".
void PrintCounter(const char* name, const Counter& counter, double ticksPerSecond)
{
    std::printf(" %s=%.3f/%llu", name, static_cast<double>(counter.ticks) / ticksPerSecond, counter.calls);
}

// The second line of a profiled run. First the five stretches that add up to the total: before the
// search (lookup, bind; Generate also clears the list, reads its headers and locks the window),
// ExecuteSearch, the rows (up to the return of the last GetNextRow), after the last row (closing;
// Generate also unlocks the window and writes the count) and the final paint (Generate only).
// Then the counters inside them, and what the rows stretch spent outside every counter: the
// program's own per-row work (cell text, cursor, loop).
void PrintProfile(const char* mode, const Profile& p, unsigned long long start, unsigned long long end,
                  double seconds, unsigned long long workEnd)
{
    const double rate = static_cast<double>(end - start) / seconds;
    auto span = [rate](unsigned long long from, unsigned long long to) { return static_cast<double>(to - from) / rate; };
    const unsigned long long searchEnd = p.executeEnd;
    std::printf("profile %s total=%.3f before-search=%.3f execute=%.3f rows=%.3f after-last-row=%.3f final-paint=%.3f",
                mode, seconds, span(start, p.executeStart), span(p.executeStart, searchEnd),
                span(searchEnd, p.lastRowDone), span(p.lastRowDone, workEnd), span(workEnd, end));
    std::printf(" execute-cpu=%.3f", p.executeCpu);
    static constexpr std::pair<const char*, Counter Profile::*> kPrinted[] = {
        {"open", &Profile::open},               {"preferences", &Profile::preferences},
        {"first-row", &Profile::firstRow},      {"next-row", &Profile::nextRow},
        {"get-column", &Profile::getColumn},    {"free-column", &Profile::freeColumn},
        {"close-handle", &Profile::closeHandle}, {"insert-item", &Profile::insertItem},
        {"set-item-text", &Profile::setItemText}, {"set-redraw", &Profile::setRedraw},
        {"paint", &Profile::paint},             {"other-list", &Profile::otherListMessages},
    };
    for (const auto& [name, counter] : kPrinted)
        PrintCounter(name, p.*counter, rate);
    const unsigned long long counted = p.firstRow.ticks + p.nextRow.ticks + p.getColumn.ticks + p.freeColumn.ticks +
                                       p.insertItem.ticks + p.setItemText.ticks;
    std::printf(" uncounted-in-rows=%.3f\n", span(counted, p.lastRowDone - searchEnd));
}

// Any message box is worth a line on the error stream: a failed search says why there.
int PrintBox(HWND, const wchar_t* text, const wchar_t*, UINT)
{
    std::fprintf(stderr, "message box: %ls\n", text);
    return IDOK;
}

// Handles what is waiting (the first paint of a window just shown), so that it is not measured.
void DrainMessages()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

int Generate(const std::wstring& domain, const std::wstring& user, const std::wstring& password, int columns,
             const std::wstring& filter)
{
    SetMessageBoxFunction(PrintBox);
    CQuorrexDlg dialog;
    if (!dialog.Create()) {
        std::fprintf(stderr, "the dialog was not created (error %lu)\n", ::GetLastError());
        return 1;
    }
    // As a user sees it: the window is on the screen, so that the window lock and the paint cost
    // what they cost there.
    ::ShowWindow(dialog.m_hWnd, SW_SHOW);
    ::UpdateWindow(dialog.m_hWnd);
    dialog.SetDlgItemText(IDC_DOMAIN_NAME, domain);
    dialog.SetDlgItemText(IDC_USER, user);
    dialog.SetDlgItemText(IDC_PASSWORD, password);
    dialog.SetDlgItemText(IDC_FILTER, filter);
    const CListCtrl list(dialog.GetDlgItem(IDC_RESULT_LIST));
    if (columns > 6)
        RebuildColumns(list, ShownNames(columns), {});
    if (list.GetColumnCount() != columns) {
        std::fprintf(stderr, "the list has %d columns, not %d\n", list.GetColumnCount(), columns);
        return 1;
    }
    if (g_profile) {
        InstallSearchCounters();
        InstallListCounters(list.m_hWnd);
    }
    DrainMessages();

    const unsigned long long startTicks = __rdtsc();
    const auto start = std::chrono::steady_clock::now();
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_GENERATE, BN_CLICKED),
                       reinterpret_cast<LPARAM>(dialog.GetDlgItem(IDC_GENERATE)));
    const double filled = Seconds(start);
    const unsigned long long handlerEnd = __rdtsc();
    ::RedrawWindow(dialog.m_hWnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    const double shown = Seconds(start);
    const unsigned long long shownTicks = __rdtsc();
    // What the export sends to the list afterwards is not part of Generate.
    const Profile generateProfile = g_counters;
    const double peakAfterGenerate = PeakMegabytes();
    const int rows = list.GetItemCount();
    const bool counted = rows > 0 && dialog.GetDlgItemText(IDC_OBJECT_COUNT) == std::to_wstring(rows);

    wchar_t folder[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, folder);
    const std::wstring path = std::wstring(folder) + L"quorrex-dc-bench.csv";
    const auto exportStart = std::chrono::steady_clock::now();
    ExportResultList(dialog, path, 0);
    const double exported = Seconds(exportStart);
    ::DeleteFileW(path.c_str());
    const double peak = PeakMegabytes();
    const double bareFill = FillBare(list, ReadCells(list));

    std::printf("generate columns=%d rows=%d seconds=%.3f fill=%.3f paint=%.3f export=%.3f peak-generate=%.1f "
                "peak=%.1f bare-fill=%.3f\n",
                columns, rows, shown, filled, shown - filled, exported, peakAfterGenerate, peak, bareFill);
    if (g_profile)
        PrintProfile("generate", generateProfile, startTicks, shownTicks, shown, handlerEnd);
    return counted ? 0 : 2;
}

int BareSearch(const std::wstring& domain, const std::wstring& user, const std::wstring& password, int columns,
               const std::wstring& filter)
{
    std::vector<std::wstring> attributes;
    for (const std::wstring& name : ShownNames(columns))
        attributes.emplace_back(FindCatalogEntry(name)->attribute);
    if (g_profile)
        InstallSearchCounters();

    const unsigned long long startTicks = __rdtsc();
    const auto start = std::chrono::steady_clock::now();
    const DirectoryApi& api = TheDirectoryApi();
    api.coInitialize(nullptr);
    ControllerName controller(api);
    if (!controller.Lookup(domain.c_str())) {
        std::fprintf(stderr, "no controller found for the domain\n");
        return 3;
    }
    IDirectorySearch* search = nullptr;
    const std::wstring path = L"LDAP://" + controller.HostName();
    if (api.adsOpenObject(path.c_str(), user.c_str(), password.c_str(), ADS_SECURE_AUTHENTICATION,
                          IID_IDirectorySearch, reinterpret_cast<void**>(&search)) != S_OK) {
        std::fprintf(stderr, "the bind failed\n");
        return 4;
    }
    // The program's own preferences.
    if (!SetSearchPreferences(search)) {
        search->Release();
        std::fprintf(stderr, "the preferences were refused\n");
        return 5;
    }
    std::wstring filterText = filter;
    wchar_t all[] = L"*";
    LPWSTR requested[] = {all};
    ADS_SEARCH_HANDLE handle = nullptr;
    if (search->ExecuteSearch(filterText.data(), requested, 1, &handle) != S_OK) {
        search->Release();
        std::fprintf(stderr, "the search failed\n");
        return 5;
    }
    int rows = 0;
    for (HRESULT row = search->GetFirstRow(handle); row == S_OK; row = search->GetNextRow(handle)) {
        ++rows;
        for (std::wstring& attribute : attributes) {
            ADS_SEARCH_COLUMN column = {};
            // Freed whenever the fetch filled the record, as the program does.
            if (SUCCEEDED(search->GetColumn(handle, attribute.data(), &column)))
                search->FreeColumn(&column);
        }
    }
    search->CloseSearchHandle(handle);
    search->Release();
    const double seconds = Seconds(start);
    const unsigned long long endTicks = __rdtsc();
    std::printf("adsi columns=%d rows=%d seconds=%.3f peak=%.1f\n", columns, rows, seconds, PeakMegabytes());
    if (g_profile)
        PrintProfile("adsi", g_counters, startTicks, endTicks, seconds, endTicks);
    return rows > 0 ? 0 : 2;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    int first = 1;
    if (argc > 1 && std::wstring(argv[1]) == L"--profile") {
        g_profile = true;
        first = 2;
    }
    const int given = argc - first;
    const std::wstring mode = given > 0 ? argv[first] : L"";
    if (mode == L"hold") {
        // Stays on Wine's virtual desktop until killed. Wine closes a desktop some seconds after
        // its last process left; a window made while it closes fails with error 1400, and every
        // window after it, so the benchmark keeps the desktop in use between its runs.
        ::GetDesktopWindow();
        ::Sleep(INFINITE);
        return 0;
    }
    if (given < 4 || (mode != L"generate" && mode != L"adsi")) {
        std::fprintf(stderr, "usage: quorrex_dc_bench.exe [--profile] generate|adsi <domain> <user> <6|17> [filter]\n");
        return 1;
    }
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    const wchar_t* secret = _wgetenv(L"QUORREX_BENCH_PASSWORD");
    const std::wstring password = secret ? secret : L"";
    const std::wstring domain = argv[first + 1];
    const std::wstring user = argv[first + 2];
    const int columns = _wtoi(argv[first + 3]);
    const std::wstring filter = given > 4 ? argv[first + 4] : kDefaultFilter;
    if (mode == L"generate")
        return Generate(domain, user, password, columns, filter);
    return BareSearch(domain, user, password, columns, filter);
}
