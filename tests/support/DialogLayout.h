// A dialog's controls as the user sees them: their kinds and texts in order, and what of their
// placement is wrong. For the tests of any dialog, property page or form view.
#pragma once
#include <afxwin.h>
#include <string>
#include <vector>

namespace qrvtest {

// The window's rectangle on the screen (empty without a window).
CRect WindowRect(HWND hWnd);
// The control's rectangle in its parent's client coordinates.
CRect Place(HWND hCtl);
// The width the text needs in the window's font (a mnemonic marker not drawn).
int TextWidth(HWND hWnd, const std::string &text);
// The window's caption, then "|kind text" for every child in order. The kind of a button is
// "push", "default", "group", "radio" or "check"; of any other control its window class.
std::string Controls(HWND hDlg);
// What is out of place among the children, each fault noted as " fault:text" (empty: all in place):
//   id:        the control has not the id the list gives it in order (an empty list checks no ids);
//   outside:   hidden, or not wholly inside the client area;
//   cut:       narrower than its text and the room its kind needs beside it (box, border);
//   ungrouped: a radio not wholly inside the group box before it;
//   unaligned: a push button off the first push button's column (left, right) or height;
//   overlap:   two controls overlapping ("overlap:first/second"), group boxes aside.
std::string LayoutFaults(HWND hDlg, const std::vector<int> &ids = {});

} // namespace qrvtest
