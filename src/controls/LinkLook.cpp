// CopySystemHand.
#include "controls/LinkLook.h"

UniqueCursor CopySystemHand()
{
    HCURSOR hand = ::LoadCursorW(nullptr, IDC_HAND);
    return UniqueCursor(hand ? ::CopyIcon(hand) : nullptr);
}
