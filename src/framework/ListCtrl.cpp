// CListCtrl operations that fill a record before sending their message.
#include "framework/ListCtrl.h"

bool CListCtrl::GetColumnHeader(int column, std::wstring& text) const
{
    wchar_t buffer[256] = {};
    HDITEMW item = {};
    item.mask = HDI_TEXT;
    item.pszText = buffer;
    item.cchTextMax = 256;
    if (!Header_GetItem(GetHeaderCtrl(), column, &item))
        return false;
    text = buffer;
    return true;
}

std::vector<std::wstring> CListCtrl::GetColumnHeaders() const
{
    std::vector<std::wstring> headers;
    const int count = GetColumnCount();
    for (int i = 0; i < count; ++i) {
        std::wstring text;
        GetColumnHeader(i, text);
        headers.push_back(std::move(text));
    }
    return headers;
}

int CListCtrl::InsertColumn(int column, const std::wstring& heading, int width, int format) const
{
    LVCOLUMNW col = {};
    col.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
    col.fmt = format;
    col.cx = width;
    col.pszText = const_cast<wchar_t*>(heading.c_str());
    return ListView_InsertColumn(m_hWnd, column, &col);
}

int CListCtrl::InsertItem(int item, const wchar_t* text) const
{
    LVITEMW lvi = {};
    lvi.mask = LVIF_TEXT | LVIF_PARAM;
    lvi.iItem = item;
    lvi.pszText = const_cast<wchar_t*>(text);
    lvi.lParam = item; // the row's place when it came: a sort that knows it moves no text
    return ListView_InsertItem(m_hWnd, &lvi);
}

LPARAM CListCtrl::GetItemData(int item) const
{
    LVITEMW lvi = {};
    lvi.mask = LVIF_PARAM;
    lvi.iItem = item;
    return ListView_GetItem(m_hWnd, &lvi) ? lvi.lParam : -1;
}

bool CListCtrl::SetItemData(int item, LPARAM data) const
{
    LVITEMW lvi = {};
    lvi.mask = LVIF_PARAM;
    lvi.iItem = item;
    lvi.lParam = data;
    return ListView_SetItem(m_hWnd, &lvi) != FALSE;
}

bool CListCtrl::SetItemText(int item, int subItem, const wchar_t* text) const
{
    LVITEMW lvi = {};
    lvi.iSubItem = subItem;
    lvi.pszText = const_cast<wchar_t*>(text);
    return ::SendMessageW(m_hWnd, LVM_SETITEMTEXTW, item, reinterpret_cast<LPARAM>(&lvi)) != FALSE;
}

std::wstring CListCtrl::GetItemText(int item, int subItem) const
{
    std::vector<wchar_t> buffer(256);
    std::wstring text;
    GetItemText(item, subItem, text, buffer);
    return text;
}

void CListCtrl::GetItemText(int item, int subItem, std::wstring& text, std::vector<wchar_t>& buffer) const
{
    if (buffer.size() < 2)
        buffer.resize(256);
    for (;;) {
        LVITEMW lvi = {};
        lvi.iSubItem = subItem;
        lvi.pszText = buffer.data();
        lvi.cchTextMax = static_cast<int>(buffer.size());
        const auto length = static_cast<size_t>(
            ::SendMessageW(m_hWnd, LVM_GETITEMTEXTW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&lvi)));
        // The control truncates silently: a text that filled the buffer may be longer.
        if (length + 1 < buffer.size()) {
            text.assign(buffer.data(), length);
            return;
        }
        buffer.resize(buffer.size() * 2);
    }
}
