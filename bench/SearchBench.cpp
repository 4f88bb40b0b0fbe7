// Times SearchDirectory filling the real list view from a scripted directory, against a baseline
// measured in the same run: the bare list-view fill of the same cells. It also times the same
// search with a clock that stands still, so that it never looks at its queue: the difference is
// what the looks cost.
#include "BenchSupport.h"
#include "app/QuorrexDlg.h"
#include "framework/BusyInput.h"
#include "framework/ListCtrl.h"
#include "query/DirectorySearch.h"
#include "resources/resource.h"
#include "support/FakeDirectorySearch.h"
#include "support/MessageBoxRecorder.h"

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

const std::vector<std::wstring> kHeaders = {L"NAME",      L"FIRST NAME",   L"INITIAL",
                                             L"LAST NAME", L"DISPLAY NAME", L"DESCRIPTION"};
const wchar_t* const kAttributes[] = {L"cn", L"givenName", L"initials", L"sn", L"displayName", L"description"};

void Populate(FakeDirectorySearch& directory, int rows)
{
    directory.rows.reserve(static_cast<size_t>(rows));
    for (int r = 0; r < rows; ++r) {
        FakeDirectorySearch::Row row;
        for (const wchar_t* attribute : kAttributes)
            row.emplace_back(attribute, FakeDirectorySearch::Values{
                                            directory.Text(std::wstring(attribute) + L" of user" + std::to_wstring(r))});
        directory.AddRow(std::move(row));
    }
}

void SetColumns(const CListCtrl& list)
{
    while (list.GetColumnCount() > 0)
        list.DeleteColumn(0);
    for (size_t i = 0; i < kHeaders.size(); ++i)
        list.InsertColumn(static_cast<int>(i), kHeaders[i], 80);
}

// The floor: the same cells written straight into the list with its redraw off.
double BareFill(const CListCtrl& list, const FakeDirectorySearch& directory)
{
    list.DeleteAllItems();
    const auto start = std::chrono::steady_clock::now();
    ::SendMessageW(list.m_hWnd, WM_SETREDRAW, FALSE, 0);
    int r = 0;
    for (const auto& row : directory.rows) {
        for (size_t c = 0; c < row.size(); ++c) {
            const wchar_t* text = row[c].second[0].CaseIgnoreString;
            if (c == 0)
                list.InsertItem(r, text);
            else
                list.SetItemText(r, static_cast<int>(c), text);
        }
        ++r;
    }
    ::SendMessageW(list.m_hWnd, WM_SETREDRAW, TRUE, 0);
    return Seconds(start);
}

double SearchFill(CDialog& dialog, const CListCtrl& list, FakeDirectorySearch& directory)
{
    list.DeleteAllItems();
    std::vector<std::wstring> headers;
    ReadColumnHeaders(headers, dialog);
    const auto start = std::chrono::steady_clock::now();
    BusyInput input(dialog.m_hWnd);
    SearchDirectory(dialog, &directory, headers, input);
    return Seconds(start);
}

ULONGLONG WINAPI StillClock()
{
    return 0;
}

// The faster of two searches with the system's clock and of two with a still one, interleaved.
struct LookCost {
    double looking = 1e9;
    double notLooking = 1e9;
};

LookCost TimeLooks(CDialog& dialog, const CListCtrl& list, FakeDirectorySearch& directory)
{
    LookCost cost;
    const BusyClockFunction system = BusyClock();
    for (int i = 0; i < 2; ++i) {
        BusyClock() = StillClock;
        cost.notLooking = std::min(cost.notLooking, SearchFill(dialog, list, directory));
        BusyClock() = system;
        cost.looking = std::min(cost.looking, SearchFill(dialog, list, directory));
    }
    return cost;
}

} // namespace

int main()
{
    MessageBoxRecorder boxes;
    CQuorrexDlg dialog;
    if (!ShowMainDialog(dialog))
        return 1;
    CListCtrl list(dialog.GetDlgItem(IDC_RESULT_LIST));
    SetColumns(list);

    std::printf("%-8s %12s %12s %14s %8s\n", "rows", "search s", "bare fill s", "search rows/s", "ratio");
    for (int rows : {10000, 100000}) {
        FakeDirectorySearch directory;
        Populate(directory, rows);
        // The baseline runs before and after the search; the faster of the two counts, so that
        // neither warm-up nor order favours one side.
        const double bareBefore = BareFill(list, directory);
        const double search = SearchFill(dialog, list, directory);
        const bool complete = list.GetItemCount() == rows && boxes.boxes().empty();
        const double bare = std::min(bareBefore, BareFill(list, directory));
        std::printf("%-8d %12.3f %12.3f %14.0f %8.2f%s\n", rows, search, bare, rows / search, search / bare,
                    complete ? "" : "  (incomplete fill!)");
        std::fflush(stdout);
        const LookCost looks = TimeLooks(dialog, list, directory);
        std::printf("%-8d looking at the queue every %llu ms: %.3f s, never: %.3f s, ratio %.3f\n", rows,
                    BusyInput::kLookInterval, looks.looking, looks.notLooking, looks.looking / looks.notLooking);
        std::fflush(stdout);
    }
    return 0;
}
