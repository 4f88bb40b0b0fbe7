// ADsPath pieces: whether an LDAP path names only a server, and the path of an object on a server.
#pragma once

#include <optional>
#include <string>
#include <string_view>

// The server of a path "LDAP://server" with nothing after the server but an optional "/"; the
// server is a host name or address, optionally with ":port". nullopt for every other path,
// including a serverless one such as "LDAP://DC=example,DC=test", which names an object.
std::optional<std::wstring> ServerOfServerOnlyPath(std::wstring_view path);

// "LDAP://server/name", with every "/" inside the name escaped as an ADsPath needs.
std::wstring ObjectPathOnServer(std::wstring_view server, std::wstring_view name);
