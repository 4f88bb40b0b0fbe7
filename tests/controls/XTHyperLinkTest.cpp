// The toolkit's link opens its target through the link seam, and only while opening is on.
#include "controls/XTHyperLink.h"

#include "resources/resource.h"
#include "support/DialogDriver.h"
#include "support/FakeLinkApi.h"

#include <gtest/gtest.h>

namespace {

TEST(XTHyperLinkTest, AClickOpensTheTargetThroughTheSeamOnlyWhileOpeningIsOn)
{
    FakeLinkApi api;
    CDialog host{IDD_ABOUTBOX};
    ASSERT_TRUE(host.Create());
    CXTHyperLink link;
    ASSERT_TRUE(link.Create(L"https://www.varnok.example/", WS_CHILD | WS_VISIBLE, {10, 10, 200, 30}, host.m_hWnd, 2000));
    for (bool open : {true, false}) {
        link.EnableOpenTarget(open);
        host.SendMessage(WM_COMMAND, MAKEWPARAM(2000, STN_CLICKED), reinterpret_cast<LPARAM>(link.m_hWnd));
    }
    ASSERT_EQ(api.shellCalls.size(), 1u);
    EXPECT_EQ(api.shellCalls[0].verb, L"open");
    EXPECT_EQ(api.shellCalls[0].file, L"https://www.varnok.example/");
    EXPECT_TRUE(link.IsVisited());
    host.DestroyWindow();
}

} // namespace
