// CWndSocket: the announcement reaches the target, notifications and
// messages go to the target or, without one, to the control's parent.
#include <afxwin.h>
#include <gtest/gtest.h>
#include <string>
#include "framework/WndSocket.h"

namespace {

// A window that writes what reaches it into a log and answers with a chosen value.
class CRecorderWnd : public CWnd
{
public:
    std::string m_log;
    LRESULT m_answer = 0;
    BOOL Open(CWnd* pParent = nullptr)
    {
        return pParent ? Create(nullptr, "Kind", WS_CHILD, CRect(0, 0, 50, 20), pParent, 321)
                       : CreateEx(0, nullptr, "Fenster", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr);
    }
    ~CRecorderWnd() override { DestroyWindow(); }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_WNDSOCKET_PLUGIN)
            m_log += "plugin(" + std::to_string(wParam) + "," + std::to_string(lParam) + ") ";
        else if (message == WM_NOTIFY)
            m_log += "notify(" + std::to_string(wParam) + "," + std::to_string(((NMHDR*)lParam)->code) + ") ";
        else if (message == WM_APP + 5)
            m_log += "app ";
        else
            return CWnd::WindowProc(message, wParam, lParam);
        return m_answer;
    }
};

// Without a target the parent answers; plugging in announces the control to
// the target (wParam: its window object), which from then on hears alone,
// also through copies of the socket.
TEST(WndSocket, ReportsGoToTheParentUntilThePlugInThenToTheTargetAlone)
{
    CRecorderWnd parent, target, control;
    ASSERT_TRUE(parent.Open() && target.Open() && control.Open(&parent));
    CWndSocket socket;
    socket.Attach(&control);
    NMHDR hdr = {control.m_hWnd, 321, 1002};
    parent.m_answer = 11, target.m_answer = 22;
    EXPECT_EQ(11, socket.Notify(&hdr));
    socket.PlugInTo(&target);
    CWndSocket copy(socket), assigned;
    assigned = socket;
    hdr.code = 1003;
    EXPECT_EQ(22, socket.Notify(&hdr));
    EXPECT_EQ(22, socket.SendMsg(WM_APP + 5, 0, 0));
    EXPECT_EQ(0, socket.Notify(nullptr)) << "no header, nothing sent";
    copy.Notify(&hdr);
    assigned.SendMsg(WM_APP + 5, 0, 0);
    EXPECT_EQ("notify(321,1002) ", parent.m_log);
    const std::string announced = "plugin(" + std::to_string((WPARAM) static_cast<CWnd*>(&control)) + ",0) ";
    EXPECT_EQ(announced + "notify(321,1003) app notify(321,1003) app ", target.m_log) << "copying announces nothing";
}

TEST(WndSocket, WithoutAnyReceiverTheResultsSaySo)
{
    CRecorderWnd parent, control;
    ASSERT_TRUE(parent.Open() && control.Open(&parent));
    NMHDR hdr = {control.m_hWnd, 321, 1};
    CWndSocket lonely, gone, orphan;
    EXPECT_EQ(0, lonely.Notify(&hdr));
    EXPECT_EQ(-1, lonely.SendMsg(WM_APP + 5, 0, 0));
    CWnd noWindow;
    gone.Attach(&control);
    gone.PlugInTo(&noWindow);   // a target object without a window: no announcement, no fallback
    EXPECT_EQ(0, gone.Notify(&hdr));
    EXPECT_EQ(-1, gone.SendMsg(WM_APP + 5, 0, 0));
    EXPECT_EQ("", parent.m_log);
    orphan.Attach(&parent);
    EXPECT_EQ(-1, orphan.SendMsg(WM_APP + 5, 0, 0)) << "a control without parent or target";
    orphan.Attach(&noWindow);
    EXPECT_EQ(-1, orphan.SendMsg(WM_APP + 5, 0, 0)) << "a control object without a window";
}

}
