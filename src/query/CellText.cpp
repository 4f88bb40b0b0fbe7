// One cell's text: no line break (the list shows one line), no comma (the CSV file splits there).
#include "query/CellText.h"

std::wstring MakeCellText(std::wstring rendered)
{
    if (rendered.empty())
        return L"-";
    // A CR LF pair becomes ", " and then two blanks; a lone CR or LF becomes one blank; a comma one
    // blank. Character by character that is the same as making each of the three a blank.
    for (wchar_t& c : rendered) {
        if (c == L',' || c == L'\r' || c == L'\n')
            c = L' ';
    }
    return rendered;
}
