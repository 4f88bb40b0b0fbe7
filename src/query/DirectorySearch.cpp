// ReadColumnHeaders and SearchDirectory.
#include "query/DirectorySearch.h"

#include "export/ValueFormat.h"
#include "framework/ListCtrl.h"
#include "framework/MessageBox.h"
#include "framework/WaitCursor.h"
#include "query/AttributeCatalog.h"
#include "query/CellText.h"
#include "resources/resource.h"

#include <adserr.h>

namespace {

constexpr DWORD kSearchTimeoutSeconds = 120;
constexpr DWORD kPageSize = 100000000;
constexpr unsigned long long kCursorRefreshRows = 256;

// Keeps the dialog from repainting while the list fills. The window lock alone makes every list
// insert slow on some systems; turning the list's own redraw off as well keeps the fill fast.
class FillLock {
public:
    FillLock(HWND dialog, HWND list) : m_list(list)
    {
        ::LockWindowUpdate(dialog);
        ::SendMessageW(m_list, WM_SETREDRAW, FALSE, 0);
    }
    ~FillLock() { Release(); }
    FillLock(const FillLock&) = delete;
    FillLock& operator=(const FillLock&) = delete;

    void Release()
    {
        if (!m_locked)
            return;
        m_locked = false;
        ::SendMessageW(m_list, WM_SETREDRAW, TRUE, 0);
        ::InvalidateRect(m_list, nullptr, TRUE);
        ::LockWindowUpdate(nullptr);
    }

private:
    HWND m_list;
    bool m_locked = true;
};

// Closes the search handle on every way out.
class SearchHandle {
public:
    explicit SearchHandle(IDirectorySearch* search) : m_search(search) {}
    ~SearchHandle() { Close(); }
    SearchHandle(const SearchHandle&) = delete;
    SearchHandle& operator=(const SearchHandle&) = delete;

    ADS_SEARCH_HANDLE* Place() { return &m_handle; }
    ADS_SEARCH_HANDLE Get() const { return m_handle; }
    void Close()
    {
        if (m_handle) {
            m_search->CloseSearchHandle(m_handle);
            m_handle = nullptr;
        }
    }

private:
    IDirectorySearch* m_search;
    ADS_SEARCH_HANDLE m_handle = nullptr;
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

std::wstring ReadCell(IDirectorySearch* search, ADS_SEARCH_HANDLE handle, const CatalogEntry* entry)
{
    if (!entry)
        return L"-";
    ADS_SEARCH_COLUMN column = {};
    if (search->GetColumn(handle, const_cast<LPWSTR>(entry->attribute), &column) != S_OK)
        return L"-";
    std::wstring text = FormatColumnValues(column.pADsValues, column.dwNumValues);
    search->FreeColumn(&column);
    return MakeCellText(std::move(text));
}

} // namespace

void ReadColumnHeaders(std::vector<std::wstring>& attributes, CWnd& dialog)
{
    for (std::wstring& header : CListCtrl(dialog.GetDlgItem(IDC_RESULT_LIST)).GetColumnHeaders())
        attributes.push_back(std::move(header));
}

void SearchDirectory(CWnd& dialog, IDirectorySearch* search, const std::vector<std::wstring>& attributes)
{
    CListCtrl list(dialog.GetDlgItem(IDC_RESULT_LIST));
    FillLock lock(dialog.m_hWnd, list.m_hWnd);

    if (!SetSearchPreferences(search)) {
        lock.Release();
        AppMessageBox(L"The search could not be run.", MB_ICONERROR);
        return;
    }

    std::wstring filter = dialog.GetDlgItemText(IDC_FILTER);
    ShowWaitCursor();
    wchar_t allAttributes[] = L"*";
    LPWSTR requested[] = {allAttributes};
    SearchHandle handle(search);
    if (search->ExecuteSearch(filter.data(), requested, 1, handle.Place()) != S_OK) {
        ShowArrowCursor();
        lock.Release();
        AppMessageBox(L"The search could not be run. Check the LDAP filter.", MB_ICONERROR);
        return;
    }

    if (search->GetFirstRow(handle.Get()) != S_OK) {
        ShowWaitCursor();
        AppMessageBox(L"No such objects found.", MB_ICONWARNING);
        ShowArrowCursor();
        handle.Close();
        lock.Release();
        return;
    }

    // The catalogue entry of every column, looked up once for all rows.
    std::vector<const CatalogEntry*> columns;
    columns.reserve(attributes.size());
    for (const std::wstring& header : attributes)
        columns.push_back(FindCatalogEntry(header));

    unsigned long long objectCount = 0;
    int row = 0;
    HRESULT next;
    do {
        ++objectCount;
        // Setting the cursor costs a round trip to the window system under some platforms (tens
        // of microseconds); re-asserting it every few hundred rows looks the same and keeps the
        // fill fast.
        if (objectCount % kCursorRefreshRows == 1)
            ShowWaitCursor();
        for (size_t c = 0; c < columns.size(); ++c) {
            const std::wstring cell = ReadCell(search, handle.Get(), columns[c]);
            if (c == 0)
                list.InsertItem(row, cell.c_str());
            else
                list.SetItemText(row, static_cast<int>(c), cell.c_str());
        }
        ++row;
        next = search->GetNextRow(handle.Get());
    } while (next == S_OK);

    handle.Close();
    lock.Release();
    dialog.SetDlgItemText(IDC_OBJECT_COUNT, std::to_wstring(objectCount));
    ShowArrowCursor();
    if (next != S_ADS_NOMORE_ROWS)
        AppMessageBox(L"The directory stopped sending results. The list holds only the objects read so far.",
                      MB_ICONWARNING);
}
