// CHyperLink: a static text of a dialog turned into a link: link, hover and visited colours, an
// underline always, never or while the pointer is over it, the target in a tooltip, sized to its
// text, the hand cursor, and on a click the target opened or the failure shown.
#pragma once

#include "controls/LinkLook.h"
#include "framework/Controls.h"
#include "framework/UniqueHandle.h"

#include <string>

class CHyperLink : public CStatic {
public:
    static constexpr int UnderlineNever = 0;
    static constexpr int UnderlineAlways = 1;
    static constexpr int UnderlineOnHover = -1;
    static constexpr UINT_PTR LinkToolId = 1;
    static constexpr UINT HoverTimerId = 100;

    CHyperLink() = default;
    ~CHyperLink() override;
    CHyperLink(const CHyperLink&) = delete;
    CHyperLink& operator=(const CHyperLink&) = delete;

    void SetLinkUrl(const std::wstring& target);
    const std::wstring& GetLinkUrl() const { return m_target; }
    void SetUnderlineMode(int mode);
    int GetUnderlineMode() const { return m_underlineMode; }
    // Resizes the control to its text, keeping the edge or centre its alignment names.
    void FitToText();
    // Makes the link's fonts anew for a display of another DPI and fits the control to its text.
    void ScaleFonts(UINT fromDpi, UINT toDpi);
    const CToolTipCtrl& ToolTip() const { return m_toolTip; }
    // Stops the hover timer, then destroys the window.
    void DestroyWindow();

    // The attach: runs the link's set-up on the dialog's item, then subclasses it.
    bool BindDlgItem(HWND hwnd) override;
    bool OnChildNotify(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;
    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void CreateFonts();
    void CreateFonts(LOGFONTW description);
    void LoadHandCursor();
    void OnMouseMove();
    void OnTimer();
    void OnClicked();
    // Redraws the control with what lies under it: it paints no background of its own, so the
    // parent has to paint away the old text (and an underline reaching below the control).
    void RedrawWithBackground(int extraBottom = 0) const;

    LinkColors m_colors = {RGB(0, 0, 238), RGB(85, 26, 139), RGB(255, 0, 0)};
    BOOL m_overControl = FALSE;
    BOOL m_visited = FALSE;
    int m_underlineMode = UnderlineOnHover;
    BOOL m_autoSize = TRUE;
    std::wstring m_target;
    UniqueFont m_underlinedFont;
    UniqueFont m_plainFont;
    UniqueCursor m_handCursor;
    CToolTipCtrl m_toolTip;
};
