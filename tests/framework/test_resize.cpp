// The resize framework on real windows: controls follow SetWindowPos size
// changes by their fractions with halves of pixels carried over, the limits
// answered to WM_GETMINMAXINFO, the size grip, the transparent style of group
// boxes, the placement in the registry, the resizable property sheet and form
// view, and the same layout whichever side of the base class's initialisation
// a host registers its controls on (a size message while the window is still
// being set up must not move anything).
#include <afxdlgs.h>
#include <afxext.h>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>
#include <string>
#include "framework/ResizeDialog.h"
#include "framework/ResizeFormView.h"
#include "framework/ResizePropertyPage.h"
#include "framework/ResizePropertySheet.h"
#include "resize_tests_res.h"
#include "uiauto/MessagePump.h"
#include "tests/support/TestApp.h"

using namespace qrvtest;

// Rectangles in failure messages as (left,top)-(right,bottom).
void PrintTo(const CRect& rc, std::ostream* os)
{
    *os << "(" << rc.left << "," << rc.top << ")-(" << rc.right << "," << rc.bottom << ")";
}

namespace {

const UINT kGripID = 32767;

CRect ChildRect(HWND hParent, int id)
{
    CRect rc(0, 0, 0, 0);
    if (HWND hCtrl = ::GetDlgItem(hParent, id)) {
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
    PumpFor(10);
}

CRect Moved(CRect rc, int dx, int dy)
{
    rc.OffsetRect(dx, dy);
    return rc;
}
CRect Grown(CRect rc, int dx, int dy) { return CRect(rc.left, rc.top, rc.right + dx, rc.bottom + dy); }

MINMAXINFO AskLimits(HWND hWnd)
{
    MINMAXINFO mmi = {};
    mmi.ptMinTrackSize = {1, 2}, mmi.ptMaxTrackSize = {3000, 2000}, mmi.ptMaxSize = {2500, 1500};
    ::SendMessageA(hWnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
    return mmi;
}

bool Transparent(HWND hDlg, int id) { return (::GetWindowLongA(::GetDlgItem(hDlg, id), GWL_EXSTYLE) & WS_EX_TRANSPARENT) != 0; }

// A dialog that registers its controls before or after the base class's
// initialisation (bEarly), or leaves that to the test (no registration).
class CTestResizeDialog : public CResizeDialog
{
public:
    explicit CTestResizeDialog(UINT nFlags = 0, int nEarly = -1) : CResizeDialog(IDD_RS_DIALOG, nullptr, nFlags), m_nEarly(nEarly) {}
    ~CTestResizeDialog() override { DestroyWindow(); }
    BOOL Open()
    {
        if (!Create(IDD_RS_DIALOG))
            return FALSE;
        ShowWindow(SW_SHOWNORMAL);
        PumpFor(20);
        return TRUE;
    }
    BOOL OnInitDialog() override
    {
        if (m_nEarly == 1)
            Register();
        CResizeDialog::OnInitDialog();
        if (m_nEarly == 0)
            Register();
        return TRUE;
    }
    void Register()
    {
        SetResize(IDC_RS_TWICE, 1.0f, 0.0f, 1.0f, 0.0f);
        SetResize(IDC_RS_STRETCH, 0.0f, 0.0f, 1.0f, 1.0f);
    }
    int m_nEarly;
};

TEST(Resize, RegisteredControlsFollowByTheirFractionsWithHalvesOfPixelsCarriedOver)
{
    CTestResizeDialog dlg;
    ASSERT_TRUE(dlg.Open());
    dlg.SetResize(IDC_RS_TWICE, 0.5f, 0.0f, 0.5f, 0.0f);
    dlg.SetResize(IDC_RS_TWICE, 0.5f, 0.0f, 0.5f, 0.0f);   // the same id twice adds its fractions
    dlg.SetResize(IDC_RS_STRETCH, 0.0f, 0.0f, 1.0f, 1.0f);
    dlg.SetResize(IDC_RS_HALF, 0.5f, 0.0f, 0.5f, 0.0f);
    dlg.SetResize(IDC_RS_ABSENT, 1.0f, 1.0f, 1.0f, 1.0f);   // no such control: harmless
    const CRect twice = ChildRect(dlg.m_hWnd, IDC_RS_TWICE), stretch = ChildRect(dlg.m_hWnd, IDC_RS_STRETCH);
    const CRect ok = ChildRect(dlg.m_hWnd, IDOK), half = ChildRect(dlg.m_hWnd, IDC_RS_HALF);
    // 1.5 truncated, 3, 4.5 after three growths of 3, and the half kept in the stored position was not lost.
    for (int expected : {1, 3, 4, 6}) {
        Grow(dlg.m_hWnd, 3, 0);
        EXPECT_EQ(Moved(half, expected, 0), ChildRect(dlg.m_hWnd, IDC_RS_HALF));
    }
    Grow(dlg.m_hWnd, -12, 0);
    EXPECT_EQ(half, ChildRect(dlg.m_hWnd, IDC_RS_HALF)) << "shrinking back returns it exactly";
    Grow(dlg.m_hWnd, 40, 30);
    EXPECT_EQ(Moved(twice, 40, 0), ChildRect(dlg.m_hWnd, IDC_RS_TWICE)) << "0.5 + 0.5 follows the right edge";
    EXPECT_EQ(Grown(stretch, 40, 30), ChildRect(dlg.m_hWnd, IDC_RS_STRETCH));
    EXPECT_EQ(ok, ChildRect(dlg.m_hWnd, IDOK)) << "an unregistered control stays";

    CTestResizeDialog array;
    ASSERT_TRUE(array.Open());
    const SIZING sizing[5] = {
        {IDC_RS_TWICE, {1.0f, 0.0f, 1.0f, 0.0f}}, {IDC_RS_HALF, {0.0f, 1.0f, 0.0f, 1.0f}},
        {IDC_RS_STRETCH, {0.0f, 0.0f, 1.0f, 0.0f}}, {IDC_RS_TWICE, {0.0f, 1.0f, 0.0f, 1.0f}},
        {IDC_RS_FIFTH, {1.0f, 1.0f, 1.0f, 1.0f}},
    };
    array.SetResize(sizing);
    const CRect fifth = ChildRect(array.m_hWnd, IDC_RS_FIFTH);
    Grow(array.m_hWnd, 20, 10);
    EXPECT_EQ(Moved(twice, 20, 10), ChildRect(array.m_hWnd, IDC_RS_TWICE)) << "the fourth entry added to the first";
    EXPECT_EQ(Moved(half, 0, 10), ChildRect(array.m_hWnd, IDC_RS_HALF));
    EXPECT_EQ(fifth, ChildRect(array.m_hWnd, IDC_RS_FIFTH)) << "a fifth entry is not read";
}

TEST(Resize, TrackingLimitsFromTheInitialSizeAndTheFlags)
{
    CTestResizeDialog dlg, loose(CResize::SZ_NOMINSIZE), wide(CResize::SZ_NOHORISONTAL), tall(CResize::SZ_NOVERTICAL),
        early;
    early.SetMinSize(CSize(10, 10));   // set before the window exists: replaced by the initial size
    for (CTestResizeDialog* p : {&dlg, &loose, &wide, &tall, &early})
        ASSERT_TRUE(p->Open());
    CRect rc;
    dlg.GetWindowRect(&rc);
    MINMAXINFO mmi = AskLimits(dlg.m_hWnd);
    EXPECT_EQ(rc.Size(), CSize(mmi.ptMinTrackSize.x, mmi.ptMinTrackSize.y)) << "the initial size is the minimum";
    EXPECT_EQ(3000, mmi.ptMaxTrackSize.x) << "no maximum: the system's stays";
    dlg.SetMinSize(CSize(50, 0));
    dlg.SetMaxSize(CSize(0, 900));
    mmi = AskLimits(dlg.m_hWnd);
    EXPECT_EQ(50, mmi.ptMinTrackSize.x) << "a smaller minimum set after Init";
    EXPECT_EQ(2, mmi.ptMinTrackSize.y) << "a zero component leaves the system's";
    EXPECT_EQ(3000, mmi.ptMaxTrackSize.x);
    EXPECT_EQ(900, mmi.ptMaxTrackSize.y);
    mmi = AskLimits(loose.m_hWnd);
    EXPECT_EQ(1, mmi.ptMinTrackSize.x);
    EXPECT_EQ(2, mmi.ptMinTrackSize.y);
    early.GetWindowRect(&rc);
    EXPECT_EQ(rc.Width(), AskLimits(early.m_hWnd).ptMinTrackSize.x);

    wide.SetResize(IDC_RS_STRETCH, 0.0f, 0.0f, 1.0f, 1.0f);
    Grow(wide.m_hWnd, 25, 15);
    wide.GetWindowRect(&rc);
    mmi = AskLimits(wide.m_hWnd);   // a fixed width is capped at the last layout; the height is free
    EXPECT_EQ(rc.Width(), mmi.ptMaxTrackSize.x);
    EXPECT_EQ(rc.Width(), mmi.ptMaxSize.x);
    EXPECT_EQ(2000, mmi.ptMaxTrackSize.y);
    EXPECT_EQ(1500, mmi.ptMaxSize.y);
    tall.GetWindowRect(&rc);
    mmi = AskLimits(tall.m_hWnd);
    EXPECT_EQ(rc.Height(), mmi.ptMaxTrackSize.y);
    EXPECT_EQ(3000, mmi.ptMaxTrackSize.x);
}

TEST(Resize, GripInTheCornerAndTransparentNonPushButtonsWithoutTabStop)
{
    CTestResizeDialog dlg, bare(CResize::SZ_NOSIZEICON | CResize::SZ_NOCLIPCHILDREN | CResize::SZ_NOTRANSPARENTGROUP);
    ASSERT_TRUE(dlg.Open());
    ASSERT_TRUE(bare.Open());
    HWND hGrip = ::GetDlgItem(dlg.m_hWnd, kGripID);
    ASSERT_NE(nullptr, hGrip);
    char cls[32] = "";
    ::GetClassNameA(hGrip, cls, sizeof cls);
    EXPECT_STREQ("Static", cls);
    EXPECT_EQ((DWORD)SS_BITMAP, ::GetWindowLongA(hGrip, GWL_STYLE) & SS_TYPEMASK);
    EXPECT_TRUE(::IsWindowVisible(hGrip));
    EXPECT_NE(nullptr, (HBITMAP)::SendMessageA(hGrip, STM_GETIMAGE, IMAGE_BITMAP, 0));
    EXPECT_EQ(DWORD(WS_THICKFRAME | WS_CLIPCHILDREN), dlg.GetStyle() & (WS_THICKFRAME | WS_CLIPCHILDREN));
    for (int step = 0; step < 2; ++step) {
        CRect client, grip = ChildRect(dlg.m_hWnd, kGripID);
        dlg.GetClientRect(&client);
        EXPECT_EQ(client.BottomRight(), grip.BottomRight());
        Grow(dlg.m_hWnd, 17, 11);
        EXPECT_EQ(grip.Size(), ChildRect(dlg.m_hWnd, kGripID).Size());
    }
    EXPECT_EQ(nullptr, ::GetDlgItem(bare.m_hWnd, kGripID));
    EXPECT_FALSE(bare.GetStyle() & WS_CLIPCHILDREN);

    for (int id : {IDC_RS_GROUP, IDC_RS_RADIO, IDC_RS_CHECK, IDC_RS_PUSH, IDC_RS_TWICE})
        dlg.SetResize(id, 0.0f, 0.0f, 0.0f, 0.0f);
    EXPECT_TRUE(Transparent(dlg.m_hWnd, IDC_RS_GROUP));
    EXPECT_TRUE(Transparent(dlg.m_hWnd, IDC_RS_RADIO));
    EXPECT_FALSE(Transparent(dlg.m_hWnd, IDC_RS_CHECK)) << "a tab stop";
    EXPECT_FALSE(Transparent(dlg.m_hWnd, IDC_RS_PUSH)) << "a push button";
    EXPECT_FALSE(Transparent(dlg.m_hWnd, IDC_RS_TWICE)) << "not a button";
    bare.SetResize(IDC_RS_GROUP, 0.0f, 0.0f, 1.0f, 1.0f);
    EXPECT_FALSE(Transparent(bare.m_hWnd, IDC_RS_GROUP));
}

TEST(Resize, PlacementRoundTripsThroughTheRegistryAndOtherLengthsAreIgnored)
{
    App().UseRegistryKey("QRV Resize Test");
    CTestResizeDialog dlg;
    ASSERT_TRUE(dlg.Open());
    dlg.SetResize(IDC_RS_STRETCH, 0.0f, 0.0f, 1.0f, 1.0f);
    EXPECT_FALSE(dlg.LoadPlacement("Leer")) << "no entry: nothing changes";
    ::SetWindowPos(dlg.m_hWnd, nullptr, 40, 50, 500, 330, SWP_NOZORDER);
    CRect saved, restored, stretch = ChildRect(dlg.m_hWnd, IDC_RS_STRETCH);
    dlg.GetWindowRect(&saved);
    ASSERT_TRUE(dlg.SavePlacement("Dialog"));
    LPBYTE pData = nullptr;
    UINT nBytes = 0;
    ASSERT_TRUE(AfxGetApp()->GetProfileBinary("Dialog", "WindowPlacement", &pData, &nBytes));
    delete[] pData;
    EXPECT_EQ(44u, nBytes);
    ::SetWindowPos(dlg.m_hWnd, nullptr, 10, 10, 460, 300, SWP_NOZORDER);
    EXPECT_TRUE(dlg.LoadPlacement("Dialog"));
    dlg.GetWindowRect(&restored);
    EXPECT_EQ(saved, restored);
    EXPECT_EQ(stretch, ChildRect(dlg.m_hWnd, IDC_RS_STRETCH)) << "the controls followed";

    WINDOWPLACEMENT wp = {};
    wp.length = sizeof wp;
    dlg.GetWindowPlacement(&wp);
    ::OffsetRect(&wp.rcNormalPosition, 100, 100);
    BYTE longer[48] = {};
    memcpy(longer, &wp, sizeof wp);
    ASSERT_TRUE(AfxGetApp()->WriteProfileBinary("Kurz", "WindowPlacement", longer, 40));
    ASSERT_TRUE(AfxGetApp()->WriteProfileBinary("Lang", "WindowPlacement", longer, sizeof longer));
    EXPECT_FALSE(dlg.LoadPlacement("Kurz"));
    EXPECT_FALSE(dlg.LoadPlacement("Lang"));
    dlg.GetWindowRect(&restored);
    EXPECT_EQ(saved, restored);
}

// A page that lays out its edit field before or after the base class's initialisation.
class CStretchPage : public CResizePropertyPage
{
public:
    explicit CStretchPage(bool bEarly = false) : CResizePropertyPage(IDD_RS_PAGE, 0, 0), m_bEarly(bEarly) {}
    BOOL OnInitDialog() override
    {
        if (m_bEarly)
            SetResize(IDC_RS_PAGE_EDIT, 0.0f, 0.0f, 1.0f, 0.0f);
        CResizePropertyPage::OnInitDialog();
        if (!m_bEarly)
            SetResize(IDC_RS_PAGE_EDIT, 0.0f, 0.0f, 1.0f, 0.0f);
        return TRUE;
    }
    bool m_bEarly;
};

// The sheet registers the tab control itself; a host that registers it first
// with no movement of its own must end up with the same stretching.
class COrderSheet : public CResizePropertySheet
{
public:
    explicit COrderSheet(bool bEarly, CWnd* pParent = nullptr) : CResizePropertySheet("Blätter", pParent), m_bEarly(bEarly) {}
    BOOL OnInitDialog() override
    {
        if (m_bEarly)
            SetResize(AFX_IDC_TAB_CONTROL, 0.0f, 0.0f, 0.0f, 0.0f);
        return CResizePropertySheet::OnInitDialog();
    }
    bool m_bEarly;
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
        const struct { UINT cmd; const char* text; } items[] = {{SC_MAXIMIZE, "Ma&ximieren"}, {SC_MINIMIZE, "Mi&nimieren"},
                                                                {SC_SIZE, "&Größe ändern"}, {SC_RESTORE, "&Wiederherstellen"}};
        for (const auto& item : items)
            ::ModifyMenuA(hMenu, item.cmd, MF_BYCOMMAND | MF_STRING, item.cmd, item.text);
        return TRUE;
    }
    ~CGermanHost() override { DestroyWindow(); }
};

// The size commands of the sheet's system menu, by command id.
std::string SizeCommands(HMENU hMenu)
{
    std::string s;
    for (UINT cmd : {SC_RESTORE, SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE}) {
        char text[64] = "";
        ::GetMenuStringA(hMenu, cmd, text, sizeof text, MF_BYCOMMAND);
        s += std::string(s.empty() ? "" : "|") + text;
    }
    return s;
}

TEST(ResizeSheet, SystemMenuTextsComeFromTheApplicationWindowOrAreBuiltIn)
{
    CGermanHost host;
    ASSERT_TRUE(host.Open());
    for (bool hosted : {true, false}) {
        CStretchPage page;
        COrderSheet sheet(false, hosted ? &host : nullptr);
        sheet.AddPage(&page);
        ASSERT_TRUE(sheet.Create(hosted ? &host : nullptr));
        PumpFor(20);
        HMENU hMenu = ::GetSystemMenu(sheet.m_hWnd, FALSE);
        // Without an ancestor the sheet is its own topmost window; its platform menu has no size commands.
        EXPECT_EQ(hosted ? "&Wiederherstellen|&Größe ändern|Mi&nimieren|Ma&ximieren" : "&Restore|&Size|Mi&nimize|Ma&ximize",
                  SizeCommands(hMenu));
        if (hosted) {   // in menu order, with a separator after maximise
            const char* texts[] = {"&Wiederherstellen", nullptr, "&Größe ändern", "Mi&nimieren", "Ma&ximieren"};
            for (int pos : {0, 2, 3, 4}) {
                char text[64] = "";
                ::GetMenuStringA(hMenu, pos, text, sizeof text, MF_BYPOSITION);
                EXPECT_STREQ(texts[pos], text);
            }
            MENUITEMINFOA mii = {};
            mii.cbSize = sizeof mii, mii.fMask = MIIM_FTYPE;
            ::GetMenuItemInfoA(hMenu, 5, TRUE, &mii);
            EXPECT_TRUE(mii.fType & MFT_SEPARATOR);
        }
        sheet.DestroyWindow();
    }
}

// (page edit, sheet tab control) rectangles as opened and after growing the
// sheet by 40 x 30, for registration before or after the base's initialisation.
TEST(ResizeSheet, ButtonsFollowTheCornerAndPagesStretchWhicheverSideTheyRegisterOn)
{
    CRect opened[2][2], grown[2][2];
    for (bool early : {true, false}) {
        CStretchPage first(early), second(early);
        COrderSheet sheet(early);
        sheet.m_dwAddStyle = WS_MINIMIZEBOX;
        sheet.m_dwRemoveStyle = WS_SYSMENU;
        sheet.AddPage(&first);
        sheet.AddPage(&second);
        ASSERT_TRUE(sheet.Create());
        PumpFor(20);
        EXPECT_EQ(DWORD(WS_THICKFRAME | WS_MINIMIZEBOX), sheet.GetStyle() & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_SYSMENU));
        EXPECT_NE(nullptr, ::GetDlgItem(sheet.m_hWnd, kGripID));
        EXPECT_EQ(nullptr, ::GetDlgItem(first.m_hWnd, kGripID)) << "pages never have a grip";
        const CRect ok = ChildRect(sheet.m_hWnd, IDOK), cancel = ChildRect(sheet.m_hWnd, IDCANCEL);
        CRect page, pageAfter;
        ::GetWindowRect(first.m_hWnd, &page);
        opened[early][0] = ChildRect(first.m_hWnd, IDC_RS_PAGE_EDIT);
        opened[early][1] = ChildRect(sheet.m_hWnd, AFX_IDC_TAB_CONTROL);
        Grow(sheet.m_hWnd, 40, 30);
        grown[early][0] = ChildRect(first.m_hWnd, IDC_RS_PAGE_EDIT);
        grown[early][1] = ChildRect(sheet.m_hWnd, AFX_IDC_TAB_CONTROL);
        EXPECT_EQ(Moved(ok, 40, 30), ChildRect(sheet.m_hWnd, IDOK));
        EXPECT_EQ(Moved(cancel, 40, 30), ChildRect(sheet.m_hWnd, IDCANCEL));
        ::GetWindowRect(first.m_hWnd, &pageAfter);
        EXPECT_EQ(page.Size() + CSize(40, 30), pageAfter.Size());
        // The second page did not exist yet; from its creation on it follows too.
        ASSERT_TRUE(sheet.SetActivePage(&second));
        PumpFor(20);
        ASSERT_NE(nullptr, second.m_hWnd);
        ::GetWindowRect(second.m_hWnd, &page);
        Grow(sheet.m_hWnd, 10, 0);
        ::GetWindowRect(second.m_hWnd, &pageAfter);
        EXPECT_EQ(page.Width() + 10, pageAfter.Width());
        sheet.DestroyWindow();
    }
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(opened[0][i], opened[1][i]) << "nothing moved while the sheet was set up";
        EXPECT_EQ(grown[0][i], grown[1][i]);
    }
    EXPECT_EQ(opened[1][0].Width() + 40, grown[1][0].Width()) << "the page's own layout";
    EXPECT_EQ(opened[1][1].Size() + CSize(40, 30), grown[1][1].Size()) << "the tab control stretches";
}

TEST(ResizeOrder, DialogLaysOutAlikeWhicheverSideOfInitControlsAreRegistered)
{
    CRect opened[2][2], grown[2][2];
    for (int early : {1, 0}) {
        CTestResizeDialog dlg(0, early);
        ASSERT_TRUE(dlg.Open());
        for (int i : {0, 1})
            opened[early][i] = ChildRect(dlg.m_hWnd, i ? IDC_RS_STRETCH : IDC_RS_TWICE);
        Grow(dlg.m_hWnd, 40, 30);
        for (int i : {0, 1})
            grown[early][i] = ChildRect(dlg.m_hWnd, i ? IDC_RS_STRETCH : IDC_RS_TWICE);
    }
    for (int i : {0, 1}) {
        EXPECT_EQ(opened[0][i], opened[1][i]) << "nothing moved while the dialog was set up";
        EXPECT_EQ(grown[0][i], grown[1][i]);
    }
    EXPECT_EQ(Moved(opened[1][0], 40, 0), grown[1][0]) << "follows the right edge by exactly the growth";
    EXPECT_EQ(Grown(opened[1][1], 40, 30), grown[1][1]);
}

class COrderFormView : public CResizeFormView
{
    DECLARE_DYNCREATE(COrderFormView)
public:
    COrderFormView() : CResizeFormView(IDD_RS_FORM) {}
    void OnInitialUpdate() override
    {
        if (s_bEarly)
            SetResize(IDC_RS_FORM_EDIT, 0.0f, 0.0f, 1.0f, 0.0f);
        CResizeFormView::OnInitialUpdate();
        if (!s_bEarly)
            SetResize(IDC_RS_FORM_EDIT, 0.0f, 0.0f, 1.0f, 0.0f);
    }
    static bool s_bEarly;
};
bool COrderFormView::s_bEarly = false;
IMPLEMENT_DYNCREATE(COrderFormView, CResizeFormView)

// The frame is fitted to the form once, the view never scrolls and has no
// grip, and its controls follow the frame's size.
TEST(ResizeFormView, FrameFitsTheFormAndTheControlsFollowItWhicheverSideTheyRegisterOn)
{
    CRect opened[2], grown[2];
    for (bool early : {true, false}) {
        COrderFormView::s_bEarly = early;
        CFrameWnd* pFrame = new CFrameWnd;
        CCreateContext context;
        context.m_pNewViewClass = RUNTIME_CLASS(COrderFormView);
        ASSERT_TRUE(pFrame->Create(nullptr, "Formular", WS_OVERLAPPEDWINDOW, CRect(40, 40, 200, 120), nullptr, nullptr,
                                   0, &context));
        pFrame->InitialUpdateFrame(nullptr, TRUE);
        PumpFor(30);
        CView* pView = pFrame->GetActiveView();
        ASSERT_NE(nullptr, pView);
        CRect form(0, 0, 200, 80), client;
        ::MapDialogRect(pView->m_hWnd, &form);
        pView->GetClientRect(&client);
        EXPECT_EQ(form.Size(), client.Size()) << "the frame grew to fit the whole form";
        EXPECT_EQ(nullptr, ::GetDlgItem(pView->m_hWnd, kGripID)) << "form views never have a grip";
        opened[early] = ChildRect(pView->m_hWnd, IDC_RS_FORM_EDIT);
        Grow(pFrame->m_hWnd, 40, 30);
        grown[early] = ChildRect(pView->m_hWnd, IDC_RS_FORM_EDIT);
        Grow(pFrame->m_hWnd, -100, -60);
        EXPECT_FALSE(pView->GetStyle() & (WS_HSCROLL | WS_VSCROLL)) << "smaller than the form, still no scroll bars";
        pFrame->DestroyWindow();   // frame and view delete themselves
    }
    EXPECT_EQ(opened[0], opened[1]);
    EXPECT_EQ(grown[0], grown[1]);
    EXPECT_EQ(opened[1].Width() + 40, grown[1].Width());
}

TEST(ResizeClasses, PagesAndFormViewsAreCreatableByName)
{
    for (const char* name : {"CResizePropertyPage", "CResizeFormView"}) {
        std::unique_ptr<CObject> pObject(CRuntimeClass::CreateObject(name));
        ASSERT_NE(nullptr, pObject) << name;
        const bool page = pObject->IsKindOf(RUNTIME_CLASS(CPropertyPage));
        EXPECT_TRUE(page || pObject->IsKindOf(RUNTIME_CLASS(CFormView))) << name;
        const CResize* pResize = page ? static_cast<CResize*>(static_cast<CResizePropertyPage*>(pObject.get()))
                                      : static_cast<CResize*>(static_cast<CResizeFormView*>(pObject.get()));
        EXPECT_TRUE(pResize->HasFlag(CResize::SZ_NOSIZEICON)) << name;
        EXPECT_FALSE(pResize->HasFlag(CResize::SZ_NOMINSIZE)) << name;
    }
}

}
