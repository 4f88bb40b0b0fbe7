// Telling server-only LDAP paths from paths to objects, and building a server's object paths.
#include "query/LdapPath.h"

#include <gtest/gtest.h>

namespace {

TEST(ServerOnlyPath, NamesTheServerWithOrWithoutPortAndTrailingSlash)
{
    EXPECT_EQ(ServerOfServerOnlyPath(L"LDAP://dc1.quorrex.test"), L"dc1.quorrex.test");
    EXPECT_EQ(ServerOfServerOnlyPath(L"LDAP://dc1.quorrex.test/"), L"dc1.quorrex.test");
    EXPECT_EQ(ServerOfServerOnlyPath(L"LDAP://quorrex.test:389"), L"quorrex.test:389");
    EXPECT_EQ(ServerOfServerOnlyPath(L"LDAP://10.0.0.1:636/"), L"10.0.0.1:636");
    // A domain typed with blanks is passed on as typed; the server lookup decides what it means.
    EXPECT_EQ(ServerOfServerOnlyPath(L"LDAP:// Example.Test "), L" Example.Test ");
}

TEST(ServerOnlyPath, PathsWithAnObjectPartAreNot)
{
    EXPECT_EQ(ServerOfServerOnlyPath(L"LDAP://dc1/DC=quorrex,DC=test"), std::nullopt);
    EXPECT_EQ(ServerOfServerOnlyPath(L"LDAP://dc1/RootDSE"), std::nullopt);
    EXPECT_EQ(ServerOfServerOnlyPath(L"LDAP://dc1:389/CN=Users,DC=quorrex,DC=test"), std::nullopt);
    EXPECT_EQ(ServerOfServerOnlyPath(L"LDAP://dc1//"), std::nullopt);
    // Serverless: the only component is a distinguished name.
    EXPECT_EQ(ServerOfServerOnlyPath(L"LDAP://DC=quorrex,DC=test"), std::nullopt);
    EXPECT_EQ(ServerOfServerOnlyPath(L"LDAP://CN=Users/"), std::nullopt);
}

TEST(ServerOnlyPath, OtherProvidersSpellingsAndEmptyServersAreNot)
{
    EXPECT_EQ(ServerOfServerOnlyPath(L""), std::nullopt);
    EXPECT_EQ(ServerOfServerOnlyPath(L"LDAP://"), std::nullopt);
    EXPECT_EQ(ServerOfServerOnlyPath(L"LDAP:///"), std::nullopt);
    EXPECT_EQ(ServerOfServerOnlyPath(L"ldap://dc1"), std::nullopt);
    EXPECT_EQ(ServerOfServerOnlyPath(L"LDAP:/dc1"), std::nullopt);
    EXPECT_EQ(ServerOfServerOnlyPath(L"GC://dc1"), std::nullopt);
    EXPECT_EQ(ServerOfServerOnlyPath(L"WinNT://dc1"), std::nullopt);
}

TEST(ObjectPath, JoinsServerAndName)
{
    EXPECT_EQ(ObjectPathOnServer(L"dc1.quorrex.test", L"DC=quorrex,DC=test"),
              L"LDAP://dc1.quorrex.test/DC=quorrex,DC=test");
    EXPECT_EQ(ObjectPathOnServer(L"dc1:389", L"RootDSE"), L"LDAP://dc1:389/RootDSE");
}

TEST(ObjectPath, EscapesSlashesInTheName)
{
    EXPECT_EQ(ObjectPathOnServer(L"dc1", L"OU=a/b,DC=x/y,DC=test"), L"LDAP://dc1/OU=a\\/b,DC=x\\/y,DC=test");
}

} // namespace
