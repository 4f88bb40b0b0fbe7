// The directory seam's system functions: ACTIVEDS and NETAPI32 from the system folder, and where one
// is missing or lacks a function, stand-ins that fail cleanly and a bind that says which DLL it was.
#include "query/DirectoryApi.h"
#include "query/DomainBinding.h"

#include "framework/BusyInput.h"
#include "framework/SystemLibrary.h"
#include "support/QueryDialogFixture.h"

#include <string>

namespace {

class SystemDirectoryApiTest : public QueryDialogFixture {
protected:
    // The seam holds these while the test runs; the fixture's fake puts the previous ones back.
    void Install(const DirectoryApi& functions) { TheDirectoryApi() = functions; }

    const HMODULE activeds = LoadSystemLibrary(L"activeds.dll");
    const HMODULE netapi32 = LoadSystemLibrary(L"netapi32.dll");
    const HMODULE kernel32 = ::GetModuleHandleW(L"kernel32.dll");
};

TEST_F(SystemDirectoryApiTest, AMissingOrIncompleteDllIsNamedAtTheBindAndNothingIsBound)
{
    struct Case {
        const char* what;
        HMODULE activeds;
        HMODULE netapi32;
        const wchar_t* named;
    };
    const Case cases[] = {
        {"no ACTIVEDS", nullptr, netapi32, L"ACTIVEDS.DLL"},
        {"no NETAPI32", activeds, nullptr, L"NETAPI32.DLL"},
        {"an ACTIVEDS without ADsOpenObject", kernel32, netapi32, L"ACTIVEDS.DLL"},
        {"a NETAPI32 without the lookups", activeds, kernel32, L"NETAPI32.DLL"},
    };
    Type(IDC_DOMAIN_NAME, L"nowhere.invalid");
    Type(IDC_USER, L"Administrator");
    Type(IDC_PASSWORD, L"Secret1!");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        MessageBoxRecorder boxesOfThisCase;
        Install(DirectoryApiFrom(c.activeds, c.netapi32));
        BusyInput input(dialog.m_hWnd);
        EXPECT_EQ(BindToDomain(dialog, input).Get(), nullptr);
        ASSERT_EQ(boxesOfThisCase.boxes().size(), 1u);
        EXPECT_EQ(boxesOfThisCase.boxes()[0].text, L"The directory cannot be reached: " + std::wstring(c.named) +
                                                       L" could not be loaded from the Windows system folder.");
        EXPECT_EQ(boxesOfThisCase.boxes()[0].type, static_cast<UINT>(MB_ICONERROR));
    }
}

TEST_F(SystemDirectoryApiTest, StandInsHandNothingOutAndEveryCallerTakesItsFailurePath)
{
    Install(DirectoryApiFrom(nullptr, nullptr));
    const DirectoryApi& api = TheDirectoryApi();

    // The domain field then starts empty, as on a computer in a workgroup.
    std::wstring joined = L"left from before";
    EXPECT_EQ(GetJoinedDomainName(joined), 0);
    EXPECT_EQ(joined, L"");

    LPBYTE controller = reinterpret_cast<LPBYTE>(&joined);
    EXPECT_NE(api.netGetDCName(nullptr, L"quorrex.test", &controller), static_cast<NET_API_STATUS>(NERR_Success));
    EXPECT_EQ(controller, nullptr);
    PDOMAIN_CONTROLLER_INFOW info = reinterpret_cast<PDOMAIN_CONTROLLER_INFOW>(&joined);
    EXPECT_NE(api.dsGetDcName(nullptr, L"quorrex.test", nullptr, nullptr, 0, &info), static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_EQ(info, nullptr);
    EXPECT_EQ(api.netApiBufferFree(nullptr), static_cast<NET_API_STATUS>(NERR_Success));

    void* object = &joined;
    EXPECT_TRUE(FAILED(api.adsOpenObject(L"LDAP://quorrex.test", nullptr, nullptr, ADS_SECURE_AUTHENTICATION,
                                         IID_IDirectorySearch, &object)));
    EXPECT_EQ(object, nullptr);
    // As a provider without a last error: the search does not wait for more rows.
    DWORD error = ERROR_MORE_DATA;
    api.adsSetLastError(ERROR_MORE_DATA, nullptr, nullptr);
    EXPECT_NE(api.adsGetLastError(&error, nullptr, 0, nullptr, 0), S_OK);
    EXPECT_EQ(error, static_cast<DWORD>(ERROR_SUCCESS));
}

} // namespace
