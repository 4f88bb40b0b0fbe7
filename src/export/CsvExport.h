// The CSV export of a dialog's result list: the save dialog, and the file written from what the
// list shows.
#pragma once

#include "framework/StdioFile.h"
#include "framework/Wnd.h"

#include <cstdint>
#include <optional>
#include <string>

// Asks for a file name in the save dialog over owner; the full path when the user accepted a name
// whose extension is exactly "csv", nothing otherwise.
std::optional<std::wstring> AskForCsvPath(HWND owner);

// Writes the dialog's result list into the file at path with the given creation time (seconds
// since 1970, UTC): the header block, the column headers and every row, read back from the list,
// in 8-bit text or, the same lines, in UTF-8. Tells the user of every failure, and of characters
// the 8-bit file could not hold. A failed export leaves the file that was at path as it was.
void ExportResultList(CWnd& dialog, const std::wstring& path, std::int64_t creationTime,
                      TextEncoding encoding = TextEncoding::Latin1);
