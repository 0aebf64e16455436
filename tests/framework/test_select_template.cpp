// The controller selection template of QRV.dll, created from the host's side
// through the resource chain: every control with its id, class, style and
// text, and a layout in which no text is cut off and nothing overlaps.
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

TEST(SelectTemplate, EveryControlWithItsIdClassTextAndPlaceNoneCutOffOrOverlapping) {
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_LISTVIEW_CLASSES};
    ::InitCommonControlsEx(&icc);
    CDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_PLC_SELECT)) << "template 22301 through the resource chain";
    dlg.ShowWindow(SW_SHOW);
    PumpFor(50);
    EXPECT_EQ("Controller auswählen", Text(dlg.m_hWnd));
    const struct { int id; const char* cls; const char* text; DWORD type; } controls[] = {   // BS_ type of buttons
        {IDC_PLC_MODE_EXTERNAL, "Button", "nur externe Controller", BS_AUTORADIOBUTTON},
        {IDC_PLC_MODE_INTERNAL, "Button", "nur interner Controller", BS_AUTORADIOBUTTON},
        {IDC_PLC_MODE_BOTH, "Button", "interner + externe Controller", BS_AUTORADIOBUTTON},
        {IDC_PLC_ACTIVE_NAME, "Static", "", ~0u}, {IDC_PLC_LIST, "SysListView32", "", ~0u},
        {IDOK, "Button", "&OK", BS_DEFPUSHBUTTON}, {IDCANCEL, "Button", "&Abbrechen", BS_PUSHBUTTON},
        {IDC_PLC_REMOVE, "Button", "&Löschen", BS_PUSHBUTTON}, {IDC_PLC_RESCAN, "Button", "A&ktualisieren", BS_PUSHBUTTON},
        {IDC_PLC_SETUP, "Button", "Contr. Einstellung", BS_PUSHBUTTON}};
    for (const auto& c : controls) {
        SCOPED_TRACE(c.id);
        HWND h = ::GetDlgItem(dlg.m_hWnd, c.id);
        ASSERT_NE(nullptr, h);
        EXPECT_STRCASEEQ(c.cls, ClassOf(h).c_str());
        EXPECT_EQ(c.text, Text(h));
        EXPECT_TRUE(::IsWindowVisible(h));
        EXPECT_EQ(c.type, ButtonType(h));
    }
    const DWORD listStyle = (DWORD)::GetWindowLongA(::GetDlgItem(dlg.m_hWnd, IDC_PLC_LIST), GWL_STYLE);
    EXPECT_EQ(DWORD(LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS), listStyle & (LVS_TYPEMASK | LVS_SINGLESEL | LVS_SHOWSELALWAYS));
    EXPECT_TRUE(::GetWindowLongA(::GetDlgItem(dlg.m_hWnd, IDC_PLC_MODE_EXTERNAL), GWL_STYLE) & WS_GROUP) << "the radio buttons form one group";

    // Every child inside the dialog, wide enough for its text; the group box
    // frames the three modes apart from the list; nothing else overlaps.
    CRect client, group, list = Place(::GetDlgItem(dlg.m_hWnd, IDC_PLC_LIST)), ok = Place(::GetDlgItem(dlg.m_hWnd, IDOK)), both;
    dlg.GetClientRect(&client);
    std::vector<std::pair<HWND, CRect>> placed;
    std::string texts = "|";
    for (HWND h = ::GetWindow(dlg.m_hWnd, GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT)) {
        const CRect rc = Place(h);
        const DWORD type = ButtonType(h);
        texts += Text(h) + "|";
        both.IntersectRect(&rc, &client);
        EXPECT_EQ(rc, both) << "'" << Text(h) << "' lies inside the dialog";
        const int margin = type == BS_AUTORADIOBUTTON ? ::GetSystemMetrics(SM_CXMENUCHECK) + 6 : type == BS_GROUPBOX ? 16 : type != ~0u ? 8 : 0;
        EXPECT_LE(TextWidth(h) + margin, rc.Width()) << "'" << Text(h) << "' fits its control";
        if (type == BS_GROUPBOX)
            group = rc;
        else placed.push_back({h, rc});
        if (type == BS_AUTORADIOBUTTON && both.UnionRect(&group, &rc)) {
            EXPECT_EQ(group, both) << "radio inside the group box";
        } else if (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON) {   // one column, one size
            EXPECT_TRUE(rc.left == ok.left && rc.right == ok.right && rc.Height() == ok.Height()) << Text(h);
        }
    }
    EXPECT_NE(std::string::npos, texts.find("|Controller Modus|")) << texts;
    EXPECT_NE(std::string::npos, texts.find("|momentan aktive Controller (extern)|")) << texts;
    EXPECT_FALSE(both.IntersectRect(&group, &list));
    EXPECT_EQ(list.top, Place(::GetDlgItem(dlg.m_hWnd, IDC_PLC_REMOVE)).top) << "the buttons start level with the list";
    for (size_t i = 0; i < placed.size(); ++i)
        for (size_t j = i + 1; j < placed.size(); ++j)
            EXPECT_FALSE(both.IntersectRect(&placed[i].second, &placed[j].second))
                << "'" << Text(placed[i].first) << "' and '" << Text(placed[j].first) << "' overlap";
    dlg.DestroyWindow();
}

}
