// CDialog: creation, the modal loop and the default message handling.
#include "framework/Dialog.h"

CDialog::~CDialog()
{
    DestroyWindow();
}

bool CDialog::Create(HWND parent)
{
    if (parent)
        m_parent = parent;
    m_ended = false;
    m_result = -1;
    HWND hwnd = ::CreateDialogParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(m_templateId), m_parent,
                                     DialogProc, reinterpret_cast<LPARAM>(this));
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
    if (ownerWasEnabled)
        ::EnableWindow(owner, FALSE);
    ::ShowWindow(m_hWnd, SW_SHOW);

    MSG msg;
    while (!m_ended) {
        const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0)
                ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (PreTranslateMessage(&msg) || ::IsDialogMessageW(m_hWnd, &msg))
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }

    if (ownerWasEnabled) {
        ::EnableWindow(owner, TRUE);
        ::SetActiveWindow(owner);
    }
    DestroyWindow();
    return m_result;
}

void CDialog::EndDialog(INT_PTR result)
{
    m_result = result;
    m_ended = true;
    if (m_hWnd)
        ::ShowWindow(m_hWnd, SW_HIDE);
}

BOOL CDialog::PreTranslateMessage(MSG*)
{
    return FALSE;
}

BOOL CDialog::OnInitDialog()
{
    DoDataExchange();
    return TRUE;
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

INT_PTR CDialog::HandleMessage(UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_INITDIALOG:
        return OnInitDialog();
    case WM_COMMAND:
        return OnCommand(LOWORD(wp), HIWORD(wp), reinterpret_cast<HWND>(lp)) ? TRUE : FALSE;
    default:
        return FALSE;
    }
}

INT_PTR CDialog::SetMessageResult(LRESULT result) const
{
    ::SetWindowLongPtrW(m_hWnd, DWLP_MSGRESULT, result);
    return TRUE;
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
    return self ? self->HandleMessage(msg, wp, lp) : FALSE;
}
