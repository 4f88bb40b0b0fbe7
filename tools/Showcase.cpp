// Shows the main dialog with some rows in the result list, alone, sorted by a header click, or with
// the attribute chooser or the About box over it (hover: with the pointer over the About box's web
// site link), for a few seconds: scripts/screenshots.sh photographs the display meanwhile.
//   quorrex_showcase.exe main|sorted|chooser|about|hover [seconds]
#include "app/QuorrexDlg.h"
#include "chooser/DlgAttributes.h"
#include "controls/AboutDlg.h"
#include "framework/ListCtrl.h"
#include "resources/resource.h"

#include <windows.h>

#include <commctrl.h>

#include <string>

namespace {

// Runs the messages for a while, through the dialog's pre-translation as its modal loop would.
void Pump(DWORD milliseconds, CDialog* dialog = nullptr)
{
    const ULONGLONG end = ::GetTickCount64() + milliseconds;
    while (::GetTickCount64() < end) {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (dialog && dialog->PreTranslateMessage(&msg))
                continue;
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        ::Sleep(10);
    }
}

void FillSampleRows(const CQuorrexDlg& dialog)
{
    CListCtrl list(dialog.GetDlgItem(IDC_RESULT_LIST));
    const wchar_t* rows[][6] = {
        {L"jsmith", L"John", L"Q", L"Smith", L"John Smith", L"Sales team"},
        {L"adoe", L"Anna", L"-", L"Doe", L"Anna Doe", L"Accounts"},
        {L"lkowalski", L"Łukasz", L"-", L"Kowalski", L"Łukasz Kowalski", L"-"},
    };
    int r = 0;
    for (const auto& row : rows) {
        list.InsertItem(r, row[0]);
        for (int c = 1; c < 6; ++c)
            list.SetItemText(r, c, row[c]);
        ++r;
    }
    dialog.SetDlgItemText(IDC_OBJECT_COUNT, L"3");
    dialog.SetDlgItemText(IDC_DOMAIN_NAME, L"example.test");
    dialog.SetDlgItemText(IDC_USER, L"Administrator");
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    const std::wstring what = argc > 1 ? argv[1] : L"main";
    const DWORD seconds = argc > 2 ? static_cast<DWORD>(_wtoi(argv[2])) : 4;

    CQuorrexDlg dialog;
    if (!dialog.Create())
        return 1;
    FillSampleRows(dialog);
    ::ShowWindow(dialog.m_hWnd, SW_SHOW);
    if (what == L"about" || what == L"hover") {
        CAboutDlg about(dialog.m_hWnd);
        about.Create();
        ::ShowWindow(about.m_hWnd, SW_SHOW);
        if (what == L"hover") {
            HWND link = about.GetDlgItem(IDC_WEB_SITE_LINK);
            RECT rect;
            ::GetWindowRect(link, &rect);
            ::SetCursorPos(rect.left + 12, (rect.top + rect.bottom) / 2);
            // Through the queue, so that the link's tooltip sees it as well.
            ::PostMessageW(link, WM_MOUSEMOVE, 0, MAKELPARAM(12, (rect.bottom - rect.top) / 2));
        }
        Pump(seconds * 1000, &about);
        return 0;
    }
    if (what == L"sorted") {
        // Two clicks on "LAST NAME", as a user sorts it descending.
        HWND header = ListView_GetHeader(dialog.GetDlgItem(IDC_RESULT_LIST));
        for (int click = 0; click < 2; ++click) {
            NMHEADERW notice = {};
            notice.hdr = {header, static_cast<UINT_PTR>(::GetDlgCtrlID(header)), static_cast<UINT>(HDN_ITEMCLICKW)};
            notice.iItem = 3;
            ::SendMessageW(dialog.GetDlgItem(IDC_RESULT_LIST), WM_NOTIFY, notice.hdr.idFrom,
                           reinterpret_cast<LPARAM>(&notice));
        }
    }
    if (what == L"chooser") {
        CDlgAttributes chooser(dialog.m_hWnd, dialog.selectedNames, dialog.availableNames);
        chooser.Create();
        ::ShowWindow(chooser.m_hWnd, SW_SHOW);
        Pump(seconds * 1000);
        return 0;
    }
    Pump(seconds * 1000);
    return 0;
}
