// The fixture of the tests that drive the real program against the test domain's controller.
#pragma once

#include "e2e/DirectoryRows.h"
#include "e2e/ProgramDriver.h"

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

inline constexpr std::chrono::seconds kRunDeadline{90};

extern const std::vector<std::wstring> kDefaultHeaders;

// A variable of the environment the tests run in; empty when it is not set.
std::wstring Environment(const wchar_t* name);
std::string Utf8(const std::wstring& text);
// Readable forms of a row and of how a run ended, for failure messages.
std::string Describe(const std::vector<std::wstring>& cells);
std::string Describe(const RunEnd& end);

// The domain set up by scripts/test-domain.sh, as it tells the tests through the environment.
struct TestDomain {
    std::wstring dnsName = Environment(L"QUORREX_TEST_DOMAIN");
    std::wstring netbiosName = Environment(L"QUORREX_TEST_NETBIOS");
    std::wstring controller = Environment(L"QUORREX_TEST_CONTROLLER");
    std::wstring deadDomain = Environment(L"QUORREX_TEST_DEAD_DOMAIN");
    std::wstring deadController = Environment(L"QUORREX_TEST_DEAD_CONTROLLER");
    std::wstring user = Environment(L"QUORREX_TEST_USER");
    std::wstring password = Environment(L"QUORREX_TEST_PASSWORD");
    std::wstring filter = Environment(L"QUORREX_TEST_FILTER");
    std::wstring expected = Environment(L"QUORREX_TEST_EXPECTED");

    bool Present() const { return !dnsName.empty() && !expected.empty(); }
};

// A CSV file as the program writes it: the software line, a creation time line
// ("dd/mm/yyyy hh:mm:ss"), then these headers and rows in 8-bit text with CR LF line ends.
void ExpectCsvFile(const std::string& bytes, const std::vector<std::wstring>& headers, const Rows& rows);
// The same lines in UTF-8 after the byte-order mark, every character kept.
void ExpectUtf8CsvFile(const std::string& bytes, const std::vector<std::wstring>& headers, const Rows& rows);
// The whole content of a file; empty when it cannot be read.
std::string FileBytes(const std::wstring& path);

// Starts the program for each test (skipped without the test domain).
class DomainTest : public ::testing::Test {
protected:
    TestDomain domain;
    std::optional<RunningProgram> program;

    void SetUp() override;

    // Presses Generate and waits for the run to end.
    RunEnd Generate();
    // The run ends in one box with this text and icon, which OK closes; nothing is listed.
    void ExpectBox(const RunEnd& end, const std::wstring& text, BoxIcon icon);
    // The list holds exactly the rows ldapsearch found, in its order, and the count says how many.
    void ExpectListed(const RunEnd& end, const std::vector<std::wstring>& headers);
    std::vector<DirectoryEntry> ExpectedEntries() const;
    void TypeAdministrator(const std::wstring& domainName);
};
