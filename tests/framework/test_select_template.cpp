// The controller selection template of QRV.dll, created from the host's side
// through the resource chain.
#include <afxwin.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "resources/resource.h"
#include "resources/select_ids.h"
#include "uiauto/ControlActions.h"
#include "uiauto/MessagePump.h"

using namespace qrvtest;

namespace {

std::string ClassOf(HWND hWnd) {
    char cls[64] = "";
    ::GetClassNameA(hWnd, cls, sizeof cls);
    return cls;
}
DWORD ButtonType(HWND h) { return ClassOf(h) == "Button" ? (DWORD)::GetWindowLongA(h, GWL_STYLE) & BS_TYPEMASK : ~0u; }
CRect Place(HWND hCtl) {
    CRect rc;
    ::GetWindowRect(hCtl, &rc);
    ::MapWindowPoints(nullptr, ::GetParent(hCtl), reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

// The width the control's text needs in the dialog's font (without the mnemonic marker).
int TextWidth(HWND hCtl) {
    std::string text = Text(hCtl), shown;
    for (size_t i = 0; i < text.size(); ++i)
        if (text[i] != '&' || (i + 1 < text.size() && text[i + 1] == '&')) shown += text[i];
    HDC hDC = ::GetDC(hCtl);
    HGDIOBJ hOld = ::SelectObject(hDC, (HFONT)::SendMessageA(hCtl, WM_GETFONT, 0, 0));
    SIZE size = {};
    ::GetTextExtentPoint32A(hDC, shown.c_str(), (int)shown.size(), &size);
    ::SelectObject(hDC, hOld);
    ::ReleaseDC(hCtl, hDC);
    return size.cx;
}

// Every child in the template's order with its id, class, button type and
// text; each inside the dialog and wide enough for its text; the group box
// frames the three modes apart from the list; the buttons share one column
// and size, starting level with the list; nothing else overlaps.
TEST(SelectTemplate, EveryControlWithItsIdClassTextAndPlaceNoneCutOffOrOverlapping) {
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_LISTVIEW_CLASSES};
    ::InitCommonControlsEx(&icc);
    CDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_PLC_SELECT)) << "template 22301 through the resource chain";
    dlg.ShowWindow(SW_SHOW);
    PumpFor(50);
    EXPECT_EQ("Controller auswählen", Text(dlg.m_hWnd));
    const struct { int id; const char* what; } children[] = {
        {-1, "Static momentan aktive Controller (extern)"}, {IDC_PLC_ACTIVE_NAME, "Static "},
        {-1, "group Controller Modus"}, {IDC_PLC_MODE_EXTERNAL, "radio nur externe Controller"},
        {IDC_PLC_MODE_INTERNAL, "radio nur interner Controller"}, {IDC_PLC_MODE_BOTH, "radio interner + externe Controller"},
        {IDC_PLC_LIST, "SysListView32 "}, {IDOK, "default &OK"}, {IDCANCEL, "push &Abbrechen"}, {IDC_PLC_REMOVE, "push &Löschen"},
        {IDC_PLC_RESCAN, "push A&ktualisieren"}, {IDC_PLC_SETUP, "push Contr. Einstellung"}};
    CRect client, group, list = Place(::GetDlgItem(dlg.m_hWnd, IDC_PLC_LIST)), ok = Place(::GetDlgItem(dlg.m_hWnd, IDOK)), both;
    dlg.GetClientRect(&client);
    std::vector<std::pair<HWND, CRect>> placed;
    HWND h = ::GetWindow(dlg.m_hWnd, GW_CHILD);
    for (const auto& child : children) {
        ASSERT_NE(nullptr, h) << child.what;
        const CRect rc = Place(h);
        const DWORD type = ButtonType(h);
        const char* kind = type == BS_GROUPBOX ? "group" : type == BS_AUTORADIOBUTTON ? "radio" : type == BS_DEFPUSHBUTTON ? "default"
                         : type == BS_PUSHBUTTON ? "push" : nullptr;
        EXPECT_EQ(child.what, (kind ? kind : ClassOf(h)) + " " + Text(h));
        EXPECT_TRUE((WORD)::GetDlgCtrlID(h) == (WORD)child.id && ::IsWindowVisible(h)) << child.what;
        both.IntersectRect(&rc, &client);
        EXPECT_EQ(rc, both) << child.what << " lies inside the dialog";
        const int margin = type == BS_AUTORADIOBUTTON ? ::GetSystemMetrics(SM_CXMENUCHECK) + 6 : type == BS_GROUPBOX ? 16 : kind ? 8 : 0;
        EXPECT_LE(TextWidth(h) + margin, rc.Width()) << child.what << " fits its control";
        if (type == BS_GROUPBOX) group = rc;
        else placed.push_back({h, rc});
        if (type == BS_AUTORADIOBUTTON && both.UnionRect(&group, &rc)) {
            EXPECT_EQ(group, both) << child.what << " inside the group box";
        } else if (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON) {
            EXPECT_TRUE(rc.left == ok.left && rc.right == ok.right && rc.Height() == ok.Height()) << child.what;
        }
        h = ::GetWindow(h, GW_HWNDNEXT);
    }
    EXPECT_EQ(nullptr, h) << "no other control";
    const DWORD listStyle = (DWORD)::GetWindowLongA(::GetDlgItem(dlg.m_hWnd, IDC_PLC_LIST), GWL_STYLE);
    EXPECT_EQ(DWORD(LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS), listStyle & (LVS_TYPEMASK | LVS_SINGLESEL | LVS_SHOWSELALWAYS));
    EXPECT_TRUE(::GetWindowLongA(::GetDlgItem(dlg.m_hWnd, IDC_PLC_MODE_EXTERNAL), GWL_STYLE) & WS_GROUP) << "the radio buttons form one group";
    EXPECT_FALSE(both.IntersectRect(&group, &list));
    EXPECT_EQ(list.top, Place(::GetDlgItem(dlg.m_hWnd, IDC_PLC_REMOVE)).top);
    for (size_t i = 0; i < placed.size(); ++i)
        for (size_t j = i + 1; j < placed.size(); ++j)
            EXPECT_FALSE(both.IntersectRect(&placed[i].second, &placed[j].second)) << Text(placed[i].first) << " and " << Text(placed[j].first);
    dlg.DestroyWindow();
}

}
