// The platform calls through which the query reaches the directory. Production uses the system's
// functions; tests put fakes in their place to see what is passed and to script what comes back.
#pragma once

#include <windows.h>

#include <dsgetdc.h>
#include <lm.h>

struct DirectoryApi {
    NET_API_STATUS(WINAPI* netGetJoinInformation)(LPCWSTR server, LPWSTR* name, PNETSETUP_JOIN_STATUS status);
    NET_API_STATUS(WINAPI* netGetDCName)(LPCWSTR server, LPCWSTR domain, LPBYTE* controller);
    DWORD(WINAPI* dsGetDcName)(LPCWSTR computer, LPCWSTR domain, GUID* domainGuid, LPCWSTR site, ULONG flags,
                               PDOMAIN_CONTROLLER_INFOW* info);
    NET_API_STATUS(WINAPI* netApiBufferFree)(LPVOID buffer);
    HRESULT(WINAPI* coInitialize)(LPVOID reserved);
    HRESULT(WINAPI* adsOpenObject)(LPCWSTR path, LPCWSTR user, LPCWSTR password, DWORD flags, REFIID iid,
                                   void** object);
    // The directory's last error of this thread, which says why a row did not come.
    HRESULT(WINAPI* adsGetLastError)(LPDWORD error, LPWSTR errorText, DWORD errorTextLength, LPWSTR provider,
                                     DWORD providerLength);
    VOID(WINAPI* adsSetLastError)(DWORD error, LPCWSTR errorText, LPCWSTR provider);
    // The system DLL that could not be loaded (its functions are then stand-ins that find nothing
    // and bind nothing); null when every one was.
    const wchar_t* unavailableLibrary;
};

using OpenObjectFunction = HRESULT(WINAPI*)(LPCWSTR path, LPCWSTR user, LPCWSTR password, DWORD flags, REFIID iid,
                                           void** object);

// Opens path through open. A path that names only a server is first completed with that server's
// default naming context, read from its RootDSE with the same credentials and flags: Windows binds
// such a path to that context by itself, other ADSI providers search it from an empty base. When
// the RootDSE cannot be read, the path goes to open unchanged, so its failure is the usual one;
// when the bind to the RootDSE itself fails, that failure is the result (no second bind).
HRESULT OpenAtDefaultNamingContext(OpenObjectFunction open, LPCWSTR path, LPCWSTR user, LPCWSTR password,
                                   DWORD flags, REFIID iid, void** object);

// The calls in force; tests replace entries and put the system's back afterwards.
DirectoryApi& TheDirectoryApi();
// The system's own functions, from the DLLs of the system folder.
DirectoryApi SystemDirectoryApi();
// The functions of these two modules (ACTIVEDS and NETAPI32, or null for one that did not load);
// stand-ins for those of a module that is missing or lacks one of them.
DirectoryApi DirectoryApiFrom(HMODULE activeds, HMODULE netapi32);
