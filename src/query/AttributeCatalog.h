// The fixed catalogue of column display names and the directory attribute each column reads.
#pragma once

#include <span>
#include <string_view>

struct CatalogEntry {
    const wchar_t* header;    // what the column shows and the chooser lists
    const wchar_t* matchKey;  // what a column header is compared with
    const wchar_t* attribute; // the LDAP attribute read for the column
};

// The six default columns, in their order.
std::span<const CatalogEntry> BasicAttributes();
// The eleven further columns the chooser offers, in their order.
std::span<const CatalogEntry> AdditionalAttributes();

// The entry whose match key equals the header as a whole, A to Z in either case; null if none.
const CatalogEntry* FindCatalogEntry(std::wstring_view header);

// Whole-string equality with the letters A to Z folded to one case (no other folding, no trimming).
bool SameDisplayName(std::wstring_view a, std::wstring_view b);
