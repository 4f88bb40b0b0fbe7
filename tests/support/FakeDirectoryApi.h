// Fake platform directory calls: scripted answers and a record of every call, installed into the
// directory seam for the life of the object.
#pragma once

#include "query/DirectoryApi.h"
#include "support/StandIn.h"

#include <iads.h>

#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

struct OpenObjectCall {
    std::wstring path;
    std::optional<std::wstring> user;     // nullopt: null was passed
    std::optional<std::wstring> password; // nullopt: null was passed
    DWORD flags;
    IID iid;
};

class FakeDirectoryApi : public StandIn<FakeDirectoryApi> {
public:
    FakeDirectoryApi();
    ~FakeDirectoryApi();

    // Join information
    NET_API_STATUS joinResult = NERR_Success;
    NETSETUP_JOIN_STATUS joinStatus = NetSetupWorkgroupName;
    std::optional<std::wstring> joinedName = L"WORKGROUP"; // nullopt: a null name buffer

    // Controller lookups
    NET_API_STATUS netDcResult = NERR_Success;
    std::wstring netDcName = L"\\\\DC1";
    bool netDcBufferAlways = false; // a name buffer is handed out also with a failure
    bool netDcNoName = false;       // success, but a null name
    DWORD dsDcResult = ERROR_NO_SUCH_DOMAIN;
    std::wstring dsDcName = L"\\\\dc1.example.test";
    bool dsDcRecordAlways = false; // a record is handed out also with a failure
    bool dsDcNoName = false;       // success, but a record without a controller name

    // Runs inside every controller lookup and bind, as the user's time while the call blocks.
    std::function<void()> whileBlocking;

    // Bind
    HRESULT openResult = S_OK;
    IDirectorySearch* openObject = nullptr; // handed out (with AddRef) whatever openResult is

    // The directory's last error: what was set last (the scripted search sets it too), and what
    // reading it returns (E_NOTIMPL where the provider has no such record).
    DWORD lastError = ERROR_SUCCESS;
    HRESULT lastErrorResult = S_OK;
    int lastErrorReads = 0;

    // Record
    std::vector<std::wstring> netDcLookups;
    std::vector<std::wstring> dsDcLookups;
    std::vector<ULONG> dsDcFlags;
    std::vector<OpenObjectCall> opens;
    int coInitializeCalls = 0;
    const wchar_t* passwordSeen = nullptr; // where the last bind read its password from
    size_t passwordLength = 0;
    std::set<void*> liveBuffers;
    int badFrees = 0;

private:
    DirectoryApi m_saved;
};
