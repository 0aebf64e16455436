// The new-folder dialog from its template, and the filter combo box's
// selection notification.
#include <gtest/gtest.h>

#include "browse/FileFilterCombo.h"
#include "browse/NewFolderDlg.h"
#include "resources/resource.h"
#include "tests/browse/BrowseFixture.h"
#include "uiauto/ControlActions.h"
#include "uiauto/MessagePump.h"
#include "uiauto/ModalDriver.h"

// The dialog from its template: caption, the controls at their places in
// dialog units, the focus on the edit box; OK hands back the typed name.
TEST(NewFolderDlg, ShowsTheTemplateAndHandsBackTheTypedName)
{
    struct Seen { std::string text; RECT rc; LONG style, exStyle; };
    std::vector<Seen> seen;
    RECT rcDlg = {}, units = {7, 15, 213, 47};
    std::string caption;
    bool focusOnEdit = false;
    qrvtest::ModalDriver driver([&](HWND hDlg, qrvtest::ModalDriver&) {
        caption = qrvtest::Text(hDlg);
        GUITHREADINFO gti = {};
        gti.cbSize = sizeof(gti);
        ::GetGUIThreadInfo(::GetWindowThreadProcessId(hDlg, nullptr), &gti);
        focusOnEdit = gti.hwndFocus == qrvtest::Item(hDlg, IDC_NEW_FOLDER_NAME);
        for (HWND h = ::GetWindow(hDlg, GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT)) {
            RECT rc;
            ::GetWindowRect(h, &rc);
            ::MapWindowPoints(nullptr, hDlg, reinterpret_cast<POINT*>(&rc), 2);
            seen.push_back({qrvtest::Text(h), rc, ::GetWindowLongA(h, GWL_STYLE), ::GetWindowLongA(h, GWL_EXSTYLE)});
        }
        ::GetClientRect(hDlg, &rcDlg);
        ::MapDialogRect(hDlg, &units);
        qrvtest::Type(hDlg, IDC_NEW_FOLDER_NAME, "Neue Bilder");
        qrvtest::Click(hDlg, IDOK);
    });
    CNewFolderDlg dlg;
    EXPECT_TRUE(dlg.m_strName.IsEmpty());
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_TRUE(driver.Join());
    EXPECT_EQ("Neuer Ordner", caption);
    EXPECT_TRUE(focusOnEdit);
    EXPECT_STREQ("Neue Bilder", dlg.m_strName);
    ASSERT_EQ(4u, seen.size());
    EXPECT_EQ("Name des neuen Ordners:", seen[0].text);
    EXPECT_EQ(units.left, seen[0].rc.left);   // 7 units across
    EXPECT_EQ(units.top, seen[0].rc.top);     // 15 units down
    EXPECT_TRUE(seen[1].style & ES_AUTOHSCROLL);
    // The dialog manager draws an edit box's border as a sunken edge.
    EXPECT_TRUE((seen[1].style & WS_BORDER) || (seen[1].exStyle & WS_EX_CLIENTEDGE));
    EXPECT_EQ("&OK", seen[2].text);
    EXPECT_EQ(BS_DEFPUSHBUTTON, seen[2].style & 0x0F);
    EXPECT_EQ("&Abbrechen", seen[3].text);
    EXPECT_EQ(units.right, rcDlg.right);    // client area 213 x 47 units
    EXPECT_EQ(units.bottom, rcDlg.bottom);
}

TEST(FileFilterCombo, ReportsTheItemDataOfTheSelectionOrMinusOne)
{
    filetest::CNotifyRecorder parent, target;
    ASSERT_TRUE(parent.CreateTop());
    ASSERT_TRUE(target.CreateTop());
    CFileFilterCombo combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, CRect(10, 10, 200, 200), &parent, 77));
    combo.SetItemData(combo.AddString("Bitmaps (*.bmp)"), 0x1234);
    combo.SetItemData(combo.AddString("Alle Dateien (*.*)"), 0x5678);

    std::vector<DWORD_PTR> data;
    std::vector<UINT_PTR> ids;
    auto record = [&](NMHDR* pHdr) -> LRESULT {
        if (pHdr->code == FFN_SELCHANGE) {
            data.push_back(reinterpret_cast<NMFILEFILTER*>(pHdr)->dwItemData);
            ids.push_back(pHdr->idFrom);
            EXPECT_EQ(combo.m_hWnd, pHdr->hwndFrom);
        }
        return 0;
    };
    parent.m_onNotify = record;
    target.m_onNotify = record;

    // The user picks the second entry: the parent hears of it.
    combo.SetCurSel(1);
    ::SendMessageA(parent.m_hWnd, WM_COMMAND, MAKEWPARAM(77, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo.m_hWnd));
    ASSERT_EQ(1u, data.size());
    EXPECT_EQ(0x5678u, data[0]);
    EXPECT_EQ(77u, ids[0]);
    EXPECT_EQ(1, parent.Count(FFN_SELCHANGE));

    // Plugged into a target, a change without a current entry reports -1 there.
    combo.PlugInTo(&target);
    combo.SetCurSel(-1);
    ::SendMessageA(parent.m_hWnd, WM_COMMAND, MAKEWPARAM(77, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo.m_hWnd));
    ASSERT_EQ(2u, data.size());
    EXPECT_EQ(static_cast<DWORD_PTR>(CB_ERR), data[1]);
    EXPECT_EQ(1, target.Count(FFN_SELCHANGE));
    EXPECT_EQ(1, parent.Count(FFN_SELCHANGE));

    combo.DestroyWindow();
    parent.DestroyWindow();
    target.DestroyWindow();
}
