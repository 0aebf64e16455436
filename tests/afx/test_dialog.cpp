// Modal dialogs driven from a thread of their own, data exchange, and
// message boxes answered by the test helper.
#include <afxwin.h>
#include <gtest/gtest.h>
#include <functional>
#include <string>
#include "afx_tests_res.h"
#include "uiauto/ControlActions.h"
#include "uiauto/MessageBoxAnswer.h"
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
// values back, Cancel keeps the members.
TEST(DialogModal, OkTakesTheEditedValuesAndCancelKeepsTheMembers)
{
    struct Case {
        int button;
        const char *name;
        int count;
    };
    for (const Case &c : {Case{IDOK, "Größe", 17}, Case{IDCANCEL, "Anfang", 3}}) {
        CTestDlg dlg;
        std::string shownName;
        ModalDriver driver(
            [&](HWND hDlg, ModalDriver &) {
                shownName = ItemText(hDlg, IDC_TEST_NAME);
                Type(hDlg, IDC_TEST_NAME, "Größe");
                Type(hDlg, IDC_TEST_COUNT, "17");
                Click(hDlg, c.button);
            },
            "Prüfdialog");
        EXPECT_EQ(c.button, dlg.DoModal());
        EXPECT_TRUE(driver.Join());
        EXPECT_EQ("Anfang", shownName);
        EXPECT_EQ(1, dlg.m_nInitCalls);
        EXPECT_STREQ(c.name, dlg.m_strName);
        EXPECT_EQ(c.count, dlg.m_nCount);
        EXPECT_EQ(nullptr, dlg.m_hWnd);
    }
}

TEST(DialogModal, InvalidNumberIsReportedAndTheDialogStaysOpen)
{
    CTestDlg dlg;
    MessageBoxRecord first, second;
    bool stillOpen = false;
    ModalDriver driver(
        [&](HWND hDlg, ModalDriver &) {
            DWORD uiThread = ::GetWindowThreadProcessId(hDlg, nullptr);
            Type(hDlg, IDC_TEST_COUNT, "zwölf");
            Click(hDlg, IDOK);
            first = AnswerMessageBox(uiThread, IDOK);
            Type(hDlg, IDC_TEST_COUNT, "200");
            Click(hDlg, IDOK);
            second = AnswerMessageBox(uiThread, IDOK);
            ::Sleep(100);
            stillOpen = ::IsWindowVisible(hDlg) != 0;
            Click(hDlg, IDCANCEL);
        },
        "Prüfdialog");
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_TRUE(driver.Join());
    EXPECT_TRUE(first.shown);
    EXPECT_EQ("Bitte geben Sie eine ganze Zahl ein.", first.text);
    EXPECT_EQ("Bitte geben Sie eine ganze Zahl zwischen 0 und 99 ein.", second.text);
    EXPECT_TRUE(stillOpen);
    // As in MFC, the member holds the parsed value when its range check fails.
    EXPECT_EQ(200, dlg.m_nCount);
}

TEST(DialogModal, MissingTemplateFailsCleanly)
{
    CDialog dlg(4711);
    EXPECT_EQ(-1, dlg.DoModal());
}

TEST(DialogModeless, CreateShowsTheDialogAndEndDialogHidesIt)
{
    CTestDlg dlg;
    ASSERT_TRUE(dlg.Create(IDD_TEST_DIALOG));
    EXPECT_EQ(1, dlg.m_nInitCalls);
    EXPECT_EQ("Anfang", ItemText(dlg.m_hWnd, IDC_TEST_NAME));
    ::SetWindowTextA(::GetDlgItem(dlg.m_hWnd, IDC_TEST_COUNT), "8");
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

} // namespace
