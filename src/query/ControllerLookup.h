// ControllerName: finds a domain's controller and holds its name until the object goes.
#pragma once

#include "query/DirectoryApi.h"

#include <string>

class ControllerName {
public:
    explicit ControllerName(const DirectoryApi& api) : m_api(api) {}
    ~ControllerName();
    ControllerName(const ControllerName&) = delete;
    ControllerName& operator=(const ControllerName&) = delete;

    // Asks for the domain's controller: first as a NetBIOS name (primary controller), then, where
    // that fails, through the locator, which also takes DNS names and finds any directory server.
    // A name longer than any domain's is no domain: it is not looked up.
    bool Lookup(const wchar_t* domain);

    // The name as the lookup returned it, with its leading backslashes.
    const wchar_t* Name() const { return m_name ? m_name : L""; }
    // The name without its first two characters (the leading backslashes).
    std::wstring HostName() const;

private:
    const DirectoryApi& m_api;
    void* m_buffer = nullptr;
    const wchar_t* m_name = nullptr;
};
