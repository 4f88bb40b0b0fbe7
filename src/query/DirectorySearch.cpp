// The search of one query: preferences, filter, and the rows written into the list as they come.
#include "query/DirectorySearch.h"

#include "export/ValueFormat.h"
#include "framework/BusyInput.h"
#include "framework/ListCtrl.h"
#include "framework/MessageBox.h"
#include "framework/WaitCursor.h"
#include "query/AttributeCatalog.h"
#include "query/CellText.h"
#include "query/DirectoryApi.h"
#include "query/SearchResources.h"
#include "resources/resource.h"

#include <adserr.h>

#include <new>

namespace {

constexpr DWORD kSearchTimeoutSeconds = 120;
constexpr DWORD kPageSize = 100000000;
constexpr unsigned long long kCursorRefreshRows = 256;

// How a search ended, and so what the user is told once the window is unlocked again.
enum class SearchEnd {
    Listed,             // every object listed
    PreferencesRefused, // the search did not start
    FilterRejected,     // the directory rejected the filter
    SearchFailed,       // the search did not run, for another reason
    NothingFound,       // no first row
    NoAnswer,           // no first row within the time limit
    DirectoryStopped,   // the rows stopped coming part-way, or did not come within the time limit
    OutOfMemory,        // no room for further rows
    StoppedByUser,      // Escape
};

struct SearchOutcome {
    SearchEnd end;
    unsigned long long objectCount = 0;
};

ADS_SEARCHPREF_INFO IntegerPreference(ADS_SEARCHPREF preference, DWORD value)
{
    ADS_SEARCHPREF_INFO info = {};
    info.dwSearchPref = preference;
    info.vValue.dwType = ADSTYPE_INTEGER;
    info.vValue.Integer = value;
    return info;
}

ADS_SEARCHPREF_INFO BooleanPreference(ADS_SEARCHPREF preference, BOOL value)
{
    ADS_SEARCHPREF_INFO info = {};
    info.dwSearchPref = preference;
    info.vValue.dwType = ADSTYPE_BOOLEAN;
    info.vValue.Boolean = value;
    return info;
}

// The text of one cell: "-" for a header outside the catalogue or an attribute the row lacks.
std::wstring ReadCell(IDirectorySearch* search, ADS_SEARCH_HANDLE handle, const CatalogEntry* entry)
{
    if (!entry)
        return L"-";
    const SearchColumn column(search, handle, entry->attribute);
    if (!column.Available())
        return L"-";
    return MakeCellText(FormatColumnValues(column.Record().pADsValues, column.Record().dwNumValues));
}

// Writes one object's cells as a new last row; false when the list or the memory ran out (the list
// refused a cell or the rendering an allocation), in which case nothing of the row stays in the list.
bool ListRow(const CListCtrl& list, IDirectorySearch* search, ADS_SEARCH_HANDLE handle,
             const std::vector<const CatalogEntry*>& columns, int row)
{
    int item = -1;
    try {
        for (size_t c = 0; c < columns.size(); ++c) {
            const std::wstring cell = ReadCell(search, handle, columns[c]);
            if (c == 0) {
                // A list that sorts puts the row elsewhere: the cells follow the item.
                item = list.InsertItem(row, cell.c_str());
                if (item < 0)
                    return false;
            } else if (!list.SetItemText(item, static_cast<int>(c), cell.c_str())) {
                list.DeleteItem(item);
                return false;
            }
        }
    } catch (const std::bad_alloc&) {
        if (item >= 0)
            list.DeleteItem(item);
        return false;
    }
    return true;
}

bool IsFilterError(HRESULT result)
{
    return result == HRESULT_FROM_WIN32(ERROR_DS_FILTER_UNKNOWN) || result == E_ADS_INVALID_FILTER;
}

// The directory's last error, which tells a move that found no row because the asynchronous search
// has not received one within the time limit (ERROR_MORE_DATA) from the end of the rows. It is per
// thread and may be left from an earlier call, so it is cleared before each move. A provider that
// keeps none (its read fails) is asked once a search, not on every row.
class DirectoryLastError {
public:
    DirectoryLastError() : m_kept(Read(nullptr)) {}

    // Moves to the first or the next row.
    HRESULT Move(HRESULT (STDMETHODCALLTYPE IDirectorySearch::*move)(ADS_SEARCH_HANDLE), IDirectorySearch* search,
                 ADS_SEARCH_HANDLE handle) const
    {
        if (m_kept)
            TheDirectoryApi().adsSetLastError(ERROR_SUCCESS, L"", L"");
        return (search->*move)(handle);
    }

    // After a move that found no row: whether the search was only still waiting for the directory.
    bool StillWaiting() const
    {
        DWORD error = ERROR_SUCCESS;
        return m_kept && Read(&error) && error == ERROR_MORE_DATA;
    }

private:
    static bool Read(DWORD* error)
    {
        DWORD code = ERROR_SUCCESS;
        wchar_t text[256] = {};
        wchar_t provider[64] = {};
        const HRESULT read = TheDirectoryApi().adsGetLastError(&code, text, static_cast<DWORD>(std::size(text)),
                                                              provider, static_cast<DWORD>(std::size(provider)));
        if (error)
            *error = code;
        return read == S_OK;
    }

    bool m_kept;
};

// Escape: the directory is told to stop sending (some providers cannot, which changes nothing);
// the handle is closed as on every other way out.
bool StopOnEscape(BusyInput& input, IDirectorySearch* search, ADS_SEARCH_HANDLE handle)
{
    if (!input.EscapePressed())
        return false;
    search->AbandonSearch(handle);
    return true;
}

// Runs the search and fills the list, with the window locked; the lock is released on return.
SearchOutcome FillList(CWnd& dialog, const CListCtrl& list, IDirectorySearch* search,
                       const std::vector<std::wstring>& attributes, BusyInput& input)
{
    FillLock lock(dialog.m_hWnd, list.m_hWnd);
    if (!SetSearchPreferences(search))
        return {SearchEnd::PreferencesRefused};

    std::wstring filter = dialog.GetDlgItemText(IDC_FILTER);
    ShowWaitCursor();
    wchar_t allAttributes[] = L"*";
    LPWSTR requested[] = {allAttributes};
    SearchHandle handle(search);
    const HRESULT executed = search->ExecuteSearch(filter.data(), requested, 1, handle.Place());
    if (executed != S_OK)
        return {IsFilterError(executed) ? SearchEnd::FilterRejected : SearchEnd::SearchFailed};
    if (StopOnEscape(input, search, handle.Get()))
        return {SearchEnd::StoppedByUser};
    // A provider may run the search only when the first row is asked for: then its failure arrives
    // here, and is no more an empty result than it is at ExecuteSearch.
    const DirectoryLastError lastError;
    const HRESULT first = lastError.Move(&IDirectorySearch::GetFirstRow, search, handle.Get());
    if (first == S_ADS_NOMORE_ROWS)
        return {lastError.StillWaiting() ? SearchEnd::NoAnswer : SearchEnd::NothingFound};
    if (first != S_OK)
        return {IsFilterError(first) ? SearchEnd::FilterRejected : SearchEnd::SearchFailed};

    // The catalogue entry of every column, looked up once for all rows.
    std::vector<const CatalogEntry*> columns;
    columns.reserve(attributes.size());
    for (const std::wstring& header : attributes)
        columns.push_back(FindCatalogEntry(header));

    SearchOutcome outcome{SearchEnd::Listed};
    int row = 0;
    for (;;) {
        // Setting the cursor costs a round trip to the window system under some platforms (tens
        // of microseconds); re-asserting it every few hundred rows looks the same and keeps the
        // fill fast.
        if (outcome.objectCount % kCursorRefreshRows == 0)
            ShowWaitCursor();
        if (!ListRow(list, search, handle.Get(), columns, row)) {
            outcome.end = SearchEnd::OutOfMemory;
            break;
        }
        ++outcome.objectCount;
        ++row;
        if (StopOnEscape(input, search, handle.Get())) {
            outcome.end = SearchEnd::StoppedByUser;
            break;
        }
        const HRESULT next = lastError.Move(&IDirectorySearch::GetNextRow, search, handle.Get());
        if (next == S_ADS_NOMORE_ROWS) {
            if (lastError.StillWaiting())
                outcome.end = SearchEnd::DirectoryStopped;
            break;
        }
        if (next != S_OK) {
            outcome.end = SearchEnd::DirectoryStopped;
            break;
        }
    }
    return outcome;
}

void TellUser(SearchEnd end)
{
    switch (end) {
    case SearchEnd::Listed:
        break;
    case SearchEnd::PreferencesRefused:
    case SearchEnd::SearchFailed:
        AppMessageBox(L"The search could not be run.", MB_ICONERROR);
        break;
    case SearchEnd::FilterRejected:
        AppMessageBox(L"The search could not be run. Check the LDAP filter.", MB_ICONERROR);
        break;
    case SearchEnd::NothingFound:
        AppMessageBox(L"No such objects found.", MB_ICONWARNING);
        break;
    case SearchEnd::NoAnswer:
        AppMessageBox(L"The directory did not answer in time.", MB_ICONWARNING);
        break;
    case SearchEnd::DirectoryStopped:
        AppMessageBox(L"The directory stopped sending results. The list holds only the objects read so far.",
                      MB_ICONWARNING);
        break;
    case SearchEnd::OutOfMemory:
        AppMessageBox(L"There is not enough memory to list every object. The list holds only the objects read so "
                      L"far.",
                      MB_ICONWARNING);
        break;
    case SearchEnd::StoppedByUser:
        AppMessageBox(L"The search was stopped. The list holds only the objects read so far.", MB_ICONINFORMATION);
        break;
    }
}

bool ListsObjects(SearchEnd end)
{
    return end == SearchEnd::Listed || end == SearchEnd::DirectoryStopped || end == SearchEnd::OutOfMemory ||
           end == SearchEnd::StoppedByUser;
}

} // namespace

bool SetSearchPreferences(IDirectorySearch* search)
{
    ADS_SEARCHPREF_INFO preferences[] = {
        IntegerPreference(ADS_SEARCHPREF_TIMEOUT, kSearchTimeoutSeconds),
        IntegerPreference(ADS_SEARCHPREF_SEARCH_SCOPE, ADS_SCOPE_SUBTREE),
        IntegerPreference(ADS_SEARCHPREF_PAGESIZE, kPageSize),
        BooleanPreference(ADS_SEARCHPREF_CACHE_RESULTS, TRUE),
        BooleanPreference(ADS_SEARCHPREF_ASYNCHRONOUS, TRUE),
    };
    return search->SetSearchPreference(preferences, static_cast<DWORD>(std::size(preferences))) == S_OK;
}

void ReadColumnHeaders(std::vector<std::wstring>& attributes, CWnd& dialog)
{
    for (std::wstring& header : CListCtrl(dialog.GetDlgItem(IDC_RESULT_LIST)).GetColumnHeaders())
        attributes.push_back(std::move(header));
}

void SearchDirectory(CWnd& dialog, IDirectorySearch* search, const std::vector<std::wstring>& attributes,
                     BusyInput& input)
{
    const CListCtrl list(dialog.GetDlgItem(IDC_RESULT_LIST));
    // The search runs on this thread, for a minute on a large domain: it looks at the queue often
    // enough that the system never takes the window for hung, and stops on Escape.
    const SearchOutcome outcome = FillList(dialog, list, search, attributes, input);
    // The window is unlocked again: what follows can paint.
    if (ListsObjects(outcome.end))
        dialog.SetDlgItemText(IDC_OBJECT_COUNT, std::to_wstring(outcome.objectCount));
    // Nothing given during the search acts now, nor answers the box below.
    input.End();
    ShowArrowCursor();
    TellUser(outcome.end);
}
