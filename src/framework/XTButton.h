// CXTButton: the toolkit's push button, drawn by itself as its style flags say: the system's visual
// style where one is active (else a semi-flat or 3-D border) and a checkered face while held down.
// Without flags it is a plain push button.
#pragma once

#include "framework/UniqueHandle.h"
#include "framework/Wnd.h"

class CXTButton : public CWnd {
public:
    static constexpr DWORD VisualStyle = 0x1000;           // the system's visual style, where one is active
    static constexpr DWORD SemiFlat = 0x0002;              // a thin border instead of the 3-D one
    static constexpr DWORD CheckeredWhilePressed = 0x0020; // the face checkered while the button is held down

    CXTButton() = default;

    DWORD GetXButtonStyle() const { return m_xStyle; }
    void SetXButtonStyle(DWORD style, bool redraw = true);

    bool BindDlgItem(HWND hwnd) override { return SubclassWindow(hwnd); }
    bool OnChildNotify(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void Draw(const DRAWITEMSTRUCT& item);
    bool DrawThemed(const DRAWITEMSTRUCT& item, const std::wstring& text);
    void DrawClassic(const DRAWITEMSTRUCT& item, const std::wstring& text);
    void FillChecker(HDC dc, const RECT& rect);
    HBRUSH CheckerBrush();

    DWORD m_xStyle = 0;
    bool m_default = false; // the dialog's default button (drawn with a frame)
    UniqueBrush m_checkerBrush;
};
