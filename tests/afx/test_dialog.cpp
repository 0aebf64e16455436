// Modal dialogs driven from a thread of their own, data exchange (numbers
// reach a member only when they fit its type), message boxes answered by the
// test helper, and property sheets and pages on the platform's sheet control:
// the title and tab texts, the order of the page notifications, data exchange
// on the pages, and pages added and removed while the sheet is up.
#include <afxwin.h>
#include <afxdlgs.h>
#include <gtest/gtest.h>
#include <functional>
#include <string>
#include "AnsweringBoxes.h"
#include "afx_tests_res.h"
#include "tests/support/DialogLayout.h"
#include "uiauto/ControlActions.h"
#include "uiauto/MessageBoxAnswer.h"
#include "uiauto/MessagePump.h"
#include "uiauto/ModalDriver.h"

using namespace qrvtest;

namespace {

class CTestDlg : public CDialog {
public:
    CTestDlg() : CDialog(IDD_TEST_DIALOG) {}
    CString m_strName = "Anfang";
    int m_nCount = 3, m_nInitCalls = 0;

protected:
    BOOL OnInitDialog() override
    {
        ++m_nInitCalls;
        return CDialog::OnInitDialog();
    }
    void DoDataExchange(CDataExchange *pDX) override
    {
        DDX_Text(pDX, IDC_TEST_NAME, m_strName);
        DDX_Text(pDX, IDC_TEST_COUNT, m_nCount);
        DDV_MinMaxInt(pDX, m_nCount, 0, 99);
    }
};

// OnInitDialog puts the members into the controls; OK takes the edited
// values back (the range's upper end included), Cancel keeps the members. A
// number out of range is reported and the dialog stays open; as in MFC, the
// members hold what was taken before and the parsed value.
TEST(DialogModal, OkTakesTheEditedValuesAndCancelKeepsTheMembers)
{
    struct Case {
        const char *typed;
        int button;
        INT_PTR result;
        const char *name;
        int count;
        std::string box; // the refusal's text, empty when none comes
    };
    const Case cases[] = {
        {"99", IDOK, IDOK, "Größe", 99, ""},
        {"99", IDCANCEL, IDCANCEL, "Anfang", 3, ""},
        {"100", IDOK, IDCANCEL, "Größe", 100, "Bitte geben Sie eine ganze Zahl zwischen 0 und 99 ein."},
    };
    for (const Case &c : cases) {
        CTestDlg dlg;
        std::string shownName;
        MessageBoxRecord box;
        bool stillOpen = false;
        ModalDriver driver(
            [&](HWND hDlg, ModalDriver &) {
                shownName = ItemText(hDlg, IDC_TEST_NAME);
                Type(hDlg, IDC_TEST_NAME, "Größe");
                Type(hDlg, IDC_TEST_COUNT, c.typed);
                Click(hDlg, c.button);
                if (c.box.empty())
                    return;
                box = AnswerMessageBox(::GetWindowThreadProcessId(hDlg, nullptr), IDOK);
                ::Sleep(100);
                stillOpen = ::IsWindowVisible(hDlg) != 0;
                Click(hDlg, IDCANCEL);
            },
            "Prüfdialog");
        EXPECT_EQ(c.result, dlg.DoModal());
        EXPECT_TRUE(driver.Join());
        EXPECT_EQ("Anfang", shownName);
        EXPECT_EQ(1, dlg.m_nInitCalls);
        EXPECT_STREQ(c.name, dlg.m_strName);
        EXPECT_EQ(c.count, dlg.m_nCount);
        EXPECT_EQ(nullptr, dlg.m_hWnd);
        EXPECT_EQ(c.box, box.text);
        EXPECT_EQ(!c.box.empty(), stillOpen);
    }
}

// Exchanges text from the dialog's count field into a member holding 7: the
// member afterwards, or "refused: <message>" when the exchange failed and
// kept the member.
template <class T> std::string Exchange(CDialog &dlg, const char *text)
{
    dlg.SetDlgItemText(IDC_TEST_COUNT, text);
    T value = 7;
    CDataExchange dx(&dlg, TRUE);
    const MessageBoxRecord box = AnsweringBoxes([&] { DDX_Text(&dx, IDC_TEST_COUNT, value); });
    if (!dx.m_bFailed)
        return std::to_string(value) + (box.shown ? " and a box" : "");
    return value == 7 ? "refused: " + box.text : "changed and refused";
}

// A modeless dialog initialises its controls from the members. The largest
// and smallest value of each type pass; one beyond, and what is no number,
// is refused with the library's German message and leaves the member as it
// was.
TEST(DataExchange, IntegersOfEachTypeAreTakenUpToTheirBoundsAndRefusedBeyond)
{
    CTestDlg dlg;
    ASSERT_TRUE(dlg.Create(IDD_TEST_DIALOG));
    EXPECT_EQ(1, dlg.m_nInitCalls);
    EXPECT_EQ("Anfang", ItemText(dlg.m_hWnd, IDC_TEST_NAME));
    const std::string refused = "refused: Bitte geben Sie eine ganze Zahl ein.";
    EXPECT_EQ("2147483647", Exchange<int>(dlg, "2147483647"));
    EXPECT_EQ("-2147483648", Exchange<int>(dlg, " -2147483648 "));
    EXPECT_EQ(refused, Exchange<int>(dlg, "2147483648"));
    EXPECT_EQ(refused, Exchange<int>(dlg, "-2147483649"));
    EXPECT_EQ(refused, Exchange<int>(dlg, "zwölf"));
    EXPECT_EQ("2147483647", Exchange<long>(dlg, "2147483647"));
    EXPECT_EQ(refused, Exchange<long>(dlg, "2147483648"));
    EXPECT_EQ("4294967295", Exchange<UINT>(dlg, "4294967295"));
    EXPECT_EQ(refused, Exchange<UINT>(dlg, "4294967296"));
    EXPECT_EQ(refused, Exchange<UINT>(dlg, "-1"));
    EXPECT_EQ("4294967295", Exchange<DWORD>(dlg, "4294967295"));
    EXPECT_EQ(refused, Exchange<DWORD>(dlg, "4294967296"));
    dlg.SetDlgItemText(IDC_TEST_COUNT, "8");
    EXPECT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_EQ(8, dlg.m_nCount);
    dlg.DestroyWindow();
}

TEST(MessageBoxes, AfxMessageBoxShowsTextOrStringResourceWithTheAppsCaption)
{
    struct Case {
        int answer;
        std::function<int()> show;
        const char *text;
        UINT style;
    };
    const Case cases[] = {
        {IDNO, [] { return AfxMessageBox("Wirklich löschen?", MB_YESNOCANCEL | MB_DEFBUTTON2); },
         "Wirklich löschen?", MB_YESNOCANCEL | MB_DEFBUTTON2 | MB_ICONQUESTION},
        // The prompt's string comes through the resource chain.
        {IDOK, [] { return AfxMessageBox(IDS_TEST_HOST_ONLY); }, "Nur im Host", MB_OK | MB_ICONEXCLAMATION},
    };
    for (const Case &c : cases) {
        MessageBoxAnswerer answer(c.answer);
        EXPECT_EQ(c.answer, c.show());
        MessageBoxRecord r = answer.Join();
        ASSERT_TRUE(r.shown);
        EXPECT_EQ(c.text, r.text);
        EXPECT_EQ("QRV Tests", r.caption);
        EXPECT_EQ(c.style, r.Style());
    }
}

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
    BOOL OnInitDialog() override { return Log("init") && CPropertyPage::OnInitDialog(); }
    BOOL OnSetActive() override { return Log("setactive") && CPropertyPage::OnSetActive(); }
    BOOL OnKillActive() override
    {
        return Log("killactive") && m_bAllowLeave && CPropertyPage::OnKillActive();
    }
    BOOL OnApply() override { return Log("apply") && CPropertyPage::OnApply(); }
    void OnOK() override { Log("ok"); }
    void OnReset() override
    {
        Log("reset");
        CPropertyPage::OnReset();
    }
    void OnCancel() override { Log("cancel"); }
    BOOL OnQueryCancel() override { return Log("querycancel") && m_bAllowCancel; }

protected:
    void DoDataExchange(CDataExchange *pDX) override
    {
        if (::GetDlgItem(m_hWnd, IDC_TEST_NAME))
            DDX_Text(pDX, IDC_TEST_NAME, m_strName);
    }

private:
    // Always true, so that a notification logs and then goes on.
    bool Log(const char *what)
    {
        m_log += std::string(m_log.empty() ? "" : " ") + m_name + ":" + what;
        return true;
    }
    std::string m_name;
    std::string &m_log;
};

class PropertySheetTest : public ::testing::Test {
protected:
    std::string m_log;
    CLogPage m_first{IDD_TEST_DIALOG, "1", m_log};
    CLogPage m_second{IDD_TEST_BUTTONS, "2", m_log};
};

std::string TabText(HWND hSheet, int index)
{
    char text[64] = "";
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    ::SendMessageA((HWND)::SendMessageA(hSheet, PSM_GETTABCONTROL, 0, 0), TCM_GETITEMA, index, (LPARAM)&item);
    return text;
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
             ::SendMessageA(h, PSM_SETCURSEL, 1, 0);
             bound = CurrentPage(h) == m_second.m_hWnd;
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
        {0, TRUE, FALSE,
         [&](HWND h) {
             ::SendMessageA(h, PSM_SETCURSEL, 1, 0);
             pressThenCancel(IDOK)(h);
         },
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
        m_first.m_bAllowCancel = c.allowCancel;
        m_first.m_bAllowLeave = c.allowLeave;
        ModalDriver driver([&](HWND hSheet, ModalDriver &) { c.act(hSheet); }, kTitle);
        EXPECT_EQ(c.result, sheet.DoModal());
        EXPECT_TRUE(driver.Join());
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
    const CRect rcSheet = WindowRect(sheet.m_hWnd), rcOk = WindowRect(::GetDlgItem(sheet.m_hWnd, IDOK)),
                rcPage = WindowRect(m_first.m_hWnd);
    EXPECT_TRUE(rcOk.top == rcSheet.bottom && rcPage.bottom <= rcSheet.bottom)
        << "the sheet ends where the buttons began, the page whole";
    HWND hApply = ::GetDlgItem(sheet.m_hWnd, ID_APPLY_NOW), hCancel = ::GetDlgItem(sheet.m_hWnd, IDCANCEL);
    std::string enabled; // Apply after SetModified(TRUE), (FALSE); Cancel after CancelToClose
    for (BOOL b : {TRUE, FALSE}) {
        m_first.SetModified(b);
        enabled += std::to_string(::IsWindowEnabled(hApply));
    }
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

TEST(MissingTemplates, DialogsAndSheetsFailCleanly)
{
    CDialog dlg(4711);
    EXPECT_EQ(-1, dlg.DoModal());
    CPropertySheet empty("Leer"), broken("Kaputt");
    CPropertyPage missing(4711);
    broken.AddPage(&missing);
    EXPECT_EQ(-1, empty.DoModal()) << "a sheet without pages";
    EXPECT_TRUE(broken.DoModal() == -1 && broken.m_hWnd == nullptr) << "a page template that cannot be found";
}

} // namespace
