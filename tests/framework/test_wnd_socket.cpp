// CWndSocket: the announcement reaches the target, notifications and
// messages go to the target or, without one, to the control's parent.
#include <afxwin.h>
#include <gtest/gtest.h>
#include "framework/WndSocket.h"

namespace {

// A window that records what reaches it and answers with a chosen value.
class CRecorderWnd : public CWnd
{
public:
    UINT m_nAnnouncements = 0;
    WPARAM m_wAnnounced = 0;
    LPARAM m_lAnnounced = -1;
    UINT m_nNotifications = 0;
    UINT_PTR m_idNotified = 0;
    UINT m_codeNotified = 0;
    UINT m_nPrivate = 0;
    LRESULT m_answer = 0;

    BOOL CreateTop(const char* name)
    {
        return CreateEx(0, nullptr, name, WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr);
    }
    BOOL CreateChild(CWnd* pParent, UINT nID)
    {
        RECT rc = { 0, 0, 50, 20 };
        return Create(nullptr, "Kind", WS_CHILD | WS_VISIBLE, rc, pParent, nID);
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_WNDSOCKET_PLUGIN) {
            ++m_nAnnouncements;
            m_wAnnounced = wParam;
            m_lAnnounced = lParam;
            return m_answer;
        }
        if (message == WM_NOTIFY) {
            ++m_nNotifications;
            m_idNotified = wParam;
            m_codeNotified = reinterpret_cast<NMHDR*>(lParam)->code;
            return m_answer;
        }
        if (message == WM_APP + 5) {
            ++m_nPrivate;
            return m_answer;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

class WndSocketTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_parent.CreateTop("Eltern"));
        ASSERT_TRUE(m_target.CreateTop("Ziel"));
        ASSERT_TRUE(m_control.CreateChild(&m_parent, 321));
        m_socket.Attach(&m_control);
    }
    void TearDown() override
    {
        m_control.DestroyWindow();
        m_parent.DestroyWindow();
        m_target.DestroyWindow();
    }
    NMHDR Header(UINT code)
    {
        NMHDR hdr = {};
        hdr.hwndFrom = m_control.m_hWnd;
        hdr.idFrom = 321;
        hdr.code = code;
        return hdr;
    }

    CRecorderWnd m_parent, m_target, m_control;
    CWndSocket m_socket;
};

// Without a target the parent answers; plugging in announces the control to
// the target (wParam: its window object), which from then on hears alone.
TEST_F(WndSocketTest, NotificationsGoToTheParentUntilThePlugInToTheTarget)
{
    NMHDR hdr = Header(1002);
    m_parent.m_answer = 11;
    EXPECT_EQ(11, m_socket.Notify(&hdr));
    EXPECT_EQ(1u, m_parent.m_nNotifications);
    EXPECT_EQ(321u, m_parent.m_idNotified);
    EXPECT_EQ(1002u, m_parent.m_codeNotified);

    m_socket.PlugInTo(&m_target);
    EXPECT_EQ(1u, m_target.m_nAnnouncements);
    EXPECT_EQ(reinterpret_cast<WPARAM>(static_cast<CWnd*>(&m_control)), m_target.m_wAnnounced);
    EXPECT_EQ(0, m_target.m_lAnnounced);
    EXPECT_EQ(0u, m_parent.m_nAnnouncements);
    m_target.m_answer = 22;
    hdr.code = 1003;
    EXPECT_EQ(22, m_socket.Notify(&hdr));
    EXPECT_EQ(1u, m_target.m_nNotifications);
    EXPECT_EQ(1003u, m_target.m_codeNotified);
    EXPECT_EQ(1u, m_parent.m_nNotifications) << "the parent hears nothing more";
    m_target.m_answer = 33;
    EXPECT_EQ(33, m_socket.SendMsg(WM_APP + 5, 0, 0));
    EXPECT_EQ(1u, m_target.m_nPrivate);
}

TEST_F(WndSocketTest, CopiesReportToTheSameTarget)
{
    m_socket.PlugInTo(&m_target);
    CWndSocket copy(m_socket);
    CWndSocket assigned;
    assigned = m_socket;
    NMHDR hdr = Header(7);
    copy.Notify(&hdr);
    assigned.Notify(&hdr);
    EXPECT_EQ(2u, m_target.m_nNotifications);
    EXPECT_EQ(1u, m_target.m_nAnnouncements) << "copying announces nothing";
}

TEST_F(WndSocketTest, WithoutAnyReceiverTheResultsSaySo)
{
    CWndSocket lonely;
    NMHDR hdr = Header(1);
    EXPECT_EQ(0, lonely.Notify(&hdr));
    EXPECT_EQ(-1, lonely.SendMsg(WM_APP + 5, 0, 0));

    CWnd noWindow;
    lonely.Attach(&m_control);
    lonely.PlugInTo(&noWindow);   // a target object without a window: no announcement
    EXPECT_EQ(0, lonely.Notify(&hdr));
    EXPECT_EQ(-1, lonely.SendMsg(WM_APP + 5, 0, 0));
    EXPECT_EQ(0u, m_parent.m_nNotifications) << "a target that is set but gone does not fall back";

    CRecorderWnd topLevel;
    ASSERT_TRUE(topLevel.CreateTop("Allein"));
    CWndSocket orphan;
    orphan.Attach(&topLevel);
    EXPECT_EQ(-1, orphan.SendMsg(WM_APP + 5, 0, 0)) << "a control without parent or target";
    topLevel.DestroyWindow();
}

}
