// Renders the values of one directory attribute as one line of text.
#pragma once

#include <windows.h>

#include <iads.h>

#include <string>

// All values of one search column as text; the empty string for what is not rendered.
std::wstring FormatColumnValues(const ADSVALUE* values, DWORD count);

// One UTC time as local time, "d/m/yyyy  h:m:s" without leading zeros. The zone's offset is the
// one in force at that date; zone null means this computer's zone.
std::wstring FormatTimeValue(const SYSTEMTIME& utc, const TIME_ZONE_INFORMATION* zone = nullptr);

// The first 16 bytes of an octet string in registry GUID form; empty when there are fewer.
std::wstring FormatGuidValue(const ADS_OCTET_STRING& octets);
