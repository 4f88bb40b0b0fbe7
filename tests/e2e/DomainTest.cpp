// The real quorrex.exe against the test domain's controller: binding, searching, the result rows
// compared with what ldapsearch returned for the same filter, and every failure box on the way.
#include "e2e/DirectoryRows.h"
#include "e2e/ProgramDriver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

namespace {

using namespace std::chrono_literals;

constexpr auto kRunDeadline = 90s;
constexpr int kChooserAvailable = 1006;
constexpr int kChooserSelected = 1004;
constexpr int kChooserAdd = 1002;
constexpr int kChooserAddAll = 1007;
constexpr int kChooserOk = 1003;

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

class DomainTest : public ::testing::Test {
protected:
    TestDomain domain;
    std::optional<RunningProgram> program;

    void SetUp() override
    {
        if (!domain.Present())
            GTEST_SKIP() << "no test domain: run through scripts/test.sh or scripts/test-domain.sh";
        program.emplace();
        ASSERT_TRUE(program->Started()) << "quorrex.exe did not show its window";
    }

    RunEnd Generate()
    {
        program->PressGenerate();
        return program->WaitForRunEnd(kRunDeadline);
    }

    // The run ends in one box with this text and icon, which OK closes; nothing is listed.
    void ExpectBox(const RunEnd& end, const std::wstring& text, BoxIcon icon)
    {
        ASSERT_TRUE(end.ended) << "no box and no result within the deadline";
        ASSERT_TRUE(end.box.has_value()) << Describe(end);
        EXPECT_EQ(end.box->text, text) << Describe(end);
        EXPECT_EQ(end.box->caption, L"quorrex");
        EXPECT_STREQ(BoxIconName(end.box->icon), BoxIconName(icon));
        EXPECT_TRUE(program->AnswerBox(*end.box)) << "the box did not close on OK";
        EXPECT_EQ(program->RowCount(), 0);
        EXPECT_EQ(program->ControlText(1014), L"0");
        EXPECT_TRUE(program->Responds(10s));
    }

    std::vector<DirectoryEntry> ExpectedEntries() const { return ReadLdif(L"Z:" + domain.expected); }

    // The list holds exactly the expected rows, in their order, and the count says how many.
    void ExpectListed(const RunEnd& end, const std::vector<std::wstring>& headers)
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

    void TypeAdministrator(const std::wstring& domainName)
    {
        program->TypeCredentials(domainName, domain.user, domain.password);
        program->TypeFilter(domain.filter);
    }
};

TEST_F(DomainTest, DnsNameListsWhatLdapsearchFindsInItsOrder)
{
    TypeAdministrator(domain.dnsName);
    ExpectListed(Generate(), kDefaultHeaders);
}

TEST_F(DomainTest, DnsNameInOtherLetterCaseListsTheSame)
{
    std::wstring mixed = domain.dnsName;
    for (size_t i = 0; i < mixed.size(); i += 2)
        mixed[i] = static_cast<wchar_t>(towupper(mixed[i]));
    ASSERT_NE(mixed, domain.dnsName);
    TypeAdministrator(mixed);
    ExpectListed(Generate(), kDefaultHeaders);
}

TEST_F(DomainTest, AdvancedAddsEveryColumnWithItsValues)
{
    TypeAdministrator(domain.dnsName);
    program->PressAdvanced();
    HWND chooser = program->WaitForChooser(30s);
    ASSERT_NE(chooser, nullptr) << "the chooser did not open";
    const std::vector<std::wstring> available = ListBoxEntries(::GetDlgItem(chooser, kChooserAvailable));
    ASSERT_EQ(available.size(), 11u);
    ::PostMessageW(chooser, WM_COMMAND, MAKEWPARAM(kChooserAddAll, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(chooser, kChooserAddAll)));
    ::PostMessageW(chooser, WM_COMMAND, MAKEWPARAM(kChooserOk, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(chooser, kChooserOk)));

    std::vector<std::wstring> headers = kDefaultHeaders;
    headers.insert(headers.end(), available.begin(), available.end());
    ExpectListed(program->WaitForRunEnd(kRunDeadline), headers);
}

TEST_F(DomainTest, AdvancedAddsOneChosenColumn)
{
    TypeAdministrator(domain.dnsName);
    program->PressAdvanced();
    HWND chooser = program->WaitForChooser(30s);
    ASSERT_NE(chooser, nullptr) << "the chooser did not open";
    HWND availableList = ::GetDlgItem(chooser, kChooserAvailable);
    const std::vector<std::wstring> available = ListBoxEntries(availableList);
    const auto web = std::ranges::find(available, L"WEB SITE ADDRESS");
    ASSERT_NE(web, available.end());
    ::SendMessageW(availableList, LB_SETCURSEL, static_cast<WPARAM>(web - available.begin()), 0);
    ::SendMessageW(chooser, WM_COMMAND, MAKEWPARAM(kChooserAdd, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(chooser, kChooserAdd)));
    std::vector<std::wstring> headers = kDefaultHeaders;
    headers.push_back(L"WEB SITE ADDRESS");
    // The chooser keeps its lists sorted; the new column goes after the ones already shown.
    std::vector<std::wstring> selected = ListBoxEntries(::GetDlgItem(chooser, kChooserSelected));
    std::vector<std::wstring> sortedHeaders = headers;
    std::ranges::sort(selected);
    std::ranges::sort(sortedHeaders);
    EXPECT_EQ(selected, sortedHeaders);
    EXPECT_EQ(ListBoxEntries(availableList).size(), available.size() - 1);
    ::PostMessageW(chooser, WM_COMMAND, MAKEWPARAM(kChooserOk, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(chooser, kChooserOk)));

    ExpectListed(program->WaitForRunEnd(kRunDeadline), headers);
}

TEST_F(DomainTest, WrongPasswordAsksForValidCredentialsOfTheController)
{
    program->TypeCredentials(domain.dnsName, domain.user, domain.password + L"-wrong");
    program->TypeFilter(domain.filter);
    ExpectBox(Generate(), L"Enter valid credentials of \"" + domain.controller + L"\"", BoxIcon::Error);
}

TEST_F(DomainTest, UnknownDomainIsAnInvalidDomainName)
{
    program->TypeCredentials(L"nowhere." + domain.dnsName, domain.user, domain.password);
    ExpectBox(Generate(), L"Invalid domain name.", BoxIcon::Error);
}

// Under Wine the NetBIOS lookup is a stub and the locator asks DNS only, which does not know the
// short name; on Windows the same name finds the controller.
TEST_F(DomainTest, NetbiosNameIsAnInvalidDomainNameUnderWine)
{
    TypeAdministrator(domain.netbiosName);
    ExpectBox(Generate(), L"Invalid domain name.", BoxIcon::Error);
}

TEST_F(DomainTest, RejectedFilterShowsTheFilterFailure)
{
    TypeAdministrator(domain.dnsName);
    // Refused by the controller (ldapsearch: "Operations error"), and one that is not a filter at all.
    for (const wchar_t* filter : {L"(cn~=Bulk)", L"(userAccountControl:1.2.840.113556.1.4.803:=abc)", L"(cn="}) {
        SCOPED_TRACE(Utf8(filter));
        program->TypeFilter(filter);
        ExpectBox(Generate(), L"The search could not be run. Check the LDAP filter.", BoxIcon::Error);
    }
}

TEST_F(DomainTest, FilterMatchingNothingSaysSo)
{
    TypeAdministrator(domain.dnsName);
    program->TypeFilter(L"(&(objectClass=user)(cn=Nobody By This Name))");
    ExpectBox(Generate(), L"No such objects found.", BoxIcon::Warning);
}

// The locator names a controller whose address answers nothing: the bind fails like a refused one.
TEST_F(DomainTest, UnreachableControllerAsksForValidCredentials)
{
    program->TypeCredentials(domain.deadDomain, domain.user, domain.password);
    ExpectBox(Generate(), L"Enter valid credentials of \"" + domain.deadController + L"\"", BoxIcon::Error);
}

// The controller dies at a chosen moment of a run. tests/e2e/controller-death.sh runs these tests
// and plays the controller's part: it waits for the word that Generate was pressed, kills every
// samba process by pid when the moment comes, says what it saw, and starts the controller again
// once it hears that the run has ended.
class ControllerDeath : public DomainTest {
protected:
    std::wstring signals = Environment(L"QUORREX_TEST_DEATH_DIR");

    void SetUp() override
    {
        if (signals.empty())
            GTEST_SKIP() << "run through tests/e2e/controller-death.sh, which kills the controller";
        DomainTest::SetUp();
    }

    std::filesystem::path Signal(const wchar_t* name) const { return std::filesystem::path(L"Z:" + signals) / name; }

    void PressGenerateAndSaySo()
    {
        program->PressGenerate();
        std::ofstream(Signal(L"generate-pressed")) << "pressed\n";
    }

    RunEnd WaitForRunEndAndSaySo()
    {
        const RunEnd end = program->WaitForRunEnd(kRunDeadline);
        std::ofstream(Signal(L"run-ended")) << "ended\n";
        return end;
    }

    // What the script saw when it killed the controller; empty while it has not.
    std::string Killed(std::chrono::seconds wait) const
    {
        const auto until = std::chrono::steady_clock::now() + wait;
        do {
            std::ifstream file(Signal(L"controller-killed"));
            std::string line;
            if (file && std::getline(file, line))
                return line;
            ::Sleep(50);
        } while (std::chrono::steady_clock::now() < until);
        return {};
    }

    bool Restarted(std::chrono::seconds wait) const
    {
        const auto until = std::chrono::steady_clock::now() + wait;
        while (!std::filesystem::exists(Signal(L"controller-restarted"))) {
            if (std::chrono::steady_clock::now() > until)
                return false;
            ::Sleep(100);
        }
        return true;
    }
};

TEST_F(ControllerDeath, MidSearchEndsInAFailureBoxAndTheNextRunListsEverything)
{
    TypeAdministrator(domain.dnsName);
    PressGenerateAndSaySo();
    const RunEnd end = WaitForRunEndAndSaySo();
    const std::string killed = Killed(5s);
    ASSERT_EQ(killed.rfind("mid-search", 0), 0u) << "the controller was not killed while sending results: " << killed;

    ASSERT_TRUE(end.ended) << "the program still waits, " << kRunDeadline.count() << " s after the controller died";
    ASSERT_FALSE(program->HasExited()) << "the program ended";
    ASSERT_TRUE(end.box.has_value()) << Describe(end);
    // Wine's provider reads the whole result in ExecuteSearch, so the search fails as a whole; a
    // provider that pages would fail later and keep the rows read so far.
    const std::wstring failed = L"The search could not be run. Check the LDAP filter.";
    const std::wstring stopped = L"The directory stopped sending results. The list holds only the objects read so far.";
    EXPECT_TRUE(end.box->text == failed || end.box->text == stopped) << Describe(end);
    EXPECT_EQ(end.count, std::to_wstring(program->RowCount()));
    EXPECT_TRUE(program->AnswerBox(*end.box));
    EXPECT_TRUE(program->Responds(10s));

    ASSERT_TRUE(Restarted(60s)) << "the controller did not come back";
    ExpectListed(Generate(), kDefaultHeaders);
}

TEST_F(ControllerDeath, AtBindAsksForValidCredentialsOfTheController)
{
    TypeAdministrator(domain.dnsName);
    PressGenerateAndSaySo();
    const RunEnd end = WaitForRunEndAndSaySo();
    const std::string killed = Killed(5s);
    ASSERT_EQ(killed.rfind("at-bind", 0), 0u) << "the controller was not killed at the bind: " << killed;
    ExpectBox(end, L"Enter valid credentials of \"" + domain.controller + L"\"", BoxIcon::Error);
    EXPECT_TRUE(Restarted(60s)) << "the controller did not come back";
}

} // namespace
