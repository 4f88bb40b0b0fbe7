// DomainTest: starting the program, running a query, and comparing what it shows.
#include "e2e/DomainFixture.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>

using namespace std::chrono_literals;

const std::vector<std::wstring> kDefaultHeaders = {L"NAME",      L"FIRST NAME",   L"INITIAL",
                                                    L"LAST NAME", L"DISPLAY NAME", L"DESCRIPTION"};

std::wstring Environment(const wchar_t* name)
{
    wchar_t value[4096] = {};
    const DWORD length = ::GetEnvironmentVariableW(name, value, static_cast<DWORD>(std::size(value)));
    return length > 0 && length < std::size(value) ? std::wstring(value, length) : std::wstring();
}

std::string Utf8(const std::wstring& text)
{
    if (text.empty())
        return {};
    const int length =
        ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(length), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), length, nullptr,
                          nullptr);
    return bytes;
}

std::string Describe(const std::vector<std::wstring>& cells)
{
    std::string text;
    for (const std::wstring& cell : cells)
        text += (text.empty() ? "[" : " | ") + Utf8(cell);
    return text + "]";
}

std::string Describe(const RunEnd& end)
{
    if (!end.ended)
        return "the run did not end";
    if (!end.box)
        return "no box; count " + Utf8(end.count);
    return "box \"" + Utf8(end.box->text) + "\" (" + BoxIconName(end.box->icon) + "), count " + Utf8(end.count);
}

void DomainTest::SetUp()
{
    if (!domain.Present())
        GTEST_SKIP() << "no test domain: run through scripts/test.sh or scripts/test-domain.sh";
    program.emplace();
    ASSERT_TRUE(program->Started()) << "quorrex.exe did not show its window";
}

RunEnd DomainTest::Generate()
{
    program->PressGenerate();
    return program->WaitForRunEnd(kRunDeadline);
}

void DomainTest::ExpectBox(const RunEnd& end, const std::wstring& text, BoxIcon icon)
{
    ASSERT_TRUE(end.ended) << "no box and no result within the deadline";
    ASSERT_TRUE(end.box.has_value()) << Describe(end);
    EXPECT_EQ(end.box->text, text) << Describe(end);
    EXPECT_EQ(end.box->caption, L"quorrex");
    EXPECT_STREQ(BoxIconName(end.box->icon), BoxIconName(icon));
    EXPECT_TRUE(program->AnswerBox(*end.box)) << "the box did not close on OK";
    EXPECT_EQ(program->RowCount(), 0);
    EXPECT_EQ(program->ControlText(IDC_OBJECT_COUNT), L"0");
    EXPECT_TRUE(program->Responds(10s));
}

std::vector<DirectoryEntry> DomainTest::ExpectedEntries() const
{
    return ReadLdif(L"Z:" + domain.expected);
}

void DomainTest::ExpectListed(const RunEnd& end, const std::vector<std::wstring>& headers)
{
    ASSERT_TRUE(end.ended) << "no result within the deadline";
    ASSERT_FALSE(end.box.has_value()) << Describe(end);
    const std::vector<DirectoryEntry> entries = ExpectedEntries();
    ASSERT_GT(entries.size(), 1000u) << "the seeded domain should hold more than 1,000 users";
    EXPECT_EQ(program->Headers(), headers);
    EXPECT_EQ(end.count, std::to_wstring(entries.size()));

    const Rows shown = program->ReadRows();
    const Rows expected = ExpectedRows(entries, headers);
    ASSERT_EQ(shown.size(), expected.size());
    int mismatches = 0;
    for (size_t r = 0; r < shown.size() && mismatches < 5; ++r) {
        if (shown[r] != expected[r]) {
            ++mismatches;
            ADD_FAILURE() << "row " << r << " (" << Utf8(entries[r].dn) << ")\n  shown:    " << Describe(shown[r])
                          << "\n  expected: " << Describe(expected[r]);
        }
    }
}

void DomainTest::TypeAdministrator(const std::wstring& domainName)
{
    program->TypeCredentials(domainName, domain.user, domain.password);
    program->TypeFilter(domain.filter);
}

std::string FileBytes(const std::wstring& path)
{
    std::ifstream file(std::filesystem::path(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

namespace {

// The header block, a creation time, and then the table as given.
void ExpectCsvHeaderAndTable(const std::string& bytes, const std::string& expected)
{
    const std::string software = "SOFTWARE    :Varnok\r\n";
    const std::string created = "Creation Date\\Time   :";
    ASSERT_EQ(bytes.substr(0, software.size()), software);
    ASSERT_EQ(bytes.substr(software.size(), created.size()), created);
    const size_t time = software.size() + created.size();
    EXPECT_TRUE(std::regex_match(bytes.substr(time, 21), std::regex("[0-3][0-9]/[01][0-9]/20[0-9]{2} [0-2][0-9]:[0-5][0-9]:[0-5][0-9]\r\n")))
        << "creation time line: " << bytes.substr(time, 21);
    const std::string table = bytes.substr(time + 21);
    if (table == expected)
        return;
    // Say where they part, a line is easier to read than a file.
    size_t at = 0;
    while (at < table.size() && at < expected.size() && table[at] == expected[at])
        ++at;
    const size_t line = expected.rfind('\n', at == 0 ? 0 : at - 1);
    const size_t from = line == std::string::npos ? 0 : line + 1;
    ADD_FAILURE() << "the CSV file differs from the list at byte " << at << " of the table:\n  file:     "
                  << table.substr(from, 120) << "\n  expected: " << expected.substr(from, 120);
}

} // namespace

void ExpectCsvFile(const std::string& bytes, const std::vector<std::wstring>& headers, const Rows& rows)
{
    ExpectCsvHeaderAndTable(bytes, ExpectedCsvTable(headers, rows, nullptr));
}

void ExpectUtf8CsvFile(const std::string& bytes, const std::vector<std::wstring>& headers, const Rows& rows)
{
    ASSERT_EQ(bytes.substr(0, 3), "\xEF\xBB\xBF") << "no byte-order mark";
    // The system's own conversion, not the program's, makes the lines expected.
    std::string table;
    const auto appendLine = [&table](const std::vector<std::wstring>& fields) {
        for (size_t i = 0; i < fields.size(); ++i)
            table += Utf8(fields[i]) + (i + 1 < fields.size() ? "," : "\r\n");
    };
    appendLine(headers);
    for (const auto& row : rows)
        appendLine(row);
    ExpectCsvHeaderAndTable(bytes.substr(3), table);
}
