// The program copied into a folder beside DLLs named like the system's, as a Downloads folder may
// hold them, and started there: a query, the chooser, the About box and the save dialog all work,
// and none of those DLLs is ever loaded.
#include "e2e/DomainFixture.h"
#include "support/TempFolder.h"

#include <filesystem>

#ifndef QUORREX_PLANTED_DLL
#error QUORREX_PLANTED_DLL must name the DLL that records its loading
#endif

namespace {

using namespace std::chrono_literals;

// The DLLs Windows would look for beside the program unless told otherwise (the KnownDLLs it never
// does are left out, but for WLDAP32, which the directory's provider imports): those the program
// loaded under Wine on the way through these steps (WINEDEBUG=+loaddll), and those that its
// directory, network and dialog DLLs load in turn on Windows.
const wchar_t* const kPlantedNames[] = {
    // seen under Wine
    L"activeds.dll", L"netapi32.dll", L"uxtheme.dll", L"adsldp.dll", L"secur32.dll", L"kerberos.dll",
    L"msv1_0.dll", L"dnsapi.dll", L"iphlpapi.dll", L"comctl32.dll", L"msimg32.dll", L"version.dll",
    L"compstui.dll", L"winspool.drv", L"ucrtbase.dll", L"win32u.dll", L"wldap32.dll",
    // loaded by the program itself at the first save dialog
    L"comdlg32.dll",
    // on Windows: the provider's LDAP layer, the network functions' parts, the save dialog's shell
    L"adsldpc.dll", L"netutils.dll", L"logoncli.dll", L"wkscli.dll", L"srvcli.dll", L"sspicli.dll",
    L"ntdsapi.dll", L"propsys.dll", L"explorerframe.dll", L"windows.storage.dll", L"dwmapi.dll",
};

// The copy of the program and the planted DLLs, in a folder of their own.
class PlantedFolder {
public:
    PlantedFolder()
    {
        for (const wchar_t* name : kPlantedNames)
            m_copied = m_copied && ::CopyFileW(QUORREX_PLANTED_DLL, folder.Path(name).c_str(), FALSE);
        m_copied = m_copied && ::CopyFileW(QUORREX_EXE, Program().c_str(), FALSE);
    }

    bool Ready() const { return m_copied; }
    std::wstring Program() const { return folder.Path(L"quorrex.exe"); }
    std::wstring Folder() const { return std::filesystem::path(Program()).parent_path().wstring(); }
    std::wstring Marker(const wchar_t* name) const { return folder.Path(std::wstring(name) + L".loaded"); }

    // The planted DLLs that were loaded, each with the program that loaded it.
    std::vector<std::string> Loaded() const
    {
        std::vector<std::string> loaded;
        for (const wchar_t* name : kPlantedNames) {
            if (FileExists(Marker(name)))
                loaded.push_back(Utf8(name) + " (by " + ReadFileBytes(Marker(name)) + ")");
        }
        return loaded;
    }

    void Forget() const
    {
        for (const wchar_t* name : kPlantedNames)
            ::DeleteFileW(Marker(name).c_str());
    }

    TempFolder folder;

private:
    bool m_copied = true;
};

std::string Describe(const std::vector<std::string>& loaded)
{
    std::string text;
    for (const std::string& entry : loaded)
        text += "\n  " + entry;
    return text;
}

class PlantedDllTest : public DomainTest {
protected:
    void SetUp() override
    {
        if (!domain.Present())
            GTEST_SKIP() << "no test domain: run through scripts/test.sh or scripts/test-domain.sh";
        ASSERT_TRUE(planted.Ready()) << "the program and the planted DLLs could not be copied";
        // The planted DLLs do tell when they are loaded: one loaded here by its path says so.
        const std::wstring probe = planted.folder.Path(L"activeds.dll");
        EXPECT_EQ(::LoadLibraryW(probe.c_str()), nullptr) << "a planted DLL must refuse to load";
        ASSERT_EQ(planted.Loaded().size(), 1u) << "a planted DLL that is loaded leaves no marker";
        planted.Forget();

        program.emplace(planted.Program(), planted.Folder());
        ASSERT_TRUE(program->Started()) << "the copy of quorrex.exe did not show its window";
    }

    // However far the steps came: the program ended, so that what it loads on its way out counts too.
    void TearDown() override
    {
        if (!program)
            return;
        program.reset();
        EXPECT_EQ(Describe(planted.Loaded()), "") << "planted DLLs were loaded";
    }

    PlantedFolder planted;
};

TEST_F(PlantedDllTest, NoneIsLoadedWhileTheProgramQueriesChoosesShowsItsAboutBoxAndSaves)
{
    TypeAdministrator(domain.dnsName);
    ExpectListed(Generate(), kDefaultHeaders);

    program->PressAdvanced();
    HWND chooser = program->WaitForChooser(30s);
    ASSERT_NE(chooser, nullptr) << "the chooser did not open";
    EXPECT_EQ(ListBoxEntries(::GetDlgItem(chooser, IDC_AVAILABLE_LIST)).size(), 11u);
    EXPECT_TRUE(program->CloseDialog(chooser, IDC_CHOOSER_CANCEL));

    program->PressAbout();
    HWND about = program->WaitForDialog(L"Quorrex", 30s);
    ASSERT_NE(about, nullptr) << "the About box did not open";
    // Drawn, its themed OK button among it, before it goes.
    EXPECT_TRUE(program->Responds(10s));
    EXPECT_NE(::GetDlgItem(about, IDC_ABOUT_OK), nullptr);
    EXPECT_TRUE(program->CloseDialog(about, IDC_ABOUT_OK));

    const std::wstring csv = planted.folder.Path(L"export");
    ASSERT_TRUE(program->SaveCsvAs(csv, 30s)) << "no save dialog came up";
    const std::optional<ProgramBox> box = program->WaitForBox(kRunDeadline);
    ASSERT_TRUE(box.has_value()) << "no message after the export";
    EXPECT_TRUE(program->AnswerBox(*box));
    ExpectCsvFile(ReadFileBytes(csv + L".csv"), kDefaultHeaders, program->ReadRows());
}

} // namespace
