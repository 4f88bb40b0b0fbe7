// CDialog: creation, the modal loop, reflection and the default message handling.
#include "framework/Dialog.h"

#include "framework/BusyInput.h"
#include "framework/ExceptionGuard.h"

#include <algorithm>

namespace {

// The dialog being created on this thread, until its window procedure has bound it.
thread_local CDialog* t_creating = nullptr;

} // namespace

CDialog::~CDialog()
{
    DestroyWindow();
}

void CDialog::RegisterDialogClass()
{
    static const bool registered = [] {
        WNDCLASSEXW wc = {};
        wc.cbSize = sizeof wc;
        ::GetClassInfoExW(nullptr, MAKEINTRESOURCEW(0x8002), &wc); // the system dialog class
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = ClassWindowProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = kDialogClassName;
        wc.cbWndExtra = DLGWINDOWEXTRA;
        return ::RegisterClassExW(&wc) != 0;
    }();
    (void)registered;
}

bool CDialog::Create(HWND parent)
{
    RegisterDialogClass();
    if (parent)
        m_parent = parent;
    m_ended = false;
    m_result = -1;
    CDialog* outer = t_creating;
    t_creating = this;
    HWND hwnd = ::CreateDialogParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(m_templateId), m_parent,
                                     DialogProc, reinterpret_cast<LPARAM>(this));
    t_creating = outer;
    if (!hwnd)
        m_hWnd = nullptr;
    return hwnd != nullptr;
}

void CDialog::DestroyWindow()
{
    if (m_hWnd) {
        HWND hwnd = m_hWnd;
        ::SetWindowLongPtrW(hwnd, DWLP_USER, 0);
        m_hWnd = nullptr;
        ::DestroyWindow(hwnd);
    }
}

INT_PTR CDialog::DoModal()
{
    HWND owner = m_parent;
    const bool ownerWasEnabled = owner && ::IsWindowEnabled(owner);
    if (!Create())
        return -1;
    if (ownerWasEnabled) {
        ::EnableWindow(owner, FALSE);
        m_disabledOwner = owner;
    }
    ::ShowWindow(m_hWnd, SW_SHOW);

    MSG msg;
    while (!m_ended) {
        const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0)
                ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (GuardedCall([&] { return PreTranslateMessage(&msg); }, FALSE) || ::IsDialogMessageW(m_hWnd, &msg))
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }

    // Ended by something other than EndDialog (the loop broke off): the owner is still disabled.
    EnableOwner();
    DestroyWindow();
    return m_result;
}

void CDialog::EndDialog(INT_PTR result)
{
    m_result = result;
    m_ended = true;
    // The owner is enabled before the dialog is hidden, as the system's dialog manager does: a
    // hidden dialog over a disabled owner makes the system activate some other window, which may
    // belong to another program, and the owner would end up behind it.
    EnableOwner();
    if (m_hWnd)
        ::ShowWindow(m_hWnd, SW_HIDE);
}

void CDialog::EnableOwner()
{
    if (!m_disabledOwner)
        return;
    HWND owner = m_disabledOwner;
    m_disabledOwner = nullptr;
    ::EnableWindow(owner, TRUE);
    if (m_hWnd && ::GetActiveWindow() == m_hWnd)
        ::SetActiveWindow(owner);
}

BOOL CDialog::PreTranslateMessage(MSG* msg)
{
    // The modal loop asks only the dialog; a control that wants to see its messages first (a link
    // relaying the mouse to its tooltip) is reached from here.
    if (!msg->hwnd || !::IsChild(m_hWnd, msg->hwnd))
        return FALSE;
    for (HWND hwnd = msg->hwnd; hwnd && hwnd != m_hWnd; hwnd = ::GetParent(hwnd)) {
        CWnd* control = FromHandlePermanent(hwnd);
        if (control && control->PreTranslateMessage(msg))
            return TRUE;
    }
    return FALSE;
}

int CDialog::OnCreate(CREATESTRUCTW* create)
{
    return static_cast<int>(::DefDlgProcW(m_hWnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(create)));
}

BOOL CDialog::OnInitDialog()
{
    DoDataExchange();
    return TRUE;
}

void CDialog::DDX_Control(int id, CWnd& control)
{
    // A member still holding the control of an earlier opening of this dialog is bound again; one
    // already bound to this opening's control (a control the dialog made itself) is left alone.
    HWND hwnd = GetDlgItem(id);
    if (control.m_hWnd != hwnd)
        control.BindDlgItem(hwnd);
}

bool CDialog::OnCommand(int id, int, HWND)
{
    switch (id) {
    case IDOK:
        OnOK();
        return true;
    case IDCANCEL:
        OnCancel();
        return true;
    default:
        return false;
    }
}

bool CDialog::ReflectToChild(HWND child, UINT msg, WPARAM wp, LPARAM lp, INT_PTR* result)
{
    CWnd* object = FromHandlePermanent(child);
    LRESULT childResult = 0;
    if (!object || !object->OnChildNotify(msg, wp, lp, &childResult))
        return false;
    *result = childResult;
    return true;
}

INT_PTR CDialog::HandleMessage(UINT msg, WPARAM wp, LPARAM lp)
{
    INT_PTR reflected = 0;
    switch (msg) {
    case WM_INITDIALOG: {
        RECT before;
        ::GetWindowRect(m_hWnd, &before);
        const BOOL result = OnInitDialog();
        CenterIfUnplaced(before);
        return result;
    }
    case WM_COMMAND:
        if (lp && ReflectToChild(reinterpret_cast<HWND>(lp), msg, wp, lp, &reflected))
            return TRUE;
        return OnCommand(LOWORD(wp), HIWORD(wp), reinterpret_cast<HWND>(lp)) ? TRUE : FALSE;
    case WM_CTLCOLORSTATIC:
        // A dialog procedure returns the brush of a colour request itself.
        return ReflectToChild(reinterpret_cast<HWND>(lp), msg, wp, lp, &reflected) ? reflected : FALSE;
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
        return wp && ReflectToChild(item->hwndItem, msg, wp, lp, &reflected) ? TRUE : FALSE;
    }
    default:
        return FALSE;
    }
}

void CDialog::CenterIfUnplaced(const RECT& before)
{
    // A top-level dialog that neither its template nor OnInitDialog placed opens centred over its
    // owner (or the screen), not in the top-left corner.
    const LONG style = ::GetWindowLongW(m_hWnd, GWL_STYLE);
    if (style & (WS_CHILD | WS_VISIBLE | DS_ABSALIGN | DS_CENTER))
        return;
    RECT rect;
    ::GetWindowRect(m_hWnd, &rect);
    if (rect.left != before.left || rect.top != before.top)
        return;

    HMONITOR monitor = ::MonitorFromWindow(m_parent ? m_parent : m_hWnd, MONITOR_DEFAULTTONEAREST);
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    if (!::GetMonitorInfoW(monitor, &info))
        return;
    RECT area = info.rcWork;
    if (m_parent && ::IsWindowVisible(m_parent) && !::IsIconic(m_parent))
        ::GetWindowRect(m_parent, &area);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    int x = area.left + (area.right - area.left - width) / 2;
    int y = area.top + (area.bottom - area.top - height) / 2;
    // Stay on the screen.
    x = std::max<int>(info.rcWork.left, std::min<int>(x, info.rcWork.right - width));
    y = std::max<int>(info.rcWork.top, std::min<int>(y, info.rcWork.bottom - height));
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    CDialog* self;
    if (msg == WM_INITDIALOG) {
        self = reinterpret_cast<CDialog*>(lp);
        ::SetWindowLongPtrW(hwnd, DWLP_USER, lp);
        self->m_hWnd = hwnd;
    } else {
        self = reinterpret_cast<CDialog*>(::GetWindowLongPtrW(hwnd, DWLP_USER));
    }
    if (!self)
        return FALSE;
    // A window at work starts nothing else, also when another thread or program asks it to.
    if (IsRefusedWhileBusy(hwnd, msg, wp, lp))
        return TRUE;
    return GuardedCall([&] { return self->HandleMessage(msg, wp, lp); }, static_cast<INT_PTR>(FALSE));
}

LRESULT CALLBACK CDialog::ClassWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    // A window that fails its creation does not open (-1 from WM_CREATE).
    const LRESULT failed = msg == WM_CREATE ? -1 : 0;
    return GuardedCall([&] { return ClassMessage(hwnd, msg, wp, lp); }, failed);
}

LRESULT CDialog::ClassMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_NCCREATE:
        if (t_creating)
            t_creating->m_hWnd = hwnd;
        break;
    case WM_CREATE:
        if (t_creating && t_creating->m_hWnd == hwnd)
            return t_creating->OnCreate(reinterpret_cast<CREATESTRUCTW*>(lp));
        break;
    case WM_SETFONT:
        if (t_creating && t_creating->m_hWnd == hwnd) {
            const LRESULT result = ::DefDlgProcW(hwnd, msg, wp, lp);
            t_creating->OnSetFont(reinterpret_cast<HFONT>(wp));
            return result;
        }
        break;
    default:
        break;
    }
    return ::DefDlgProcW(hwnd, msg, wp, lp);
}
