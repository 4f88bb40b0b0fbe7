// Opening a link target: the shell, the registry's browser command as it is cut and run, the
// limits of the registry value and of the command line, and the failure messages.
#include "controls/OpenLinkTarget.h"

#include "support/FakeLinkApi.h"
#include "support/MainWindowStandIn.h"
#include "support/MessageBoxRecorder.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const std::wstring kTarget = L"https://www.quorrex.example/";

TEST(OpenLinkTarget, TheShellOpensTheTargetAndNothingElseIsAsked)
{
    FakeLinkApi api;
    api.RegisterBrowser(L"browser.exe %1");
    api.shellResult = 42;
    EXPECT_EQ(OpenLinkTarget(kTarget), 42);
    ASSERT_EQ(api.shellCalls.size(), 1u);
    const ShellCall& call = api.shellCalls[0];
    EXPECT_EQ(call.owner, nullptr);
    EXPECT_EQ(call.verb, L"open");
    EXPECT_EQ(call.file, kTarget);
    EXPECT_TRUE(call.noParameters && call.noFolder);
    EXPECT_EQ(call.show, SW_SHOW);
    EXPECT_TRUE(api.openedKeys.empty());
    EXPECT_TRUE(api.commands.empty());
}

TEST(OpenLinkTarget, TheBrowserCommandIsCutAtItsPlaceholderAndGetsTheTarget)
{
    struct Case {
        const wchar_t* commandTemplate;
        std::string command;
    };
    const Case cases[] = {
        {L"browser.exe -url \"%1\" -new", "browser.exe -url  https://www.quorrex.example/"},
        {L"browser.exe %1 -new", "browser.exe  https://www.quorrex.example/"},
        {L"browser.exe", "browser.exe https://www.quorrex.example/"},
    };
    for (const Case& c : cases) {
        FakeLinkApi api;
        api.RegisterBrowser(c.commandTemplate);
        api.winExecResult = 33;
        EXPECT_EQ(OpenLinkTarget(kTarget), 33);
        ASSERT_EQ(api.commands.size(), 1u);
        EXPECT_EQ(api.commands[0], c.command);
        EXPECT_EQ(api.commandShows[0], static_cast<UINT>(SW_SHOW));
        EXPECT_EQ(api.openedKeys, (std::vector<std::wstring>{L".htm", L"htmlfile\\shell\\open\\command"}));
        EXPECT_EQ(api.openAccess, (std::vector<REGSAM>{KEY_QUERY_VALUE, KEY_QUERY_VALUE}));
        EXPECT_EQ(api.keysLeftOpen, 0);
    }
}

TEST(OpenLinkTarget, NothingRunsWhenTheValueOrTheCommandLineIsTooLong)
{
    // A default value is read up to 129 characters; the command line holds 519 and its terminator.
    struct Case {
        size_t templateLength;
        size_t targetLength;
        bool runs;
    };
    const Case cases[] = {
        {129, 389, true},  // 129 + blank + 389 = 519
        {129, 390, false}, // 520: no room for the terminator
        {130, 10, false},  // the value is over the limit
    };
    for (const Case& c : cases) {
        FakeLinkApi api;
        api.RegisterBrowser(std::wstring(c.templateLength, L'b'));
        const std::wstring target(c.targetLength, L't');
        const int result = OpenLinkTarget(target);
        EXPECT_EQ(api.commands.size(), c.runs ? 1u : 0u) << c.templateLength << " + " << c.targetLength;
        EXPECT_EQ(result, c.runs ? 33 : SE_ERR_NOASSOC) << "the shell's result when nothing runs";
        if (c.runs) {
            EXPECT_EQ(api.commands[0], std::string(c.templateLength, 'b') + ' ' + std::string(c.targetLength, 't'));
        }
        EXPECT_EQ(api.keysLeftOpen, 0);
    }
}

TEST(ShowOpenError, EachCodeHasItsLineAndEveryOtherCodeIsUnknown)
{
    struct Case {
        int code;
        std::wstring line;
    };
    std::vector<Case> cases = {
        {0, L"The operating system is out\nof memory or resources."},
        {2, L"The specified file was not found."},
        {3, L"The specified path was not found."},
        {5, L"The operating system denied\naccess to the specified file."},
        {8, L"There was not enough memory to complete the operation."},
        {11, L"The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image)."},
        {26, L"A sharing violation occurred. "},
        {27, L"The filename association is\nincomplete or invalid."},
        {28, L"The DDE transaction could not\nbe completed because the request timed out."},
        {29, L"The DDE transaction failed."},
        {30, L"The DDE transaction could not\nbe completed because other DDE transactions\nwere being processed."},
        {31, L"There is no application associated\nwith the given filename extension."},
        {32, L"The specified dynamic-link library was not found."},
        {-1, L"Unknown Error (-1) occurred."},
        {-2147483647 - 1, L"Unknown Error (-2147483648) occurred."},
    };
    for (int code : {1, 4, 6, 7, 9, 10})
        cases.push_back({code, L"Unknown Error (" + std::to_wstring(code) + L") occurred."});
    for (int code = 12; code <= 25; ++code)
        cases.push_back({code, L"Unknown Error (" + std::to_wstring(code) + L") occurred."});

    MainWindowStandIn mainWindow;
    for (const Case& c : cases) {
        MessageBoxRecorder boxes;
        ShowOpenError(c.code);
        ASSERT_EQ(boxes.boxes().size(), 1u);
        EXPECT_EQ(boxes.boxes()[0].text, L"Unable to open hyperlink:\n\n" + c.line) << "code " << c.code;
        EXPECT_EQ(boxes.boxes()[0].type, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
        EXPECT_EQ(boxes.boxes()[0].caption, AppName());
    }
}

} // namespace
