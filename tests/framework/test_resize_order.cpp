// Hosts register their controls in their own initialisation, before or after
// calling the base class. Both orders must give the same layout: a size
// message that arrives while the window is still being set up (the frame
// change that adds the sizable border) must not move anything.
#include <afxext.h>
#include <gtest/gtest.h>
#include <ostream>
#include "framework/ResizeDialog.h"
#include "framework/ResizeFormView.h"
#include "framework/ResizePropertyPage.h"
#include "framework/ResizePropertySheet.h"
#include "resize_tests_res.h"
#include "uiauto/MessagePump.h"

using namespace qrvtest;

// Rectangles in failure messages as (left,top)-(right,bottom).
void PrintTo(const CRect& rc, std::ostream* os)
{
    *os << "(" << rc.left << "," << rc.top << ")-(" << rc.right << "," << rc.bottom << ")";
}

namespace {

CRect ChildRect(HWND hParent, int id)
{
    CRect rc(0, 0, 0, 0);
    ::GetWindowRect(::GetDlgItem(hParent, id), &rc);
    ::MapWindowPoints(nullptr, hParent, reinterpret_cast<LPPOINT>(&rc), 2);
    return rc;
}

void Grow(HWND hWnd, int dx, int dy)
{
    CRect rc;
    ::GetWindowRect(hWnd, &rc);
    ::SetWindowPos(hWnd, nullptr, 0, 0, rc.Width() + dx, rc.Height() + dy, SWP_NOMOVE | SWP_NOZORDER);
    PumpFor(10);
}

// A control's rectangle as the dialog opened, and after growing it by 40 x 30.
struct Layout
{
    CRect opened, grown;
};

class COrderDialog : public CResizeDialog
{
public:
    explicit COrderDialog(bool bEarly) : CResizeDialog(IDD_RS_DIALOG), m_bEarly(bEarly) {}
    BOOL OnInitDialog() override
    {
        if (m_bEarly)
            Register();
        CResizeDialog::OnInitDialog();
        if (!m_bEarly)
            Register();
        return TRUE;
    }
    void Register()
    {
        SetResize(IDC_RS_TWICE, 1.0f, 0.0f, 1.0f, 0.0f);
        SetResize(IDC_RS_STRETCH, 0.0f, 0.0f, 1.0f, 1.0f);
    }
    bool m_bEarly;
};

Layout DialogLayout(bool bEarly, int id)
{
    COrderDialog dlg(bEarly);
    Layout layout;
    if (!dlg.Create(IDD_RS_DIALOG))
        return layout;
    dlg.ShowWindow(SW_SHOWNORMAL);
    PumpFor(20);
    layout.opened = ChildRect(dlg.m_hWnd, id);
    Grow(dlg.m_hWnd, 40, 30);
    layout.grown = ChildRect(dlg.m_hWnd, id);
    dlg.DestroyWindow();
    return layout;
}

TEST(ResizeOrder, DialogLaysOutAlikeWhicheverSideOfInitControlsAreRegistered)
{
    for (int id : { IDC_RS_TWICE, IDC_RS_STRETCH }) {
        const Layout early = DialogLayout(true, id), late = DialogLayout(false, id);
        ASSERT_FALSE(late.opened.IsRectNull());
        EXPECT_EQ(late.opened, early.opened) << "control " << id << ": nothing moved while the dialog was set up";
        EXPECT_EQ(late.grown, early.grown) << "control " << id;
    }
    const Layout right = DialogLayout(true, IDC_RS_TWICE);
    CRect moved = right.opened;
    moved.OffsetRect(40, 0);
    EXPECT_EQ(moved, right.grown) << "follows the right edge by exactly the growth";
    const Layout list = DialogLayout(true, IDC_RS_STRETCH);
    EXPECT_EQ(list.opened.TopLeft(), list.grown.TopLeft());
    EXPECT_EQ(list.opened.Size() + CSize(40, 30), list.grown.Size());
}

class COrderPage : public CResizePropertyPage
{
public:
    explicit COrderPage(bool bEarly) : CResizePropertyPage(IDD_RS_PAGE, 0, 0), m_bEarly(bEarly) {}
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
    explicit COrderSheet(bool bEarly) : CResizePropertySheet("Reihenfolge"), m_bEarly(bEarly) {}
    BOOL OnInitDialog() override
    {
        if (m_bEarly)
            SetResize(AFX_IDC_TAB_CONTROL, 0.0f, 0.0f, 0.0f, 0.0f);
        return CResizePropertySheet::OnInitDialog();
    }
    bool m_bEarly;
};

// (page edit, sheet tab control) as opened and after growing the sheet.
std::pair<Layout, Layout> SheetLayout(bool bEarly)
{
    COrderPage page(bEarly);
    COrderSheet sheet(bEarly);
    sheet.AddPage(&page);
    std::pair<Layout, Layout> layout;
    if (!sheet.Create())
        return layout;
    PumpFor(20);
    layout.first.opened = ChildRect(page.m_hWnd, IDC_RS_PAGE_EDIT);
    layout.second.opened = ChildRect(sheet.m_hWnd, AFX_IDC_TAB_CONTROL);
    Grow(sheet.m_hWnd, 40, 30);
    layout.first.grown = ChildRect(page.m_hWnd, IDC_RS_PAGE_EDIT);
    layout.second.grown = ChildRect(sheet.m_hWnd, AFX_IDC_TAB_CONTROL);
    sheet.DestroyWindow();
    return layout;
}

TEST(ResizeOrder, PageAndSheetLayOutAlikeWhicheverSideOfInitControlsAreRegistered)
{
    const auto early = SheetLayout(true), late = SheetLayout(false);
    ASSERT_FALSE(late.first.opened.IsRectNull());
    EXPECT_EQ(late.first.opened, early.first.opened);
    EXPECT_EQ(late.first.grown, early.first.grown);
    EXPECT_EQ(early.first.opened.Width() + 40, early.first.grown.Width()) << "the page's edit stretches";
    EXPECT_EQ(late.second.opened, early.second.opened);
    EXPECT_EQ(late.second.grown, early.second.grown);
    EXPECT_EQ(early.second.opened.Size() + CSize(40, 30), early.second.grown.Size()) << "the tab control stretches";
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

Layout FormLayout(bool bEarly)
{
    COrderFormView::s_bEarly = bEarly;
    CFrameWnd* pFrame = new CFrameWnd;
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(COrderFormView);
    Layout layout;
    if (!pFrame->Create(nullptr, "Formular", WS_OVERLAPPEDWINDOW, CRect(40, 40, 200, 120), nullptr, nullptr, 0,
                        &context))
        return layout;
    pFrame->InitialUpdateFrame(nullptr, TRUE);
    PumpFor(20);
    HWND hView = pFrame->GetActiveView()->m_hWnd;
    layout.opened = ChildRect(hView, IDC_RS_FORM_EDIT);
    Grow(pFrame->m_hWnd, 40, 30);
    layout.grown = ChildRect(hView, IDC_RS_FORM_EDIT);
    pFrame->DestroyWindow();
    return layout;
}

TEST(ResizeOrder, FormViewLaysOutAlikeWhicheverSideOfInitControlsAreRegistered)
{
    const Layout early = FormLayout(true), late = FormLayout(false);
    ASSERT_FALSE(late.opened.IsRectNull());
    EXPECT_EQ(late.opened, early.opened);
    EXPECT_EQ(late.grown, early.grown);
    EXPECT_EQ(early.opened.Width() + 40, early.grown.Width());
}

}
