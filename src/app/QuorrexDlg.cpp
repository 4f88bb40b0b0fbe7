// CQuorrexDlg: creation, start-up state, keyboard filter and the command map.
#include "app/QuorrexDlg.h"

#include "chooser/DlgAttributes.h"
#include "controls/AboutDlg.h"
#include "chooser/ColumnRebuild.h"
#include "export/CsvExport.h"
#include "framework/Dpi.h"
#include "framework/KeyFilter.h"
#include "query/AttributeCatalog.h"
#include "query/DomainBinding.h"
#include "query/QueryRun.h"
#include "resources/resource.h"

#include <ctime>

namespace {

constexpr wchar_t kProductName[] = L"Quorrex";
constexpr wchar_t kProductWebPage[] = L"https://www.quorrex.example/";
constexpr wchar_t kDefaultFilter[] = L"(&(objectClass=user)(objectCategory=user))";
constexpr wchar_t kCsvLinkCaption[] = L"G e n e r a t e  CSV";
constexpr DWORD kCsvLinkStyle = WS_CHILD | WS_VISIBLE | SS_CENTER; // 0x50000001
constexpr RECT kCsvLinkPixels = {345, 499, 498, 515};
// The same rectangle in dialog units (pixels at 96 DPI with the 8-point dialog font, x * 2/3 and
// y * 8/13), so that the link stays beside the buttons under any font or DPI.
constexpr RECT kCsvLinkDialogUnits = {230, 307, 332, 317};
constexpr DWORD kListExtendedStyle = LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT; // 0x21

} // namespace

CQuorrexDlg::CQuorrexDlg()
    : CDialog(IDD_QUORREX_DIALOG), m_hIcon(::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME)))
{
}

void CQuorrexDlg::DoDataExchange()
{
    DDX_Control(IDC_FILTER, m_filterField);
    DDX_Control(IDC_DOMAIN_NAME, m_domainField);
    DDX_Control(IDC_RESULT_LIST, m_resultList);
    DDX_Control(IDC_GENERATE_CSV, m_csvLink);
    DDX_Control(IDC_BANNER, m_banner);
}

int CQuorrexDlg::OnCreate(CREATESTRUCTW* create)
{
    if (CDialog::OnCreate(create) == -1)
        return -1;
    m_csvLink.Create(kCsvLinkCaption, kCsvLinkStyle, kCsvLinkPixels, m_hWnd, IDC_GENERATE_CSV);
    m_csvLink.SetBackColor(m_csvLink.GetBackColor() & 0x00FFFFFF);
    m_csvLink.SetUnderline(false);
    m_csvLink.EnableOpenTarget(false);
    return 0;
}

void CQuorrexDlg::OnSetFont(HFONT font)
{
    // The link was made before the template's controls; it takes the dialog's font like them.
    if (m_csvLink.m_hWnd)
        m_csvLink.SetFont(font, false);
}

BOOL CQuorrexDlg::OnInitDialog()
{
    CDialog::OnInitDialog();

    if (HMENU systemMenu = ::GetSystemMenu(m_hWnd, FALSE)) {
        wchar_t aboutText[128] = {};
        ::LoadStringW(::GetModuleHandleW(nullptr), IDS_ABOUTBOX, aboutText, static_cast<int>(std::size(aboutText)));
        if (aboutText[0]) {
            ::AppendMenuW(systemMenu, MF_SEPARATOR, 0, nullptr);
            ::AppendMenuW(systemMenu, MF_STRING, IDM_ABOUTBOX, aboutText);
        }
    }
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));
    SetWindowText(kProductName);
    m_filterField.SetWindowText(kDefaultFilter);

    InsertBasicColumns(m_resultList);
    m_resultList.SetExtendedStyle(kListExtendedStyle);
    // The arrays start afresh at every opening of this object, like the columns and their order.
    m_sort.Reset(m_resultList);
    selectedNames.clear();
    availableNames.clear();
    for (const CatalogEntry& entry : BasicAttributes())
        selectedNames.emplace_back(entry.header);

    std::wstring joinedDomain;
    GetJoinedDomainName(joinedDomain);
    if (!joinedDomain.empty())
        m_domainField.SetWindowText(joinedDomain);

    for (const CatalogEntry& entry : AdditionalAttributes())
        availableNames.emplace_back(entry.header);
    m_banner.SetLinkUrl(kProductWebPage);

    PlaceCsvLink();
    m_dpi = WindowDpi(m_hWnd);
    TakeOverDpiLayout(m_hWnd, m_csvLink.m_hWnd);
    return TRUE;
}

void CQuorrexDlg::PlaceCsvLink()
{
    RECT rect = kCsvLinkDialogUnits;
    if (m_csvLink.m_hWnd && ::MapDialogRect(m_hWnd, &rect))
        ::SetWindowPos(m_csvLink.m_hWnd, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                       SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CQuorrexDlg::PreTranslateMessage(MSG* msg)
{
    // Enter and Escape act only on a focused "Generate" or "Advanced": in an input field they
    // would otherwise end the dialog.
    if (IsEnterOrEscapeAwayFrom(*msg, {GetDlgItem(IDC_GENERATE), GetDlgItem(IDC_ADVANCED)}))
        return TRUE;
    if (TranslateCommandKey(*msg))
        return TRUE;
    return CDialog::PreTranslateMessage(msg);
}

bool CQuorrexDlg::OnCommand(int id, int code, HWND control)
{
    if (code != BN_CLICKED) // also STN_CLICKED: both are 0
        return CDialog::OnCommand(id, code, control);
    switch (id) {
    case IDC_GENERATE:
        OnGenerate();
        return true;
    case IDC_ADVANCED:
        OnAdvanced();
        return true;
    case IDC_GENERATE_CSV:
        OnGenerateCsv();
        return true;
    case IDC_CLOSE:
        OnCloseButton();
        return true;
    case IDC_ABOUT:
        OnAbout();
        return true;
    case IDM_COPY_ROWS:
        OnCopyRows();
        return true;
    case IDM_SELECT_ALL_ROWS:
        OnSelectAllRows();
        return true;
    case IDM_SAVE_AS_CSV:
        OnGenerateCsv();
        return true;
    case IDM_SAVE_AS_CSV_UTF8:
        OnGenerateCsvUtf8();
        return true;
    default:
        return CDialog::OnCommand(id, code, control);
    }
}

INT_PTR CQuorrexDlg::HandleMessage(UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_SYSCOMMAND:
        return OnSysCommand(static_cast<UINT>(wp)) ? TRUE : FALSE;
    case WM_PAINT:
        return OnPaint() ? TRUE : FALSE;
    case WM_QUERYDRAGICON:
        return reinterpret_cast<INT_PTR>(m_hIcon);
    case WM_NOTIFY: {
        const auto* notice = reinterpret_cast<const NMHDR*>(lp);
        if (notice->idFrom == IDC_RESULT_LIST)
            m_sort.OnListNotice(m_resultList, *notice);
        return CDialog::HandleMessage(msg, wp, lp);
    }
    case WM_CONTEXTMENU:
        return OnContextMenu(reinterpret_cast<HWND>(wp), lp) ? TRUE : FALSE;
    case WM_DPICHANGED:
        if (const auto change = ReadDpiChange(wp, lp))
            OnDpiChanged(change->dpi, change->suggested);
        return FALSE; // the system's own handling still updates the template controls' fonts
    default:
        return CDialog::HandleMessage(msg, wp, lp);
    }
}

void CQuorrexDlg::OnDpiChanged(UINT dpi, const RECT& suggested)
{
    ::SetWindowPos(m_hWnd, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                   suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    ScaleColumnWidths(m_resultList.m_hWnd, m_dpi, dpi);
    ScaleChildWindow(m_csvLink.m_hWnd, m_dpi, dpi);
    m_dpi = dpi;
}

bool CQuorrexDlg::OnSysCommand(UINT id)
{
    if ((id & 0xFFF0) != IDM_ABOUTBOX)
        return false;
    OnAbout();
    return true;
}

bool CQuorrexDlg::OnPaint()
{
    if (!::IsIconic(m_hWnd))
        return false;
    PAINTSTRUCT paint;
    HDC dc = ::BeginPaint(m_hWnd, &paint);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc));
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    const int x = (client.right - client.left - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - client.top - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
    ::DrawIcon(dc, x, y, m_hIcon);
    ::EndPaint(m_hWnd, &paint);
    return true;
}

void CQuorrexDlg::OnGenerate()
{
    m_sort.Reset(m_resultList); // every query lists in directory order
    RunQuery(*this);
}

void CQuorrexDlg::OnAdvanced()
{
    CDlgAttributes chooser(m_hWnd, selectedNames, availableNames);
    if (chooser.DoModal() != IDOK)
        return;
    RebuildColumns(m_resultList, chooser.ChosenNames(), availableNames);
    OnGenerate();
}

void CQuorrexDlg::OnGenerateCsv()
{
    if (const auto path = AskForCsvPath(m_hWnd))
        ExportToCsv(*path);
}

void CQuorrexDlg::ExportToCsv(const std::wstring& path)
{
    ExportToCsv(path, TextEncoding::Latin1);
}

void CQuorrexDlg::OnGenerateCsvUtf8()
{
    if (const auto path = AskForCsvPath(m_hWnd))
        ExportToCsv(*path, TextEncoding::Utf8);
}

void CQuorrexDlg::ExportToCsv(const std::wstring& path, TextEncoding encoding)
{
    ExportResultList(*this, path, _time64(nullptr), encoding);
}

void CQuorrexDlg::OnCloseButton()
{
    OnOK();
}

void CQuorrexDlg::OnAbout()
{
    CAboutDlg about(m_hWnd);
    about.DoModal();
}
