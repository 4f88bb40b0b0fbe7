// SecureText reads a window's text and wipes it on request.
#include "framework/SecureText.h"

#include <gtest/gtest.h>

#include <cwchar>

namespace {

TEST(SecureText, ReadsTheWholeTextAndWipesEveryCharacter)
{
    HWND edit = ::CreateWindowW(L"EDIT", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(edit, nullptr);
    const std::wstring secret(300, L'p');
    ::SetWindowTextW(edit, secret.c_str());
    SecureText text(edit);
    ::DestroyWindow(edit);

    EXPECT_EQ(std::wstring(text.c_str()), secret);
    EXPECT_FALSE(text.empty());
    const wchar_t* buffer = text.c_str();
    text.Wipe();
    EXPECT_TRUE(text.empty());
    for (size_t i = 0; i <= secret.size(); ++i)
        ASSERT_EQ(buffer[i], L'\0') << "character " << i << " survived the wipe";
}

TEST(SecureText, NoWindowReadsEmpty)
{
    SecureText text(nullptr);
    EXPECT_TRUE(text.empty());
    EXPECT_STREQ(text.c_str(), L"");
}

} // namespace
