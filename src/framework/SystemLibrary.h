// DLLs from the system folder only: the process's one search path, and functions looked up by name.
#pragma once

#include <windows.h>

// Limits every later DLL search of the process to the system folder, also the searches that system
// DLLs make for themselves. The program's first act: the folder it was started from (often Downloads,
// which holds whatever a browser saved there) and the current folder would otherwise come first,
// and a DLL found there would run with the rights of the administrator using the program.
bool RestrictDllSearchToSystemFolder();

// The DLL of that name from the system folder, never from anywhere else; null when it is not there
// or does not load. It stays loaded for the rest of the process: the seams keep pointers into it.
HMODULE LoadSystemLibrary(const wchar_t* name);

// Looks functions up in one DLL, all or nothing: a DLL of another version that lacks one of them is
// as good as absent, so that callers never mix its functions with stand-ins (a buffer handed out by
// one and freed by the other).
class SystemFunctions {
public:
    explicit SystemFunctions(HMODULE module) : m_module(module), m_complete(module != nullptr) {}

    // Sets function to the module's export of that name, or to null.
    template <typename Function> void Find(Function& function, const char* name)
    {
        function =
            m_module ? reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(m_module, name))) : nullptr;
        m_complete = m_complete && function;
    }
    // Whether the module was there and every function asked for was found in it.
    bool Complete() const { return m_complete; }

private:
    HMODULE m_module;
    bool m_complete;
};
