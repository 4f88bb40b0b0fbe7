// CAboutDlg: start-up, the background picture and its painting.
#include "controls/AboutDlg.h"

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
    m_memoryDC = ::CreateCompatibleDC(dc);
    ::ReleaseDC(m_hWnd, dc);
    m_picture = LoadPicture();
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
            m_replacedBitmap = ::SelectObject(m_memoryDC, m_picture);
    }

    m_okButton.SetXButtonStyle(kOkButtonStyle, true);
    for (CHyperLink* link : {&m_webSiteLink, &m_supportLink, &m_salesLink})
        link->SetUnderlineMode(CHyperLink::UnderlineAlways);
    m_webSiteLink.SetLinkUrl(kWebSite);
    m_supportLink.SetLinkUrl(std::wstring(L"mailto:") + kSupportMail);
    m_salesLink.SetLinkUrl(std::wstring(L"mailto:") + kSalesMail);
    return TRUE;
}

void CAboutDlg::ReleasePicture()
{
    if (m_memoryDC) {
        if (m_replacedBitmap)
            ::SelectObject(m_memoryDC, m_replacedBitmap);
        ::DeleteDC(m_memoryDC);
    }
    if (m_picture)
        ::DeleteObject(m_picture);
    m_memoryDC = nullptr;
    m_replacedBitmap = nullptr;
    m_picture = nullptr;
    m_pictureWidth = m_pictureHeight = 0;
    m_destinationX = m_destinationY = 0;
}

void CAboutDlg::OnPaint()
{
    PAINTSTRUCT paint;
    HDC dc = ::BeginPaint(m_hWnd, &paint);
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    if (m_picture && m_replacedBitmap) {
        // The copy stays within the picture: beyond it the memory surface holds nothing of ours.
        BITMAP info = {};
        ::GetObjectW(m_picture, sizeof info, &info);
        const int width = std::min(m_pictureWidth, static_cast<int>(info.bmWidth) - m_sourceX);
        const int height = std::min(m_pictureHeight, static_cast<int>(info.bmHeight) - m_sourceY);
        if (width > 0 && height > 0) {
            ::BitBlt(dc, m_destinationX, m_destinationY, width, height, m_memoryDC, m_sourceX, m_sourceY, SRCCOPY);
            ::ExcludeClipRect(dc, m_destinationX, m_destinationY, m_destinationX + width, m_destinationY + height);
        }
    }
    ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_BTNFACE));
    ::EndPaint(m_hWnd, &paint);
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
    if (msg == WM_PAINT) {
        OnPaint();
        return TRUE;
    }
    return CDialog::HandleMessage(msg, wp, lp);
}
