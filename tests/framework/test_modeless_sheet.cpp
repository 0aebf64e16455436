// A sheet created modeless carries no OK, Cancel, Apply or Help button: they
// are hidden and disabled and the sheet ends above them; a modal sheet keeps
// them.
#include <afxdlgs.h>
#include <gtest/gtest.h>
#include "framework/PropertySheetExt.h"
#include "framework_tests_res.h"
#include "uiauto/MessagePump.h"
#include "uiauto/ModalDriver.h"

using namespace qrvtest;

namespace {

bool ButtonShown(HWND hSheet, int nID)
{
    HWND hButton = ::GetDlgItem(hSheet, nID);
    return hButton && ::IsWindowVisible(hButton) && ::IsWindowEnabled(hButton);
}

}  // namespace

TEST(ModelessSheet, StandardButtonsAreHiddenAndTheSheetEndsAboveThem)
{
    CPropertyPage page(IDD_FW_PAGE_FIRST, IDS_FW_PAGE_FIRST);
    CPropertySheet sheet("Modeless");
    sheet.AddPage(&page);
    ASSERT_TRUE(sheet.Create());
    PumpFor(20);
    for (int nID : {IDOK, IDCANCEL, ID_APPLY_NOW, IDHELP})
        EXPECT_FALSE(ButtonShown(sheet.m_hWnd, nID)) << "button " << nID;
    HWND hOk = ::GetDlgItem(sheet.m_hWnd, IDOK);
    ASSERT_NE(nullptr, hOk);
    CRect rcSheet, rcOk;
    sheet.GetWindowRect(&rcSheet);
    ::GetWindowRect(hOk, &rcOk);
    EXPECT_EQ(rcOk.top, rcSheet.bottom) << "the sheet ends where the buttons began";
    CRect rcPage;
    page.GetWindowRect(&rcPage);
    EXPECT_LE(rcPage.bottom, rcSheet.bottom) << "the page stays whole";
    sheet.DestroyWindow();
}

TEST(ModelessSheet, AModalSheetKeepsItsButtons)
{
    CPropertyPage page(IDD_FW_PAGE_FIRST, IDS_FW_PAGE_FIRST);
    CPropertySheet sheet("Modal");
    sheet.AddPage(&page);
    bool okShown = false, cancelShown = false;
    ModalDriver driver([&](HWND hSheet, ModalDriver&) {
        okShown = ButtonShown(hSheet, IDOK);
        cancelShown = ButtonShown(hSheet, IDCANCEL);
        ::PostMessageA(hSheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    }, "Modal");
    EXPECT_EQ(IDCANCEL, sheet.DoModal());
    EXPECT_TRUE(driver.Join());
    EXPECT_TRUE(okShown);
    EXPECT_TRUE(cancelShown);
}
