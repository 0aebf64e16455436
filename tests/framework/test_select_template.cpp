// The controller selection template of QRV.dll, created from the host's side
// through the resource chain: every control with its id, class, style and
// text, a layout in which no text is cut off, and the dialog's messages.
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

std::string ClassOf(HWND hWnd)
{
    char cls[64] = "";
    ::GetClassNameA(hWnd, cls, sizeof cls);
    return cls;
}

RECT ClientRectOf(HWND hDlg, HWND hCtl)
{
    RECT rc;
    ::GetWindowRect(hCtl, &rc);
    ::MapWindowPoints(nullptr, hDlg, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

// The width the control's text needs in the dialog's font (without the mnemonic marker).
int TextWidth(HWND hCtl)
{
    std::string text = Text(hCtl);
    std::string shown;
    for (size_t i = 0; i < text.size(); ++i)
        if (text[i] != '&' || (i + 1 < text.size() && text[i + 1] == '&'))
            shown += text[i];
    HDC hDC = ::GetDC(hCtl);
    HGDIOBJ hOld = ::SelectObject(hDC, (HFONT)::SendMessageA(hCtl, WM_GETFONT, 0, 0));
    SIZE size = {};
    ::GetTextExtentPoint32A(hDC, shown.c_str(), (int)shown.size(), &size);
    ::SelectObject(hDC, hOld);
    ::ReleaseDC(hCtl, hDC);
    return size.cx;
}

HWND ChildWithText(HWND hDlg, const std::string& text)
{
    for (HWND h = ::GetWindow(hDlg, GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT))
        if (Text(h) == text)
            return h;
    return nullptr;
}

class SelectTemplateTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        INITCOMMONCONTROLSEX icc = { sizeof(icc), ICC_LISTVIEW_CLASSES };
        ::InitCommonControlsEx(&icc);
        ASSERT_TRUE(m_dlg.Create(IDD_PLC_SELECT)) << "template 22301 through the resource chain";
        m_dlg.ShowWindow(SW_SHOW);
        PumpFor(50);
    }
    void TearDown() override { m_dlg.DestroyWindow(); }
    HWND Ctl(int id) { return ::GetDlgItem(m_dlg.m_hWnd, id); }

    CDialog m_dlg;
};

TEST_F(SelectTemplateTest, EveryControlWithItsIdClassTextAndPlace)
{
    EXPECT_EQ("Controller auswählen", Text(m_dlg.m_hWnd));
    const struct { int id; const char* cls; const char* text; DWORD typeStyle; } controls[] = {   // BS_ type for buttons
        {IDC_PLC_MODE_EXTERNAL, "Button", "nur externe Controller", BS_AUTORADIOBUTTON},
        {IDC_PLC_MODE_INTERNAL, "Button", "nur interner Controller", BS_AUTORADIOBUTTON},
        {IDC_PLC_MODE_BOTH, "Button", "interner + externe Controller", BS_AUTORADIOBUTTON},
        {IDC_PLC_ACTIVE_NAME, "Static", "", 0}, {IDC_PLC_LIST, "SysListView32", "", 0},
        {IDOK, "Button", "&OK", BS_DEFPUSHBUTTON}, {IDCANCEL, "Button", "&Abbrechen", BS_PUSHBUTTON},
        {IDC_PLC_REMOVE, "Button", "&Löschen", BS_PUSHBUTTON}, {IDC_PLC_RESCAN, "Button", "A&ktualisieren", BS_PUSHBUTTON},
        {IDC_PLC_SETUP, "Button", "Contr. Einstellung", BS_PUSHBUTTON},
    };
    for (const auto& c : controls) {
        SCOPED_TRACE(c.id);
        HWND h = Ctl(c.id);
        ASSERT_NE(nullptr, h);
        EXPECT_STRCASEEQ(c.cls, ClassOf(h).c_str());
        EXPECT_EQ(c.text, Text(h));
        EXPECT_TRUE(::IsWindowVisible(h));
        if (std::string(c.cls) == "Button") {
            EXPECT_EQ(c.typeStyle, (DWORD)::GetWindowLongA(h, GWL_STYLE) & BS_TYPEMASK);
        }
    }
    DWORD listStyle = (DWORD)::GetWindowLongA(Ctl(IDC_PLC_LIST), GWL_STYLE);
    EXPECT_EQ((DWORD)LVS_REPORT, listStyle & LVS_TYPEMASK);
    EXPECT_EQ(DWORD(LVS_SINGLESEL | LVS_SHOWSELALWAYS), listStyle & (LVS_SINGLESEL | LVS_SHOWSELALWAYS));
    EXPECT_TRUE(::GetWindowLongA(Ctl(IDC_PLC_MODE_EXTERNAL), GWL_STYLE) & WS_GROUP) << "the radio buttons form one group";
    ASSERT_NE(nullptr, ChildWithText(m_dlg.m_hWnd, "momentan aktive Controller (extern)"));

    // The group box frames the three modes, apart from the list.
    HWND hGroup = ChildWithText(m_dlg.m_hWnd, "Controller Modus");
    ASSERT_NE(nullptr, hGroup);
    EXPECT_EQ((DWORD)BS_GROUPBOX, (DWORD)::GetWindowLongA(hGroup, GWL_STYLE) & BS_TYPEMASK);
    RECT rcGroup = ClientRectOf(m_dlg.m_hWnd, hGroup), rcList = ClientRectOf(m_dlg.m_hWnd, Ctl(IDC_PLC_LIST)), both;
    for (int id : {IDC_PLC_MODE_EXTERNAL, IDC_PLC_MODE_INTERNAL, IDC_PLC_MODE_BOTH}) {
        RECT rc = ClientRectOf(m_dlg.m_hWnd, Ctl(id));
        ::UnionRect(&both, &rcGroup, &rc);
        EXPECT_TRUE(::EqualRect(&both, &rcGroup)) << "radio " << id << " inside the group box";
    }
    EXPECT_FALSE(::IntersectRect(&both, &rcGroup, &rcList));
    // The buttons share one column and size, starting level with the list.
    RECT rcOk = ClientRectOf(m_dlg.m_hWnd, Ctl(IDOK));
    for (int id : {IDCANCEL, IDC_PLC_REMOVE, IDC_PLC_RESCAN, IDC_PLC_SETUP}) {
        RECT rc = ClientRectOf(m_dlg.m_hWnd, Ctl(id));
        EXPECT_EQ(rcOk.left, rc.left) << id;
        EXPECT_EQ(rcOk.right, rc.right) << id;
        EXPECT_EQ(rcOk.bottom - rcOk.top, rc.bottom - rc.top) << id;
    }
    EXPECT_EQ(rcList.top, ClientRectOf(m_dlg.m_hWnd, Ctl(IDC_PLC_REMOVE)).top);
}

TEST_F(SelectTemplateTest, NoTextIsCutOffAndNothingOverlaps)
{
    RECT rcClient;
    ::GetClientRect(m_dlg.m_hWnd, &rcClient);
    std::vector<std::pair<HWND, RECT>> placed;
    for (HWND h = ::GetWindow(m_dlg.m_hWnd, GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT)) {
        RECT rc = ClientRectOf(m_dlg.m_hWnd, h), inside;
        ::IntersectRect(&inside, &rc, &rcClient);
        EXPECT_TRUE(::EqualRect(&inside, &rc)) << "'" << Text(h) << "' lies inside the dialog";
        const DWORD type = ClassOf(h) == "Button" ? (DWORD)::GetWindowLongA(h, GWL_STYLE) & BS_TYPEMASK : ~0u;
        const int margin = type == BS_AUTORADIOBUTTON ? ::GetSystemMetrics(SM_CXMENUCHECK) + 6
                         : type == BS_GROUPBOX ? 16 : type != ~0u ? 8 : 0;
        EXPECT_LE(TextWidth(h) + margin, rc.right - rc.left) << "'" << Text(h) << "' fits its control";
        if (type != BS_GROUPBOX)
            placed.push_back({h, rc});
    }
    for (size_t i = 0; i < placed.size(); ++i)
        for (size_t j = i + 1; j < placed.size(); ++j) {
            RECT overlap;
            EXPECT_FALSE(::IntersectRect(&overlap, &placed[i].second, &placed[j].second))
                << "'" << Text(placed[i].first) << "' and '" << Text(placed[j].first) << "' overlap";
        }
}

TEST(SelectMessages, TextsOfTheDialogsMessagesInTheAnsiCodePage)
{
    const struct { UINT id; const char* text; } messages[] = {
        {IDS_PLC_CHANGE_CONTROLLER,
         "Sie wechseln zu einem anderen Controller. Adressinformationen könnten verloren gehen! Fortfahren?"},
        {IDS_PLC_CANNOT_REMOVE, "Kann aktiven Treiber nicht entfernen."},
        {IDS_PLC_REMOVE_DRIVER,
         "Der Treiber wird von der Liste entfernt. \nWollen Sie den Treiber permanent von der Festplatte löschen?"}};
    for (const auto& m : messages) {
        CString text;
        ASSERT_TRUE(text.LoadString(m.id));
        EXPECT_STREQ(m.text, text);
    }
}

}
