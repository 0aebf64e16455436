// The library's property sheet and page: German captions on the sheet's standard buttons, whatever
// the platform's sheet says; the page's type and its help command handed on to the sheet.
#include <afxdlgs.h>
#include <gtest/gtest.h>
#include <string>
#include "framework/PropertyPageExt.h"
#include "framework/PropertySheetExt.h"
#include "framework_tests_res.h"
#include "uiauto/ControlActions.h"

using namespace qrvtest;

namespace {

// A page that can remove the sheet's Help button inside the sheet's own initialisation, before the
// sheet sets its captions.
class CHelpPage : public CPropertyPageExt {
public:
    CHelpPage() : CPropertyPageExt(IDD_FW_PAGE_FIRST, IDS_FW_PAGE_FIRST) {}
    bool m_bRemoveHelpButton = false;
    BOOL OnInitDialog() override
    {
        if (m_bRemoveHelpButton)
            ::DestroyWindow(::GetDlgItem(::GetParent(m_hWnd), IDHELP));
        return CPropertyPageExt::OnInitDialog();
    }
};

// Records the help commands that reach the sheet.
class CHelpSheet : public CPropertySheetExt {
public:
    CHelpSheet() : CPropertySheetExt(IDS_FW_SHEET_TITLE) {}
    std::string m_help;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message != WM_COMMANDHELP)
            return CPropertySheetExt::WindowProc(message, wParam, lParam);
        m_help += std::to_string(wParam) + "," + std::to_string(lParam) + " ";
        return 1;
    }
};

// The captions also when a page removed Help; the title from the string table. Help reaches the sheet
// only from a page that has a window.
TEST(PropertySheetExt, GermanButtonCaptionsAndHelpHandedOnToTheSheet)
{
    std::string texts;
    for (bool removeHelp : {false, true}) {
        CHelpSheet sheet;
        CHelpPage page;
        page.m_bRemoveHelpButton = removeHelp;
        sheet.AddPage(&page);
        EXPECT_EQ(1, page.OnCommandHelp(1, 2)) << "no window yet";
        ASSERT_TRUE(sheet.Create());
        for (int id : {IDOK, IDCANCEL, ID_APPLY_NOW, IDHELP})
            texts += ::GetDlgItem(sheet.m_hWnd, id) ? ItemText(sheet.m_hWnd, id) + "|" : "-|";
        texts += Text(sheet.m_hWnd) + "\n";
        EXPECT_EQ(0xFFFFFFFFUL, page.GetPageType());
        EXPECT_EQ(1, page.OnCommandHelp(7, 9));
        EXPECT_EQ("7,9 ", sheet.m_help);
        sheet.DestroyWindow();
    }
    EXPECT_EQ("OK|Abbruch|Übernehmen|Hilfe|Eigenschaften der Prüfung\n"
              "OK|Abbruch|Übernehmen|-|Eigenschaften der Prüfung\n",
              texts);
}

} // namespace
