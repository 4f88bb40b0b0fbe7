// FormatCreationTime through the system's own time conversion, which knows the zone's rules for
// every date (the C runtime's would read a TZ variable in a format of its own).
#include "export/CreationTime.h"

#include <windows.h>

#include <cwchar>
#include <limits>

namespace {

constexpr std::int64_t kSecondsFrom1601To1970 = 11644473600LL;
constexpr std::int64_t kTicksPerSecond = 10000000LL;

} // namespace

std::wstring FormatCreationTime(std::int64_t time)
{
    constexpr std::int64_t kLargest = std::numeric_limits<std::int64_t>::max() / kTicksPerSecond - kSecondsFrom1601To1970;
    if (time < -kSecondsFrom1601To1970 || time > kLargest)
        return {};
    ULARGE_INTEGER ticks;
    ticks.QuadPart = static_cast<ULONGLONG>((time + kSecondsFrom1601To1970) * kTicksPerSecond);
    const FILETIME utcFile = {ticks.LowPart, ticks.HighPart};
    SYSTEMTIME utc, local;
    if (!::FileTimeToSystemTime(&utcFile, &utc) || !::SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local))
        return {};
    wchar_t text[128];
    const int length = std::swprintf(text, std::size(text), L"%02d/%02d/%04d %02d:%02d:%02d", int{local.wDay}, int{local.wMonth},
                                     int{local.wYear}, int{local.wHour}, int{local.wMinute}, int{local.wSecond});
    if (length <= 0 || length >= static_cast<int>(std::size(text)))
        return {};
    return std::wstring(text, static_cast<size_t>(length));
}
