// The system's directory functions, the default of the directory seam.
#include "query/DirectoryApi.h"

#include "query/LdapPath.h"

#include <objbase.h>
#include <oleauto.h>

#include <iads.h>

#include <adshlp.h>

#include <string>

namespace {

// The server's defaultNamingContext attribute; empty when it cannot be read.
std::wstring ReadDefaultNamingContext(OpenObjectFunction open, const std::wstring& server, LPCWSTR user,
                                      LPCWSTR password, DWORD flags)
{
    IADs* rootDse = nullptr;
    const std::wstring rootDsePath = ObjectPathOnServer(server, L"RootDSE");
    const HRESULT opened = open(rootDsePath.c_str(), user, password, flags, IID_IADs, reinterpret_cast<void**>(&rootDse));
    if (!rootDse)
        return {};
    std::wstring context;
    if (opened == S_OK) {
        VARIANT value;
        ::VariantInit(&value);
        wchar_t attribute[] = L"defaultNamingContext";
        if (rootDse->Get(attribute, &value) == S_OK && V_VT(&value) == VT_BSTR && V_BSTR(&value))
            context.assign(V_BSTR(&value), ::SysStringLen(V_BSTR(&value)));
        ::VariantClear(&value);
    }
    rootDse->Release();
    return context;
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
            const std::wstring context = ReadDefaultNamingContext(open, *server, user, password, flags);
            if (!context.empty())
                return open(ObjectPathOnServer(*server, context).c_str(), user, password, flags, iid, object);
        }
    }
    return open(path, user, password, flags, iid, object);
}

DirectoryApi SystemDirectoryApi()
{
    return DirectoryApi{
        ::NetGetJoinInformation, ::NetGetDCName, ::DsGetDcNameW, ::NetApiBufferFree, ::CoInitialize, SystemOpenObject,
    };
}

DirectoryApi& TheDirectoryApi()
{
    static DirectoryApi api = SystemDirectoryApi();
    return api;
}
