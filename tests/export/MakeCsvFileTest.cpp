// The CSV writer's operations on their own, and the creation time text.
#include "export/CreationTime.h"
#include "export/MakeCsvFile.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

TEST(MakeCsvFile, AppendsCsvOnlyToAPathWithoutItAnywhere)
{
    TempFolder folder;
    struct Case {
        const wchar_t* given;
        const wchar_t* created;
    };
    const Case cases[] = {
        {L"out", L"out.csv"},
        {L"report.csv.old", L"report.csv.old"},
        {L"upper.CSV", L"upper.CSV.csv"}, // the test is exact and case-sensitive
        {L"plain.csv", L"plain.csv"},
    };
    for (const Case& c : cases) {
        CMakeCsvFile writer;
        ASSERT_TRUE(writer.CreateCsvFile(folder.Path(c.given))) << testing::PrintToString(std::wstring(c.given));
        EXPECT_TRUE(writer.CloseCsvFile());
        EXPECT_TRUE(FileExists(folder.Path(c.created))) << testing::PrintToString(std::wstring(c.created));
        EXPECT_EQ(writer.GetErrorText(), L"");
    }
}

TEST(MakeCsvFile, EmptiesAnExistingFile)
{
    TempFolder folder;
    WriteFileBytes(folder.Path(L"old.csv"), std::string(5000, 'x'));
    CMakeCsvFile writer;
    ASSERT_TRUE(writer.CreateCsvFile(folder.Path(L"old.csv")));
    ASSERT_TRUE(writer.WriteColumnHeaders({L"A"}));
    ASSERT_TRUE(writer.CloseCsvFile());
    EXPECT_EQ(ReadFileBytes(folder.Path(L"old.csv")), "A\r\n");
}

TEST(MakeCsvFile, ARowWithAMissingCellFailsTheFile)
{
    TempFolder folder;
    CMakeCsvFile writer;
    ASSERT_TRUE(writer.CreateCsvFile(folder.Path(L"rows.csv")));
    EXPECT_TRUE(writer.WriteColumnHeaders({}));
    EXPECT_TRUE(writer.WriteRow({L"ignored"}, 0));
    EXPECT_TRUE(writer.WriteRow({L"a", L"b", L"not written"}, 2));
    EXPECT_EQ(writer.GetErrorText(), L"");
    EXPECT_FALSE(writer.WriteRow({L"c", L"d"}, 3));
    EXPECT_EQ(writer.GetErrorText(), L"Unable to write to .csv file");
    // A file without all its lines does not take the place of the one it was to replace.
    EXPECT_FALSE(writer.CloseCsvFile());
    EXPECT_FALSE(FileExists(folder.Path(L"rows.csv")));
}

TEST(MakeCsvFile, ErrorTextsByKind)
{
    CMakeCsvFile writer;
    EXPECT_FALSE(writer.CreateCsvFile(L"Z:\\no\\such\\folder\\x"));
    EXPECT_EQ(writer.GetErrorText(), L"Unable to create .csv file");
    EXPECT_FALSE(writer.CloseCsvFile()) << "nothing was open";
    EXPECT_EQ(writer.GetErrorText(), L"Unable to close .csv file");
    writer.SetErrorText(CMakeCsvFile::ErrorKind::Write);
    EXPECT_EQ(writer.GetErrorText(), L"Unable to write to .csv file");
}

TEST(CreationTime, LeadingZerosAndNothingForATimeThatCannotBeConverted)
{
    // Tests run in UTC.
    EXPECT_EQ(FormatCreationTime(1299488703), L"07/03/2011 09:05:03");
    EXPECT_EQ(FormatCreationTime(0), L"01/01/1970 00:00:00");
    EXPECT_EQ(FormatCreationTime(-11644473601LL), L"") << "before the system's calendar begins";
    EXPECT_EQ(FormatCreationTime(std::numeric_limits<std::int64_t>::max()), L"");
    EXPECT_EQ(FormatCreationTime(std::numeric_limits<std::int64_t>::min()), L"");
}

} // namespace
