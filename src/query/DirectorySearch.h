// The search over the bound directory and the fill of the result list.
#pragma once

#include "framework/Wnd.h"

#include <iads.h>

#include <string>
#include <vector>

class BusyInput;

// Appends the header text of every column of the dialog's result list, in column order.
void ReadColumnHeaders(std::vector<std::wstring>& attributes, CWnd& dialog);

// Sets the five preferences of every search: time limit, subtree, page size, cached results,
// asynchronous. False unless the directory took all of them (S_OK).
bool SetSearchPreferences(IDirectorySearch* search);

// Runs the dialog's filter over the subtree, appends one row per object with one cell per entry of
// attributes, and writes the object count. Shows its own messages, after ending input: the busy
// state of the window the search runs in (an Escape queued before it stops it at the first look).
void SearchDirectory(CWnd& dialog, IDirectorySearch* search, const std::vector<std::wstring>& attributes,
                     BusyInput& input);
