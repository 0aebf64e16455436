// The status bar in a frame window: it keeps the bottom edge while the view
// fills the rest, its panes start with their indicator strings, the first
// pane stretches, and pane texts reach the control.
#include <afxext.h>
#include <gtest/gtest.h>
#include <string>
#include "afx_tests_res.h"
#include "uiauto/MessagePump.h"

using namespace qrvtest;

namespace {

class CPlainView : public CView {
    DECLARE_DYNCREATE(CPlainView)
};
IMPLEMENT_DYNCREATE(CPlainView, CView)

const UINT kIndicators[] = {ID_SEPARATOR, IDS_TEST_INDICATOR};

std::string ControlText(const CStatusBar &bar, int nPart)
{
    char text[256] = "";
    ::SendMessageA(bar.m_hWnd, SB_GETTEXTA, (WPARAM)nPart, (LPARAM)text);
    return text;
}

CRect ChildRect(const CWnd &child, HWND hParent)
{
    CRect rc;
    child.GetWindowRect(&rc);
    ::MapWindowPoints(nullptr, hParent, reinterpret_cast<LPPOINT>(&rc), 2);
    return rc;
}

class StatusBarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_pFrame = new CFrameWnd;
        CCreateContext context;
        context.m_pNewViewClass = RUNTIME_CLASS(CPlainView);
        ASSERT_TRUE(m_pFrame->Create(nullptr, "Statuszeile", WS_OVERLAPPEDWINDOW, CRect(30, 30, 430, 330),
                                     nullptr, nullptr, 0, &context));
        ASSERT_TRUE(m_bar.Create(m_pFrame));
        ASSERT_TRUE(m_bar.SetIndicators(kIndicators, 2));
        m_pFrame->InitialUpdateFrame(nullptr, TRUE);
        PumpFor(30);
    }
    void TearDown() override
    {
        if (m_pFrame)
            m_pFrame->DestroyWindow();
    }

    CFrameWnd *m_pFrame = nullptr;
    CStatusBar m_bar;
};

// Whatever the frame's size, the bar keeps the bottom edge and the view fills
// the rest; the first pane takes what the frame grows by, the indicator's
// pane keeps the width its text needs.
TEST_F(StatusBarTest, KeepsTheBottomEdgeAndTheFirstPaneStretches)
{
    CRect second;
    m_bar.GetItemRect(1, &second);
    CClientDC dc(&m_bar);
    CFont *pOld = dc.SelectObject(CFont::FromHandle((HFONT)m_bar.SendMessage(WM_GETFONT)));
    EXPECT_GE(second.Width(), dc.GetTextExtent("Farbtiefe: 16 Bit").cx)
        << "the indicator's text fits its pane";
    dc.SelectObject(pOld);
    int firstWidth = 0;
    for (CSize size : {CSize(400, 300), CSize(520, 260)}) {
        m_pFrame->SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
        PumpFor(20);
        CRect client, bar = ChildRect(m_bar, m_pFrame->m_hWnd);
        CRect view = ChildRect(*m_pFrame->GetActiveView(), m_pFrame->m_hWnd);
        m_pFrame->GetClientRect(&client);
        EXPECT_EQ(client.bottom, bar.bottom);
        EXPECT_EQ(client.Width(), bar.Width());
        EXPECT_GT(bar.Height(), 10);
        EXPECT_EQ(CRect(0, 0, client.right, bar.top), view) << "the view ends where the bar begins";
        CRect first, other;
        m_bar.GetItemRect(0, &first);
        m_bar.GetItemRect(1, &other);
        EXPECT_EQ(second.Width(), other.Width());
        if (firstWidth) {
            EXPECT_EQ(firstWidth + 120, first.Width());
        }
        firstWidth = first.Width();
    }
}

TEST_F(StatusBarTest, PanesStartWithTheirIndicatorsAndTakeNewTexts)
{
    ASSERT_EQ(2, m_bar.GetCount());
    EXPECT_EQ(1, m_bar.CommandToIndex(IDS_TEST_INDICATOR));
    EXPECT_EQ(-1, m_bar.CommandToIndex(4711));
    EXPECT_EQ("Farbtiefe: 16 Bit", ControlText(m_bar, 1));
    EXPECT_EQ("", ControlText(m_bar, 0));

    EXPECT_TRUE(m_bar.SetPaneText(0, "Controller: Simatic S7 PPI"));
    EXPECT_EQ("Controller: Simatic S7 PPI", ControlText(m_bar, 0));
    EXPECT_EQ(CString("Controller: Simatic S7 PPI"), m_bar.GetPaneText(0));
    EXPECT_FALSE(m_bar.SetPaneText(2, "kein Feld"));
    EXPECT_EQ(CString(), m_bar.GetPaneText(-1));
}

TEST(StatusBar, BadIndicatorListsAreRefused)
{
    CStatusBar bar;
    EXPECT_FALSE(bar.SetIndicators(nullptr, 2));
    EXPECT_FALSE(bar.SetIndicators(kIndicators, -1));
    EXPECT_EQ(0, bar.GetCount());
    const UINT unknown[] = {ID_SEPARATOR, 4711};
    EXPECT_FALSE(bar.SetIndicators(unknown, 2)) << "a missing string is reported";
    EXPECT_EQ(2, bar.GetCount());
}

} // namespace
