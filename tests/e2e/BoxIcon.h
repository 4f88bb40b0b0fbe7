// Which standard icon a message box of another process shows, told from what the screen shows.
#pragma once

#include <windows.h>

enum class BoxIcon { None, Error, Warning, Information, Question, Unrecognised };

const char* BoxIconName(BoxIcon icon);

// The icon of a message box; None while the box shows none (or is not drawn yet).
BoxIcon RecogniseIcon(HWND box);
