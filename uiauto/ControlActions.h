// User actions through real messages. Every function is safe to call from a
// driver thread while the dialog's own thread runs a modal loop: actions that
// may open further modal windows are posted, not sent.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <string>

namespace qrvtest {

HWND Item(HWND hDlg, int id);
// Posts a click (BM_CLICK) to a button, check box or radio button.
void Click(HWND hDlg, int id);
// Sends WM_COMMAND with BN_CLICKED as a button would, waiting for the handler.
void ClickAndWait(HWND hDlg, int id);
// Moves the focus to the control as the dialog manager does (WM_NEXTDLGCTL);
// the control that had it gets its kill-focus notification.
void Focus(HWND hDlg, int id);
// Replaces the edit's text by typing: focus, select all, then WM_CHAR per character.
void Type(HWND hDlg, int id, const std::string& text);
std::string Text(HWND hWnd);
std::string ItemText(HWND hDlg, int id);
// Clicks the up (delta < 0 in UDN_DELTAPOS terms: the upper arrow) or lower
// arrow of an up-down control with real mouse messages at the arrow's place.
void ClickSpinArrow(HWND hSpin, bool upper);

// List-view: selects (and focuses) row `index` the way a click does; the
// parent gets LVN_ITEMCHANGED. ClickListRow posts real mouse messages.
void SelectListRow(HWND hList, int index);
void ClickListRow(HWND hList, int index, bool doubleClick = false);
void ClickListColumn(HWND hList, int column);
int SelectedListRow(HWND hList);
int ListRowCount(HWND hList);
std::string ListCellText(HWND hList, int row, int column);

// Tree-view: selects the item with this label below hParent (null: roots).
HTREEITEM FindTreeItem(HWND hTree, const std::string& label, HTREEITEM hParent = nullptr);
bool SelectTreeItem(HWND hTree, HTREEITEM hItem);

}
