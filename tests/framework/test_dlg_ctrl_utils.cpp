// CDialogEx and CDlgCtrlUtils on a real dialog with real common controls.
#include <afxwin.h>
#include <gtest/gtest.h>
#include <string>
#include <utility>
#include "framework/DialogEx.h"
#include "framework_tests_res.h"
#include "uiauto/ControlActions.h"
#include "uiauto/MessagePump.h"

using namespace qrvtest;

namespace {

// Counts the edit's change notifications so that "no change" can be seen.
class CControlsDlg : public CDialogEx
{
public:
    CControlsDlg() : CDialogEx(IDD_FW_CONTROLS) {}
    int m_nEditChanges = 0;

protected:
    afx_msg void OnEditChange() { ++m_nEditChanges; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CControlsDlg, CDialogEx)
    ON_EN_CHANGE(IDC_FW_EDIT, OnEditChange)
END_MESSAGE_MAP()

class DlgCtrlUtilsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        INITCOMMONCONTROLSEX icc = { sizeof(icc), ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES };
        ::InitCommonControlsEx(&icc);
        ASSERT_TRUE(m_dlg.Create(IDD_FW_CONTROLS));
        m_dlg.ShowWindow(SW_SHOW);
        PumpFor(20);
        m_dlg.m_nEditChanges = 0;
    }
    void TearDown() override { m_dlg.DestroyWindow(); }

    HWND Ctl(int id) { return ::GetDlgItem(m_dlg.m_hWnd, id); }
    // "1" or "0" per control for what the test asks of it.
    std::string States(BOOL(WINAPI* ask)(HWND), std::initializer_list<int> ids)
    {
        std::string s;
        for (int id : ids)
            s += ask(Ctl(id)) ? '1' : '0';
        return s;
    }

    CControlsDlg m_dlg;
};

TEST_F(DlgCtrlUtilsTest, EnableAndShowOneOrManyControls)
{
    EXPECT_EQ(0xFFFFFFFFUL, m_dlg.GetPageType());
    EXPECT_EQ(0, m_dlg.EnableDlgItem(IDC_FW_ABSENT, FALSE)) << "missing control";
    m_dlg.EnableDlgItem(IDC_FW_BUTTON, FALSE);
    EXPECT_FALSE(::IsWindowEnabled(Ctl(IDC_FW_BUTTON)));
    EXPECT_NE(0, m_dlg.EnableDlgItem(IDC_FW_BUTTON, TRUE)) << "EnableWindow's answer: it was disabled";
    EXPECT_TRUE(::IsWindowEnabled(Ctl(IDC_FW_BUTTON)));
    m_dlg.EnableDlgItems(FALSE, 3, IDC_FW_EDIT, IDC_FW_ABSENT, IDC_FW_COMBO);
    EXPECT_EQ("001", States(::IsWindowEnabled, {IDC_FW_EDIT, IDC_FW_COMBO, IDC_FW_NUMBER}));
    const UINT ids[] = {IDC_FW_EDIT, IDC_FW_COMBO, IDC_FW_SLIDER};
    m_dlg.EnableDlgItemArray(TRUE, ids, 2);
    EXPECT_EQ("11", States(::IsWindowEnabled, {IDC_FW_EDIT, IDC_FW_COMBO}));
    m_dlg.ShowDlgItems(SW_HIDE, 2, IDC_FW_LISTBOX, IDC_FW_BUTTON);
    EXPECT_EQ("001", States(::IsWindowVisible, {IDC_FW_LISTBOX, IDC_FW_BUTTON, IDC_FW_EDIT}));
    EXPECT_EQ(0, m_dlg.ShowDlgItem(IDC_FW_BUTTON, SW_SHOW)) << "ShowWindow's answer: it was hidden";
    EXPECT_NE(0, m_dlg.ShowDlgItem(IDC_FW_BUTTON, SW_HIDE)) << "it was visible";
    EXPECT_EQ(0, m_dlg.ShowDlgItem(IDC_FW_ABSENT, SW_SHOW));
    m_dlg.ShowDlgItemArray(ids, 3, SW_HIDE);
    EXPECT_EQ("00", States(::IsWindowVisible, {IDC_FW_SLIDER, IDC_FW_EDIT}));
}

// Texts and numbers are written only when they changed (no change notification
// otherwise); the comparison is case-sensitive, numbers are signed or not.
TEST_F(DlgCtrlUtilsTest, UpdateTextAndNumberOnlyWhenTheyChanged)
{
    const struct { const char* text; int result, changes; } texts[] = {
        {"Größe", 1, 1}, {"Größe", 0, 1}, {"GRößE", 1, 2}};
    for (const auto& t : texts) {
        EXPECT_EQ(t.result, m_dlg.UpdateDlgItemText(IDC_FW_EDIT, t.text)) << t.text;
        EXPECT_EQ(t.text, ItemText(m_dlg.m_hWnd, IDC_FW_EDIT));
        EXPECT_EQ(t.changes, m_dlg.m_nEditChanges) << t.text;
    }
    EXPECT_EQ(0, m_dlg.UpdateDlgItemText(IDC_FW_ABSENT, "x"));
    const struct { const char* before; int value; BOOL bSigned; int result; const char* shown; } numbers[] = {
        {nullptr, 42, FALSE, 1, "42"}, {nullptr, 42, FALSE, 0, "42"}, {nullptr, 43, TRUE, 1, "43"},
        {nullptr, -5, TRUE, 1, "-5"}, {nullptr, -5, TRUE, 0, "-5"}, {"zwölf", 12, TRUE, 1, "12"}};
    for (const auto& n : numbers) {
        if (n.before)
            ::SetDlgItemTextA(m_dlg.m_hWnd, IDC_FW_NUMBER, n.before);
        EXPECT_EQ(n.result, m_dlg.UpdateDlgItemInt(IDC_FW_NUMBER, n.value, n.bSigned)) << n.value;
        EXPECT_EQ(n.shown, ItemText(m_dlg.m_hWnd, IDC_FW_NUMBER));
    }
}

TEST_F(DlgCtrlUtilsTest, SelectionInCombosListBoxesAndListControls)
{
    HWND hCombo = Ctl(IDC_FW_COMBO), hBox = Ctl(IDC_FW_LISTBOX);
    EXPECT_EQ(-1, m_dlg.SelectComboItemByData(IDC_FW_COMBO, 7)) << "empty box";
    EXPECT_EQ(-1, m_dlg.SelectListItemByData(IDC_FW_LISTBOX, 1)) << "empty box";
    const struct { const char* text; DWORD_PTR data; } entries[] = {{"Alpha", 10}, {"Beta", 20}, {"Gamma", 20}};
    for (int i = 0; i < 3; ++i) {
        ::SendMessageA(hCombo, CB_SETITEMDATA, ::SendMessageA(hCombo, CB_ADDSTRING, 0, (LPARAM)entries[i].text), entries[i].data);
        ::SendMessageA(hBox, LB_SETITEMDATA, ::SendMessageA(hBox, LB_ADDSTRING, 0, (LPARAM)entries[i].text), 100 + i);
    }
    EXPECT_EQ(1, m_dlg.SelectComboItemByData(IDC_FW_COMBO, 20)) << "the first entry with the data";
    EXPECT_EQ(1, ::SendMessageA(hCombo, CB_GETCURSEL, 0, 0));
    EXPECT_EQ(20u, m_dlg.GetComboSelItemData(IDC_FW_COMBO));
    EXPECT_EQ(-1, m_dlg.SelectComboItemByData(IDC_FW_COMBO, 99));
    EXPECT_EQ(2, m_dlg.SelectComboItemString(IDC_FW_COMBO, "gamma")) << "case-insensitive exact match";
    EXPECT_EQ(2, ::SendMessageA(hCombo, CB_GETCURSEL, 0, 0));
    EXPECT_EQ(0, m_dlg.SelectComboItemString(IDC_FW_COMBO, "Gam")) << "no prefix match";
    EXPECT_EQ(2, ::SendMessageA(hCombo, CB_GETCURSEL, 0, 0)) << "selection kept";
    EXPECT_EQ(0, m_dlg.SelectComboItemString(IDC_FW_ABSENT, "Alpha"));
    EXPECT_EQ(0, m_dlg.SelectComboItem(IDC_FW_COMBO, 0));
    EXPECT_EQ(10u, m_dlg.GetComboSelItemData(IDC_FW_COMBO));
    EXPECT_EQ(-1, m_dlg.SelectComboItem(IDC_FW_ABSENT, 0));
    EXPECT_EQ(2, m_dlg.SelectListItemByData(IDC_FW_LISTBOX, 102));
    EXPECT_EQ(2, ::SendMessageA(hBox, LB_GETCURSEL, 0, 0));
    EXPECT_EQ(-1, m_dlg.SelectListItemByData(IDC_FW_LISTBOX, 5));

    HWND hList = Ctl(IDC_FW_LISTVIEW);
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

TEST_F(DlgCtrlUtilsTest, LimitSliderAndRectangle)
{
    m_dlg.LimitDlgItemText(IDC_FW_EDIT, 5);
    EXPECT_EQ(5, ::SendMessageA(Ctl(IDC_FW_EDIT), EM_GETLIMITTEXT, 0, 0));
    ::SendMessageA(Ctl(IDC_FW_SLIDER), TBM_SETRANGE, TRUE, MAKELPARAM(0, 50));
    m_dlg.SetSliderPos(IDC_FW_SLIDER, 33);
    EXPECT_EQ(33, ::SendMessageA(Ctl(IDC_FW_SLIDER), TBM_GETPOS, 0, 0));
    RECT rcExpected, rc = {}, untouched = {1, 2, 3, 4};
    ::GetWindowRect(Ctl(IDC_FW_BUTTON), &rcExpected);
    ::MapWindowPoints(nullptr, m_dlg.m_hWnd, reinterpret_cast<POINT*>(&rcExpected), 2);
    m_dlg.GetDlgItemRect(IDC_FW_BUTTON, &rc);
    EXPECT_TRUE(::EqualRect(&rc, &rcExpected));
    EXPECT_GT(rc.left, 0);
    m_dlg.GetDlgItemRect(IDC_FW_ABSENT, &untouched);
    EXPECT_EQ(1, untouched.left);
}

TEST(DlgCtrlUtils, WithoutAWindowNothingHappens)
{
    CDlgCtrlUtils utils;
    EXPECT_EQ(0, utils.EnableDlgItem(1, TRUE));
    EXPECT_EQ(0, utils.UpdateDlgItemText(1, "x"));
    EXPECT_EQ(0, utils.UpdateDlgItemInt(1, 3, TRUE));
    EXPECT_EQ(-1, utils.SelectComboItem(1, 0));
    EXPECT_EQ(-1, utils.SelectListCtrlItemByData(1, 0));
    CWnd wnd;
    utils.Attach(&wnd);
    EXPECT_EQ(0, utils.ShowDlgItem(1, SW_SHOW)) << "a window object without a window";
}

}
