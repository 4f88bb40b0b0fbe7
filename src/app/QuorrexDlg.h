// CQuorrexDlg: the main query dialog: inputs, result list, object count and commands.
#pragma once

#include "controls/ImageHyperLink.h"
#include "framework/Controls.h"
#include "framework/Dialog.h"
#include "framework/StdioFile.h"
#include "framework/ListCtrl.h"
#include "controls/XTHyperLink.h"
#include "resultlist/ListSort.h"

#include <string>
#include <vector>

class CQuorrexDlg : public CDialog {
public:
    CQuorrexDlg();

    BOOL PreTranslateMessage(MSG* msg) override;

    void OnGenerate();
    void OnAdvanced();
    void OnGenerateCsv();
    void ExportToCsv(const std::wstring& path);
    // The same file in UTF-8, which keeps every character.
    void OnGenerateCsvUtf8();
    void ExportToCsv(const std::wstring& path, TextEncoding encoding);
    void OnCloseButton();
    void OnAbout();
    // The result list's commands beside the query's: copy, select all. (Its header sorts it.)
    void OnCopyRows();
    void OnSelectAllRows();
    // Whether the list's sorts are ready ahead, so that a header click reads no text.
    bool ResultListReadyToSort() const { return m_sort.Prepared(m_resultList); }

    const CXTHyperLink& CsvLink() const { return m_csvLink; }
    HICON Icon() const { return m_hIcon; }
    const CImageHyperLink& Banner() const { return m_banner; }

    std::vector<std::wstring> availableNames;
    std::vector<std::wstring> selectedNames;

protected:
    void DoDataExchange() override;
    BOOL OnInitDialog() override;
    int OnCreate(CREATESTRUCTW* create) override;
    void OnSetFont(HFONT font) override;
    bool OnCommand(int id, int code, HWND control) override;
    INT_PTR HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    bool OnSysCommand(UINT id);
    bool OnPaint();
    void OnDpiChanged(UINT dpi, const RECT& suggested);
    void PlaceCsvLink();
    bool OnContextMenu(HWND window, LPARAM point);
    // Ctrl+S and Ctrl+Shift+S anywhere; Ctrl+C, Ctrl+A and the menu keys in the result list. True
    // for a key used up.
    bool TranslateCommandKey(const MSG& msg);

    HICON m_hIcon;
    CEdit m_filterField;
    CEdit m_domainField;
    CListCtrl m_resultList;
    CXTHyperLink m_csvLink;
    CImageHyperLink m_banner;
    CResultListSort m_sort;
    UINT m_dpi = 96; // of the display the window was last laid out for
};
