// The CSV file written from the result list, byte for byte, and what the user is told.
#include "export/CsvExport.h"

#include "support/CatalogHeaders.h"
#include "support/QueryDialogFixture.h"
#include "support/TempFolder.h"

#include <string>
#include <vector>

namespace {

using Texts = std::vector<std::wstring>;

// 7 March 2011, 09:05:03 UTC; the test prefix runs in UTC.
constexpr std::int64_t kCreated = 1299488703;
const std::string kHeaderBlock = "SOFTWARE    :Varnok\r\nCreation Date\\Time   :07/03/2011 09:05:03\r\n";

class CsvExportTest : public QueryDialogFixture {
protected:
    void SetUp() override
    {
        QueryDialogFixture::SetUp();
        TIME_ZONE_INFORMATION zone = {};
        ::GetTimeZoneInformation(&zone);
        ASSERT_EQ(zone.Bias, 0) << "the expected creation times are UTC";
    }

    // Replaces the list's columns and rows.
    void Show(const Texts& headers, const std::vector<Texts>& rows)
    {
        list.DeleteAllItems();
        SetColumns(headers);
        for (size_t r = 0; r < rows.size(); ++r) {
            list.InsertItem(static_cast<int>(r), rows[r].empty() ? L"" : rows[r][0].c_str());
            for (size_t c = 1; c < rows[r].size(); ++c)
                list.SetItemText(static_cast<int>(r), static_cast<int>(c), rows[r][c].c_str());
        }
    }

    std::string Export()
    {
        const std::wstring path = folder.Path(L"out.csv");
        ExportResultList(dialog, path, kCreated);
        return ReadFileBytes(path);
    }

    TempFolder folder;
};

// Rows that pass the writer's 64 KiB buffer three times, each with a number of its own, so that a
// lost, doubled or shifted buffer shows.
constexpr int kManyRows = 600;
std::vector<Texts> ManyRows()
{
    std::vector<Texts> rows;
    for (int r = 0; r < kManyRows; ++r)
        rows.push_back({L"user" + std::to_wstring(r), std::wstring(300 + r % 7, static_cast<wchar_t>(L'a' + r % 26))});
    return rows;
}
std::string ManyRowsBody()
{
    std::string body = "NAME,DESCRIPTION\r\n";
    for (int r = 0; r < kManyRows; ++r)
        body += "user" + std::to_string(r) + "," + std::string(300 + r % 7, static_cast<char>('a' + r % 26)) + "\r\n";
    return body;
}

TEST_F(CsvExportTest, WritesTheListByteForByte)
{
    const Texts& basic = kBasicHeaders;
    struct Case {
        const char* what;
        Texts headers;
        std::vector<Texts> rows;
        std::string body; // after the header block
    };
    const Case cases[] = {
        {"before any query: the default headers alone", basic, {},
         "NAME,FIRST NAME,INITIAL,LAST NAME,DISPLAY NAME,DESCRIPTION\r\n"},
        {"rows with dashes, blanks and Latin-1 letters",
         basic,
         {{L"jsmith", L"John", L"-", L"Smith", L"John Smith", L"Sales team"},
          {L"adoe", L"Zo\u00eb", L"-", L"M\u00fcller", L"Zo\u00eb  M\u00fcller", L"caf\u00e9 \u00ff\u00df"}},
         "NAME,FIRST NAME,INITIAL,LAST NAME,DISPLAY NAME,DESCRIPTION\r\n"
         "jsmith,John,-,Smith,John Smith,Sales team\r\n"
         "adoe,Zo\xEB,-,M\xFCller,Zo\xEB  M\xFCller,caf\xE9 \xFF\xDF\r\n"},
        {"a header with a backslash, cells of every length",
         {L"STATE\\PROVINCE", L"DESCRIPTION"},
         {{L"\u00cele-de-France", std::wstring(1000, L'x')}, {L"-", L""}},
         "STATE\\PROVINCE,DESCRIPTION\r\n\xCEle-de-France," + std::string(1000, 'x') + "\r\n-,\r\n"},
        {"columns but no rows", {L"CITY"}, {}, "CITY\r\n"},
        {"more than the writer's 64 KiB buffer holds", {L"NAME", L"DESCRIPTION"}, ManyRows(), ManyRowsBody()},
    };
    for (const Case& c : cases) {
        Show(c.headers, c.rows);
        EXPECT_EQ(Export(), kHeaderBlock + c.body) << c.what;
    }
    EXPECT_TRUE(boxes.boxes().empty());
}

TEST_F(CsvExportTest, RowsButNoColumnsGiveTheHeaderBlockAlone)
{
    Show({L"NAME"}, {{L"a"}, {L"b"}});
    list.DeleteColumn(0);
    ASSERT_EQ(list.GetColumnCount(), 0);
    ASSERT_EQ(list.GetItemCount(), 2);
    EXPECT_EQ(Export(), kHeaderBlock);
    EXPECT_EQ(list.GetItemCount(), 2) << "the export changes nothing in the list";
}

TEST_F(CsvExportTest, CharactersAbove255BecomeQuestionMarksAndTheUserIsToldHowMany)
{
    // Two CJK characters, one letter outside Latin-1, one character in two code units; the last
    // 8-bit character and the first beyond it; a lone high and a lone low surrogate.
    Show({L"NAME", L"DISPLAY NAME"},
         {{L"\u0141ukasz", L"\u6771\u4eac \U0001F600!"},
          {L"\u00ff\u0100", L"\xD800" L"b" L"\xDC00"},
          {L"plain", L"text"}});
    EXPECT_EQ(Export(), kHeaderBlock + "NAME,DISPLAY NAME\r\n?ukasz,?? ?!\r\n\xFF?,?b?\r\nplain,text\r\n");
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].text,
              L"7 characters could not be stored in the 8-bit CSV file and were written as \"?\".");
    EXPECT_EQ(boxes.boxes()[0].type, static_cast<UINT>(MB_ICONEXCLAMATION));
}

} // namespace
