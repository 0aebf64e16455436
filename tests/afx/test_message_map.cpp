// Message maps: dispatch, reflection to the control first, Default() and the
// PreTranslateMessage chain, with real windows.
#include <afxwin.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "uiauto/ControlActions.h"

using qrvtest::ItemText;

namespace {

std::vector<std::string> g_log;

class CReflectingChild : public CWnd {
public:
    BOOL m_bPassDblClk = FALSE;
    BOOL m_bEatKeys = FALSE;

protected:
    afx_msg void OnClickReflect(NMHDR *, LRESULT *pResult)
    {
        g_log.push_back("child:click");
        *pResult = 7;
    }
    afx_msg BOOL OnDblClkReflect(NMHDR *, LRESULT *)
    {
        g_log.push_back("child:dblclk");
        return !m_bPassDblClk;
    }
    afx_msg void OnClickedReflect() { g_log.push_back("child:clicked"); }
    BOOL PreTranslateMessage(MSG *pMsg) override { return m_bEatKeys && pMsg->message == WM_KEYDOWN; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReflectingChild, CWnd)
ON_NOTIFY_REFLECT(NM_CLICK, OnClickReflect)
ON_NOTIFY_REFLECT_EX(NM_DBLCLK, OnDblClkReflect)
ON_CONTROL_REFLECT(BN_CLICKED, OnClickedReflect)
END_MESSAGE_MAP()

const UINT kChildId = 55;
const UINT WM_APP_PING = WM_APP + 1;

class CParent : public CWnd {
public:
    int m_cx = -1, m_cy = -1;
    WPARAM m_pingW = 0;

protected:
    afx_msg void OnSize(UINT, int cx, int cy)
    {
        m_cx = cx;
        m_cy = cy;
    }
    afx_msg LRESULT OnPing(WPARAM wParam, LPARAM lParam)
    {
        m_pingW = wParam;
        return lParam * 2;
    }
    afx_msg void OnChildClick(NMHDR *, LRESULT *) { g_log.push_back("parent:click"); }
    afx_msg void OnChildDblClk(NMHDR *, LRESULT *pResult)
    {
        g_log.push_back("parent:dblclk");
        *pResult = 9;
    }
    afx_msg void OnChildClicked() { g_log.push_back("parent:clicked"); }
    afx_msg void OnOtherClicked() { g_log.push_back("parent:other"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CParent, CWnd)
ON_WM_SIZE()
ON_MESSAGE(WM_APP_PING, OnPing)
ON_NOTIFY(NM_CLICK, kChildId, OnChildClick)
ON_NOTIFY(NM_DBLCLK, kChildId, OnChildDblClk)
ON_BN_CLICKED(kChildId, OnChildClicked)
ON_BN_CLICKED(kChildId + 1, OnOtherClicked)
END_MESSAGE_MAP()

class MessageMap : public ::testing::Test {
protected:
    CParent parent;
    CReflectingChild child;

    void SetUp() override
    {
        g_log.clear();
        ASSERT_TRUE(
            parent.CreateEx(0, nullptr, "Eltern", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr));
        ASSERT_TRUE(
            child.Create(nullptr, "Kind", WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 20), &parent, kChildId));
    }
    void TearDown() override { parent.DestroyWindow(); }
};

TEST_F(MessageMap, HandlerSignaturesUnpackTheirArguments)
{
    parent.SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(123, 45));
    EXPECT_EQ(123, parent.m_cx);
    EXPECT_EQ(45, parent.m_cy);
    EXPECT_EQ(84, parent.SendMessage(WM_APP_PING, 5, 42));
    EXPECT_EQ(5u, parent.m_pingW);
}

// Notifications and commands are offered to the sending control's own map
// first; a reflected handler takes them, unless an _EX one answers FALSE.
// A control without a framework object reaches the parent's map directly.
TEST_F(MessageMap, ReflectionOffersTheMessageToTheChildFirst)
{
    HWND hPlain = ::CreateWindowA("BUTTON", "x", WS_CHILD, 0, 0, 10, 10, parent, (HMENU)(kChildId + 1),
                                  nullptr, nullptr);
    struct Case {
        UINT message, code;
        BOOL passDblClk;
        bool plain;
        LRESULT result;
        std::vector<std::string> log;
    };
    const Case cases[] = {
        {WM_NOTIFY, NM_CLICK, FALSE, false, 7, {"child:click"}},
        {WM_NOTIFY, NM_DBLCLK, FALSE, false, -1, {"child:dblclk"}},
        {WM_NOTIFY, NM_DBLCLK, TRUE, false, 9, {"child:dblclk", "parent:dblclk"}},
        {WM_COMMAND, BN_CLICKED, FALSE, false, -1, {"child:clicked"}},
        {WM_COMMAND, BN_CLICKED, FALSE, true, -1, {"parent:other"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.log.back());
        g_log.clear();
        child.m_bPassDblClk = c.passDblClk;
        NMHDR hdr = {child.m_hWnd, kChildId, c.code};
        UINT id = c.plain ? kChildId + 1 : kChildId;
        LRESULT result = c.message == WM_NOTIFY
                             ? parent.SendMessage(WM_NOTIFY, id, (LPARAM)&hdr)
                             : parent.SendMessage(WM_COMMAND, MAKEWPARAM(id, c.code),
                                                  (LPARAM)(c.plain ? hPlain : child.m_hWnd));
        if (c.result != -1) {
            EXPECT_EQ(c.result, result);
        }
        EXPECT_EQ(c.log, g_log);
    }
}

TEST_F(MessageMap, HandleMapsGivePermanentObjectsAndReplaceableTemporaries)
{
    EXPECT_EQ(&child, CWnd::FromHandle(child.m_hWnd));
    EXPECT_EQ(&child, CWnd::FromHandlePermanent(child.m_hWnd));
    EXPECT_EQ(nullptr, CWnd::FromHandle(nullptr)) << "no window, no object";
    HWND hPlain = ::CreateWindowA("STATIC", "t", WS_CHILD, 0, 0, 10, 10, parent, nullptr, nullptr, nullptr);
    CWnd *pTemp = CWnd::FromHandle(hPlain);
    ASSERT_NE(nullptr, pTemp);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hPlain));
    EXPECT_EQ(pTemp, CWnd::FromHandle(hPlain));
    EXPECT_EQ(&parent, child.GetParent());
    AfxDeleteTempMaps();
    EXPECT_TRUE(::IsWindow(hPlain)) << "deleting a temporary wrapper must not destroy the window";
    CWnd attached;
    ASSERT_TRUE(attached.Attach(hPlain));
    EXPECT_EQ(&attached, CWnd::FromHandle(hPlain));
    EXPECT_EQ(hPlain, attached.Detach());
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hPlain));
    // Destroying the window detaches its object.
    HWND hChild = child.m_hWnd;
    EXPECT_TRUE(child.DestroyWindow());
    EXPECT_EQ(nullptr, child.m_hWnd);
    EXPECT_FALSE(::IsWindow(hChild));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hChild));
}

// Default() hands the current message to the window's original procedure.
class CUpperEdit : public CWnd {
protected:
    afx_msg void OnChar(UINT nChar, UINT, UINT)
    {
        const MSG *pMsg = GetCurrentMessage();
        DefWindowProc(WM_CHAR, (WPARAM)CharUpperA((LPSTR)(UINT_PTR)(BYTE)nChar), pMsg->lParam);
    }
    afx_msg void OnKillFocus(CWnd *)
    {
        ++m_nKillFocus;
        Default();
    }
    DECLARE_MESSAGE_MAP()
public:
    int m_nKillFocus = 0;
};

BEGIN_MESSAGE_MAP(CUpperEdit, CWnd)
ON_WM_CHAR()
ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

TEST_F(MessageMap, SubclassedControlKeepsItsOwnBehaviourThroughDefault)
{
    HWND hEdit = ::CreateWindowA("EDIT", "", WS_CHILD | WS_VISIBLE, 0, 30, 100, 20, parent, (HMENU)77,
                                 nullptr, nullptr);
    CUpperEdit edit;
    ASSERT_TRUE(edit.SubclassDlgItem(77, &parent));
    for (char ch : std::string("abc"))
        edit.SendMessage(WM_CHAR, (WPARAM)ch, 1);
    EXPECT_EQ("ABC", ItemText(parent.m_hWnd, 77));
    edit.SendMessage(WM_KILLFOCUS, 0, 0);
    EXPECT_EQ(1, edit.m_nKillFocus);
    EXPECT_EQ(hEdit, edit.UnsubclassWindow());
    ::SendMessageA(hEdit, WM_CHAR, 'd', 1);
    EXPECT_EQ(nullptr, edit.m_hWnd);
    EXPECT_EQ("ABCd", ItemText(parent.m_hWnd, 77))
        << "after unsubclassing the edit's own procedure runs alone";
}

TEST_F(MessageMap, PreTranslateChainLetsAChildSwallowAMessage)
{
    MSG msg = {child.m_hWnd, WM_KEYDOWN, VK_DOWN, 0, 0, {0, 0}};
    EXPECT_FALSE(CWnd::WalkPreTranslateTree(parent.m_hWnd, &msg));
    child.m_bEatKeys = TRUE;
    EXPECT_TRUE(CWnd::WalkPreTranslateTree(parent.m_hWnd, &msg));
    msg.message = WM_KEYUP;
    EXPECT_FALSE(CWnd::WalkPreTranslateTree(parent.m_hWnd, &msg));
}

} // namespace
