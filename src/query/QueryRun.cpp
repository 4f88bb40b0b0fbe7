// RunQuery: reset, check the domain name, bind, read the columns, search, release.
#include "query/QueryRun.h"

#include "framework/BusyInput.h"
#include "framework/ComPtr.h"
#include "framework/ListCtrl.h"
#include "framework/MessageBox.h"
#include "query/DirectorySearch.h"
#include "query/DomainBinding.h"
#include "resources/resource.h"

void RunQuery(CWnd& dialog)
{
    const std::wstring domain = dialog.GetDlgItemText(IDC_DOMAIN_NAME);
    CListCtrl(dialog.GetDlgItem(IDC_RESULT_LIST)).DeleteAllItems();
    dialog.SetDlgItemText(IDC_OBJECT_COUNT, L"0");
    if (domain.empty()) {
        AppMessageBox(L"Enter all credentials.", MB_ICONINFORMATION);
        return;
    }

    // From the lookup to the last row the thread is busy: what is given meanwhile is discarded,
    // before the box of a failed bind as after the search.
    BusyInput input(dialog.m_hWnd);
    const ComPtr<IDirectorySearch> search = BindToDomain(dialog, input);
    if (!search)
        return;
    std::vector<std::wstring> attributes;
    ReadColumnHeaders(attributes, dialog);
    SearchDirectory(dialog, search.Get(), attributes, input);
}
