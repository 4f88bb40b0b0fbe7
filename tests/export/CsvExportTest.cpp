// The CSV file written from the result list, byte for byte, and what the user is told.
#include "export/CsvExport.h"

#include "support/CatalogHeaders.h"
#include "support/QueryDialogFixture.h"
#include "support/TempFolder.h"

#include <commctrl.h>

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

TEST_F(CsvExportTest, ATargetThatCannotBeWrittenIsLeftAsItWas)
{
    Show({L"NAME"}, {{L"a"}});
    const std::wstring readOnly = folder.Path(L"read-only.csv");
    const std::wstring locked = folder.Path(L"locked.csv");
    WriteFileBytes(readOnly, "old content\r\n");
    WriteFileBytes(locked, "old content\r\n");
    ::SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);
    // Another program holds the file open without sharing it.
    HANDLE holder = ::CreateFileW(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);

    ExportResultList(dialog, readOnly, kCreated);
    ExportResultList(dialog, locked, kCreated);
    ::CloseHandle(holder);

    EXPECT_EQ(ReadFileBytes(readOnly), "old content\r\n");
    EXPECT_EQ(ReadFileBytes(locked), "old content\r\n");
    ASSERT_EQ(boxes.boxes().size(), 2u);
    for (const auto& box : boxes.boxes()) {
        EXPECT_EQ(box.text, L"Unable to create .csv file");
        EXPECT_EQ(box.type, static_cast<UINT>(MB_OK));
    }
}

// A file that goes away while it is written, as a lost network share would: a pipe whose reading
// end closes once the export has started reading the list (the list waits for it).
class VanishingTarget {
public:
    explicit VanishingTarget(HWND list) : m_list(list)
    {
        m_name = L"\\\\.\\pipe\\quorrex-test-" + std::to_wstring(::GetCurrentProcessId()) + L".csv";
        m_pipe = ::CreateNamedPipeW(m_name.c_str(), PIPE_ACCESS_DUPLEX, PIPE_TYPE_BYTE | PIPE_WAIT, 1, 0, 0, 0,
                                    nullptr);
        m_closed = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
        m_reader = ::CreateThread(nullptr, 0, CloseOnConnect, this, 0, nullptr);
        ::SetWindowSubclass(m_list, WaitForTheClose, 0, reinterpret_cast<DWORD_PTR>(this));
    }
    ~VanishingTarget()
    {
        ::RemoveWindowSubclass(m_list, WaitForTheClose, 0);
        ::WaitForSingleObject(m_reader, 10000);
        ::CloseHandle(m_reader);
        ::CloseHandle(m_closed);
    }
    const std::wstring& Path() const { return m_name; }

private:
    static DWORD WINAPI CloseOnConnect(void* self)
    {
        auto* target = static_cast<VanishingTarget*>(self);
        ::ConnectNamedPipe(target->m_pipe, nullptr);
        ::CloseHandle(target->m_pipe);
        ::SetEvent(target->m_closed);
        return 0;
    }
    static LRESULT CALLBACK WaitForTheClose(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR data)
    {
        if (msg == LVM_GETITEMTEXTW)
            ::WaitForSingleObject(reinterpret_cast<VanishingTarget*>(data)->m_closed, 10000);
        return ::DefSubclassProc(hwnd, msg, wp, lp);
    }

    HWND m_list;
    std::wstring m_name;
    HANDLE m_pipe;
    HANDLE m_closed;
    HANDLE m_reader;
};

TEST_F(CsvExportTest, AFileThatGoesAwayIsReportedOnceAsAWriteOrCloseFailure)
{
    struct Case {
        int rows;
        const wchar_t* message;
    };
    // A small file is written out when it is closed; a large one while its rows are written.
    const Case cases[] = {{1, L"Unable to close .csv file"}, {3000, L"Unable to write to .csv file"}};
    for (const Case& c : cases) {
        Show({L"NAME", L"DESCRIPTION"}, {});
        for (int r = 0; r < c.rows; ++r) {
            list.InsertItem(r, L"a fairly long name for a row");
            list.SetItemText(r, 1, L"and a description that fills the file quickly");
        }
        MessageBoxRecorder boxesOfThisCase;
        {
            VanishingTarget target(list.m_hWnd);
            ExportResultList(dialog, target.Path(), kCreated);
        }
        ASSERT_EQ(boxesOfThisCase.boxes().size(), 1u) << c.rows << " rows";
        EXPECT_EQ(boxesOfThisCase.boxes()[0].text, c.message) << c.rows << " rows";
        EXPECT_EQ(boxesOfThisCase.boxes()[0].type, static_cast<UINT>(MB_OK));
    }
}

} // namespace
