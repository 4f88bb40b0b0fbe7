// The attribute catalogue and its header lookup.
#include "query/AttributeCatalog.h"

#include <algorithm>

namespace {

constexpr CatalogEntry kBasic[] = {
    {L"NAME", L"name", L"cn"},
    {L"FIRST NAME", L"first name", L"givenName"},
    {L"INITIAL", L"initial", L"initials"},
    {L"LAST NAME", L"last name", L"sn"},
    {L"DISPLAY NAME", L"display name", L"displayName"},
    {L"DESCRIPTION", L"description", L"description"},
};

constexpr CatalogEntry kAdditional[] = {
    {L"OFFICE", L"office", L"physicalDeliveryOfficeName"},
    {L"TELEPHONE NUMBER", L"Telephone Number", L"telephoneNumber"},
    {L"E-MAIL ID", L"E-Mail ID", L"mail"},
    {L"WEB SITE ADDRESS", L"WEB SITE ADDRESS", L"url"},
    {L"ADDRESS", L"address", L"streetAddress"},
    {L"POST BOX NUMBER", L"POST BOX NUMBER", L"postOfficeBox"},
    {L"CITY", L"CITY", L"l"},
    {L"STATE\\PROVINCE", L"STATE\\PROVINCE", L"st"},
    {L"ZIP CODE", L"ZIP CODE", L"postalCode"},
    {L"COUNTRY", L"COUNTRY", L"co"},
    {L"LOGON NAME", L"LOGON NAME", L"userPrincipalName"},
};

wchar_t FoldAsciiLetter(wchar_t c)
{
    return (c >= L'a' && c <= L'z') ? static_cast<wchar_t>(c - L'a' + L'A') : c;
}

} // namespace

std::span<const CatalogEntry> BasicAttributes()
{
    return kBasic;
}

std::span<const CatalogEntry> AdditionalAttributes()
{
    return kAdditional;
}

bool SameDisplayName(std::wstring_view a, std::wstring_view b)
{
    return std::ranges::equal(a, b, [](wchar_t x, wchar_t y) { return FoldAsciiLetter(x) == FoldAsciiLetter(y); });
}

const CatalogEntry* FindCatalogEntry(std::wstring_view header)
{
    for (auto list : {BasicAttributes(), AdditionalAttributes()}) {
        for (const CatalogEntry& entry : list) {
            if (SameDisplayName(header, entry.matchKey))
                return &entry;
        }
    }
    return nullptr;
}
