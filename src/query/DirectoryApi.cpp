// The system's directory functions, the default of the directory seam.
#include "query/DirectoryApi.h"

#include <objbase.h>

#include <iads.h>

#include <adshlp.h>

DirectoryApi SystemDirectoryApi()
{
    return DirectoryApi{
        ::NetGetJoinInformation, ::NetGetDCName, ::DsGetDcNameW, ::NetApiBufferFree, ::CoInitialize, ::ADsOpenObject,
    };
}

DirectoryApi& TheDirectoryApi()
{
    static DirectoryApi api = SystemDirectoryApi();
    return api;
}
