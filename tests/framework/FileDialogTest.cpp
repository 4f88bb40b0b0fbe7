// The save dialog's seam without the system's COMDLG32: a message that says so, and nothing saved.
#include "framework/FileDialog.h"

#include "framework/Dialog.h"
#include "framework/WinApp.h"
#include "resources/resource.h"
#include "support/MessageBoxRecorder.h"

#include <gtest/gtest.h>

namespace {

TEST(FileDialogTest, WithoutTheSystemsDialogDllItSaysSoAndAcceptsNoName)
{
    // The box is owned by the main window, as the export's would be.
    CWinApp app;
    CDialog main{IDD_QUORREX_DIALOG};
    ASSERT_TRUE(main.Create());
    app.m_pMainWnd = &main;
    struct Case {
        const char* what;
        HMODULE module;
    };
    const Case cases[] = {
        {"no COMDLG32", nullptr},
        {"a COMDLG32 without the save dialog", ::GetModuleHandleW(L"kernel32.dll")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        MessageBoxRecorder boxes;
        const SaveFileDialogFunction previous = SetSaveFileDialogFunction(SaveFileDialogFrom(c.module));
        wchar_t file[MAX_PATH] = L"untouched";
        OPENFILENAMEW dialog = {};
        dialog.lStructSize = sizeof dialog;
        dialog.lpstrFile = file;
        dialog.nMaxFile = MAX_PATH;
        EXPECT_FALSE(ShowSaveFileDialog(dialog));
        SetSaveFileDialogFunction(previous);
        EXPECT_STREQ(file, L"untouched");
        ASSERT_EQ(boxes.boxes().size(), 1u);
        EXPECT_EQ(boxes.boxes()[0].text,
                  L"The save dialog cannot be shown: COMDLG32.DLL could not be loaded from the Windows system folder.");
        EXPECT_EQ(boxes.boxes()[0].type, static_cast<UINT>(MB_ICONERROR));
    }
    main.DestroyWindow();
}

} // namespace
