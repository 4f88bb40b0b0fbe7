// The main dialog as the user meets it: start-up state, template, keys, commands and the CSV link.
#include "app/QuorrexDlg.h"

#include "framework/FileDialog.h"
#include "resources/resource.h"
#include "support/CatalogHeaders.h"
#include "support/ControlProbe.h"
#include "support/DialogDriver.h"
#include "support/FakeDirectoryApi.h"
#include "support/FakeDirectorySearch.h"
#include "support/MessageBoxRecorder.h"
#include "support/Pixels.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class MainDialogTest : public ::testing::Test {
protected:
    void Open()
    {
        // The pointer stays away from the dialog unless a test moves it there.
        ::SetCursorPos(0, 0);
        ASSERT_TRUE(dialog.Create());
        ::ShowWindow(dialog.m_hWnd, SW_SHOW);
        list.m_hWnd = dialog.GetDlgItem(IDC_RESULT_LIST);
        PumpMessages();
    }
    void TearDown() override { dialog.DestroyWindow(); }

    RECT ChildRect(int id) const
    {
        RECT rect;
        ::GetWindowRect(dialog.GetDlgItem(id), &rect);
        ::MapWindowPoints(nullptr, dialog.m_hWnd, reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }
    RECT DialogUnits(int x, int y, int width, int height) const
    {
        RECT rect = {x, y, x + width, y + height};
        ::MapDialogRect(dialog.m_hWnd, &rect);
        return rect;
    }
    // Position and size as the dialog manager maps a template item: each figure on its own.
    RECT TemplateItem(int x, int y, int width, int height) const
    {
        RECT mapped = {x, y, width, height};
        ::MapDialogRect(dialog.m_hWnd, &mapped);
        return {mapped.left, mapped.top, mapped.left + mapped.right, mapped.top + mapped.bottom};
    }
    LONG Style(int id) const { return ::GetWindowLongW(dialog.GetDlgItem(id), GWL_STYLE); }
    void Focus(int id) { FocusControl(dialog.m_hWnd, id); }

    FakeDirectoryApi api;
    FakeDirectorySearch directory;
    MessageBoxRecorder boxes;
    CQuorrexDlg dialog;
    CListCtrl list;
};

TEST_F(MainDialogTest, OpensWithTheDefaultsAndNoRows)
{
    Open();
    EXPECT_EQ(dialog.GetWindowText(), L"Quorrex");
    EXPECT_EQ(dialog.GetDlgItemText(IDC_FILTER), L"(&(objectClass=user)(objectCategory=user))");
    EXPECT_EQ(list.GetColumnHeaders(), kBasicHeaders);
    for (int c = 0; c < 6; ++c)
        EXPECT_EQ(list.GetColumnWidth(c), AtScreenDpi(80)) << "column " << c;
    EXPECT_EQ(list.GetItemCount(), 0);
    EXPECT_EQ(dialog.GetDlgItemText(IDC_OBJECT_COUNT), L"0");
    EXPECT_EQ(dialog.GetDlgItemText(IDC_DOMAIN_NAME), L"") << "not joined: the field stays empty";
    EXPECT_EQ(list.GetExtendedStyle(), static_cast<DWORD>(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT));
    EXPECT_EQ(::GetFocus(), dialog.GetDlgItem(IDC_DOMAIN_NAME));
    EXPECT_EQ(dialog.selectedNames, kBasicHeaders);
    EXPECT_EQ(dialog.availableNames,
              (std::vector<std::wstring>{L"OFFICE", L"TELEPHONE NUMBER", L"E-MAIL ID", L"WEB SITE ADDRESS", L"ADDRESS",
                                         L"POST BOX NUMBER", L"CITY", L"STATE\\PROVINCE", L"ZIP CODE", L"COUNTRY",
                                         L"LOGON NAME"}));
    EXPECT_TRUE(api.opens.empty()) << "no query runs at start";
    EXPECT_TRUE(boxes.boxes().empty());
}

TEST_F(MainDialogTest, JoinedComputerStartsWithItsDomain)
{
    api.joinStatus = NetSetupDomainName;
    api.joinedName = L"EXAMPLE";
    Open();
    EXPECT_EQ(dialog.GetDlgItemText(IDC_DOMAIN_NAME), L"EXAMPLE");
    EXPECT_TRUE(api.liveBuffers.empty());
}

TEST_F(MainDialogTest, WindowIsAFixedSizeAppWindowWithIcons)
{
    Open();
    const LONG style = ::GetWindowLongW(dialog.m_hWnd, GWL_STYLE);
    EXPECT_TRUE(style & WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_TRUE(::GetWindowLongW(dialog.m_hWnd, GWL_EXSTYLE) & WS_EX_APPWINDOW);
    ASSERT_NE(dialog.Icon(), nullptr);
    EXPECT_EQ(reinterpret_cast<HICON>(dialog.SendMessage(WM_GETICON, ICON_BIG)), dialog.Icon());
    EXPECT_EQ(reinterpret_cast<HICON>(dialog.SendMessage(WM_GETICON, ICON_SMALL)), dialog.Icon());
    EXPECT_EQ(reinterpret_cast<HICON>(dialog.SendMessage(WM_QUERYDRAGICON)), dialog.Icon());
}

TEST_F(MainDialogTest, ControlsStandWhereTheTemplatePutsThem)
{
    Open();
    struct Expected {
        int id, x, y, width, height;
    };
    const Expected controls[] = {
        {IDC_DOMAIN_NAME, 81, 71, 76, 14}, {IDC_FILTER, 81, 105, 199, 14}, {IDC_GENERATE, 281, 105, 50, 14},
        {IDC_RESULT_LIST, 23, 162, 307, 142}, {IDC_ADVANCED, 281, 142, 50, 14}, {IDC_OBJECT_COUNT, 121, 145, 36, 9},
        {IDC_BANNER, 0, 0, 353, 49},       {IDC_USER, 81, 88, 74, 14},     {IDC_PASSWORD, 206, 88, 74, 14},
        {IDC_CLOSE, 287, 321, 50, 14},     {IDC_ABOUT, 15, 321, 50, 14},
    };
    for (const Expected& c : controls) {
        const RECT expected = TemplateItem(c.x, c.y, c.width, c.height);
        const RECT actual = ChildRect(c.id);
        EXPECT_EQ(actual.left, expected.left) << "control " << c.id;
        EXPECT_EQ(actual.top, expected.top) << "control " << c.id;
        EXPECT_EQ(actual.right, expected.right) << "control " << c.id;
        EXPECT_EQ(actual.bottom, expected.bottom) << "control " << c.id;
    }
    EXPECT_EQ(dialog.GetDlgItemText(IDC_GENERATE), L"Generate");
    EXPECT_EQ(dialog.GetDlgItemText(IDC_ADVANCED), L"Advanced");
    EXPECT_EQ(dialog.GetDlgItemText(IDC_CLOSE), L"Close");
    EXPECT_EQ(dialog.GetDlgItemText(IDC_ABOUT), L"About");
    EXPECT_TRUE(Style(IDC_PASSWORD) & ES_PASSWORD);
    EXPECT_FALSE(Style(IDC_USER) & ES_PASSWORD);
    for (int id : {IDC_DOMAIN_NAME, IDC_FILTER, IDC_USER, IDC_PASSWORD})
        EXPECT_TRUE(Style(id) & ES_AUTOHSCROLL) << "control " << id;
    EXPECT_EQ(Style(IDC_RESULT_LIST) & LVS_TYPEMASK, LVS_REPORT);
    for (int id : {IDC_GENERATE, IDC_ADVANCED, IDC_CLOSE, IDC_ABOUT})
        EXPECT_EQ(Style(id) & BS_TYPEMASK, BS_PUSHBUTTON) << "no default push button: " << id;
}

TEST_F(MainDialogTest, TabOrderFollowsTheTemplateAndSkipsTheCsvLink)
{
    Open();
    const int order[] = {IDC_DOMAIN_NAME, IDC_FILTER, IDC_GENERATE, IDC_RESULT_LIST, IDC_ADVANCED,
                         IDC_USER,        IDC_PASSWORD, IDC_CLOSE,  IDC_ABOUT,       IDC_DOMAIN_NAME};
    HWND at = dialog.GetDlgItem(order[0]);
    for (size_t i = 1; i < std::size(order); ++i) {
        at = ::GetNextDlgTabItem(dialog.m_hWnd, at, FALSE);
        EXPECT_EQ(::GetDlgCtrlID(at), order[i]) << "after control " << order[i - 1];
    }
}

TEST_F(MainDialogTest, SystemMenuEndsWithSeparatorAndAbout)
{
    Open();
    HMENU menu = ::GetSystemMenu(dialog.m_hWnd, FALSE);
    const int count = ::GetMenuItemCount(menu);
    ASSERT_GE(count, 2);
    MENUITEMINFOW separator = {};
    separator.cbSize = sizeof separator;
    separator.fMask = MIIM_FTYPE;
    ASSERT_TRUE(::GetMenuItemInfoW(menu, count - 2, TRUE, &separator));
    EXPECT_TRUE(separator.fType & MFT_SEPARATOR);
    wchar_t text[64] = {};
    EXPECT_GT(::GetMenuStringW(menu, count - 1, text, 64, MF_BYPOSITION), 0);
    EXPECT_EQ(std::wstring(text), L"&About Quorrex");
    EXPECT_EQ(::GetMenuItemID(menu, count - 1), 0x10u);
}

TEST_F(MainDialogTest, EnterAndEscapeInInputFieldsDoNothing)
{
    Open();
    for (int id : {IDC_DOMAIN_NAME, IDC_USER, IDC_PASSWORD, IDC_FILTER, IDC_RESULT_LIST}) {
        Focus(id);
        PressKey(dialog, VK_RETURN);
        PressKey(dialog, VK_ESCAPE);
        PumpMessages();
        EXPECT_FALSE(dialog.IsEnded()) << "control " << id;
    }
    EXPECT_TRUE(boxes.boxes().empty()) << "no query ran";
}

TEST_F(MainDialogTest, EnterOnAFocusedGenerateRunsTheQuery)
{
    Open();
    dialog.SetDlgItemText(IDC_DOMAIN_NAME, L"EXAMPLE");
    api.openObject = &directory;
    directory.AddTextRow({{L"cn", L"alice"}});
    Focus(IDC_GENERATE);
    PressKey(dialog, VK_RETURN);
    PumpMessages();
    EXPECT_FALSE(dialog.IsEnded());
    EXPECT_EQ(list.GetItemCount(), 1);
    EXPECT_EQ(list.GetItemText(0, 0), L"alice");
    EXPECT_EQ(dialog.GetDlgItemText(IDC_OBJECT_COUNT), L"1");
}

TEST_F(MainDialogTest, EscapeOnAFocusedButtonCloses)
{
    for (int id : {IDC_GENERATE, IDC_ADVANCED}) {
        Open();
        // The same object opened again is whole again: its members hold this opening's controls.
        EXPECT_EQ(dialog.GetDlgItemText(IDC_FILTER), L"(&(objectClass=user)(objectCategory=user))");
        EXPECT_EQ(list.GetColumnHeaders(), kBasicHeaders);
        EXPECT_EQ(dialog.selectedNames, kBasicHeaders);
        EXPECT_EQ(dialog.availableNames.size(), 11u);
        Focus(id);
        PressKey(dialog, VK_ESCAPE);
        PumpMessages();
        EXPECT_TRUE(dialog.IsEnded()) << "control " << id;
        EXPECT_EQ(dialog.GetResult(), IDCANCEL);
        dialog.DestroyWindow();
    }
}

TEST_F(MainDialogTest, CloseButtonEndsWithOkAndTheCloseBoxWithCancel)
{
    Open();
    ClickButton(dialog.m_hWnd, IDC_CLOSE);
    EXPECT_TRUE(dialog.IsEnded());
    EXPECT_EQ(dialog.GetResult(), IDOK);
    dialog.DestroyWindow();

    Open();
    dialog.SendMessage(WM_SYSCOMMAND, SC_CLOSE);
    PumpMessages();
    EXPECT_TRUE(dialog.IsEnded());
    EXPECT_EQ(dialog.GetResult(), IDCANCEL);
}

TEST_F(MainDialogTest, MovingToADisplayOfAnotherDpiScalesTheColumnsAndTheCsvLink)
{
    Open();
    const RECT linkBefore = ChildRect(IDC_GENERATE_CSV);
    RECT suggested = MoveToTwiceTheDpi(dialog.m_hWnd);
    const UINT twice = 2 * ScreenDpi();

    RECT window;
    ::GetWindowRect(dialog.m_hWnd, &window);
    EXPECT_EQ(window.right - window.left, suggested.right - suggested.left) << "the suggested size was not taken";
    EXPECT_EQ(window.bottom - window.top, suggested.bottom - suggested.top);
    for (int c = 0; c < 6; ++c)
        EXPECT_EQ(list.GetColumnWidth(c), 2 * AtScreenDpi(80)) << "column " << c;
    const RECT linkAfter = ChildRect(IDC_GENERATE_CSV);
    EXPECT_EQ(linkAfter.left, 2 * linkBefore.left);
    EXPECT_EQ(linkAfter.top, 2 * linkBefore.top);
    EXPECT_EQ(linkAfter.right, 2 * linkBefore.right);
    EXPECT_EQ(linkAfter.bottom, 2 * linkBefore.bottom);

    // And back: the sizes come back, not scaled twice.
    dialog.SendMessage(WM_DPICHANGED, MAKEWPARAM(ScreenDpi(), ScreenDpi()), reinterpret_cast<LPARAM>(&window));
    EXPECT_EQ(list.GetColumnWidth(0), AtScreenDpi(80));
    EXPECT_EQ(ChildRect(IDC_GENERATE_CSV).right, linkBefore.right);

    // A message without a DPI or without a rectangle changes nothing.
    dialog.SendMessage(WM_DPICHANGED, 0, reinterpret_cast<LPARAM>(&suggested));
    dialog.SendMessage(WM_DPICHANGED, MAKEWPARAM(twice, twice), 0);
    EXPECT_EQ(list.GetColumnWidth(0), AtScreenDpi(80));
    RECT unchanged;
    ::GetWindowRect(dialog.m_hWnd, &unchanged);
    EXPECT_TRUE(::EqualRect(&unchanged, &window));
}

TEST_F(MainDialogTest, BannerShowsItsPicture)
{
    Open();
    auto shown = reinterpret_cast<HBITMAP>(
        ::SendMessageW(dialog.GetDlgItem(IDC_BANNER), STM_GETIMAGE, IMAGE_BITMAP, 0));
    ASSERT_NE(shown, nullptr);
    HBITMAP original = ::LoadBitmapW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_BANNER));
    ASSERT_NE(original, nullptr);
    EXPECT_EQ(BitmapPixels(shown), BitmapPixels(original));
    ::DeleteObject(original);
}

TEST_F(MainDialogTest, GenerateWithAnEmptyDomainAsksForCredentials)
{
    Open();
    ClickButton(dialog.m_hWnd, IDC_GENERATE);
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].text, L"Enter all credentials.");
}

class CsvLinkTest : public MainDialogTest {
protected:
    // A click on the link runs the save dialog: these tests cancel it.
    static BOOL WINAPI CancelSaveDialog(OPENFILENAMEW*) { return FALSE; }

    void SetUp() override
    {
        SetSaveFileDialogFunction(CancelSaveDialog);
        Open();
        link = dialog.GetDlgItem(IDC_GENERATE_CSV);
        ASSERT_NE(link, nullptr);
    }
    // The colour the link's text is painted with now, asked the way the control asks its parent.
    COLORREF PaintedTextColor()
    {
        HDC dc = ::GetDC(link);
        ::SendMessageW(dialog.m_hWnd, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(link));
        const COLORREF color = ::GetTextColor(dc);
        ::ReleaseDC(link, dc);
        return color;
    }
    void TearDown() override
    {
        MainDialogTest::TearDown();
        SetSaveFileDialogFunction(nullptr);
    }

    HWND link = nullptr;
};

TEST_F(CsvLinkTest, IsACentredLabelOutsideTheTabOrder)
{
    wchar_t className[32] = {};
    ::GetClassNameW(link, className, 32);
    EXPECT_EQ(std::wstring(className), L"Static");
    EXPECT_EQ(CWnd::WindowText(link), L"G e n e r a t e  CSV");
    const LONG style = ::GetWindowLongW(link, GWL_STYLE);
    EXPECT_EQ(style & (WS_CHILD | WS_VISIBLE | SS_TYPEMASK), WS_CHILD | WS_VISIBLE | SS_CENTER);
    EXPECT_FALSE(style & WS_TABSTOP);
    const RECT expected = DialogUnits(230, 307, 102, 10);
    const RECT actual = ChildRect(IDC_GENERATE_CSV);
    EXPECT_EQ(actual.left, expected.left);
    EXPECT_EQ(actual.top, expected.top);
    EXPECT_EQ(actual.right, expected.right);
    EXPECT_EQ(actual.bottom, expected.bottom);
}

TEST_F(CsvLinkTest, BlueRedWhileHoveredPurpleOnceClicked)
{
    EXPECT_EQ(PaintedTextColor(), RGB(0, 0, 255));
    // The pointer comes over the link, which asks the system to tell it when the pointer leaves.
    RECT onScreen;
    ::GetWindowRect(link, &onScreen);
    ::SetCursorPos((onScreen.left + onScreen.right) / 2, (onScreen.top + onScreen.bottom) / 2);
    ::SendMessageW(link, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    EXPECT_EQ(PaintedTextColor(), RGB(255, 0, 0));
    TRACKMOUSEEVENT tracking = {sizeof tracking, TME_QUERY, nullptr, 0};
    ASSERT_TRUE(::TrackMouseEvent(&tracking));
    EXPECT_EQ(tracking.hwndTrack, link);
    EXPECT_TRUE(tracking.dwFlags & TME_LEAVE);
    ::SetCursorPos(onScreen.right + 200, onScreen.bottom + 200);
    const ULONGLONG deadline = ::GetTickCount64() + 5000;
    while (PaintedTextColor() != RGB(0, 0, 255) && ::GetTickCount64() < deadline) {
        PumpMessages();
        ::Sleep(10);
    }
    EXPECT_EQ(PaintedTextColor(), RGB(0, 0, 255)) << "the hover colour stayed after the pointer left";
    ::SendMessageW(dialog.m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_GENERATE_CSV, STN_CLICKED), reinterpret_cast<LPARAM>(link));
    EXPECT_EQ(PaintedTextColor(), RGB(128, 0, 128));
    EXPECT_TRUE(dialog.CsvLink().IsVisited());
}

TEST_F(CsvLinkTest, NotUnderlinedOpensNothingAndShowsItsCaptionAsTooltip)
{
    LOGFONTW font = {};
    ASSERT_TRUE(::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(link, WM_GETFONT, 0, 0)), sizeof font, &font));
    EXPECT_FALSE(font.lfUnderline);
    EXPECT_FALSE(dialog.CsvLink().IsOpenTargetEnabled());
    EXPECT_TRUE(::GetWindowLongW(link, GWL_STYLE) & SS_NOTIFY) << "clicks must be notified";

    HWND tip = dialog.CsvLink().GetToolTip();
    ASSERT_NE(tip, nullptr);
    wchar_t text[64] = {};
    TTTOOLINFOW tool = {};
    tool.cbSize = sizeof tool;
    tool.hwnd = dialog.m_hWnd;
    tool.uId = reinterpret_cast<UINT_PTR>(link);
    tool.lpszText = text;
    ::SendMessageW(tip, TTM_GETTEXTW, 64, reinterpret_cast<LPARAM>(&tool));
    EXPECT_EQ(std::wstring(text), L"G e n e r a t e  CSV");
}

TEST_F(CsvLinkTest, ForgetsItsTooltipAsSoonAsTheTooltipGoes)
{
    // The dialog owns the tooltip popup and destroys it before the link: the link must not keep
    // (and later destroy again) the handle of a window that is gone.
    HWND tip = dialog.CsvLink().GetToolTip();
    ASSERT_TRUE(::IsWindow(tip));
    EXPECT_EQ(::GetWindow(tip, GW_OWNER), dialog.m_hWnd);
    ::DestroyWindow(tip);
    EXPECT_EQ(dialog.CsvLink().GetToolTip(), nullptr) << "a handle of a destroyed window is kept";
    dialog.DestroyWindow();
    EXPECT_FALSE(::IsWindow(link));
}

TEST_F(CsvLinkTest, ShowsTheHandCursor)
{
    ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
    EXPECT_TRUE(::SendMessageW(link, WM_SETCURSOR, reinterpret_cast<WPARAM>(link), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
    EXPECT_EQ(::GetCursor(), ::LoadCursorW(nullptr, IDC_HAND));
}

} // namespace
