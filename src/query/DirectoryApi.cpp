// The system's directory functions, the default of the directory seam, loaded from the system folder.
#include "query/DirectoryApi.h"

#include "framework/ComPtr.h"
#include "framework/OleValue.h"
#include "framework/SystemLibrary.h"
#include "query/LdapPath.h"

#include <objbase.h>
#include <oleauto.h>

#include <iads.h>

#include <string>

namespace {

// ADsOpenObject of the system's ACTIVEDS, once it is loaded; SystemOpenObject goes through it.
OpenObjectFunction systemOpenObject = nullptr;

// The server's defaultNamingContext attribute, read from its RootDSE; empty when it cannot be read.
// refused: the bind to the RootDSE failed outright.
std::wstring ReadDefaultNamingContext(OpenObjectFunction open, const std::wstring& server, LPCWSTR user,
                                      LPCWSTR password, DWORD flags, HRESULT& refused)
{
    // The RootDSE is a live bind with the user's credentials: released on every way out, also
    // when copying the answer runs out of memory.
    ComPtr<IADs> rootDse;
    const std::wstring rootDsePath = ObjectPathOnServer(server, L"RootDSE");
    const HRESULT opened = open(rootDsePath.c_str(), user, password, flags, IID_IADs, rootDse.PutVoid());
    refused = FAILED(opened) ? opened : S_OK;
    if (!rootDse || opened != S_OK)
        return {};
    const OwnedBstr attribute(L"defaultNamingContext");
    OwnedVariant value;
    if (!attribute.Get() || rootDse->Get(attribute.Get(), &value.value) != S_OK)
        return {};
    if (V_VT(&value.value) != VT_BSTR || !V_BSTR(&value.value))
        return {};
    return std::wstring(V_BSTR(&value.value), ::SysStringLen(V_BSTR(&value.value)));
}

HRESULT WINAPI SystemOpenObject(LPCWSTR path, LPCWSTR user, LPCWSTR password, DWORD flags, REFIID iid, void** object)
{
    return OpenAtDefaultNamingContext(systemOpenObject, path, user, password, flags, iid, object);
}

// Stand-ins for the functions of a DLL that could not be loaded: each fails as the system's does
// when the part it needs is missing, hands nothing out, and so leads every caller down its usual
// failure path. The bind says which DLL it was.
constexpr DWORD kNotLoaded = ERROR_MOD_NOT_FOUND;

NET_API_STATUS WINAPI NoJoinInformation(LPCWSTR, LPWSTR* name, PNETSETUP_JOIN_STATUS status)
{
    *name = nullptr;
    *status = NetSetupUnknownStatus;
    return kNotLoaded;
}

NET_API_STATUS WINAPI NoNetDcName(LPCWSTR, LPCWSTR, LPBYTE* controller)
{
    *controller = nullptr;
    return kNotLoaded;
}

DWORD WINAPI NoDsDcName(LPCWSTR, LPCWSTR, GUID*, LPCWSTR, ULONG, PDOMAIN_CONTROLLER_INFOW* info)
{
    *info = nullptr;
    return kNotLoaded;
}

NET_API_STATUS WINAPI NoBufferToFree(LPVOID)
{
    return NERR_Success;
}

HRESULT WINAPI NoOpenObject(LPCWSTR, LPCWSTR, LPCWSTR, DWORD, REFIID, void** object)
{
    *object = nullptr;
    return HRESULT_FROM_WIN32(kNotLoaded);
}

// As a provider that keeps no last error.
HRESULT WINAPI NoLastError(LPDWORD error, LPWSTR, DWORD, LPWSTR, DWORD)
{
    *error = ERROR_SUCCESS;
    return E_NOTIMPL;
}

VOID WINAPI NoSetLastError(DWORD, LPCWSTR, LPCWSTR) {}

} // namespace

HRESULT OpenAtDefaultNamingContext(OpenObjectFunction open, LPCWSTR path, LPCWSTR user, LPCWSTR password,
                                   DWORD flags, REFIID iid, void** object)
{
    if (path) {
        if (const std::optional<std::wstring> server = ServerOfServerOnlyPath(path)) {
            HRESULT refused = S_OK;
            const std::wstring context = ReadDefaultNamingContext(open, *server, user, password, flags, refused);
            if (!context.empty())
                return open(ObjectPathOnServer(*server, context).c_str(), user, password, flags, iid, object);
            // The same server refused the same credentials (or could not be reached): binding again
            // would count as a second failed logon against the account, or wait out the server twice.
            if (FAILED(refused)) {
                *object = nullptr;
                return refused;
            }
        }
    }
    return open(path, user, password, flags, iid, object);
}

DirectoryApi DirectoryApiFrom(HMODULE activeds, HMODULE netapi32)
{
    DirectoryApi api{NoJoinInformation, NoNetDcName, NoDsDcName,     NoBufferToFree, ::CoInitialize,
                     NoOpenObject,      NoLastError, NoSetLastError, nullptr};

    DirectoryApi found = api;
    SystemFunctions network(netapi32);
    network.Find(found.netGetJoinInformation, "NetGetJoinInformation");
    network.Find(found.netGetDCName, "NetGetDCName");
    network.Find(found.dsGetDcName, "DsGetDcNameW");
    network.Find(found.netApiBufferFree, "NetApiBufferFree");
    if (network.Complete()) {
        api.netGetJoinInformation = found.netGetJoinInformation;
        api.netGetDCName = found.netGetDCName;
        api.dsGetDcName = found.dsGetDcName;
        api.netApiBufferFree = found.netApiBufferFree;
    } else {
        api.unavailableLibrary = L"NETAPI32.DLL";
    }

    OpenObjectFunction open = nullptr;
    SystemFunctions directory(activeds);
    directory.Find(open, "ADsOpenObject");
    directory.Find(found.adsGetLastError, "ADsGetLastError");
    directory.Find(found.adsSetLastError, "ADsSetLastError");
    if (directory.Complete()) {
        systemOpenObject = open;
        api.adsOpenObject = SystemOpenObject;
        api.adsGetLastError = found.adsGetLastError;
        api.adsSetLastError = found.adsSetLastError;
    } else {
        api.unavailableLibrary = L"ACTIVEDS.DLL";
    }
    return api;
}

DirectoryApi SystemDirectoryApi()
{
    return DirectoryApiFrom(LoadSystemLibrary(L"activeds.dll"), LoadSystemLibrary(L"netapi32.dll"));
}

DirectoryApi& TheDirectoryApi()
{
    static DirectoryApi api = SystemDirectoryApi();
    return api;
}
