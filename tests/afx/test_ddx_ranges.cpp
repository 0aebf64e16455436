// Numbers typed into an edit reach a member only when they fit its type:
// the largest and smallest value of each type pass; one beyond is refused
// with the library's German message and leaves the member as it was.
#include <afxwin.h>
#include <gtest/gtest.h>
#include <string>
#include "afx_tests_res.h"
#include "uiauto/MessageBoxAnswer.h"

using namespace qrvtest;

namespace {

// Exchanges text from the dialog's count field into a member holding 7: the
// member afterwards, or "refused: <message>" when the exchange failed and
// kept the member. A box is answered whenever one comes; only a refusal is
// waited for long.
template <class T> std::string Exchange(CDialog &dlg, const char *text, bool bRefusal = false)
{
    dlg.SetDlgItemText(IDC_TEST_COUNT, text);
    T value = 7;
    CDataExchange dx(&dlg, TRUE);
    MessageBoxAnswerer answerer(IDOK, bRefusal ? 5000 : 200);
    DDX_Text(&dx, IDC_TEST_COUNT, value);
    const MessageBoxRecord box = answerer.Join();
    if (!dx.m_bFailed)
        return std::to_string(value);
    return value == 7 ? "refused: " + box.text : "changed and refused";
}

TEST(DataExchange, IntegersOfEachTypeAreTakenUpToTheirBoundsAndRefusedBeyond)
{
    CDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_TEST_DIALOG));
    const std::string refused = "refused: Bitte geben Sie eine ganze Zahl ein.";
    EXPECT_EQ("2147483647", Exchange<int>(dlg, "2147483647"));
    EXPECT_EQ("-2147483648", Exchange<int>(dlg, " -2147483648 "));
    EXPECT_EQ(refused, Exchange<int>(dlg, "2147483648", true));
    EXPECT_EQ(refused, Exchange<int>(dlg, "-2147483649", true));
    EXPECT_EQ("2147483647", Exchange<long>(dlg, "2147483647"));
    EXPECT_EQ(refused, Exchange<long>(dlg, "2147483648", true));
    EXPECT_EQ("4294967295", Exchange<UINT>(dlg, "4294967295"));
    EXPECT_EQ(refused, Exchange<UINT>(dlg, "4294967296", true));
    EXPECT_EQ(refused, Exchange<UINT>(dlg, "-1", true));
    EXPECT_EQ("4294967295", Exchange<DWORD>(dlg, "4294967295"));
    EXPECT_EQ(refused, Exchange<DWORD>(dlg, "4294967296", true));
    dlg.DestroyWindow();
}

} // namespace
