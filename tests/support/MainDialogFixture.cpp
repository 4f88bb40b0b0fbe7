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

void MainDialogFixture::ClickHeader(int column)
{
    NMLISTVIEW click = {};
    click.hdr = {list.m_hWnd, IDC_RESULT_LIST, static_cast<UINT>(LVN_COLUMNCLICK)};
    click.iItem = -1;
    click.iSubItem = column;
    dialog.SendMessage(WM_NOTIFY, IDC_RESULT_LIST, reinterpret_cast<LPARAM>(&click));
}

std::vector<int> MainDialogFixture::Arrows() const
{
    std::vector<int> arrows;
    for (int c = 0; c < list.GetColumnCount(); ++c) {
        HDITEMW item = {};
        item.mask = HDI_FORMAT;
        Header_GetItem(list.GetHeaderCtrl(), c, &item);
        arrows.push_back(item.fmt & HDF_SORTUP ? 1 : (item.fmt & HDF_SORTDOWN ? -1 : 0));
    }
    return arrows;
}
