// The UTF-8 file byte for byte, and saves that fail on the way: the file they were to replace stays
// as it was, nothing is left beside it, and the user hears what failed.
#include "export/CsvExport.h"

#include "support/FakeFileCalls.h"
#include "support/QueryDialogFixture.h"
#include "support/TempFolder.h"

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace {

using Texts = std::vector<std::wstring>;

// 7 March 2011, 09:05:03 UTC; the test prefix runs in UTC.
constexpr std::int64_t kCreated = 1299488703;
const std::string kHeaderBlock = "SOFTWARE    :Varnok\r\nCreation Date\\Time   :07/03/2011 09:05:03\r\n";
const std::string kByteOrderMark = "\xEF\xBB\xBF";
const std::string kOldFile = "SOFTWARE    :Varnok\r\nthe file saved before, which must survive\r\n";

class CsvSaveTest : public QueryDialogFixture {
protected:
    void Show(const Texts& headers, const std::vector<Texts>& rows)
    {
        list.DeleteAllItems();
        SetColumns(headers);
        for (size_t r = 0; r < rows.size(); ++r) {
            list.InsertItem(static_cast<int>(r), rows[r][0].c_str());
            for (size_t c = 1; c < rows[r].size(); ++c)
                list.SetItemText(static_cast<int>(r), static_cast<int>(c), rows[r][c].c_str());
        }
    }
    // Enough rows that the writer hands bytes to the disk before the close.
    void ShowManyRows(int count)
    {
        Show({L"NAME", L"DESCRIPTION"}, {});
        for (int r = 0; r < count; ++r) {
            list.InsertItem(r, L"a fairly long name for a row \u0141");
            list.SetItemText(r, 1, L"and a description that fills the file quickly");
        }
    }
    // The names in a folder, sorted.
    static Texts FilesIn(const std::wstring& folder)
    {
        Texts names;
        WIN32_FIND_DATAW found;
        HANDLE search = ::FindFirstFileW((folder + L"\\*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE)
            return names;
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                names.emplace_back(found.cFileName);
        } while (::FindNextFileW(search, &found));
        ::FindClose(search);
        std::sort(names.begin(), names.end());
        return names;
    }
    Texts Files() const { return FilesIn(folder.Path(L".")); }

    TempFolder folder;
};

TEST_F(CsvSaveTest, TheUtf8FileKeepsEveryCharacterByteForByte)
{
    struct Case {
        const char* what;
        Texts headers;
        std::vector<Texts> rows;
        std::string body; // after the mark and the header block
    };
    const Case cases[] = {
        {"before any query: the headers alone", {L"NAME", L"STATE\\PROVINCE"}, {}, "NAME,STATE\\PROVINCE\r\n"},
        {"Latin-1 letters take two bytes, others above U+00FF two or three",
         {L"NAME", L"DISPLAY NAME"},
         {{L"\u0141ukasz", L"\u5c71\u7530 \u592a\u90ce"}, {L"\u00ff\u00e9", L"\u20ac 5"}},
         "NAME,DISPLAY NAME\r\n\xC5\x81ukasz,\xE5\xB1\xB1\xE7\x94\xB0 \xE5\xA4\xAA\xE9\x83\x8E\r\n"
         "\xC3\xBF\xC3\xA9,\xE2\x82\xAC 5\r\n"},
        {"a character outside the BMP is one four-byte character",
         {L"DESCRIPTION"},
         {{L"Beyond the BMP: \U0001F600!"}},
         "DESCRIPTION\r\nBeyond the BMP: \xF0\x9F\x98\x80!\r\n"},
        {"a lone surrogate, high or low, is the replacement character",
         {L"NAME", L"DESCRIPTION"},
         {{L"\xD800" L"b", L"a" L"\xDC00"}, {L"end\xD83D", L"-"}},
         "NAME,DESCRIPTION\r\n\xEF\xBF\xBD"
         "b,a\xEF\xBF\xBD\r\nend\xEF\xBF\xBD,-\r\n"},
    };
    for (const Case& c : cases) {
        Show(c.headers, c.rows);
        const std::wstring path = folder.Path(L"utf8.csv");
        ExportResultList(dialog, path, kCreated, TextEncoding::Utf8);
        EXPECT_EQ(ReadFileBytes(path), kByteOrderMark + kHeaderBlock + c.body) << c.what;
    }
    EXPECT_TRUE(boxes.boxes().empty()) << "nothing became \"?\", so nothing is said";
}

TEST_F(CsvSaveTest, ASaveOverAFileReplacesItWholeAndLeavesNothingBeside)
{
    Show({L"NAME"}, {{L"jsmith"}});
    const struct {
        TextEncoding encoding;
        std::string bytes;
    } cases[] = {{TextEncoding::Latin1, kHeaderBlock + "NAME\r\njsmith\r\n"},
                 {TextEncoding::Utf8, kByteOrderMark + kHeaderBlock + "NAME\r\njsmith\r\n"}};
    for (const auto& c : cases) {
        WriteFileBytes(folder.Path(L"out.csv"), std::string(70000, 'x'));
        ExportResultList(dialog, folder.Path(L"out.csv"), kCreated, c.encoding);
        EXPECT_EQ(ReadFileBytes(folder.Path(L"out.csv")), c.bytes);
        EXPECT_EQ(Files(), Texts{L"out.csv"});
    }
    EXPECT_TRUE(boxes.boxes().empty());
}

TEST_F(CsvSaveTest, AFailedSaveKeepsTheFileItWasToReplaceAndSaysWhatFailed)
{
    struct Case {
        const char* what;
        bool oldFile;                       // whether a file was there before
        std::function<void(FakeFileCalls&)> fail; // set up before the save
        const wchar_t* message;
        int rows = 1;
    };
    const Case cases[] = {
        {"the disk fills up while the rows are written", true,
         [](FakeFileCalls& calls) { calls.bytesUntilFull = 100000; }, L"Unable to write to .csv file", 3000},
        {"the disk fills up as the file is closed", true, [](FakeFileCalls& calls) { calls.bytesUntilFull = 10; },
         L"Unable to close .csv file"},
        {"the replace is refused", true, [](FakeFileCalls& calls) { calls.replace = FakeFileCalls::Replace::FailsAtOnce; },
         L"Unable to create .csv file"},
        {"the replace fails half-way, the old file moved aside", true,
         [](FakeFileCalls& calls) { calls.replace = FakeFileCalls::Replace::FailsHalfWay; },
         L"Unable to create .csv file"},
        {"no old file, and the disk fills up", false, [](FakeFileCalls& calls) { calls.bytesUntilFull = 100000; },
         L"Unable to write to .csv file", 3000},
        {"no old file, and the move into its place fails", false, [](FakeFileCalls& calls) { calls.moveFails = true; },
         L"Unable to create .csv file"},
    };
    for (const TextEncoding encoding : {TextEncoding::Latin1, TextEncoding::Utf8}) {
        for (const Case& c : cases) {
            const std::string what = std::string(c.what) + (encoding == TextEncoding::Utf8 ? " (UTF-8)" : " (8-bit)");
            ShowManyRows(c.rows);
            const std::wstring path = folder.Path(L"saved.csv");
            ::DeleteFileW(path.c_str());
            if (c.oldFile)
                WriteFileBytes(path, kOldFile);
            MessageBoxRecorder boxesOfThisCase;
            {
                FakeFileCalls calls;
                c.fail(calls);
                ExportResultList(dialog, path, kCreated, encoding);
            }
            if (c.oldFile) {
                EXPECT_EQ(ReadFileBytes(path), kOldFile) << what;
                EXPECT_EQ(Files(), Texts{L"saved.csv"}) << what;
            } else {
                EXPECT_EQ(Files(), Texts{}) << what;
            }
            ASSERT_EQ(boxesOfThisCase.boxes().size(), 1u) << what;
            EXPECT_EQ(boxesOfThisCase.boxes()[0].text, c.message) << what;
            EXPECT_EQ(boxesOfThisCase.boxes()[0].type, static_cast<UINT>(MB_OK)) << what;
        }
    }
}

TEST_F(CsvSaveTest, AReplaceThatFailsHalfWayAndCannotBeUndoneKeepsBothFiles)
{
    Show({L"NAME"}, {{L"a"}});
    const std::wstring path = folder.Path(L"saved.csv");
    WriteFileBytes(path, kOldFile);
    {
        FakeFileCalls calls;
        calls.replace = FakeFileCalls::Replace::FailsHalfWay;
        calls.restoreFails = true;
        ExportResultList(dialog, path, kCreated, TextEncoding::Latin1);
    }
    // The old file under its backup name, the new one beside it: the user's data is all still there.
    const Texts files = Files();
    ASSERT_EQ(files.size(), 2u);
    int old = 0;
    for (const std::wstring& name : files)
        old += ReadFileBytes(folder.Path(name)) == kOldFile ? 1 : 0;
    EXPECT_EQ(old, 1) << "the old file was lost";
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].text, L"Unable to create .csv file");
}

TEST_F(CsvSaveTest, ATargetThatCannotBeReplacedIsRefusedBeforeAnythingIsWritten)
{
    Show({L"NAME"}, {{L"a"}});
    const std::wstring readOnly = folder.Path(L"read-only.csv");
    const std::wstring locked = folder.Path(L"locked.csv");
    WriteFileBytes(readOnly, kOldFile);
    WriteFileBytes(locked, kOldFile);
    ::SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);
    // A spreadsheet holds the file open; it lets others read it, but not write or delete it.
    HANDLE holder =
        ::CreateFileW(locked.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    FakeFileCalls disk;
    for (const TextEncoding encoding : {TextEncoding::Latin1, TextEncoding::Utf8}) {
        ExportResultList(dialog, readOnly, kCreated, encoding);
        ExportResultList(dialog, locked, kCreated, encoding);
    }
    ::CloseHandle(holder);
    EXPECT_EQ(disk.writes, 0) << "written before the target was found not replaceable";
    EXPECT_EQ(disk.replaces, 0);

    EXPECT_EQ(ReadFileBytes(readOnly), kOldFile);
    EXPECT_EQ(ReadFileBytes(locked), kOldFile);
    EXPECT_EQ(Files(), (Texts{L"locked.csv", L"read-only.csv"}));
    ASSERT_EQ(boxes.boxes().size(), 4u);
    for (const auto& box : boxes.boxes()) {
        EXPECT_EQ(box.text, L"Unable to create .csv file");
        EXPECT_EQ(box.type, static_cast<UINT>(MB_OK));
    }
}

// A real volume too small for the new file, which scripts/test.sh mounts before the wineserver
// starts (Wine's server sees the mounts of the moment it started).
TEST_F(CsvSaveTest, ASaveOntoAFullVolumeKeepsTheOldFile)
{
    wchar_t volume[MAX_PATH] = {};
    if (::GetEnvironmentVariableW(L"QUORREX_TEST_SMALL_VOLUME", volume, MAX_PATH) == 0)
        GTEST_SKIP() << "no small volume (scripts/test.sh mounts one)";
    const std::wstring path = std::wstring(volume) + L"\\full.csv";
    for (const TextEncoding encoding : {TextEncoding::Latin1, TextEncoding::Utf8}) {
        WriteFileBytes(path, kOldFile);
        ShowManyRows(3000); // about 250 KB, on a volume of 64 KB
        MessageBoxRecorder boxesOfThisCase;
        ExportResultList(dialog, path, kCreated, encoding);
        EXPECT_EQ(ReadFileBytes(path), kOldFile);
        EXPECT_EQ(FilesIn(volume), Texts{L"full.csv"});
        ASSERT_EQ(boxesOfThisCase.boxes().size(), 1u);
        EXPECT_EQ(boxesOfThisCase.boxes()[0].text, L"Unable to write to .csv file");
    }
    ::DeleteFileW(path.c_str());
}

} // namespace
