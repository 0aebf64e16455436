// Property sheets and pages on the platform's sheet control: the German
// button captions, the order of the page notifications, data exchange on the
// pages, and pages added and removed while the sheet is up.
#include <afxdlgs.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "framework/PropertyPageExt.h"
#include "framework/PropertySheetExt.h"
#include "framework_tests_res.h"
#include "uiauto/ControlActions.h"
#include "uiauto/MessagePump.h"
#include "uiauto/ModalDriver.h"

using namespace qrvtest;

namespace {

const char kTitle[] = "Eigenschaften der Prüfung";

// A page that writes every notification it gets into a shared log.
class CLogPage : public CPropertyPageExt
{
public:
    CLogPage(UINT nIDTemplate, UINT nIDCaption, const char* name, std::vector<std::string>& log)
        : CPropertyPageExt(nIDTemplate, nIDCaption), m_name(name), m_log(log) {}

    BOOL m_bAllowLeave = TRUE;
    BOOL m_bAllowCancel = TRUE;
    BOOL m_bRemoveHelpButton = FALSE;
    CString m_strName = "Anfang";

    BOOL OnInitDialog() override
    {
        Log("init");
        // Runs inside the sheet's own initialisation, before the captions.
        if (m_bRemoveHelpButton)
            ::DestroyWindow(::GetDlgItem(::GetParent(m_hWnd), IDHELP));
        return CPropertyPageExt::OnInitDialog();
    }
    BOOL OnSetActive() override { Log("setactive"); return CPropertyPageExt::OnSetActive(); }
    BOOL OnKillActive() override
    {
        Log("killactive");
        return m_bAllowLeave && CPropertyPageExt::OnKillActive();
    }
    BOOL OnApply() override { Log("apply"); return CPropertyPageExt::OnApply(); }
    void OnOK() override { Log("ok"); }
    void OnReset() override { Log("reset"); CPropertyPageExt::OnReset(); }
    void OnCancel() override { Log("cancel"); }
    BOOL OnQueryCancel() override { Log("querycancel"); return m_bAllowCancel; }

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        if (::GetDlgItem(m_hWnd, IDC_FW_PAGE_EDIT))
            DDX_Text(pDX, IDC_FW_PAGE_EDIT, m_strName);
    }

private:
    void Log(const char* what) { m_log.push_back(m_name + ":" + what); }
    std::string m_name;
    std::vector<std::string>& m_log;
};

// Records the help command the pages hand on.
class CHelpSheet : public CPropertySheetExt
{
public:
    CHelpSheet() : CPropertySheetExt(IDS_FW_SHEET_TITLE) {}
    WPARAM m_wHelp = 0;
    LPARAM m_lHelp = 0;
    int m_nHelpCalls = 0;

protected:
    afx_msg LRESULT OnCommandHelp(WPARAM wParam, LPARAM lParam)
    {
        ++m_nHelpCalls;
        m_wHelp = wParam;
        m_lHelp = lParam;
        return 1;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CHelpSheet, CPropertySheetExt)
    ON_MESSAGE(WM_COMMANDHELP, OnCommandHelp)
END_MESSAGE_MAP()

class PropertySheetTest : public ::testing::Test
{
protected:
    std::vector<std::string> m_log;
    CLogPage m_first { IDD_FW_PAGE_FIRST, IDS_FW_PAGE_FIRST, "1", m_log };
    CLogPage m_second { IDD_FW_PAGE_SECOND, IDS_FW_PAGE_SECOND, "2", m_log };
};

std::string Join(const std::vector<std::string>& v)
{
    std::string s;
    for (const auto& e : v)
        s += (s.empty() ? "" : " ") + e;
    return s;
}

std::string TabText(HWND hSheet, int index)
{
    HWND hTab = (HWND)::SendMessageA(hSheet, PSM_GETTABCONTROL, 0, 0);
    char text[64] = "";
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    ::SendMessageA(hTab, TCM_GETITEMA, index, (LPARAM)&item);
    return text;
}

TEST_F(PropertySheetTest, ButtonsCarryTheGermanCaptions)
{
    CPropertySheetExt sheet(IDS_FW_SHEET_TITLE);
    sheet.AddPage(&m_first);
    std::string ok, cancel, apply, help, caption, tab;
    ModalDriver driver([&](HWND hSheet, ModalDriver&) {
        ok = ItemText(hSheet, IDOK);
        cancel = ItemText(hSheet, IDCANCEL);
        apply = ItemText(hSheet, ID_APPLY_NOW);
        help = ItemText(hSheet, IDHELP);
        caption = Text(hSheet);
        tab = TabText(hSheet, 0);
        Click(hSheet, IDCANCEL);
    }, kTitle);
    EXPECT_EQ(IDCANCEL, sheet.DoModal());
    EXPECT_TRUE(driver.Join());
    EXPECT_EQ("OK", ok);
    EXPECT_EQ("Abbruch", cancel);
    EXPECT_EQ("Übernehmen", apply);
    EXPECT_EQ("Hilfe", help);
    EXPECT_EQ(kTitle, caption) << "caption from the string id";
    EXPECT_EQ("Allgemein", tab) << "page caption from its string id";
    EXPECT_EQ(nullptr, sheet.m_hWnd);
}

TEST_F(PropertySheetTest, SheetWithoutHelpButtonCaptionsTheOtherThree)
{
    CPropertySheetExt sheet("Ohne Hilfe");
    m_first.m_bRemoveHelpButton = TRUE;
    sheet.AddPage(&m_first);
    std::string ok, cancel, apply;
    bool hasHelp = true;
    ModalDriver driver([&](HWND hSheet, ModalDriver&) {
        ok = ItemText(hSheet, IDOK);
        cancel = ItemText(hSheet, IDCANCEL);
        apply = ItemText(hSheet, ID_APPLY_NOW);
        hasHelp = ::GetDlgItem(hSheet, IDHELP) != nullptr;
        Click(hSheet, IDCANCEL);
    }, "Ohne Hilfe");
    EXPECT_EQ(IDCANCEL, sheet.DoModal());
    EXPECT_TRUE(driver.Join());
    EXPECT_FALSE(hasHelp);
    EXPECT_EQ("OK", ok);
    EXPECT_EQ("Abbruch", cancel);
    EXPECT_EQ("Übernehmen", apply);
}

TEST_F(PropertySheetTest, OkLeavesTheActivePageThenAppliesEveryCreatedPage)
{
    CPropertySheetExt sheet(kTitle);
    sheet.AddPage(&m_first);
    sheet.AddPage(&m_second);
    EXPECT_EQ(2, sheet.GetPageCount());
    int activeBefore = -1;
    HWND hActive = nullptr, hSecond = nullptr;
    ModalDriver driver([&](HWND hSheet, ModalDriver&) {
        activeBefore = (int)::SendMessageA((HWND)::SendMessageA(hSheet, PSM_GETTABCONTROL, 0, 0), TCM_GETCURSEL, 0, 0);
        ::SendMessageA(hSheet, PSM_SETCURSEL, 1, 0);
        hActive = (HWND)::SendMessageA(hSheet, PSM_GETCURRENTPAGEHWND, 0, 0);
        hSecond = m_second.m_hWnd;
        Click(hSheet, IDOK);
    }, kTitle);
    EXPECT_EQ(IDOK, sheet.DoModal());
    EXPECT_TRUE(driver.Join());
    EXPECT_EQ(0, activeBefore);
    EXPECT_NE(nullptr, hActive);
    EXPECT_EQ(hSecond, hActive) << "the second page's window is bound to its object";
    EXPECT_EQ("1:init 1:setactive 1:killactive 2:init 2:setactive 2:killactive 1:apply 1:ok 2:apply 2:ok",
              Join(m_log));
}

TEST_F(PropertySheetTest, OnlyPagesThatWereShownAreAppliedAndReset)
{
    CPropertySheetExt sheet(kTitle, nullptr, 1);
    sheet.AddPage(&m_first);
    sheet.AddPage(&m_second);
    ModalDriver driver([&](HWND hSheet, ModalDriver&) { Click(hSheet, IDCANCEL); }, kTitle);
    EXPECT_EQ(IDCANCEL, sheet.DoModal());
    EXPECT_TRUE(driver.Join());
    EXPECT_EQ("2:init 2:setactive 2:querycancel 2:reset 2:cancel", Join(m_log))
        << "the page to select first is the second; the first never existed";
}

TEST_F(PropertySheetTest, CancelAsksTheActivePageAndCanBeRefused)
{
    CPropertySheetExt sheet(kTitle);
    sheet.AddPage(&m_first);
    sheet.AddPage(&m_second);
    m_first.m_bAllowCancel = FALSE;
    bool openAfterRefusal = false;
    ModalDriver driver([&](HWND hSheet, ModalDriver&) {
        Click(hSheet, IDCANCEL);
        ::Sleep(200);
        openAfterRefusal = ::IsWindowVisible(hSheet) != FALSE;
        m_first.m_bAllowCancel = TRUE;
        Click(hSheet, IDCANCEL);
    }, kTitle);
    EXPECT_EQ(IDCANCEL, sheet.DoModal());
    EXPECT_TRUE(driver.Join());
    EXPECT_TRUE(openAfterRefusal);
    EXPECT_EQ("1:init 1:setactive 1:querycancel 1:querycancel 1:reset 1:cancel", Join(m_log));
}

TEST_F(PropertySheetTest, APageThatRefusesToBeLeftKeepsTheSheetOpen)
{
    CPropertySheetExt sheet(kTitle);
    sheet.AddPage(&m_first);
    sheet.AddPage(&m_second);
    m_first.m_bAllowLeave = FALSE;
    BOOL switched = TRUE;
    bool openAfterOk = false;
    ModalDriver driver([&](HWND hSheet, ModalDriver&) {
        switched = (BOOL)::SendMessageA(hSheet, PSM_SETCURSEL, 1, 0);
        Click(hSheet, IDOK);
        ::Sleep(200);
        openAfterOk = ::IsWindowVisible(hSheet) != FALSE;
        Click(hSheet, IDCANCEL);
    }, kTitle);
    EXPECT_EQ(IDCANCEL, sheet.DoModal()) << "OK did not end the sheet, so it is a cancel";
    EXPECT_TRUE(driver.Join());
    EXPECT_TRUE(openAfterOk);
    EXPECT_EQ(std::string::npos, Join(m_log).find("2:init")) << "the second page was never shown";
    EXPECT_EQ(std::string::npos, Join(m_log).find("apply"));
    (void)switched;
}

TEST_F(PropertySheetTest, PageDataIsExchangedWhenThePageIsLeft)
{
    CPropertySheetExt sheet(kTitle);
    sheet.AddPage(&m_first);
    std::string shown;
    ModalDriver driver([&](HWND hSheet, ModalDriver&) {
        HWND hPage = (HWND)::SendMessageA(hSheet, PSM_GETCURRENTPAGEHWND, 0, 0);
        shown = ItemText(hPage, IDC_FW_PAGE_EDIT);
        Type(hPage, IDC_FW_PAGE_EDIT, "Übersicht");
        Click(hSheet, IDOK);
    }, kTitle);
    EXPECT_EQ(IDOK, sheet.DoModal());
    EXPECT_TRUE(driver.Join());
    EXPECT_EQ("Anfang", shown);
    EXPECT_STREQ("Übersicht", m_first.m_strName);
}

TEST_F(PropertySheetTest, ModifiedPageEnablesApplyWhichAppliesWithoutClosing)
{
    CPropertySheetExt sheet(kTitle);
    sheet.AddPage(&m_first);
    bool applyEnabledBefore = true, applyEnabledAfterModify = false, openAfterApply = false;
    std::vector<std::string> logAfterApply;
    ModalDriver driver([&](HWND hSheet, ModalDriver&) {
        applyEnabledBefore = ::IsWindowEnabled(::GetDlgItem(hSheet, ID_APPLY_NOW)) != FALSE;
        ::SendMessageA(hSheet, PSM_CHANGED, (WPARAM)m_first.m_hWnd, 0);
        applyEnabledAfterModify = ::IsWindowEnabled(::GetDlgItem(hSheet, ID_APPLY_NOW)) != FALSE;
        Click(hSheet, ID_APPLY_NOW);
        ::Sleep(200);
        openAfterApply = ::IsWindowVisible(hSheet) != FALSE;
        Click(hSheet, IDCANCEL);
    }, kTitle);
    EXPECT_EQ(IDCANCEL, sheet.DoModal()) << "Apply is not an end result";
    EXPECT_TRUE(driver.Join());
    EXPECT_FALSE(applyEnabledBefore);
    EXPECT_TRUE(applyEnabledAfterModify);
    EXPECT_TRUE(openAfterApply);
    EXPECT_NE(std::string::npos, Join(m_log).find("1:killactive 1:apply 1:ok"));
}

TEST_F(PropertySheetTest, SetModifiedAndCancelToCloseFromThePage)
{
    CPropertySheetExt sheet(kTitle);
    sheet.AddPage(&m_first);
    ASSERT_TRUE(sheet.Create());
    PumpFor(20);
    HWND hApply = ::GetDlgItem(sheet.m_hWnd, ID_APPLY_NOW);
    EXPECT_FALSE(::IsWindowEnabled(hApply));
    m_first.SetModified(TRUE);
    EXPECT_TRUE(::IsWindowEnabled(hApply));
    m_first.SetModified(FALSE);
    EXPECT_FALSE(::IsWindowEnabled(hApply));
    m_first.CancelToClose();
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(sheet.m_hWnd, IDCANCEL)));
    sheet.DestroyWindow();
    EXPECT_EQ(nullptr, sheet.m_hWnd);
    EXPECT_EQ(nullptr, m_first.m_hWnd) << "the page window went with the sheet";
}

TEST_F(PropertySheetTest, ModelessSheetWithPagesAddedAndRemovedLive)
{
    CPropertySheetExt sheet(kTitle);
    sheet.AddPage(&m_first);
    ASSERT_TRUE(sheet.Create());
    PumpFor(20);
    EXPECT_TRUE(::IsWindowVisible(sheet.m_hWnd));
    EXPECT_EQ("Abbruch", ItemText(sheet.m_hWnd, IDCANCEL));
    EXPECT_EQ(&m_first, sheet.GetActivePage());
    EXPECT_EQ(1, sheet.GetPageCount());

    sheet.AddPage(&m_second);
    EXPECT_EQ(2, sheet.GetPageCount());
    EXPECT_EQ("Ansicht", TabText(sheet.m_hWnd, 1));
    EXPECT_TRUE(sheet.SetActivePage(&m_second));
    PumpFor(20);
    EXPECT_EQ(&m_second, sheet.GetActivePage());
    EXPECT_EQ(1, sheet.GetActiveIndex());
    ASSERT_NE(nullptr, m_second.m_hWnd) << "the page window is bound to its object";
    EXPECT_EQ(sheet.m_hWnd, ::GetParent(m_second.m_hWnd));

    sheet.RemovePage(&m_first);
    PumpFor(20);
    EXPECT_EQ(1, sheet.GetPageCount());
    EXPECT_EQ(&m_second, sheet.GetPage(0));
    EXPECT_EQ(nullptr, m_first.m_hWnd) << "the removed page's window is gone";
    EXPECT_EQ(nullptr, sheet.GetPage(1));

    sheet.PressButton(PSBTN_CANCEL);
    PumpFor(20);
    EXPECT_EQ(0, ::SendMessageA(sheet.m_hWnd, PSM_GETCURRENTPAGEHWND, 0, 0)) << "the sheet ended";
    sheet.DestroyWindow();
}

TEST_F(PropertySheetTest, PressButtonOkEndsAModalSheet)
{
    CPropertySheetExt sheet(kTitle);
    sheet.AddPage(&m_first);
    ModalDriver driver([&](HWND hSheet, ModalDriver&) {
        ::PostMessageA(hSheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
    }, kTitle);
    EXPECT_EQ(IDOK, sheet.DoModal());
    EXPECT_TRUE(driver.Join());
    EXPECT_NE(std::string::npos, Join(m_log).find("1:apply"));
}

TEST_F(PropertySheetTest, SheetCannotBeCreatedWithoutPagesOrTemplates)
{
    CPropertySheet empty("Leer");
    EXPECT_EQ(-1, empty.DoModal());
    CPropertySheet broken("Kaputt");
    CPropertyPage missing(4711);
    broken.AddPage(&missing);
    EXPECT_EQ(-1, broken.DoModal()) << "a page template that cannot be found";
    EXPECT_EQ(nullptr, broken.m_hWnd);
}

TEST_F(PropertySheetTest, PageExtForwardsHelpToItsSheet)
{
    CHelpSheet sheet;
    sheet.AddPage(&m_first);
    ASSERT_TRUE(sheet.Create());
    PumpFor(20);
    EXPECT_EQ(0xFFFFFFFFUL, m_first.GetPageType());
    EXPECT_EQ(1, m_first.OnCommandHelp(7, 9));
    EXPECT_EQ(1, sheet.m_nHelpCalls);
    EXPECT_EQ(7u, sheet.m_wHelp);
    EXPECT_EQ(9, sheet.m_lHelp);
    EXPECT_EQ(kTitle, Text(sheet.m_hWnd));
    sheet.DestroyWindow();
}

}
