// CQuorrexDlg: construction and the command map.
#include "app/QuorrexDlg.h"

#include "query/QueryRun.h"
#include "resources/resource.h"

CQuorrexDlg::CQuorrexDlg() : CDialog(IDD_QUORREX_DIALOG) {}

void CQuorrexDlg::OnGenerate()
{
    RunQuery(*this);
}

bool CQuorrexDlg::OnCommand(int id, int code, HWND control)
{
    switch (id) {
    case IDC_GENERATE:
        OnGenerate();
        return true;
    case IDC_CLOSE:
        OnOK();
        return true;
    default:
        return CDialog::OnCommand(id, code, control);
    }
}
