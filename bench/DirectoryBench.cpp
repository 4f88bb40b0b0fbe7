// One measurement against a real directory, in a process of its own so that its peak working set
// is its own:
//   generate: the real main dialog, "Generate" pressed, until the list is filled; then the CSV
//             export of that list;
//   adsi:     the bare search the dialog makes (same lookup, bind, five preferences, filter and
//             "*", GetColumn/FreeColumn of the shown attributes per row), with no window.
// Prints one line "mode columns rows seconds export-seconds peak-MB". The password comes from the
// environment (QUORREX_BENCH_PASSWORD), never from the command line.
//   quorrex_dc_bench.exe generate|adsi <domain> <user> <6|17> [filter]
#include "app/QuorrexDlg.h"
#include "chooser/ColumnRebuild.h"
#include "export/CsvExport.h"
#include "framework/ListCtrl.h"
#include "framework/MessageBox.h"
#include "query/AttributeCatalog.h"
#include "query/ControllerLookup.h"
#include "query/DirectoryApi.h"
#include "resources/resource.h"

#include <windows.h>

#include <iads.h>
#include <adserr.h>
#include <commctrl.h>
#include <psapi.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr wchar_t kDefaultFilter[] = L"(&(objectClass=user)(objectCategory=user))";

double Seconds(std::chrono::steady_clock::time_point since)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

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

// Any message box is a failed measurement: say what it said.
int PrintBox(HWND, const wchar_t* text, const wchar_t*, UINT)
{
    std::fprintf(stderr, "message box: %ls\n", text);
    return IDOK;
}

int Generate(const std::wstring& domain, const std::wstring& user, const std::wstring& password, int columns,
             const std::wstring& filter)
{
    SetMessageBoxFunction(PrintBox);
    CQuorrexDlg dialog;
    if (!dialog.Create())
        return 1;
    dialog.SetDlgItemText(IDC_DOMAIN_NAME, domain);
    dialog.SetDlgItemText(IDC_USER, user);
    dialog.SetDlgItemText(IDC_PASSWORD, password);
    dialog.SetDlgItemText(IDC_FILTER, filter);
    const CListCtrl list(dialog.GetDlgItem(IDC_RESULT_LIST));
    if (columns > 6)
        RebuildColumns(list, ShownNames(columns), {});

    const auto start = std::chrono::steady_clock::now();
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_GENERATE, BN_CLICKED),
                       reinterpret_cast<LPARAM>(dialog.GetDlgItem(IDC_GENERATE)));
    const double generate = Seconds(start);
    const int rows = list.GetItemCount();

    wchar_t folder[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, folder);
    const std::wstring path = std::wstring(folder) + L"quorrex-dc-bench.csv";
    const auto exportStart = std::chrono::steady_clock::now();
    ExportResultList(dialog, path, 0);
    const double exported = Seconds(exportStart);
    ::DeleteFileW(path.c_str());

    std::printf("generate %d %d %.3f %.3f %.1f\n", columns, rows, generate, exported, PeakMegabytes());
    return rows > 0 && dialog.GetDlgItemText(IDC_OBJECT_COUNT) == std::to_wstring(rows) ? 0 : 2;
}

ADS_SEARCHPREF_INFO Preference(ADS_SEARCHPREF preference, ADSTYPE type, DWORD value)
{
    ADS_SEARCHPREF_INFO info = {};
    info.dwSearchPref = preference;
    info.vValue.dwType = type;
    info.vValue.Integer = value;
    return info;
}

int BareSearch(const std::wstring& domain, const std::wstring& user, const std::wstring& password, int columns,
               const std::wstring& filter)
{
    std::vector<std::wstring> attributes;
    for (const std::wstring& name : ShownNames(columns))
        attributes.emplace_back(FindCatalogEntry(name)->attribute);

    const auto start = std::chrono::steady_clock::now();
    const DirectoryApi& api = TheDirectoryApi();
    api.coInitialize(nullptr);
    ControllerName controller(api);
    if (!controller.Lookup(domain.c_str()))
        return 3;
    IDirectorySearch* search = nullptr;
    const std::wstring path = L"LDAP://" + controller.HostName();
    if (api.adsOpenObject(path.c_str(), user.c_str(), password.c_str(), ADS_SECURE_AUTHENTICATION,
                          IID_IDirectorySearch, reinterpret_cast<void**>(&search)) != S_OK)
        return 4;
    ADS_SEARCHPREF_INFO preferences[] = {
        Preference(ADS_SEARCHPREF_TIMEOUT, ADSTYPE_INTEGER, 120),
        Preference(ADS_SEARCHPREF_SEARCH_SCOPE, ADSTYPE_INTEGER, ADS_SCOPE_SUBTREE),
        Preference(ADS_SEARCHPREF_PAGESIZE, ADSTYPE_INTEGER, 100000000),
        Preference(ADS_SEARCHPREF_CACHE_RESULTS, ADSTYPE_BOOLEAN, TRUE),
        Preference(ADS_SEARCHPREF_ASYNCHRONOUS, ADSTYPE_BOOLEAN, TRUE),
    };
    search->SetSearchPreference(preferences, 5);
    std::wstring filterText = filter;
    wchar_t all[] = L"*";
    LPWSTR requested[] = {all};
    ADS_SEARCH_HANDLE handle = nullptr;
    if (search->ExecuteSearch(filterText.data(), requested, 1, &handle) != S_OK) {
        search->Release();
        return 5;
    }
    int rows = 0;
    for (HRESULT row = search->GetFirstRow(handle); row == S_OK; row = search->GetNextRow(handle)) {
        ++rows;
        for (std::wstring& attribute : attributes) {
            ADS_SEARCH_COLUMN column = {};
            if (search->GetColumn(handle, attribute.data(), &column) == S_OK)
                search->FreeColumn(&column);
        }
    }
    search->CloseSearchHandle(handle);
    search->Release();
    const double seconds = Seconds(start);
    std::printf("adsi %d %d %.3f 0 %.1f\n", columns, rows, seconds, PeakMegabytes());
    return rows > 0 ? 0 : 2;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 5) {
        std::fprintf(stderr, "usage: quorrex_dc_bench.exe generate|adsi <domain> <user> <6|17> [filter]\n");
        return 1;
    }
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    const wchar_t* secret = _wgetenv(L"QUORREX_BENCH_PASSWORD");
    const std::wstring password = secret ? secret : L"";
    const std::wstring mode = argv[1];
    const int columns = _wtoi(argv[4]);
    const std::wstring filter = argc > 5 ? argv[5] : kDefaultFilter;
    if (mode == L"generate")
        return Generate(argv[2], argv[3], password, columns, filter);
    return BareSearch(argv[2], argv[3], password, columns, filter);
}
