// Times sorting the result list by a header click and copying every row, against baselines
// measured in the same run: for each sort the list view's own sort into the same order (its floor:
// under Wine the control's in-place merge costs most of any sort), and the bare list-view fill.
// The sorts are timed as a user meets them, after the idle time in which the program prepares
// them (timed too), and once at once after the fill, before any idle time.
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

// The items' values in the order shown.
std::vector<LPARAM> ShownOrder(const CListCtrl& list)
{
    std::vector<LPARAM> order(static_cast<size_t>(list.GetItemCount()));
    for (size_t row = 0; row < order.size(); ++row)
        order[row] = list.GetItemData(static_cast<int>(row));
    return order;
}

// A comparator that only reads a rank computed beforehand: the least any sort through the list
// view can cost.
int CALLBACK CompareRanks(LPARAM first, LPARAM second, LPARAM ranks)
{
    const auto& rank = *reinterpret_cast<const std::vector<int>*>(ranks);
    const int a = rank[static_cast<size_t>(first)];
    const int b = rank[static_cast<size_t>(second)];
    return a < b ? -1 : (a > b ? 1 : 0);
}

// Reorders the list into order through LVM_SORTITEMS; the seconds it took.
double SortInto(const CListCtrl& list, const std::vector<LPARAM>& order)
{
    std::vector<int> ranks(order.size());
    for (size_t place = 0; place < order.size(); ++place)
        ranks[static_cast<size_t>(order[place])] = static_cast<int>(place);
    const auto start = std::chrono::steady_clock::now();
    ::SendMessageW(list.m_hWnd, WM_SETREDRAW, FALSE, 0);
    ListView_SortItems(list.m_hWnd, CompareRanks, reinterpret_cast<LPARAM>(&ranks));
    ::SendMessageW(list.m_hWnd, WM_SETREDRAW, TRUE, 0);
    return Seconds(start);
}

struct SortTimes {
    double program = 0;
    double floor = 0;
    double floorAgain = 0; // the same sort of the floor once more: how far this run's timings wander
    bool sameOrder = false; // the floor reached the order the program's sort left
};

// The program's sort by a header click, and then the list view's own sort from the same order into
// the order the click left, which leaves the list as the program knows it.
SortTimes TimeSort(CQuorrexDlg& dialog, const CListCtrl& list, int column)
{
    const std::vector<LPARAM> before = ShownOrder(list);
    SortTimes times;
    times.program = ClickHeader(dialog, list, column);
    const std::vector<LPARAM> after = ShownOrder(list);
    SortInto(list, before);
    times.floor = SortInto(list, after);
    SortInto(list, before);
    times.floorAgain = SortInto(list, after);
    times.sameOrder = ShownOrder(list) == after;
    return times;
}

// Lets the dialog's thread idle, as while a user looks at the rows, until the sorts are prepared;
// the seconds it took, or a negative number when they were not prepared within a minute.
double IdleUntilPrepared(CQuorrexDlg& dialog)
{
    const auto start = std::chrono::steady_clock::now();
    while (!dialog.ResultListReadyToSort()) {
        if (Seconds(start) > 60)
            return -1;
        MSG msg;
        if (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        } else {
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
        }
    }
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

    // After the idle time that prepares them: the sort of the rows as they came, its reversal (every
    // row moves), the sort by another column of the rows so ordered, each beside the list view's own
    // sort into the same order, and the copy of every row. Then, on the rows filled anew, the sort
    // at once after the fill. The big size three times: this machine's figures vary from run to run.
    std::printf("%-8s %8s %8s %8s %8s %6s %8s %8s %6s %8s %8s %6s %8s %8s %8s %6s\n", "rows", "fill s", "idle s",
                "sort s", "floor s", "ratio", "rev s", "floor s", "ratio", "other s", "floor s", "ratio", "copy s",
                "at once", "floor s", "ratio");
    constexpr int kBig = 100000;
    double worstBigRatio = 0, slowestBigCopy = 0, worstAtOnce = 0;
    double leastNoise = 1e9, mostNoise = 0;
    for (int rows : {10000, kBig, kBig, kBig}) {
        const double fill = BareFill(list, rows, columns);
        const double idle = IdleUntilPrepared(dialog);
        const SortTimes sort = TimeSort(dialog, list, 0);
        const std::wstring first = list.GetItemText(0, 0);
        const SortTimes reverse = TimeSort(dialog, list, 0);
        const std::wstring last = list.GetItemText(0, 0);
        const SortTimes other = TimeSort(dialog, list, 1);
        const double copy = CopyAll(dialog);
        BareFill(list, rows, columns);
        const SortTimes atOnce = TimeSort(dialog, list, 0);
        const bool complete = list.GetItemCount() == rows && boxes.boxes().empty() && ClipboardCharacters() > 0 &&
                              idle >= 0 && first != last && sort.sameOrder && reverse.sameOrder &&
                              other.sameOrder && atOnce.sameOrder;
        const double worst = std::max({sort.program / sort.floor, reverse.program / reverse.floor,
                                       other.program / other.floor});
        std::printf("%-8d %8.3f %8.3f %8.3f %8.3f %6.2f %8.3f %8.3f %6.2f %8.3f %8.3f %6.2f %8.3f %8.3f %8.3f %6.2f%s\n",
                    rows, fill, idle, sort.program, sort.floor, sort.program / sort.floor, reverse.program,
                    reverse.floor, reverse.program / reverse.floor, other.program, other.floor,
                    other.program / other.floor, copy, atOnce.program, atOnce.floor, atOnce.program / atOnce.floor,
                    complete ? "" : "  (something went wrong!)");
        std::fflush(stdout);
        if (rows == kBig) {
            worstBigRatio = std::max(worstBigRatio, worst);
            slowestBigCopy = std::max(slowestBigCopy, copy);
            worstAtOnce = std::max(worstAtOnce, atOnce.program / atOnce.floor);
            for (const SortTimes* times : {&sort, &reverse, &other, &atOnce}) {
                leastNoise = std::min(leastNoise, times->floorAgain / times->floor);
                mostNoise = std::max(mostNoise, times->floorAgain / times->floor);
            }
        }
    }
    std::printf("%d rows, sorted at once after the fill: worst sort / list view's own sort %.2f\n", kBig, worstAtOnce);
    std::printf("%d rows: worst sort / list view's own sort %.2f, slowest copy %.3f s\n", kBig, worstBigRatio,
                slowestBigCopy);
    // The same sort timed twice differs by this much on this machine: a ratio inside the range says
    // no more than that the program's sort costs what the list view's does.
    std::printf("%d rows: list view's own sort timed twice, second / first %.2f to %.2f\n", kBig, leastNoise,
                mostNoise);
    return 0;
}
