// The resize framework on real windows: controls follow SetWindowPos size
// changes by their fractions with halves of pixels carried over, the limits
// answered to WM_GETMINMAXINFO, the size grip, the transparent style of group
// boxes, the placement in the registry and the resizable property sheet.
#include <afxdlgs.h>
#include <gtest/gtest.h>
#include <string>
#include "framework/ResizeDialog.h"
#include "framework/ResizePropertyPage.h"
#include "framework/ResizePropertySheet.h"
#include "resize_tests_res.h"
#include "uiauto/MessagePump.h"
#include "tests/support/TestApp.h"

using namespace qrvtest;

namespace {

const UINT kGripID = 32767;

// Opens the scope's protected members to the tests.
class CTestResizeDialog : public CResizeDialog
{
public:
    explicit CTestResizeDialog(UINT nFlags = 0) : CResizeDialog(IDD_RS_DIALOG, nullptr, nFlags) {}
    ~CTestResizeDialog() override { DestroyWindow(); }

    BOOL Open()
    {
        if (!Create(IDD_RS_DIALOG))
            return FALSE;
        ShowWindow(SW_SHOWNORMAL);
        PumpFor(20);
        return TRUE;
    }
};

CRect ChildRect(HWND hParent, int id)
{
    CRect rc(0, 0, 0, 0);
    HWND hCtrl = ::GetDlgItem(hParent, id);
    if (hCtrl) {
        ::GetWindowRect(hCtrl, &rc);
        ::MapWindowPoints(nullptr, hParent, reinterpret_cast<LPPOINT>(&rc), 2);
    }
    return rc;
}

// Changes the window's outer size by (dx, dy) as a drag of the frame would.
void Grow(HWND hWnd, int dx, int dy)
{
    CRect rc;
    ::GetWindowRect(hWnd, &rc);
    ::SetWindowPos(hWnd, nullptr, 0, 0, rc.Width() + dx, rc.Height() + dy, SWP_NOMOVE | SWP_NOZORDER);
}

MINMAXINFO AskLimits(HWND hWnd)
{
    MINMAXINFO mmi = {};
    mmi.ptMinTrackSize = { 1, 2 };
    mmi.ptMaxTrackSize = { 3000, 2000 };
    mmi.ptMaxSize = { 2500, 1500 };
    ::SendMessageA(hWnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
    return mmi;
}

bool HasExStyle(HWND hDlg, int id, DWORD dwExStyle)
{
    return (::GetWindowLongA(::GetDlgItem(hDlg, id), GWL_EXSTYLE) & dwExStyle) != 0;
}

TEST(Resize, SameIdRegisteredTwiceAddsItsFractions)
{
    CTestResizeDialog dlg;
    ASSERT_TRUE(dlg.Open());
    dlg.SetResize(IDC_RS_TWICE, 0.5f, 0.0f, 0.5f, 0.0f);
    dlg.SetResize(IDC_RS_TWICE, 0.5f, 0.0f, 0.5f, 0.0f);
    dlg.SetResize(IDC_RS_STRETCH, 0.0f, 0.0f, 1.0f, 1.0f);
    dlg.SetResize(IDC_RS_ABSENT, 1.0f, 1.0f, 1.0f, 1.0f); // no such control: harmless
    CRect twice = ChildRect(dlg.m_hWnd, IDC_RS_TWICE), stretch = ChildRect(dlg.m_hWnd, IDC_RS_STRETCH);
    CRect ok = ChildRect(dlg.m_hWnd, IDOK);
    Grow(dlg.m_hWnd, 40, 30);
    CRect twiceAfter = ChildRect(dlg.m_hWnd, IDC_RS_TWICE), stretchAfter = ChildRect(dlg.m_hWnd, IDC_RS_STRETCH);
    EXPECT_EQ(twice.left + 40, twiceAfter.left) << "0.5 + 0.5 makes it follow the right edge";
    EXPECT_EQ(twice.Width(), twiceAfter.Width());
    EXPECT_EQ(twice.top, twiceAfter.top);
    EXPECT_EQ(stretch.TopLeft(), stretchAfter.TopLeft());
    EXPECT_EQ(stretch.Width() + 40, stretchAfter.Width());
    EXPECT_EQ(stretch.Height() + 30, stretchAfter.Height());
    EXPECT_EQ(ok, ChildRect(dlg.m_hWnd, IDOK)) << "an unregistered control stays";
}

TEST(Resize, HalvesOfPixelsCarryOverFromOneGrowthToTheNext)
{
    CTestResizeDialog dlg;
    ASSERT_TRUE(dlg.Open());
    dlg.SetResize(IDC_RS_HALF, 0.5f, 0.0f, 0.5f, 0.0f);
    const int x0 = ChildRect(dlg.m_hWnd, IDC_RS_HALF).left;
    const int width = ChildRect(dlg.m_hWnd, IDC_RS_HALF).Width();
    int xs[4];
    for (int& x : xs) {
        Grow(dlg.m_hWnd, 3, 0);
        x = ChildRect(dlg.m_hWnd, IDC_RS_HALF).left;
        EXPECT_EQ(width, ChildRect(dlg.m_hWnd, IDC_RS_HALF).Width());
    }
    EXPECT_EQ(x0 + 1, xs[0]) << "1.5 truncated";
    EXPECT_EQ(x0 + 3, xs[1]);
    EXPECT_EQ(x0 + 4, xs[2]) << "4.5 in all after three growths of 3";
    EXPECT_EQ(x0 + 6, xs[3]) << "the half kept in the stored position was not lost";
    Grow(dlg.m_hWnd, -12, 0);
    EXPECT_EQ(x0, ChildRect(dlg.m_hWnd, IDC_RS_HALF).left) << "shrinking back returns it exactly";
}

TEST(Resize, ArrayFormAppliesExactlyFourEntries)
{
    CTestResizeDialog dlg;
    ASSERT_TRUE(dlg.Open());
    const SIZING sizing[5] = {
        { IDC_RS_TWICE, { 1.0f, 0.0f, 1.0f, 0.0f } },
        { IDC_RS_HALF, { 0.0f, 1.0f, 0.0f, 1.0f } },
        { IDC_RS_STRETCH, { 0.0f, 0.0f, 1.0f, 0.0f } },
        { IDC_RS_TWICE, { 0.0f, 1.0f, 0.0f, 1.0f } },
        { IDC_RS_FIFTH, { 1.0f, 1.0f, 1.0f, 1.0f } },
    };
    dlg.SetResize(sizing);
    CRect twice = ChildRect(dlg.m_hWnd, IDC_RS_TWICE), half = ChildRect(dlg.m_hWnd, IDC_RS_HALF);
    CRect fifth = ChildRect(dlg.m_hWnd, IDC_RS_FIFTH);
    Grow(dlg.m_hWnd, 20, 10);
    EXPECT_EQ(twice.left + 20, ChildRect(dlg.m_hWnd, IDC_RS_TWICE).left);
    EXPECT_EQ(twice.top + 10, ChildRect(dlg.m_hWnd, IDC_RS_TWICE).top) << "the fourth entry added to the first";
    EXPECT_EQ(half.top + 10, ChildRect(dlg.m_hWnd, IDC_RS_HALF).top);
    EXPECT_EQ(fifth, ChildRect(dlg.m_hWnd, IDC_RS_FIFTH)) << "a fifth entry is not read";
}

TEST(Resize, InitialSizeIsTheMinimumUnlessToldOtherwise)
{
    CTestResizeDialog dlg;
    ASSERT_TRUE(dlg.Open());
    CRect rc;
    dlg.GetWindowRect(&rc);
    MINMAXINFO mmi = AskLimits(dlg.m_hWnd);
    EXPECT_EQ(rc.Width(), mmi.ptMinTrackSize.x);
    EXPECT_EQ(rc.Height(), mmi.ptMinTrackSize.y);
    EXPECT_EQ(3000, mmi.ptMaxTrackSize.x) << "no maximum: the system's stays";

    dlg.SetMinSize(CSize(50, 0));
    dlg.SetMaxSize(CSize(0, 900));
    mmi = AskLimits(dlg.m_hWnd);
    EXPECT_EQ(50, mmi.ptMinTrackSize.x) << "a smaller minimum set after Init";
    EXPECT_EQ(2, mmi.ptMinTrackSize.y) << "a zero component leaves the system's";
    EXPECT_EQ(3000, mmi.ptMaxTrackSize.x);
    EXPECT_EQ(900, mmi.ptMaxTrackSize.y);

    CTestResizeDialog loose(CResize::SZ_NOMINSIZE);
    ASSERT_TRUE(loose.Open());
    mmi = AskLimits(loose.m_hWnd);
    EXPECT_EQ(1, mmi.ptMinTrackSize.x);
    EXPECT_EQ(2, mmi.ptMinTrackSize.y);

    // A minimum set before the window exists is replaced by the initial size.
    CTestResizeDialog early;
    early.SetMinSize(CSize(10, 10));
    ASSERT_TRUE(early.Open());
    early.GetWindowRect(&rc);
    EXPECT_EQ(rc.Width(), AskLimits(early.m_hWnd).ptMinTrackSize.x);
}

TEST(Resize, FixedWidthCapsTheWidthAtTheLastLayout)
{
    CTestResizeDialog dlg(CResize::SZ_NOHORISONTAL);
    ASSERT_TRUE(dlg.Open());
    dlg.SetResize(IDC_RS_STRETCH, 0.0f, 0.0f, 1.0f, 1.0f);
    Grow(dlg.m_hWnd, 25, 15);
    CRect rc;
    dlg.GetWindowRect(&rc);
    MINMAXINFO mmi = AskLimits(dlg.m_hWnd);
    EXPECT_EQ(rc.Width(), mmi.ptMaxTrackSize.x);
    EXPECT_EQ(rc.Width(), mmi.ptMaxSize.x);
    EXPECT_EQ(2000, mmi.ptMaxTrackSize.y) << "the height is free";
    EXPECT_EQ(1500, mmi.ptMaxSize.y);

    CTestResizeDialog tall(CResize::SZ_NOVERTICAL);
    ASSERT_TRUE(tall.Open());
    tall.GetWindowRect(&rc);
    mmi = AskLimits(tall.m_hWnd);
    EXPECT_EQ(rc.Height(), mmi.ptMaxTrackSize.y);
    EXPECT_EQ(3000, mmi.ptMaxTrackSize.x);
}

TEST(Resize, GripSitsInTheCornerAndFollowsIt)
{
    CTestResizeDialog dlg;
    ASSERT_TRUE(dlg.Open());
    HWND hGrip = ::GetDlgItem(dlg.m_hWnd, kGripID);
    ASSERT_NE(nullptr, hGrip);
    char cls[32] = "";
    ::GetClassNameA(hGrip, cls, sizeof cls);
    EXPECT_STREQ("Static", cls);
    EXPECT_EQ((DWORD)SS_BITMAP, ::GetWindowLongA(hGrip, GWL_STYLE) & SS_TYPEMASK);
    EXPECT_TRUE(::IsWindowVisible(hGrip));
    EXPECT_NE(nullptr, (HBITMAP)::SendMessageA(hGrip, STM_GETIMAGE, IMAGE_BITMAP, 0));
    EXPECT_TRUE(dlg.GetStyle() & WS_THICKFRAME);
    EXPECT_TRUE(dlg.GetStyle() & WS_CLIPCHILDREN);
    CRect client, grip = ChildRect(dlg.m_hWnd, kGripID);
    dlg.GetClientRect(&client);
    EXPECT_EQ(client.BottomRight(), grip.BottomRight());
    Grow(dlg.m_hWnd, 17, 11);
    dlg.GetClientRect(&client);
    EXPECT_EQ(client.BottomRight(), ChildRect(dlg.m_hWnd, kGripID).BottomRight());
    EXPECT_EQ(grip.Size(), ChildRect(dlg.m_hWnd, kGripID).Size());

    CTestResizeDialog bare(CResize::SZ_NOSIZEICON | CResize::SZ_NOCLIPCHILDREN);
    ASSERT_TRUE(bare.Open());
    EXPECT_EQ(nullptr, ::GetDlgItem(bare.m_hWnd, kGripID));
    EXPECT_FALSE(bare.GetStyle() & WS_CLIPCHILDREN);
}

TEST(Resize, OnlyNonPushButtonsWithoutTabStopBecomeTransparent)
{
    CTestResizeDialog dlg;
    ASSERT_TRUE(dlg.Open());
    for (int id : { IDC_RS_GROUP, IDC_RS_RADIO, IDC_RS_CHECK, IDC_RS_PUSH, IDC_RS_TWICE })
        dlg.SetResize(id, 0.0f, 0.0f, 0.0f, 0.0f);
    EXPECT_TRUE(HasExStyle(dlg.m_hWnd, IDC_RS_GROUP, WS_EX_TRANSPARENT));
    EXPECT_TRUE(HasExStyle(dlg.m_hWnd, IDC_RS_RADIO, WS_EX_TRANSPARENT));
    EXPECT_FALSE(HasExStyle(dlg.m_hWnd, IDC_RS_CHECK, WS_EX_TRANSPARENT)) << "a tab stop";
    EXPECT_FALSE(HasExStyle(dlg.m_hWnd, IDC_RS_PUSH, WS_EX_TRANSPARENT)) << "a push button";
    EXPECT_FALSE(HasExStyle(dlg.m_hWnd, IDC_RS_TWICE, WS_EX_TRANSPARENT)) << "not a button";

    CTestResizeDialog opaque(CResize::SZ_NOTRANSPARENTGROUP);
    ASSERT_TRUE(opaque.Open());
    opaque.SetResize(IDC_RS_GROUP, 0.0f, 0.0f, 1.0f, 1.0f);
    EXPECT_FALSE(HasExStyle(opaque.m_hWnd, IDC_RS_GROUP, WS_EX_TRANSPARENT));
}

class ResizePlacement : public ::testing::Test
{
protected:
    void SetUp() override { App().UseRegistryKey("QRV Resize Test"); }
};

TEST_F(ResizePlacement, RoundTripThroughTheRegistry)
{
    CTestResizeDialog dlg;
    ASSERT_TRUE(dlg.Open());
    dlg.SetResize(IDC_RS_STRETCH, 0.0f, 0.0f, 1.0f, 1.0f);
    EXPECT_FALSE(dlg.LoadPlacement("Leer")) << "no entry: nothing changes";
    ::SetWindowPos(dlg.m_hWnd, nullptr, 40, 50, 500, 330, SWP_NOZORDER);
    CRect saved, stretch = ChildRect(dlg.m_hWnd, IDC_RS_STRETCH);
    dlg.GetWindowRect(&saved);
    ASSERT_TRUE(dlg.SavePlacement("Dialog"));
    LPBYTE pData = nullptr;
    UINT nBytes = 0;
    ASSERT_TRUE(AfxGetApp()->GetProfileBinary("Dialog", "WindowPlacement", &pData, &nBytes));
    delete[] pData;
    EXPECT_EQ(44u, nBytes);

    ::SetWindowPos(dlg.m_hWnd, nullptr, 10, 10, 460, 300, SWP_NOZORDER);
    EXPECT_TRUE(dlg.LoadPlacement("Dialog"));
    CRect restored;
    dlg.GetWindowRect(&restored);
    EXPECT_EQ(saved, restored);
    EXPECT_EQ(stretch, ChildRect(dlg.m_hWnd, IDC_RS_STRETCH)) << "the controls followed";
}

TEST_F(ResizePlacement, EntryOfAnotherLengthIsIgnored)
{
    CTestResizeDialog dlg;
    ASSERT_TRUE(dlg.Open());
    WINDOWPLACEMENT wp = {};
    wp.length = sizeof wp;
    dlg.GetWindowPlacement(&wp);
    ::OffsetRect(&wp.rcNormalPosition, 100, 100);
    ASSERT_TRUE(AfxGetApp()->WriteProfileBinary("Kurz", "WindowPlacement", reinterpret_cast<LPBYTE>(&wp), 40));
    BYTE longer[48] = {};
    memcpy(longer, &wp, sizeof wp);
    ASSERT_TRUE(AfxGetApp()->WriteProfileBinary("Lang", "WindowPlacement", longer, sizeof longer));
    CRect before, after;
    dlg.GetWindowRect(&before);
    EXPECT_FALSE(dlg.LoadPlacement("Kurz"));
    EXPECT_FALSE(dlg.LoadPlacement("Lang"));
    dlg.GetWindowRect(&after);
    EXPECT_EQ(before, after);
}

// A page that lays out its edit field.
class CStretchPage : public CResizePropertyPage
{
public:
    CStretchPage() : CResizePropertyPage(IDD_RS_PAGE, 0, 0) {}
    BOOL OnInitDialog() override
    {
        CResizePropertyPage::OnInitDialog();
        SetResize(IDC_RS_PAGE_EDIT, 0.0f, 0.0f, 1.0f, 0.0f);
        return TRUE;
    }
};

// An application window whose system menu speaks German.
class CGermanHost : public CWnd
{
public:
    BOOL Open()
    {
        if (!CreateEx(0, AfxRegisterWndClass(0), "Gastgeber", WS_OVERLAPPEDWINDOW, 20, 20, 400, 300, nullptr, nullptr))
            return FALSE;
        HMENU hMenu = ::GetSystemMenu(m_hWnd, FALSE);
        ::ModifyMenuA(hMenu, SC_MAXIMIZE, MF_BYCOMMAND | MF_STRING, SC_MAXIMIZE, "Ma&ximieren");
        ::ModifyMenuA(hMenu, SC_MINIMIZE, MF_BYCOMMAND | MF_STRING, SC_MINIMIZE, "Mi&nimieren");
        ::ModifyMenuA(hMenu, SC_SIZE, MF_BYCOMMAND | MF_STRING, SC_SIZE, "&Größe ändern");
        ::ModifyMenuA(hMenu, SC_RESTORE, MF_BYCOMMAND | MF_STRING, SC_RESTORE, "&Wiederherstellen");
        return TRUE;
    }
    ~CGermanHost() override { DestroyWindow(); }
};

std::string MenuText(HMENU hMenu, UINT pos)
{
    char text[64] = "";
    MENUITEMINFOA mii = {};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_FTYPE | MIIM_ID;
    ::GetMenuItemInfoA(hMenu, pos, TRUE, &mii);
    if (mii.fType & MFT_SEPARATOR)
        return "-";
    ::GetMenuStringA(hMenu, pos, text, sizeof text, MF_BYPOSITION);
    return text;
}

// The commands the sheet inserted, in menu order, by command id.
std::string SizeCommands(HWND hSheet)
{
    HMENU hMenu = ::GetSystemMenu(hSheet, FALSE);
    std::string s;
    for (UINT cmd : { SC_RESTORE, SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE }) {
        char text[64] = "";
        ::GetMenuStringA(hMenu, cmd, text, sizeof text, MF_BYCOMMAND);
        s += std::string(s.empty() ? "" : "|") + text;
    }
    return s;
}

TEST(ResizeSheet, SystemMenuTextsComeFromTheApplicationWindow)
{
    CGermanHost host;
    ASSERT_TRUE(host.Open());
    CStretchPage page;
    CResizePropertySheet sheet("Blatt", &host);
    sheet.AddPage(&page);
    ASSERT_TRUE(sheet.Create(&host));
    PumpFor(20);
    EXPECT_EQ("&Wiederherstellen|&Größe ändern|Mi&nimieren|Ma&ximieren", SizeCommands(sheet.m_hWnd));
    HMENU hMenu = ::GetSystemMenu(sheet.m_hWnd, FALSE);
    const int count = ::GetMenuItemCount(hMenu);
    ASSERT_GE(count, 6);
    EXPECT_EQ("&Wiederherstellen", MenuText(hMenu, 0));
    EXPECT_EQ("-", MenuText(hMenu, 5)) << "separator after maximise";
    EXPECT_EQ("Ma&ximieren", MenuText(hMenu, 4));
    EXPECT_EQ("Mi&nimieren", MenuText(hMenu, 3));
    EXPECT_EQ("&Größe ändern", MenuText(hMenu, 2));
    sheet.DestroyWindow();
}

TEST(ResizeSheet, WithoutAncestorTheBuiltInTextsAreUsed)
{
    CStretchPage page;
    CResizePropertySheet sheet("Allein");
    sheet.AddPage(&page);
    ASSERT_TRUE(sheet.Create());
    PumpFor(20);
    // The sheet is its own topmost window; its platform menu has no size commands.
    std::string texts = SizeCommands(sheet.m_hWnd);
    EXPECT_EQ("&Restore|&Size|Mi&nimize|Ma&ximize", texts);
    sheet.DestroyWindow();
}

TEST(ResizeSheet, ButtonsFollowTheCornerAndPagesStretch)
{
    CStretchPage first, second;
    CResizePropertySheet sheet("Blätter");
    sheet.m_dwAddStyle = WS_MINIMIZEBOX;
    sheet.m_dwRemoveStyle = WS_SYSMENU;
    sheet.AddPage(&first);
    sheet.AddPage(&second);
    ASSERT_TRUE(sheet.Create());
    PumpFor(20);
    EXPECT_TRUE(sheet.GetStyle() & WS_THICKFRAME);
    EXPECT_TRUE(sheet.GetStyle() & WS_MINIMIZEBOX);
    EXPECT_FALSE(sheet.GetStyle() & WS_SYSMENU);
    EXPECT_NE(nullptr, ::GetDlgItem(sheet.m_hWnd, kGripID));
    EXPECT_EQ(nullptr, ::GetDlgItem(first.m_hWnd, kGripID)) << "pages never have a grip";
    CRect ok = ChildRect(sheet.m_hWnd, IDOK), cancel = ChildRect(sheet.m_hWnd, IDCANCEL);
    CRect tab = ChildRect(sheet.m_hWnd, AFX_IDC_TAB_CONTROL), page;
    ::GetWindowRect(first.m_hWnd, &page);
    sheet.ScreenToClient(&page);
    CRect edit = ChildRect(first.m_hWnd, IDC_RS_PAGE_EDIT);

    Grow(sheet.m_hWnd, 30, 20);
    EXPECT_EQ(ok.left + 30, ChildRect(sheet.m_hWnd, IDOK).left);
    EXPECT_EQ(ok.top + 20, ChildRect(sheet.m_hWnd, IDOK).top);
    EXPECT_EQ(cancel.left + 30, ChildRect(sheet.m_hWnd, IDCANCEL).left);
    EXPECT_EQ(tab.Width() + 30, ChildRect(sheet.m_hWnd, AFX_IDC_TAB_CONTROL).Width());
    EXPECT_EQ(tab.Height() + 20, ChildRect(sheet.m_hWnd, AFX_IDC_TAB_CONTROL).Height());
    CRect pageAfter;
    ::GetWindowRect(first.m_hWnd, &pageAfter);
    sheet.ScreenToClient(&pageAfter);
    EXPECT_EQ(page.Width() + 30, pageAfter.Width());
    EXPECT_EQ(page.Height() + 20, pageAfter.Height());
    EXPECT_EQ(edit.Width() + 30, ChildRect(first.m_hWnd, IDC_RS_PAGE_EDIT).Width()) << "the page's own layout";

    // The second page did not exist yet; from its creation on it follows too.
    ASSERT_TRUE(sheet.SetActivePage(&second));
    PumpFor(20);
    ASSERT_NE(nullptr, second.m_hWnd);
    CRect secondBefore;
    ::GetWindowRect(second.m_hWnd, &secondBefore);
    Grow(sheet.m_hWnd, 10, 0);
    CRect secondAfter;
    ::GetWindowRect(second.m_hWnd, &secondAfter);
    EXPECT_EQ(secondBefore.Width() + 10, secondAfter.Width());
    sheet.DestroyWindow();
}

TEST(ResizeClasses, PagesAreCreatableByName)
{
    CObject* pObject = CRuntimeClass::CreateObject("CResizePropertyPage");
    ASSERT_NE(nullptr, pObject);
    EXPECT_TRUE(pObject->IsKindOf(RUNTIME_CLASS(CPropertyPage)));
    CResizePropertyPage* pPage = static_cast<CResizePropertyPage*>(pObject);
    EXPECT_TRUE(pPage->HasFlag(CResize::SZ_NOSIZEICON));
    EXPECT_FALSE(pPage->HasFlag(CResize::SZ_NOMINSIZE));
    delete pObject;
}

}
