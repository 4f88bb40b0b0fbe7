// CAboutDlg: the About box: product name, version, rights notice and three links over a picture
// that fills the box, with the toolkit's themed OK button.
#pragma once

#include "controls/HyperLink.h"
#include "controls/TransparentStatic.h"
#include "framework/Dialog.h"
#include "framework/UniqueHandle.h"
#include "framework/XTButton.h"

class CAboutDlg : public CDialog {
public:
    explicit CAboutDlg(HWND parent = nullptr);
    ~CAboutDlg() override;

    struct Extent {
        int x = 0;
        int y = 0;
        int width = 0;
        int height = 0;
    };
    // The part of the picture that painting copies and where it goes in the box; empty extents
    // when no picture is painted.
    struct PictureArea {
        Extent source;
        Extent destination;
    };
    PictureArea PaintedPictureArea() const;

protected:
    void DoDataExchange() override;
    BOOL OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    INT_PTR HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    // The background picture (bitmap 132); null when it cannot be loaded.
    virtual HBITMAP LoadPicture();

private:
    void OnPaint();
    void OnDpiChanged(UINT dpi, const RECT& suggested);
    void ReleasePicture();

    int m_sourceX = 0;
    int m_sourceY = 0;
    int m_destinationX = 0;
    int m_destinationY = 0;
    UniqueMemoryDC m_memoryDC;
    int m_pictureWidth = 0;
    int m_pictureHeight = 0;
    UINT m_dpi = 96; // of the display the box was last laid out for
    CXTButton m_okButton;
    CTransparentStatic m_productName;
    CTransparentStatic m_rightsNotice;
    CHyperLink m_webSiteLink;
    CHyperLink m_supportLink;
    CHyperLink m_salesLink;
    CTransparentStatic m_versionLabel;

    UniqueBitmap m_picture;
    HGDIOBJ m_replacedBitmap = nullptr; // the memory surface's own bitmap while the picture is selected
};
