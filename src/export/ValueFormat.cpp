// FormatColumnValues: one rendering per directory value type.
#include "export/ValueFormat.h"

#include <cstring>
#include <iterator>

namespace {

const wchar_t* StringOf(const ADSVALUE& value)
{
    // Every string type shares the same place in the value union.
    return value.CaseIgnoreString ? value.CaseIgnoreString : L"";
}

std::wstring JoinStrings(const ADSVALUE* values, DWORD count)
{
    std::wstring text;
    for (DWORD i = 0; i < count; ++i) {
        const wchar_t* value = StringOf(values[i]);
        if (i > 0 && *value != L'\0')
            text += L';';
        text += value;
    }
    return text;
}

std::wstring JoinTimes(const ADSVALUE* values, DWORD count)
{
    std::wstring text;
    for (DWORD i = 0; i < count; ++i) {
        if (i > 0)
            text += L"; ";
        text += FormatTimeValue(values[i].UTCTime);
    }
    return text;
}

std::wstring LargeIntegerText(const LARGE_INTEGER& value)
{
    const auto combined = static_cast<long long>(
        (static_cast<unsigned long long>(static_cast<unsigned long>(value.HighPart)) << 32) | value.LowPart);
    return std::to_wstring(combined);
}

} // namespace

std::wstring FormatTimeValue(const SYSTEMTIME& utc, const TIME_ZONE_INFORMATION* zone)
{
    SYSTEMTIME local = {};
    if (!::SystemTimeToTzSpecificLocalTime(zone, &utc, &local))
        return {};
    auto n = [](WORD field) { return std::to_wstring(field); };
    return n(local.wDay) + L'/' + n(local.wMonth) + L'/' + n(local.wYear) + L"  " + n(local.wHour) + L':' +
           n(local.wMinute) + L':' + n(local.wSecond);
}

std::wstring FormatGuidValue(const ADS_OCTET_STRING& octets)
{
    if (!octets.lpValue || octets.dwLength < sizeof(GUID))
        return {};
    GUID guid;
    std::memcpy(&guid, octets.lpValue, sizeof guid);
    wchar_t buffer[256] = {};
    if (::StringFromGUID2(guid, buffer, static_cast<int>(std::size(buffer))) == 0)
        return {};
    return buffer;
}

std::wstring FormatColumnValues(const ADSVALUE* values, DWORD count)
{
    if (!values || count == 0)
        return {};
    const ADSVALUE& first = values[0];
    switch (first.dwType) {
    case ADSTYPE_DN_STRING:
    case ADSTYPE_CASE_EXACT_STRING:
    case ADSTYPE_CASE_IGNORE_STRING:
    case ADSTYPE_PRINTABLE_STRING:
    case ADSTYPE_NUMERIC_STRING:
    case ADSTYPE_OBJECT_CLASS:
        return JoinStrings(values, count);
    case ADSTYPE_BOOLEAN:
        return first.Boolean ? L"TRUE" : L"FALSE";
    case ADSTYPE_INTEGER:
        return std::to_wstring(static_cast<long>(static_cast<LONG>(first.Integer)));
    case ADSTYPE_OCTET_STRING:
        return FormatGuidValue(first.OctetString);
    case ADSTYPE_UTC_TIME:
        return JoinTimes(values, count);
    case ADSTYPE_LARGE_INTEGER:
        return LargeIntegerText(first.LargeInteger);
    case ADSTYPE_PROV_SPECIFIC:
        return L"(provider specific value) ";
    case ADSTYPE_NT_SECURITY_DESCRIPTOR:
        return L"IADsSecurityDescriptor";
    default:
        return {};
    }
}
