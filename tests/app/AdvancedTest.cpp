// "Advanced": the chooser run modally over the main dialog, then the column rebuild and the query.
#include "app/QuorrexDlg.h"

#include "resources/resource.h"
#include "support/ControlProbe.h"
#include "support/DialogDriver.h"
#include "support/MainDialogFixture.h"

#include <gtest/gtest.h>

namespace {

using Names = std::vector<std::wstring>;

class AdvancedTest : public MainDialogFixture {
protected:
    void SetUp() override
    {
        MainDialogFixture::SetUp();
        directory.AddTextRow({{L"cn", L"alice"}, {L"l", L"Springfield"}, {L"physicalDeliveryOfficeName", L"HQ"}});
    }

    // Presses "Advanced" and, inside the chooser, runs the given clicks.
    void Advanced(std::function<void(HWND)> inChooser)
    {
        WhenModalOpens(L"Attributes", std::move(inChooser));
        ClickButton(dialog.m_hWnd, IDC_ADVANCED);
    }
    static void Highlight(HWND chooser, int listId, const wchar_t* name)
    {
        HWND listBox = ::GetDlgItem(chooser, listId);
        const auto index = ::SendMessageW(listBox, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                          reinterpret_cast<LPARAM>(name));
        ::SendMessageW(listBox, LB_SETCURSEL, index, 0);
    }

};

TEST_F(AdvancedTest, ChosenColumnsAreAppendedAndTheQueryRunsAgain)
{
    dialog.SetDlgItemText(IDC_DOMAIN_NAME, L"EXAMPLE");
    Advanced([](HWND chooser) {
        Highlight(chooser, IDC_AVAILABLE_LIST, L"OFFICE");
        ClickButton(chooser, IDC_ADD);
        Highlight(chooser, IDC_AVAILABLE_LIST, L"CITY");
        ClickButton(chooser, IDC_ADD);
        ClickButton(chooser, IDC_CHOOSER_OK);
    });
    EXPECT_EQ(list.GetColumnHeaders(), (Names{L"NAME", L"FIRST NAME", L"INITIAL", L"LAST NAME", L"DISPLAY NAME",
                                              L"DESCRIPTION", L"CITY", L"OFFICE"}));
    EXPECT_EQ(list.GetColumnWidth(6), AtScreenDpi(90));
    EXPECT_EQ(list.GetColumnWidth(7), AtScreenDpi(90));
    ASSERT_EQ(list.GetItemCount(), 1);
    EXPECT_EQ(list.GetItemText(0, 6), L"Springfield");
    EXPECT_EQ(list.GetItemText(0, 7), L"HQ");
    EXPECT_TRUE(::IsWindowEnabled(dialog.m_hWnd)) << "the main dialog is usable again";
}

TEST_F(AdvancedTest, OkListsInDirectoryOrderWithoutArrow)
{
    directory.AddTextRow({{L"cn", L"aaron"}});
    dialog.SetDlgItemText(IDC_DOMAIN_NAME, L"EXAMPLE");
    ClickButton(dialog.m_hWnd, IDC_GENERATE);
    ClickHeader(0);
    ASSERT_EQ(list.GetItemText(0, 0), L"aaron");
    Advanced([](HWND chooser) { ClickButton(chooser, IDC_CHOOSER_OK); });
    EXPECT_EQ(list.GetItemText(0, 0), L"alice");
    EXPECT_EQ(Arrows()[0], 0);
}

std::vector<HWND>* g_activations = nullptr;

LRESULT CALLBACK RecordActivation(int code, WPARAM wp, LPARAM lp)
{
    if (code == HCBT_ACTIVATE && g_activations)
        g_activations->push_back(reinterpret_cast<HWND>(wp));
    return ::CallNextHookEx(nullptr, code, wp, lp);
}

TEST_F(AdvancedTest, ClosingTheChooserActivatesOnlyTheMainWindowAndFocusReturnsToAdvanced)
{
    // Another window the system could hand the activation to, as it might to another program.
    HWND other = ::CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_CAPTION, 600, 400, 200, 100, nullptr,
                                   nullptr, nullptr, nullptr);
    ::ShowWindow(other, SW_SHOWNOACTIVATE);
    for (int closeWith : {IDC_CHOOSER_OK, IDC_CHOOSER_CANCEL}) {
        ::SetActiveWindow(dialog.m_hWnd);
        FocusControl(dialog.m_hWnd, IDC_ADVANCED);
        std::vector<HWND> activations;
        HHOOK hook = nullptr;
        Advanced([&](HWND chooser) {
            g_activations = &activations;
            hook = ::SetWindowsHookExW(WH_CBT, RecordActivation, nullptr, ::GetCurrentThreadId());
            ClickButton(chooser, closeWith);
        });
        ::UnhookWindowsHookEx(hook);
        g_activations = nullptr;
        ASSERT_NE(hook, nullptr);
        EXPECT_EQ(activations, std::vector<HWND>{dialog.m_hWnd}) << "closing with " << closeWith;
        EXPECT_EQ(::GetFocus(), dialog.GetDlgItem(IDC_ADVANCED)) << "closing with " << closeWith;
    }
    ::DestroyWindow(other);
}

TEST_F(AdvancedTest, CancelChangesNothingAndRunsNoQuery)
{
    list.InsertItem(0, L"earlier row");
    const Names before = dialog.selectedNames;
    Advanced([](HWND chooser) {
        ClickButton(chooser, IDC_REMOVE_ALL);
        ClickButton(chooser, IDC_CHOOSER_CANCEL);
    });
    EXPECT_EQ(dialog.selectedNames, before);
    EXPECT_EQ(dialog.availableNames.size(), 11u);
    EXPECT_EQ(list.GetColumnCount(), 6);
    EXPECT_EQ(list.GetItemCount(), 1);
    EXPECT_TRUE(boxes.boxes().empty());
    EXPECT_TRUE(api.opens.empty());
}

TEST_F(AdvancedTest, OkWithAnEmptyDomainRebuildsThenAsksForCredentials)
{
    list.InsertItem(0, L"earlier row");
    Advanced([](HWND chooser) {
        Highlight(chooser, IDC_SELECTED_LIST, L"NAME");
        ClickButton(chooser, IDC_REMOVE);
        ClickButton(chooser, IDC_CHOOSER_OK);
    });
    EXPECT_EQ(list.GetColumnHeaders(),
              (Names{L"FIRST NAME", L"INITIAL", L"LAST NAME", L"DISPLAY NAME", L"DESCRIPTION"}));
    EXPECT_EQ(list.GetItemCount(), 0);
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].text, L"Enter all credentials.");
}

TEST_F(AdvancedTest, ReopeningShowsTheDivisionLastConfirmed)
{
    Advanced([](HWND chooser) {
        ClickButton(chooser, IDC_ADD_ALL);
        ClickButton(chooser, IDC_CHOOSER_OK);
    });
    EXPECT_EQ(list.GetColumnCount(), 17);
    int availableAtOpen = -1;
    Advanced([&](HWND chooser) {
        availableAtOpen = static_cast<int>(::SendDlgItemMessageW(chooser, IDC_AVAILABLE_LIST, LB_GETCOUNT, 0, 0));
        ClickButton(chooser, IDC_CHOOSER_CANCEL);
    });
    EXPECT_EQ(availableAtOpen, 0);
}

} // namespace
