// CDialogEx and CDlgCtrlUtils on a real dialog with real common controls.
#include <afxwin.h>
#include <gtest/gtest.h>
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
    void AddCombo(const char* text, DWORD_PTR data)
    {
        int i = (int)::SendMessageA(Ctl(IDC_FW_COMBO), CB_ADDSTRING, 0, (LPARAM)text);
        ::SendMessageA(Ctl(IDC_FW_COMBO), CB_SETITEMDATA, i, (LPARAM)data);
    }
    void AddListRow(const char* text, DWORD_PTR data)
    {
        HWND hList = Ctl(IDC_FW_LISTVIEW);
        LVITEMA item = {};
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.iItem = (int)::SendMessageA(hList, LVM_GETITEMCOUNT, 0, 0);
        item.pszText = const_cast<char*>(text);
        item.lParam = (LPARAM)data;
        ::SendMessageA(hList, LVM_INSERTITEMA, 0, (LPARAM)&item);
    }
    bool RowSelected(int row)
    {
        return ::SendMessageA(Ctl(IDC_FW_LISTVIEW), LVM_GETITEMSTATE, row, LVIS_SELECTED) != 0;
    }

    CControlsDlg m_dlg;
};

TEST_F(DlgCtrlUtilsTest, DialogExAddressesItsOwnControls)
{
    EXPECT_EQ(0xFFFFFFFFUL, m_dlg.GetPageType());
    EXPECT_EQ(0, m_dlg.EnableDlgItem(IDC_FW_ABSENT, FALSE)) << "missing control";
    m_dlg.EnableDlgItem(IDC_FW_BUTTON, FALSE);
    EXPECT_FALSE(::IsWindowEnabled(Ctl(IDC_FW_BUTTON)));
    EXPECT_NE(0, m_dlg.EnableDlgItem(IDC_FW_BUTTON, TRUE)) << "EnableWindow's answer: it was disabled";
    EXPECT_TRUE(::IsWindowEnabled(Ctl(IDC_FW_BUTTON)));
}

TEST_F(DlgCtrlUtilsTest, EnableAndShowManyControls)
{
    m_dlg.EnableDlgItems(FALSE, 3, IDC_FW_EDIT, IDC_FW_ABSENT, IDC_FW_COMBO);
    EXPECT_FALSE(::IsWindowEnabled(Ctl(IDC_FW_EDIT)));
    EXPECT_FALSE(::IsWindowEnabled(Ctl(IDC_FW_COMBO)));
    EXPECT_TRUE(::IsWindowEnabled(Ctl(IDC_FW_NUMBER)));

    const UINT ids[] = { IDC_FW_EDIT, IDC_FW_COMBO, IDC_FW_SLIDER };
    m_dlg.EnableDlgItemArray(TRUE, ids, 2);
    EXPECT_TRUE(::IsWindowEnabled(Ctl(IDC_FW_EDIT)));
    EXPECT_TRUE(::IsWindowEnabled(Ctl(IDC_FW_COMBO)));

    m_dlg.ShowDlgItems(SW_HIDE, 2, IDC_FW_LISTBOX, IDC_FW_BUTTON);
    EXPECT_FALSE(::IsWindowVisible(Ctl(IDC_FW_LISTBOX)));
    EXPECT_FALSE(::IsWindowVisible(Ctl(IDC_FW_BUTTON)));
    EXPECT_TRUE(::IsWindowVisible(Ctl(IDC_FW_EDIT)));
    EXPECT_EQ(0, m_dlg.ShowDlgItem(IDC_FW_BUTTON, SW_SHOW)) << "ShowWindow's answer: it was hidden";
    EXPECT_NE(0, m_dlg.ShowDlgItem(IDC_FW_BUTTON, SW_HIDE)) << "it was visible";
    EXPECT_EQ(0, m_dlg.ShowDlgItem(IDC_FW_ABSENT, SW_SHOW));

    m_dlg.ShowDlgItemArray(ids, 3, SW_HIDE);
    EXPECT_FALSE(::IsWindowVisible(Ctl(IDC_FW_SLIDER)));
    EXPECT_FALSE(::IsWindowVisible(Ctl(IDC_FW_EDIT)));
}

TEST_F(DlgCtrlUtilsTest, UpdateTextOnlyWhenItChanged)
{
    EXPECT_EQ(1, m_dlg.UpdateDlgItemText(IDC_FW_EDIT, "Größe"));
    EXPECT_EQ("Größe", ItemText(m_dlg.m_hWnd, IDC_FW_EDIT));
    EXPECT_EQ(1, m_dlg.m_nEditChanges);

    EXPECT_EQ(0, m_dlg.UpdateDlgItemText(IDC_FW_EDIT, "Größe")) << "same text";
    EXPECT_EQ(1, m_dlg.m_nEditChanges) << "no change notification for the same text";

    EXPECT_EQ(1, m_dlg.UpdateDlgItemText(IDC_FW_EDIT, "GRÖSSE")) << "the comparison is case-sensitive";
    EXPECT_EQ(2, m_dlg.m_nEditChanges);
    EXPECT_EQ(0, m_dlg.UpdateDlgItemText(IDC_FW_ABSENT, "x"));
}

TEST_F(DlgCtrlUtilsTest, UpdateNumberOnlyWhenItChanged)
{
    EXPECT_EQ(1, m_dlg.UpdateDlgItemInt(IDC_FW_NUMBER, 42, FALSE)) << "empty control: written";
    EXPECT_EQ("42", ItemText(m_dlg.m_hWnd, IDC_FW_NUMBER));
    EXPECT_EQ(0, m_dlg.UpdateDlgItemInt(IDC_FW_NUMBER, 42, FALSE));
    EXPECT_EQ(1, m_dlg.UpdateDlgItemInt(IDC_FW_NUMBER, 43, TRUE));

    EXPECT_EQ(1, m_dlg.UpdateDlgItemInt(IDC_FW_NUMBER, -5, TRUE));
    EXPECT_EQ("-5", ItemText(m_dlg.m_hWnd, IDC_FW_NUMBER)) << "written as a signed number";
    EXPECT_EQ(0, m_dlg.UpdateDlgItemInt(IDC_FW_NUMBER, -5, TRUE));

    ::SetDlgItemTextA(m_dlg.m_hWnd, IDC_FW_NUMBER, "zwölf");
    EXPECT_EQ(1, m_dlg.UpdateDlgItemInt(IDC_FW_NUMBER, 12, TRUE));
    EXPECT_EQ("12", ItemText(m_dlg.m_hWnd, IDC_FW_NUMBER));
}

TEST_F(DlgCtrlUtilsTest, ComboSelectionByIndexDataAndText)
{
    EXPECT_EQ(-1, m_dlg.SelectComboItemByData(IDC_FW_COMBO, 7)) << "empty box";
    AddCombo("Alpha", 10);
    AddCombo("Beta", 20);
    AddCombo("Gamma", 20);
    EXPECT_EQ(1, m_dlg.SelectComboItemByData(IDC_FW_COMBO, 20)) << "the first entry with the data";
    EXPECT_EQ(1, ::SendMessageA(Ctl(IDC_FW_COMBO), CB_GETCURSEL, 0, 0));
    EXPECT_EQ(20u, m_dlg.GetComboSelItemData(IDC_FW_COMBO));
    EXPECT_EQ(-1, m_dlg.SelectComboItemByData(IDC_FW_COMBO, 99));

    EXPECT_EQ(2, m_dlg.SelectComboItemString(IDC_FW_COMBO, "gamma")) << "case-insensitive exact match";
    EXPECT_EQ(2, ::SendMessageA(Ctl(IDC_FW_COMBO), CB_GETCURSEL, 0, 0));
    EXPECT_EQ(0, m_dlg.SelectComboItemString(IDC_FW_COMBO, "Gam")) << "no prefix match";
    EXPECT_EQ(2, ::SendMessageA(Ctl(IDC_FW_COMBO), CB_GETCURSEL, 0, 0)) << "selection kept";
    EXPECT_EQ(0, m_dlg.SelectComboItemString(IDC_FW_ABSENT, "Alpha"));

    EXPECT_EQ(0, m_dlg.SelectComboItem(IDC_FW_COMBO, 0));
    EXPECT_EQ(10u, m_dlg.GetComboSelItemData(IDC_FW_COMBO));
    EXPECT_EQ(-1, m_dlg.SelectComboItem(IDC_FW_ABSENT, 0));
}

TEST_F(DlgCtrlUtilsTest, ListBoxSelectionByData)
{
    HWND hBox = Ctl(IDC_FW_LISTBOX);
    EXPECT_EQ(-1, m_dlg.SelectListItemByData(IDC_FW_LISTBOX, 1)) << "empty box";
    for (int i = 0; i < 3; ++i) {
        int n = (int)::SendMessageA(hBox, LB_ADDSTRING, 0, (LPARAM)(i == 0 ? "a" : i == 1 ? "b" : "c"));
        ::SendMessageA(hBox, LB_SETITEMDATA, n, 100 + i);
    }
    EXPECT_EQ(2, m_dlg.SelectListItemByData(IDC_FW_LISTBOX, 102));
    EXPECT_EQ(2, ::SendMessageA(hBox, LB_GETCURSEL, 0, 0));
    EXPECT_EQ(-1, m_dlg.SelectListItemByData(IDC_FW_LISTBOX, 5));
}

TEST_F(DlgCtrlUtilsTest, ListControlSelectsEveryMatchAndClearsTheRest)
{
    AddListRow("eins", 1);
    AddListRow("zwei", 2);
    AddListRow("drei", 1);
    AddListRow("vier", 3);
    SelectListRow(Ctl(IDC_FW_LISTVIEW), 3);
    EXPECT_EQ(2, m_dlg.SelectListCtrlItemByData(IDC_FW_LISTVIEW, 1)) << "the later of two matches";
    EXPECT_TRUE(RowSelected(0));
    EXPECT_FALSE(RowSelected(1));
    EXPECT_TRUE(RowSelected(2));
    EXPECT_FALSE(RowSelected(3)) << "an earlier selection is cleared";

    EXPECT_EQ(-1, m_dlg.SelectListCtrlItemByData(IDC_FW_LISTVIEW, 9));
    for (int i = 0; i < 4; ++i)
        EXPECT_FALSE(RowSelected(i));
}

TEST_F(DlgCtrlUtilsTest, LimitSliderAndRectangle)
{
    m_dlg.LimitDlgItemText(IDC_FW_EDIT, 5);
    EXPECT_EQ(5, ::SendMessageA(Ctl(IDC_FW_EDIT), EM_GETLIMITTEXT, 0, 0));

    ::SendMessageA(Ctl(IDC_FW_SLIDER), TBM_SETRANGE, TRUE, MAKELPARAM(0, 50));
    m_dlg.SetSliderPos(IDC_FW_SLIDER, 33);
    EXPECT_EQ(33, ::SendMessageA(Ctl(IDC_FW_SLIDER), TBM_GETPOS, 0, 0));

    RECT rcExpected;
    ::GetWindowRect(Ctl(IDC_FW_BUTTON), &rcExpected);
    ::MapWindowPoints(nullptr, m_dlg.m_hWnd, reinterpret_cast<POINT*>(&rcExpected), 2);
    RECT rc = {};
    m_dlg.GetDlgItemRect(IDC_FW_BUTTON, &rc);
    EXPECT_TRUE(::EqualRect(&rc, &rcExpected));
    EXPECT_GT(rc.left, 0);

    RECT untouched = { 1, 2, 3, 4 };
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
