// Sort keys of cell texts: byte strings whose plain order is the order in which Windows sorts text
// for people (the user's locale, letter case ignored, digits as numbers: "user2" before "user10").
#pragma once

#include <string>
#include <string_view>

enum class DigitRule {
    Platform, // the system's own digits-as-numbers sorting
    OwnRuns,  // runs of digits compared as numbers here, for systems without it
};

// The rule this system supports: its own where it sorts digits as numbers, ours otherwise.
DigitRule SystemDigitRule();

// The key of one text; keys compare with std::string's operator<.
std::string SortKey(std::wstring_view text, DigitRule rule);
