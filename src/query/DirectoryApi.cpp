// The system's directory functions, the default of the directory seam.
#include "query/DirectoryApi.h"

#include "framework/ComPtr.h"
#include "framework/OleValue.h"
#include "query/LdapPath.h"

#include <objbase.h>
#include <oleauto.h>

#include <iads.h>

#include <adshlp.h>

#include <string>

namespace {

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
    return OpenAtDefaultNamingContext(::ADsOpenObject, path, user, password, flags, iid, object);
}

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

DirectoryApi SystemDirectoryApi()
{
    return DirectoryApi{
        ::NetGetJoinInformation, ::NetGetDCName,   ::DsGetDcNameW,    ::NetApiBufferFree,
        ::CoInitialize,          SystemOpenObject, ::ADsGetLastError, ::ADsSetLastError,
    };
}

DirectoryApi& TheDirectoryApi()
{
    static DirectoryApi api = SystemDirectoryApi();
    return api;
}
