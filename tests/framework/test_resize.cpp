// The resize framework on real windows: dialogs, property sheets and pages, form views.
#include <afxdlgs.h>
#include <afxext.h>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>
#include <string>
#include <vector>
#include "framework/ResizeDialog.h"
#include "framework/ResizeFormView.h"
#include "framework/ResizePropertyPage.h"
#include "framework/ResizePropertySheet.h"
#include "framework_tests_res.h"
#include "tests/support/DialogLayout.h"
#include "uiauto/MessagePump.h"
#include "tests/support/TestApp.h"

using namespace qrvtest;

void PrintTo(const CRect &rc, std::ostream *os)
{
    *os << "(" << rc.left << "," << rc.top << ")-(" << rc.right << "," << rc.bottom << ")";
}

namespace {

const UINT kGripID = 32767;

CRect WindowRect(HWND hWnd)
{
    CRect rc(0, 0, 0, 0);
    ::GetWindowRect(hWnd, &rc);
    return rc;
}
// The control's rectangle in its parent's client coordinates.
const auto ChildRect = [](HWND hParent, int id) { return Place(::GetDlgItem(hParent, id)); };
// Where the dialog template puts a control (x, y, cx, cy in dialog units).
CRect TemplateRect(HWND hDlg, int x, int y, int cx, int cy)
{
    CRect rc(x, y, cx, cy);
    ::MapDialogRect(hDlg, &rc);
    return CRect(rc.left, rc.top, rc.left + rc.right, rc.top + rc.bottom);
}
CRect Moved(CRect rc, int dx, int dy)
{
    rc.OffsetRect(dx, dy);
    return rc;
}
CRect Grown(CRect rc, int dx, int dy)
{
    return CRect(rc.left, rc.top, rc.right + dx, rc.bottom + dy);
}

// Changes the window's outer size by (dx, dy) as a drag of the frame would.
void Grow(HWND hWnd, int dx, int dy)
{
    CRect rc = WindowRect(hWnd);
    ::SetWindowPos(hWnd, nullptr, 0, 0, rc.Width() + dx, rc.Height() + dy, SWP_NOMOVE | SWP_NOZORDER);
    PumpFor(10);
}

// Min track, max track and max size (w, h) answered when the system offers (1, 2), (3000, 2000), (2500, 1500).
using Limits = std::vector<long>;
Limits AskLimits(HWND hWnd)
{
    MINMAXINFO mmi = {};
    mmi.ptMinTrackSize = {1, 2}, mmi.ptMaxTrackSize = {3000, 2000}, mmi.ptMaxSize = {2500, 1500};
    ::SendMessageA(hWnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
    return {mmi.ptMinTrackSize.x, mmi.ptMinTrackSize.y, mmi.ptMaxTrackSize.x,
            mmi.ptMaxTrackSize.y, mmi.ptMaxSize.x,      mmi.ptMaxSize.y};
}

// A window of the resize class Base that registers controls before and after the base's own
// initialisation.
template <class Base> class CRegistering : public Base {
public:
    using Base::Base;
    std::vector<SIZING> m_before, m_after;
    BOOL OnInitDialog() override
    {
        for (const SIZING &s : m_before)
            this->SetResize(s.id, s.rect);
        Base::OnInitDialog();
        for (const SIZING &s : m_after)
            this->SetResize(s.id, s.rect);
        return TRUE;
    }
};

class CTestResizeDialog : public CRegistering<CResizeDialog> {
public:
    explicit CTestResizeDialog(UINT nFlags = 0) : CRegistering(IDD_RS_DIALOG, nullptr, nFlags) {}
    ~CTestResizeDialog() override { DestroyWindow(); }
    BOOL Open()
    {
        BOOL bOk = Create(IDD_RS_DIALOG);
        ShowWindow(SW_SHOWNORMAL);
        PumpFor(20);
        return bOk;
    }
};

// Registered before or after the base's initialisation, controls start where
// the template puts them (nothing moved while the dialog was set up); a second
// registration of an id adds its fractions, halves of pixels carry over,
// unregistered controls stay, the array form reads exactly four entries.
TEST(Resize, RegisteredControlsFollowByTheirFractionsWithHalvesOfPixelsCarriedOver)
{
    CTestResizeDialog dlg;
    dlg.m_before = {{IDC_RS_TWICE, {1, 0, 1, 0}}};
    dlg.m_after = {{IDC_RS_STRETCH, {0, 0, 1, 1}}};
    ASSERT_TRUE(dlg.Open());
    const CRect twice = ChildRect(dlg.m_hWnd, IDC_RS_TWICE), stretch = ChildRect(dlg.m_hWnd, IDC_RS_STRETCH);
    const CRect ok = ChildRect(dlg.m_hWnd, IDOK), half = ChildRect(dlg.m_hWnd, IDC_RS_HALF);
    EXPECT_EQ(TemplateRect(dlg.m_hWnd, 7, 7, 60, 12), twice);
    EXPECT_EQ(TemplateRect(dlg.m_hWnd, 7, 24, 140, 60), stretch);
    dlg.SetResize(IDC_RS_TWICE, 0.0f, 1.0f, 0.0f, 1.0f); // with (1, 0, 1, 0): the corner
    dlg.SetResize(IDC_RS_HALF, 0.5f, 0.0f, 0.5f, 0.0f);
    dlg.SetResize(IDC_FW_ABSENT, 1.0f, 1.0f, 1.0f, 1.0f); // no such control: harmless
    // 1.5 truncated, 3, 4.5 after three growths of 3, the half kept in the stored position, and back.
    for (int expected : {1, 3, 4, 6, 0}) {
        Grow(dlg.m_hWnd, expected ? 3 : -12, 0);
        EXPECT_EQ(Moved(half, expected, 0), ChildRect(dlg.m_hWnd, IDC_RS_HALF));
    }
    Grow(dlg.m_hWnd, 40, 30);
    EXPECT_EQ(Moved(twice, 40, 30), ChildRect(dlg.m_hWnd, IDC_RS_TWICE));
    EXPECT_EQ(Grown(stretch, 40, 30), ChildRect(dlg.m_hWnd, IDC_RS_STRETCH));
    EXPECT_EQ(ok, ChildRect(dlg.m_hWnd, IDOK)) << "an unregistered control stays";
    CTestResizeDialog array;
    ASSERT_TRUE(array.Open());
    const CRect fifth = ChildRect(array.m_hWnd, IDC_RS_FIFTH);
    const SIZING sizing[5] = {{IDC_RS_TWICE, {1, 0, 1, 0}},
                              {IDC_RS_HALF, {0, 1, 0, 1}},
                              {IDC_RS_STRETCH, {0, 0, 1, 0}},
                              {IDC_RS_TWICE, {0, 1, 0, 1}},
                              {IDC_RS_FIFTH, {1, 1, 1, 1}}};
    array.SetResize(sizing);
    Grow(array.m_hWnd, 20, 10);
    EXPECT_EQ(Moved(twice, 20, 10), ChildRect(array.m_hWnd, IDC_RS_TWICE))
        << "the fourth entry added to the first";
    EXPECT_EQ(Moved(half, 0, 10), ChildRect(array.m_hWnd, IDC_RS_HALF));
    EXPECT_EQ(fifth, ChildRect(array.m_hWnd, IDC_RS_FIFTH)) << "a fifth entry is not read";
}

// The tracking limits from the initial size and the flags, the size grip in
// the corner, the transparent style of buttons that frame others, the window
// placement in the registry.
TEST(Resize, LimitsGripTransparentButtonsAndPlacement)
{
    CTestResizeDialog dlg, loose(CResize::SZ_NOMINSIZE), wide(CResize::SZ_NOHORISONTAL),
        tall(CResize::SZ_NOVERTICAL), early,
        bare(CResize::SZ_NOSIZEICON | CResize::SZ_NOCLIPCHILDREN | CResize::SZ_NOTRANSPARENTGROUP);
    early.SetMinSize(CSize(10, 10)); // set before the window exists: replaced by the initial size
    for (CTestResizeDialog *p : {&dlg, &loose, &wide, &tall, &early, &bare})
        ASSERT_TRUE(p->Open());
    const long w = WindowRect(dlg.m_hWnd).Width(), h = WindowRect(dlg.m_hWnd).Height();
    wide.SetResize(IDC_RS_STRETCH, 0.0f, 0.0f, 1.0f, 1.0f);
    Grow(wide.m_hWnd, 25, 15); // a fixed width is capped at the last layout; the height is free
    const long wideW = WindowRect(wide.m_hWnd).Width();
    EXPECT_EQ(Limits({w, h, 3000, 2000, 2500, 1500}), AskLimits(dlg.m_hWnd))
        << "the initial size is the minimum, no maximum";
    EXPECT_EQ(Limits({1, 2, 3000, 2000, 2500, 1500}), AskLimits(loose.m_hWnd));
    EXPECT_EQ(Limits({w, h, 3000, 2000, 2500, 1500}), AskLimits(early.m_hWnd));
    EXPECT_EQ(Limits({w, h, wideW, 2000, wideW, 1500}), AskLimits(wide.m_hWnd));
    EXPECT_EQ(Limits({w, h, 3000, h, 2500, h}), AskLimits(tall.m_hWnd));
    dlg.SetMinSize(CSize(50, 0)), dlg.SetMaxSize(CSize(0, 900)); // a zero component leaves the system's
    EXPECT_EQ(Limits({50, 2, 3000, 900, 2500, 1500}), AskLimits(dlg.m_hWnd));

    HWND hGrip = ::GetDlgItem(dlg.m_hWnd, kGripID);
    char cls[32] = "";
    ::GetClassNameA(hGrip, cls, sizeof cls);
    EXPECT_TRUE(!strcmp("Static", cls) && (::GetWindowLongA(hGrip, GWL_STYLE) & SS_TYPEMASK) == SS_BITMAP &&
                ::IsWindowVisible(hGrip) && ::SendMessageA(hGrip, STM_GETIMAGE, IMAGE_BITMAP, 0))
        << "a visible bitmap static";
    EXPECT_EQ(DWORD(WS_THICKFRAME | WS_CLIPCHILDREN), dlg.GetStyle() & (WS_THICKFRAME | WS_CLIPCHILDREN));
    for (int step = 0; step < 2; ++step) {
        CRect client, grip = ChildRect(dlg.m_hWnd, kGripID);
        dlg.GetClientRect(&client);
        EXPECT_EQ(client.BottomRight(), grip.BottomRight());
        Grow(dlg.m_hWnd, 17, 11);
        EXPECT_EQ(grip.Size(), ChildRect(dlg.m_hWnd, kGripID).Size());
    }
    EXPECT_TRUE(::GetDlgItem(bare.m_hWnd, kGripID) == nullptr && !(bare.GetStyle() & WS_CLIPCHILDREN));
    // Group boxes and radio buttons without a tab stop turn transparent; not a checkbox with one, a push
    // button or an edit, nor anything of a dialog with the flag.
    std::string transparent;
    for (CTestResizeDialog *p : {&dlg, &bare})
        for (int id : {IDC_RS_GROUP, IDC_RS_RADIO, IDC_RS_CHECK, IDC_RS_PUSH, IDC_RS_TWICE}) {
            p->SetResize(id, 0.0f, 0.0f, 0.0f, 0.0f);
            transparent +=
                ::GetWindowLongA(::GetDlgItem(p->m_hWnd, id), GWL_EXSTYLE) & WS_EX_TRANSPARENT ? '1' : '0';
        }
    EXPECT_EQ("1100000000", transparent);

    // The placement round-trips through the registry; records of other lengths are ignored.
    App().UseRegistryKey("QRV Resize Test");
    dlg.SetResize(IDC_RS_STRETCH, 0.0f, 0.0f, 1.0f, 1.0f);
    EXPECT_FALSE(dlg.LoadPlacement("Leer")) << "no entry: nothing changes";
    ::SetWindowPos(dlg.m_hWnd, nullptr, 40, 50, 500, 330, SWP_NOZORDER);
    const CRect saved = WindowRect(dlg.m_hWnd), stretch = ChildRect(dlg.m_hWnd, IDC_RS_STRETCH);
    ASSERT_TRUE(dlg.SavePlacement("Dialog"));
    LPBYTE pData = nullptr;
    UINT nBytes = 0;
    EXPECT_TRUE(AfxGetApp()->GetProfileBinary("Dialog", "WindowPlacement", &pData, &nBytes) && nBytes == 44)
        << nBytes;
    delete[] pData;
    ::SetWindowPos(dlg.m_hWnd, nullptr, 10, 10, 460, 300, SWP_NOZORDER);
    EXPECT_TRUE(dlg.LoadPlacement("Dialog"));
    EXPECT_EQ(saved, WindowRect(dlg.m_hWnd));
    EXPECT_EQ(stretch, ChildRect(dlg.m_hWnd, IDC_RS_STRETCH)) << "the controls followed";
    WINDOWPLACEMENT wp = {};
    wp.length = sizeof wp;
    dlg.GetWindowPlacement(&wp);
    ::OffsetRect(&wp.rcNormalPosition, 100, 100);
    BYTE longer[48] = {};
    memcpy(longer, &wp, sizeof wp);
    for (UINT n : {40u, 48u}) {
        ASSERT_TRUE(AfxGetApp()->WriteProfileBinary("Falsch", "WindowPlacement", longer, n));
        EXPECT_FALSE(dlg.LoadPlacement("Falsch")) << n;
    }
    EXPECT_EQ(saved, WindowRect(dlg.m_hWnd));
}

using CStretchPage = CRegistering<CResizePropertyPage>;
using COrderSheet = CRegistering<CResizePropertySheet>;

// The size commands of the system menu, by position after Restore and Move.
std::string SizeCommands(HWND hWnd)
{
    std::string texts;
    HMENU hMenu = ::GetSystemMenu(hWnd, FALSE);
    for (int pos : {0, 2, 3, 4, 5}) {
        char text[64] = "";
        ::GetMenuStringA(hMenu, pos, text, sizeof text, MF_BYPOSITION);
        texts += (::GetMenuState(hMenu, pos, MF_BYPOSITION) & MF_SEPARATOR ? std::string("-") : text) + "|";
    }
    return texts;
}

// Buttons follow the corner, the tab control and every page (also one created later) stretch wherever the
// host registers them; the size commands come in the language of the sheet's application window, built in
// where it lacks one. (page edit, tab control) as opened and grown by 40 x 30 are compared between sheets.
TEST(ResizeSheet, ButtonsFollowTheCornerPagesStretchAndTheMenuSpeaksTheHostsLanguage)
{
    CWnd host;
    ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(0), "Gastgeber", WS_OVERLAPPEDWINDOW, 20, 20, 400, 300,
                              nullptr, nullptr));
    const char *german[] = {"&Wiederherstellen", nullptr, "Mi&nimieren", "Ma&ximieren"}; // no Size command
    const UINT commands[] = {SC_RESTORE, SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE};
    for (int i = 0; i < 4; ++i)
        german[i] ? ::ModifyMenuA(::GetSystemMenu(host.m_hWnd, FALSE), commands[i], MF_BYCOMMAND | MF_STRING,
                                  commands[i], german[i])
                  : ::DeleteMenu(::GetSystemMenu(host.m_hWnd, FALSE), commands[i], MF_BYCOMMAND);
    const struct {
        bool early;
        CWnd *pParent;
        DWORD remove;
        const char *menu;
    } cases[] = {{true, &host, 0, "&Wiederherstellen|&Size|Mi&nimieren|Ma&ximieren|-|"},
                 {false, nullptr, 0, "&Restore|&Size|Mi&nimize|Ma&ximize|-|"},
                 {false, nullptr, WS_SYSMENU, nullptr}};
    std::vector<CRect> layouts[3]; // the page's edit and the tab control, as opened and grown by 40 x 30
    for (int n = 0; n < 3; ++n) {
        const auto &c = cases[n];
        // The page's edit stretches; the host registers the tab control without movement of its own.
        CStretchPage first(IDD_RS_PAGE), second(IDD_RS_PAGE);
        COrderSheet sheet("Blätter", c.pParent);
        for (CStretchPage *page : {&first, &second})
            (c.early ? page->m_before : page->m_after) = {{IDC_RS_PAGE_EDIT, {0, 0, 1, 0}}};
        if (c.early)
            sheet.m_before = {{AFX_IDC_TAB_CONTROL, {0, 0, 0, 0}}};
        sheet.m_dwAddStyle = WS_MINIMIZEBOX;
        sheet.m_dwRemoveStyle = c.remove;
        sheet.AddPage(&first);
        sheet.AddPage(&second);
        ASSERT_TRUE(sheet.Create(c.pParent));
        PumpFor(20);
        EXPECT_EQ(DWORD(WS_THICKFRAME | WS_MINIMIZEBOX | (WS_SYSMENU & ~c.remove)),
                  sheet.GetStyle() & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_SYSMENU));
        if (c.menu) {
            EXPECT_EQ(c.menu, SizeCommands(sheet.m_hWnd));
        }
        EXPECT_NE(nullptr, ::GetDlgItem(sheet.m_hWnd, kGripID));
        EXPECT_EQ(nullptr, ::GetDlgItem(first.m_hWnd, kGripID)) << "pages never have a grip";
        const CRect ok = ChildRect(sheet.m_hWnd, IDOK), cancel = ChildRect(sheet.m_hWnd, IDCANCEL),
                    page = WindowRect(first.m_hWnd);
        for (int grown : {0, 1}) {
            Grow(sheet.m_hWnd, 40 * grown, 30 * grown);
            layouts[n].push_back(ChildRect(first.m_hWnd, IDC_RS_PAGE_EDIT));
            layouts[n].push_back(ChildRect(sheet.m_hWnd, AFX_IDC_TAB_CONTROL));
        }
        EXPECT_EQ(Moved(ok, 40, 30), ChildRect(sheet.m_hWnd, IDOK));
        EXPECT_EQ(Moved(cancel, 40, 30), ChildRect(sheet.m_hWnd, IDCANCEL));
        EXPECT_EQ(page.Size() + CSize(40, 30), WindowRect(first.m_hWnd).Size());
        // The second page did not exist yet; from its creation on it follows too.
        ASSERT_TRUE(sheet.SetActivePage(&second));
        PumpFor(20);
        const int width = WindowRect(second.m_hWnd).Width();
        Grow(sheet.m_hWnd, 10, 0);
        EXPECT_EQ(width + 10, WindowRect(second.m_hWnd).Width());
        sheet.DestroyWindow();
    }
    for (int n = 1; n < 3; ++n)
        EXPECT_EQ(layouts[0], layouts[n]) << "nothing moved while the sheet was set up";
    EXPECT_EQ(layouts[0][0].Width() + 40, layouts[0][2].Width()) << "the page's own layout";
    EXPECT_EQ(layouts[0][1].Size() + CSize(40, 30), layouts[0][3].Size()) << "the tab control stretches";
    host.DestroyWindow();
}

// Registers the form's edit field before and the second one after the base's initialisation.
class COrderFormView : public CResizeFormView {
    DECLARE_DYNCREATE(COrderFormView)
public:
    COrderFormView() : CResizeFormView(IDD_RS_FORM) {}
    void OnInitialUpdate() override
    {
        SetResize(IDC_RS_FORM_EDIT, 0.0f, 0.0f, 1.0f, 0.0f);
        CResizeFormView::OnInitialUpdate();
        SetResize(IDC_RS_FORM_EDIT2, 0.0f, 0.0f, 1.0f, 0.0f);
    }
};
IMPLEMENT_DYNCREATE(COrderFormView, CResizeFormView)

// The frame is fitted to the form once, the view never scrolls and has no
// grip, and its controls start where the template puts them and follow the frame's size.
TEST(ResizeFormView, FrameFitsTheFormAndTheControlsFollowItWhicheverSideTheyRegisterOn)
{
    CFrameWnd *pFrame = new CFrameWnd;
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(COrderFormView);
    ASSERT_TRUE(pFrame->Create(nullptr, "Formular", WS_OVERLAPPEDWINDOW, CRect(40, 40, 200, 120), nullptr,
                               nullptr, 0, &context));
    pFrame->InitialUpdateFrame(nullptr, TRUE);
    PumpFor(30);
    HWND hView = pFrame->GetActiveView()->GetSafeHwnd();
    CRect client;
    ::GetClientRect(hView, &client);
    EXPECT_EQ(TemplateRect(hView, 0, 0, 200, 80), client) << "the frame grew to fit the whole form";
    EXPECT_EQ(nullptr, ::GetDlgItem(hView, kGripID)) << "form views never have a grip";
    const CRect edits[2] = {TemplateRect(hView, 60, 7, 133, 12), TemplateRect(hView, 60, 24, 133, 12)};
    Grow(pFrame->m_hWnd, 40, 30);
    for (int i = 0; i < 2; ++i)
        EXPECT_EQ(Grown(edits[i], 40, 0), ChildRect(hView, i ? IDC_RS_FORM_EDIT2 : IDC_RS_FORM_EDIT)) << i;
    Grow(pFrame->m_hWnd, -100, -60);
    EXPECT_FALSE(::GetWindowLongA(hView, GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL))
        << "smaller than the form, still no scroll bars";
    pFrame->DestroyWindow(); // frame and view delete themselves
}

// Pages and form views are made by name, as a host's template does, without a grip.
TEST(ResizeClasses, PagesAndFormViewsAreCreatableByNameWithoutAGrip)
{
    for (const char *name : {"CResizePropertyPage", "CResizeFormView"}) {
        std::unique_ptr<CObject> p(CRuntimeClass::CreateObject(name));
        ASSERT_TRUE(p && !strcmp(name, p->GetRuntimeClass()->m_lpszClassName)) << name;
        EXPECT_TRUE(dynamic_cast<CResize &>(*p).HasFlag(CResize::SZ_NOSIZEICON)) << name;
    }
}

} // namespace
