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
    lvi.mask = LVIF_TEXT;
    lvi.iItem = item;
    lvi.pszText = const_cast<wchar_t*>(text);
    return ListView_InsertItem(m_hWnd, &lvi);
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
    // LVM_GETITEMTEXT truncates silently: grow the buffer until the text fits with room to spare.
    std::wstring buffer(256, L'\0');
    for (;;) {
        LVITEMW lvi = {};
        lvi.iSubItem = subItem;
        lvi.pszText = buffer.data();
        lvi.cchTextMax = static_cast<int>(buffer.size());
        const auto length = static_cast<size_t>(
            ::SendMessageW(m_hWnd, LVM_GETITEMTEXTW, item, reinterpret_cast<LPARAM>(&lvi)));
        if (length + 1 < buffer.size()) {
            buffer.resize(length);
            return buffer;
        }
        buffer.assign(buffer.size() * 2, L'\0');
    }
}
