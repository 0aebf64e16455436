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
    // Runs the sheet modal with the script; returns DoModal's result.
    INT_PTR Run(CPropertySheet& sheet, ModalDriver::Script script, const char* caption = kTitle)
    {
        ModalDriver driver(script, caption);
        INT_PTR result = sheet.DoModal();
        EXPECT_TRUE(driver.Join());
        return result;
    }
    std::string Log() const
    {
        std::string s;
        for (const auto& e : m_log)
            s += (s.empty() ? "" : " ") + e;
        return s;
    }

    std::vector<std::string> m_log;
    CLogPage m_first { IDD_FW_PAGE_FIRST, IDS_FW_PAGE_FIRST, "1", m_log };
    CLogPage m_second { IDD_FW_PAGE_SECOND, IDS_FW_PAGE_SECOND, "2", m_log };
};

std::string TabText(HWND hSheet, int index)
{
    char text[64] = "";
    TCITEMA item = {};
    item.mask = TCIF_TEXT, item.pszText = text, item.cchTextMax = sizeof text;
    ::SendMessageA((HWND)::SendMessageA(hSheet, PSM_GETTABCONTROL, 0, 0), TCM_GETITEMA, index, (LPARAM)&item);
    return text;
}

bool ButtonShown(HWND hSheet, int nID)
{
    HWND hButton = ::GetDlgItem(hSheet, nID);
    return hButton && ::IsWindowVisible(hButton) && ::IsWindowEnabled(hButton);
}

// The German captions, also when a page removed the help button during the
// sheet's own initialisation; a modal sheet shows all its buttons.
TEST_F(PropertySheetTest, ButtonsCarryTheGermanCaptions)
{
    for (bool withHelp : {true, false}) {
        CPropertySheetExt sheet(IDS_FW_SHEET_TITLE);
        m_first.m_bRemoveHelpButton = !withHelp;
        sheet.AddPage(&m_first);
        std::string texts;
        EXPECT_EQ(IDCANCEL, Run(sheet, [&](HWND hSheet, ModalDriver&) {
            for (int id : {IDOK, IDCANCEL, ID_APPLY_NOW, IDHELP})   // OK and Abbrechen usable, Apply and Help there
                texts += (id == IDOK || id == IDCANCEL ? ButtonShown(hSheet, id) : ::GetDlgItem(hSheet, id) != nullptr)
                             ? ItemText(hSheet, id) + "|" : "-|";
            texts += Text(hSheet) + "|" + TabText(hSheet, 0);
            Click(hSheet, IDCANCEL);
        }));
        // Caption and page caption come from their string ids.
        EXPECT_EQ(std::string("OK|Abbruch|Übernehmen|") + (withHelp ? "Hilfe|" : "-|") + kTitle + "|Allgemein", texts);
        EXPECT_EQ(nullptr, sheet.m_hWnd);
    }
}

TEST_F(PropertySheetTest, OkLeavesTheActivePageThenAppliesEveryCreatedPage)
{
    CPropertySheetExt sheet(kTitle);
    sheet.AddPage(&m_first);
    sheet.AddPage(&m_second);
    EXPECT_EQ(2, sheet.GetPageCount());
    int activeBefore = -1;
    HWND hActive = nullptr, hSecond = nullptr;
    EXPECT_EQ(IDOK, Run(sheet, [&](HWND hSheet, ModalDriver&) {
        activeBefore = (int)::SendMessageA((HWND)::SendMessageA(hSheet, PSM_GETTABCONTROL, 0, 0), TCM_GETCURSEL, 0, 0);
        ::SendMessageA(hSheet, PSM_SETCURSEL, 1, 0);
        hActive = (HWND)::SendMessageA(hSheet, PSM_GETCURRENTPAGEHWND, 0, 0);
        hSecond = m_second.m_hWnd;
        Click(hSheet, IDOK);
    }));
    EXPECT_EQ(0, activeBefore);
    EXPECT_NE(nullptr, hActive);
    EXPECT_EQ(hSecond, hActive) << "the second page's window is bound to its object";
    EXPECT_EQ("1:init 1:setactive 1:killactive 2:init 2:setactive 2:killactive 1:apply 1:ok 2:apply 2:ok", Log());
}

TEST_F(PropertySheetTest, OnlyPagesThatWereShownAreAppliedAndReset)
{
    CPropertySheetExt sheet(kTitle, nullptr, 1);
    sheet.AddPage(&m_first);
    sheet.AddPage(&m_second);
    EXPECT_EQ(IDCANCEL, Run(sheet, [&](HWND hSheet, ModalDriver&) { Click(hSheet, IDCANCEL); }));
    EXPECT_EQ("2:init 2:setactive 2:querycancel 2:reset 2:cancel", Log())
        << "the page to select first is the second; the first never existed";
}

// A refused cancel, a page that refuses to be left and Apply keep the sheet open.
TEST_F(PropertySheetTest, RefusalsAndApplyKeepTheSheetOpen)
{
    const struct { int button; BOOL allowCancel, allowLeave; const char* log; } cases[] = {
        {IDCANCEL, FALSE, TRUE, "1:init 1:setactive 1:querycancel 1:querycancel 1:reset 1:cancel"},
        {IDOK, TRUE, FALSE, "1:init 1:setactive 1:killactive 1:killactive 1:querycancel 1:reset 1:cancel"},
        {ID_APPLY_NOW, TRUE, TRUE, "1:init 1:setactive 1:killactive 1:apply 1:ok 1:setactive 1:querycancel 1:reset 1:cancel"},
    };
    for (const auto& c : cases) {
        m_log.clear();
        CPropertySheetExt sheet(kTitle);
        sheet.AddPage(&m_first);
        sheet.AddPage(&m_second);
        m_first.m_bAllowCancel = c.allowCancel;
        m_first.m_bAllowLeave = c.allowLeave;
        bool open = false, applyBefore = true, applyModified = false;
        // Apply is not an end result, and OK that did not end the sheet is a cancel.
        EXPECT_EQ(IDCANCEL, Run(sheet, [&](HWND hSheet, ModalDriver&) {
            if (!c.allowLeave)
                ::SendMessageA(hSheet, PSM_SETCURSEL, 1, 0);
            applyBefore = ::IsWindowEnabled(::GetDlgItem(hSheet, ID_APPLY_NOW)) != FALSE;
            ::SendMessageA(hSheet, PSM_CHANGED, (WPARAM)m_first.m_hWnd, 0);
            applyModified = ::IsWindowEnabled(::GetDlgItem(hSheet, ID_APPLY_NOW)) != FALSE;
            Click(hSheet, c.button);
            ::Sleep(200);
            open = ::IsWindowVisible(hSheet) != FALSE;
            m_first.m_bAllowCancel = TRUE;
            Click(hSheet, IDCANCEL);
        }));
        EXPECT_TRUE(open) << c.button;
        EXPECT_FALSE(applyBefore);
        EXPECT_TRUE(applyModified);
        EXPECT_EQ(c.log, Log());
    }
}

TEST_F(PropertySheetTest, PageDataIsExchangedWhenThePageIsLeftAndPressButtonEndsTheSheet)
{
    CPropertySheetExt sheet(kTitle);
    sheet.AddPage(&m_first);
    std::string shown;
    EXPECT_EQ(IDOK, Run(sheet, [&](HWND hSheet, ModalDriver&) {
        HWND hPage = (HWND)::SendMessageA(hSheet, PSM_GETCURRENTPAGEHWND, 0, 0);
        shown = ItemText(hPage, IDC_FW_PAGE_EDIT);
        Type(hPage, IDC_FW_PAGE_EDIT, "Übersicht");
        ::PostMessageA(hSheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
    }));
    EXPECT_EQ("Anfang", shown);
    EXPECT_STREQ("Übersicht", m_first.m_strName);
    EXPECT_NE(std::string::npos, Log().find("1:apply"));
}

TEST_F(PropertySheetTest, ModelessSheetWithPagesAddedAndRemovedLive)
{
    CHelpSheet sheet;
    sheet.AddPage(&m_first);
    ASSERT_TRUE(sheet.Create());
    PumpFor(20);
    EXPECT_TRUE(::IsWindowVisible(sheet.m_hWnd));
    EXPECT_EQ(kTitle, Text(sheet.m_hWnd));
    EXPECT_EQ(&m_first, sheet.GetActivePage());
    EXPECT_EQ(1, sheet.GetPageCount());
    // The page hands help on to its sheet.
    EXPECT_EQ(0xFFFFFFFFUL, m_first.GetPageType());
    EXPECT_EQ(1, m_first.OnCommandHelp(7, 9));
    EXPECT_EQ(1, sheet.m_nHelpCalls);
    EXPECT_EQ(7u, sheet.m_wHelp);
    EXPECT_EQ(9, sheet.m_lHelp);
    // A modeless sheet carries no standard buttons: hidden and disabled, and the sheet ends above them.
    for (int nID : {IDOK, IDCANCEL, ID_APPLY_NOW, IDHELP})
        EXPECT_FALSE(ButtonShown(sheet.m_hWnd, nID)) << "button " << nID;
    CRect rcSheet, rcOk, rcPage;
    sheet.GetWindowRect(&rcSheet);
    ::GetWindowRect(::GetDlgItem(sheet.m_hWnd, IDOK), &rcOk);
    m_first.GetWindowRect(&rcPage);
    EXPECT_EQ(rcOk.top, rcSheet.bottom) << "the sheet ends where the buttons began";
    EXPECT_LE(rcPage.bottom, rcSheet.bottom) << "the page stays whole";
    HWND hApply = ::GetDlgItem(sheet.m_hWnd, ID_APPLY_NOW), hCancel = ::GetDlgItem(sheet.m_hWnd, IDCANCEL);
    m_first.SetModified(TRUE);
    EXPECT_TRUE(::IsWindowEnabled(hApply));
    m_first.SetModified(FALSE);
    EXPECT_FALSE(::IsWindowEnabled(hApply));
    ::EnableWindow(hCancel, TRUE);
    m_first.CancelToClose();
    EXPECT_FALSE(::IsWindowEnabled(hCancel));
    EXPECT_EQ("Abbruch", Text(hCancel));

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
    EXPECT_EQ(nullptr, sheet.m_hWnd);
    EXPECT_EQ(nullptr, m_second.m_hWnd) << "the page window went with the sheet";
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

}
