// The toolkit's tab window: pages switch by call and by a click on the strip,
// the selected page's window is right, pages fill the area below the strip
// and follow its size, and the three fonts land where they belong: the
// selected tab's title is drawn in a font of its own.
#include <gtest/gtest.h>

#include "uiauto/MessagePump.h"
#include "tests/support/ScreenPixels.h"
#include "tests/support/TestApp.h"
#include "toolkit/TabWnd.h"

namespace {

// A font like the given one, its height changed by delta pixels, of the weight if one is given.
bool MakeFont(CFont &font, CFont *pLike, int delta, int weight = 0)
{
    LOGFONTA lf = {};
    if (!pLike->GetLogFont(&lf))
        return false;
    lf.lfHeight = lf.lfHeight < 0 ? lf.lfHeight - delta : lf.lfHeight + delta;
    lf.lfWeight = weight ? weight : lf.lfWeight;
    return font.CreateFontIndirect(&lf) != FALSE;
}

class TabWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_tabs.Create(&m_host, WS_CHILD | WS_VISIBLE, 7003));
        m_tabs.SetWindowPos(nullptr, 0, 0, 300, 200, SWP_NOMOVE | SWP_NOZORDER);
        for (CWnd &page : m_pages)
            ASSERT_TRUE(page.Create("STATIC", "", WS_CHILD, CRect(0, 0, 10, 10), &m_tabs, 1));
    }
    CRect RectIn(CWnd &wnd)
    {
        CRect rc;
        wnd.GetWindowRect(&rc);
        m_tabs.ScreenToClient(&rc);
        return rc;
    }
    CWnd *Selected()
    {
        CWnd *p = reinterpret_cast<CWnd *>(1);
        return m_tabs.GetSelectedPage(p) ? p : nullptr;
    }
    qrvtest::HostWindow m_host{320, 240};
    CTabWnd m_tabs;
    CWnd m_pages[2];
};

} // namespace

TEST_F(TabWindow, WithoutPagesNothingIsSelected)
{
    CWnd *p = &m_pages[0];
    EXPECT_FALSE(m_tabs.GetSelectedPage(p));
    EXPECT_EQ(nullptr, p);
    EXPECT_FALSE(m_tabs.ShowPage(&m_pages[0]));
    EXPECT_EQ(-1, m_tabs.AddPage(nullptr, "x"));
}

TEST_F(TabWindow, PagesSwitchByCallAndByClick)
{
    ASSERT_EQ(0, m_tabs.AddPage(&m_pages[0], "Panel"));
    ASSERT_EQ(1, m_tabs.AddPage(&m_pages[1], "Original"));
    EXPECT_EQ(-1, m_tabs.AddPage(&m_pages[1], "again"));
    EXPECT_EQ(2, m_tabs.GetPageCount());
    EXPECT_EQ(&m_pages[0], Selected());
    EXPECT_TRUE(m_pages[0].IsWindowVisible());
    EXPECT_FALSE(m_pages[1].IsWindowVisible());

    EXPECT_TRUE(m_tabs.ShowPage(&m_pages[1]));
    EXPECT_EQ(&m_pages[1], Selected());
    EXPECT_FALSE(m_pages[0].IsWindowVisible());
    EXPECT_TRUE(m_pages[1].IsWindowVisible());

    // A click on the first tab, as a user makes it.
    CTabCtrl *pStrip = m_tabs.GetTabCtrl();
    CRect rcTab;
    ASSERT_TRUE(pStrip->GetItemRect(0, &rcTab));
    const LPARAM at = MAKELPARAM(rcTab.CenterPoint().x, rcTab.CenterPoint().y);
    pStrip->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
    pStrip->SendMessage(WM_LBUTTONUP, 0, at);
    qrvtest::PumpFor(20);
    EXPECT_EQ(&m_pages[0], Selected());
    EXPECT_TRUE(m_pages[0].IsWindowVisible());
    EXPECT_FALSE(m_pages[1].IsWindowVisible());
}

TEST_F(TabWindow, PagesFillTheAreaBelowTheStripAndFollowItsSize)
{
    m_tabs.AddPage(&m_pages[0], "Panel");
    m_tabs.AddPage(&m_pages[1], "Original");
    CRect rcClient, rcStrip, rcTab;
    m_tabs.GetClientRect(&rcClient);
    m_tabs.GetTabCtrl()->GetClientRect(&rcStrip);
    ASSERT_TRUE(m_tabs.GetTabCtrl()->GetItemRect(0, &rcTab));
    // The strip holds the tabs and no more.
    EXPECT_GE(rcStrip.Height(), rcTab.bottom);
    EXPECT_LE(rcStrip.Height(), rcTab.bottom + 4);
    EXPECT_EQ(rcClient.Width(), rcStrip.Width());
    for (CWnd &page : m_pages)
        EXPECT_EQ(CRect(0, rcStrip.Height(), rcClient.right, rcClient.bottom), RectIn(page));

    m_tabs.SetWindowPos(nullptr, 0, 0, 250, 120, SWP_NOMOVE | SWP_NOZORDER);
    m_tabs.GetClientRect(&rcClient);
    m_tabs.GetTabCtrl()->GetClientRect(&rcStrip);
    EXPECT_EQ(rcClient.Width(), rcStrip.Width());
    for (CWnd &page : m_pages)
        EXPECT_EQ(CRect(0, rcStrip.Height(), rcClient.right, rcClient.bottom), RectIn(page));
}

TEST_F(TabWindow, FontsAreCopiedAndTheStripGrowsWithTheTabFont)
{
    m_tabs.AddPage(&m_pages[0], "Panel");
    m_tabs.AddPage(&m_pages[1], "Original");
    CRect rcBefore;
    m_tabs.GetTabCtrl()->GetClientRect(&rcBefore);
    LOGFONTA lf = {};
    {
        CFont big; // deleted right after handing it over, as the viewer does
        ASSERT_TRUE(MakeFont(big, m_tabs.GetTabFont(), 20));
        big.GetLogFont(&lf);
        m_tabs.SetPageFont(&big, FALSE);
        m_tabs.SetTabFont(&big, FALSE);
    }
    LOGFONTA now = {};
    ASSERT_TRUE(m_tabs.GetTabFont()->GetLogFont(&now));
    EXPECT_EQ(lf.lfHeight, now.lfHeight);
    CRect rcAfter;
    m_tabs.GetTabCtrl()->GetClientRect(&rcAfter);
    EXPECT_GT(rcAfter.Height(), rcBefore.Height() + 10);
    EXPECT_EQ(rcAfter.Height(), RectIn(m_pages[0]).top);

    HFONT hPageFont = reinterpret_cast<HFONT>(m_pages[1].SendMessage(WM_GETFONT));
    ASSERT_NE(nullptr, hPageFont);
    LOGFONTA pageLf = {};
    ::GetObjectA(hPageFont, sizeof(pageLf), &pageLf);
    EXPECT_EQ(lf.lfHeight, pageLf.lfHeight);
}

TEST_F(TabWindow, TheSelectedTabsTitleIsDrawnInItsOwnFont)
{
    // Two tabs of the same title: only the font tells them apart.
    m_tabs.AddPage(&m_pages[0], "Panel");
    m_tabs.AddPage(&m_pages[1], "Panel");
    CTabCtrl *pStrip = m_tabs.GetTabCtrl();
    // The pixels of the title's colour inside each tab.
    auto ink = [&] {
        qrvtest::ScreenPixels shown(pStrip->m_hWnd);
        std::vector<int> counts;
        for (int i = 0; i < 2; ++i) {
            CRect rc;
            pStrip->GetItemRect(i, &rc);
            // Inside the tab's frame, whose dark edges are the title's colour too.
            rc.DeflateRect(3, 3);
            counts.push_back(shown.Count(rc, ::GetSysColor(COLOR_BTNTEXT)));
        }
        return counts;
    };
    std::vector<int> plain = ink();
    ASSERT_GT(plain[0], 20);
    EXPECT_NEAR(plain[0], plain[1], plain[0] / 4);
    {
        CFont bold;
        ASSERT_TRUE(MakeFont(bold, m_tabs.GetTabFont(), 0, FW_HEAVY));
        m_tabs.SetSelTabFont(&bold, TRUE);
    }
    std::vector<int> first = ink();
    EXPECT_GT(first[0], plain[1] * 5 / 4) << "selected " << first[0] << ", other " << first[1];
    EXPECT_NEAR(first[1], plain[1], plain[1] / 4);
    m_tabs.ShowPage(&m_pages[1]);
    std::vector<int> second = ink();
    EXPECT_GT(second[1], second[0] * 5 / 4) << "selected " << second[1] << ", other " << second[0];
}
