// MainDialogFixture: the dialog made, shown and bound to the scripted directory.
#include "support/MainDialogFixture.h"

#include "resources/resource.h"
#include "support/DialogDriver.h"

void MainDialogFixture::SetUp()
{
    ASSERT_TRUE(dialog.Create());
    app.m_pMainWnd = &dialog;
    ::ShowWindow(dialog.m_hWnd, SW_SHOW);
    list.m_hWnd = dialog.GetDlgItem(IDC_RESULT_LIST);
    api.openObject = &directory;
    PumpMessages();
}

void MainDialogFixture::TearDown()
{
    dialog.DestroyWindow();
}
