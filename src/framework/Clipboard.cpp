// SetClipboardText: the clipboard opened with a deadline, the text handed over as CF_UNICODETEXT.
#include "framework/Clipboard.h"

#include "framework/BusyInput.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr ULONGLONG kOpenDeadline = 500; // milliseconds
constexpr DWORD kRetryInterval = 10;     // milliseconds

ClipboardDataFunction g_setClipboardData = ::SetClipboardData;

// Another program may hold the clipboard open for a moment: try again until the deadline. The
// holder may be waiting for an answer from this window (a clipboard viewer asks its owner), so
// sent messages are answered meanwhile; posted ones and input wait in the queue, and the window
// refuses commands until the wait is over.
bool OpenClipboardSoon(HWND owner)
{
    if (::OpenClipboard(owner))
        return true;
    const BusyWindowMark busy(owner);
    const ULONGLONG deadline = ::GetTickCount64() + kOpenDeadline;
    while (!::OpenClipboard(owner)) {
        const ULONGLONG now = ::GetTickCount64();
        if (now >= deadline)
            return false;
        const DWORD wait = static_cast<DWORD>(std::min<ULONGLONG>(kRetryInterval, deadline - now));
        ::MsgWaitForMultipleObjectsEx(0, nullptr, wait, QS_SENDMESSAGE, 0);
        MSG msg;
        ::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
    return true;
}

} // namespace

bool SetClipboardText(HWND owner, std::wstring_view text)
{
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!memory)
        return false;
    if (void* data = ::GlobalLock(memory)) {
        std::memcpy(data, text.data(), text.size() * sizeof(wchar_t));
        static_cast<wchar_t*>(data)[text.size()] = L'\0';
        ::GlobalUnlock(memory);
    } else {
        ::GlobalFree(memory);
        return false;
    }
    if (!OpenClipboardSoon(owner)) {
        ::GlobalFree(memory);
        return false;
    }
    ::EmptyClipboard();
    // Once the clipboard takes the memory it is the clipboard's; until then it is ours to free.
    const bool handedOver = g_setClipboardData(CF_UNICODETEXT, memory) != nullptr;
    ::CloseClipboard();
    if (!handedOver)
        ::GlobalFree(memory);
    return handedOver;
}

ClipboardDataFunction SetClipboardDataFunction(ClipboardDataFunction function)
{
    ClipboardDataFunction previous = g_setClipboardData;
    g_setClipboardData = function ? function : ::SetClipboardData;
    return previous;
}
