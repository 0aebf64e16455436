#include "DialogLayout.h"
#include "uiauto/ControlActions.h"

namespace qrvtest {

namespace {

struct Child {
    std::string kind, text;
    CRect place;
    int margin; // the room beside the text: a check mark's box, a button's or group box's border
};

Child Describe(HWND hCtl)
{
    char cls[64] = "";
    ::GetClassNameA(hCtl, cls, sizeof cls);
    const DWORD type = strcmp(cls, "Button") ? ~0u : DWORD(::GetWindowLongA(hCtl, GWL_STYLE)) & BS_TYPEMASK;
    const int box = ::GetSystemMetrics(SM_CXMENUCHECK) + 6;
    switch (type) {
    case BS_PUSHBUTTON: return {"push", Text(hCtl), Place(hCtl), 8};
    case BS_DEFPUSHBUTTON: return {"default", Text(hCtl), Place(hCtl), 8};
    case BS_GROUPBOX: return {"group", Text(hCtl), Place(hCtl), 16};
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON: return {"radio", Text(hCtl), Place(hCtl), box};
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX: return {"check", Text(hCtl), Place(hCtl), box};
    }
    return {cls, Text(hCtl), Place(hCtl), 0};
}

} // namespace

CRect WindowRect(HWND hWnd)
{
    CRect rc(0, 0, 0, 0);
    ::GetWindowRect(hWnd, &rc);
    return rc;
}

CRect Place(HWND hCtl)
{
    CRect rc = WindowRect(hCtl);
    ::MapWindowPoints(nullptr, ::GetParent(hCtl), reinterpret_cast<POINT *>(&rc), 2);
    return rc;
}

int TextWidth(HWND hWnd, const std::string &text)
{
    HDC hDC = ::GetDC(hWnd);
    HGDIOBJ hOld = ::SelectObject(hDC, (HFONT)::SendMessageA(hWnd, WM_GETFONT, 0, 0));
    RECT rc = {};
    ::DrawTextA(hDC, text.c_str(), -1, &rc, DT_CALCRECT | DT_SINGLELINE);
    ::SelectObject(hDC, hOld);
    ::ReleaseDC(hWnd, hDC);
    return rc.right - rc.left;
}

std::string Controls(HWND hDlg)
{
    std::string seen = Text(hDlg);
    for (HWND h = ::GetWindow(hDlg, GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT))
        seen += "|" + Describe(h).kind + " " + Text(h);
    return seen;
}

std::string LayoutFaults(HWND hDlg, const std::vector<int> &ids)
{
    CRect client, group, column, both;
    ::GetClientRect(hDlg, &client);
    std::vector<Child> placed;
    std::string wrong;
    auto note = [&](bool bad, const std::string &what) { wrong += bad ? " " + what : ""; };
    size_t n = 0;
    for (HWND h = ::GetWindow(hDlg, GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT), ++n) {
        const Child c = Describe(h);
        const CRect &rc = c.place;
        note(!ids.empty() && (n >= ids.size() || WORD(::GetDlgCtrlID(h)) != WORD(ids[n])), "id:" + c.text);
        note(!::IsWindowVisible(h) || !both.IntersectRect(&rc, &client) || both != rc, "outside:" + c.text);
        note(TextWidth(h, c.text) + c.margin > rc.Width(), "cut:" + c.text);
        note(c.kind == "radio" && both.UnionRect(&group, &rc) && both != group, "ungrouped:" + c.text);
        const bool push = c.kind == "push" || c.kind == "default";
        column = push && column.IsRectNull() ? rc : column;
        note(push && (rc.left != column.left || rc.right != column.right || rc.Height() != column.Height()),
             "unaligned:" + c.text);
        for (const Child &other : placed)
            note(c.kind != "group" && both.IntersectRect(&other.place, &rc),
                 "overlap:" + other.text + "/" + c.text);
        if (c.kind == "group")
            group = rc;
        else
            placed.push_back(c);
    }
    note(!ids.empty() && n < ids.size(), "id:missing");
    return wrong;
}

} // namespace qrvtest
