// From rendered values to a one-line cell without field separators.
#include "query/CellText.h"

#include <gtest/gtest.h>

namespace {

TEST(CellText, EmptyBecomesDash)
{
    EXPECT_EQ(MakeCellText(L""), L"-");
}

TEST(CellText, CommasBecomeBlanks)
{
    EXPECT_EQ(MakeCellText(L"CN=Smith,OU=Sales,DC=example"), L"CN=Smith OU=Sales DC=example");
    EXPECT_EQ(MakeCellText(L","), L" ");
}

TEST(CellText, LineBreaksLeaveOneLine)
{
    EXPECT_EQ(MakeCellText(L"1 Main St\r\nSpringfield"), L"1 Main St  Springfield");
    EXPECT_EQ(MakeCellText(L"a\rb"), L"a b");
    EXPECT_EQ(MakeCellText(L"a\nb"), L"a b");
    EXPECT_EQ(MakeCellText(L"a\n\rb"), L"a  b");
    EXPECT_EQ(MakeCellText(L"\r\n"), L"  ");
}

TEST(CellText, OtherTextIsKept)
{
    EXPECT_EQ(MakeCellText(L"Łódź;\u6771\u4eac \U0001F600\t-"), L"Łódź;\u6771\u4eac \U0001F600\t-");
}

} // namespace
