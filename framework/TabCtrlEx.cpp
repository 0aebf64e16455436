#include "TabCtrlEx.h"

IMPLEMENT_DYNAMIC(CTabCtrlEx, CTabCtrl)

BEGIN_MESSAGE_MAP(CTabCtrlEx, CTabCtrl)
    ON_WM_DRAWITEM_REFLECT()
    ON_NOTIFY_REFLECT_EX(TCN_SELCHANGING, OnSelChanging)
END_MESSAGE_MAP()

namespace {
const int kMaxTabs = 32; // one bit of the mask per tab
const int kMaxText = 128;
}

CTabCtrlEx::CTabCtrlEx() : m_dwEnabled(0xFFFFFFFF)
{
}

BOOL CTabCtrlEx::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    BOOL bResult = CTabCtrl::SubclassDlgItem(nID, pParent);
    if (!bResult)
        return bResult;
    ModifyStyle(0, TCS_OWNERDRAWFIXED);
    return TRUE;
}

BOOL CTabCtrlEx::EnableTab(int nIndex, BOOL bEnable)
{
    if (nIndex < 0 || nIndex >= kMaxTabs)
        return FALSE;
    if (bEnable)
        m_dwEnabled |= 1u << nIndex;
    else
        m_dwEnabled &= ~(1u << nIndex);
    if (::IsWindow(m_hWnd)) {
        CRect rc;
        if (GetItemRect(nIndex, &rc))
            InvalidateRect(&rc, TRUE);
    }
    return TRUE;
}

BOOL CTabCtrlEx::IsTabEnabled(int nIndex) const
{
    if (nIndex < 0 || nIndex >= kMaxTabs)
        return FALSE;
    return (m_dwEnabled >> nIndex) & 1;
}

// Walks from nCurrent in steps of nStep; one full round at most, so that a
// scan without a current tab ends too.
int CTabCtrlEx::ScanEnabledTab(int nCurrent, int nStep, BOOL bWrap) const
{
    const int nCount = GetItemCount();
    int nIndex = nCurrent;
    for (int nSteps = 0; nSteps < nCount; ++nSteps) {
        nIndex += nStep;
        if (nIndex >= nCount || nIndex < 0) {
            if (!bWrap)
                return -1;
            nIndex = nIndex < 0 ? nCount - 1 : 0;
        }
        if (nIndex == nCurrent)
            return -1;
        if (IsTabEnabled(nIndex))
            return nIndex;
    }
    return -1;
}

int CTabCtrlEx::NextEnabledTab(int nCurrent, BOOL bWrap) const
{
    return ScanEnabledTab(nCurrent, 1, bWrap);
}

int CTabCtrlEx::PrevEnabledTab(int nCurrent, BOOL bWrap) const
{
    return ScanEnabledTab(nCurrent, -1, bWrap);
}

LRESULT CTabCtrlEx::NotifyParent(UINT nCode)
{
    NMHDR nmh = {};
    nmh.hwndFrom = m_hWnd;
    nmh.idFrom = (UINT_PTR)GetDlgCtrlID();
    nmh.code = nCode;
    return ::SendMessageA(::GetParent(m_hWnd), WM_NOTIFY, nmh.idFrom, reinterpret_cast<LPARAM>(&nmh));
}

// A parent that answers the selection-changing notification with anything
// but 0 keeps the current tab, whether the answer is TRUE (as a sheet whose
// page refuses to be left gives it) or negative.
BOOL CTabCtrlEx::SetActiveTab(UINT nIndex)
{
    if (NotifyParent(TCN_SELCHANGING) != 0)
        return FALSE;
    SetCurSel((int)nIndex);
    NotifyParent(TCN_SELCHANGE);
    return TRUE;
}

BOOL CTabCtrlEx::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_LEFT || pMsg->wParam == VK_RIGHT)) {
        int nCurrent = GetCurSel();
        int nTab = pMsg->wParam == VK_LEFT ? PrevEnabledTab(nCurrent, FALSE) : NextEnabledTab(nCurrent, FALSE);
        if (nTab >= 0)
            SetActiveTab((UINT)nTab);
        return TRUE; // the control's own handling would reach disabled tabs
    }
    return CTabCtrl::PreTranslateMessage(pMsg);
}

BOOL CTabCtrlEx::TranslatePropSheetMsg(MSG* pMsg)
{
    if (pMsg->message != WM_KEYDOWN || ::GetKeyState(VK_CONTROL) >= 0)
        return FALSE;
    const WPARAM nKey = pMsg->wParam;
    if (nKey != VK_TAB && nKey != VK_PRIOR && nKey != VK_NEXT)
        return FALSE;
    const BOOL bBack = nKey == VK_PRIOR || ::GetKeyState(VK_SHIFT) < 0;
    int nCurrent = GetCurSel();
    int nTab = bBack ? PrevEnabledTab(nCurrent, TRUE) : NextEnabledTab(nCurrent, TRUE);
    if (nTab >= 0)
        SetActiveTab((UINT)nTab);
    return TRUE;
}

void CTabCtrlEx::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    char szText[kMaxText + 1] = "";
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = szText;
    item.cchTextMax = kMaxText;
    GetItem((int)lpDrawItemStruct->itemID, &item);

    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    CRect rc(lpDrawItemStruct->rcItem);
    pDC->FillSolidRect(&rc, ::GetSysColor(COLOR_BTNFACE));
    // The text stands 4 below the tab's own top, for the selected tab and the
    // others alike. The drawing rectangle is no measure for it: tab controls
    // enlarge the selected tab's, and some hand an unselected tab one lower
    // than the tab itself, which would push its label down and cut it.
    CRect rcTab;
    if (GetItemRect((int)lpDrawItemStruct->itemID, &rcTab))
        rc.top = rcTab.top;
    rc.OffsetRect(1, 4);
    OnDrawText(pDC, rc, szText, !IsTabEnabled((int)lpDrawItemStruct->itemID));
}

// Disabled text is drawn twice, in the highlight colour and one pixel up and
// left in grey, so that it looks pressed into the tab.
void CTabCtrlEx::OnDrawText(CDC* pDC, CRect rect, CString sText, BOOL bDisabled)
{
    const UINT nFormat = DT_CENTER | DT_VCENTER;
    if (!bDisabled) {
        pDC->SetTextColor(::GetSysColor(COLOR_BTNTEXT));
        pDC->DrawText(sText, &rect, nFormat);
        return;
    }
    pDC->SetTextColor(::GetSysColor(COLOR_BTNHIGHLIGHT));
    pDC->DrawText(sText, &rect, nFormat);
    rect.OffsetRect(-1, -1);
    pDC->SetTextColor(::GetSysColor(COLOR_GRAYTEXT));
    pDC->DrawText(sText, &rect, nFormat);
}

// A click on a disabled tab is vetoed here; the parent never hears of it.
BOOL CTabCtrlEx::OnSelChanging(NMHDR*, LRESULT* pResult)
{
    TCHITTESTINFO hit = {};
    ::GetCursorPos(&hit.pt);
    ScreenToClient(&hit.pt);
    int nTab = HitTest(&hit);
    if (nTab < 0 || IsTabEnabled(nTab))
        return FALSE;
    *pResult = 1;
    return TRUE;
}
