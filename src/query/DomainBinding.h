// Binding to a domain's directory with the credentials typed into a dialog, and the joined domain.
#pragma once

#include "framework/ComPtr.h"
#include "framework/Wnd.h"

#include <iads.h>

#include <string>

class BusyInput;

// Binds with the dialog's domain name, user and password; returns the search interface, or null
// after telling the user why. The lookup and the bind block the thread while input marks the
// window busy; a failure ends input (discarding what was typed or clicked meanwhile) before its box.
ComPtr<IDirectorySearch> BindToDomain(CWnd& dialog, BusyInput& input);

// 1 and the domain's name when this computer is joined to a domain; 0 otherwise.
int GetJoinedDomainName(std::wstring& name);
