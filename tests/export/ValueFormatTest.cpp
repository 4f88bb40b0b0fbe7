// Rendering of every directory value type.
#include "export/ValueFormat.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

ADSVALUE Str(const wchar_t* text, ADSTYPE type = ADSTYPE_CASE_IGNORE_STRING)
{
    ADSVALUE v = {};
    v.dwType = type;
    v.CaseIgnoreString = const_cast<wchar_t*>(text);
    return v;
}

ADSVALUE Typed(ADSTYPE type)
{
    ADSVALUE v = {};
    v.dwType = type;
    return v;
}

ADSVALUE Large(DWORD low, LONG high)
{
    ADSVALUE v = Typed(ADSTYPE_LARGE_INTEGER);
    v.LargeInteger.LowPart = low;
    v.LargeInteger.HighPart = high;
    return v;
}

ADSVALUE Time(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second)
{
    ADSVALUE v = Typed(ADSTYPE_UTC_TIME);
    v.UTCTime = SYSTEMTIME{year, month, 0, day, hour, minute, second, 0};
    return v;
}

std::wstring Render(const std::vector<ADSVALUE>& values)
{
    return FormatColumnValues(values.data(), static_cast<DWORD>(values.size()));
}

// A zone one hour ahead of UTC without daylight saving.
TIME_ZONE_INFORMATION OneHourAhead()
{
    TIME_ZONE_INFORMATION zone = {};
    zone.Bias = -60;
    return zone;
}

// A central European zone: UTC+1, and UTC+2 from the last Sunday of March to the last of October.
TIME_ZONE_INFORMATION CentralEurope()
{
    TIME_ZONE_INFORMATION zone = {};
    zone.Bias = -60;
    zone.StandardDate = SYSTEMTIME{0, 10, 0, 5, 3, 0, 0, 0};
    zone.DaylightDate = SYSTEMTIME{0, 3, 0, 5, 2, 0, 0, 0};
    zone.DaylightBias = -60;
    return zone;
}

TEST(TextValues, JoinWithSemicolonsAndSkipEmptyValues)
{
    EXPECT_EQ(Render({Str(L"a"), Str(L"b"), Str(L"c")}), L"a;b;c");
    EXPECT_EQ(Render({Str(L"only")}), L"only");
    EXPECT_EQ(Render({Str(L"a"), Str(L""), Str(L"c")}), L"a;c");
    EXPECT_EQ(Render({Str(L""), Str(L"c")}), L";c");
    EXPECT_EQ(Render({Str(L"x;y"), Str(L"z")}), L"x;y;z");
}

TEST(TextValues, EveryStringTypeJoinsTheSameWay)
{
    for (ADSTYPE type : {ADSTYPE_DN_STRING, ADSTYPE_CASE_EXACT_STRING, ADSTYPE_CASE_IGNORE_STRING,
                         ADSTYPE_PRINTABLE_STRING, ADSTYPE_NUMERIC_STRING, ADSTYPE_OBJECT_CLASS})
        EXPECT_EQ(Render({Str(L"top", type), Str(L"person", type)}), L"top;person") << "type " << type;
}

TEST(TextValues, PassUnchangedWithLineBreaksAndCharactersBeyondLatin1)
{
    EXPECT_EQ(Render({Str(L" two\r\nlines, kept ")}), L" two\r\nlines, kept ");
    EXPECT_EQ(Render({Str(L"Łódź \u6771\u4eac \U0001F600")}), L"Łódź \u6771\u4eac \U0001F600");
}

TEST(TextValues, NullStringPointerReadsAsEmpty)
{
    EXPECT_EQ(Render({Str(nullptr), Str(L"b")}), L";b");
}

TEST(ScalarValues, BooleanIntegerAndLargeInteger)
{
    ADSVALUE f = Typed(ADSTYPE_BOOLEAN), t = Typed(ADSTYPE_BOOLEAN), t7 = Typed(ADSTYPE_BOOLEAN);
    f.Boolean = 0;
    t.Boolean = 1;
    t7.Boolean = 7;
    EXPECT_EQ(Render({f}), L"FALSE");
    EXPECT_EQ(Render({t}), L"TRUE");
    EXPECT_EQ(Render({t7}), L"TRUE");

    ADSVALUE minusOne = Typed(ADSTYPE_INTEGER), n512 = Typed(ADSTYPE_INTEGER), n0 = Typed(ADSTYPE_INTEGER);
    minusOne.Integer = 0xFFFFFFFF;
    n512.Integer = 512;
    n0.Integer = 0;
    EXPECT_EQ(Render({minusOne}), L"-1");
    EXPECT_EQ(Render({n512}), L"512");
    EXPECT_EQ(Render({n0}), L"0");

    EXPECT_EQ(Render({Large(5, 0)}), L"5");
    EXPECT_EQ(Render({Large(0, 1)}), L"4294967296");
    EXPECT_EQ(Render({Large(3000000000u, 0)}), L"3000000000");
    EXPECT_EQ(Render({Large(0xFFFFFFFF, 0x7FFFFFFF)}), L"9223372036854775807");
    EXPECT_EQ(Render({Large(0xFFFFFFFF, -1)}), L"-1");
    EXPECT_EQ(Render({Large(0, static_cast<LONG>(0x80000000))}), L"-9223372036854775808");
}

TEST(ScalarValues, OnlyTheFirstValueCounts)
{
    ADSVALUE t = Typed(ADSTYPE_BOOLEAN), f = Typed(ADSTYPE_BOOLEAN);
    t.Boolean = 1;
    EXPECT_EQ(Render({t, f}), L"TRUE");
    ADSVALUE a = Typed(ADSTYPE_INTEGER), b = Typed(ADSTYPE_INTEGER);
    a.Integer = 1;
    b.Integer = 2;
    EXPECT_EQ(Render({a, b}), L"1");
    EXPECT_EQ(Render({Large(9, 0), Large(8, 0)}), L"9");
}

TEST(OctetValues, FirstSixteenBytesAsRegistryGuid)
{
    std::vector<BYTE> bytes = {0x00, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77,
                               0x88, 0x99, 0xAA, 0xBB, 0xCC, 0xDD, 0xEE, 0xFF};
    ADSVALUE v = Typed(ADSTYPE_OCTET_STRING);
    v.OctetString.dwLength = 16;
    v.OctetString.lpValue = bytes.data();
    const std::wstring text = Render({v});
    EXPECT_EQ(text, L"{33221100-5544-7766-8899-AABBCCDDEEFF}");
    EXPECT_EQ(text.size(), 38u);

    // A security identifier is longer: only its first 16 bytes show.
    std::vector<BYTE> sid = bytes;
    sid.insert(sid.end(), {1, 2, 3, 4, 5, 6, 7, 8});
    ADSVALUE longer = Typed(ADSTYPE_OCTET_STRING);
    longer.OctetString.dwLength = static_cast<DWORD>(sid.size());
    longer.OctetString.lpValue = sid.data();
    ADSVALUE second = Typed(ADSTYPE_OCTET_STRING);
    EXPECT_EQ(Render({longer, second}), text);
}

TEST(OctetValues, ShorterThanSixteenBytesRendersEmptyWithoutReadingPastTheValue)
{
    // The value sits at the very end of a committed page, followed by a guard page: reading one
    // byte past it would crash the test.
    SYSTEM_INFO info;
    ::GetSystemInfo(&info);
    auto* pages = static_cast<BYTE*>(
        ::VirtualAlloc(nullptr, info.dwPageSize * 2, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
    ASSERT_NE(pages, nullptr);
    DWORD old;
    ASSERT_TRUE(::VirtualProtect(pages + info.dwPageSize, info.dwPageSize, PAGE_NOACCESS, &old));
    for (DWORD length : {0u, 1u, 15u}) {
        ADSVALUE v = Typed(ADSTYPE_OCTET_STRING);
        v.OctetString.dwLength = length;
        v.OctetString.lpValue = pages + info.dwPageSize - length;
        EXPECT_EQ(Render({v}), L"") << length << " bytes";
    }
    ADSVALUE exact = Typed(ADSTYPE_OCTET_STRING);
    exact.OctetString.dwLength = 16;
    exact.OctetString.lpValue = pages + info.dwPageSize - 16;
    EXPECT_EQ(Render({exact}).size(), 38u);
    ::VirtualFree(pages, 0, MEM_RELEASE);
}

TEST(TimeValues, FormatWithoutLeadingZerosAndTwoBlanks)
{
    const TIME_ZONE_INFORMATION utc = {};
    EXPECT_EQ(FormatTimeValue(SYSTEMTIME{2010, 3, 0, 7, 9, 5, 0, 0}, &utc), L"7/3/2010  9:5:0");
    EXPECT_EQ(FormatTimeValue(SYSTEMTIME{1999, 12, 0, 31, 23, 59, 58, 999}, &utc), L"31/12/1999  23:59:58");
}

TEST(TimeValues, ConvertWithTheOffsetOfTheirOwnDate)
{
    const TIME_ZONE_INFORMATION ahead = OneHourAhead();
    EXPECT_EQ(FormatTimeValue(SYSTEMTIME{2010, 12, 0, 31, 23, 30, 0, 0}, &ahead), L"1/1/2011  0:30:0");

    // Summer and winter dates in one zone: each with its own offset, whatever today is.
    const TIME_ZONE_INFORMATION europe = CentralEurope();
    EXPECT_EQ(FormatTimeValue(SYSTEMTIME{2021, 7, 0, 15, 10, 0, 0, 0}, &europe), L"15/7/2021  12:0:0");
    EXPECT_EQ(FormatTimeValue(SYSTEMTIME{2021, 1, 0, 15, 10, 0, 0, 0}, &europe), L"15/1/2021  11:0:0");
}

TEST(TimeValues, SeveralJoinWithSemicolonAndBlank)
{
    const std::wstring first = FormatTimeValue(SYSTEMTIME{2010, 3, 0, 7, 9, 5, 0, 0});
    const std::wstring second = FormatTimeValue(SYSTEMTIME{2011, 1, 0, 2, 3, 4, 5, 0});
    ASSERT_FALSE(first.empty());
    EXPECT_NE(first.find(L"  "), std::wstring::npos);
    EXPECT_EQ(Render({Time(2010, 3, 7, 9, 5, 0), Time(2011, 1, 2, 3, 4, 5)}), first + L"; " + second);
}

TEST(TimeValues, InvalidTimeRendersEmpty)
{
    EXPECT_EQ(FormatTimeValue(SYSTEMTIME{2010, 13, 0, 40, 25, 61, 61, 0}), L"");
}

TEST(FixedTexts, ProviderSpecificAndSecurityDescriptor)
{
    EXPECT_EQ(Render({Typed(ADSTYPE_PROV_SPECIFIC)}), L"(provider specific value) ");
    EXPECT_EQ(Render({Typed(ADSTYPE_PROV_SPECIFIC), Typed(ADSTYPE_PROV_SPECIFIC)}), L"(provider specific value) ");
    EXPECT_EQ(Render({Typed(ADSTYPE_NT_SECURITY_DESCRIPTOR), Typed(ADSTYPE_NT_SECURITY_DESCRIPTOR)}),
              L"IADsSecurityDescriptor");
}

TEST(NothingRendered, NullArrayTypeZeroAndUnrenderedTypes)
{
    EXPECT_EQ(FormatColumnValues(nullptr, 3), L"");
    EXPECT_EQ(Render({Typed(ADSTYPE_INVALID), Str(L"x")}), L"");
    for (int type = 13; type <= 24; ++type)
        EXPECT_EQ(Render({Typed(static_cast<ADSTYPE>(type))}), L"") << "type " << type;
    for (int type : {26, 27, 28, 29, 1000})
        EXPECT_EQ(Render({Typed(static_cast<ADSTYPE>(type))}), L"") << "type " << type;
}

} // namespace
