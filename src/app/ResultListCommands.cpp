// CQuorrexDlg's commands on the result list: the shortcut menu, copy, select all, and the keys
// that reach them (Ctrl+S for the CSV export and Ctrl+Shift+S for the UTF-8 one from anywhere in
// the window).
#include "app/QuorrexDlg.h"

#include "framework/Clipboard.h"
#include "framework/KeyFilter.h"
#include "framework/MessageBox.h"
#include "resources/resource.h"
#include "resultlist/ListCopy.h"
#include "resultlist/ListMenu.h"

namespace {

// Ctrl alone: AltGr arrives as Ctrl+Alt, and AltGr+S or AltGr+C types a letter on many keyboards.
bool ControlKeyDown()
{
    return (::GetKeyState(VK_CONTROL) & 0x8000) != 0 && (::GetKeyState(VK_MENU) & 0x8000) == 0;
}

bool ShiftKeyDown()
{
    return (::GetKeyState(VK_SHIFT) & 0x8000) != 0;
}

// The menu key and Shift+F10. Both halves of each are used up, so that the menu opens once and the
// window's own menu does not open after it; the menu opens as the system's would, on the release
// of the menu key and on the press of Shift+F10.
enum class MenuKey { None, Opens, UsedUp };

MenuKey MenuKeyOf(const MSG& msg)
{
    const bool down = msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN;
    const bool up = msg.message == WM_KEYUP || msg.message == WM_SYSKEYUP;
    if (!down && !up)
        return MenuKey::None;
    if (msg.wParam == VK_APPS)
        return up ? MenuKey::Opens : MenuKey::UsedUp;
    if (msg.wParam == VK_F10 && ShiftKeyDown())
        return down && !IsKeyRepeat(msg) ? MenuKey::Opens : MenuKey::UsedUp;
    return MenuKey::None;
}

} // namespace

void CQuorrexDlg::OnCopyRows()
{
    const std::wstring text = SelectedRowsText(m_resultList);
    if (text.empty())
        return; // nothing selected: the clipboard keeps what it holds
    if (!SetClipboardText(m_hWnd, text))
        AppMessageBox(L"The rows could not be copied to the clipboard.", MB_ICONEXCLAMATION);
}

void CQuorrexDlg::OnSelectAllRows()
{
    SelectAllRows(m_resultList);
}

bool CQuorrexDlg::OnContextMenu(HWND window, LPARAM point)
{
    if (window != m_resultList.m_hWnd)
        return false;
    if (const UINT command = ChooseFromListMenu(m_resultList, m_hWnd, ListMenuPoint(m_resultList, point)))
        SendMessage(WM_COMMAND, MAKEWPARAM(command, 0), 0);
    return true;
}

bool CQuorrexDlg::TranslateCommandKey(const MSG& msg)
{
    const bool inList = msg.hwnd == m_resultList.m_hWnd;
    if (const MenuKey key = inList ? MenuKeyOf(msg) : MenuKey::None; key != MenuKey::None) {
        if (key == MenuKey::Opens)
            SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(m_resultList.m_hWnd), -1);
        return true;
    }
    if (msg.message != WM_KEYDOWN || !ControlKeyDown())
        return false;
    void (CQuorrexDlg::*command)() = nullptr;
    if (msg.wParam == 'S' && (msg.hwnd == m_hWnd || ::IsChild(m_hWnd, msg.hwnd)))
        command = ShiftKeyDown() ? &CQuorrexDlg::OnGenerateCsvUtf8 : &CQuorrexDlg::OnGenerateCsv;
    else if (inList && msg.wParam == 'C')
        command = &CQuorrexDlg::OnCopyRows;
    else if (inList && msg.wParam == 'A')
        command = &CQuorrexDlg::OnSelectAllRows;
    if (!command)
        return false;
    // A held key runs its command once; its repeats are used up, not passed to the control.
    if (!IsKeyRepeat(msg))
        (this->*command)();
    return true;
}
