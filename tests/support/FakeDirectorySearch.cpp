// FakeDirectorySearch: plays back its rows and counts handles and columns.
#include "support/FakeDirectorySearch.h"

#include "query/DirectoryApi.h"
#include "support/AllocationFailure.h"

#include <adserr.h>

#include <algorithm>

ADSVALUE FakeDirectorySearch::Text(const std::wstring& text, ADSTYPE type)
{
    m_strings.push_back(text);
    ADSVALUE value = {};
    value.dwType = type;
    value.CaseIgnoreString = m_strings.back().data();
    return value;
}

ADSVALUE FakeDirectorySearch::Integer(DWORD number)
{
    ADSVALUE value = {};
    value.dwType = ADSTYPE_INTEGER;
    value.Integer = number;
    return value;
}

ADSVALUE FakeDirectorySearch::Boolean(DWORD flag)
{
    ADSVALUE value = {};
    value.dwType = ADSTYPE_BOOLEAN;
    value.Boolean = flag;
    return value;
}

ADSVALUE FakeDirectorySearch::Octets(const std::vector<BYTE>& bytes)
{
    m_bytes.push_back(bytes);
    ADSVALUE value = {};
    value.dwType = ADSTYPE_OCTET_STRING;
    value.OctetString.dwLength = static_cast<DWORD>(bytes.size());
    value.OctetString.lpValue = m_bytes.back().data();
    return value;
}

void FakeDirectorySearch::AddTextRow(const std::vector<std::pair<std::wstring, std::wstring>>& cells)
{
    Row row;
    for (const auto& [attribute, text] : cells)
        row.emplace_back(attribute, Values{Text(text)});
    AddRow(std::move(row));
}

HRESULT FakeDirectorySearch::QueryInterface(REFIID iid, void** object)
{
    if (iid == IID_IUnknown || iid == IID_IDirectorySearch) {
        *object = static_cast<IDirectorySearch*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

HRESULT FakeDirectorySearch::SetSearchPreference(PADS_SEARCHPREF_INFO info, DWORD count)
{
    preferences.assign(info, info + count);
    return preferenceResult;
}

HRESULT FakeDirectorySearch::ExecuteSearch(LPWSTR searchFilter, LPWSTR* names, DWORD count, PADS_SEARCH_HANDLE handle)
{
    filter = searchFilter ? searchFilter : L"";
    requestedAttributes.clear();
    for (DWORD i = 0; i < count; ++i)
        requestedAttributes.emplace_back(names[i]);
    if (FAILED(executeResult))
        return executeResult;
    // A success code other than S_OK still hands out a handle that must be closed.
    *handle = Handle();
    ++openHandles;
    m_current = 0;
    return executeResult;
}

HRESULT FakeDirectorySearch::GetFirstRow(ADS_SEARCH_HANDLE)
{
    if (lockProbeWindow) {
        // LockWindowUpdate refuses a second window while one is locked.
        const BOOL couldLock = ::LockWindowUpdate(lockProbeWindow);
        lockHeldDuringSearch = !couldLock;
        if (couldLock)
            ::LockWindowUpdate(nullptr);
    }
    if (firstRowFailure != S_OK)
        return firstRowFailure;
    m_current = 0;
    if (const HRESULT arrived = Arrive(0); arrived != S_OK)
        return arrived;
    return rows.empty() ? S_ADS_NOMORE_ROWS : S_OK;
}

HRESULT FakeDirectorySearch::Arrive(size_t row)
{
    if (beforeRow)
        beforeRow(row);
    if (row > 0 && rowDelayMs)
        ::Sleep(rowDelayMs);
    if (row == stallAtRow)
        ::Sleep(stallMs);
    if (row == waitingAtRow) {
        TheDirectoryApi().adsSetLastError(ERROR_MORE_DATA, nullptr, L"LDAP Provider");
        return S_ADS_NOMORE_ROWS;
    }
    return S_OK;
}

HRESULT FakeDirectorySearch::GetNextRow(ADS_SEARCH_HANDLE)
{
    if (const HRESULT arrived = Arrive(m_current + 1); arrived != S_OK)
        return arrived;
    if (m_current + 1 == failNextRowAt)
        return nextRowFailure;
    if (m_current + 1 >= rows.size())
        return S_ADS_NOMORE_ROWS;
    ++m_current;
    return S_OK;
}

HRESULT FakeDirectorySearch::GetColumn(ADS_SEARCH_HANDLE, LPWSTR name, PADS_SEARCH_COLUMN column)
{
    columnRequests.emplace_back(name);
    if (std::ranges::find(failingColumns, name) != failingColumns.end())
        return E_ADS_COLUMN_NOT_SET;
    for (const auto& [attribute, values] : rows.at(m_current)) {
        if (attribute != name)
            continue;
        *column = {};
        column->pszAttrName = name;
        column->dwADsType = values.empty() ? ADSTYPE_INVALID : values[0].dwType;
        column->dwNumValues = static_cast<DWORD>(values.size());
        if (!values.empty()) {
            column->pADsValues = new ADSVALUE[values.size()];
            std::copy(values.begin(), values.end(), column->pADsValues);
        }
        ++filledColumns;
        if (m_current == failAllocationAtRow && failAllocationAfterColumn == name)
            FailNextAllocation();
        if (std::ranges::find(partialColumns, name) != partialColumns.end())
            return partialColumnResult;
        return S_OK;
    }
    return E_ADS_COLUMN_NOT_SET;
}

HRESULT FakeDirectorySearch::FreeColumn(PADS_SEARCH_COLUMN column)
{
    delete[] column->pADsValues;
    column->pADsValues = nullptr;
    ++freedColumns;
    return S_OK;
}

HRESULT FakeDirectorySearch::AbandonSearch(ADS_SEARCH_HANDLE)
{
    ++abandons;
    abandonedBeforeClose = closedHandles < openHandles;
    return abandonResult;
}

HRESULT FakeDirectorySearch::CloseSearchHandle(ADS_SEARCH_HANDLE)
{
    ++closedHandles;
    return S_OK;
}
