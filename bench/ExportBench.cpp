// Times the CSV export of a filled result list and watches the process's working set while it
// runs. The baseline of the same run is reading the same cells out of the list without writing
// them. Prints figures; never fails on speed.
#include "BenchSupport.h"
#include "export/CsvExport.h"
#include "framework/Dialog.h"
#include "framework/ListCtrl.h"
#include "query/AttributeCatalog.h"
#include "resources/resource.h"
#include "support/MessageBoxRecorder.h"

#include <windows.h>

#include <commctrl.h>
#include <psapi.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

SIZE_T WorkingSet()
{
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    ::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters);
    return counters.WorkingSetSize;
}

// Samples the working set every few milliseconds on a thread of its own and keeps the largest.
class WorkingSetWatch {
public:
    WorkingSetWatch() : m_peak(WorkingSet())
    {
        m_thread = ::CreateThread(nullptr, 0, Watch, this, 0, nullptr);
    }
    ~WorkingSetWatch()
    {
        m_stop = true;
        ::WaitForSingleObject(m_thread, INFINITE);
        ::CloseHandle(m_thread);
    }
    SIZE_T Peak() const { return m_peak; }

private:
    static DWORD WINAPI Watch(void* self)
    {
        auto* watch = static_cast<WorkingSetWatch*>(self);
        while (!watch->m_stop) {
            const SIZE_T now = WorkingSet();
            if (now > watch->m_peak)
                watch->m_peak = now;
            ::Sleep(2);
        }
        return 0;
    }

    std::atomic<SIZE_T> m_peak;
    std::atomic<bool> m_stop{false};
    HANDLE m_thread;
};

std::vector<std::wstring> Headers(int columns)
{
    std::vector<std::wstring> headers;
    for (auto list : {BasicAttributes(), AdditionalAttributes()}) {
        for (const CatalogEntry& entry : list) {
            if (static_cast<int>(headers.size()) < columns)
                headers.emplace_back(entry.header);
        }
    }
    return headers;
}

void Fill(const CListCtrl& list, int rows, int columns)
{
    list.DeleteAllItems();
    while (list.GetColumnCount() > 0)
        list.DeleteColumn(0);
    const std::vector<std::wstring> headers = Headers(columns);
    for (int c = 0; c < columns; ++c)
        list.InsertColumn(c, headers[static_cast<size_t>(c)], 80);
    ::SendMessageW(list.m_hWnd, WM_SETREDRAW, FALSE, 0);
    for (int r = 0; r < rows; ++r) {
        const std::wstring user = L"user" + std::to_wstring(r);
        list.InsertItem(r, user.c_str());
        for (int c = 1; c < columns; ++c)
            list.SetItemText(r, c, (headers[static_cast<size_t>(c)] + L" of " + user).c_str());
    }
    ::SendMessageW(list.m_hWnd, WM_SETREDRAW, TRUE, 0);
}

// The floor: every cell read out of the list once, nothing written.
double ReadAllCells(const CListCtrl& list)
{
    const auto start = std::chrono::steady_clock::now();
    wchar_t buffer[256];
    size_t characters = 0;
    const int rows = list.GetItemCount();
    const int columns = list.GetColumnCount();
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            LVITEMW item = {};
            item.iSubItem = c;
            item.pszText = buffer;
            item.cchTextMax = 256;
            characters += static_cast<size_t>(
                ::SendMessageW(list.m_hWnd, LVM_GETITEMTEXTW, static_cast<WPARAM>(r), reinterpret_cast<LPARAM>(&item)));
        }
    }
    const double seconds = Seconds(start);
    return characters > 0 ? seconds : 0.0;
}

std::wstring TempFile()
{
    wchar_t folder[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, folder);
    return std::wstring(folder) + L"quorrex-export-bench.csv";
}

} // namespace

int main()
{
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    MessageBoxRecorder boxes;
    CDialog dialog(IDD_QUORREX_DIALOG);
    if (!dialog.Create())
        return 1;
    const CListCtrl list(dialog.GetDlgItem(IDC_RESULT_LIST));
    const std::wstring path = TempFile();

    std::printf("%-8s %4s %10s %10s %7s %9s %12s %12s %10s\n", "rows", "cols", "export s", "read s", "ratio",
                "file MB", "WS before MB", "WS peak MB", "added MB");
    for (int rows : {10000, 100000}) {
        for (int columns : {6, 17}) {
            Fill(list, rows, columns);
            const double read = ReadAllCells(list);
            const SIZE_T before = WorkingSet();
            double seconds;
            SIZE_T peak;
            {
                WorkingSetWatch watch;
                const auto start = std::chrono::steady_clock::now();
                ExportResultList(dialog, path, 1299488703);
                seconds = Seconds(start);
                peak = watch.Peak();
            }
            WIN32_FILE_ATTRIBUTE_DATA file = {};
            ::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &file);
            const double megabytes = 1.0 / (1024 * 1024);
            std::printf("%-8d %4d %10.3f %10.3f %7.2f %9.1f %12.1f %12.1f %10.1f%s\n", rows, columns, seconds, read,
                        read > 0 ? seconds / read : 0.0, static_cast<double>(file.nFileSizeLow) * megabytes,
                        static_cast<double>(before) * megabytes, static_cast<double>(peak) * megabytes,
                        (static_cast<double>(peak) - static_cast<double>(before)) * megabytes,
                        boxes.boxes().empty() ? "" : "  (the export reported a failure!)");
            std::fflush(stdout);
        }
    }
    ::DeleteFileW(path.c_str());
    return 0;
}
