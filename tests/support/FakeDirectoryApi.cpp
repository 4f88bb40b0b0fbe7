// FakeDirectoryApi: the fake functions and their bookkeeping of network buffers.
#include "support/FakeDirectoryApi.h"

#include <cstring>
#include <cwchar>

namespace {

FakeDirectoryApi& Fake()
{
    return FakeDirectoryApi::Current();
}

wchar_t* NewBuffer(const std::wstring& text)
{
    auto* block = new BYTE[(text.size() + 1) * sizeof(wchar_t)];
    std::memcpy(block, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    Fake().liveBuffers.insert(block);
    return reinterpret_cast<wchar_t*>(block);
}

NET_API_STATUS WINAPI FakeJoinInformation(LPCWSTR server, LPWSTR* name, PNETSETUP_JOIN_STATUS status)
{
    if (server)
        return ERROR_INVALID_PARAMETER;
    if (Fake().joinResult != NERR_Success)
        return Fake().joinResult;
    *name = Fake().joinedName ? NewBuffer(*Fake().joinedName) : nullptr;
    *status = Fake().joinStatus;
    return NERR_Success;
}

void Block()
{
    if (Fake().whileBlocking)
        Fake().whileBlocking();
}

NET_API_STATUS WINAPI FakeNetGetDCName(LPCWSTR server, LPCWSTR domain, LPBYTE* controller)
{
    Block();
    Fake().netDcLookups.emplace_back(domain ? domain : L"<null>");
    if (server)
        return ERROR_INVALID_PARAMETER;
    if (Fake().netDcNoName) {
        *controller = nullptr;
        return NERR_Success;
    }
    if (Fake().netDcResult == NERR_Success || Fake().netDcBufferAlways)
        *controller = reinterpret_cast<LPBYTE>(NewBuffer(Fake().netDcName));
    return Fake().netDcResult;
}

DWORD WINAPI FakeDsGetDcName(LPCWSTR computer, LPCWSTR domain, GUID*, LPCWSTR, ULONG flags,
                             PDOMAIN_CONTROLLER_INFOW* info)
{
    Block();
    Fake().dsDcLookups.emplace_back(domain ? domain : L"<null>");
    Fake().dsDcFlags.push_back(flags);
    if (computer)
        return ERROR_INVALID_PARAMETER;
    if (Fake().dsDcResult != ERROR_SUCCESS && !Fake().dsDcRecordAlways)
        return Fake().dsDcResult;
    // One allocation holding the record and its strings, as the system hands it out.
    const std::wstring& name = Fake().dsDcName;
    const size_t bytes = sizeof(DOMAIN_CONTROLLER_INFOW) + (name.size() + 1) * sizeof(wchar_t);
    auto* block = new BYTE[bytes]();
    auto* record = reinterpret_cast<PDOMAIN_CONTROLLER_INFOW>(block);
    if (!Fake().dsDcNoName) {
        record->DomainControllerName = reinterpret_cast<wchar_t*>(block + sizeof(DOMAIN_CONTROLLER_INFOW));
        std::memcpy(record->DomainControllerName, name.c_str(), (name.size() + 1) * sizeof(wchar_t));
    }
    Fake().liveBuffers.insert(block);
    *info = record;
    return Fake().dsDcResult;
}

NET_API_STATUS WINAPI FakeBufferFree(LPVOID buffer)
{
    if (Fake().liveBuffers.erase(buffer) == 0) {
        ++Fake().badFrees;
        return ERROR_INVALID_PARAMETER;
    }
    // Both kinds of buffer were made with new[] of a trivial type.
    delete[] static_cast<BYTE*>(buffer);
    return NERR_Success;
}

HRESULT WINAPI FakeCoInitialize(LPVOID)
{
    ++Fake().coInitializeCalls;
    return S_OK;
}

HRESULT WINAPI FakeOpenObject(LPCWSTR path, LPCWSTR user, LPCWSTR password, DWORD flags, REFIID iid, void** object)
{
    Block();
    OpenObjectCall call{path ? path : L"<null>", std::nullopt, std::nullopt, flags, iid};
    if (user)
        call.user = user;
    if (password) {
        call.password = password;
        Fake().passwordSeen = password;
        Fake().passwordLength = std::wcslen(password);
    }
    Fake().opens.push_back(call);
    *object = nullptr;
    if (Fake().openObject) {
        Fake().openObject->AddRef();
        *object = Fake().openObject;
    }
    return Fake().openResult;
}

HRESULT WINAPI FakeGetLastError(LPDWORD error, LPWSTR, DWORD, LPWSTR, DWORD)
{
    ++Fake().lastErrorReads;
    *error = Fake().lastError;
    return Fake().lastErrorResult;
}

VOID WINAPI FakeSetLastError(DWORD error, LPCWSTR, LPCWSTR)
{
    Fake().lastError = error;
}

} // namespace

FakeDirectoryApi::FakeDirectoryApi() : m_saved(TheDirectoryApi())
{
    TheDirectoryApi() = DirectoryApi{FakeJoinInformation, FakeNetGetDCName, FakeDsGetDcName,  FakeBufferFree,
                                     FakeCoInitialize,    FakeOpenObject,   FakeGetLastError, FakeSetLastError,
                                     nullptr};
}

FakeDirectoryApi::~FakeDirectoryApi()
{
    TheDirectoryApi() = m_saved;
    for (void* buffer : liveBuffers)
        delete[] static_cast<BYTE*>(buffer);
}
