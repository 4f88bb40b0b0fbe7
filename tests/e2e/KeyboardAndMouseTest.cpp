// The CSV file that a query and an export made with the keyboard and the mouse only left behind
// (tests/e2e/keyboard-and-mouse.sh), compared with what ldapsearch found for the same filter.
#include "e2e/DomainFixture.h"

namespace {

TEST(KeyboardAndMouse, TheSavedCsvHoldsWhatLdapsearchFinds)
{
    const std::wstring csv = Environment(L"QUORREX_TEST_SCRIPTED_CSV");
    const TestDomain domain;
    if (csv.empty() || !domain.Present())
        GTEST_SKIP() << "run through tests/e2e/keyboard-and-mouse.sh, which makes the file";
    const std::vector<DirectoryEntry> entries = ReadLdif(L"Z:" + domain.expected);
    ASSERT_GT(entries.size(), 1000u);
    ExpectCsvFile(FileBytes(L"Z:" + csv), kDefaultHeaders, ExpectedRows(entries, kDefaultHeaders));
}

} // namespace
