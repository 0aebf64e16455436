#include "DlgCtrlUtils.h"
#include <cstdarg>
#include <mbstring.h>

CDlgCtrlUtils::CDlgCtrlUtils() : m_pWnd(nullptr) {}

void CDlgCtrlUtils::Attach(CWnd* pWnd) { m_pWnd = pWnd; }

HWND CDlgCtrlUtils::Item(UINT nID) const
{
    if (!m_pWnd || !::IsWindow(m_pWnd->m_hWnd))
        return nullptr;
    return ::GetDlgItem(m_pWnd->m_hWnd, (int)nID);
}

int CDlgCtrlUtils::EnableDlgItem(UINT nID, BOOL bEnable)
{
    HWND hItem = Item(nID);
    return hItem ? ::EnableWindow(hItem, bEnable) : 0;
}

void CDlgCtrlUtils::EnableDlgItems(BOOL bEnable, int nCount, ...)
{
    va_list args;
    va_start(args, nCount);
    for (int i = 0; i < nCount; ++i)
        EnableDlgItem(va_arg(args, UINT), bEnable);
    va_end(args);
}

void CDlgCtrlUtils::EnableDlgItemArray(BOOL bEnable, const UINT* pIDs, int nCount)
{
    for (int i = 0; pIDs && i < nCount; ++i)
        EnableDlgItem(pIDs[i], bEnable);
}

int CDlgCtrlUtils::ShowDlgItem(UINT nID, int nCmdShow)
{
    HWND hItem = Item(nID);
    return hItem ? ::ShowWindow(hItem, nCmdShow) : 0;
}

void CDlgCtrlUtils::ShowDlgItems(int nCmdShow, int nCount, ...)
{
    va_list args;
    va_start(args, nCount);
    for (int i = 0; i < nCount; ++i)
        ShowDlgItem(va_arg(args, UINT), nCmdShow);
    va_end(args);
}

void CDlgCtrlUtils::ShowDlgItemArray(const UINT* pIDs, int nCount, int nCmdShow)
{
    for (int i = 0; pIDs && i < nCount; ++i)
        ShowDlgItem(pIDs[i], nCmdShow);
}

int CDlgCtrlUtils::UpdateDlgItemText(UINT nID, LPCSTR lpszText)
{
    HWND hItem = Item(nID);
    if (!hItem)
        return 0;
    CString strOld;
    CWnd::FromHandle(hItem)->GetWindowText(strOld);
    LPCSTR pszNew = lpszText ? lpszText : "";
    if (_mbscmp(reinterpret_cast<const unsigned char*>((LPCSTR)strOld),
                reinterpret_cast<const unsigned char*>(pszNew)) == 0)
        return 0;
    ::SetWindowTextA(hItem, pszNew);
    return 1;
}

// A control that does not exist shows nothing that could change: 0.
int CDlgCtrlUtils::UpdateDlgItemInt(UINT nID, int nValue, BOOL bSigned)
{
    HWND hItem = Item(nID);
    if (!hItem)
        return 0;
    BOOL bTranslated = FALSE;
    UINT nRead = ::GetDlgItemInt(m_pWnd->m_hWnd, (int)nID, &bTranslated, bSigned);
    if (bTranslated && nRead == (UINT)nValue)
        return 0;
    ::SetDlgItemInt(m_pWnd->m_hWnd, (int)nID, (UINT)nValue, TRUE);
    return 1;
}

// The attached window's client coordinates are the ones a caller can move
// the control with; nothing is written without the control.
void CDlgCtrlUtils::GetDlgItemRect(UINT nID, LPRECT lpRect)
{
    HWND hItem = Item(nID);
    if (!hItem || !lpRect)
        return;
    ::GetWindowRect(hItem, lpRect);
    ::MapWindowPoints(nullptr, m_pWnd->m_hWnd, reinterpret_cast<LPPOINT>(lpRect), 2);
}

int CDlgCtrlUtils::SelectComboItem(UINT nID, int nIndex)
{
    HWND hItem = Item(nID);
    return hItem ? (int)::SendMessageA(hItem, CB_SETCURSEL, nIndex, 0) : -1;
}

int CDlgCtrlUtils::SelectComboItemByData(UINT nID, DWORD_PTR dwData)
{
    HWND hItem = Item(nID);
    if (!hItem)
        return -1;
    int nCount = (int)::SendMessageA(hItem, CB_GETCOUNT, 0, 0);
    for (int i = 0; i < nCount; ++i) {
        if ((DWORD_PTR)::SendMessageA(hItem, CB_GETITEMDATA, i, 0) == dwData) {
            ::SendMessageA(hItem, CB_SETCURSEL, i, 0);
            return i;
        }
    }
    return -1;
}

int CDlgCtrlUtils::SelectComboItemString(UINT nID, LPCSTR lpszString)
{
    HWND hItem = Item(nID);
    if (!hItem || !lpszString)
        return 0;
    // The exact search starts after the given entry and wraps round.
    int nFound = (int)::SendMessageA(hItem, CB_FINDSTRINGEXACT, 0, reinterpret_cast<LPARAM>(lpszString));
    if (nFound == CB_ERR)
        return 0;
    return (int)::SendMessageA(hItem, CB_SETCURSEL, nFound, 0);
}

DWORD_PTR CDlgCtrlUtils::GetComboSelItemData(UINT nID)
{
    HWND hItem = Item(nID);
    if (!hItem)
        return 0;
    int nSel = (int)::SendMessageA(hItem, CB_GETCURSEL, 0, 0);
    return (DWORD_PTR)::SendMessageA(hItem, CB_GETITEMDATA, nSel, 0);
}

int CDlgCtrlUtils::SelectListItemByData(UINT nID, DWORD_PTR dwData)
{
    HWND hItem = Item(nID);
    if (!hItem)
        return -1;
    int nCount = (int)::SendMessageA(hItem, LB_GETCOUNT, 0, 0);
    for (int i = 0; i < nCount; ++i) {
        if ((DWORD_PTR)::SendMessageA(hItem, LB_GETITEMDATA, i, 0) == dwData) {
            ::SendMessageA(hItem, LB_SETCURSEL, i, 0);
            return i;
        }
    }
    return -1;
}

int CDlgCtrlUtils::SelectListCtrlItemByData(UINT nID, DWORD_PTR dwData)
{
    HWND hItem = Item(nID);
    if (!hItem)
        return -1;
    int nLast = -1;
    int nCount = (int)::SendMessageA(hItem, LVM_GETITEMCOUNT, 0, 0);
    for (int i = 0; i < nCount; ++i) {
        LVITEMA item = {};
        item.mask = LVIF_PARAM;
        item.iItem = i;
        ::SendMessageA(hItem, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
        bool bMatch = (DWORD_PTR)item.lParam == dwData;
        LVITEMA state = {};
        state.stateMask = LVIS_SELECTED;
        state.state = bMatch ? LVIS_SELECTED : 0;
        ::SendMessageA(hItem, LVM_SETITEMSTATE, i, reinterpret_cast<LPARAM>(&state));
        if (bMatch)
            nLast = i;
    }
    return nLast;
}

void CDlgCtrlUtils::LimitDlgItemText(UINT nID, int nCount)
{
    HWND hItem = Item(nID);
    if (hItem)
        ::SendMessageA(hItem, EM_LIMITTEXT, nCount, 0);
}

void CDlgCtrlUtils::SetSliderPos(UINT nID, int nPos)
{
    HWND hItem = Item(nID);
    if (hItem)
        ::SendMessageA(hItem, TBM_SETPOS, TRUE, nPos);
}
