// CImageHyperLink: a picture of a dialog that opens its target on a click, silently, and shows the
// system's hand cursor.
#pragma once

#include "framework/Controls.h"
#include "framework/UniqueHandle.h"

#include <string>

class CImageHyperLink : public CStatic {
public:
    CImageHyperLink() = default;

    void SetLinkUrl(const std::wstring& target) { m_target = target; }
    const std::wstring& GetLinkUrl() const { return m_target; }

    // The attach: clicks notified, the target, the cursor; then subclasses the item.
    bool BindDlgItem(HWND hwnd) override;
    bool OnChildNotify(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    std::wstring m_target;
    UniqueCursor m_handCursor;
};
