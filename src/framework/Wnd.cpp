// CWnd: window text, subclassing and reflection.
#include "framework/Wnd.h"

#include "framework/ExceptionGuard.h"

#include <commctrl.h>

namespace {
constexpr UINT_PTR kSubclassId = 0x51524558; // one subclass per window, ours
// The window property that leads from a subclassed window back to its object.
constexpr wchar_t kObjectProperty[] = L"Quorrex.CWnd";
} // namespace

CWnd::~CWnd()
{
    if (m_subclassed && m_hWnd) {
        ::RemoveWindowSubclass(m_hWnd, SubclassProc, kSubclassId);
        ::RemovePropW(m_hWnd, kObjectProperty);
    }
}

std::wstring CWnd::WindowText(HWND hwnd)
{
    if (!hwnd)
        return {};
    const int length = ::GetWindowTextLengthW(hwnd);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const int copied = ::GetWindowTextW(hwnd, text.data(), length + 1);
    text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
    return text;
}

bool CWnd::SubclassWindow(HWND hwnd)
{
    if (!hwnd || m_subclassed)
        return false;
    m_hWnd = hwnd;
    m_subclassed = ::SetWindowSubclass(hwnd, SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this)) != FALSE;
    if (m_subclassed)
        ::SetPropW(hwnd, kObjectProperty, this);
    return m_subclassed;
}

CWnd* CWnd::FromHandlePermanent(HWND hwnd)
{
    return hwnd ? static_cast<CWnd*>(::GetPropW(hwnd, kObjectProperty)) : nullptr;
}

bool CWnd::OnChildNotify(UINT, WPARAM, LPARAM, LRESULT*)
{
    return false;
}

LRESULT CWnd::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    return Default(msg, wp, lp);
}

LRESULT CWnd::Default(UINT msg, WPARAM wp, LPARAM lp)
{
    return ::DefSubclassProc(m_hWnd, msg, wp, lp);
}

LRESULT CALLBACK CWnd::SubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR data)
{
    auto* self = reinterpret_cast<CWnd*>(data);
    const LRESULT result = GuardedCall([&] { return self->WindowProc(msg, wp, lp); }, LRESULT{0});
    if (msg == WM_NCDESTROY) {
        ::RemoveWindowSubclass(hwnd, SubclassProc, kSubclassId);
        ::RemovePropW(hwnd, kObjectProperty);
        self->m_subclassed = false;
        self->m_hWnd = nullptr;
    }
    return result;
}
