// The real quorrex.exe against the test domain's controller: binding, searching, the result rows
// compared with what ldapsearch returned for the same filter, and every failure box on the way.
#include "e2e/DomainFixture.h"

#include <algorithm>
#include <initializer_list>

namespace {

using namespace std::chrono_literals;


// The seed's awkward values are among the rows compared, so that a match says they were shown right.
void ExpectAmongRows(const Rows& rows, std::initializer_list<const wchar_t*> cells)
{
    for (const wchar_t* cell : cells) {
        const bool found = std::ranges::any_of(rows, [&](const auto& row) { return std::ranges::count(row, cell) > 0; });
        EXPECT_TRUE(found) << "no row has the cell \"" << Utf8(cell) << "\"";
    }
}

TEST_F(DomainTest, DnsNameListsWhatLdapsearchFindsInItsOrder)
{
    TypeAdministrator(domain.dnsName);
    ExpectListed(Generate(), kDefaultHeaders);
    ExpectAmongRows(ExpectedRows(ExpectedEntries(), kDefaultHeaders),
                    {L"\u0141ukasz", L"\u5c71\u7530 \u592a\u90ce", L"First line  Second line", L"Upper Lower",
                     L"Sales  North  and East", L"Beyond the BMP: \U0001F600", L"-"});
}

TEST_F(DomainTest, CsvExportHoldsTheListedRowsAndCountsWhatEightBitsCannotHold)
{
    TypeAdministrator(domain.dnsName);
    ExpectListed(Generate(), kDefaultHeaders);
    const Rows shown = program->ReadRows();
    unsigned long long unstorable = 0;
    ExpectedCsvTable(kDefaultHeaders, shown, &unstorable);
    ASSERT_GT(unstorable, 0u) << "the seed has names beyond Latin-1";

    wchar_t folder[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, folder);
    const std::wstring file = std::wstring(folder) + L"quorrex-domain-export-" + std::to_wstring(::GetCurrentProcessId());
    ASSERT_TRUE(program->SaveCsvAs(file, 30s)) << "no save dialog came up";
    // The export ends with the message about the characters the file could not hold.
    const std::optional<ProgramBox> box = program->WaitForBox(kRunDeadline);
    ASSERT_TRUE(box.has_value()) << "no message after the export";
    EXPECT_EQ(box->text, std::to_wstring(unstorable) +
                             L" characters could not be stored in the 8-bit CSV file and were written as \"?\".");
    EXPECT_STREQ(BoxIconName(box->icon), BoxIconName(BoxIcon::Warning)); // exclamation and warning are one
    EXPECT_TRUE(program->AnswerBox(*box));

    // The dialog added the default extension to the name typed without one.
    const std::wstring saved = file + L".csv";
    ExpectCsvFile(FileBytes(saved), kDefaultHeaders, shown);
    EXPECT_EQ(program->RowCount(), static_cast<int>(shown.size())) << "the export changed the list";
    ::DeleteFileW(saved.c_str());
}

TEST_F(DomainTest, Utf8CsvFileHoldsWhatLdapsearchReturnedWithEveryCharacter)
{
    TypeAdministrator(domain.dnsName);
    ExpectListed(Generate(), kDefaultHeaders);
    const Rows expected = ExpectedRows(ExpectedEntries(), kDefaultHeaders);

    wchar_t folder[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, folder);
    const std::wstring saved =
        std::wstring(folder) + L"quorrex-domain-utf8-" + std::to_wstring(::GetCurrentProcessId()) + L".csv";
    ASSERT_TRUE(program->SaveCsvAs(saved, 30s, IDM_SAVE_AS_CSV_UTF8)) << "no save dialog came up";
    // The file takes its name only once it is complete.
    const auto until = std::chrono::steady_clock::now() + kRunDeadline;
    while (::GetFileAttributesW(saved.c_str()) == INVALID_FILE_ATTRIBUTES && std::chrono::steady_clock::now() < until)
        ::Sleep(50);
    ASSERT_NE(::GetFileAttributesW(saved.c_str()), INVALID_FILE_ATTRIBUTES) << "no file was saved";
    ASSERT_TRUE(program->Responds(30s));
    EXPECT_FALSE(program->FindBox().has_value()) << "a message after the UTF-8 export";
    ExpectUtf8CsvFile(FileBytes(saved), kDefaultHeaders, expected);
    ::DeleteFileW(saved.c_str());
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
    const std::vector<std::wstring> available = ListBoxEntries(::GetDlgItem(chooser, IDC_AVAILABLE_LIST));
    ASSERT_EQ(available.size(), 11u);
    ::PostMessageW(chooser, WM_COMMAND, MAKEWPARAM(IDC_ADD_ALL, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(chooser, IDC_ADD_ALL)));
    ::PostMessageW(chooser, WM_COMMAND, MAKEWPARAM(IDC_CHOOSER_OK, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(chooser, IDC_CHOOSER_OK)));

    std::vector<std::wstring> headers = kDefaultHeaders;
    headers.insert(headers.end(), available.begin(), available.end());
    ExpectListed(program->WaitForRunEnd(kRunDeadline), headers);
    ExpectAmongRows(ExpectedRows(ExpectedEntries(), headers),
                    {L"http://one.quorrex.test;http://two.quorrex.test;http://three.quorrex.test",
                     L"10 High Street  Flat 2", L"+44 20 7946 0958", L"PO 1;PO 2", L"every.attribute@quorrex.test",
                     L"United Kingdom", L"Room 101", L"12345", L"Kent", L"Springfield"});
}

TEST_F(DomainTest, AdvancedAddsOneChosenColumn)
{
    TypeAdministrator(domain.dnsName);
    program->PressAdvanced();
    HWND chooser = program->WaitForChooser(30s);
    ASSERT_NE(chooser, nullptr) << "the chooser did not open";
    HWND availableList = ::GetDlgItem(chooser, IDC_AVAILABLE_LIST);
    const std::vector<std::wstring> available = ListBoxEntries(availableList);
    const auto web = std::ranges::find(available, L"WEB SITE ADDRESS");
    ASSERT_NE(web, available.end());
    ::SendMessageW(availableList, LB_SETCURSEL, static_cast<WPARAM>(web - available.begin()), 0);
    ::SendMessageW(chooser, WM_COMMAND, MAKEWPARAM(IDC_ADD, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(chooser, IDC_ADD)));
    std::vector<std::wstring> headers = kDefaultHeaders;
    headers.push_back(L"WEB SITE ADDRESS");
    // The chooser keeps its lists sorted; the new column goes after the ones already shown.
    std::vector<std::wstring> selected = ListBoxEntries(::GetDlgItem(chooser, IDC_SELECTED_LIST));
    std::vector<std::wstring> sortedHeaders = headers;
    std::ranges::sort(selected);
    std::ranges::sort(sortedHeaders);
    EXPECT_EQ(selected, sortedHeaders);
    EXPECT_EQ(ListBoxEntries(availableList).size(), available.size() - 1);
    ::PostMessageW(chooser, WM_COMMAND, MAKEWPARAM(IDC_CHOOSER_OK, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(chooser, IDC_CHOOSER_OK)));

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

TEST_F(DomainTest, RejectedFilterShowsTheSearchFailure)
{
    TypeAdministrator(domain.dnsName);
    // Not a filter at all: the user is pointed at the filter.
    program->TypeFilter(L"(cn=");
    ExpectBox(Generate(), L"The search could not be run. Check the LDAP filter.", BoxIcon::Error);
    // Well-formed, but refused by the controller (ldapsearch: "Operations error"): the search failed.
    for (const wchar_t* filter : {L"(cn~=Bulk)", L"(userAccountControl:1.2.840.113556.1.4.803:=abc)"}) {
        SCOPED_TRACE(Utf8(filter));
        program->TypeFilter(filter);
        ExpectBox(Generate(), L"The search could not be run.", BoxIcon::Error);
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

} // namespace
