// C++ exceptions cross module boundaries as they do in an MFC process: a host
// handler that throws while frames of afx.dll are on the stack is caught by
// the host, and a host override that throws while QRV.dll runs it is caught
// by the library's guard. Each module shares one GCC runtime, so this holds
// for 32-bit code as well as for 64-bit code.
#include <gtest/gtest.h>
#include <afxwin.h>
#include <stdexcept>
#include "tests/viewer/ViewerTestSupport.h"
#include "viewer/LeadViewerWnd.h"

using namespace viewertest;


namespace {

const UINT kThrowingCommand = 41001;

struct HostFault : std::runtime_error
{
    explicit HostFault(int n) : std::runtime_error("host fault"), nCode(n) {}
    int nCode;
};

// A command target of the host whose handler throws; afx.dll's routing
// (OnCmdMsg and the message-map search) lies between the throw and the catch.
class CThrowingTarget : public CCmdTarget
{
public:
    void OnThrowingCommand() { throw HostFault(7); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CThrowingTarget, CCmdTarget)
    ON_COMMAND(kThrowingCommand, OnThrowingCommand)
END_MESSAGE_MAP()

TEST(HostExceptions, HostCatchesWhatItsHandlerThrowsThroughTheFrameworksRouting)
{
    CThrowingTarget target;
    int nCaught = 0;
    for (int i = 0; i < 3; ++i) {
        try {
            target.OnCmdMsg(kThrowingCommand, 0 /* a command, MFC's CN_COMMAND */, nullptr, nullptr);
        } catch (const HostFault& e) {
            nCaught += e.nCode;
        }
    }
    EXPECT_EQ(21, nCaught) << "each throw unwound through afx.dll into the host's catch";
}

// A host viewer whose display frames cannot be made: the override throws
// while the library's Init runs it, and Init's guard ends it with 0.
class CThrowingViewer : public CLeadViewerWnd
{
public:
    int m_nFramesAsked = 0;

protected:
    CLeadFrame* CreateLeadFrame() override
    {
        ++m_nFramesAsked;
        throw HostFault(1);
    }
};

TEST(HostExceptions, LibraryGuardCatchesWhatAHostOverrideThrows)
{
    HostWindow host(240, 200);
    CThrowingViewer viewer;
    EXPECT_EQ(0, viewer.Create(WS_VISIBLE, CRect(0, 0, 240, 200), &host, 1000));
    EXPECT_EQ(1, viewer.m_nFramesAsked) << "the throw ended Init at the first frame";
    EXPECT_EQ(nullptr, viewer.GetTabWnd());
    // The host goes on: a second viewer in the same window works.
    CLeadViewerWnd plain;
    EXPECT_EQ(1, plain.Create(WS_VISIBLE, CRect(0, 0, 240, 200), &host, 1001));
}

}  // namespace
