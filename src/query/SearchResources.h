// What one search holds and must give back on every way out: the window lock with the list's
// redraw, the search handle, and each fetched column record.
#pragma once

#include <windows.h>

#include <iads.h>

// Keeps the dialog from repainting while the list fills. The window lock alone makes every list
// insert slow on some systems; turning the list's own redraw off as well keeps the fill fast.
class FillLock {
public:
    FillLock(HWND dialog, HWND list);
    ~FillLock() { Release(); }
    FillLock(const FillLock&) = delete;
    FillLock& operator=(const FillLock&) = delete;

    // Unlocks the window and lets the list repaint; does nothing the second time.
    void Release();

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
    void Close();

private:
    IDirectorySearch* m_search;
    ADS_SEARCH_HANDLE m_handle = nullptr;
};

// One attribute of the current row, fetched with GetColumn and freed exactly once with FreeColumn
// whenever the fetch filled the record: also for a success code other than S_OK, and also when
// rendering the values fails half-way.
class SearchColumn {
public:
    SearchColumn(IDirectorySearch* search, ADS_SEARCH_HANDLE handle, const wchar_t* attribute);
    ~SearchColumn();
    SearchColumn(const SearchColumn&) = delete;
    SearchColumn& operator=(const SearchColumn&) = delete;

    // Only S_OK counts: any other result means the attribute is not available on this row.
    bool Available() const { return m_result == S_OK; }
    const ADS_SEARCH_COLUMN& Record() const { return m_record; }

private:
    IDirectorySearch* m_search;
    ADS_SEARCH_COLUMN m_record = {};
    HRESULT m_result;
};
