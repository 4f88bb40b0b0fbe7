// Reading an LDAP path: whether it names only a server, and the path of an object on that server.
#include "query/LdapPath.h"

namespace {

// The provider's moniker is matched case-sensitively by ADSI, so only this spelling names it.
constexpr std::wstring_view kLdapPrefix = L"LDAP://";

} // namespace

std::optional<std::wstring> ServerOfServerOnlyPath(std::wstring_view path)
{
    if (!path.starts_with(kLdapPrefix))
        return std::nullopt;
    std::wstring_view server = path.substr(kLdapPrefix.size());
    if (server.ends_with(L'/'))
        server.remove_suffix(1);
    // An "=" makes the first component a distinguished name: a serverless path to an object.
    if (server.empty() || server.find_first_of(L"/=") != std::wstring_view::npos)
        return std::nullopt;
    return std::wstring(server);
}

std::wstring ObjectPathOnServer(std::wstring_view server, std::wstring_view name)
{
    std::wstring path(kLdapPrefix);
    path += server;
    path += L'/';
    for (wchar_t c : name) {
        // An unescaped "/" would end the object part of the path early.
        if (c == L'/')
            path += L'\\';
        path += c;
    }
    return path;
}
