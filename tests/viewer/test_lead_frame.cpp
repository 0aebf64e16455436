// The imaging control's paint modes, automatic sizing and repainting, and its display frame: the fit,
// the control's placement per paint mode, white margins; all read back from the screen.
#include <gtest/gtest.h>
#include <vector>
#include "tests/support/DialogLayout.h"
#include "tests/support/ScreenPixels.h"
#include "tests/viewer/ViewerTestSupport.h"
#include "viewer/Lead.h"
#include "viewer/LeadFrame.h"

using namespace viewertest;
using qrvtest::ScreenPixels;
using qrvtest::WindowRect;

namespace {

// A frame filling a host window of the given client size, and images for its control.
struct FrameFixture {
    HostWindow host;
    CLeadFrame frame;
    FrameFixture(int cx, int cy) : host(cx, cy)
    {
        EXPECT_TRUE(frame.Create("", WS_CHILD | WS_VISIBLE, CRect(0, 0, cx, cy), &host, 7001));
    }
    void SetImage(int w, int h, uint32_t rgb = 0xFF0000)
    {
        ASSERT_EQ(0, frame.GetLeadCtrl()->SetDIB(Dib(SolidImage(w, h, rgb))));
        frame.CenterImage();
    }
    CRect ControlRect() { return qrvtest::Place(frame.GetLeadCtrl()->m_hWnd); }
};

// Exposes the fit into a frame rectangle other than the client area.
class OpenFrame : public CLeadFrame {
public:
    using CLeadFrame::CenterRects;
};

} // namespace

TEST(LeadFrame, CreateMakesTheControlWithTheFramesIdAndTheFitKeepsTheAspectRatio)
{
    HostWindow host(300, 200);
    CLeadFrame frame, orphan;
    EXPECT_EQ(nullptr, frame.GetLeadCtrl());
    ASSERT_TRUE(frame.Create("", WS_CHILD, CRect(0, 0, 300, 200), &host, 7002));
    CLead *pLead = frame.GetLeadCtrl();
    ASSERT_NE(nullptr, pLead);
    EXPECT_EQ(frame.m_hWnd, ::GetParent(pLead->m_hWnd));
    EXPECT_EQ(7002, pLead->GetDlgCtrlID());
    EXPECT_TRUE(pLead->GetStyle() & WS_VISIBLE);
    EXPECT_FALSE(frame.IsWindowVisible());
    EXPECT_EQ(0, orphan.Create("", WS_CHILD, CRect(0, 0, 10, 10), nullptr, 1));
    EXPECT_EQ(nullptr, orphan.GetLeadCtrl());
    // The fit into the client area keeps the aspect ratio, centres and never enlarges.
    frame.MoveWindow(0, 0, 200, 200);
    struct Case {
        CRect src, want;
    } cases[] = {
        {CRect(0, 0, 400, 300), CRect(0, 25, 200, 175)},
        {CRect(0, 0, 300, 400), CRect(25, 0, 175, 200)}, // the height limits
        {CRect(0, 0, 100, 50), CRect(50, 75, 150, 125)}, // not enlarged
        {CRect(0, 0, 200, 200), CRect(0, 0, 200, 200)},  // exactly the frame
        {CRect(0, 0, 3, 1000), CRect(99, 0, 100, 200)},  // MulDiv rounds 0.6 up
        {CRect(0, 0, 1000, 300), CRect(0, 70, 200, 130)},
    };
    for (const Case &c : cases) {
        CRect r;
        frame.CenterInFrame(c.src, &r);
        EXPECT_EQ(c.want, r) << c.src.Width() << "x" << c.src.Height();
    }
    // In a frame rectangle off the origin.
    OpenFrame open;
    CRect r;
    open.CenterRects(CRect(0, 0, 400, 300), CRect(10, 20, 210, 220), &r);
    EXPECT_EQ(CRect(10, 45, 210, 195), r);
    open.CenterRects(CRect(0, 0, 50, 50), CRect(10, 20, 210, 120), &r);
    EXPECT_EQ(CRect(85, 45, 135, 95), r);
}

TEST(LeadFrameCenterImage, EachPaintModePlacesTheControlAndFollowsTheFrameSize)
{
    FrameFixture f(300, 200);
    CLead *pLead = f.frame.GetLeadCtrl();
    // Mode 0 runs from the centring offset to the frame's corner, the fit modes fill the fitted rectangle.
    struct {
        short mode;
        int w, h;
        CRect want;
    } cases[] = {
        {0, 100, 50, CRect(100, 75, 300, 200)},
        {0, 500, 150, CRect(0, 25, 300, 200)}, // wider than the frame: no horizontal offset
        {0, 640, 480, CRect(0, 0, 300, 200)},
        {1, 600, 200, CRect(0, 50, 300, 150)},
        {3, 600, 200, CRect(0, 50, 300, 150)},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.mode << ": " << c.w << "x" << c.h);
        pLead->SetPaintSizeMode(c.mode);
        f.SetImage(c.w, c.h);
        EXPECT_EQ(c.want, f.ControlRect());
        if (c.mode == 0) {
            CRect rcImage;
            f.frame.GetImageRect(&rcImage);
            EXPECT_EQ(c.want, rcImage);
        }
    }
    pLead->SetPaintSizeMode(0);
    f.SetImage(100, 50);
    f.frame.MoveWindow(0, 0, 200, 100);
    EXPECT_EQ(CRect(50, 25, 200, 100), f.ControlRect());
    // Placing the control, even where it is, overrules the size it owes a new image.
    pLead->SetAutoSize(TRUE);
    pLead->SetAutoRepaint(FALSE);
    ASSERT_EQ(0, pLead->SetDIB(Dib(SolidImage(60, 40, 0xFF0000))));
    f.SetImage(100, 50);
    ASSERT_EQ(0, pLead->ForceRepaint());
    EXPECT_EQ(CRect(50, 25, 200, 100), f.ControlRect());
}

TEST(LeadFramePaint, MarginsAroundTheControlAreWhiteFromThePaintItself)
{
    FrameFixture f(300, 200);
    CLead *pLead = f.frame.GetLeadCtrl();
    pLead->SetBackColor(RGB(0, 0, 255)); // the control's own background: blue
    pLead->SetBackErase(FALSE);
    // White margins around the control in both modes, its background beyond the image.
    const struct {
        short mode;
        std::vector<CRect> margins, background;
    } modes[] = {
        {CLead::paintNormal,
         {CRect(0, 0, 300, 75), CRect(0, 75, 100, 200)},
         {CRect(200, 75, 300, 200), CRect(100, 125, 200, 200)}},
        {CLead::paintFit,
         {CRect(0, 0, 300, 75), CRect(0, 75, 100, 125), CRect(0, 125, 300, 200), CRect(200, 75, 300, 125)},
         {}},
    };
    for (const auto &m : modes)
        for (bool erased : {true, false}) {
            SCOPED_TRACE(testing::Message() << m.mode << (erased ? " erased" : ""));
            pLead->SetPaintSizeMode(m.mode);
            f.SetImage(100, 50, 0xFF0000);
            if (!erased) {
                // Black everywhere, then a paint without erasing: only the frame's WM_PAINT makes them white.
                CClientDC dc(&f.frame);
                dc.FillSolidRect(CRect(0, 0, 300, 200), RGB(0, 0, 0));
                f.frame.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
            }
            ScreenPixels px(f.frame.m_hWnd, erased);
            ASSERT_EQ(300, px.Width());
            for (const CRect &rc : m.margins)
                EXPECT_TRUE(px.All(rc, 0xFFFFFF)) << rc.left << "," << rc.top;
            if (erased) {
                EXPECT_TRUE(px.All(CRect(100, 75, 200, 125), 0xFF0000)); // the image
                for (const CRect &rc : m.background)
                    EXPECT_TRUE(px.All(rc, 0x0000FF));
            }
        }
    // Without an image the control shows its background from the frame's centre.
    pLead->SetPaintSizeMode(CLead::paintNormal);
    pLead->SetBitmap(nullptr);
    f.frame.CenterImage();
    ScreenPixels none(f.frame.m_hWnd);
    EXPECT_TRUE(none.All(CRect(0, 0, 150, 100), 0xFFFFFF));
    EXPECT_TRUE(none.All(CRect(150, 100, 300, 200), 0x0000FF));
}

using LeadPaint = LeadTest;

TEST_F(LeadPaint, PaintModesAutoSizeAutoRepaintAndAutoRectsShowOnTheScreen)
{
    m_lead.SetBackColor(RGB(0, 0, 255)); // blue around the solid images
    Put(SolidImage(50, 25, 0xFF0000));
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
    // Automatic sizing makes the window the image's size, until it is off; without automatic
    // repainting it takes the last image's size with the next repaint (ForceRepaint or WM_PAINT).
    m_lead.SetPaintSizeMode(CLead::paintNormal);
    m_lead.SetAutoSize(TRUE);
    Put(SolidImage(40, 30, 0x00FF00));
    EXPECT_EQ(CSize(40, 30), WindowRect(m_lead.m_hWnd).Size());
    m_lead.SetAutoSize(FALSE);
    Put(SolidImage(60, 10, 0x00FF00));
    m_lead.SetAutoSize(TRUE);
    m_lead.SetAutoRepaint(FALSE);
    Put(SolidImage(70, 20, 0x00FF00));
    ASSERT_EQ(0, m_lead.Size(80.f, 25.f, 2));
    EXPECT_EQ(CSize(40, 30), WindowRect(m_lead.m_hWnd).Size());
    ASSERT_EQ(0, m_lead.ForceRepaint());
    EXPECT_EQ(CSize(80, 25), WindowRect(m_lead.m_hWnd).Size());
    Put(SolidImage(90, 20, 0x00FF00));
    m_lead.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(CSize(90, 20), WindowRect(m_lead.m_hWnd).Size());
    m_lead.SetAutoRepaint(TRUE);
    m_lead.SetAutoSize(FALSE);
    // Without automatic repainting or rectangles the screen keeps what it showed.
    m_lead.MoveWindow(0, 0, 100, 100);
    Put(SolidImage(100, 100, 0xFF0000));
    ScreenPixels red(m_lead.m_hWnd);
    ASSERT_EQ(0xFF0000u, red.At(50, 50));
    m_lead.SetAutoRepaint(FALSE);
    Put(SolidImage(100, 100, 0x00FF00));
    ScreenPixels still(m_lead.m_hWnd, false);
    EXPECT_EQ(0xFF0000u, still.At(50, 50));
    ASSERT_EQ(0, m_lead.ForceRepaint());
    ScreenPixels green(m_lead.m_hWnd, false);
    EXPECT_EQ(0x00FF00u, green.At(50, 50));
    // Without automatic rectangles a new image keeps the display rectangle.
    m_lead.SetAutoRepaint(TRUE);
    Put(SolidImage(50, 50, 0xFF0000));
    m_lead.SetAutoSetRects(FALSE);
    Put(SolidImage(20, 20, 0x00FF00)); // stretched into the rectangle of the image before
    ScreenPixels px(m_lead.m_hWnd);
    EXPECT_TRUE(px.All(CRect(0, 0, 50, 50), 0x00FF00));
    EXPECT_TRUE(px.All(CRect(50, 0, 100, 100), 0x0000FF));
}
