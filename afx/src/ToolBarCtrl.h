// CToolBarCtrl: the common toolbar control. Buttons carry a command id, an
// image of the bitmaps added to the toolbar and a state (enabled, checked,
// pressed, hidden, indeterminate); the toolbar sends their commands to its
// owner as WM_COMMAND.
#pragma once
#include "Wnd.h"
#include "Point.h"
#include <commctrl.h>

class CBitmap;
class CToolTipCtrl;

class AFX_CORE_CLASS CToolBarCtrl : public CWnd
{
    DECLARE_DYNAMIC(CToolBarCtrl)
public:
    CToolBarCtrl() = default;
    ~CToolBarCtrl() override;

    // Creates the control and tells it the size of the button structure.
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    BOOL IsButtonEnabled(int nID) const { return (BOOL)SendMessage(TB_ISBUTTONENABLED, nID); }
    BOOL IsButtonChecked(int nID) const { return (BOOL)SendMessage(TB_ISBUTTONCHECKED, nID); }
    BOOL IsButtonPressed(int nID) const { return (BOOL)SendMessage(TB_ISBUTTONPRESSED, nID); }
    BOOL IsButtonHidden(int nID) const { return (BOOL)SendMessage(TB_ISBUTTONHIDDEN, nID); }
    BOOL IsButtonIndeterminate(int nID) const { return (BOOL)SendMessage(TB_ISBUTTONINDETERMINATE, nID); }
    BOOL EnableButton(int nID, BOOL bEnable = TRUE) { return (BOOL)SendMessage(TB_ENABLEBUTTON, nID, MAKELPARAM(bEnable, 0)); }
    BOOL CheckButton(int nID, BOOL bCheck = TRUE) { return (BOOL)SendMessage(TB_CHECKBUTTON, nID, MAKELPARAM(bCheck, 0)); }
    BOOL PressButton(int nID, BOOL bPress = TRUE) { return (BOOL)SendMessage(TB_PRESSBUTTON, nID, MAKELPARAM(bPress, 0)); }
    BOOL HideButton(int nID, BOOL bHide = TRUE) { return (BOOL)SendMessage(TB_HIDEBUTTON, nID, MAKELPARAM(bHide, 0)); }
    BOOL Indeterminate(int nID, BOOL bIndeterminate = TRUE)
    { return (BOOL)SendMessage(TB_INDETERMINATE, nID, MAKELPARAM(bIndeterminate, 0)); }
    // TBSTATE_* flags of the button with command nID; -1 when there is none.
    int GetState(int nID) const { return (int)SendMessage(TB_GETSTATE, nID); }
    BOOL SetState(int nID, UINT nState) { return (BOOL)SendMessage(TB_SETSTATE, nID, MAKELPARAM(nState, 0)); }

    BOOL GetButton(int nIndex, LPTBBUTTON lpButton) const
    { return (BOOL)SendMessage(TB_GETBUTTON, nIndex, reinterpret_cast<LPARAM>(lpButton)); }
    int GetButtonCount() const { return (int)SendMessage(TB_BUTTONCOUNT); }
    BOOL GetItemRect(int nIndex, LPRECT lpRect) const
    { return (BOOL)SendMessage(TB_GETITEMRECT, nIndex, reinterpret_cast<LPARAM>(lpRect)); }
    int GetRows() const { return (int)SendMessage(TB_GETROWS); }
    void SetRows(int nRows, BOOL bLarger, LPRECT lpRect)
    { SendMessage(TB_SETROWS, MAKEWPARAM(nRows, bLarger), reinterpret_cast<LPARAM>(lpRect)); }
    void SetButtonStructSize(int nSize) { SendMessage(TB_BUTTONSTRUCTSIZE, nSize); }
    BOOL SetButtonSize(CSize size) { return (BOOL)SendMessage(TB_SETBUTTONSIZE, 0, MAKELPARAM(size.cx, size.cy)); }
    BOOL SetBitmapSize(CSize size) { return (BOOL)SendMessage(TB_SETBITMAPSIZE, 0, MAKELPARAM(size.cx, size.cy)); }
    BOOL SetCmdID(int nIndex, UINT nID) { return (BOOL)SendMessage(TB_SETCMDID, nIndex, nID); }
    UINT GetBitmapFlags() const { return (UINT)SendMessage(TB_GETBITMAPFLAGS); }
    // The tooltip control the toolbar keeps (TBSTYLE_TOOLTIPS), or null.
    CToolTipCtrl* GetToolTips() const;
    void SetToolTips(CToolTipCtrl* pTip);
    void SetOwner(CWnd* pWnd) { SendMessage(TB_SETPARENT, reinterpret_cast<WPARAM>(pWnd ? pWnd->m_hWnd : nullptr)); }

    // nNumButtons images from bitmap resource nBitmapID (found through the
    // resource chain) or from pBitmap; the index of the first, -1 on failure.
    int AddBitmap(int nNumButtons, UINT nBitmapID);
    int AddBitmap(int nNumButtons, CBitmap* pBitmap);
    BOOL AddButtons(int nNumButtons, LPTBBUTTON lpButtons)
    { return (BOOL)SendMessage(TB_ADDBUTTONSA, nNumButtons, reinterpret_cast<LPARAM>(lpButtons)); }
    BOOL InsertButton(int nIndex, LPTBBUTTON lpButton)
    { return (BOOL)SendMessage(TB_INSERTBUTTONA, nIndex, reinterpret_cast<LPARAM>(lpButton)); }
    BOOL DeleteButton(int nIndex) { return (BOOL)SendMessage(TB_DELETEBUTTON, nIndex); }
    // The index of the button with command nID; -1 when there is none.
    UINT CommandToIndex(UINT nID) const { return (UINT)SendMessage(TB_COMMANDTOINDEX, nID); }
    // Button texts: string resource nStringID, or '\0'-separated strings ending in two.
    int AddString(UINT nStringID);
    int AddStrings(LPCSTR lpszStrings) { return (int)SendMessage(TB_ADDSTRINGA, 0, reinterpret_cast<LPARAM>(lpszStrings)); }
    void AutoSize() { SendMessage(TB_AUTOSIZE); }
    void Customize() { SendMessage(TB_CUSTOMIZE); }
    // The buttons' layout under hKeyRoot\lpszSubKey, value lpszValueName.
    // Restoring asks the owner for the buttons it knows (TBN_GETBUTTONINFO).
    void SaveState(HKEY hKeyRoot, LPCSTR lpszSubKey, LPCSTR lpszValueName);
    void RestoreState(HKEY hKeyRoot, LPCSTR lpszSubKey, LPCSTR lpszValueName);
};
