// CDlgCtrlUtils: works on the controls of one window by control id. Every
// operation looks the control up in the attached window first, so a missing
// control is a quiet no-op with a failure result rather than a crash; the
// "update" operations touch a control only when its content really changes,
// which spares the owner change notifications and flicker.
#pragma once
#include <afxwin.h>

class AFX_EXT_CLASS CDlgCtrlUtils
{
public:
    CDlgCtrlUtils();

    // The window whose controls are addressed (not owned).
    void Attach(CWnd* pWnd);

    // 0 without such a control, else what EnableWindow answers.
    int EnableDlgItem(UINT nID, BOOL bEnable);
    // nCount control ids follow.
    void EnableDlgItems(BOOL bEnable, int nCount, ...);
    void EnableDlgItemArray(BOOL bEnable, const UINT* pIDs, int nCount);

    // 0 without such a control, else what ShowWindow answers.
    int ShowDlgItem(UINT nID, int nCmdShow);
    void ShowDlgItems(int nCmdShow, int nCount, ...);
    void ShowDlgItemArray(const UINT* pIDs, int nCount, int nCmdShow);

    // 1 when the text differed (case-sensitive, multibyte-aware) and was set, else 0.
    int UpdateDlgItemText(UINT nID, LPCSTR lpszText);
    // 0 when the control already shows the value; else writes it (signed) and returns 1.
    int UpdateDlgItemInt(UINT nID, int nValue, BOOL bSigned);

    // The control's rectangle in the client coordinates of the attached window.
    void GetDlgItemRect(UINT nID, LPRECT lpRect);

    // -1 without such a control, else the combo box's answer.
    int SelectComboItem(UINT nID, int nIndex);
    // Index of the first entry carrying dwData, now selected; -1 if none.
    int SelectComboItemByData(UINT nID, DWORD_PTR dwData);
    // Exact (case-insensitive) text match; 0 without control or match, else the combo box's answer.
    int SelectComboItemString(UINT nID, LPCSTR lpszString);
    DWORD_PTR GetComboSelItemData(UINT nID);
    int SelectListItemByData(UINT nID, DWORD_PTR dwData);
    // Selects exactly the rows carrying dwData; the last such row, or -1.
    int SelectListCtrlItemByData(UINT nID, DWORD_PTR dwData);

    void LimitDlgItemText(UINT nID, int nCount);
    void SetSliderPos(UINT nID, int nPos);

protected:
    CWnd* m_pWnd;

private:
    HWND Item(UINT nID) const;
};
