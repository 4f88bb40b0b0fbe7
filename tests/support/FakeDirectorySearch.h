// A scripted directory behind IDirectorySearch: rows of attribute values, chosen results for each
// call, and a record of what the code under test asked for and released.
#pragma once

#include <windows.h>

#include <iads.h>

#include <deque>
#include <functional>
#include <string>
#include <utility>
#include <vector>

class FakeDirectorySearch : public IDirectorySearch {
public:
    using Values = std::vector<ADSVALUE>;
    using Row = std::vector<std::pair<std::wstring, Values>>;

    // Value makers; strings are kept alive by the fake.
    ADSVALUE Text(const std::wstring& text, ADSTYPE type = ADSTYPE_CASE_IGNORE_STRING);
    static ADSVALUE Integer(DWORD value);
    static ADSVALUE Boolean(DWORD value);
    ADSVALUE Octets(const std::vector<BYTE>& bytes);

    void AddRow(Row row) { rows.push_back(std::move(row)); }
    // A row with one text value for each named attribute.
    void AddTextRow(const std::vector<std::pair<std::wstring, std::wstring>>& cells);

    // Scripted results.
    HRESULT preferenceResult = S_OK;
    HRESULT executeResult = S_OK;
    HRESULT firstRowFailure = S_OK;         // returned by GetFirstRow instead of a row when set
    size_t failNextRowAt = SIZE_MAX;        // GetNextRow fails with nextRowFailure on moving to this row
    HRESULT nextRowFailure = E_FAIL;
    std::vector<std::wstring> failingColumns; // GetColumn fails for these although the row has them
    HRESULT partialColumnResult = S_FALSE;    // what GetColumn returns, with a filled record, for:
    std::vector<std::wstring> partialColumns;
    // The directory as a slow server streams it: each GetNextRow takes rowDelayMs, the one moving to
    // stallAtRow stallMs more; the move to waitingAtRow (0: GetFirstRow) finds no row yet and says
    // so through the directory's last error (ERROR_MORE_DATA), as an asynchronous search does.
    DWORD rowDelayMs = 0;
    size_t stallAtRow = SIZE_MAX;
    DWORD stallMs = 0;
    size_t waitingAtRow = SIZE_MAX;
    // Runs inside GetFirstRow and GetNextRow, given the row about to be moved to.
    std::function<void(size_t)> beforeRow;
    HRESULT abandonResult = S_OK; // E_NOTIMPL is what some providers answer
    // The first allocation after GetColumn has filled this attribute's record on this row fails.
    size_t failAllocationAtRow = SIZE_MAX;
    std::wstring failAllocationAfterColumn;

    // What was asked for.
    std::vector<ADS_SEARCHPREF_INFO> preferences;
    std::wstring filter;
    std::vector<std::wstring> requestedAttributes;
    std::vector<std::wstring> columnRequests;
    int filledColumns = 0; // records GetColumn filled (and FreeColumn must free)
    int freedColumns = 0;
    int openHandles = 0;
    int closedHandles = 0;
    int abandons = 0;
    bool abandonedBeforeClose = false; // AbandonSearch came while the handle was still open
    bool lockHeldDuringSearch = false; // whether the window was locked while GetFirstRow ran
    HWND lockProbeWindow = nullptr;
    LONG refCount = 1;

    std::vector<Row> rows;

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++refCount); }
    ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(--refCount); }

    // IDirectorySearch
    HRESULT STDMETHODCALLTYPE SetSearchPreference(PADS_SEARCHPREF_INFO info, DWORD count) override;
    HRESULT STDMETHODCALLTYPE ExecuteSearch(LPWSTR filter, LPWSTR* names, DWORD count,
                                            PADS_SEARCH_HANDLE handle) override;
    HRESULT STDMETHODCALLTYPE AbandonSearch(ADS_SEARCH_HANDLE handle) override;
    HRESULT STDMETHODCALLTYPE GetFirstRow(ADS_SEARCH_HANDLE handle) override;
    HRESULT STDMETHODCALLTYPE GetNextRow(ADS_SEARCH_HANDLE handle) override;
    HRESULT STDMETHODCALLTYPE GetPreviousRow(ADS_SEARCH_HANDLE) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetNextColumnName(ADS_SEARCH_HANDLE, LPWSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetColumn(ADS_SEARCH_HANDLE handle, LPWSTR name, PADS_SEARCH_COLUMN column) override;
    HRESULT STDMETHODCALLTYPE FreeColumn(PADS_SEARCH_COLUMN column) override;
    HRESULT STDMETHODCALLTYPE CloseSearchHandle(ADS_SEARCH_HANDLE handle) override;

private:
    // What moving to row answers before the rows themselves are looked at; S_OK to go on.
    HRESULT Arrive(size_t row);
    ADS_SEARCH_HANDLE Handle() { return reinterpret_cast<ADS_SEARCH_HANDLE>(this); }

    std::deque<std::wstring> m_strings;
    std::deque<std::vector<BYTE>> m_bytes;
    size_t m_current = 0;
};
