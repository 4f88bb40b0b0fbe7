// Sort keys order text as Windows does for people, with the system's digits-as-numbers rule and
// with ours.
#include "resultlist/SortKeys.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class SortKeysTest : public ::testing::TestWithParam<DigitRule> {};

TEST_P(SortKeysTest, OrdersLikePeople)
{
    struct Case {
        std::wstring before, after;
    };
    const Case cases[] = {
        {L"user2", L"user10"},       {L"User2", L"user10"},   {L"a9", L"a10"},
        {L"x 2", L"x 10"},           {L"file2b", L"file10a"}, {L"abc", L"ABD"},
        {L"2", L"a"},                {L"a5", L"ab"},          {L"a", L"a2"},
        {L"Zoe", L"Zo\u00eb x"},     {L"007", L"8"},
    };
    const std::wstring ligatures(20, L'\ufb03'); // "ffi" each: a key longer than most texts give
    for (const Case& c : {Case{ligatures + L"a", ligatures + L"b"}})
        EXPECT_LT(SortKey(c.before, GetParam()), SortKey(c.after, GetParam())) << "a long key";
    for (const Case& c : cases)
        EXPECT_LT(SortKey(c.before, GetParam()), SortKey(c.after, GetParam()))
            << std::string(c.before.begin(), c.before.end()) << " < " << std::string(c.after.begin(), c.after.end());
    EXPECT_EQ(SortKey(L"Bulk User 7", GetParam()), SortKey(L"bulk user 7", GetParam())) << "case counts";
}

INSTANTIATE_TEST_SUITE_P(Rules, SortKeysTest, ::testing::Values(DigitRule::Platform, DigitRule::OwnRuns),
                         [](const auto& info) { return info.param == DigitRule::Platform ? "System" : "Own"; });

} // namespace
