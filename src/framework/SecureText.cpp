// SecureText: reads the text straight into its own buffer, so no other copy is made.
#include "framework/SecureText.h"

SecureText::SecureText(HWND window)
{
    const int length = window ? ::GetWindowTextLengthW(window) : 0;
    m_buffer.assign(static_cast<size_t>(length) + 1, L'\0');
    if (length > 0)
        ::GetWindowTextW(window, m_buffer.data(), length + 1);
}

void SecureText::Wipe()
{
    if (!m_buffer.empty())
        ::SecureZeroMemory(m_buffer.data(), m_buffer.size() * sizeof(wchar_t));
}
