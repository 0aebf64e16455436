// The tab control with disabled tabs on real windows: the scans over the
// enabled mask, the parent's say in a switch, mouse clicks on disabled tabs,
// Left/Right inside the control, the sheet's Ctrl+Tab family and the
// embossed text of disabled tabs on screen.
#include <afxdlgs.h>
#include <gtest/gtest.h>
#include <algorithm>
#include <string>
#include <vector>
#include "framework/TabCtrlEx.h"
#include "tests/support/ScreenPixels.h"
#include "framework_tests_res.h"
#include "uiauto/MessagePump.h"

using namespace qrvtest;

namespace {

// A dialog with five tabs that logs the tab control's notifications and
// answers the selection-changing one as the test says.
class CTabDialog : public CDialog
{
public:
    CTabDialog() : CDialog(IDD_RS_TABS) {}
    ~CTabDialog() override { DestroyWindow(); }
    CTabCtrlEx m_tab;
    std::string m_log;
    LRESULT m_nChangingAnswer = 0;

    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        m_tab.SubclassDlgItem(IDC_RS_TAB, this);
        for (const char* name : {"Eins", "Zwei", "Drei", "Vier", "Fünf"})
            m_tab.InsertItem(m_tab.GetItemCount(), name);
        return TRUE;
    }
    BOOL Open()
    {
        BOOL bOk = Create(IDD_RS_TABS);
        ShowWindow(SW_SHOWNORMAL);
        PumpFor(30);
        return bOk;
    }
    void EnableOnly(std::initializer_list<int> enabled)
    {
        for (int i = 0; i < 5; ++i)
            m_tab.EnableTab(i, std::find(enabled.begin(), enabled.end(), i) != enabled.end());
    }

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        // The control sees its own notification first and may keep it from us.
        if (CDialog::OnNotify(wParam, lParam, pResult))
            return TRUE;
        const NMHDR* pHdr = reinterpret_cast<const NMHDR*>(lParam);
        if (pHdr->hwndFrom != m_tab.m_hWnd || (pHdr->code != TCN_SELCHANGING && pHdr->code != TCN_SELCHANGE))
            return FALSE;
        m_log += pHdr->code == TCN_SELCHANGING ? "changing " : "change ";
        *pResult = pHdr->code == TCN_SELCHANGING ? m_nChangingAnswer : 0;
        return TRUE;
    }
};

// A left click at the middle of the tab, with the cursor really there.
void ClickTab(HWND hTab, int index)
{
    RECT rc;
    ::SendMessageA(hTab, TCM_GETITEMRECT, index, (LPARAM)&rc);
    POINT pt = {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2}, screen = pt;
    ::ClientToScreen(hTab, &screen);
    ::SetCursorPos(screen.x, screen.y);
    ::PostMessageA(hTab, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    ::PostMessageA(hTab, WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    PumpFor(50);
}

// Ctrl and Shift as this thread's keyboard state has them.
void HoldKeys(bool ctrl, bool shift)
{
    BYTE keys[256] = {};
    keys[VK_CONTROL] = ctrl ? 0x80 : 0, keys[VK_SHIFT] = shift ? 0x80 : 0;
    ::SetKeyboardState(keys);
}

TEST(TabCtrlEx, MaskHoldsThirtyTwoTabsAndScansSkipDisabledTabs)
{
    CTabCtrlEx bare;
    EXPECT_TRUE(bare.IsTabEnabled(0) && bare.IsTabEnabled(31));
    EXPECT_FALSE(bare.IsTabEnabled(32) || bare.IsTabEnabled(-1) || bare.EnableTab(32, FALSE) || bare.EnableTab(-1, FALSE));
    EXPECT_TRUE(bare.IsTabEnabled(31)) << "index 32 changed nothing";
    EXPECT_TRUE(bare.EnableTab(31, FALSE)) << "no window needed";
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

TEST(TabCtrlEx, SetActiveTabAsksTheParentAndClicksOnDisabledTabsAreVetoedUnseen)
{
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

// A sheet that hands its keys to its tab control first.
class CTabSheet : public CPropertySheet
{
public:
    CTabSheet() : CPropertySheet("Blätterbar") {}
    CTabCtrlEx m_tab;
    BOOL OnInitDialog() override
    {
        BOOL bResult = CPropertySheet::OnInitDialog();
        m_tab.SubclassDlgItem(AFX_IDC_TAB_CONTROL, this);
        m_tab.EnableTab(2, FALSE);
        return bResult;
    }
};

// Left/Right inside the control stop at the ends; Ctrl+Tab, Ctrl+Page Down
// (forward) and Ctrl+Shift+Tab, Ctrl+Page Up (back) in a sheet wrap; the
// sheet shows the page of the tab. Both skip disabled tabs.
TEST(TabCtrlEx, KeysStepOverDisabledTabs)
{
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
    EXPECT_EQ("1:2 1:4 1:4 1:2 1:0 1:0 0:0 ", tabs) << "arrows are consumed, other keys are not";

    CPropertyPage pages[4] = {CPropertyPage(IDD_RS_PAGE), CPropertyPage(IDD_RS_PAGE), CPropertyPage(IDD_RS_PAGE), CPropertyPage(IDD_RS_PAGE)};
    CTabSheet sheet;
    for (CPropertyPage& page : pages)
        sheet.AddPage(&page);
    ASSERT_TRUE(sheet.Create());
    PumpFor(20);
    const struct { UINT message; WPARAM vk; bool ctrl, shift; } keys[] = {
        {WM_KEYDOWN, VK_TAB, true, false}, {WM_KEYDOWN, VK_TAB, true, false}, {WM_KEYDOWN, VK_TAB, true, false},
        {WM_KEYDOWN, VK_TAB, true, true}, {WM_KEYDOWN, VK_PRIOR, true, false}, {WM_KEYDOWN, VK_NEXT, true, false},
        {WM_KEYDOWN, VK_NEXT, true, true}, {WM_KEYDOWN, VK_TAB, false, false}, {WM_KEYDOWN, VK_RIGHT, true, false},
        {WM_KEYUP, VK_TAB, true, false}};
    tabs.clear();
    for (const auto& k : keys) {
        HoldKeys(k.ctrl, k.shift);
        MSG msg = {sheet.m_hWnd, k.message, k.vk, 1, 0, {}};
        const BOOL consumed = sheet.m_tab.TranslatePropSheetMsg(&msg);
        PumpFor(10);
        HWND hPage = (HWND)::SendMessageA(sheet.m_hWnd, PSM_GETCURRENTPAGEHWND, 0, 0);
        tabs += std::to_string(consumed) + ":" + std::to_string(sheet.m_tab.GetCurSel()) + "=" +
                std::to_string(::SendMessageA(sheet.m_hWnd, PSM_HWNDTOINDEX, (WPARAM)hPage, 0)) + " ";
    }
    HoldKeys(false, false);
    EXPECT_EQ("1:1=1 1:3=3 1:0=0 1:3=3 1:1=1 1:3=3 1:1=1 0:1=1 0:1=1 0:1=1 ", tabs);
    sheet.DestroyWindow();
}

struct TextPixels
{
    int grey = 0, greyWithLight = 0, black = 0;   // grey text, ... with a highlight pixel one down and right, button text
    int top = -1;                                  // first row with button-text pixels, in the control's coordinates
};

TextPixels CountTextPixels(HWND hTab, int index)
{
    RECT rc;
    ::SendMessageA(hTab, TCM_GETITEMRECT, index, (LPARAM)&rc);
    qrvtest::ScreenPixels pixels(hTab);
    TextPixels count;
    const COLORREF grey = ::GetSysColor(COLOR_GRAYTEXT), light = ::GetSysColor(COLOR_BTNHIGHLIGHT), text = ::GetSysColor(COLOR_BTNTEXT);
    for (int y = std::max(0L, rc.top - 4); y < rc.bottom + 4 && y < pixels.Height(); ++y)
        for (int x = rc.left + 2; x < rc.right - 2; ++x) {
            const COLORREF c = pixels.Color(x, y);
            const bool inside = y >= rc.top + 2 && y < rc.bottom - 2;
            count.grey += inside && c == grey;
            count.greyWithLight += inside && c == grey && pixels.Color(x + 1, y + 1) == light;
            count.black += inside && c == text;
            if (c == text && count.top < 0)
                count.top = y;
            EXPECT_FALSE(c == text && y >= rc.bottom - 1) << "the label ends inside its tab, row " << y;
        }
    return count;
}

// The labels of the selected and the other tabs start at one height (the
// tab's own top plus 4) and end inside their tab; disabled tabs are embossed.
TEST(TabCtrlEx, LabelsStandAtOneHeightAndDisabledTabsAreDrawnEmbossed)
{
    CTabDialog dlg;
    ASSERT_TRUE(dlg.Open());
    dlg.m_tab.SetCurSel(0);
    dlg.m_tab.EnableTab(1, FALSE);
    PumpFor(50);
    const TextPixels selected = CountTextPixels(dlg.m_tab.m_hWnd, 0), disabled = CountTextPixels(dlg.m_tab.m_hWnd, 1),
                     enabled = CountTextPixels(dlg.m_tab.m_hWnd, 2);
    ASSERT_GE(selected.top, 0);
    EXPECT_EQ(selected.top, enabled.top);
    EXPECT_GT(disabled.grey, 10);
    EXPECT_GT(disabled.greyWithLight, 0) << "the light copy lies one pixel down and right";
    EXPECT_EQ(0, disabled.black);
    EXPECT_GT(enabled.black, 10);
    EXPECT_EQ(0, enabled.grey);
    dlg.m_tab.EnableTab(1, TRUE);
    PumpFor(50);
    const TextPixels again = CountTextPixels(dlg.m_tab.m_hWnd, 1);
    EXPECT_TRUE(again.grey == 0 && again.black > 10) << "enabling repaints the tab";
}

}
