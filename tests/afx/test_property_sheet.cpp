// Property sheets and pages on the platform's sheet control: the title and tab texts, the order of the
// page notifications, data exchange on the pages, and pages added and removed while the sheet is up.
#include <afxdlgs.h>
#include <gtest/gtest.h>
#include <functional>
#include <string>
#include "afx_tests_res.h"
#include "uiauto/ControlActions.h"
#include "uiauto/MessagePump.h"
#include "uiauto/ModalDriver.h"

using namespace qrvtest;

namespace {

const char kTitle[] = "Eigenschaften der Prüfung";

// A page that writes every notification it gets into a shared log.
class CLogPage : public CPropertyPage {
public:
    CLogPage(UINT nIDTemplate, const char *name, std::string &log)
        : CPropertyPage(nIDTemplate), m_name(name), m_log(log)
    {
    }
    BOOL m_bAllowLeave = TRUE, m_bAllowCancel = TRUE;
    CString m_strName = "Anfang";
    BOOL OnInitDialog() override
    {
        Log("init");
        return CPropertyPage::OnInitDialog();
    }
    BOOL OnSetActive() override
    {
        Log("setactive");
        return CPropertyPage::OnSetActive();
    }
    BOOL OnKillActive() override
    {
        Log("killactive");
        return m_bAllowLeave && CPropertyPage::OnKillActive();
    }
    BOOL OnApply() override
    {
        Log("apply");
        return CPropertyPage::OnApply();
    }
    void OnOK() override { Log("ok"); }
    void OnReset() override
    {
        Log("reset");
        CPropertyPage::OnReset();
    }
    void OnCancel() override { Log("cancel"); }
    BOOL OnQueryCancel() override
    {
        Log("querycancel");
        return m_bAllowCancel;
    }

protected:
    void DoDataExchange(CDataExchange *pDX) override
    {
        if (::GetDlgItem(m_hWnd, IDC_TEST_NAME))
            DDX_Text(pDX, IDC_TEST_NAME, m_strName);
    }

private:
    void Log(const char *what) { m_log += std::string(m_log.empty() ? "" : " ") + m_name + ":" + what; }
    std::string m_name;
    std::string &m_log;
};

class PropertySheetTest : public ::testing::Test {
protected:
    // Runs the sheet modal with the script; returns DoModal's result.
    INT_PTR Run(CPropertySheet &sheet, std::function<void(HWND)> script)
    {
        ModalDriver driver([&](HWND hSheet, ModalDriver &) { script(hSheet); }, kTitle);
        INT_PTR result = sheet.DoModal();
        EXPECT_TRUE(driver.Join());
        return result;
    }
    std::string m_log;
    CLogPage m_first{IDD_TEST_DIALOG, "1", m_log};
    CLogPage m_second{IDD_TEST_BUTTONS, "2", m_log};
};

std::string TabText(HWND hSheet, int index)
{
    char text[64] = "";
    TCITEMA item = {};
    item.mask = TCIF_TEXT, item.pszText = text, item.cchTextMax = sizeof text;
    ::SendMessageA((HWND)::SendMessageA(hSheet, PSM_GETTABCONTROL, 0, 0), TCM_GETITEMA, index, (LPARAM)&item);
    return text;
}
CRect Rect(HWND hWnd)
{
    CRect rc;
    ::GetWindowRect(hWnd, &rc);
    return rc;
}
HWND CurrentPage(HWND hSheet)
{
    return (HWND)::SendMessageA(hSheet, PSM_GETCURRENTPAGEHWND, 0, 0);
}
bool ButtonShown(HWND hSheet, int nID)
{
    HWND hButton = ::GetDlgItem(hSheet, nID);
    return hButton && ::IsWindowVisible(hButton) && ::IsWindowEnabled(hButton);
}

// The title, the pages' captions on the tabs, OK and Cancel shown and Apply and Help there. OK leaves the
// active page, then applies every created page; pages never shown are neither applied nor reset; data is
// exchanged when the page is left. A refused cancel, a page refusing to be left and Apply keep the sheet
// open; Apply is not an end result, and OK that did not end the sheet is a cancel.
TEST_F(PropertySheetTest, ButtonsReachThePagesThatWereShownInOrderAndRefusalsKeepTheSheetOpen)
{
    std::string typed, states,
        texts; // states: Apply before and after a change, the sheet open after a refused button
    bool bound = false;
    auto captions = [&](HWND h) {
        for (int id : {IDOK, IDCANCEL, ID_APPLY_NOW, IDHELP})
            texts += (id == IDOK || id == IDCANCEL ? ButtonShown(h, id) : ::GetDlgItem(h, id) != nullptr)
                         ? '1'
                         : '0';
        texts += "|" + Text(h) + "|" + TabText(h, 0) + "|" + TabText(h, 1);
        Click(h, IDCANCEL);
    };
    auto pressThenCancel = [&](int button) {
        return [&, button](HWND h) {
            Click(h, button);
            ::Sleep(200);
            states += std::to_string(::IsWindowVisible(h));
            m_first.m_bAllowCancel = TRUE;
            Click(h, IDCANCEL);
        };
    };
    const struct {
        UINT select;
        BOOL allowCancel, allowLeave;
        std::function<void(HWND)> act;
        INT_PTR result;
        const char *log;
    } cases[] = {
        {0, TRUE, TRUE, captions, IDCANCEL, "1:init 1:setactive 1:querycancel 1:reset 1:cancel"},
        {0, TRUE, TRUE,
         [&](HWND h) {
             ::SendMessageA(h, PSM_SETCURSEL, 1, 0), bound = CurrentPage(h) == m_second.m_hWnd,
                                                     Click(h, IDOK);
         },
         IDOK, "1:init 1:setactive 1:killactive 2:init 2:setactive 2:killactive 1:apply 1:ok 2:apply 2:ok"},
        {1, TRUE, TRUE, [&](HWND h) { Click(h, IDCANCEL); }, IDCANCEL,
         "2:init 2:setactive 2:querycancel 2:reset 2:cancel"},
        {0, TRUE, TRUE,
         [&](HWND h) {
             typed = ItemText(CurrentPage(h), IDC_TEST_NAME);
             Type(CurrentPage(h), IDC_TEST_NAME, "Übersicht");
             ::PostMessageA(h, PSM_PRESSBUTTON, PSBTN_OK, 0);
         },
         IDOK, "1:init 1:setactive 1:killactive 1:apply 1:ok"},
        {0, FALSE, TRUE, pressThenCancel(IDCANCEL), IDCANCEL,
         "1:init 1:setactive 1:querycancel 1:querycancel 1:reset 1:cancel"},
        {0, TRUE, FALSE, [&](HWND h) { ::SendMessageA(h, PSM_SETCURSEL, 1, 0), pressThenCancel(IDOK)(h); },
         IDCANCEL, "1:init 1:setactive 1:killactive 1:killactive 1:querycancel 1:reset 1:cancel"},
        {0, TRUE, TRUE,
         [&](HWND h) {
             states += std::to_string(::IsWindowEnabled(::GetDlgItem(h, ID_APPLY_NOW)));
             ::SendMessageA(h, PSM_CHANGED, (WPARAM)m_first.m_hWnd, 0);
             states += std::to_string(::IsWindowEnabled(::GetDlgItem(h, ID_APPLY_NOW)));
             pressThenCancel(ID_APPLY_NOW)(h);
         },
         IDCANCEL,
         "1:init 1:setactive 1:killactive 1:apply 1:ok 1:setactive 1:querycancel 1:reset 1:cancel"}};
    for (const auto &c : cases) {
        m_log.clear();
        CPropertySheet sheet(kTitle, nullptr, c.select);
        sheet.AddPage(&m_first);
        sheet.AddPage(&m_second);
        m_first.m_bAllowCancel = c.allowCancel, m_first.m_bAllowLeave = c.allowLeave;
        EXPECT_EQ(c.result, Run(sheet, c.act));
        EXPECT_TRUE(c.log == m_log && sheet.m_hWnd == nullptr) << m_log;
    }
    EXPECT_TRUE(bound) << "the second page's window is bound to its object";
    EXPECT_EQ("Anfang", typed);
    EXPECT_STREQ("Übersicht", m_first.m_strName);
    EXPECT_EQ("11011", states);
    EXPECT_EQ(std::string("1111|") + kTitle + "|Prüfdialog|Knöpfe", texts);
}

TEST_F(PropertySheetTest, ModelessSheetWithPagesAddedAndRemovedLive)
{
    CPropertySheet sheet(kTitle);
    sheet.AddPage(&m_first);
    ASSERT_TRUE(sheet.Create());
    PumpFor(20);
    EXPECT_TRUE(::IsWindowVisible(sheet.m_hWnd) && Text(sheet.m_hWnd) == kTitle);
    EXPECT_TRUE(sheet.GetActivePage() == &m_first && sheet.GetPageCount() == 1);
    // A modeless sheet carries no standard buttons: hidden and disabled, and the sheet ends above them.
    for (int nID : {IDOK, IDCANCEL, ID_APPLY_NOW, IDHELP})
        EXPECT_FALSE(ButtonShown(sheet.m_hWnd, nID)) << "button " << nID;
    const CRect rcSheet = Rect(sheet.m_hWnd), rcOk = Rect(::GetDlgItem(sheet.m_hWnd, IDOK)),
                rcPage = Rect(m_first.m_hWnd);
    EXPECT_TRUE(rcOk.top == rcSheet.bottom && rcPage.bottom <= rcSheet.bottom)
        << "the sheet ends where the buttons began, the page whole";
    HWND hApply = ::GetDlgItem(sheet.m_hWnd, ID_APPLY_NOW), hCancel = ::GetDlgItem(sheet.m_hWnd, IDCANCEL);
    std::string enabled; // Apply after SetModified(TRUE), (FALSE); Cancel after CancelToClose
    for (BOOL b : {TRUE, FALSE})
        m_first.SetModified(b), enabled += std::to_string(::IsWindowEnabled(hApply));
    ::EnableWindow(hCancel, TRUE);
    m_first.CancelToClose();
    EXPECT_EQ("100", enabled + std::to_string(::IsWindowEnabled(hCancel)));
    sheet.AddPage(&m_second);
    EXPECT_TRUE(sheet.GetPageCount() == 2 && TabText(sheet.m_hWnd, 1) == "Knöpfe");
    EXPECT_TRUE(sheet.SetActivePage(&m_second));
    PumpFor(20);
    EXPECT_TRUE(sheet.GetActivePage() == &m_second && sheet.GetActiveIndex() == 1);
    EXPECT_TRUE(m_second.m_hWnd && ::GetParent(m_second.m_hWnd) == sheet.m_hWnd)
        << "the page window is bound to its object";
    sheet.RemovePage(&m_first);
    PumpFor(20);
    EXPECT_TRUE(sheet.GetPageCount() == 1 && sheet.GetPage(0) == &m_second && sheet.GetPage(1) == nullptr);
    EXPECT_EQ(nullptr, m_first.m_hWnd) << "the removed page's window is gone";
    sheet.PressButton(PSBTN_CANCEL);
    PumpFor(20);
    EXPECT_EQ(nullptr, CurrentPage(sheet.m_hWnd)) << "the sheet ended";
    sheet.DestroyWindow();
    EXPECT_TRUE(sheet.m_hWnd == nullptr && m_second.m_hWnd == nullptr)
        << "the page window went with the sheet";
}

TEST(PropertySheets, CannotBeCreatedWithoutPagesOrTemplates)
{
    CPropertySheet empty("Leer"), broken("Kaputt");
    CPropertyPage missing(4711);
    broken.AddPage(&missing);
    EXPECT_EQ(-1, empty.DoModal());
    EXPECT_TRUE(broken.DoModal() == -1 && broken.m_hWnd == nullptr) << "a page template that cannot be found";
}

} // namespace
