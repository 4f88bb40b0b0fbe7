// SetClipboardText: the clipboard opened with a deadline, the text handed over as CF_UNICODETEXT.
#include "framework/Clipboard.h"

#include <cstring>

namespace {

constexpr ULONGLONG kOpenDeadline = 500; // milliseconds

// Another program may hold the clipboard open for a moment: try again until the deadline.
bool OpenClipboardSoon(HWND owner)
{
    const ULONGLONG deadline = ::GetTickCount64() + kOpenDeadline;
    while (!::OpenClipboard(owner)) {
        if (::GetTickCount64() >= deadline)
            return false;
        ::Sleep(10);
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
    const bool handedOver = ::SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
    ::CloseClipboard();
    if (!handedOver)
        ::GlobalFree(memory);
    return handedOver;
}
