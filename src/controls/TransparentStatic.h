// CTransparentStatic: a label that paints no background of its own, so that the dialog's picture
// shows through, and that has the picture repainted under it when its text changes.
#pragma once

#include "framework/Controls.h"

class CTransparentStatic : public CStatic {
public:
    bool BindDlgItem(HWND hwnd) override { return SubclassWindow(hwnd); }
    bool OnChildNotify(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
};
