// A frame with its view as a host uses it: a popup's items are enabled,
// checked and renamed by ON_UPDATE_COMMAND_UI handlers along the route (view,
// frame, application) before it opens, items nobody handles are disabled,
// a disabled command does nothing, and help reaches the application's OnHelp;
// and the status bar that keeps the bottom edge while the view fills the
// rest, its panes starting with their indicator strings, the first pane
// stretching, and pane texts reaching the control.
#include <afxwin.h>
#include <afxext.h>
#include <gtest/gtest.h>
#include <string>
#include "afx_tests_res.h"
#include "uiauto/MessagePump.h"
#include "tests/support/DialogLayout.h"
#include "tests/support/TestApp.h"

using namespace qrvtest;

namespace {

int g_nViewSubItem = 0;
BOOL g_bViewContinues = FALSE;

class CRouteView : public CView {
    DECLARE_DYNCREATE(CRouteView)
protected:
    afx_msg void OnSubItem() { g_nViewSubItem++; }
    // The view sees the update first; it passes it on when told to.
    afx_msg void OnUpdateChecked(CCmdUI *pCmdUI)
    {
        pCmdUI->SetCheck(0);
        if (g_bViewContinues)
            pCmdUI->ContinueRouting();
    }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CRouteView, CView)
BEGIN_MESSAGE_MAP(CRouteView, CView)
ON_COMMAND(ID_TEST_SUBITEM, OnSubItem)
ON_UPDATE_COMMAND_UI(ID_TEST_CHECKED, OnUpdateChecked)
END_MESSAGE_MAP()

class CRouteFrame : public CFrameWnd {
public:
    int m_nHandled = 0, m_nDisabled = 0;

protected:
    afx_msg void OnHandled() { m_nHandled++; }
    afx_msg void OnDisabled() { m_nDisabled++; }
    afx_msg void OnChecked() {}
    afx_msg void OnRenamed() {}
    afx_msg void OnUpdateChecked(CCmdUI *pCmdUI) { pCmdUI->SetCheck(1); }
    afx_msg void OnUpdateDisabled(CCmdUI *pCmdUI) { pCmdUI->Enable(FALSE); }
    afx_msg void OnUpdateRenamed(CCmdUI *pCmdUI) { pCmdUI->SetText("&Neuer Name"); }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CRouteFrame, CFrameWnd)
ON_COMMAND(ID_TEST_HANDLED, OnHandled)
ON_COMMAND(ID_TEST_DISABLED, OnDisabled)
ON_COMMAND(ID_TEST_CHECKED, OnChecked)
ON_COMMAND(ID_TEST_RENAMED, OnRenamed)
ON_UPDATE_COMMAND_UI(ID_TEST_CHECKED, OnUpdateChecked)
ON_UPDATE_COMMAND_UI(ID_TEST_DISABLED, OnUpdateDisabled)
ON_UPDATE_COMMAND_UI(ID_TEST_RENAMED, OnUpdateRenamed)
END_MESSAGE_MAP()

class CmdUITest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_nViewSubItem = 0;
        g_bViewContinues = FALSE;
        m_pFrame = new CRouteFrame;
        CCreateContext context;
        context.m_pNewViewClass = RUNTIME_CLASS(CRouteView);
        ASSERT_TRUE(m_pFrame->LoadFrame(IDR_TEST_FRAME, WS_OVERLAPPEDWINDOW, nullptr, &context));
        m_pFrame->InitialUpdateFrame(nullptr, TRUE);
        m_hFrame = m_pFrame->m_hWnd;
    }
    void TearDown() override
    {
        if (::IsWindow(m_hFrame))
            m_pFrame->DestroyWindow();
        App().m_pMainWnd = nullptr;
        // The end of a main window asks the message loop to end; the tests have none.
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
    }
    // The popup at nPos of the menu bar, opened as the platform opens it (its
    // update handlers run first), as "text[G][C]" per item, G for grayed and C for checked, "-" a separator.
    std::string Popup(int nPos)
    {
        HMENU hPopup = ::GetSubMenu(::GetMenu(m_hFrame), nPos);
        ::SendMessageA(m_hFrame, WM_INITMENUPOPUP, (WPARAM)hPopup, MAKELPARAM(nPos, FALSE));
        std::string items;
        for (int i = 0, n = ::GetMenuItemCount(hPopup); i < n; i++) {
            char text[128] = "";
            ::GetMenuStringA(hPopup, i, text, sizeof text, MF_BYPOSITION);
            UINT state = ::GetMenuState(hPopup, i, MF_BYPOSITION);
            items += std::string(i ? " " : "") + (state & MF_SEPARATOR
                                                      ? "-"
                                                      : std::string(text) + (state & MF_GRAYED ? "G" : "") +
                                                            (state & MF_CHECKED ? "C" : ""));
        }
        return items;
    }

    CRouteFrame *m_pFrame = nullptr;
    HWND m_hFrame = nullptr;
};

// Items nobody handles are grayed (unless the frame turns that off), update
// handlers along the route (view, frame, application) enable, check and
// rename; the view is asked first and passes an item on with ContinueRouting.
TEST_F(CmdUITest, PopupItemsTakeTheirStateFromTheRouteBeforeTheMenuOpens)
{
    struct Case {
        BOOL autoEnable;
        BOOL viewContinues;
        const char *file;
    };
    const Case cases[] = {
        {FALSE, FALSE, "&Behandelt &Unbehandelt - &Markiert &GesperrtG &Neuer Name &Weiteres &Beenden"},
        {TRUE, FALSE, "&Behandelt &UnbehandeltG - &Markiert &GesperrtG &Neuer Name &Weiteres &Beenden"},
        {TRUE, TRUE, "&Behandelt &UnbehandeltG - &MarkiertC &GesperrtG &Neuer Name &Weiteres &Beenden"},
    };
    for (const Case &c : cases) {
        m_pFrame->m_bAutoMenuEnable = c.autoEnable;
        g_bViewContinues = c.viewContinues;
        EXPECT_EQ(c.file, Popup(0));
    }
    EXPECT_EQ("&Hilfethemen &Info über Prüfrahmen...G", Popup(1)) << "the application maps F1";
}

// Commands sent to the frame or typed as the accelerators of its id go to the
// view, the frame or the application (help with the frame's context); a
// disabled command does nothing; ID_APP_EXIT closes the main window.
TEST_F(CmdUITest, CommandsGoToViewFrameAndApplicationAndNotWhenDisabled)
{
    App().m_pMainWnd = m_pFrame;
    const int nHelpCalls = App().m_nHelpCalls;
    for (int nID : {ID_TEST_HANDLED, ID_TEST_SUBITEM, ID_TEST_DISABLED, ID_HELP})
        ::SendMessageA(m_hFrame, WM_COMMAND, nID, 0);
    MSG key = {m_pFrame->GetActiveView()->m_hWnd, WM_KEYDOWN, VK_F5, 0, 0, {0, 0}};
    EXPECT_TRUE(m_pFrame->PreTranslateMessage(&key));
    key.wParam = VK_F6;
    EXPECT_FALSE(m_pFrame->PreTranslateMessage(&key)) << "F6 is no accelerator";
    EXPECT_EQ(2, m_pFrame->m_nHandled) << "sent, and by F5";
    EXPECT_EQ(1, g_nViewSubItem);
    EXPECT_EQ(0, m_pFrame->m_nDisabled) << "a disabled command does nothing";
    EXPECT_EQ(nHelpCalls + 1, App().m_nHelpCalls);
    EXPECT_EQ((DWORD_PTR)(HID_BASE_RESOURCE + IDR_TEST_FRAME), App().m_dwLastHelpData);
    EXPECT_EQ((UINT)HELP_CONTEXT, App().m_nLastHelpCmd);
    ::SendMessageA(m_hFrame, WM_COMMAND, ID_APP_EXIT, 0);
    EXPECT_FALSE(::IsWindow(m_hFrame));
    EXPECT_EQ(nullptr, App().m_pMainWnd);
    MSG msg;
    EXPECT_TRUE(::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the application ends with it";
}

const UINT kIndicators[] = {ID_SEPARATOR, IDS_TEST_INDICATOR};

std::string ControlText(const CStatusBar &bar, int nPart)
{
    char text[256] = "";
    ::SendMessageA(bar.m_hWnd, SB_GETTEXTA, (WPARAM)nPart, (LPARAM)text);
    return text;
}

// A frame made by Create with no class, menu or help id of its own, a view and
// a status bar of two panes.
class StatusBarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_pFrame = new CFrameWnd;
        CCreateContext context;
        context.m_pNewViewClass = RUNTIME_CLASS(CRouteView);
        ASSERT_TRUE(m_pFrame->Create(nullptr, "Statuszeile", WS_OVERLAPPEDWINDOW, CRect(30, 30, 430, 330),
                                     nullptr, nullptr, 0, &context));
        ASSERT_TRUE(m_bar.Create(m_pFrame));
        ASSERT_TRUE(m_bar.SetIndicators(kIndicators, 2));
        m_pFrame->InitialUpdateFrame(nullptr, TRUE);
        PumpFor(30);
    }
    void TearDown() override { m_pFrame->DestroyWindow(); }

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
        CRect client, bar = Place(m_bar.m_hWnd), view = Place(m_pFrame->GetActiveView()->m_hWnd);
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

TEST_F(StatusBarTest, PanesStartWithTheirIndicatorsAndTakeNewTextsAndBadListsAreRefused)
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
    // Bad indicator lists are refused.
    CStatusBar bar;
    EXPECT_FALSE(bar.SetIndicators(nullptr, 2));
    EXPECT_FALSE(bar.SetIndicators(kIndicators, -1));
    EXPECT_EQ(0, bar.GetCount());
    const UINT unknown[] = {ID_SEPARATOR, 4711};
    EXPECT_FALSE(bar.SetIndicators(unknown, 2)) << "a missing string is reported";
    EXPECT_EQ(2, bar.GetCount());
}

} // namespace
