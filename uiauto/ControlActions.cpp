#include "ControlActions.h"
#include <commctrl.h>
#include <vector>

namespace qrvtest {

HWND Item(HWND hDlg, int id) { return ::GetDlgItem(hDlg, id); }

void Click(HWND hDlg, int id) { ::PostMessageA(Item(hDlg, id), BM_CLICK, 0, 0); }

void ClickAndWait(HWND hDlg, int id)
{
    ::SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)Item(hDlg, id));
}

void Focus(HWND hDlg, int id)
{
    ::SendMessageA(hDlg, WM_NEXTDLGCTL, (WPARAM)Item(hDlg, id), TRUE);
}

void Type(HWND hDlg, int id, const std::string& text)
{
    HWND hEdit = Item(hDlg, id);
    Focus(hDlg, id);
    ::SendMessageA(hEdit, EM_SETSEL, 0, -1);
    ::SendMessageA(hEdit, WM_CHAR, VK_BACK, 1);
    for (unsigned char ch : text)
        ::SendMessageA(hEdit, WM_CHAR, ch, 1);
}

std::string Text(HWND hWnd)
{
    int n = ::GetWindowTextLengthA(hWnd);
    std::vector<char> buf(n + 2);
    ::GetWindowTextA(hWnd, buf.data(), n + 1);
    return buf.data();
}

std::string ItemText(HWND hDlg, int id) { return Text(Item(hDlg, id)); }

void ClickSpinArrow(HWND hSpin, bool upper)
{
    RECT rc;
    ::GetClientRect(hSpin, &rc);
    bool horizontal = (::GetWindowLongA(hSpin, GWL_STYLE) & UDS_HORZ) != 0;
    int x, y;
    if (horizontal) {
        // The right arrow increases, like the upper one of a vertical control.
        x = upper ? rc.right * 3 / 4 : rc.right / 4;
        y = rc.bottom / 2;
    } else {
        x = rc.right / 2;
        y = upper ? rc.bottom / 4 : rc.bottom * 3 / 4;
    }
    LPARAM pos = MAKELPARAM(x, y);
    ::PostMessageA(hSpin, WM_LBUTTONDOWN, MK_LBUTTON, pos);
    ::PostMessageA(hSpin, WM_LBUTTONUP, 0, pos);
}

void SelectListRow(HWND hList, int index)
{
    LVITEMA clear = {};
    clear.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    ::SendMessageA(hList, LVM_SETITEMSTATE, (WPARAM)-1, (LPARAM)&clear);
    LVITEMA item = {};
    item.state = item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    ::SendMessageA(hList, LVM_SETITEMSTATE, (WPARAM)index, (LPARAM)&item);
    ::SendMessageA(hList, LVM_ENSUREVISIBLE, (WPARAM)index, FALSE);
}

void ClickListRow(HWND hList, int index, bool doubleClick)
{
    RECT rc = {};
    rc.left = LVIR_LABEL;
    ::SendMessageA(hList, LVM_GETITEMRECT, (WPARAM)index, (LPARAM)&rc);
    LPARAM pos = MAKELPARAM(rc.left + 4, (rc.top + rc.bottom) / 2);
    ::PostMessageA(hList, WM_LBUTTONDOWN, MK_LBUTTON, pos);
    ::PostMessageA(hList, WM_LBUTTONUP, 0, pos);
    if (doubleClick) {
        ::PostMessageA(hList, WM_LBUTTONDBLCLK, MK_LBUTTON, pos);
        ::PostMessageA(hList, WM_LBUTTONUP, 0, pos);
    }
}

void ClickListColumn(HWND hList, int column)
{
    HWND hHeader = (HWND)::SendMessageA(hList, LVM_GETHEADER, 0, 0);
    RECT rc = {};
    ::SendMessageA(hHeader, HDM_GETITEMRECT, (WPARAM)column, (LPARAM)&rc);
    LPARAM pos = MAKELPARAM((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
    ::PostMessageA(hHeader, WM_LBUTTONDOWN, MK_LBUTTON, pos);
    ::PostMessageA(hHeader, WM_LBUTTONUP, 0, pos);
}

int SelectedListRow(HWND hList)
{
    return (int)::SendMessageA(hList, LVM_GETNEXTITEM, (WPARAM)-1, LVNI_SELECTED);
}

int ListRowCount(HWND hList) { return (int)::SendMessageA(hList, LVM_GETITEMCOUNT, 0, 0); }

std::string ListCellText(HWND hList, int row, int column)
{
    char buf[512] = "";
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = buf;
    item.cchTextMax = sizeof buf;
    ::SendMessageA(hList, LVM_GETITEMTEXTA, (WPARAM)row, (LPARAM)&item);
    return buf;
}

HTREEITEM FindTreeItem(HWND hTree, const std::string& label, HTREEITEM hParent)
{
    HTREEITEM h = hParent ? (HTREEITEM)::SendMessageA(hTree, TVM_GETNEXTITEM, TVGN_CHILD, (LPARAM)hParent)
                          : (HTREEITEM)::SendMessageA(hTree, TVM_GETNEXTITEM, TVGN_ROOT, 0);
    for (; h; h = (HTREEITEM)::SendMessageA(hTree, TVM_GETNEXTITEM, TVGN_NEXT, (LPARAM)h)) {
        char buf[512] = "";
        TVITEMA item = {};
        item.mask = TVIF_TEXT | TVIF_HANDLE;
        item.hItem = h;
        item.pszText = buf;
        item.cchTextMax = sizeof buf;
        ::SendMessageA(hTree, TVM_GETITEMA, 0, (LPARAM)&item);
        if (label == buf)
            return h;
    }
    return nullptr;
}

bool SelectTreeItem(HWND hTree, HTREEITEM hItem)
{
    return ::SendMessageA(hTree, TVM_SELECTITEM, TVGN_CARET, (LPARAM)hItem) != 0;
}

}
