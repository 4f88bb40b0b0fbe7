// The real quorrex.exe while the test domain's controller dies: in the middle of a search, and as
// the program binds.
#include "e2e/DomainFixture.h"

#include <filesystem>
#include <fstream>

namespace {

using namespace std::chrono_literals;

// The controller dies at a chosen moment of a run. tests/e2e/controller-death.sh runs these tests
// and plays the controller's part: it waits for the word that Generate was pressed, kills the
// controller when the moment comes (samba, and with it every process of its PID namespace), says
// what it saw, and starts the controller again once it hears that the run has ended.
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
    // Wine's provider reads the whole result in ExecuteSearch, so the search fails as a whole (and
    // the filter, which is fine, is not blamed); a provider that pages would fail later and keep
    // the rows read so far.
    const std::wstring failed = L"The search could not be run.";
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
