// The program's main dialog, shown, with fake directory calls, a scripted directory and a message
// box recorder: the surroundings of the tests of its commands.
#pragma once

#include "app/QuorrexDlg.h"
#include "framework/ListCtrl.h"
#include "framework/WinApp.h"
#include "support/FakeDirectoryApi.h"
#include "support/FakeDirectorySearch.h"
#include "support/MessageBoxRecorder.h"

#include <gtest/gtest.h>

#include <vector>

class MainDialogFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A click on a header of the result list, as the list tells its dialog.
    void ClickHeader(int column);
    // The sort arrow of each column: 1 up, -1 down, 0 none.
    std::vector<int> Arrows() const;

    FakeDirectoryApi api;
    FakeDirectorySearch directory;
    MessageBoxRecorder boxes;
    CWinApp app; // whose main window the dialog is
    CQuorrexDlg dialog;
    CListCtrl list;
};
