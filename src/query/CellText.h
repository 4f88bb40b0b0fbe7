// Turns the rendered values of one attribute into the text of one result cell.
#pragma once

#include <string>

// "-" for an empty text; otherwise the text with every comma, carriage return and line feed made a
// blank, so that a cell is always one line with no field separator in it.
std::wstring MakeCellText(std::wstring rendered);
