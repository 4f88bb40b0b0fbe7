// The creation time line of a CSV file.
#pragma once

#include <cstdint>
#include <string>

// The local date and time of a moment (seconds since 1970-01-01 00:00 UTC) as "dd/mm/yyyy hh:mm:ss",
// in the zone and daylight-saving time this computer has for that moment; empty when the moment
// cannot be converted.
std::wstring FormatCreationTime(std::int64_t time);
