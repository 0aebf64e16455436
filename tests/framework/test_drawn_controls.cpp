// The controls that draw themselves, on real windows: the tab control with
// disabled tabs and the tree over a picture.
#include <afxdlgs.h>
#include <gtest/gtest.h>
#include <algorithm>
#include <string>
#include "framework/QRVBmpTreeCtrl.h"
#include "framework/TabCtrlEx.h"
#include "resources/resource.h"
#include "tests/support/ScreenPixels.h"
#include "framework_tests_res.h"
#include "uiauto/MessagePump.h"

using namespace qrvtest;

namespace {

// A dialog with five tabs that logs the tab control's notifications and
// answers the selection-changing one as the test says.
class CTabDialog : public CDialog {
public:
    CTabDialog() : CDialog(IDD_RS_TABS) {}
    ~CTabDialog() override { DestroyWindow(); }
    CTabCtrlEx m_tab;
    std::string m_log;
    LRESULT m_nChangingAnswer = 0;
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        m_tab.SubclassDlgItem(IDC_RS_TAB, this);
        for (const char* name : {"Eins", "Zwei", "Drei", "Vier", "Fünf"})
            m_tab.InsertItem(m_tab.GetItemCount(), name);
        return TRUE;
    }
    BOOL Open() { BOOL bOk = Create(IDD_RS_TABS); ShowWindow(SW_SHOWNORMAL); PumpFor(30); return bOk; }
    void EnableOnly(std::initializer_list<int> enabled) {
        for (int i = 0; i < 5; ++i)
            m_tab.EnableTab(i, std::find(enabled.begin(), enabled.end(), i) != enabled.end());
    }
protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override {
        // The control sees its own notification first and may keep it from us.
        if (CDialog::OnNotify(wParam, lParam, pResult)) return TRUE;
        const NMHDR* pHdr = reinterpret_cast<const NMHDR*>(lParam);
        if (pHdr->code != TCN_SELCHANGING && pHdr->code != TCN_SELCHANGE) return FALSE;
        m_log += pHdr->code == TCN_SELCHANGING ? "changing " : "change ";
        *pResult = pHdr->code == TCN_SELCHANGING ? m_nChangingAnswer : 0;
        return TRUE;
    }
};

// A left click at the middle of the tab, with the cursor really there.
void ClickTab(HWND hTab, int index) {
    RECT rc;
    ::SendMessageA(hTab, TCM_GETITEMRECT, index, (LPARAM)&rc);
    POINT pt = {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2}, screen = pt;
    ::ClientToScreen(hTab, &screen);
    ::SetCursorPos(screen.x, screen.y);
    ::PostMessageA(hTab, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    ::PostMessageA(hTab, WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    PumpFor(50);
}

TEST(TabCtrlEx, MaskHoldsThirtyTwoTabsAndScansSkipDisabledTabs) {
    CTabCtrlEx bare;   // no window needed; indexes outside 0..31 change nothing and count as disabled
    EXPECT_FALSE(bare.IsTabEnabled(32) || bare.IsTabEnabled(-1) || bare.EnableTab(32, FALSE) || bare.EnableTab(-1, FALSE));
    EXPECT_TRUE(bare.IsTabEnabled(0) && bare.IsTabEnabled(31) && bare.EnableTab(31, FALSE));
    EXPECT_TRUE(!bare.IsTabEnabled(31) && bare.IsTabEnabled(30));
    CTabDialog dlg;
    ASSERT_TRUE(dlg.Open());
    EXPECT_TRUE(dlg.m_tab.GetStyle() & TCS_OWNERDRAWFIXED);
    // A scan never returns the current tab; with wrap it makes one full round, then gives up.
    const struct { std::initializer_list<int> enabled; bool next; int from; BOOL wrap; int expected; } scans[] = {
        {{2}, true, 2, TRUE, -1}, {{2}, false, 2, TRUE, -1}, {{2}, true, 0, FALSE, 2}, {{2}, false, 4, FALSE, 2},
        {{2}, true, 3, FALSE, -1}, {{2}, true, 3, TRUE, 2}, {{0, 1, 2, 3, 4}, true, 4, FALSE, -1},
        {{0, 1, 2, 3, 4}, true, 4, TRUE, 0}, {{0, 1, 2, 3, 4}, false, 0, FALSE, -1}, {{0, 1, 2, 3, 4}, false, 0, TRUE, 4},
        {{0, 1, 2, 3, 4}, true, -1, FALSE, 0},   // no current tab: from the start
        {{}, true, -1, TRUE, -1}, {{}, false, -1, TRUE, -1}, {{3}, false, -1, TRUE, 3}};
    for (const auto& c : scans) {
        dlg.EnableOnly(c.enabled);
        EXPECT_EQ(c.expected, c.next ? dlg.m_tab.NextEnabledTab(c.from, c.wrap) : dlg.m_tab.PrevEnabledTab(c.from, c.wrap))
            << (c.next ? "next" : "prev") << " from " << c.from << " wrap " << c.wrap;
    }
}

TEST(TabCtrlEx, SetActiveTabAsksTheParentAndClicksOnDisabledTabsAreVetoedUnseen) {
    CTabDialog dlg;
    ASSERT_TRUE(dlg.Open());
    EXPECT_TRUE(dlg.m_tab.SetActiveTab(3));
    for (LRESULT refusal : {LRESULT(-1), LRESULT(TRUE)}) {   // TRUE: a refusal as a sheet gives it
        dlg.m_nChangingAnswer = refusal;
        EXPECT_FALSE(dlg.m_tab.SetActiveTab(1));
    }
    EXPECT_EQ(3, dlg.m_tab.GetCurSel());
    EXPECT_EQ("changing change changing changing ", dlg.m_log);
    dlg.m_nChangingAnswer = 0;
    dlg.m_tab.SetCurSel(0);
    dlg.m_log.clear();
    dlg.m_tab.EnableTab(2, FALSE);
    ClickTab(dlg.m_tab.m_hWnd, 2);
    EXPECT_EQ(0, dlg.m_tab.GetCurSel());
    EXPECT_EQ("", dlg.m_log) << "the parent got no notification";
    ClickTab(dlg.m_tab.m_hWnd, 3);
    EXPECT_TRUE(PumpUntil([&] { return dlg.m_tab.GetCurSel() == 3; }, 1000));
    EXPECT_EQ("changing change ", dlg.m_log);
    dlg.m_tab.EnableTab(2, TRUE);
    ClickTab(dlg.m_tab.m_hWnd, 2);
    EXPECT_TRUE(PumpUntil([&] { return dlg.m_tab.GetCurSel() == 2; }, 1000)) << "enabled again, it can be clicked";
}

// Left/Right inside the control stop at the ends; Ctrl+Tab, Ctrl+Page Down
// (forward) and Ctrl+Shift+Tab, Ctrl+Page Up (back) in a sheet wrap; the
// sheet shows the page of the tab. Both skip disabled tabs and leave other keys alone.
TEST(TabCtrlEx, KeysStepOverDisabledTabs) {
    CTabDialog dlg;
    ASSERT_TRUE(dlg.Open());
    dlg.EnableOnly({0, 2, 4});
    dlg.m_tab.SetCurSel(0);
    std::string tabs;
    for (int key : {VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_LEFT, VK_LEFT, VK_LEFT, 0x41 /* A */}) {
        MSG msg = {dlg.m_tab.m_hWnd, WM_KEYDOWN, (WPARAM)key, 1, 0, {}};
        const BOOL consumed = dlg.m_tab.PreTranslateMessage(&msg);
        tabs += std::to_string(consumed) + ":" + std::to_string(dlg.m_tab.GetCurSel()) + " ";
    }
    EXPECT_EQ("1:2 1:4 1:4 1:2 1:0 1:0 0:0 ", tabs);
    CPropertyPage pages[4] = {CPropertyPage(IDD_RS_PAGE), CPropertyPage(IDD_RS_PAGE), CPropertyPage(IDD_RS_PAGE), CPropertyPage(IDD_RS_PAGE)};
    CPropertySheet sheet("Blätterbar");
    CTabCtrlEx tab;   // the sheet's own tab control, the third tab disabled
    for (CPropertyPage& page : pages) sheet.AddPage(&page);
    ASSERT_TRUE(sheet.Create() && tab.SubclassDlgItem(AFX_IDC_TAB_CONTROL, &sheet) && tab.EnableTab(2, FALSE));
    PumpFor(20);
    const struct { UINT message; WPARAM vk; BYTE ctrl, shift; } keys[] = {
        {WM_KEYDOWN, VK_TAB, 0x80, 0}, {WM_KEYDOWN, VK_TAB, 0x80, 0}, {WM_KEYDOWN, VK_TAB, 0x80, 0}, {WM_KEYDOWN, VK_TAB, 0x80, 0x80},
        {WM_KEYDOWN, VK_PRIOR, 0x80, 0}, {WM_KEYDOWN, VK_NEXT, 0x80, 0}, {WM_KEYDOWN, VK_NEXT, 0x80, 0x80},
        {WM_KEYDOWN, VK_TAB, 0, 0}, {WM_KEYDOWN, VK_RIGHT, 0x80, 0}, {WM_KEYUP, VK_TAB, 0x80, 0}};
    tabs.clear();
    BYTE state[256] = {};
    for (const auto& k : keys) {
        state[VK_CONTROL] = k.ctrl, state[VK_SHIFT] = k.shift;
        ::SetKeyboardState(state);   // as GetKeyState of this thread answers
        MSG msg = {sheet.m_hWnd, k.message, k.vk, 1, 0, {}};
        const BOOL consumed = tab.TranslatePropSheetMsg(&msg);
        PumpFor(10);
        const HWND hPage = (HWND)::SendMessageA(sheet.m_hWnd, PSM_GETCURRENTPAGEHWND, 0, 0);
        tabs += std::to_string(consumed) + ":" + std::to_string(tab.GetCurSel()) + "=" +
                std::to_string(::SendMessageA(sheet.m_hWnd, PSM_HWNDTOINDEX, (WPARAM)hPage, 0)) + " ";
    }
    state[VK_CONTROL] = state[VK_SHIFT] = 0;
    ::SetKeyboardState(state);
    EXPECT_EQ("1:1=1 1:3=3 1:0=0 1:3=3 1:1=1 1:3=3 1:1=1 0:1=1 0:1=1 0:1=1 ", tabs);
    sheet.DestroyWindow();
}

// Pixels of a tab's label: grey text, ... with a highlight pixel one down and
// right, button text; the first row with button text.
struct TextPixels { int grey = 0, greyWithLight = 0, black = 0, top = -1; };
TextPixels CountTextPixels(HWND hTab, int index) {
    RECT rc;
    ::SendMessageA(hTab, TCM_GETITEMRECT, index, (LPARAM)&rc);
    ScreenPixels pixels(hTab);
    TextPixels count;
    const COLORREF grey = ::GetSysColor(COLOR_GRAYTEXT), light = ::GetSysColor(COLOR_BTNHIGHLIGHT), text = ::GetSysColor(COLOR_BTNTEXT);
    for (int y = std::max(0L, rc.top - 4); y < rc.bottom + 4 && y < pixels.Height(); ++y)
        for (int x = rc.left + 2; x < rc.right - 2; ++x) {
            const COLORREF c = pixels.Color(x, y);
            const bool inside = y >= rc.top + 2 && y < rc.bottom - 2;
            count.grey += inside && c == grey;
            count.greyWithLight += inside && c == grey && pixels.Color(x + 1, y + 1) == light;
            count.black += inside && c == text;
            count.top = count.top < 0 && c == text ? y : count.top;
            EXPECT_FALSE(c == text && y >= rc.bottom - 1) << "the label ends inside its tab, row " << y;
        }
    return count;
}

// The labels of the selected and the other tabs start at one height (the
// tab's own top plus 4) and end inside their tab; disabled tabs are embossed.
TEST(TabCtrlEx, LabelsStandAtOneHeightAndDisabledTabsAreDrawnEmbossed) {
    CTabDialog dlg;
    ASSERT_TRUE(dlg.Open());
    dlg.m_tab.SetCurSel(0);
    dlg.m_tab.EnableTab(1, FALSE);
    PumpFor(50);
    const TextPixels selected = CountTextPixels(dlg.m_tab.m_hWnd, 0), disabled = CountTextPixels(dlg.m_tab.m_hWnd, 1),
                     enabled = CountTextPixels(dlg.m_tab.m_hWnd, 2);
    EXPECT_TRUE(selected.top >= 0 && selected.top == enabled.top) << selected.top << " " << enabled.top;
    // Grey with the light copy one pixel down and right, no black; the enabled tab the other way round.
    EXPECT_TRUE(disabled.grey > 10 && disabled.greyWithLight > 0 && disabled.black == 0 && enabled.black > 10 && enabled.grey == 0);
    dlg.m_tab.EnableTab(1, TRUE);
    PumpFor(50);
    const TextPixels again = CountTextPixels(dlg.m_tab.m_hWnd, 1);
    EXPECT_TRUE(again.grey == 0 && again.black > 10) << "enabling repaints the tab";
}


// A top-level window holding the tree; it counts the expanding notifications.
class CTreeHost : public CWnd {
public:
    QRVBmpTreeCtrl m_tree;
    int m_nExpanding = 0;
    HTREEITEM m_hGroup = nullptr;
    BOOL Open() {
        if (!CreateEx(0, AfxRegisterWndClass(0, nullptr, (HBRUSH)(COLOR_BTNFACE + 1)), "Baum", WS_POPUP | WS_CAPTION, 30, 30, 300, 260, nullptr, nullptr) ||
            !m_tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT, CRect(0, 0, 240, 200), this, 1))
            return FALSE;
        m_hGroup = m_tree.InsertItem("Gruppe");
        m_tree.InsertItem("Kind eins", m_hGroup);
        m_tree.InsertItem("Kind zwei", m_hGroup);
        for (int i = 1; i < 30; ++i) m_tree.InsertItem(("Eintrag " + std::to_string(i)).c_str());
        ShowWindow(SW_SHOWNORMAL);
        PumpFor(30);
        return TRUE;
    }
    ~CTreeHost() override { DestroyWindow(); }
protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override {
        m_nExpanding += reinterpret_cast<NMHDR*>(lParam)->code == TVN_ITEMEXPANDINGA;
        return CWnd::OnNotify(wParam, lParam, pResult);
    }
};

int CountColour(const ScreenPixels& pixels, const CRect& rc, COLORREF colour) {
    int n = 0;
    for (int y = rc.top; y < rc.bottom; ++y)
        for (int x = rc.left; x < rc.right; ++x) n += pixels.Color(x, y) == colour;
    return n;
}

// Pixels in a strip right of every item's text (left of the scroll bar) that
// do not show what the 16 x 40 test tile (see make_tree_test_bitmaps.py),
// tiled from (x0, y0), shows there.
int Mismatches(HWND hTree, int x0, int y0) {
    ScreenPixels pixels(hTree);
    int nWrong = 0;
    for (int y = 0; y < pixels.Height(); ++y)
        for (int x = pixels.Width() - 60; x < pixels.Width() - 10; ++x) {
            const int tx = ((x - x0) % 16 + 16) % 16, ty = ((y - y0) % 40 + 40) % 40;
            nWrong += pixels.Color(x, y) != RGB(60 + 4 * ty, 150, 40 + 8 * tx);
        }
    return nWrong;
}

// The picture tiles the whole tree from the first item with the text over it,
// moves with vertical and horizontal scrolling, stays in place when a group
// expands; an id that does not exist removes it and leaves a plain tree. The palettes.
TEST(BmpTree, PictureShowsBetweenTheItemsAndFollowsScrollingUntilRemoved) {
    CTreeHost host;
    ASSERT_TRUE(host.Open());
    QRVBmpTreeCtrl& tree = host.m_tree;
    tree.InsertItem("Ein sehr langer Eintrag, der weit über den rechten Rand des Baumes hinausreicht");
    EXPECT_TRUE(tree.IsKindOf(RUNTIME_CLASS(CTreeCtrl)) && tree.GetPalette() == nullptr) << "a tree; no picture, no palette";
    tree.SetBitmap(IDB_RS_TILE24);
    PumpFor(30);
    EXPECT_EQ(0, Mismatches(tree.m_hWnd, 0, 0)) << "tiled in both directions from the first item";
    {
        ScreenPixels pixels(tree.m_hWnd);
        CRect rcText;
        ASSERT_TRUE(tree.GetItemRect(tree.GetNextSiblingItem(tree.GetRootItem()), &rcText, TRUE));
        EXPECT_GT(CountColour(pixels, rcText, ::GetSysColor(COLOR_WINDOWTEXT)), 10) << "the text stays readable";
        EXPECT_EQ(0, CountColour(pixels, CRect(0, 0, pixels.Width(), pixels.Height()), ::GetSysColor(COLOR_WINDOW)))
            << "nothing is left in the window colour";
    }
    const int h = (int)tree.SendMessage(TVM_GETITEMHEIGHT);
    ASSERT_GT(h, 0);
    tree.SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
    PumpFor(30);
    ASSERT_EQ(1, tree.GetScrollPos(SB_VERT));
    EXPECT_EQ(0, Mismatches(tree.m_hWnd, 0, -h)) << "moved up by one item height";
    EXPECT_NE(0, Mismatches(tree.m_hWnd, 0, 0));
    tree.SendMessage(WM_VSCROLL, SB_LINEUP, 0);
    PumpFor(30);
    EXPECT_EQ(0, Mismatches(tree.m_hWnd, 0, 0));
    tree.SelectItem(host.m_hGroup);
    tree.SendMessage(WM_KEYDOWN, VK_RIGHT, 0);
    PumpFor(30);
    EXPECT_TRUE(tree.GetItemState(host.m_hGroup, TVIS_EXPANDED) & TVIS_EXPANDED);
    EXPECT_EQ(1, host.m_nExpanding) << "the parent is told";
    EXPECT_EQ(0, Mismatches(tree.m_hWnd, 0, 0)) << "expanding keeps the picture in place";
    tree.SendMessage(WM_HSCROLL, SB_LINERIGHT, 0);
    tree.SendMessage(WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 5), 0);   // off the tile grid
    PumpFor(30);
    const int pos = tree.GetScrollPos(SB_HORZ);
    ASSERT_GT(pos % 16, 0) << pos;
    EXPECT_EQ(0, Mismatches(tree.m_hWnd, -pos, 0));
    EXPECT_NE(0, Mismatches(tree.m_hWnd, 0, 0));
    ASSERT_NE(nullptr, tree.GetPalette());
    tree.SetBitmap(4711);   // no such bitmap
    EXPECT_EQ(nullptr, tree.GetPalette());
    ScreenPixels pixels(tree.m_hWnd);
    const CRect strip(pixels.Width() - 60, 0, pixels.Width() - 10, pixels.Height());
    EXPECT_EQ(strip.Width() * strip.Height(), CountColour(pixels, strip, ::GetSysColor(COLOR_WINDOW)));
    tree.Expand(host.m_hGroup, TVE_COLLAPSE);
    tree.SendMessage(WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_EQ(2, host.m_nExpanding);
    CClientDC dc(&tree);
    EXPECT_NE(0, tree.SendMessage(WM_ERASEBKGND, (WPARAM)dc.m_hDC, 0)) << "the plain tree erases its background itself";
    // A picture of up to 256 colours brings its own palette of the used colours, a richer one the halftone palette.
    tree.SetBitmap(IDB_RS_TILE16);
    CPalette* pPal = tree.GetPalette();
    ASSERT_NE(nullptr, pPal);
    PALETTEENTRY entry = {};
    pPal->GetPaletteEntries(5, 1, &entry);
    EXPECT_EQ(16, pPal->GetEntryCount()) << "the used-colour count, not two to the bit depth";
    EXPECT_TRUE(RGB(entry.peRed, entry.peGreen, entry.peBlue) == RGB(185, 125, 50) && entry.peFlags == 0);
    tree.SetBitmap(IDB_TREE_BACKGROUND);   // the library's own tile: 8 bits, a full table of 256 colours
    ASSERT_NE(nullptr, pPal = tree.GetPalette());
    EXPECT_EQ(256, pPal->GetEntryCount());
    tree.SetBitmap(IDB_RS_TILE24);
    ASSERT_NE(nullptr, pPal = tree.GetPalette());
    HDC hScreen = ::GetDC(nullptr);
    HPALETTE hHalftone = ::CreateHalftonePalette(hScreen);
    ::ReleaseDC(nullptr, hScreen);
    PALETTEENTRY mine[8], halftone[8];
    pPal->GetPaletteEntries(40, 8, mine);
    ::GetPaletteEntries(hHalftone, 40, 8, halftone);
    EXPECT_TRUE((int)::GetPaletteEntries(hHalftone, 0, 0, nullptr) == pPal->GetEntryCount() && !memcmp(mine, halftone, sizeof mine));
    ::DeleteObject(hHalftone);
}

}
