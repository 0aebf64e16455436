// The tab control with disabled tabs on real windows: the scans over the
// enabled mask, the parent's say in a switch, mouse clicks on disabled tabs,
// Left/Right inside the control, the sheet's Ctrl+Tab family and the
// embossed text of disabled tabs on screen.
#include <afxdlgs.h>
#include <gtest/gtest.h>
#include <string>
#include <algorithm>
#include <utility>
#include <vector>
#include "framework/TabCtrlEx.h"
#include "tests/support/ScreenPixels.h"
#include "resize_tests_res.h"
#include "uiauto/MessagePump.h"
#include "uiauto/ModalDriver.h"

using namespace qrvtest;

namespace {

const char* const kTabNames[] = { "Eins", "Zwei", "Drei", "Vier", "Fünf" };

// A dialog with five tabs that logs the tab control's notifications and
// answers the selection-changing one as the test says.
class CTabDialog : public CDialog
{
public:
    CTabDialog() : CDialog(IDD_RS_TABS) {}
    ~CTabDialog() override { DestroyWindow(); }

    CTabCtrlEx m_tab;
    std::vector<std::string> m_log;
    LRESULT m_nChangingAnswer = 0;

    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        m_tab.SubclassDlgItem(IDC_RS_TAB, this);
        for (int i = 0; i < 5; ++i)
            m_tab.InsertItem(i, kTabNames[i]);
        return TRUE;
    }
    BOOL Open()
    {
        if (!Create(IDD_RS_TABS))
            return FALSE;
        ShowWindow(SW_SHOWNORMAL);
        UpdateWindow();
        PumpFor(30);
        return TRUE;
    }

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        // The control sees its own notification first and may keep it from us.
        if (CDialog::OnNotify(wParam, lParam, pResult))
            return TRUE;
        const NMHDR* pHdr = reinterpret_cast<const NMHDR*>(lParam);
        if (pHdr->hwndFrom == m_tab.m_hWnd && pHdr->code == TCN_SELCHANGING) {
            m_log.push_back("changing");
            *pResult = m_nChangingAnswer;
            return TRUE;
        }
        if (pHdr->hwndFrom == m_tab.m_hWnd && pHdr->code == TCN_SELCHANGE) {
            m_log.push_back("change");
            return TRUE;
        }
        return FALSE;
    }
};

std::string Join(const std::vector<std::string>& v)
{
    std::string s;
    for (const auto& e : v)
        s += (s.empty() ? "" : " ") + e;
    return s;
}

void EnableOnly(CTabCtrlEx& tab, std::initializer_list<int> enabled)
{
    for (int i = 0; i < 5; ++i)
        tab.EnableTab(i, FALSE);
    for (int i : enabled)
        tab.EnableTab(i, TRUE);
}

// A left click at the middle of the tab, with the cursor really there.
void ClickTab(HWND hTab, int index)
{
    RECT rc;
    ::SendMessageA(hTab, TCM_GETITEMRECT, index, (LPARAM)&rc);
    POINT pt = { (rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2 };
    POINT screen = pt;
    ::ClientToScreen(hTab, &screen);
    ::SetCursorPos(screen.x, screen.y);
    ::PostMessageA(hTab, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    ::PostMessageA(hTab, WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
}

TEST(TabCtrlEx, MaskHoldsThirtyTwoTabsAndScansSkipDisabledTabs)
{
    CTabCtrlEx bare;
    EXPECT_TRUE(bare.IsTabEnabled(0) && bare.IsTabEnabled(31));
    EXPECT_FALSE(bare.IsTabEnabled(32) || bare.IsTabEnabled(40));
    EXPECT_FALSE(bare.EnableTab(32, FALSE) || bare.EnableTab(32, TRUE));
    EXPECT_TRUE(bare.IsTabEnabled(31)) << "index 32 changed nothing";
    EXPECT_TRUE(bare.EnableTab(31, FALSE)) << "no window needed";
    EXPECT_FALSE(bare.IsTabEnabled(31));
    EXPECT_TRUE(bare.IsTabEnabled(30));

    CTabDialog dlg;
    ASSERT_TRUE(dlg.Open());
    EXPECT_TRUE(dlg.m_tab.GetStyle() & TCS_OWNERDRAWFIXED);
    // A scan never returns the current tab; with wrap it makes one full round, then gives up.
    const struct { std::initializer_list<int> enabled; bool next; int from; BOOL wrap; int expected; } scans[] = {
        {{2}, true, 2, TRUE, -1}, {{2}, false, 2, TRUE, -1}, {{2}, true, 0, FALSE, 2}, {{2}, false, 4, FALSE, 2},
        {{2}, true, 3, FALSE, -1}, {{2}, true, 3, TRUE, 2}, {{0, 1, 2, 3, 4}, true, 4, FALSE, -1},
        {{0, 1, 2, 3, 4}, true, 4, TRUE, 0}, {{0, 1, 2, 3, 4}, false, 0, FALSE, -1}, {{0, 1, 2, 3, 4}, false, 0, TRUE, 4},
        {{0, 1, 2, 3, 4}, true, -1, FALSE, 0},   // no current tab: from the start
        {{}, true, -1, TRUE, -1}, {{}, false, -1, TRUE, -1}, {{3}, false, -1, TRUE, 3},
    };
    for (const auto& c : scans) {
        EnableOnly(dlg.m_tab, c.enabled);
        EXPECT_EQ(c.expected, c.next ? dlg.m_tab.NextEnabledTab(c.from, c.wrap) : dlg.m_tab.PrevEnabledTab(c.from, c.wrap))
            << (c.next ? "next" : "prev") << " from " << c.from << " wrap " << c.wrap;
    }
}

TEST(TabCtrlEx, SetActiveTabAsksTheParentAndClicksOnDisabledTabsAreVetoedUnseen)
{
    CTabDialog dlg;
    ASSERT_TRUE(dlg.Open());
    EXPECT_TRUE(dlg.m_tab.SetActiveTab(3));
    EXPECT_EQ(3, dlg.m_tab.GetCurSel());
    EXPECT_EQ("changing change", Join(dlg.m_log));
    for (LRESULT refusal : {LRESULT(-1), LRESULT(TRUE)}) {   // TRUE: a refusal as a sheet gives it
        dlg.m_log.clear();
        dlg.m_nChangingAnswer = refusal;
        EXPECT_FALSE(dlg.m_tab.SetActiveTab(1));
        EXPECT_EQ(3, dlg.m_tab.GetCurSel());
        EXPECT_EQ("changing", Join(dlg.m_log));
    }
    dlg.m_nChangingAnswer = 0;
    dlg.m_tab.SetCurSel(0);
    dlg.m_log.clear();
    dlg.m_tab.EnableTab(2, FALSE);
    ClickTab(dlg.m_tab.m_hWnd, 2);
    PumpFor(50);
    EXPECT_EQ(0, dlg.m_tab.GetCurSel());
    EXPECT_EQ("", Join(dlg.m_log)) << "the parent got no notification";
    ClickTab(dlg.m_tab.m_hWnd, 3);
    PumpUntil([&] { return dlg.m_tab.GetCurSel() == 3; }, 1000);
    EXPECT_EQ(3, dlg.m_tab.GetCurSel());
    EXPECT_EQ("changing change", Join(dlg.m_log));
    dlg.m_tab.EnableTab(2, TRUE);
    ClickTab(dlg.m_tab.m_hWnd, 2);
    PumpUntil([&] { return dlg.m_tab.GetCurSel() == 2; }, 1000);
    EXPECT_EQ(2, dlg.m_tab.GetCurSel()) << "enabled again, it can be clicked";
}

TEST(TabCtrlEx, LeftAndRightStepOverDisabledTabsWithoutWrapping)
{
    std::vector<int> seen;
    ModalDriver driver([&](HWND hDlg, ModalDriver&) {
        HWND hTab = ::GetDlgItem(hDlg, IDC_RS_TAB);
        for (WPARAM key : { VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_LEFT, VK_LEFT, VK_LEFT }) {
            ::PostMessageA(hTab, WM_KEYDOWN, key, 1);
            ::PostMessageA(hTab, WM_KEYUP, key, 0xC0000001);
            ::Sleep(100);
            seen.push_back((int)::SendMessageA(hTab, TCM_GETCURSEL, 0, 0));
        }
        ::PostMessageA(hDlg, WM_COMMAND, IDCANCEL, 0);
    }, "Reiter");
    struct CDisabled : CTabDialog {
        BOOL OnInitDialog() override
        {
            CTabDialog::OnInitDialog();
            m_tab.EnableTab(1, FALSE);
            m_tab.EnableTab(3, FALSE);
            return TRUE;
        }
    } modal;
    modal.DoModal();
    EXPECT_TRUE(driver.Join());
    EXPECT_EQ((std::vector<int>{ 2, 4, 4, 2, 0, 0 }), seen);
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
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (m_tab.m_hWnd && m_tab.TranslatePropSheetMsg(pMsg))
            return TRUE;
        return CPropertySheet::PreTranslateMessage(pMsg);
    }
};

// Presses key with Ctrl (and Shift) held, as the keyboard does.
void Chord(WORD vk, bool shift)
{
    std::vector<WORD> keys = {VK_CONTROL};
    if (shift)
        keys.push_back(VK_SHIFT);
    keys.push_back(vk);
    for (int up = 0; up < 2; ++up)
        for (size_t i = 0; i < keys.size(); ++i) {
            INPUT in = {};
            in.type = INPUT_KEYBOARD;
            in.ki.wVk = keys[up ? keys.size() - 1 - i : i];   // released in reverse order
            in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
            ::SendInput(1, &in, sizeof in);
        }
    ::Sleep(150);
}

TEST(TabCtrlEx, SheetKeysWrapAndSkipDisabledPages)
{
    CPropertyPage pages[4] = { CPropertyPage(IDD_RS_PAGE), CPropertyPage(IDD_RS_PAGE), CPropertyPage(IDD_RS_PAGE),
                               CPropertyPage(IDD_RS_PAGE) };
    CTabSheet sheet;
    for (CPropertyPage& page : pages)
        sheet.AddPage(&page);
    std::vector<int> tabs, pagesShown;
    ModalDriver driver([&](HWND hSheet, ModalDriver&) {
        HWND hTab = (HWND)::SendMessageA(hSheet, PSM_GETTABCONTROL, 0, 0);
        ::SetForegroundWindow(hSheet);
        ::Sleep(100);
        const struct { WORD vk; bool shift; } keys[] = {
            { VK_TAB, false }, { VK_TAB, false }, { VK_TAB, false }, { VK_TAB, true },
            { VK_PRIOR, false }, { VK_NEXT, false }, { VK_NEXT, true },
        };
        for (const auto& k : keys) {
            Chord(k.vk, k.shift);
            tabs.push_back((int)::SendMessageA(hTab, TCM_GETCURSEL, 0, 0));
            HWND hPage = (HWND)::SendMessageA(hSheet, PSM_GETCURRENTPAGEHWND, 0, 0);
            pagesShown.push_back((int)::SendMessageA(hSheet, PSM_HWNDTOINDEX, (WPARAM)hPage, 0));
        }
        ::PostMessageA(hSheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    }, "Blätterbar");
    sheet.DoModal();
    EXPECT_TRUE(driver.Join());
    EXPECT_EQ((std::vector<int>{ 1, 3, 0, 3, 1, 3, 1 }), tabs);
    EXPECT_EQ(tabs, pagesShown) << "the sheet switched its pages with the tabs";
}

struct TextPixels
{
    int grey = 0;           // pixels in the grey-text colour
    int greyWithLight = 0;  // ... with a highlight pixel one down and right
    int black = 0;          // pixels in the button-text colour
};

TextPixels CountTextPixels(HWND hTab, int index)
{
    RECT rc;
    ::SendMessageA(hTab, TCM_GETITEMRECT, index, (LPARAM)&rc);
    qrvtest::ScreenPixels pixels(hTab);
    TextPixels count;
    const COLORREF grey = ::GetSysColor(COLOR_GRAYTEXT), light = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF text = ::GetSysColor(COLOR_BTNTEXT);
    for (int y = rc.top + 2; y < rc.bottom - 2; ++y)
        for (int x = rc.left + 2; x < rc.right - 2; ++x) {
            COLORREF c = pixels.Color(x, y);
            if (c == grey) {
                ++count.grey;
                if (pixels.Color(x + 1, y + 1) == light)
                    ++count.greyWithLight;
            } else if (c == text) {
                ++count.black;
            }
        }
    return count;
}

// The first and last rows with text pixels of a tab, in the control's
// coordinates; both -1 without any.
std::pair<int, int> TextRows(HWND hTab, int index)
{
    RECT rc;
    ::SendMessageA(hTab, TCM_GETITEMRECT, index, (LPARAM)&rc);
    qrvtest::ScreenPixels pixels(hTab);
    const COLORREF text = ::GetSysColor(COLOR_BTNTEXT);
    std::pair<int, int> rows(-1, -1);
    for (int y = std::max(0L, rc.top - 4); y < rc.bottom + 4 && y < pixels.Height(); ++y)
        for (int x = rc.left + 2; x < rc.right - 2; ++x)
            if (pixels.Color(x, y) == text) {
                if (rows.first < 0)
                    rows.first = y;
                rows.second = y;
                break;
            }
    return rows;
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
    const std::pair<int, int> selected = TextRows(dlg.m_tab.m_hWnd, 0), other = TextRows(dlg.m_tab.m_hWnd, 2);
    ASSERT_GE(selected.first, 0);
    EXPECT_EQ(selected.first, other.first);
    RECT rc;
    dlg.m_tab.GetItemRect(2, &rc);
    EXPECT_LT(other.second, rc.bottom - 1);
    TextPixels disabled = CountTextPixels(dlg.m_tab.m_hWnd, 1), enabled = CountTextPixels(dlg.m_tab.m_hWnd, 2);
    EXPECT_GT(disabled.grey, 10);
    EXPECT_GT(disabled.greyWithLight, 0) << "the light copy lies one pixel down and right";
    EXPECT_EQ(0, disabled.black);
    EXPECT_GT(enabled.black, 10);
    EXPECT_EQ(0, enabled.grey);
    dlg.m_tab.EnableTab(1, TRUE);
    PumpFor(50);
    TextPixels again = CountTextPixels(dlg.m_tab.m_hWnd, 1);
    EXPECT_EQ(0, again.grey) << "enabling repaints the tab";
    EXPECT_GT(again.black, 10);
}

}
