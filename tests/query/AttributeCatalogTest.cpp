// The attribute catalogue and header matching.
#include "query/AttributeCatalog.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

std::wstring AttributeOf(const wchar_t* header)
{
    const CatalogEntry* entry = FindCatalogEntry(header);
    return entry ? entry->attribute : L"<none>";
}

TEST(AttributeCatalog, SixBasicAndElevenAdditionalNamesInOrder)
{
    std::vector<std::wstring> basic, additional;
    for (const auto& e : BasicAttributes())
        basic.emplace_back(e.header);
    for (const auto& e : AdditionalAttributes())
        additional.emplace_back(e.header);
    EXPECT_EQ(basic, (std::vector<std::wstring>{L"NAME", L"FIRST NAME", L"INITIAL", L"LAST NAME", L"DISPLAY NAME",
                                                L"DESCRIPTION"}));
    EXPECT_EQ(additional,
              (std::vector<std::wstring>{L"OFFICE", L"TELEPHONE NUMBER", L"E-MAIL ID", L"WEB SITE ADDRESS", L"ADDRESS",
                                         L"POST BOX NUMBER", L"CITY", L"STATE\\PROVINCE", L"ZIP CODE", L"COUNTRY",
                                         L"LOGON NAME"}));
}

TEST(AttributeCatalog, EveryHeaderFindsItsOwnAttribute)
{
    std::set<std::wstring> attributes;
    for (auto list : {BasicAttributes(), AdditionalAttributes()}) {
        for (const auto& e : list) {
            EXPECT_EQ(FindCatalogEntry(e.header), &e) << e.header;
            attributes.insert(e.attribute);
        }
    }
    EXPECT_EQ(attributes.size(), 17u);
}

TEST(AttributeCatalog, ColumnsReadTheirDirectoryAttributes)
{
    EXPECT_EQ(AttributeOf(L"NAME"), L"cn");
    EXPECT_EQ(AttributeOf(L"FIRST NAME"), L"givenName");
    EXPECT_EQ(AttributeOf(L"INITIAL"), L"initials");
    EXPECT_EQ(AttributeOf(L"LAST NAME"), L"sn");
    EXPECT_EQ(AttributeOf(L"DISPLAY NAME"), L"displayName");
    EXPECT_EQ(AttributeOf(L"DESCRIPTION"), L"description");
    EXPECT_EQ(AttributeOf(L"OFFICE"), L"physicalDeliveryOfficeName");
    EXPECT_EQ(AttributeOf(L"TELEPHONE NUMBER"), L"telephoneNumber");
    EXPECT_EQ(AttributeOf(L"E-MAIL ID"), L"mail");
    EXPECT_EQ(AttributeOf(L"WEB SITE ADDRESS"), L"url");
    EXPECT_EQ(AttributeOf(L"ADDRESS"), L"streetAddress");
    EXPECT_EQ(AttributeOf(L"POST BOX NUMBER"), L"postOfficeBox");
    EXPECT_EQ(AttributeOf(L"CITY"), L"l");
    EXPECT_EQ(AttributeOf(L"STATE\\PROVINCE"), L"st");
    EXPECT_EQ(AttributeOf(L"ZIP CODE"), L"postalCode");
    EXPECT_EQ(AttributeOf(L"COUNTRY"), L"co");
    EXPECT_EQ(AttributeOf(L"LOGON NAME"), L"userPrincipalName");
}

TEST(AttributeCatalog, MatchIgnoresAsciiCaseOnlyAndNeedsTheWholeString)
{
    EXPECT_EQ(AttributeOf(L"telephone number"), L"telephoneNumber");
    EXPECT_EQ(AttributeOf(L"TeLePhOnE NuMbEr"), L"telephoneNumber");
    EXPECT_EQ(AttributeOf(L"e-mail id"), L"mail");
    EXPECT_EQ(AttributeOf(L"NAME "), L"<none>");
    EXPECT_EQ(AttributeOf(L" NAME"), L"<none>");
    EXPECT_EQ(AttributeOf(L"NAM"), L"<none>");
    EXPECT_EQ(AttributeOf(L"FIRST"), L"<none>");
    EXPECT_EQ(AttributeOf(L""), L"<none>");
    EXPECT_EQ(AttributeOf(L"ﬁrst name"), L"<none>"); // no folding beyond A to Z
    EXPECT_EQ(AttributeOf(L"NÄME"), L"<none>");
}

TEST(SameDisplayName, FoldsOnlyLettersAToZ)
{
    EXPECT_TRUE(SameDisplayName(L"City", L"CITY"));
    EXPECT_TRUE(SameDisplayName(L"state\\province", L"STATE\\PROVINCE"));
    EXPECT_FALSE(SameDisplayName(L"é", L"É"));
    EXPECT_FALSE(SameDisplayName(L"CITY", L"CITY "));
    EXPECT_FALSE(SameDisplayName(L"[", L"{")); // differ by 0x20 but are not letters
}

} // namespace
