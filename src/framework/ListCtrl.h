// CListCtrl: a report-view list control and its header, one message a method.
#pragma once

#include "framework/Wnd.h"

#include <commctrl.h>

#include <string>
#include <vector>

class CListCtrl : public CWnd {
public:
    CListCtrl() = default;
    explicit CListCtrl(HWND hwnd) : CWnd(hwnd) {}

    HWND GetHeaderCtrl() const { return ListView_GetHeader(m_hWnd); }
    int GetColumnCount() const { return Header_GetItemCount(GetHeaderCtrl()); }
    // Header text of one column, as the header gives it into a buffer of 256 characters.
    bool GetColumnHeader(int column, std::wstring& text) const;
    std::vector<std::wstring> GetColumnHeaders() const;
    int InsertColumn(int column, const std::wstring& heading, int width, int format = LVCFMT_LEFT) const;
    bool DeleteColumn(int column) const { return ListView_DeleteColumn(m_hWnd, column) != FALSE; }
    int GetColumnWidth(int column) const { return ListView_GetColumnWidth(m_hWnd, column); }

    int GetItemCount() const { return ListView_GetItemCount(m_hWnd); }
    bool DeleteAllItems() const { return ListView_DeleteAllItems(m_hWnd) != FALSE; }
    // Inserts an item whose value is the place it is inserted at.
    int InsertItem(int item, const wchar_t* text) const;
    // The item's value (-1 for no such item), and a new one.
    LPARAM GetItemData(int item) const;
    bool SetItemData(int item, LPARAM data) const;
    bool DeleteItem(int item) const { return ListView_DeleteItem(m_hWnd, item) != FALSE; }
    bool SetItemText(int item, int subItem, const wchar_t* text) const;
    // The full text of an item or subitem, however long.
    std::wstring GetItemText(int item, int subItem) const;
    // The same through a buffer the caller keeps and that grows when a text does not fit, so that
    // reading many cells allocates rarely.
    void GetItemText(int item, int subItem, std::wstring& text, std::vector<wchar_t>& buffer) const;

    void SetExtendedStyle(DWORD style) const { ListView_SetExtendedListViewStyleEx(m_hWnd, 0, style); }
    DWORD GetExtendedStyle() const { return ListView_GetExtendedListViewStyle(m_hWnd); }
};
