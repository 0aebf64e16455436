// CDialogEx and CDlgCtrlUtils on a real dialog with real common controls; CWndSocket;
// the controller selection template of QRV.dll, created through the resource chain.
#include <afxwin.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "framework/DialogEx.h"
#include "framework/WndSocket.h"
#include "framework_tests_res.h"
#include "resources/resource.h"
#include "resources/select_ids.h"
#include "uiauto/ControlActions.h"
#include "uiauto/MessagePump.h"

using namespace qrvtest;

namespace {

// Counts the edit's change notifications so that "no change" can be seen.
class CControlsDlg : public CDialogEx {
public:
    CControlsDlg() : CDialogEx(IDD_FW_CONTROLS) {}
    int m_nEditChanges = 0;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
        m_nEditChanges += wParam == MAKEWPARAM(IDC_FW_EDIT, EN_CHANGE);
        return CDialogEx::OnCommand(wParam, lParam);
    }
};

class DlgCtrlUtilsTest : public ::testing::Test {
protected:
    void SetUp() override {
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
    std::string States(BOOL(WINAPI* ask)(HWND), std::initializer_list<int> ids) {
        std::string s;
        for (int id : ids) s += ask(Ctl(id)) ? '1' : '0';
        return s;
    }
    CControlsDlg m_dlg;
};

// One, several by argument list or by array (a missing id in between is skipped); the answers are the platform's.
TEST_F(DlgCtrlUtilsTest, EnableAndShowOneOrManyControls) {
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
TEST_F(DlgCtrlUtilsTest, UpdateTextAndNumberOnlyWhenTheyChanged) {
    const struct { int id; const char* before; const char* text; int value; BOOL bSigned; int result; const char* shown; } cases[] = {
        {IDC_FW_EDIT, nullptr, "Größe", 0, 0, 1, "Größe"}, {IDC_FW_EDIT, nullptr, "Größe", 0, 0, 0, "Größe"},
        {IDC_FW_EDIT, nullptr, "GRößE", 0, 0, 1, "GRößE"}, {IDC_FW_EDIT, nullptr, nullptr, 0, 0, 1, ""},
        {IDC_FW_NUMBER, nullptr, nullptr, 42, FALSE, 1, "42"}, {IDC_FW_NUMBER, nullptr, nullptr, 42, FALSE, 0, "42"},
        {IDC_FW_NUMBER, nullptr, nullptr, 43, TRUE, 1, "43"}, {IDC_FW_NUMBER, nullptr, nullptr, -5, TRUE, 1, "-5"},
        {IDC_FW_NUMBER, nullptr, nullptr, -5, TRUE, 0, "-5"}, {IDC_FW_NUMBER, "zwölf", nullptr, 12, TRUE, 1, "12"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shown);
        if (c.before) ::SetDlgItemTextA(m_dlg.m_hWnd, c.id, c.before);
        EXPECT_EQ(c.result, c.id == IDC_FW_EDIT ? m_dlg.UpdateDlgItemText(c.id, c.text) : m_dlg.UpdateDlgItemInt(c.id, c.value, c.bSigned));
        EXPECT_EQ(c.shown, ItemText(m_dlg.m_hWnd, c.id));
    }
    EXPECT_EQ(3, m_dlg.m_nEditChanges);
    EXPECT_EQ(0, m_dlg.UpdateDlgItemText(IDC_FW_ABSENT, "x"));
}

TEST_F(DlgCtrlUtilsTest, SelectionInCombosListBoxesAndListControls) {
    HWND hCombo = Ctl(IDC_FW_COMBO), hBox = Ctl(IDC_FW_LISTBOX), hList = Ctl(IDC_FW_LISTVIEW);
    EXPECT_EQ(-1, m_dlg.SelectComboItemByData(IDC_FW_COMBO, 7)) << "empty box";
    EXPECT_EQ(-1, m_dlg.SelectListItemByData(IDC_FW_LISTBOX, 1)) << "empty box";
    const struct { const char* text; DWORD_PTR data; } entries[] = {{"Alpha", 10}, {"Beta", 20}, {"Gamma", 20}};
    for (int i = 0; i < 3; ++i) {
        ::SendMessageA(hCombo, CB_SETITEMDATA, ::SendMessageA(hCombo, CB_ADDSTRING, 0, (LPARAM)entries[i].text), entries[i].data);
        ::SendMessageA(hBox, LB_SETITEMDATA, ::SendMessageA(hBox, LB_ADDSTRING, 0, (LPARAM)entries[i].text), 100 + i);
    }
    // Each answer with the selection after it: the first entry with the data; a case-insensitive exact
    // match, no prefix match, the selection kept without a match.
    auto comboSel = [&](int answer) { return std::to_string(answer) + "/" + std::to_string(::SendMessageA(hCombo, CB_GETCURSEL, 0, 0)); };
    auto boxSel = [&](int answer) { return std::to_string(answer) + "/" + std::to_string(::SendMessageA(hBox, LB_GETCURSEL, 0, 0)); };
    EXPECT_EQ("1/1", comboSel(m_dlg.SelectComboItemByData(IDC_FW_COMBO, 20)));
    EXPECT_EQ(20u, m_dlg.GetComboSelItemData(IDC_FW_COMBO));
    EXPECT_EQ("-1/1", comboSel(m_dlg.SelectComboItemByData(IDC_FW_COMBO, 99)));
    EXPECT_EQ("2/2", comboSel(m_dlg.SelectComboItemString(IDC_FW_COMBO, "gamma")));
    EXPECT_EQ("0/2", comboSel(m_dlg.SelectComboItemString(IDC_FW_COMBO, "Gam")));
    EXPECT_EQ("0/2", comboSel(m_dlg.SelectComboItemString(IDC_FW_COMBO, nullptr)));
    EXPECT_EQ("0/0", comboSel(m_dlg.SelectComboItem(IDC_FW_COMBO, 0)));
    EXPECT_EQ(10u, m_dlg.GetComboSelItemData(IDC_FW_COMBO));
    EXPECT_EQ("2/2", boxSel(m_dlg.SelectListItemByData(IDC_FW_LISTBOX, 102)));
    EXPECT_EQ("-1/2", boxSel(m_dlg.SelectListItemByData(IDC_FW_LISTBOX, 5)));
    EXPECT_EQ(0, m_dlg.SelectComboItemString(IDC_FW_ABSENT, "Alpha"));
    EXPECT_EQ(-1, m_dlg.SelectComboItem(IDC_FW_ABSENT, 0));
    EXPECT_EQ(0u, m_dlg.GetComboSelItemData(IDC_FW_ABSENT));
    for (int id : {IDC_FW_ABSENT, IDC_FW_BUTTON}) {   // a missing control, or one that holds no entries
        EXPECT_EQ(-1, m_dlg.SelectComboItemByData(id, 10));
        EXPECT_EQ(-1, m_dlg.SelectListItemByData(id, 100));
        EXPECT_EQ(-1, m_dlg.SelectListCtrlItemByData(id, 1));
    }
    const std::pair<const char*, int> rows[] = {{"eins", 1}, {"zwei", 2}, {"drei", 1}, {"vier", 3}};
    for (const auto& row : rows) {
        LVITEMA item = {};
        item.mask = LVIF_TEXT | LVIF_PARAM, item.iItem = (int)::SendMessageA(hList, LVM_GETITEMCOUNT, 0, 0);
        item.pszText = const_cast<char*>(row.first), item.lParam = row.second;
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

TEST_F(DlgCtrlUtilsTest, LimitSliderAndRectangleAndNothingWithoutAWindow) {
    m_dlg.LimitDlgItemText(IDC_FW_EDIT, 5);
    EXPECT_EQ(5, ::SendMessageA(Ctl(IDC_FW_EDIT), EM_GETLIMITTEXT, 0, 0));
    ::SendMessageA(Ctl(IDC_FW_SLIDER), TBM_SETRANGE, TRUE, MAKELPARAM(0, 50));
    m_dlg.SetSliderPos(IDC_FW_SLIDER, 33);
    EXPECT_EQ(33, ::SendMessageA(Ctl(IDC_FW_SLIDER), TBM_GETPOS, 0, 0));
    m_dlg.LimitDlgItemText(IDC_FW_ABSENT, 5), m_dlg.SetSliderPos(IDC_FW_ABSENT, 3);   // quietly nothing
    CRect expected, rc, untouched(1, 2, 3, 4);
    ::GetWindowRect(Ctl(IDC_FW_BUTTON), &expected);
    m_dlg.ScreenToClient(&expected);
    m_dlg.GetDlgItemRect(IDC_FW_BUTTON, &rc);
    EXPECT_TRUE(rc == expected && rc.left > 0);
    m_dlg.GetDlgItemRect(IDC_FW_ABSENT, &untouched);
    m_dlg.GetDlgItemRect(IDC_FW_BUTTON, nullptr);
    EXPECT_EQ(1, untouched.left);
    CDlgCtrlUtils utils;
    CWnd wnd;
    for (CWnd* p : {(CWnd*)nullptr, &wnd}) {   // no window object, or one without a window
        utils.Attach(p);
        EXPECT_EQ(0, utils.EnableDlgItem(IDC_FW_EDIT, TRUE) + utils.ShowDlgItem(IDC_FW_EDIT, SW_SHOW));
        EXPECT_EQ(0, utils.UpdateDlgItemText(IDC_FW_EDIT, "x") + utils.UpdateDlgItemInt(IDC_FW_EDIT, 3, TRUE));
        EXPECT_EQ(-1, utils.SelectComboItem(IDC_FW_COMBO, 0));
    }
}

// A window that writes what reaches it into a log and answers with a chosen value.
class CRecorderWnd : public CWnd {
public:
    std::string m_log;
    LRESULT m_answer = 0;
    BOOL Open(CWnd* pParent = nullptr) {
        return pParent ? Create(nullptr, "Kind", WS_CHILD, CRect(0, 0, 50, 20), pParent, 321)
                       : CreateEx(0, nullptr, "Fenster", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr);
    }
    ~CRecorderWnd() override { DestroyWindow(); }
protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_WNDSOCKET_PLUGIN)
            m_log += "plugin(" + std::to_string(wParam) + "," + std::to_string(lParam) + ") ";
        else if (message == WM_NOTIFY)
            m_log += "notify(" + std::to_string(wParam) + "," + std::to_string(((NMHDR*)lParam)->code) + ") ";
        else if (message == WM_APP + 5)
            m_log += "app ";
        else return CWnd::WindowProc(message, wParam, lParam);
        return m_answer;
    }
};

// Without a target the parent answers; plugging in announces the control (wParam:
// its window object) to the target, which from then on hears alone, also through copies;
// without a receiver the answers say so.
TEST(WndSocket, ReportsGoToTheParentUntilThePlugInThenToTheTargetAlone) {
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
    const std::string announced = "plugin(" + std::to_string((WPARAM) static_cast<CWnd*>(&control)) + ",0) ";
    EXPECT_EQ(announced + "notify(321,1003) app notify(321,1003) app ", target.m_log) << "copying announces nothing";
    parent.m_log.clear();
    CWndSocket lonely, gone, orphan;   // without any receiver the results say so
    EXPECT_EQ(0, lonely.Notify(&hdr));
    EXPECT_EQ(-1, lonely.SendMsg(WM_APP + 5, 0, 0));
    CWnd noWindow;
    gone.Attach(&control);
    gone.PlugInTo(&noWindow);   // a target object without a window: no announcement, no fallback
    EXPECT_EQ(0, gone.Notify(&hdr));
    EXPECT_EQ(-1, gone.SendMsg(WM_APP + 5, 0, 0));
    EXPECT_EQ("", parent.m_log);
    orphan.Attach(&parent);
    EXPECT_EQ(-1, orphan.SendMsg(WM_APP + 5, 0, 0)) << "a control without parent or target";
    orphan.Attach(&noWindow);
    EXPECT_EQ(-1, orphan.SendMsg(WM_APP + 5, 0, 0)) << "a control object without a window";
}


std::string ClassOf(HWND hWnd) {
    char cls[64] = "";
    ::GetClassNameA(hWnd, cls, sizeof cls);
    return cls;
}
DWORD ButtonType(HWND h) { return ClassOf(h) == "Button" ? (DWORD)::GetWindowLongA(h, GWL_STYLE) & BS_TYPEMASK : ~0u; }
CRect Place(HWND hCtl) {
    CRect rc;
    ::GetWindowRect(hCtl, &rc);
    ::MapWindowPoints(nullptr, ::GetParent(hCtl), reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

// The width the control's text needs in the dialog's font (the mnemonic marker not drawn).
int TextWidth(HWND hCtl) {
    HDC hDC = ::GetDC(hCtl);
    HGDIOBJ hOld = ::SelectObject(hDC, (HFONT)::SendMessageA(hCtl, WM_GETFONT, 0, 0));
    RECT rc = {};
    ::DrawTextA(hDC, Text(hCtl).c_str(), -1, &rc, DT_CALCRECT | DT_SINGLELINE);
    ::SelectObject(hDC, hOld);
    ::ReleaseDC(hCtl, hDC);
    return rc.right - rc.left;
}

// Every child in the template's order with its id, class, button type and
// text; each inside the dialog and wide enough for its text; the group box
// frames the three modes apart from the list; the buttons share one column
// and size, starting level with the list; nothing else overlaps.
TEST(SelectTemplate, EveryControlWithItsIdClassTextAndPlaceNoneCutOffOrOverlapping) {
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_LISTVIEW_CLASSES};
    ::InitCommonControlsEx(&icc);
    CDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_PLC_SELECT)) << "template 22301 through the resource chain";
    dlg.ShowWindow(SW_SHOW);
    PumpFor(50);
    EXPECT_EQ("Controller auswählen", Text(dlg.m_hWnd));
    const struct { int id; const char* what; } children[] = {
        {-1, "Static momentan aktive Controller (extern)"}, {IDC_PLC_ACTIVE_NAME, "Static "},
        {-1, "group Controller Modus"}, {IDC_PLC_MODE_EXTERNAL, "radio nur externe Controller"},
        {IDC_PLC_MODE_INTERNAL, "radio nur interner Controller"}, {IDC_PLC_MODE_BOTH, "radio interner + externe Controller"},
        {IDC_PLC_LIST, "SysListView32 "}, {IDOK, "default &OK"}, {IDCANCEL, "push &Abbrechen"}, {IDC_PLC_REMOVE, "push &Löschen"},
        {IDC_PLC_RESCAN, "push A&ktualisieren"}, {IDC_PLC_SETUP, "push Contr. Einstellung"}};
    CRect client, group, list = Place(::GetDlgItem(dlg.m_hWnd, IDC_PLC_LIST)), ok = Place(::GetDlgItem(dlg.m_hWnd, IDOK)), both;
    dlg.GetClientRect(&client);
    std::vector<std::pair<HWND, CRect>> placed;
    HWND h = ::GetWindow(dlg.m_hWnd, GW_CHILD);
    for (const auto& child : children) {
        ASSERT_NE(nullptr, h) << child.what;
        const CRect rc = Place(h);
        const DWORD type = ButtonType(h);
        const char* kind = type == BS_GROUPBOX ? "group" : type == BS_AUTORADIOBUTTON ? "radio" : type == BS_DEFPUSHBUTTON ? "default"
                         : type == BS_PUSHBUTTON ? "push" : nullptr;
        EXPECT_EQ(child.what, (kind ? kind : ClassOf(h)) + " " + Text(h));
        EXPECT_TRUE((WORD)::GetDlgCtrlID(h) == (WORD)child.id && ::IsWindowVisible(h)) << child.what;
        both.IntersectRect(&rc, &client);
        EXPECT_EQ(rc, both) << child.what << " lies inside the dialog";
        const int margin = type == BS_AUTORADIOBUTTON ? ::GetSystemMetrics(SM_CXMENUCHECK) + 6 : type == BS_GROUPBOX ? 16 : kind ? 8 : 0;
        EXPECT_LE(TextWidth(h) + margin, rc.Width()) << child.what << " fits its control";
        if (type == BS_GROUPBOX) group = rc;
        else placed.push_back({h, rc});
        if (type == BS_AUTORADIOBUTTON && both.UnionRect(&group, &rc)) {
            EXPECT_EQ(group, both) << child.what << " inside the group box";
        } else if (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON) {
            EXPECT_TRUE(rc.left == ok.left && rc.right == ok.right && rc.Height() == ok.Height()) << child.what;
        }
        h = ::GetWindow(h, GW_HWNDNEXT);
    }
    EXPECT_EQ(nullptr, h) << "no other control";
    const DWORD listStyle = (DWORD)::GetWindowLongA(::GetDlgItem(dlg.m_hWnd, IDC_PLC_LIST), GWL_STYLE);
    EXPECT_EQ(DWORD(LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS), listStyle & (LVS_TYPEMASK | LVS_SINGLESEL | LVS_SHOWSELALWAYS));
    EXPECT_TRUE(::GetWindowLongA(::GetDlgItem(dlg.m_hWnd, IDC_PLC_MODE_EXTERNAL), GWL_STYLE) & WS_GROUP) << "the radio buttons form one group";
    EXPECT_FALSE(both.IntersectRect(&group, &list));
    EXPECT_EQ(list.top, Place(::GetDlgItem(dlg.m_hWnd, IDC_PLC_REMOVE)).top);
    for (size_t i = 0; i < placed.size(); ++i)
        for (size_t j = i + 1; j < placed.size(); ++j)
            EXPECT_FALSE(both.IntersectRect(&placed[i].second, &placed[j].second)) << Text(placed[i].first) << " and " << Text(placed[j].first);
    dlg.DestroyWindow();
}

}
