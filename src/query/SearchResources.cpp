// What a search takes from the system, given back by its holder on every way out.
#include "query/SearchResources.h"

FillLock::FillLock(HWND dialog, HWND list) : m_list(list)
{
    ::LockWindowUpdate(dialog);
    ::SendMessageW(m_list, WM_SETREDRAW, FALSE, 0);
}

void FillLock::Release()
{
    if (!m_locked)
        return;
    m_locked = false;
    ::SendMessageW(m_list, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(m_list, nullptr, TRUE);
    ::LockWindowUpdate(nullptr);
}

void SearchHandle::Close()
{
    if (m_handle) {
        m_search->CloseSearchHandle(m_handle);
        m_handle = nullptr;
    }
}

SearchColumn::SearchColumn(IDirectorySearch* search, ADS_SEARCH_HANDLE handle, const wchar_t* attribute)
    : m_search(search), m_result(search->GetColumn(handle, const_cast<LPWSTR>(attribute), &m_record))
{
}

SearchColumn::~SearchColumn()
{
    if (SUCCEEDED(m_result))
        m_search->FreeColumn(&m_record);
}
