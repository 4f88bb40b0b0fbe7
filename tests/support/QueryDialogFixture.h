// A real dialog on the main template, created modeless, with fake directory calls and a message
// box recorder: the surroundings of every query test.
#pragma once

#include "framework/Dialog.h"
#include "framework/ListCtrl.h"
#include "framework/WinApp.h"
#include "resources/resource.h"
#include "support/FakeDirectoryApi.h"
#include "support/FakeDirectorySearch.h"
#include "support/MessageBoxRecorder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

class QueryDialogFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Replaces the list's columns with these headers.
    void SetColumns(const std::vector<std::wstring>& headers);
    // Types into the dialog's fields.
    void Type(int id, const std::wstring& text) { dialog.SetDlgItemText(id, text); }
    std::wstring Cell(int row, int column) const { return list.GetItemText(row, column); }
    std::wstring Count() const { return dialog.GetDlgItemText(IDC_OBJECT_COUNT); }
    std::vector<std::wstring> RowTexts(int row) const;

    CWinApp app; // whose main window the dialog is
    CDialog dialog{IDD_QUORREX_DIALOG};
    CListCtrl list;
    FakeDirectoryApi api;
    FakeDirectorySearch directory;
    MessageBoxRecorder boxes;
};
