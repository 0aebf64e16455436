// The framework's dialog and control classes on real windows (CDialogEx, CDlgCtrlUtils, the property
// sheet and page, CWndSocket, the tab control, the tree over a picture, the resize classes for dialogs,
// property sheets and pages, form views).
#include <afxdlgs.h>
#include <afxext.h>
#include <gtest/gtest.h>
#include <algorithm>
#include <memory>
#include <ostream>
#include <string>
#include <vector>
#include "framework/DialogEx.h"
#include "framework/PropertyPageExt.h"
#include "framework/PropertySheetExt.h"
#include "framework/QRVBmpTreeCtrl.h"
#include "framework/ResizeDialog.h"
#include "framework/ResizeFormView.h"
#include "framework/ResizePropertyPage.h"
#include "framework/ResizePropertySheet.h"
#include "framework/TabCtrlEx.h"
#include "framework/WndSocket.h"
#include "framework_tests_res.h"
#include "resources/resource.h"
#include "tests/support/DialogLayout.h"
#include "tests/support/ScreenPixels.h"
#include "tests/support/TestApp.h"
#include "uiauto/ControlActions.h"
#include "uiauto/MessagePump.h"

using namespace qrvtest;

void PrintTo(const CRect &rc, std::ostream *os)
{
    *os << "(" << rc.left << "," << rc.top << ")-(" << rc.right << "," << rc.bottom << ")";
}

namespace {

// Counts the edit's change notifications so that "no change" can be seen.
class CControlsDlg : public CDialogEx {
public:
    CControlsDlg() : CDialogEx(IDD_FW_CONTROLS) {}
    int m_nEditChanges = 0;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        m_nEditChanges += wParam == MAKEWPARAM(IDC_FW_EDIT, EN_CHANGE);
        return CDialogEx::OnCommand(wParam, lParam);
    }
};

class DlgCtrlUtilsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dlg.Create(IDD_FW_CONTROLS)); // the templates of modeless dialogs are visible
        m_dlg.m_nEditChanges = 0;
    }
    void TearDown() override { m_dlg.DestroyWindow(); }
    HWND Ctl(int id) { return ::GetDlgItem(m_dlg.m_hWnd, id); }
    // "1" or "0" per control for what the test asks of it.
    std::string States(BOOL(WINAPI *ask)(HWND), std::initializer_list<int> ids)
    {
        std::string s;
        for (int id : ids)
            s += ask(Ctl(id)) ? '1' : '0';
        return s;
    }
    CControlsDlg m_dlg;
};

// One, several by argument list or by array (a missing id in between is skipped); the answers are the platform's.
TEST_F(DlgCtrlUtilsTest, EnableAndShowOneOrManyControls)
{
    EXPECT_EQ(0, m_dlg.EnableDlgItem(IDC_FW_ABSENT, FALSE) + m_dlg.ShowDlgItem(IDC_FW_ABSENT, SW_SHOW));
    EXPECT_EQ(0, m_dlg.EnableDlgItem(IDC_FW_BUTTON, FALSE)) << "it was enabled";
    EXPECT_NE(0, m_dlg.EnableDlgItem(IDC_FW_BUTTON, TRUE)) << "it was disabled";
    m_dlg.EnableDlgItems(FALSE, 3, IDC_FW_EDIT, IDC_FW_ABSENT, IDC_FW_COMBO);
    EXPECT_EQ("0011", States(::IsWindowEnabled, {IDC_FW_EDIT, IDC_FW_COMBO, IDC_FW_NUMBER, IDC_FW_BUTTON}));
    const UINT ids[] = {IDC_FW_EDIT, IDC_FW_COMBO, IDC_FW_SLIDER};
    m_dlg.EnableDlgItemArray(TRUE, ids, 2);
    EXPECT_EQ("11", States(::IsWindowEnabled, {IDC_FW_EDIT, IDC_FW_COMBO}));
    m_dlg.ShowDlgItems(SW_HIDE, 3, IDC_FW_LISTBOX, IDC_FW_ABSENT, IDC_FW_BUTTON);
    EXPECT_EQ("001", States(::IsWindowVisible, {IDC_FW_LISTBOX, IDC_FW_BUTTON, IDC_FW_EDIT}));
    EXPECT_EQ(0, m_dlg.ShowDlgItem(IDC_FW_BUTTON, SW_SHOW)) << "it was hidden";
    EXPECT_NE(0, m_dlg.ShowDlgItem(IDC_FW_BUTTON, SW_HIDE)) << "it was visible";
    m_dlg.ShowDlgItemArray(ids, 3, SW_HIDE);
    EXPECT_EQ("000", States(::IsWindowVisible, {IDC_FW_SLIDER, IDC_FW_EDIT, IDC_FW_COMBO}));
}

// Texts and numbers are written only when they changed (no change notification
// otherwise); the comparison is case-sensitive, numbers are signed or not.
TEST_F(DlgCtrlUtilsTest, UpdateTextAndNumberOnlyWhenTheyChanged)
{
    const struct {
        int id;
        const char *before, *text;
        int value, bSigned, result;
        const char *shown;
    } cases[] = {{IDC_FW_EDIT, nullptr, "Größe", 0, 0, 1, "Größe"},
                 {IDC_FW_EDIT, nullptr, "Größe", 0, 0, 0, "Größe"},
                 {IDC_FW_EDIT, nullptr, "GRößE", 0, 0, 1, "GRößE"},
                 {IDC_FW_EDIT, nullptr, nullptr, 0, 0, 1, ""},
                 {IDC_FW_NUMBER, nullptr, nullptr, 42, FALSE, 1, "42"},
                 {IDC_FW_NUMBER, nullptr, nullptr, 42, FALSE, 0, "42"},
                 {IDC_FW_NUMBER, nullptr, nullptr, 43, TRUE, 1, "43"},
                 {IDC_FW_NUMBER, nullptr, nullptr, -5, TRUE, 1, "-5"},
                 {IDC_FW_NUMBER, nullptr, nullptr, -5, TRUE, 0, "-5"},
                 {IDC_FW_NUMBER, "zwölf", nullptr, 12, TRUE, 1, "12"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.shown);
        if (c.before)
            ::SetDlgItemTextA(m_dlg.m_hWnd, c.id, c.before);
        EXPECT_EQ(c.result, c.id == IDC_FW_EDIT ? m_dlg.UpdateDlgItemText(c.id, c.text)
                                                : m_dlg.UpdateDlgItemInt(c.id, c.value, c.bSigned));
        EXPECT_EQ(c.shown, ItemText(m_dlg.m_hWnd, c.id));
    }
    EXPECT_EQ(3, m_dlg.m_nEditChanges);
    EXPECT_EQ(0,
              m_dlg.UpdateDlgItemText(IDC_FW_ABSENT, "x") + m_dlg.UpdateDlgItemInt(IDC_FW_ABSENT, 3, TRUE));
}

TEST_F(DlgCtrlUtilsTest, SelectionInCombosListBoxesAndListControls)
{
    HWND hCombo = Ctl(IDC_FW_COMBO), hBox = Ctl(IDC_FW_LISTBOX), hList = Ctl(IDC_FW_LISTVIEW);
    const std::pair<const char *, DWORD_PTR> entries[] = {{"Alpha", 10}, {"Beta", 20}, {"Gamma", 20}};
    for (int i = 0; i < 3; ++i) {
        ::SendMessageA(hCombo, CB_SETITEMDATA,
                       ::SendMessageA(hCombo, CB_ADDSTRING, 0, (LPARAM)entries[i].first), entries[i].second);
        ::SendMessageA(hBox, LB_SETITEMDATA, ::SendMessageA(hBox, LB_ADDSTRING, 0, (LPARAM)entries[i].first),
                       100 + i);
    }
    // Each answer with the combo box's selection and its data and the list box's selection after it: the
    // first entry with the data; a case-insensitive exact match, no prefix match, the selection kept without
    // a match.
    auto sel = [&](int answer) {
        return std::to_string(answer) + "/" + std::to_string(::SendMessageA(hCombo, CB_GETCURSEL, 0, 0)) +
               "/" + std::to_string(m_dlg.GetComboSelItemData(IDC_FW_COMBO)) + "/" +
               std::to_string(::SendMessageA(hBox, LB_GETCURSEL, 0, 0));
    };
    EXPECT_EQ("1/1/20/-1", sel(m_dlg.SelectComboItemByData(IDC_FW_COMBO, 20)));
    EXPECT_EQ("-1/1/20/-1", sel(m_dlg.SelectComboItemByData(IDC_FW_COMBO, 99)));
    EXPECT_EQ("2/2/20/-1", sel(m_dlg.SelectComboItemString(IDC_FW_COMBO, "gamma")));
    EXPECT_EQ("0/2/20/-1", sel(m_dlg.SelectComboItemString(IDC_FW_COMBO, "Gam")));
    EXPECT_EQ("0/2/20/-1", sel(m_dlg.SelectComboItemString(IDC_FW_COMBO, nullptr)));
    EXPECT_EQ("0/0/10/-1", sel(m_dlg.SelectComboItem(IDC_FW_COMBO, 0)));
    EXPECT_EQ("2/0/10/2", sel(m_dlg.SelectListItemByData(IDC_FW_LISTBOX, 102)));
    EXPECT_EQ("-1/0/10/2", sel(m_dlg.SelectListItemByData(IDC_FW_LISTBOX, 5)));
    EXPECT_EQ(0, m_dlg.SelectComboItemString(IDC_FW_ABSENT, "Alpha"));
    EXPECT_EQ(0u, m_dlg.GetComboSelItemData(IDC_FW_ABSENT));
    // A missing control, or one that holds no entries (as an empty box does).
    for (int id : {IDC_FW_ABSENT, IDC_FW_BUTTON}) {
        EXPECT_EQ(-1, m_dlg.SelectComboItemByData(id, 10));
        EXPECT_EQ(-1, m_dlg.SelectListItemByData(id, 100));
        EXPECT_EQ(-1, m_dlg.SelectListCtrlItemByData(id, 1));
    }
    for (int data : {1, 2, 1, 3}) { // rows of the list control by their data
        LVITEMA item = {};
        item.mask = LVIF_PARAM;
        item.iItem = ListRowCount(hList);
        item.lParam = data;
        ::SendMessageA(hList, LVM_INSERTITEMA, 0, (LPARAM)&item);
    }
    auto selected = [&] {
        std::string s;
        for (int row = 0; row < 4; ++row)
            s += ::SendMessageA(hList, LVM_GETITEMSTATE, row, LVIS_SELECTED) ? '1' : '0';
        return s;
    };
    SelectListRow(hList, 3);
    EXPECT_EQ(2, m_dlg.SelectListCtrlItemByData(IDC_FW_LISTVIEW, 1)) << "the later of two matches";
    EXPECT_EQ("1010", selected()) << "every match; an earlier selection is cleared";
    EXPECT_EQ(-1, m_dlg.SelectListCtrlItemByData(IDC_FW_LISTVIEW, 9));
    EXPECT_EQ("0000", selected());
}

TEST_F(DlgCtrlUtilsTest, LimitSliderAndRectangleAndNothingWithoutAWindow)
{
    m_dlg.LimitDlgItemText(IDC_FW_EDIT, 5);
    EXPECT_EQ(5, ::SendMessageA(Ctl(IDC_FW_EDIT), EM_GETLIMITTEXT, 0, 0));
    ::SendMessageA(Ctl(IDC_FW_SLIDER), TBM_SETRANGE, TRUE, MAKELPARAM(0, 50));
    m_dlg.SetSliderPos(IDC_FW_SLIDER, 33);
    EXPECT_EQ(33, ::SendMessageA(Ctl(IDC_FW_SLIDER), TBM_GETPOS, 0, 0));
    m_dlg.LimitDlgItemText(IDC_FW_ABSENT, 5); // quietly nothing
    m_dlg.SetSliderPos(IDC_FW_ABSENT, 3);
    CRect rc, untouched(1, 2, 3, 4);
    m_dlg.GetDlgItemRect(IDC_FW_BUTTON, &rc);
    EXPECT_TRUE(rc == Place(Ctl(IDC_FW_BUTTON)) && rc.left > 0) << "in the dialog's client coordinates";
    m_dlg.GetDlgItemRect(IDC_FW_ABSENT, &untouched);
    m_dlg.GetDlgItemRect(IDC_FW_BUTTON, nullptr);
    EXPECT_EQ(1, untouched.left);
    CDlgCtrlUtils utils;
    CWnd wnd;
    // No window object, or one without a window: as a missing control (its answers checked above).
    for (CWnd *p : {(CWnd *)nullptr, &wnd}) {
        utils.Attach(p);
        EXPECT_EQ(-1, utils.SelectComboItem(IDC_FW_COMBO, 0));
    }
}

// A page that can remove the sheet's Help button inside the sheet's own initialisation, before the
// sheet sets its captions.
class CHelpPage : public CPropertyPageExt {
public:
    CHelpPage() : CPropertyPageExt(IDD_FW_PAGE_FIRST, IDS_FW_PAGE_FIRST) {}
    bool m_bRemoveHelpButton = false;
    BOOL OnInitDialog() override
    {
        if (m_bRemoveHelpButton)
            ::DestroyWindow(::GetDlgItem(::GetParent(m_hWnd), IDHELP));
        return CPropertyPageExt::OnInitDialog();
    }
};

// Records the help commands that reach the sheet.
class CHelpSheet : public CPropertySheetExt {
public:
    CHelpSheet() : CPropertySheetExt(IDS_FW_SHEET_TITLE) {}
    std::string m_help;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message != WM_COMMANDHELP)
            return CPropertySheetExt::WindowProc(message, wParam, lParam);
        m_help += std::to_string(wParam) + "," + std::to_string(lParam) + " ";
        return 1;
    }
};

// German captions on the sheet's buttons whatever the platform's sheet says, also when a page removed Help;
// the title from the string table. A page's help command reaches the sheet only once the page has a window.
TEST(PropertySheetExt, GermanButtonCaptionsAndHelpHandedOnToTheSheet)
{
    std::string texts;
    for (bool removeHelp : {false, true}) {
        CHelpSheet sheet;
        CHelpPage page;
        page.m_bRemoveHelpButton = removeHelp;
        sheet.AddPage(&page);
        EXPECT_EQ(1, page.OnCommandHelp(1, 2)) << "no window yet";
        ASSERT_TRUE(sheet.Create());
        for (int id : {IDOK, IDCANCEL, ID_APPLY_NOW, IDHELP})
            texts += ::GetDlgItem(sheet.m_hWnd, id) ? ItemText(sheet.m_hWnd, id) + "|" : "-|";
        texts += Text(sheet.m_hWnd) + "\n";
        EXPECT_EQ(1, page.OnCommandHelp(7, 9));
        EXPECT_EQ("7,9 ", sheet.m_help);
        sheet.DestroyWindow();
    }
    EXPECT_EQ("OK|Abbruch|Übernehmen|Hilfe|Eigenschaften der Prüfung\n"
              "OK|Abbruch|Übernehmen|-|Eigenschaften der Prüfung\n",
              texts);
}

// A window that writes what reaches it into a log and answers with a chosen value.
class CRecorderWnd : public CWnd {
public:
    std::string m_log;
    LRESULT m_answer = 0;
    BOOL Open(CWnd *pParent = nullptr)
    {
        return pParent ? Create(nullptr, "Kind", WS_CHILD, CRect(0, 0, 50, 20), pParent, 321)
                       : CreateEx(0, nullptr, "Fenster", WS_POPUP | WS_CAPTION | WS_SYSMENU, 30, 30, 300, 260,
                                  nullptr, nullptr);
    }
    ~CRecorderWnd() override { DestroyWindow(); }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        const LRESULT result =
            CWnd::WindowProc(message, wParam, lParam); // notifications also reach the control
        if (message == WM_WNDSOCKET_PLUGIN)
            m_log += "plugin(" + std::to_string(wParam) + "," + std::to_string(lParam) + ") ";
        else if (message == WM_NOTIFY)
            m_log +=
                "notify(" + std::to_string(wParam) + "," + std::to_string(((NMHDR *)lParam)->code) + ") ";
        else if (message == WM_APP + 5)
            m_log += "app ";
        else
            return result;
        return m_answer;
    }
};

// Without a target the parent answers; the plug-in announces the control (wParam: its window object) to
// the target, which from then on hears alone, also through copies; without a receiver the answers say so.
TEST(WndSocket, ReportsGoToTheParentUntilThePlugInThenToTheTargetAlone)
{
    CRecorderWnd parent, target, control;
    ASSERT_TRUE(parent.Open() && target.Open() && control.Open(&parent));
    CWndSocket socket;
    socket.Attach(&control);
    NMHDR hdr = {control.m_hWnd, 321, 1002};
    parent.m_answer = 11;
    target.m_answer = 22;
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
    const std::string announced = "plugin(" + std::to_string((WPARAM) static_cast<CWnd *>(&control)) + ",0) ";
    EXPECT_EQ(announced + "notify(321,1003) app notify(321,1003) app ", target.m_log)
        << "copying announces nothing";
    parent.m_log.clear();
    // No receiver, both answers say so: no control, a target without a window (no announcement, no fallback
    // to the parent), a control without parent or target, a control object without a window.
    CWnd noWindow;
    CWndSocket lonely, gone, orphan, bare;
    gone.Attach(&control);
    gone.PlugInTo(&noWindow);
    orphan.Attach(&parent);
    bare.Attach(&noWindow);
    std::string answers;
    for (CWndSocket *p : {&lonely, &gone, &orphan, &bare})
        answers += std::to_string(p->Notify(&hdr)) + "/" + std::to_string(p->SendMsg(WM_APP + 5, 0, 0)) + " ";
    EXPECT_EQ("0/-1 0/-1 0/-1 0/-1 ", answers);
    EXPECT_EQ("", parent.m_log);
}

// A dialog with five tabs that logs the tab control's notifications and
// answers the selection-changing one as the test says.
class CTabDialog : public CDialog {
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
        for (const char *name : {"Eins", "Zwei", "Drei", "Vier", "Fünf"})
            m_tab.InsertItem(m_tab.GetItemCount(), name);
        return TRUE;
    }
    void EnableOnly(std::initializer_list<int> enabled)
    {
        for (int i = 0; i < 5; ++i)
            m_tab.EnableTab(i, std::find(enabled.begin(), enabled.end(), i) != enabled.end());
    }

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT *pResult) override
    {
        // The control sees its own notification first and may keep it from us.
        if (CDialog::OnNotify(wParam, lParam, pResult))
            return TRUE;
        const NMHDR *pHdr = reinterpret_cast<const NMHDR *>(lParam);
        if (pHdr->code != TCN_SELCHANGING && pHdr->code != TCN_SELCHANGE)
            return FALSE;
        m_log += pHdr->code == TCN_SELCHANGING ? "changing " : "change ";
        *pResult = pHdr->code == TCN_SELCHANGING ? m_nChangingAnswer : 0;
        return TRUE;
    }
};

class TabCtrlExTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dlg.Create(IDD_RS_TABS)); }
    CTabDialog m_dlg;
    CTabCtrlEx &m_tab = m_dlg.m_tab;
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

TEST_F(TabCtrlExTest, MaskHoldsThirtyTwoTabsAndScansSkipDisabledTabs)
{
    CTabCtrlEx bare; // no window needed; indexes outside 0..31 change nothing and count as disabled
    EXPECT_FALSE(bare.IsTabEnabled(32) || bare.IsTabEnabled(-1) || bare.EnableTab(32, FALSE) ||
                 bare.EnableTab(-1, FALSE));
    EXPECT_TRUE(bare.IsTabEnabled(0) && bare.IsTabEnabled(31) && bare.EnableTab(31, FALSE));
    EXPECT_TRUE(!bare.IsTabEnabled(31) && bare.IsTabEnabled(30));
    // A scan never returns the current tab; with wrap it makes one full round, then gives up.
    const struct {
        std::initializer_list<int> enabled;
        int from, wrap, next, prev;
    } scans[] = {{{2}, 2, TRUE, -1, -1},
                 {{2}, 0, FALSE, 2, -1},
                 {{2}, 3, FALSE, -1, 2},
                 {{2}, 3, TRUE, 2, 2},
                 {{0, 1, 2, 3, 4}, 4, FALSE, -1, 3},
                 {{0, 1, 2, 3, 4}, 4, TRUE, 0, 3},
                 {{0, 1, 2, 3, 4}, 0, FALSE, 1, -1},
                 {{0, 1, 2, 3, 4}, 0, TRUE, 1, 4},
                 {{0, 1, 2, 3, 4}, -1, FALSE, 0, -1}, // no current tab: from the start
                 {{}, -1, TRUE, -1, -1},
                 {{3}, -1, TRUE, 3, 3}};
    for (const auto &c : scans) {
        m_dlg.EnableOnly(c.enabled);
        EXPECT_EQ(std::make_pair(c.next, c.prev),
                  std::make_pair(m_tab.NextEnabledTab(c.from, c.wrap), m_tab.PrevEnabledTab(c.from, c.wrap)))
            << "from " << c.from << " wrap " << c.wrap;
    }
}

TEST_F(TabCtrlExTest, SetActiveTabAsksTheParentAndClicksOnDisabledTabsAreVetoedUnseen)
{
    EXPECT_TRUE(m_tab.SetActiveTab(3));
    for (LRESULT refusal : {LRESULT(-1), LRESULT(TRUE)}) { // TRUE: a refusal as a sheet gives it
        m_dlg.m_nChangingAnswer = refusal;
        EXPECT_FALSE(m_tab.SetActiveTab(1));
    }
    EXPECT_EQ(3, m_tab.GetCurSel());
    EXPECT_EQ("changing change changing changing ", m_dlg.m_log);
    m_dlg.m_nChangingAnswer = 0;
    m_tab.SetCurSel(0);
    m_dlg.m_log.clear();
    m_tab.EnableTab(2, FALSE);
    ClickTab(m_tab.m_hWnd, 2);
    EXPECT_EQ(0, m_tab.GetCurSel());
    EXPECT_EQ("", m_dlg.m_log) << "the parent got no notification";
    ClickTab(m_tab.m_hWnd, 3);
    EXPECT_TRUE(PumpUntil([&] { return m_tab.GetCurSel() == 3; }, 1000));
    EXPECT_EQ("changing change ", m_dlg.m_log);
    m_tab.EnableTab(2, TRUE);
    ClickTab(m_tab.m_hWnd, 2);
    EXPECT_TRUE(PumpUntil([&] { return m_tab.GetCurSel() == 2; }, 1000))
        << "enabled again, it can be clicked";
}

// Left/Right inside the control stop at the ends; Ctrl+Tab, Ctrl+Page Down and back with Shift or Page Up
// in a sheet wrap and show the tab's page. Both skip disabled tabs and leave other keys alone.
TEST_F(TabCtrlExTest, KeysStepOverDisabledTabs)
{
    m_dlg.EnableOnly({0, 2, 4});
    m_tab.SetCurSel(0);
    std::string tabs;
    for (int key : {VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_LEFT, VK_LEFT, VK_LEFT, 0x41 /* A */}) {
        MSG msg = {m_tab.m_hWnd, WM_KEYDOWN, (WPARAM)key, 1, 0, {}};
        const BOOL consumed = m_tab.PreTranslateMessage(&msg);
        tabs += std::to_string(consumed) + ":" + std::to_string(m_tab.GetCurSel()) + " ";
    }
    EXPECT_EQ("1:2 1:4 1:4 1:2 1:0 1:0 0:0 ", tabs);
    CPropertyPage pages[4] = {CPropertyPage(IDD_RS_PAGE), CPropertyPage(IDD_RS_PAGE),
                              CPropertyPage(IDD_RS_PAGE), CPropertyPage(IDD_RS_PAGE)};
    CPropertySheet sheet("Blätterbar");
    CTabCtrlEx tab; // the sheet's own tab control, the third tab disabled
    for (CPropertyPage &page : pages)
        sheet.AddPage(&page);
    ASSERT_TRUE(sheet.Create() && tab.SubclassDlgItem(AFX_IDC_TAB_CONTROL, &sheet) &&
                tab.EnableTab(2, FALSE));
    PumpFor(20);
    const struct {
        UINT message;
        WPARAM vk;
        BYTE ctrl, shift;
    } keys[] = {
        {WM_KEYDOWN, VK_TAB, 0x80, 0},     {WM_KEYDOWN, VK_TAB, 0x80, 0},   {WM_KEYDOWN, VK_TAB, 0x80, 0},
        {WM_KEYDOWN, VK_TAB, 0x80, 0x80},  {WM_KEYDOWN, VK_PRIOR, 0x80, 0}, {WM_KEYDOWN, VK_NEXT, 0x80, 0},
        {WM_KEYDOWN, VK_NEXT, 0x80, 0x80}, {WM_KEYDOWN, VK_TAB, 0, 0},      {WM_KEYDOWN, VK_RIGHT, 0x80, 0},
        {WM_KEYUP, VK_TAB, 0x80, 0},       {WM_KEYUP, VK_CONTROL, 0, 0}}; // the keys released again
    tabs.clear();
    BYTE state[256] = {};
    for (const auto &k : keys) {
        state[VK_CONTROL] = k.ctrl;
        state[VK_SHIFT] = k.shift;
        ::SetKeyboardState(state); // as GetKeyState of this thread answers
        MSG msg = {sheet.m_hWnd, k.message, k.vk, 1, 0, {}};
        const BOOL consumed = tab.TranslatePropSheetMsg(&msg);
        PumpFor(10);
        const HWND hPage = (HWND)::SendMessageA(sheet.m_hWnd, PSM_GETCURRENTPAGEHWND, 0, 0);
        tabs += std::to_string(consumed) + ":" + std::to_string(tab.GetCurSel()) + "=" +
                std::to_string(::SendMessageA(sheet.m_hWnd, PSM_HWNDTOINDEX, (WPARAM)hPage, 0)) + " ";
    }
    EXPECT_EQ("1:1=1 1:3=3 1:0=0 1:3=3 1:1=1 1:3=3 1:1=1 0:1=1 0:1=1 0:1=1 0:1=1 ", tabs);
    sheet.DestroyWindow();
}

// Pixels of a tab's label: grey, grey with highlight one down and right, button text; its first row.
struct TextPixels {
    int grey = 0, greyWithLight = 0, black = 0, top = -1;
};
TextPixels CountTextPixels(HWND hTab, int index)
{
    RECT rc;
    ::SendMessageA(hTab, TCM_GETITEMRECT, index, (LPARAM)&rc);
    ScreenPixels pixels(hTab);
    TextPixels count;
    const COLORREF grey = ::GetSysColor(COLOR_GRAYTEXT), light = ::GetSysColor(COLOR_BTNHIGHLIGHT),
                   text = ::GetSysColor(COLOR_BTNTEXT);
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
TEST_F(TabCtrlExTest, LabelsStandAtOneHeightAndDisabledTabsAreDrawnEmbossed)
{
    m_tab.SetCurSel(0);
    m_tab.EnableTab(1, FALSE);
    const TextPixels selected = CountTextPixels(m_tab.m_hWnd, 0), disabled = CountTextPixels(m_tab.m_hWnd, 1),
                     enabled = CountTextPixels(m_tab.m_hWnd, 2);
    EXPECT_TRUE(selected.top >= 0 && selected.top == enabled.top) << selected.top << " " << enabled.top;
    // Grey with the light copy one pixel down and right, no black; the enabled tab the other way round.
    EXPECT_TRUE(disabled.grey > 10 && disabled.greyWithLight > 0 && disabled.black == 0 &&
                enabled.black > 10 && enabled.grey == 0);
    m_tab.EnableTab(1, TRUE);
    const TextPixels again = CountTextPixels(m_tab.m_hWnd, 1);
    EXPECT_TRUE(again.grey == 0 && again.black > 10) << "enabling repaints the tab";
}

// Pixels in a strip right of the items' text that do not show what the 16 x 40 test tile
// (see make_tree_test_bitmaps.py), tiled from (x0, y0), shows there.
int Mismatches(HWND hTree, int x0, int y0)
{
    ScreenPixels pixels(hTree);
    int nWrong = 0;
    for (int y = 0; y < pixels.Height(); ++y)
        for (int x = pixels.Width() - 60; x < pixels.Width() - 10; ++x) {
            const int tx = ((x - x0) % 16 + 16) % 16, ty = ((y - y0) % 40 + 40) % 40;
            nWrong += pixels.Color(x, y) != RGB(60 + 4 * ty, 150, 40 + 8 * tx);
        }
    return nWrong;
}

// The picture tiles the tree from the first item under the text, moves with scrolling, stays when a group
// expands; an id that does not exist removes it and leaves a plain tree. The palettes.
TEST(BmpTree, PictureShowsBetweenTheItemsAndFollowsScrollingUntilRemoved)
{
    QRVBmpTreeCtrl tree;
    CRecorderWnd host; // hears the expanding notifications
    const DWORD style = WS_CHILD | WS_VISIBLE | TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT;
    ASSERT_TRUE(host.Open() && tree.Create(style, CRect(0, 0, 240, 200), &host, 1));
    const HTREEITEM hGroup = tree.InsertItem("Gruppe");
    tree.InsertItem("Kind eins", hGroup);
    tree.InsertItem("Kind zwei", hGroup);
    for (int i = 1; i < 30; ++i)
        tree.InsertItem(("Eintrag " + std::to_string(i)).c_str());
    host.ShowWindow(SW_SHOWNORMAL);
    const std::string expanding = "notify(1," + std::to_string((UINT)TVN_ITEMEXPANDINGA) + ")";
    tree.InsertItem("Ein sehr langer Eintrag, der weit über den rechten Rand des Baumes hinausreicht");
    EXPECT_TRUE(tree.IsKindOf(RUNTIME_CLASS(CTreeCtrl)) && tree.GetPalette() == nullptr)
        << "a tree; no picture, no palette";
    tree.SetBitmap(IDB_RS_TILE24);
    EXPECT_EQ(0, Mismatches(tree.m_hWnd, 0, 0)) << "tiled in both directions from the first item";
    const ScreenPixels tiled(tree.m_hWnd);
    CRect rcText;
    ASSERT_TRUE(tree.GetItemRect(tree.GetNextSiblingItem(tree.GetRootItem()), &rcText, TRUE));
    EXPECT_GT(tiled.Count(rcText, ::GetSysColor(COLOR_WINDOWTEXT)), 10) << "the text stays readable";
    EXPECT_EQ(0, tiled.Count(CRect(0, 0, tiled.Width(), tiled.Height()), ::GetSysColor(COLOR_WINDOW)))
        << "nothing is left in the window colour";
    const int h = (int)tree.SendMessage(TVM_GETITEMHEIGHT);
    tree.SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
    ASSERT_EQ(1, tree.GetScrollPos(SB_VERT));
    EXPECT_EQ(0, Mismatches(tree.m_hWnd, 0, -h)) << "moved up by one item height";
    EXPECT_NE(0, Mismatches(tree.m_hWnd, 0, 0));
    tree.SendMessage(WM_VSCROLL, SB_LINEUP, 0);
    EXPECT_EQ(0, Mismatches(tree.m_hWnd, 0, 0));
    tree.SelectItem(hGroup);
    host.m_log.clear();
    tree.SendMessage(WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_TRUE(tree.GetItemState(hGroup, TVIS_EXPANDED) & TVIS_EXPANDED);
    EXPECT_NE(std::string::npos, host.m_log.find(expanding)) << "the parent is told";
    EXPECT_EQ(0, Mismatches(tree.m_hWnd, 0, 0)) << "expanding keeps the picture in place";
    tree.SendMessage(WM_HSCROLL, SB_LINERIGHT, 0);
    tree.SendMessage(WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 5), 0); // off the tile grid
    const int pos = tree.GetScrollPos(SB_HORZ);
    ASSERT_GT(pos % 16, 0) << pos;
    EXPECT_EQ(0, Mismatches(tree.m_hWnd, -pos, 0));
    tree.SetBitmap(4711); // no such bitmap
    EXPECT_EQ(nullptr, tree.GetPalette());
    ScreenPixels pixels(tree.m_hWnd);
    const CRect strip(pixels.Width() - 60, 0, pixels.Width() - 10, pixels.Height());
    EXPECT_EQ(strip.Width() * strip.Height(), pixels.Count(strip, ::GetSysColor(COLOR_WINDOW)));
    tree.Expand(hGroup, TVE_COLLAPSE);
    host.m_log.clear();
    tree.SendMessage(WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_NE(std::string::npos, host.m_log.find(expanding)) << "also without a picture";
    CClientDC dc(&tree);
    EXPECT_NE(0, tree.SendMessage(WM_ERASEBKGND, (WPARAM)dc.m_hDC, 0))
        << "the plain tree erases its background itself";
    // A picture of up to 256 colours brings its own palette of the used colours, a richer one the halftone palette.
    tree.SetBitmap(IDB_RS_TILE16);
    CPalette *pPal = tree.GetPalette();
    ASSERT_NE(nullptr, pPal);
    PALETTEENTRY entry = {};
    pPal->GetPaletteEntries(5, 1, &entry);
    EXPECT_EQ(16, pPal->GetEntryCount()) << "the used-colour count, not two to the bit depth";
    EXPECT_TRUE(RGB(entry.peRed, entry.peGreen, entry.peBlue) == RGB(185, 125, 50) && entry.peFlags == 0);
    tree.SetBitmap(IDB_TREE_BACKGROUND); // the library's own tile: 8 bits, a full table of 256 colours
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
    EXPECT_TRUE((int)::GetPaletteEntries(hHalftone, 0, 0, nullptr) == pPal->GetEntryCount() &&
                !memcmp(mine, halftone, sizeof mine));
    ::DeleteObject(hHalftone);
}

const UINT kGripID = 32767;

// The control's rectangle in its parent's client coordinates.
const auto ChildRect = [](HWND hParent, int id) { return Place(::GetDlgItem(hParent, id)); };
// Where the dialog template puts a control (x, y, cx, cy in dialog units).
CRect TemplateRect(HWND hDlg, int x, int y, int cx, int cy)
{
    CRect rc(x, y, cx, cy);
    ::MapDialogRect(hDlg, &rc);
    return CRect(rc.left, rc.top, rc.left + rc.right, rc.top + rc.bottom);
}
// The rectangle with its left, top, right and bottom edges moved by the given pixels.
CRect Edges(CRect rc, int left, int top, int right, int bottom)
{
    rc.InflateRect(-left, -top, right, bottom);
    return rc;
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
    // Reserved, maximised size and position, smallest and largest tracking size.
    MINMAXINFO mmi = {{0, 0}, {2500, 1500}, {0, 0}, {1, 2}, {3000, 2000}};
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
    BOOL Open() { return Create(IDD_RS_DIALOG); }
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
        EXPECT_EQ(Edges(half, expected, 0, expected, 0), ChildRect(dlg.m_hWnd, IDC_RS_HALF));
    }
    Grow(dlg.m_hWnd, 40, 30);
    EXPECT_EQ(Edges(twice, 40, 30, 40, 30), ChildRect(dlg.m_hWnd, IDC_RS_TWICE));
    EXPECT_EQ(Edges(stretch, 0, 0, 40, 30), ChildRect(dlg.m_hWnd, IDC_RS_STRETCH));
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
    EXPECT_EQ(Edges(twice, 20, 10, 20, 10), ChildRect(array.m_hWnd, IDC_RS_TWICE))
        << "the fourth entry added to the first";
    EXPECT_EQ(Edges(half, 0, 10, 0, 10), ChildRect(array.m_hWnd, IDC_RS_HALF));
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
    dlg.SetMinSize(CSize(50, 0)); // a zero component leaves the system's
    dlg.SetMaxSize(CSize(0, 900));
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
    CRecorderWnd host;
    ASSERT_TRUE(host.Open());
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
        EXPECT_EQ(Edges(ok, 40, 30, 40, 30), ChildRect(sheet.m_hWnd, IDOK));
        EXPECT_EQ(Edges(cancel, 40, 30, 40, 30), ChildRect(sheet.m_hWnd, IDCANCEL));
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
        EXPECT_EQ(Edges(edits[i], 0, 0, 40, 0), ChildRect(hView, i ? IDC_RS_FORM_EDIT2 : IDC_RS_FORM_EDIT))
            << i;
    Grow(pFrame->m_hWnd, -100, -60);
    EXPECT_FALSE(::GetWindowLongA(hView, GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL))
        << "smaller than the form, still no scroll bars";
    pFrame->DestroyWindow(); // frame and view delete themselves
    // Form views and pages are also made by name, as a host's template does, without a grip.
    for (const char *name : {"CResizePropertyPage", "CResizeFormView"}) {
        std::unique_ptr<CObject> p(CRuntimeClass::CreateObject(name));
        ASSERT_TRUE(p && !strcmp(name, p->GetRuntimeClass()->m_lpszClassName)) << name;
        EXPECT_TRUE(dynamic_cast<CResize &>(*p).HasFlag(CResize::SZ_NOSIZEICON)) << name;
    }
}

} // namespace
