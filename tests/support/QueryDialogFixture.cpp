// QueryDialogFixture: dialog creation and list helpers.
#include "support/QueryDialogFixture.h"

void QueryDialogFixture::SetUp()
{
    ASSERT_TRUE(dialog.Create());
    app.m_pMainWnd = &dialog;
    list.m_hWnd = dialog.GetDlgItem(IDC_RESULT_LIST);
    ASSERT_NE(list.m_hWnd, nullptr);
    api.openObject = &directory;
}

void QueryDialogFixture::TearDown()
{
    dialog.DestroyWindow();
}

void QueryDialogFixture::SetColumns(const std::vector<std::wstring>& headers)
{
    while (list.GetColumnCount() > 0)
        list.DeleteColumn(0);
    for (size_t i = 0; i < headers.size(); ++i)
        list.InsertColumn(static_cast<int>(i), headers[i], 80);
}

std::vector<std::wstring> QueryDialogFixture::RowTexts(int row) const
{
    std::vector<std::wstring> texts;
    for (int c = 0; c < list.GetColumnCount(); ++c)
        texts.push_back(Cell(row, c));
    return texts;
}
