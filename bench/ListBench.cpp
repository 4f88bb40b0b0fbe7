// Times sorting the result list by a header click and copying every row, against a baseline
// measured in the same run: the bare list-view fill of the same cells.
#include "BenchSupport.h"
#include "app/QuorrexDlg.h"
#include "framework/ListCtrl.h"
#include "resources/resource.h"
#include "support/MessageBoxRecorder.h"

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

// Cells as a directory gives them: names out of order, numbers of every width, some without value.
std::wstring Cell(int row, int column)
{
    const int scrambled = static_cast<int>((static_cast<long long>(row) * 7919 + column * 104729) % 1000003);
    if (column > 0 && scrambled % 5 == 0)
        return L"-";
    static const wchar_t* const names[] = {L"Smith", L"johnson", L"Garc\u00eda", L"\u0141ukasz", L"Nguyen", L"brown"};
    return std::wstring(names[scrambled % 6]) + L" User " + std::to_wstring(scrambled % 100000);
}

double BareFill(const CListCtrl& list, int rows, int columns)
{
    list.DeleteAllItems();
    const auto start = std::chrono::steady_clock::now();
    ::SendMessageW(list.m_hWnd, WM_SETREDRAW, FALSE, 0);
    for (int r = 0; r < rows; ++r) {
        list.InsertItem(r, Cell(r, 0).c_str());
        for (int c = 1; c < columns; ++c)
            list.SetItemText(r, c, Cell(r, c).c_str());
    }
    ::SendMessageW(list.m_hWnd, WM_SETREDRAW, TRUE, 0);
    return Seconds(start);
}

double ClickHeader(CQuorrexDlg& dialog, const CListCtrl& list, int column)
{
    NMLISTVIEW click = {};
    click.hdr = {list.m_hWnd, IDC_RESULT_LIST, static_cast<UINT>(LVN_COLUMNCLICK)};
    click.iItem = -1;
    click.iSubItem = column;
    const auto start = std::chrono::steady_clock::now();
    dialog.SendMessage(WM_NOTIFY, IDC_RESULT_LIST, reinterpret_cast<LPARAM>(&click));
    return Seconds(start);
}

double CopyAll(CQuorrexDlg& dialog)
{
    dialog.OnSelectAllRows();
    const auto start = std::chrono::steady_clock::now();
    dialog.OnCopyRows();
    return Seconds(start);
}

size_t ClipboardCharacters()
{
    size_t length = 0;
    if (::OpenClipboard(nullptr)) {
        if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
            length = std::wcslen(static_cast<const wchar_t*>(::GlobalLock(data)));
            ::GlobalUnlock(data);
        }
        ::CloseClipboard();
    }
    return length;
}

} // namespace

int main()
{
    MessageBoxRecorder boxes;
    CQuorrexDlg dialog;
    if (!ShowMainDialog(dialog))
        return 1;
    CListCtrl list(dialog.GetDlgItem(IDC_RESULT_LIST));
    const int columns = list.GetColumnCount(); // the six basic columns

    // The sort of the rows as they came, its reversal (every row moves), the sort by another column
    // of the rows so ordered, and the copy of every row. The big size three times: this machine's
    // figures vary from run to run.
    std::printf("%-8s %10s %10s %10s %10s %10s %12s %12s\n", "rows", "fill s", "sort s", "reverse s", "other s",
                "copy s", "slowest/fill", "copy/fill");
    constexpr int kBig = 100000;
    double slowestBigSort = 0, slowestBigCopy = 0;
    for (int rows : {10000, kBig, kBig, kBig}) {
        const double fill = BareFill(list, rows, columns);
        const double sort = ClickHeader(dialog, list, 0);
        const std::wstring first = list.GetItemText(0, 0);
        const double reverse = ClickHeader(dialog, list, 0);
        const std::wstring last = list.GetItemText(0, 0);
        const double other = ClickHeader(dialog, list, 1);
        const double copy = CopyAll(dialog);
        const bool complete = list.GetItemCount() == rows && boxes.boxes().empty() && ClipboardCharacters() > 0 &&
                              first != last;
        const double slowest = std::max({sort, reverse, other});
        std::printf("%-8d %10.3f %10.3f %10.3f %10.3f %10.3f %12.2f %12.2f%s\n", rows, fill, sort, reverse, other,
                    copy, slowest / fill, copy / fill, complete ? "" : "  (something went wrong!)");
        std::fflush(stdout);
        if (rows == kBig) {
            slowestBigSort = std::max(slowestBigSort, slowest);
            slowestBigCopy = std::max(slowestBigCopy, copy);
        }
    }
    std::printf("%d rows: slowest sort %.3f s, slowest copy %.3f s (at most 1 s wanted)\n", kBig, slowestBigSort,
                slowestBigCopy);
    return 0;
}
