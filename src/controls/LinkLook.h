// What the links share: their colours by state and the system's hand as their cursor.
#pragma once

#include "framework/UniqueHandle.h"

#include <windows.h>

#include <string>

struct LinkColors {
    COLORREF link;
    COLORREF visited;
    COLORREF hover;

    // The pointer over a link wins over its having been visited.
    COLORREF For(bool hovered, bool wasVisited) const { return hovered ? hover : (wasVisited ? visited : link); }
};

// A copy of the system's hand cursor, for a link to own; null where the system has none.
UniqueCursor CopySystemHand();

// Makes a dialog's static item notify its clicks, and gives a link without a target yet the item's
// text as its target.
void AttachLinkItem(HWND item, std::wstring& target);
