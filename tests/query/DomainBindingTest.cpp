// Binding with the typed credentials, the controller lookup, and the joined domain.
#include "query/DomainBinding.h"

#include "framework/BusyInput.h"
#include "support/QueryDialogFixture.h"

#include <algorithm>
#include <string>

namespace {

class BindToDomainTest : public QueryDialogFixture {
protected:
    IDirectorySearch* Bind()
    {
        BusyInput input(dialog.m_hWnd);
        return BindToDomain(dialog, input).Get(); // released here: only its address is compared
    }
};

TEST_F(BindToDomainTest, TypedCredentialsBindToTheControllerPath)
{
    Type(IDC_DOMAIN_NAME, L"EXAMPLE");
    Type(IDC_USER, L"Administrator");
    Type(IDC_PASSWORD, L"Secret1!");
    EXPECT_EQ(Bind(), &directory);

    EXPECT_EQ(api.coInitializeCalls, 1);
    EXPECT_EQ(api.netDcLookups, std::vector<std::wstring>{L"EXAMPLE"});
    ASSERT_EQ(api.opens.size(), 1u);
    const OpenObjectCall& call = api.opens[0];
    EXPECT_EQ(call.path, L"LDAP://DC1");
    EXPECT_EQ(call.user, L"Administrator");
    EXPECT_EQ(call.password, L"Secret1!");
    EXPECT_EQ(call.flags, 1u);
    EXPECT_TRUE(IsEqualIID(call.iid, IID_IDirectorySearch));
    EXPECT_TRUE(api.liveBuffers.empty()) << "controller name not freed";
    EXPECT_EQ(api.badFrees, 0);
    EXPECT_TRUE(boxes.boxes().empty());
}

TEST_F(BindToDomainTest, NoCredentialsBindToTheDomainAsTypedWithNullStrings)
{
    Type(IDC_DOMAIN_NAME, L" Example.Test ");
    EXPECT_EQ(Bind(), &directory);

    EXPECT_EQ(api.netDcLookups, std::vector<std::wstring>{L" Example.Test "});
    ASSERT_EQ(api.opens.size(), 1u);
    EXPECT_EQ(api.opens[0].path, L"LDAP:// Example.Test ");
    EXPECT_FALSE(api.opens[0].user.has_value());
    EXPECT_FALSE(api.opens[0].password.has_value());
    EXPECT_EQ(api.opens[0].flags, 1u);
    EXPECT_TRUE(api.liveBuffers.empty());
}

TEST_F(BindToDomainTest, OneEmptyCredentialIsPassedAsAnEmptyString)
{
    Type(IDC_DOMAIN_NAME, L"EXAMPLE");
    Type(IDC_USER, L"alice");
    Bind();
    Type(IDC_USER, L"");
    Type(IDC_PASSWORD, L"pw");
    Bind();

    ASSERT_EQ(api.opens.size(), 2u);
    EXPECT_EQ(api.opens[0].path, L"LDAP://DC1");
    EXPECT_EQ(api.opens[0].user, L"alice");
    EXPECT_EQ(api.opens[0].password, L"");
    EXPECT_EQ(api.opens[1].path, L"LDAP://DC1");
    EXPECT_EQ(api.opens[1].user, L"");
    EXPECT_EQ(api.opens[1].password, L"pw");
}

TEST_F(BindToDomainTest, DnsNameUnknownToNetBiosLookupIsFoundThroughTheLocator)
{
    api.netDcResult = NERR_DCNotFound;
    api.dsDcResult = ERROR_SUCCESS;
    Type(IDC_DOMAIN_NAME, L"example.test");
    Type(IDC_USER, L"Administrator@EXAMPLE.TEST");
    Type(IDC_PASSWORD, L"pw");
    EXPECT_EQ(Bind(), &directory);

    EXPECT_EQ(api.dsDcLookups, std::vector<std::wstring>{L"example.test"});
    ASSERT_EQ(api.dsDcFlags.size(), 1u);
    EXPECT_EQ(api.dsDcFlags[0], static_cast<ULONG>(DS_DIRECTORY_SERVICE_REQUIRED | DS_RETURN_DNS_NAME));
    ASSERT_EQ(api.opens.size(), 1u);
    EXPECT_EQ(api.opens[0].path, L"LDAP://dc1.example.test");
    EXPECT_TRUE(api.liveBuffers.empty());
}

TEST_F(BindToDomainTest, LocatorIsNotAskedWhenTheNetBiosLookupAnswers)
{
    api.dsDcResult = ERROR_SUCCESS;
    Type(IDC_DOMAIN_NAME, L"EXAMPLE");
    Bind();
    EXPECT_TRUE(api.dsDcLookups.empty());
}

TEST_F(BindToDomainTest, UnknownDomainShowsInvalidDomainNameAndBindsNothing)
{
    api.netDcResult = NERR_DCNotFound;
    struct Case {
        std::wstring domain;
        bool lookedUp; // a name longer than a domain's goes to no lookup
    };
    const Case cases[] = {
        {L"nosuch.example", true},
        {std::wstring(255, L'x'), true},
        {std::wstring(256, L'x'), false},
        {std::wstring(30000, L'x'), false},
    };
    for (const Case& c : cases) {
        FakeDirectoryApi fresh;
        fresh.netDcResult = NERR_DCNotFound;
        MessageBoxRecorder boxesOfThisCase;
        Type(IDC_DOMAIN_NAME, c.domain);
        EXPECT_EQ(Bind(), nullptr) << c.domain.size();
        EXPECT_TRUE(fresh.opens.empty());
        EXPECT_EQ(fresh.netDcLookups.size(), c.lookedUp ? 1u : 0u) << c.domain.size();
        EXPECT_EQ(fresh.dsDcLookups.size(), c.lookedUp ? 1u : 0u) << c.domain.size();
        ASSERT_EQ(boxesOfThisCase.boxes().size(), 1u) << c.domain.size();
        EXPECT_EQ(boxesOfThisCase.boxes()[0].text, L"Invalid domain name.");
        EXPECT_EQ(boxesOfThisCase.boxes()[0].type, static_cast<UINT>(MB_ICONERROR));
        EXPECT_TRUE(fresh.liveBuffers.empty());
    }
}

TEST_F(BindToDomainTest, ALongNameIsInvalidWithTheSystemsOwnLookups)
{
    // The system's lookups crashed on such a name under Wine, with the typed text on the stack.
    const DirectoryApi fake = TheDirectoryApi();
    TheDirectoryApi() = SystemDirectoryApi();
    Type(IDC_DOMAIN_NAME, std::wstring(1100, L'q') + L".test");
    EXPECT_EQ(Bind(), nullptr);
    TheDirectoryApi() = fake;
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].text, L"Invalid domain name.");
}

TEST_F(BindToDomainTest, EveryControllerBufferIsFreedWhenTheLookupsFailOrNameNothing)
{
    struct Case {
        const char* what;
        void (*arrange)(FakeDirectoryApi&);
    };
    const Case cases[] = {
        {"both fail, each handing out a buffer",
         [](FakeDirectoryApi& a) {
             a.netDcResult = NERR_DCNotFound;
             a.netDcBufferAlways = true;
             a.dsDcResult = ERROR_NO_SUCH_DOMAIN;
             a.dsDcRecordAlways = true;
         }},
        {"the locator answers without a name",
         [](FakeDirectoryApi& a) {
             a.netDcResult = NERR_DCNotFound;
             a.dsDcResult = ERROR_SUCCESS;
             a.dsDcNoName = true;
         }},
        {"the NetBIOS lookup answers without a name, the locator fails",
         [](FakeDirectoryApi& a) {
             a.netDcNoName = true;
             a.dsDcResult = ERROR_NO_SUCH_DOMAIN;
             a.dsDcRecordAlways = true;
         }},
    };
    Type(IDC_DOMAIN_NAME, L"EXAMPLE");
    for (const Case& c : cases) {
        FakeDirectoryApi fresh;
        fresh.openObject = &directory;
        c.arrange(fresh);
        MessageBoxRecorder boxesOfThisCase;
        EXPECT_EQ(Bind(), nullptr) << c.what;
        EXPECT_TRUE(fresh.liveBuffers.empty()) << c.what;
        EXPECT_EQ(fresh.badFrees, 0) << c.what;
        EXPECT_TRUE(fresh.opens.empty()) << c.what;
        ASSERT_EQ(boxesOfThisCase.boxes().size(), 1u) << c.what;
        EXPECT_EQ(boxesOfThisCase.boxes()[0].text, L"Invalid domain name.") << c.what;
    }
}

TEST_F(BindToDomainTest, PasswordIsWipedAsSoonAsTheBindReturns)
{
    api.openResult = static_cast<HRESULT>(0x800720A2);
    api.openObject = nullptr;
    Type(IDC_DOMAIN_NAME, L"EXAMPLE");
    Type(IDC_USER, L"bob");
    Type(IDC_PASSWORD, L"Secret1!");
    // The message about the refused bind comes after the bind, while the binding still runs: by
    // then the buffer the bind read the password from must hold zeros only.
    bool wiped = false;
    boxes.whileShown = [&] {
        ASSERT_NE(api.passwordSeen, nullptr);
        ASSERT_EQ(api.passwordLength, 8u);
        wiped = std::all_of(api.passwordSeen, api.passwordSeen + api.passwordLength, [](wchar_t c) { return c == 0; });
    };
    EXPECT_EQ(Bind(), nullptr);
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_TRUE(wiped) << "the password outlived the bind";
}

TEST_F(BindToDomainTest, NoCredentialsStillNeedTheControllerLookup)
{
    api.netDcResult = NERR_DCNotFound;
    Type(IDC_DOMAIN_NAME, L"EXAMPLE");
    EXPECT_EQ(Bind(), nullptr);
    EXPECT_TRUE(api.opens.empty());
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].text, L"Invalid domain name.");
}

TEST_F(BindToDomainTest, RefusedBindNamesTheControllerEvenForTheDomainPath)
{
    api.openResult = static_cast<HRESULT>(0x8007052E); // logon failure
    api.openObject = nullptr;
    Type(IDC_DOMAIN_NAME, L"EXAMPLE");
    EXPECT_EQ(Bind(), nullptr);
    Type(IDC_USER, L"bob");
    Type(IDC_PASSWORD, L"wrong");
    EXPECT_EQ(Bind(), nullptr);

    ASSERT_EQ(boxes.boxes().size(), 2u);
    for (const auto& box : boxes.boxes()) {
        EXPECT_EQ(box.text, L"Enter valid credentials of \"DC1\"");
        EXPECT_EQ(box.type, static_cast<UINT>(MB_ICONERROR));
    }
    EXPECT_TRUE(api.liveBuffers.empty());
}

TEST_F(BindToDomainTest, SuccessCodeOtherThanSOkIsAFailureAndReleasesWhatItGot)
{
    api.openResult = S_FALSE;
    Type(IDC_DOMAIN_NAME, L"EXAMPLE");
    EXPECT_FALSE(Bind());
    EXPECT_EQ(directory.refCount, 1);
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].text, L"Enter valid credentials of \"DC1\"");
}

TEST_F(BindToDomainTest, MessageBoxCaptionIsTheProgramName)
{
    api.netDcResult = NERR_DCNotFound;
    Type(IDC_DOMAIN_NAME, L"x");
    Bind();
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].caption, L"quorrex_tests");
}

class JoinedDomainTest : public ::testing::Test {
protected:
    FakeDirectoryApi api;
};

TEST_F(JoinedDomainTest, JoinedComputerGivesItsDomain)
{
    api.joinStatus = NetSetupDomainName;
    api.joinedName = L"EXAMPLE";
    std::wstring name = L"old";
    EXPECT_EQ(GetJoinedDomainName(name), 1);
    EXPECT_EQ(name, L"EXAMPLE");
    EXPECT_TRUE(api.liveBuffers.empty());
}

TEST_F(JoinedDomainTest, JoinedWithNullNameGivesEmpty)
{
    api.joinStatus = NetSetupDomainName;
    api.joinedName = std::nullopt;
    std::wstring name = L"old";
    EXPECT_EQ(GetJoinedDomainName(name), 1);
    EXPECT_EQ(name, L"");
}

TEST_F(JoinedDomainTest, WorkgroupLeavesTheNameAndFreesTheBuffer)
{
    for (auto status : {NetSetupWorkgroupName, NetSetupUnjoined, NetSetupUnknownStatus}) {
        api.joinStatus = status;
        std::wstring name = L"kept";
        EXPECT_EQ(GetJoinedDomainName(name), 0);
        EXPECT_EQ(name, L"kept");
    }
    EXPECT_TRUE(api.liveBuffers.empty());
}

TEST_F(JoinedDomainTest, FailedLookupEmptiesTheName)
{
    api.joinResult = ERROR_ACCESS_DENIED;
    std::wstring name = L"old";
    EXPECT_EQ(GetJoinedDomainName(name), 0);
    EXPECT_EQ(name, L"");
}

} // namespace
