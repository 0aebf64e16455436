// The framework's dialog and control classes on real windows (CDialogEx, CDlgCtrlUtils, the property
// sheet and page, CWndSocket, the tab control, the tree over a picture).
#include <afxdlgs.h>
#include <gtest/gtest.h>
#include <algorithm>
#include <string>
#include "framework/DialogEx.h"
#include "framework/PropertyPageExt.h"
#include "framework/PropertySheetExt.h"
#include "framework/QRVBmpTreeCtrl.h"
#include "framework/TabCtrlEx.h"
#include "framework/WndSocket.h"
#include "framework_tests_res.h"
#include "resources/resource.h"
#include "tests/support/DialogLayout.h"
#include "tests/support/ScreenPixels.h"
#include "uiauto/ControlActions.h"
#include "uiauto/MessagePump.h"

using namespace qrvtest;

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
        INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
        ::InitCommonControlsEx(&icc);
        ASSERT_TRUE(m_dlg.Create(IDD_FW_CONTROLS));
        m_dlg.ShowWindow(SW_SHOW);
        PumpFor(20);
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
    EXPECT_EQ(0xFFFFFFFFUL, m_dlg.GetPageType());
    EXPECT_EQ(0, m_dlg.EnableDlgItem(IDC_FW_ABSENT, FALSE));
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
    EXPECT_EQ(0, m_dlg.ShowDlgItem(IDC_FW_ABSENT, SW_SHOW));
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
    EXPECT_EQ(0, m_dlg.UpdateDlgItemText(IDC_FW_ABSENT, "x"));
}

TEST_F(DlgCtrlUtilsTest, SelectionInCombosListBoxesAndListControls)
{
    HWND hCombo = Ctl(IDC_FW_COMBO), hBox = Ctl(IDC_FW_LISTBOX), hList = Ctl(IDC_FW_LISTVIEW);
    EXPECT_EQ(-1, m_dlg.SelectComboItemByData(IDC_FW_COMBO, 7)) << "empty box";
    EXPECT_EQ(-1, m_dlg.SelectListItemByData(IDC_FW_LISTBOX, 1)) << "empty box";
    const std::pair<const char *, DWORD_PTR> entries[] = {{"Alpha", 10}, {"Beta", 20}, {"Gamma", 20}};
    for (int i = 0; i < 3; ++i) {
        ::SendMessageA(hCombo, CB_SETITEMDATA,
                       ::SendMessageA(hCombo, CB_ADDSTRING, 0, (LPARAM)entries[i].first), entries[i].second);
        ::SendMessageA(hBox, LB_SETITEMDATA, ::SendMessageA(hBox, LB_ADDSTRING, 0, (LPARAM)entries[i].first),
                       100 + i);
    }
    // Each answer with the combo box's and the list box's selection after it: the first entry with the
    // data; a case-insensitive exact match, no prefix match, the selection kept without a match.
    auto sel = [&](int answer) {
        return std::to_string(answer) + "/" + std::to_string(::SendMessageA(hCombo, CB_GETCURSEL, 0, 0)) +
               "/" + std::to_string(::SendMessageA(hBox, LB_GETCURSEL, 0, 0));
    };
    EXPECT_EQ("1/1/-1", sel(m_dlg.SelectComboItemByData(IDC_FW_COMBO, 20)));
    EXPECT_EQ(20u, m_dlg.GetComboSelItemData(IDC_FW_COMBO));
    EXPECT_EQ("-1/1/-1", sel(m_dlg.SelectComboItemByData(IDC_FW_COMBO, 99)));
    EXPECT_EQ("2/2/-1", sel(m_dlg.SelectComboItemString(IDC_FW_COMBO, "gamma")));
    EXPECT_EQ("0/2/-1", sel(m_dlg.SelectComboItemString(IDC_FW_COMBO, "Gam")));
    EXPECT_EQ("0/2/-1", sel(m_dlg.SelectComboItemString(IDC_FW_COMBO, nullptr)));
    EXPECT_EQ("0/0/-1", sel(m_dlg.SelectComboItem(IDC_FW_COMBO, 0)));
    EXPECT_EQ(10u, m_dlg.GetComboSelItemData(IDC_FW_COMBO));
    EXPECT_EQ("2/0/2", sel(m_dlg.SelectListItemByData(IDC_FW_LISTBOX, 102)));
    EXPECT_EQ("-1/0/2", sel(m_dlg.SelectListItemByData(IDC_FW_LISTBOX, 5)));
    EXPECT_EQ(0, m_dlg.SelectComboItemString(IDC_FW_ABSENT, "Alpha"));
    EXPECT_EQ(-1, m_dlg.SelectComboItem(IDC_FW_ABSENT, 0));
    EXPECT_EQ(0u, m_dlg.GetComboSelItemData(IDC_FW_ABSENT));
    for (int id : {IDC_FW_ABSENT, IDC_FW_BUTTON}) { // a missing control, or one that holds no entries
        EXPECT_EQ(-1, m_dlg.SelectComboItemByData(id, 10));
        EXPECT_EQ(-1, m_dlg.SelectListItemByData(id, 100));
        EXPECT_EQ(-1, m_dlg.SelectListCtrlItemByData(id, 1));
    }
    const std::pair<const char *, int> rows[] = {{"eins", 1}, {"zwei", 2}, {"drei", 1}, {"vier", 3}};
    for (const auto &row : rows) {
        LVITEMA item = {};
        item.mask = LVIF_TEXT | LVIF_PARAM, item.iItem = (int)::SendMessageA(hList, LVM_GETITEMCOUNT, 0, 0);
        item.pszText = const_cast<char *>(row.first), item.lParam = row.second;
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
    m_dlg.LimitDlgItemText(IDC_FW_ABSENT, 5), m_dlg.SetSliderPos(IDC_FW_ABSENT, 3); // quietly nothing
    CRect rc, untouched(1, 2, 3, 4);
    m_dlg.GetDlgItemRect(IDC_FW_BUTTON, &rc);
    EXPECT_TRUE(rc == Place(Ctl(IDC_FW_BUTTON)) && rc.left > 0) << "in the dialog's client coordinates";
    m_dlg.GetDlgItemRect(IDC_FW_ABSENT, &untouched);
    m_dlg.GetDlgItemRect(IDC_FW_BUTTON, nullptr);
    EXPECT_EQ(1, untouched.left);
    CDlgCtrlUtils utils;
    CWnd wnd;
    for (CWnd *p : {(CWnd *)nullptr, &wnd}) { // no window object, or one without a window
        utils.Attach(p);
        EXPECT_EQ(0, utils.EnableDlgItem(IDC_FW_EDIT, TRUE) + utils.ShowDlgItem(IDC_FW_EDIT, SW_SHOW));
        EXPECT_EQ(0,
                  utils.UpdateDlgItemText(IDC_FW_EDIT, "x") + utils.UpdateDlgItemInt(IDC_FW_EDIT, 3, TRUE));
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
        EXPECT_EQ(0xFFFFFFFFUL, page.GetPageType());
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
                       : CreateEx(0, nullptr, "Fenster", WS_POPUP | WS_CAPTION, 30, 30, 300, 260, nullptr,
                                  nullptr);
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
    parent.m_answer = 11, target.m_answer = 22;
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
    void SetUp() override
    {
        ASSERT_TRUE(m_dlg.Create(IDD_RS_TABS));
        m_dlg.ShowWindow(SW_SHOWNORMAL);
        PumpFor(30);
    }
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
        int next, from, wrap, expected;
    } scans[] = {{{2}, true, 2, TRUE, -1},
                 {{2}, false, 2, TRUE, -1},
                 {{2}, true, 0, FALSE, 2},
                 {{2}, false, 4, FALSE, 2},
                 {{2}, true, 3, FALSE, -1},
                 {{2}, true, 3, TRUE, 2},
                 {{0, 1, 2, 3, 4}, true, 4, FALSE, -1},
                 {{0, 1, 2, 3, 4}, true, 4, TRUE, 0},
                 {{0, 1, 2, 3, 4}, false, 0, FALSE, -1},
                 {{0, 1, 2, 3, 4}, false, 0, TRUE, 4},
                 {{0, 1, 2, 3, 4}, true, -1, FALSE, 0}, // no current tab: from the start
                 {{}, true, -1, TRUE, -1},
                 {{}, false, -1, TRUE, -1},
                 {{3}, false, -1, TRUE, 3}};
    for (const auto &c : scans) {
        m_dlg.EnableOnly(c.enabled);
        EXPECT_EQ(c.expected,
                  c.next ? m_tab.NextEnabledTab(c.from, c.wrap) : m_tab.PrevEnabledTab(c.from, c.wrap))
            << (c.next ? "next" : "prev") << " from " << c.from << " wrap " << c.wrap;
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
    } keys[] = {{WM_KEYDOWN, VK_TAB, 0x80, 0},     {WM_KEYDOWN, VK_TAB, 0x80, 0},
                {WM_KEYDOWN, VK_TAB, 0x80, 0},     {WM_KEYDOWN, VK_TAB, 0x80, 0x80},
                {WM_KEYDOWN, VK_PRIOR, 0x80, 0},   {WM_KEYDOWN, VK_NEXT, 0x80, 0},
                {WM_KEYDOWN, VK_NEXT, 0x80, 0x80}, {WM_KEYDOWN, VK_TAB, 0, 0},
                {WM_KEYDOWN, VK_RIGHT, 0x80, 0},   {WM_KEYUP, VK_TAB, 0x80, 0}};
    tabs.clear();
    BYTE state[256] = {};
    for (const auto &k : keys) {
        state[VK_CONTROL] = k.ctrl, state[VK_SHIFT] = k.shift;
        ::SetKeyboardState(state); // as GetKeyState of this thread answers
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
    PumpFor(50);
    const TextPixels selected = CountTextPixels(m_tab.m_hWnd, 0), disabled = CountTextPixels(m_tab.m_hWnd, 1),
                     enabled = CountTextPixels(m_tab.m_hWnd, 2);
    EXPECT_TRUE(selected.top >= 0 && selected.top == enabled.top) << selected.top << " " << enabled.top;
    // Grey with the light copy one pixel down and right, no black; the enabled tab the other way round.
    EXPECT_TRUE(disabled.grey > 10 && disabled.greyWithLight > 0 && disabled.black == 0 &&
                enabled.black > 10 && enabled.grey == 0);
    m_tab.EnableTab(1, TRUE);
    PumpFor(50);
    const TextPixels again = CountTextPixels(m_tab.m_hWnd, 1);
    EXPECT_TRUE(again.grey == 0 && again.black > 10) << "enabling repaints the tab";
}

int CountColour(const ScreenPixels &pixels, const CRect &rc, COLORREF colour)
{
    int n = 0;
    for (int y = rc.top; y < rc.bottom; ++y)
        for (int x = rc.left; x < rc.right; ++x)
            n += pixels.Color(x, y) == colour;
    return n;
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
    tree.InsertItem("Kind eins", hGroup), tree.InsertItem("Kind zwei", hGroup);
    for (int i = 1; i < 30; ++i)
        tree.InsertItem(("Eintrag " + std::to_string(i)).c_str());
    host.ShowWindow(SW_SHOWNORMAL);
    const std::string expanding = "notify(1," + std::to_string((UINT)TVN_ITEMEXPANDINGA) + ")";
    tree.InsertItem("Ein sehr langer Eintrag, der weit über den rechten Rand des Baumes hinausreicht");
    EXPECT_TRUE(tree.IsKindOf(RUNTIME_CLASS(CTreeCtrl)) && tree.GetPalette() == nullptr)
        << "a tree; no picture, no palette";
    tree.SetBitmap(IDB_RS_TILE24);
    PumpFor(30);
    EXPECT_EQ(0, Mismatches(tree.m_hWnd, 0, 0)) << "tiled in both directions from the first item";
    const ScreenPixels tiled(tree.m_hWnd);
    CRect rcText;
    ASSERT_TRUE(tree.GetItemRect(tree.GetNextSiblingItem(tree.GetRootItem()), &rcText, TRUE));
    EXPECT_GT(CountColour(tiled, rcText, ::GetSysColor(COLOR_WINDOWTEXT)), 10) << "the text stays readable";
    EXPECT_EQ(0, CountColour(tiled, CRect(0, 0, tiled.Width(), tiled.Height()), ::GetSysColor(COLOR_WINDOW)))
        << "nothing is left in the window colour";
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
    tree.SelectItem(hGroup);
    host.m_log.clear();
    tree.SendMessage(WM_KEYDOWN, VK_RIGHT, 0);
    PumpFor(30);
    EXPECT_TRUE(tree.GetItemState(hGroup, TVIS_EXPANDED) & TVIS_EXPANDED);
    EXPECT_NE(std::string::npos, host.m_log.find(expanding)) << "the parent is told";
    EXPECT_EQ(0, Mismatches(tree.m_hWnd, 0, 0)) << "expanding keeps the picture in place";
    tree.SendMessage(WM_HSCROLL, SB_LINERIGHT, 0);
    tree.SendMessage(WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 5), 0); // off the tile grid
    PumpFor(30);
    const int pos = tree.GetScrollPos(SB_HORZ);
    ASSERT_GT(pos % 16, 0) << pos;
    EXPECT_EQ(0, Mismatches(tree.m_hWnd, -pos, 0));
    EXPECT_NE(0, Mismatches(tree.m_hWnd, 0, 0));
    ASSERT_NE(nullptr, tree.GetPalette());
    tree.SetBitmap(4711); // no such bitmap
    EXPECT_EQ(nullptr, tree.GetPalette());
    ScreenPixels pixels(tree.m_hWnd);
    const CRect strip(pixels.Width() - 60, 0, pixels.Width() - 10, pixels.Height());
    EXPECT_EQ(strip.Width() * strip.Height(), CountColour(pixels, strip, ::GetSysColor(COLOR_WINDOW)));
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

} // namespace
