// Controller lookup with the locator as fallback for names the NetBIOS lookup does not know.
#include "query/ControllerLookup.h"

#include <cwchar>

namespace {

// A domain's DNS name has at most 253 characters and its NetBIOS name 15; the lookups are not
// given more (Wine's locator overflows a buffer of its own on a name of about a thousand).
constexpr size_t kLongestDomainName = 255;

} // namespace

ControllerName::~ControllerName()
{
    if (m_buffer)
        m_api.netApiBufferFree(m_buffer);
}

bool ControllerName::Lookup(const wchar_t* domain)
{
    // The name of an earlier lookup goes first.
    if (m_buffer)
        m_api.netApiBufferFree(m_buffer);
    m_buffer = nullptr;
    m_name = nullptr;
    if (!domain || std::wcslen(domain) > kLongestDomainName)
        return false;
    LPBYTE name = nullptr;
    if (m_api.netGetDCName(nullptr, domain, &name) == NERR_Success && name) {
        m_buffer = name;
        m_name = reinterpret_cast<const wchar_t*>(name);
        return true;
    }
    if (name)
        m_api.netApiBufferFree(name);

    PDOMAIN_CONTROLLER_INFOW info = nullptr;
    const DWORD status =
        m_api.dsGetDcName(nullptr, domain, nullptr, nullptr, DS_DIRECTORY_SERVICE_REQUIRED | DS_RETURN_DNS_NAME, &info);
    if (status == ERROR_SUCCESS && info && info->DomainControllerName) {
        m_buffer = info;
        m_name = info->DomainControllerName;
        return true;
    }
    if (info)
        m_api.netApiBufferFree(info);
    return false;
}

std::wstring ControllerName::HostName() const
{
    const std::wstring name = Name();
    return name.size() < 2 ? std::wstring() : name.substr(2);
}
