// What windows borrow from the system and must give back or leave to the system: the shortcut
// menu's choice, the owning drawing handles, and the DPI-change layout the dialogs take over.
#include "app/QuorrexDlg.h"
#include "controls/AboutDlg.h"
#include "framework/Dpi.h"
#include "framework/PopupMenu.h"
#include "framework/UniqueHandle.h"
#include "resources/resource.h"
#include "support/DialogDriver.h"
#include "support/FakeDirectoryApi.h"
#include "support/FakeLinkApi.h"
#include "support/MainWindowStandIn.h"
#include "support/MessageBoxRecorder.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace {

std::wstring ClassOf(HWND hwnd)
{
    wchar_t name[64] = {};
    ::GetClassNameW(hwnd, name, 64);
    return name;
}

LRESULT CALLBACK CountCommands(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR count)
{
    if (msg == WM_COMMAND)
        ++*reinterpret_cast<int*>(count);
    return ::DefSubclassProc(hwnd, msg, wp, lp);
}

// The system's menu, chosen from with the keyboard: the choice comes back as the result, and the
// owner gets no command of its own for it (which would run it a second time, or run IDOK).
TEST(PopupMenu, TheSystemsMenuReturnsTheChoiceAndSendsNoCommand)
{
    MainWindowStandIn owner;
    int commands = 0;
    ::SetWindowSubclass(owner.m_hWnd, CountCommands, 1, reinterpret_cast<DWORD_PTR>(&commands));
    HMENU menu = ::CreatePopupMenu();
    ::AppendMenuW(menu, MF_STRING, 101, L"First");
    ::AppendMenuW(menu, MF_STRING, 102, L"Second");
    ::SetForegroundWindow(owner.m_hWnd);
    bool driven = false;
    static UINT_PTR closer = 0;
    WhenModalOpens([](HWND hwnd) { return ClassOf(hwnd) == L"#32768"; },
                   [&](HWND shown) {
                       for (WPARAM key : {VK_DOWN, VK_DOWN, VK_RETURN})
                           ::PostMessageW(shown, WM_KEYDOWN, key, 1);
                       driven = true;
                       // A menu the keys never reach is closed, so that the test fails rather than waits.
                       closer = ::SetTimer(nullptr, 0, 5000, [](HWND, UINT, UINT_PTR timer, DWORD) {
                           ::KillTimer(nullptr, timer);
                           ::EndMenu();
                       });
                   });
    const UINT chosen = ShowPopupMenu(menu, owner.m_hWnd, {10, 10});
    if (closer)
        ::KillTimer(nullptr, std::exchange(closer, 0));
    ::DestroyMenu(menu);
    PumpMessages();
    ::RemoveWindowSubclass(owner.m_hWnd, CountCommands, 1);
    ASSERT_TRUE(driven) << "the menu never showed";
    EXPECT_EQ(chosen, 102u);
    EXPECT_EQ(commands, 0);
}

// Each owning handle frees its object with the call that frees that kind: a memory drawing surface
// given to ReleaseDC, which is for the display's surfaces, would live on.
TEST(UniqueHandle, FreesWhatItOwnsWithTheRightCall)
{
    struct Case {
        const char* what;
        std::function<HGDIOBJ()> makeAndFree; // returns the freed handle
    };
    const Case cases[] = {
        {"memory drawing surface", [] {
             UniqueMemoryDC dc(::CreateCompatibleDC(nullptr));
             HDC raw = dc.get();
             EXPECT_EQ(::GetObjectType(raw), static_cast<DWORD>(OBJ_MEMDC));
             return static_cast<HGDIOBJ>(raw);
         }},
        {"font", [] {
             UniqueFont font(::CreateFontW(12, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, L"Tahoma"));
             return static_cast<HGDIOBJ>(font.get());
         }},
        {"brush", [] {
             UniqueBrush brush(::CreateSolidBrush(RGB(1, 2, 3)));
             return static_cast<HGDIOBJ>(brush.get());
         }},
        {"bitmap", [] {
             UniqueBitmap bitmap(::CreateBitmap(4, 4, 1, 32, nullptr));
             return static_cast<HGDIOBJ>(bitmap.get());
         }},
    };
    for (const Case& c : cases) {
        HGDIOBJ freed = c.makeAndFree();
        ASSERT_NE(freed, nullptr) << c.what;
        EXPECT_EQ(::GetObjectType(freed), 0u) << c.what << " still lives";
    }
}

// Wine lacks the calls that take a dialog and its controls out of the system's layout on a DPI
// change; what the dialogs ask of them is recorded instead.
struct DpiBehaviorRecorder {
    struct Call {
        HWND window;
        int mask;
        int values;
    };
    DpiBehaviorRecorder() : previous(TheDpiBehaviorCalls())
    {
        current = this;
        TheDpiBehaviorCalls() = {RecordDialog, RecordControl};
    }
    ~DpiBehaviorRecorder() { TheDpiBehaviorCalls() = previous; }

    static BOOL WINAPI RecordDialog(HWND window, int mask, int values)
    {
        current->dialogs.push_back({window, mask, values});
        return TRUE;
    }
    static BOOL WINAPI RecordControl(HWND window, int mask, int values)
    {
        current->controls.push_back({window, mask, values});
        return TRUE;
    }
    // The mask asked for this window, -1 if nothing was.
    static int MaskFor(const std::vector<Call>& calls, HWND window)
    {
        for (const Call& call : calls) {
            if (call.window == window)
                return call.mask == call.values ? call.mask : -2;
        }
        return -1;
    }

    static inline DpiBehaviorRecorder* current = nullptr;
    DpiBehaviorCalls previous;
    std::vector<Call> dialogs;
    std::vector<Call> controls;
};

constexpr int kDisableResize = 0x0002;      // DDC_DISABLE_RESIZE
constexpr int kDisableFontUpdate = 0x0001;  // DCDC_DISABLE_FONT_UPDATE
constexpr int kDisableRelayout = 0x0002;    // DCDC_DISABLE_RELAYOUT

TEST(DpiLayout, TheDialogsTakeTheirSizeAndTheControlsTheyPlaceOutOfTheSystemsRelayout)
{
    FakeDirectoryApi directoryApi;
    FakeLinkApi linkApi;
    MessageBoxRecorder boxes;
    DpiBehaviorRecorder recorder;
    CQuorrexDlg dialog;
    ASSERT_TRUE(dialog.Create());
    EXPECT_EQ(DpiBehaviorRecorder::MaskFor(recorder.dialogs, dialog.m_hWnd), kDisableResize);
    EXPECT_EQ(DpiBehaviorRecorder::MaskFor(recorder.controls, dialog.GetDlgItem(IDC_GENERATE_CSV)), kDisableRelayout)
        << "the CSV link, which the dialog places itself";
    EXPECT_EQ(DpiBehaviorRecorder::MaskFor(recorder.controls, dialog.GetDlgItem(IDC_GENERATE)), -1)
        << "the template's controls keep the system's scaling";

    CAboutDlg about(dialog.m_hWnd);
    ASSERT_TRUE(about.Create());
    EXPECT_EQ(DpiBehaviorRecorder::MaskFor(recorder.dialogs, about.m_hWnd), kDisableResize);
    for (int link : {IDC_WEB_SITE_LINK, IDC_SUPPORT_LINK, IDC_SALES_LINK})
        EXPECT_EQ(DpiBehaviorRecorder::MaskFor(recorder.controls, about.GetDlgItem(link)),
                  kDisableRelayout | kDisableFontUpdate)
            << "the About box's link " << link << ", placed and given its font by the box";
    about.DestroyWindow();
    dialog.DestroyWindow();
}

} // namespace
