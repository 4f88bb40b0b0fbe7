// CQuorrexDlg: the main query dialog.
#pragma once

#include "framework/Dialog.h"

#include <string>
#include <vector>

class CQuorrexDlg : public CDialog {
public:
    CQuorrexDlg();

    void OnGenerate();

    std::vector<std::wstring> availableNames;
    std::vector<std::wstring> selectedNames;

protected:
    bool OnCommand(int id, int code, HWND control) override;
};
