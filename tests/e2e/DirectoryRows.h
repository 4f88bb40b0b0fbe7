// The rows the program should show, worked out from what ldapsearch printed for the same filter.
#pragma once

#include <string>
#include <utility>
#include <vector>

// One directory object: its attributes (names as the server spelled them) with all their values.
struct DirectoryEntry {
    std::wstring dn;
    std::vector<std::pair<std::wstring, std::vector<std::wstring>>> attributes;

    // The values of an attribute, its name compared without regard to case; empty when missing.
    std::vector<std::wstring> Values(const std::wstring& attribute) const;
};

// Reads ldapsearch's unwrapped LDIF (values plain or base64, UTF-8), entries in the file's order.
// Throws when the file cannot be read or is not LDIF.
std::vector<DirectoryEntry> ReadLdif(const std::wstring& path);

// The attribute a column header of the catalogue reads; empty for headers outside it.
std::wstring AttributeOfHeader(const std::wstring& header);

// What a cell shows for these values: the values joined with ";" (an empty value adds nothing,
// not even the separator, unless it is the first), every comma, CR and LF a blank, "-" for nothing.
std::wstring ExpectedCell(const std::vector<std::wstring>& values);

// The rows for these entries under these column headers.
std::vector<std::vector<std::wstring>> ExpectedRows(const std::vector<DirectoryEntry>& entries,
                                                    const std::vector<std::wstring>& headers);

// A CSV file as the program writes it for these headers and rows, from its third line on: the
// header line and the rows, each line ending in CR LF, one byte a character up to U+00FF and "?"
// for any other (a pair of surrogates being one character). unstorable counts the "?"s.
std::string ExpectedCsvTable(const std::vector<std::wstring>& headers,
                             const std::vector<std::vector<std::wstring>>& rows, unsigned long long* unstorable);
