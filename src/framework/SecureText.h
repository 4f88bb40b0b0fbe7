// SecureText: a window's text in a buffer that is wiped when no longer needed (for passwords).
#pragma once

#include <windows.h>

#include <vector>

class SecureText {
public:
    explicit SecureText(HWND window);
    ~SecureText() { Wipe(); }
    SecureText(const SecureText&) = delete;
    SecureText& operator=(const SecureText&) = delete;

    const wchar_t* c_str() const { return m_buffer.data(); }
    bool empty() const { return m_buffer.empty() || m_buffer[0] == L'\0'; }
    // Overwrites every character with zero; the text reads empty afterwards.
    void Wipe();

private:
    std::vector<wchar_t> m_buffer;
};
