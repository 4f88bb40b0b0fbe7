// The catalogue's display names as lists of texts: the six basic columns and the eleven the chooser
// offers besides, in catalogue order. (The catalogue's own test spells them out.)
#pragma once

#include "query/AttributeCatalog.h"

#include <string>
#include <vector>

inline std::vector<std::wstring> HeadersOf(std::span<const CatalogEntry> entries)
{
    std::vector<std::wstring> headers;
    for (const CatalogEntry& entry : entries)
        headers.emplace_back(entry.header);
    return headers;
}

inline const std::vector<std::wstring> kBasicHeaders = HeadersOf(BasicAttributes());
inline const std::vector<std::wstring> kAdditionalHeaders = HeadersOf(AdditionalAttributes());
