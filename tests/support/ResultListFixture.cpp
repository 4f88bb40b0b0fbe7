// ResultListFixture: the menu and save dialog answers, keys with Ctrl held, the clipboard's text.
#include "support/ResultListFixture.h"

#include "framework/FileDialog.h"
#include "framework/PopupMenu.h"
#include "resources/resource.h"
#include "support/DialogDriver.h"

#include <cstring>

MenuAnswer* MenuAnswer::current = nullptr;

UINT MenuAnswer::Choose(HMENU menu, HWND, POINT at)
{
    MenuAnswer& self = *current;
    ++self.shown;
    self.at = at;
    self.items.clear();
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
        wchar_t text[64] = {};
        ::GetMenuStringW(menu, static_cast<UINT>(i), text, 64, MF_BYPOSITION);
        if (text[0])
            self.items.emplace_back(text);
    }
    self.copyEnabled = !(::GetMenuState(menu, IDM_COPY_ROWS, MF_BYCOMMAND) & MF_GRAYED);
    return self.choice;
}

BOOL WINAPI SaveAnswer::Answer(OPENFILENAMEW* dialog)
{
    ++dialogs;
    if (savePath.empty())
        return FALSE;
    wcsncpy_s(dialog->lpstrFile, dialog->nMaxFile, savePath.c_str(), _TRUNCATE);
    return TRUE;
}

void ResultListFixture::SetUp()
{
    MainDialogFixture::SetUp();
    MenuAnswer::current = &menu;
    SetPopupMenuFunction(MenuAnswer::Choose);
    SetSaveFileDialogFunction(SaveAnswer::Answer);
    SaveAnswer::dialogs = 0;
    SaveAnswer::savePath.clear();
}

void ResultListFixture::TearDown()
{
    SetPopupMenuFunction(nullptr);
    SetSaveFileDialogFunction(nullptr);
    MainDialogFixture::TearDown();
}

void ResultListFixture::Generate(const std::vector<std::optional<std::wstring>>& names)
{
    directory.rows.clear();
    for (size_t r = 0; r < names.size(); ++r) {
        std::vector<std::pair<std::wstring, std::wstring>> cells;
        if (names[r])
            cells.emplace_back(L"cn", *names[r]);
        cells.emplace_back(L"description", L"r" + std::to_wstring(r + 1));
        directory.AddTextRow(cells);
    }
    dialog.SetDlgItemText(IDC_DOMAIN_NAME, L"EXAMPLE");
    ClickButton(dialog.m_hWnd, IDC_GENERATE);
}

Texts ResultListFixture::Column(int column) const
{
    Texts texts;
    for (int r = 0; r < list.GetItemCount(); ++r)
        texts.push_back(list.GetItemText(r, column));
    return texts;
}

bool ResultListFixture::IdleUntilSortsPrepared()
{
    return PumpMessagesUntil([&] { return dialog.ResultListReadyToSort(); }, 10000);
}

void ResultListFixture::PressWithControl(WPARAM key, bool alt, bool shift, bool repeat)
{
    BYTE keys[256] = {};
    ::GetKeyboardState(keys);
    BYTE before[256];
    std::memcpy(before, keys, sizeof keys);
    keys[VK_CONTROL] = 0x80;
    keys[VK_MENU] = alt ? 0x80 : 0;
    keys[VK_SHIFT] = shift ? 0x80 : 0;
    ::SetKeyboardState(keys);
    if (repeat) {
        MSG msg = {::GetFocus(), WM_KEYDOWN, key, 1 | (LPARAM{1} << 30), 0, {}};
        if (!dialog.PreTranslateMessage(&msg) && !::IsDialogMessageW(dialog.m_hWnd, &msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    } else {
        PressKey(dialog, key);
    }
    ::SetKeyboardState(before);
}

void ResultListFixture::Show(const Texts& headers, const std::vector<Texts>& rows)
{
    while (list.GetColumnCount() > 0)
        list.DeleteColumn(0);
    for (size_t c = 0; c < headers.size(); ++c)
        list.InsertColumn(static_cast<int>(c), headers[c], 80);
    list.DeleteAllItems();
    for (size_t r = 0; r < rows.size(); ++r) {
        list.InsertItem(static_cast<int>(r), rows[r][0].c_str());
        for (size_t c = 1; c < rows[r].size(); ++c)
            list.SetItemText(static_cast<int>(r), static_cast<int>(c), rows[r][c].c_str());
    }
}

void ResultListFixture::Select(std::initializer_list<int> rows)
{
    for (int row : rows)
        ListView_SetItemState(list.m_hWnd, row, LVIS_SELECTED, LVIS_SELECTED);
}

void ResultListFixture::PutOnClipboard(const std::wstring& text)
{
    if (!::OpenClipboard(nullptr))
        return;
    ::EmptyClipboard();
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    std::memcpy(::GlobalLock(memory), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    ::GlobalUnlock(memory);
    ::SetClipboardData(CF_UNICODETEXT, memory);
    ::CloseClipboard();
}

std::wstring ResultListFixture::ClipboardText()
{
    std::wstring text;
    if (!::OpenClipboard(nullptr))
        return L"<clipboard busy>";
    if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
        text = static_cast<const wchar_t*>(::GlobalLock(data));
        ::GlobalUnlock(data);
    }
    ::CloseClipboard();
    return text;
}
