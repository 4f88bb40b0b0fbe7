// The CSV export of a dialog's result list: the save dialog, and the file written from what the
// list shows.
#pragma once

#include "framework/Wnd.h"

#include <cstdint>
#include <optional>
#include <string>

// Asks for a file name in the save dialog over owner; the full path when the user accepted a name
// whose extension is exactly "csv", nothing otherwise.
std::optional<std::wstring> AskForCsvPath(HWND owner);

// Writes the dialog's result list into the file at path with the given creation time (seconds
// since 1970, UTC): the header block, the column headers and every row, read back from the list.
// Tells the user of every failure, and of characters the file could not hold.
void ExportResultList(CWnd& dialog, const std::wstring& path, std::int64_t creationTime);
