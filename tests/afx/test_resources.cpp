// Resources seen from the host: the string chain (the host's own strings with
// the framework's standard ones of afxres.rc, then QRV.dll's while it is
// loaded as an extension module), its classes found by name, a frame
// made from one resource id as MFC hosts make their main window, and the
// window members hosts call: safe owners, WM_NCCREATE and WM_QUERYDRAGICON.
#include <afxwin.h>
#include <afxres.h>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include "afx_tests_res.h"
#include "tests/support/TestApp.h"
#include "uiauto/ControlActions.h"

using namespace qrvtest;

namespace {

HICON ResourceIcon(UINT nID)
{
    LPCSTR name = MAKEINTRESOURCEA(nID);
    return ::LoadIconA(AfxFindResourceHandle(name, (LPCSTR)RT_GROUP_ICON), name);
}

struct FrameDeleter {
    void operator()(CFrameWnd *p) const
    {
        if (p && ::IsWindow(p->m_hWnd))
            p->DestroyWindow();
    }
};

// A frame made from one id takes its menu, icon, accelerators and title from
// it; an id without string or icon takes the application's title and the
// framework's standard icon. rectDefault lets the platform choose the size.
TEST(FrameResources, LoadFrameTakesMenuIconAcceleratorsAndTitleFromOneId)
{
    struct Case {
        UINT id;
        DWORD style;
        std::string title;
        UINT icon;
        bool accelerators;
    };
    const Case cases[] = {
        {IDR_TEST_FRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, "Prüfrahmen", IDR_TEST_FRAME, true},
        {IDR_TEST_BARE, WS_OVERLAPPEDWINDOW, AfxGetAppName(), AFX_IDI_STD_FRAME, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.id);
        CFrameWnd *pFrame = new CFrameWnd;
        ASSERT_TRUE(pFrame->LoadFrame(c.id, c.style));
        std::unique_ptr<CFrameWnd, FrameDeleter> guard(pFrame);
        EXPECT_EQ(c.title, Text(pFrame->m_hWnd));
        EXPECT_EQ(CString(c.title.c_str()), pFrame->GetTitle());
        EXPECT_NE(nullptr, ::GetMenu(pFrame->m_hWnd));
        HICON hIcon = ResourceIcon(c.icon);
        ASSERT_NE(nullptr, hIcon);
        EXPECT_EQ((ULONG_PTR)hIcon, ::GetClassLongPtrA(pFrame->m_hWnd, GCLP_HICON));
        EXPECT_EQ(c.accelerators, pFrame->GetDefaultAccelerator() != nullptr);
        EXPECT_EQ(c.id, pFrame->m_nIDHelp);
        EXPECT_EQ(pFrame, pFrame->GetActiveFrame());
        EXPECT_TRUE(pFrame->IsFrameWnd());
        CRect rc;
        pFrame->GetWindowRect(&rc);
        EXPECT_TRUE(rc.Width() > 100 && rc.Height() > 50) << rc.Width() << "x" << rc.Height();
    }
}

class ResourceChain : public ::testing::Test {
protected:
    HMODULE hQrv = nullptr;
    void SetUp() override { ASSERT_NE(nullptr, hQrv = ::LoadLibraryA("QRV.dll")); }
    void TearDown() override
    {
        if (hQrv)
            ::FreeLibrary(hQrv);
    }
};

// The host's own strings are searched first, then the library's; the ANSI
// texts are code page 1252; a string nobody has leaves the host's handle.
TEST_F(ResourceChain, StringsAreFoundInTheHostThenInTheLibrary)
{
    HINSTANCE hHost = AfxGetInstanceHandle();
    const struct {
        UINT id;
        const char *text;
        HINSTANCE from;
    } cases[] = {
        {22303, "Kann aktiven Treiber nicht entfernen.", hQrv},
        {22315, "Übernehmen", hQrv},
        {IDS_TEST_HOST_ONLY, "Nur im Host", hHost},
        {AFX_IDS_UNTITLED, "Unbenannt", hHost},
        {AFX_IDP_FAILED_TO_LAUNCH_HELP, "Die Hilfe konnte nicht gestartet werden.", hHost},
        {4712, "", hHost},
    };
    for (const auto &c : cases) {
        CString s("alt");
        EXPECT_EQ(*c.text != 0, s.LoadString(c.id) != FALSE) << c.id;
        EXPECT_STREQ(c.text, s) << c.id;
        EXPECT_EQ(c.from, AfxFindStringResourceHandle(c.id)) << c.id;
    }
}

// The library's classes are known by name as its own while it is loaded (the
// editor tests create each of them by name); what is unknown or not creatable
// gives no object. Unloaded, the library's strings and classes are gone.
TEST_F(ResourceChain, LibraryClassesAreFoundByNameAsTheLibrarysUntilItIsUnloaded)
{
    for (const char *name : {"QRVBaudRateMgr", "QRVMemoryMgr", "QRVTrendMemoryMgr", "QRVTimerMgr"}) {
        CRuntimeClass *pClass = CRuntimeClass::FromName(name);
        ASSERT_NE(nullptr, pClass) << name;
        EXPECT_EQ(hQrv, pClass->m_hModule) << name;
        EXPECT_TRUE(pClass->IsDerivedFrom(RUNTIME_CLASS(CCmdTarget)))
            << name << " reaches the framework's classes";
    }
    EXPECT_EQ(nullptr, CRuntimeClass::CreateObject("QRVNoSuchClass"));
    EXPECT_EQ(nullptr, CRuntimeClass::CreateObject("CWinApp")) << "not creatable";
    // Unloading the library takes its resources and classes away.
    ::FreeLibrary(hQrv);
    hQrv = nullptr;
    CString s("alt");
    EXPECT_FALSE(s.LoadString(22303));
    EXPECT_TRUE(s.IsEmpty());
    EXPECT_EQ(AfxGetResourceHandle(), AfxFindResourceHandle(MAKEINTRESOURCEA(22301), (LPCSTR)RT_DIALOG));
    EXPECT_EQ(nullptr, CRuntimeClass::FromName("QRVBaudRateMgr"));
}

class CCreateWatch : public CWnd {
public:
    int m_nNcCreate = 0;
    BOOL m_bRefuse = FALSE;
    HICON m_hDragIcon = nullptr;

protected:
    afx_msg BOOL OnNcCreate(LPCREATESTRUCT lpcs)
    {
        m_nNcCreate++;
        return m_bRefuse ? FALSE : CWnd::OnNcCreate(lpcs);
    }
    afx_msg HCURSOR OnQueryDragIcon() { return m_hDragIcon; }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CCreateWatch, CWnd)
ON_WM_NCCREATE()
ON_WM_QUERYDRAGICON()
END_MESSAGE_MAP()

TEST(WindowMembers, NcCreateAndQueryDragIconReachTheirHandlers)
{
    CCreateWatch refused;
    refused.m_bRefuse = TRUE;
    EXPECT_FALSE(
        refused.CreateEx(0, AfxRegisterWndClass(0), "abgelehnt", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
    EXPECT_EQ(1, refused.m_nNcCreate);

    CCreateWatch wnd;
    ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0), "angenommen", WS_OVERLAPPEDWINDOW, 10, 10, 300, 200,
                             nullptr, nullptr));
    EXPECT_EQ(1, wnd.m_nNcCreate);
    wnd.m_hDragIcon = ResourceIcon(IDR_TEST_FRAME);
    EXPECT_EQ((LRESULT)wnd.m_hDragIcon, wnd.SendMessage(WM_QUERYDRAGICON));
    wnd.DestroyWindow();
}

TEST(WindowMembers, GetSafeOwnerClimbsToTheTopLevelWindowAndDisablesIt)
{
    CWnd top;
    ASSERT_TRUE(top.CreateEx(0, AfxRegisterWndClass(0), "oben", WS_OVERLAPPEDWINDOW, 0, 0, 200, 200, nullptr,
                             nullptr));
    CWnd child;
    ASSERT_TRUE(
        child.Create(AfxRegisterWndClass(0), "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 20, 20), &top, 7));

    EXPECT_EQ(top.m_hWnd, CWnd::GetSafeOwner(&child)->m_hWnd);
    HWND hTop = nullptr;
    EXPECT_EQ(top.m_hWnd, CWnd::GetSafeOwner(&child, &hTop)->m_hWnd);
    EXPECT_EQ(top.m_hWnd, hTop);
    EXPECT_FALSE(top.IsWindowEnabled());
    // Already disabled: nothing for the caller to enable again.
    CWnd::GetSafeOwner(&child, &hTop);
    EXPECT_EQ(nullptr, hTop);
    top.EnableWindow(TRUE);
    top.DestroyWindow();
}

} // namespace
