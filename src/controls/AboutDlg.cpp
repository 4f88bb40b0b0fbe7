// CAboutDlg: start-up, the background picture and its painting.
#include "controls/AboutDlg.h"

#include "framework/Dpi.h"
#include "framework/MessageBox.h"
#include "resources/resource.h"

#include <algorithm>
#include <utility>

namespace {

constexpr wchar_t kProductName[] = L"Quorrex";
constexpr wchar_t kWebSite[] = L"https://www.varnok.example/";
constexpr wchar_t kSupportMail[] = L"support@varnok.example";
constexpr wchar_t kSalesMail[] = L"sales@varnok.example";
constexpr DWORD kOkButtonStyle = CXTButton::VisualStyle | CXTButton::CheckeredWhilePressed | CXTButton::SemiFlat;

} // namespace

CAboutDlg::CAboutDlg(HWND parent) : CDialog(IDD_ABOUTBOX, parent) {}

CAboutDlg::~CAboutDlg()
{
    // The controls' fonts and cursors go with the members, before the base class would destroy
    // the window: the window goes first.
    DestroyWindow();
    ReleasePicture();
}

void CAboutDlg::DoDataExchange()
{
    DDX_Control(IDC_ABOUT_OK, m_okButton);
    DDX_Control(IDC_PRODUCT_NAME, m_productName);
    DDX_Control(IDC_RIGHTS_NOTICE, m_rightsNotice);
    DDX_Control(IDC_WEB_SITE_LINK, m_webSiteLink);
    DDX_Control(IDC_SUPPORT_LINK, m_supportLink);
    DDX_Control(IDC_SALES_LINK, m_salesLink);
    DDX_Control(IDC_VERSION_LABEL, m_versionLabel);
}

HBITMAP CAboutDlg::LoadPicture()
{
    return ::LoadBitmapW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_ABOUT_BACKGROUND));
}

BOOL CAboutDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetWindowText(kProductName);

    m_sourceX = 0;
    m_sourceY = 0;
    ReleasePicture(); // of an earlier opening of this object
    HDC dc = ::GetDC(m_hWnd);
    m_memoryDC.reset(::CreateCompatibleDC(dc));
    ::ReleaseDC(m_hWnd, dc);
    m_picture.reset(LoadPicture());
    if (!m_picture) {
        AppMessageBox(L"Load Image Failed", MB_OK);
    } else {
        RECT client;
        ::GetClientRect(m_hWnd, &client);
        if (client.left > client.right)
            std::swap(client.left, client.right);
        if (client.top > client.bottom)
            std::swap(client.top, client.bottom);
        m_pictureWidth = client.right - client.left;
        m_pictureHeight = client.bottom - client.top;
        m_destinationX = client.left;
        m_destinationY = client.top;
        if (m_memoryDC)
            m_replacedBitmap = ::SelectObject(m_memoryDC.get(), m_picture.get());
    }

    m_okButton.SetXButtonStyle(kOkButtonStyle, true);
    for (CHyperLink* link : {&m_webSiteLink, &m_supportLink, &m_salesLink})
        link->SetUnderlineMode(CHyperLink::UnderlineAlways);
    m_webSiteLink.SetLinkUrl(kWebSite);
    m_supportLink.SetLinkUrl(std::wstring(L"mailto:") + kSupportMail);
    m_salesLink.SetLinkUrl(std::wstring(L"mailto:") + kSalesMail);

    // On a move to a display of another DPI the box scales its picture and its links itself: the
    // links' fonts are their own, and the system would place them by the template's sizes.
    m_dpi = WindowDpi(m_hWnd);
    TakeOverDpiLayout(m_hWnd, nullptr);
    for (CHyperLink* link : {&m_webSiteLink, &m_supportLink, &m_salesLink})
        TakeOverControlDpiLayout(link->m_hWnd, true);
    return TRUE;
}

void CAboutDlg::ReleasePicture()
{
    // The picture leaves the memory surface before either goes.
    if (m_memoryDC && m_replacedBitmap)
        ::SelectObject(m_memoryDC.get(), m_replacedBitmap);
    m_replacedBitmap = nullptr;
    m_memoryDC.reset();
    m_picture.reset();
    m_pictureWidth = m_pictureHeight = 0;
    m_destinationX = m_destinationY = 0;
}

CAboutDlg::PictureArea CAboutDlg::PaintedPictureArea() const
{
    // The picture covers the same part of the box at every DPI: at 96 DPI it is copied pixel for
    // pixel; elsewhere the part of it that a 96-DPI box shows is stretched by the DPI.
    BITMAP info = {};
    if (!m_picture || !m_replacedBitmap || !::GetObjectW(m_picture.get(), sizeof info, &info))
        return {};
    const int dpi = static_cast<int>(m_dpi);
    const int width = std::min(::MulDiv(m_pictureWidth, 96, dpi), static_cast<int>(info.bmWidth) - m_sourceX);
    const int height = std::min(::MulDiv(m_pictureHeight, 96, dpi), static_cast<int>(info.bmHeight) - m_sourceY);
    if (width <= 0 || height <= 0)
        return {};
    return {{m_sourceX, m_sourceY, width, height},
            {m_destinationX, m_destinationY, ::MulDiv(width, dpi, 96), ::MulDiv(height, dpi, 96)}};
}

void CAboutDlg::OnPaint()
{
    PAINTSTRUCT paint;
    HDC dc = ::BeginPaint(m_hWnd, &paint);
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    const PictureArea area = PaintedPictureArea();
    const Extent& from = area.source;
    const Extent& to = area.destination;
    if (to.width > 0 && to.height > 0) {
        if (to.width == from.width && to.height == from.height) {
            ::BitBlt(dc, to.x, to.y, to.width, to.height, m_memoryDC.get(), from.x, from.y, SRCCOPY);
        } else {
            const int oldMode = ::SetStretchBltMode(dc, HALFTONE);
            POINT oldOrigin;
            ::SetBrushOrgEx(dc, 0, 0, &oldOrigin);
            ::StretchBlt(dc, to.x, to.y, to.width, to.height, m_memoryDC.get(), from.x, from.y, from.width, from.height,
                         SRCCOPY);
            ::SetBrushOrgEx(dc, oldOrigin.x, oldOrigin.y, nullptr);
            ::SetStretchBltMode(dc, oldMode);
        }
        ::ExcludeClipRect(dc, to.x, to.y, to.x + to.width, to.y + to.height);
    }
    ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_BTNFACE));
    ::EndPaint(m_hWnd, &paint);
}

void CAboutDlg::OnDpiChanged(UINT dpi, const RECT& suggested)
{
    ::SetWindowPos(m_hWnd, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                   suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    if (m_picture) {
        RECT client;
        ::GetClientRect(m_hWnd, &client);
        m_pictureWidth = client.right - client.left;
        m_pictureHeight = client.bottom - client.top;
    }
    for (CHyperLink* link : {&m_webSiteLink, &m_supportLink, &m_salesLink}) {
        ScaleChildWindow(link->m_hWnd, m_dpi, dpi);
        link->ScaleFonts(m_dpi, dpi);
    }
    m_dpi = dpi;
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

bool CAboutDlg::OnCommand(int id, int code, HWND control)
{
    if (id == IDC_ABOUT_OK && code == BN_CLICKED) {
        OnOK();
        return true;
    }
    return CDialog::OnCommand(id, code, control);
}

INT_PTR CAboutDlg::HandleMessage(UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_PAINT:
        OnPaint();
        return TRUE;
    case WM_DPICHANGED:
        if (const auto change = ReadDpiChange(wp, lp))
            OnDpiChanged(change->dpi, change->suggested);
        return FALSE; // the system's own handling still updates the labels' and the button's fonts
    default:
        return CDialog::HandleMessage(msg, wp, lp);
    }
}
