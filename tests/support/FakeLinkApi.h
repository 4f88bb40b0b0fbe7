// Fake outward calls of links: a scripted shell, registry, program start and help viewer, and a
// record of every call, installed into the link seam for the life of the object.
#pragma once

#include "controls/LinkApi.h"
#include "support/StandIn.h"

#include <map>
#include <string>
#include <vector>

struct ShellCall {
    HWND owner;
    std::wstring verb;
    std::wstring file;
    bool noParameters;
    bool noFolder;
    INT show;
};

class FakeLinkApi : public StandIn<FakeLinkApi> {
public:
    FakeLinkApi();
    ~FakeLinkApi();

    // Shell
    int shellResult = 42;
    std::vector<ShellCall> shellCalls;

    // Default values of keys under HKEY_CLASSES_ROOT, by path; a key not listed does not exist.
    std::map<std::wstring, std::wstring> classesRoot;
    std::vector<std::wstring> openedKeys;
    std::vector<REGSAM> openAccess;
    int keysLeftOpen = 0;

    // Program start
    UINT winExecResult = 33;
    std::vector<std::string> commands;
    std::vector<UINT> commandShows;

    // Help viewer
    HMODULE helpViewer = nullptr; // what loading it gives
    std::vector<std::wstring> loadedLibraries;
    std::vector<DWORD> loadFlags;
    std::vector<HMODULE> freedLibraries;

    std::vector<UINT> beeps;

    // Opening a target fails in the shell and finds a browser command with this template.
    void RegisterBrowser(const std::wstring& commandTemplate);

private:
    LinkApi m_saved;
    std::map<HKEY, std::wstring> m_openKeys;
    UINT_PTR m_nextKey = 0x1000;

    friend struct FakeLinkCalls;
};
