// CTabCtrlEx: an owner-drawn tab control in which single tabs can be
// disabled. Disabled tabs are drawn embossed and can be reached neither by
// the mouse nor by the keyboard (Left/Right inside the control, Ctrl+Tab and
// Ctrl+Page Up/Down in a property sheet that forwards its keys).
#pragma once
#include <afxcmn.h>

class AFX_EXT_CLASS CTabCtrlEx : public CTabCtrl
{
    DECLARE_DYNAMIC(CTabCtrlEx)
public:
    CTabCtrlEx();

    // Takes over the dialog's tab control and makes it owner-drawn.
    BOOL SubclassDlgItem(UINT nID, CWnd* pParent);

    // Only tabs 0..31 can be enabled; higher ones count as disabled.
    BOOL EnableTab(int nIndex, BOOL bEnable = TRUE);
    BOOL IsTabEnabled(int nIndex) const;
    // The next (previous) enabled tab after nCurrent, never nCurrent itself;
    // -1 when there is none.
    int NextEnabledTab(int nCurrent, BOOL bWrap) const;
    int PrevEnabledTab(int nCurrent, BOOL bWrap) const;
    // Selects the tab as a click would: the parent is asked first and told after.
    BOOL SetActiveTab(UINT nIndex);
    // Ctrl+Tab, Ctrl+Shift+Tab, Ctrl+Page Up/Down for the sheet hosting the
    // control; TRUE when the message was consumed.
    BOOL TranslatePropSheetMsg(MSG* pMsg);

    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    BOOL PreTranslateMessage(MSG* pMsg) override;
    virtual void OnDrawText(CDC* pDC, CRect rect, CString sText, BOOL bDisabled);

protected:
    afx_msg BOOL OnSelChanging(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

    DWORD m_dwEnabled;

private:
    int ScanEnabledTab(int nCurrent, int nStep, BOOL bWrap) const;
    LRESULT NotifyParent(UINT nCode);
};
