// The imaging control's paint modes, automatic sizing and repainting, read back from the screen.
#include <gtest/gtest.h>
#include "tests/support/ScreenPixels.h"
#include "tests/viewer/ViewerTestSupport.h"
#include "viewer/Lead.h"

using namespace viewertest;

using qrvtest::ScreenPixels;

namespace {

class LeadPaint : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_lead.Create("", WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 100), &m_host, 1));
        m_lead.SetBackColor(RGB(0, 0, 255));
    }
    void Put(int w, int h, uint32_t rgb)
    {
        HGLOBAL hDib = MakeDib(SolidImage(w, h, rgb));
        ASSERT_EQ(0, m_lead.SetDIB(hDib));
        ::GlobalFree(hDib);
    }
    HostWindow m_host{120, 120};
    CLead m_lead;
};

} // namespace

TEST_F(LeadPaint, PaintModesAutoSizeAutoRepaintAndAutoRectsShowOnTheScreen)
{
    Put(50, 25, 0xFF0000);
    struct {
        short mode;
        CRect image;
    } cases[] = {
        {CLead::paintNormal, CRect(0, 0, 50, 25)},
        {CLead::paintFit, CRect(0, 25, 100, 75)},
        {CLead::paintStretch, CRect(0, 0, 100, 100)},
        {CLead::paintFitAlways, CRect(25, 37, 75, 62)},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.mode);
        m_lead.SetPaintSizeMode(c.mode);
        EXPECT_EQ(c.mode, m_lead.GetPaintSizeMode());
        ScreenPixels px(m_lead.m_hWnd);
        EXPECT_TRUE(px.All(c.image, 0xFF0000));
        if (c.image.top > 0) {
            EXPECT_TRUE(px.All(CRect(0, 0, 100, c.image.top), 0x0000FF));
        }
        if (c.image.right < 100) {
            EXPECT_TRUE(px.All(CRect(c.image.right, c.image.top, 100, c.image.bottom), 0x0000FF));
        }
    }
    // Automatic sizing makes the window the image's size, until it is off.
    m_lead.SetPaintSizeMode(CLead::paintNormal);
    m_lead.SetAutoSize(TRUE);
    Put(40, 30, 0x00FF00);
    CRect rc;
    m_lead.GetWindowRect(&rc);
    EXPECT_EQ(CSize(40, 30), rc.Size());
    m_lead.SetAutoSize(FALSE);
    Put(60, 10, 0x00FF00);
    m_lead.GetWindowRect(&rc);
    EXPECT_EQ(40, rc.Width());
    // Without automatic repainting or rectangles the screen keeps what it showed.
    m_lead.MoveWindow(0, 0, 100, 100);
    Put(100, 100, 0xFF0000);
    ScreenPixels red(m_lead.m_hWnd);
    ASSERT_EQ(0xFF0000u, red.At(50, 50));
    m_lead.SetAutoRepaint(FALSE);
    Put(100, 100, 0x00FF00);
    ScreenPixels still(m_lead.m_hWnd, false);
    EXPECT_EQ(0xFF0000u, still.At(50, 50));
    ASSERT_EQ(0, m_lead.ForceRepaint());
    ScreenPixels green(m_lead.m_hWnd, false);
    EXPECT_EQ(0x00FF00u, green.At(50, 50));
    // Without automatic rectangles a new image keeps the display rectangle.
    m_lead.SetAutoRepaint(TRUE);
    Put(50, 50, 0xFF0000);
    m_lead.SetAutoSetRects(FALSE);
    Put(20, 20, 0x00FF00); // stretched into the rectangle of the image before
    ScreenPixels px(m_lead.m_hWnd);
    EXPECT_TRUE(px.All(CRect(0, 0, 50, 50), 0x00FF00));
    EXPECT_TRUE(px.All(CRect(50, 0, 100, 100), 0x0000FF));
}
