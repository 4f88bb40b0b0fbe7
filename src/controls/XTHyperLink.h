// CXTHyperLink: the toolkit's hyperlink label. A static text in the link colour, red while the
// pointer is over it, purple once clicked, with the hand cursor and a tooltip. A click opens its
// target through the shell of the link seam (unless that is switched off) and always reaches the
// parent as the control's command.
#pragma once

#include "controls/LinkLook.h"
#include "framework/UniqueHandle.h"
#include "framework/Wnd.h"

#include <string>

class CXTHyperLink : public CWnd {
public:
    static constexpr COLORREF kLinkColor = RGB(0, 0, 255);
    static constexpr COLORREF kHoverColor = RGB(255, 0, 0);
    static constexpr COLORREF kVisitedColor = RGB(128, 0, 128);

    CXTHyperLink();
    ~CXTHyperLink() override;
    CXTHyperLink(const CXTHyperLink&) = delete;
    CXTHyperLink& operator=(const CXTHyperLink&) = delete;

    // Creates the label as a child static control; the target and the tooltip are the caption.
    bool Create(const std::wstring& caption, DWORD style, const RECT& rect, HWND parent, int id);

    COLORREF GetBackColor() const { return m_backColor; }
    void SetBackColor(COLORREF color);
    bool GetUnderline() const { return m_underline; }
    void SetUnderline(bool underline);
    // Whether a click opens the target itself; the command reaches the parent either way.
    void EnableOpenTarget(bool open) { m_openTarget = open; }
    bool IsOpenTargetEnabled() const { return m_openTarget; }

    bool IsVisited() const { return m_visited; }
    // The colour the text is drawn in now.
    COLORREF GetTextColor() const;
    HWND GetToolTip() const { return m_toolTip; }

    bool BindDlgItem(HWND hwnd) override { return SubclassWindow(hwnd); }
    bool OnChildNotify(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void CreateToolTip();
    static LRESULT CALLBACK ToolTipProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR data);
    void ApplyFont(HFONT font);
    void OnClicked();

    COLORREF m_backColor;
    UniqueBrush m_backBrush;
    bool m_underline = true;
    bool m_openTarget = true;
    bool m_hovered = false;
    bool m_visited = false;
    std::wstring m_target;
    HFONT m_baseFont = nullptr; // the parent's
    UniqueFont m_underlinedFont;
    HCURSOR m_handCursor; // the system's own, shared: not freed
    HWND m_toolTip = nullptr;
};
