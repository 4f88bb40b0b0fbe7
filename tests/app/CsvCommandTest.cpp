// "G e n e r a t e  CSV": the save dialog it asks, the names it accepts, and a click through the
// real dialog to the file.
#include "app/QuorrexDlg.h"

#include "framework/FileDialog.h"
#include "resources/resource.h"
#include "support/DialogDriver.h"
#include "support/MainDialogFixture.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

// Answers the save dialog with a chosen name, or cancels it, and keeps what it was asked.
struct SaveDialogAnswer {
    std::optional<std::wstring> name; // nullopt: the user cancels
    int shown = 0;
    OPENFILENAMEW asked = {};
    std::wstring filter;
    std::wstring initialName;

    static SaveDialogAnswer* current;
    static BOOL WINAPI Answer(OPENFILENAMEW* dialog)
    {
        SaveDialogAnswer& self = *current;
        ++self.shown;
        self.asked = *dialog;
        self.initialName = dialog->lpstrFile;
        // The filter is a list of strings ended by an empty one.
        for (const wchar_t* part = dialog->lpstrFilter; part && *part; part += std::wcslen(part) + 1)
            self.filter += std::wstring(part) + L"|";
        if (!self.name)
            return FALSE;
        wcsncpy_s(dialog->lpstrFile, dialog->nMaxFile, self.name->c_str(), _TRUNCATE);
        return TRUE;
    }
};
SaveDialogAnswer* SaveDialogAnswer::current = nullptr;

class CsvCommandTest : public MainDialogFixture {
protected:
    void SetUp() override
    {
        MainDialogFixture::SetUp();
        list.InsertItem(0, L"jsmith");
        list.SetItemText(0, 5, L"Sales team");
    }
    void TearDown() override
    {
        SetSaveFileDialogFunction(nullptr);
        MainDialogFixture::TearDown();
    }
    // Clicks the link through the dialog's command, with the save dialog answered by answer.
    void ClickLink(SaveDialogAnswer& answer)
    {
        SaveDialogAnswer::current = &answer;
        SetSaveFileDialogFunction(SaveDialogAnswer::Answer);
        HWND link = dialog.GetDlgItem(IDC_GENERATE_CSV);
        dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_GENERATE_CSV, STN_CLICKED), reinterpret_cast<LPARAM>(link));
    }

    TempFolder folder;
};

TEST_F(CsvCommandTest, AsksWithTheSaveDialogOfTheProgram)
{
    SaveDialogAnswer answer; // cancelled
    ClickLink(answer);
    ASSERT_EQ(answer.shown, 1);
    EXPECT_EQ(answer.asked.hwndOwner, dialog.m_hWnd);
    EXPECT_EQ(std::wstring(answer.asked.lpstrTitle), L"Save as");
    EXPECT_EQ(std::wstring(answer.asked.lpstrDefExt), L"csv");
    EXPECT_EQ(answer.filter, L"csv Files (*.csv)|*.csv|");
    EXPECT_EQ(answer.asked.Flags, 0x00A00802u);
    EXPECT_EQ(answer.initialName, L"");
    EXPECT_TRUE(boxes.boxes().empty());
}

TEST_F(CsvCommandTest, OnlyANameWithTheExtensionCsvIsExported)
{
    struct Case {
        std::optional<std::wstring> answer;
        const wchar_t* file; // what must exist afterwards, if anything
    };
    const Case cases[] = {
        {std::nullopt, nullptr},            // cancelled
        {folder.Path(L"upper.CSV"), nullptr}, // capitals
        {folder.Path(L"notes.txt"), nullptr},
        {folder.Path(L"no-extension"), nullptr},
        {folder.Path(L"dotted.name.csv"), L"dotted.name.csv"},
    };
    for (const Case& c : cases) {
        SaveDialogAnswer answer;
        answer.name = c.answer;
        ClickLink(answer);
        if (c.file) {
            EXPECT_EQ(ReadFileBytes(folder.Path(c.file)).substr(0, 20), "SOFTWARE    :Varnok\r");
        }
    }
    for (const wchar_t* name : {L"upper.CSV", L"upper.CSV.csv", L"notes.txt", L"notes.txt.csv", L"no-extension",
                                L"no-extension.csv"})
        EXPECT_FALSE(FileExists(folder.Path(name))) << testing::PrintToString(std::wstring(name));
    EXPECT_TRUE(boxes.boxes().empty());
}

// The file name field of the system's save dialog: the combo box of newer dialogs, else the edit.
HWND FileNameField(HWND saveDialog)
{
    if (HWND combo = ::GetDlgItem(saveDialog, 0x47C))
        return combo;
    return ::GetDlgItem(saveDialog, 0x480);
}

// The system's save dialog, watched: how often it ran and how it ended.
struct WatchedSaveDialog {
    static inline int runs = 0;
    static inline BOOL result = FALSE;
    static inline DWORD error = 0;
    static BOOL WINAPI Run(OPENFILENAMEW* dialog)
    {
        ++runs;
        result = ::GetSaveFileNameW(dialog);
        error = ::CommDlgExtendedError();
        return result;
    }
};

LRESULT CALLBACK CountButtonDowns(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR data)
{
    if (msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK)
        ++*reinterpret_cast<int*>(data);
    return ::DefSubclassProc(hwnd, msg, wp, lp);
}

TEST_F(CsvCommandTest, AMouseClickOnTheLinkSavesTheListThroughTheRealSaveDialog)
{
    SetSaveFileDialogFunction(WatchedSaveDialog::Run);
    int buttonDowns = 0;
    ::SetWindowSubclass(dialog.GetDlgItem(IDC_GENERATE_CSV), CountButtonDowns, 7, reinterpret_cast<DWORD_PTR>(&buttonDowns));
    const std::wstring path = folder.Path(L"clicked");
    bool answered = false;
    WhenModalOpens(L"Save as", [&](HWND saveDialog) {
        HWND field = FileNameField(saveDialog);
        ASSERT_NE(field, nullptr);
        ::SetWindowTextW(field, path.c_str());
        ::SendMessageW(saveDialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(saveDialog, IDOK)));
        answered = true;
    });
    // The pointer moves onto the link and clicks, all as one stream of input. Under a loaded X server
    // a click now and then never reaches the link; only then is it sent again (a click that
    // reached the link and opened nothing fails).
    RECT link;
    ::GetWindowRect(dialog.GetDlgItem(IDC_GENERATE_CSV), &link);
    const POINT at = {(link.left + link.right) / 2, (link.top + link.bottom) / 2};
    ASSERT_EQ(::WindowFromPoint(at), dialog.GetDlgItem(IDC_GENERATE_CSV));
    const auto waitFor = [&](auto done, ULONGLONG milliseconds) {
        const ULONGLONG deadline = ::GetTickCount64() + milliseconds;
        while (!done() && ::GetTickCount64() < deadline) {
            PumpMessages();
            ::Sleep(10);
        }
    };
    int clicks = 0;
    do {
        ++clicks;
        ASSERT_TRUE(SendMouseClick(at, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP));
        waitFor([&] { return buttonDowns > 0; }, 3000);
    } while (buttonDowns == 0 && clicks < 3);
    waitFor([&] { return answered && FileExists(path + L".csv"); }, 30000);
    POINT cursor = {};
    ::GetCursorPos(&cursor);
    ASSERT_TRUE(answered) << "no save dialog came up; the pointer is at " << cursor.x << "," << cursor.y
                          << ", the link's centre at " << at.x << "," << at.y << "; clicks sent " << clicks
                          << ", button downs on the link " << buttonDowns << ", save dialog runs " << WatchedSaveDialog::runs << " ending "
                          << WatchedSaveDialog::result << " error " << WatchedSaveDialog::error;
    const std::string bytes = ReadFileBytes(path + L".csv"); // the dialog added the default extension
    const size_t headerLine = bytes.find("NAME,FIRST NAME,INITIAL,LAST NAME,DISPLAY NAME,DESCRIPTION\r\n");
    ASSERT_NE(headerLine, std::string::npos) << bytes;
    EXPECT_EQ(bytes.substr(headerLine + 60), "jsmith,,,,,Sales team\r\n");
    const std::string block = "SOFTWARE    :Varnok\r\nCreation Date\\Time   :";
    EXPECT_EQ(bytes.substr(0, block.size()), block);
    EXPECT_EQ(headerLine, block.size() + 21) << "a creation time like 07/03/2011 09:05:03 and CR LF";
    EXPECT_TRUE(boxes.boxes().empty());
}

} // namespace
