// Sort keys from the system's locale-aware keys, with digits as numbers by the system or by us.
#include "resultlist/SortKeys.h"

#include <windows.h>

#ifndef SORT_DIGITSASNUMBERS
#define SORT_DIGITSASNUMBERS 0x00000008
#endif

namespace {

constexpr DWORD kPeopleFlags = NORM_IGNORECASE;

// The system's key of text with these flags (without its closing zero); empty when it refuses them.
std::string SystemKey(std::wstring_view text, DWORD flags)
{
    const int textLength = static_cast<int>(text.size());
    // A sort key is bytes, handed back through the wide-text parameter. Most keys fit a few bytes a
    // character; only a longer one costs a second call to learn its size.
    auto mapInto = [&](std::string& key) {
        return ::LCMapStringEx(LOCALE_NAME_USER_DEFAULT, LCMAP_SORTKEY | flags, text.data(), textLength,
                               reinterpret_cast<LPWSTR>(key.data()), static_cast<int>(key.size()), nullptr,
                               nullptr, 0);
    };
    std::string key(text.size() * 4 + 16, '\0');
    int size = mapInto(key);
    if (size <= 0) {
        size = ::LCMapStringEx(LOCALE_NAME_USER_DEFAULT, LCMAP_SORTKEY | flags, text.data(), textLength, nullptr,
                               0, nullptr, nullptr, 0);
        if (size <= 0)
            return {};
        key.assign(static_cast<size_t>(size), '\0');
        size = mapInto(key);
        if (size <= 0)
            return {};
    }
    key.resize(static_cast<size_t>(size));
    while (!key.empty() && key.back() == '\0')
        key.pop_back();
    return key;
}

bool IsDigit(wchar_t c)
{
    return c >= L'0' && c <= L'9';
}

// The primary weights of a run of text: what a key holds before its first level separator.
std::string PrimaryWeights(std::wstring_view run)
{
    std::string key = SystemKey(run, kPeopleFlags);
    const size_t separator = key.find('\x01');
    if (separator != std::string::npos)
        key.erase(separator);
    return key;
}

// Digits weigh less than letters and more than punctuation, as in the system's keys (whose digits
// carry this script byte); then the number of significant digits, then the digits themselves.
std::string NumberWeights(std::wstring_view digits)
{
    constexpr char kDigitScript = 0x0C;
    size_t first = 0;
    while (first + 1 < digits.size() && digits[first] == L'0')
        ++first;
    const size_t significant = digits.size() - first;
    std::string weights = {kDigitScript, static_cast<char>((significant >> 8) & 0xFF), static_cast<char>(significant & 0xFF)};
    for (size_t i = first; i < digits.size(); ++i)
        weights.push_back(static_cast<char>(digits[i]));
    return weights;
}

// Our rule: the primary weights run by run, numbers by value, then a separator below every weight,
// then the system's whole key, which orders what is equal so far (accents, leading zeros).
std::string OwnRunsKey(std::wstring_view text)
{
    std::string key;
    size_t i = 0;
    while (i < text.size()) {
        const bool digits = IsDigit(text[i]);
        size_t end = i;
        while (end < text.size() && IsDigit(text[end]) == digits)
            ++end;
        key += digits ? NumberWeights(text.substr(i, end - i)) : PrimaryWeights(text.substr(i, end - i));
        i = end;
    }
    key.push_back('\x01');
    key += SystemKey(text, kPeopleFlags);
    return key;
}

} // namespace

DigitRule SystemDigitRule()
{
    static const DigitRule rule = [] {
        const std::string two = SystemKey(L"2", kPeopleFlags | SORT_DIGITSASNUMBERS);
        const std::string ten = SystemKey(L"10", kPeopleFlags | SORT_DIGITSASNUMBERS);
        return !two.empty() && !ten.empty() && two < ten ? DigitRule::Platform : DigitRule::OwnRuns;
    }();
    return rule;
}

std::string SortKey(std::wstring_view text, DigitRule rule)
{
    if (rule == DigitRule::Platform)
        return SystemKey(text, kPeopleFlags | SORT_DIGITSASNUMBERS);
    return OwnRunsKey(text);
}
