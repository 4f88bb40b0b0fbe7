// The bind with what the user typed: controller, then directory, the password wiped at once.
#include "query/DomainBinding.h"

#include "framework/BusyInput.h"
#include "framework/MessageBox.h"
#include "framework/SecureText.h"
#include "framework/WaitCursor.h"
#include "query/ControllerLookup.h"
#include "query/DirectoryApi.h"
#include "resources/resource.h"

namespace {

// A box after a call that blocked: the keys and clicks queued meanwhile must neither answer it nor
// reach the window under it (a click on "Generate" would start a second run inside the box).
void TellFailure(BusyInput& input, const std::wstring& text)
{
    input.End();
    AppMessageBox(text, MB_ICONERROR);
}

} // namespace

ComPtr<IDirectorySearch> BindToDomain(CWnd& dialog, BusyInput& input)
{
    const DirectoryApi& api = TheDirectoryApi();
    // Without the system's directory or network functions no lookup or bind can be made; "Invalid
    // domain name." or a request for credentials would send the user after the wrong cause.
    if (api.unavailableLibrary) {
        TellFailure(input, L"The directory cannot be reached: " + std::wstring(api.unavailableLibrary) +
                               L" could not be loaded from the Windows system folder.");
        return {};
    }
    CWaitCursor wait;
    api.coInitialize(nullptr);

    const std::wstring domain = dialog.GetDlgItemText(IDC_DOMAIN_NAME);
    ShowWaitCursor();

    ControllerName controller(api);
    if (!controller.Lookup(domain.c_str())) {
        TellFailure(input, L"Invalid domain name.");
        return {};
    }
    const std::wstring controllerPath = L"LDAP://" + controller.HostName();

    const std::wstring user = dialog.GetDlgItemText(IDC_USER);
    SecureText password(dialog.GetDlgItem(IDC_PASSWORD));
    ShowArrowCursor();
    const std::wstring domainPath = L"LDAP://" + domain;

    ComPtr<IDirectorySearch> search;
    HRESULT result;
    if (!user.empty() || !password.empty()) {
        result = api.adsOpenObject(controllerPath.c_str(), user.c_str(), password.c_str(), ADS_SECURE_AUTHENTICATION,
                                   IID_IDirectorySearch, search.PutVoid());
    } else {
        // No credentials typed: bind as the logged-on user.
        result = api.adsOpenObject(domainPath.c_str(), nullptr, nullptr, ADS_SECURE_AUTHENTICATION,
                                   IID_IDirectorySearch, search.PutVoid());
    }
    password.Wipe();
    wait.Restore();

    if (result == S_OK)
        return search;
    // A success code other than S_OK still counts as a failed bind: what it handed out goes now.
    search.Reset();
    TellFailure(input, L"Enter valid credentials of \"" + controller.HostName() + L"\"");
    return {};
}

int GetJoinedDomainName(std::wstring& name)
{
    const DirectoryApi& api = TheDirectoryApi();
    LPWSTR joined = nullptr;
    NETSETUP_JOIN_STATUS status = NetSetupUnknownStatus;
    if (api.netGetJoinInformation(nullptr, &joined, &status) != NERR_Success) {
        name.clear();
        return 0;
    }
    const bool isDomain = status == NetSetupDomainName;
    if (isDomain)
        name = joined ? joined : L"";
    if (joined)
        api.netApiBufferFree(joined);
    return isDomain ? 1 : 0;
}
