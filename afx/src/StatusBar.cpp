#include "StatusBar.h"
#include "MsgMacros.h"

IMPLEMENT_DYNAMIC(CStatusBar, CWnd)

BEGIN_MESSAGE_MAP(CStatusBar, CWnd)
    ON_WM_SIZE()
END_MESSAGE_MAP()

namespace {
// Room on either side of a pane's text inside its border.
const int kTextMargin = 6;
}

CStatusBar::~CStatusBar()
{
    DestroyWindow();
}

BOOL CStatusBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    // The alignment bits are the frame's business; the control gets a size
    // grip when its parent has a sizing border.
    DWORD dwCtrlStyle = (dwStyle & ~CBRS_BOTTOM) | WS_CHILD | CCS_NOPARENTALIGN | CCS_NOMOVEY | CCS_NORESIZE;
    if (pParentWnd && (pParentWnd->GetStyle() & WS_THICKFRAME))
        dwCtrlStyle |= SBARS_SIZEGRIP;
    if (!CWnd::Create(STATUSCLASSNAMEA, nullptr, dwCtrlStyle, CRect(0, 0, 0, 0), pParentWnd, nID))
        return FALSE;
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return TRUE;
}

BOOL CStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount)
{
    if (nIDCount < 0 || (nIDCount > 0 && !lpIDArray) || nIDCount > 255)
        return FALSE;
    m_ids.RemoveAll();
    m_styles.RemoveAll();
    m_widths.RemoveAll();
    m_texts.RemoveAll();
    BOOL bAllLoaded = TRUE;
    for (int i = 0; i < nIDCount; ++i) {
        CString text;
        if (lpIDArray[i] != ID_SEPARATOR && !text.LoadString(lpIDArray[i]))
            bAllLoaded = FALSE;
        m_ids.Add(lpIDArray[i]);
        m_styles.Add(i == 0 ? SBPS_STRETCH : SBPS_NORMAL);
        m_widths.Add(static_cast<UINT>(TextWidth(text)));
        m_texts.Add(text);
    }
    UpdateParts();
    return bAllLoaded;
}

int CStatusBar::TextWidth(const CString& text) const
{
    if (!m_hWnd || text.IsEmpty())
        return 2 * kTextMargin;
    HDC hdc = ::GetDC(m_hWnd);
    HGDIOBJ hOld = ::SelectObject(hdc, reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)));
    SIZE size = {};
    ::GetTextExtentPoint32A(hdc, text, text.GetLength(), &size);
    ::SelectObject(hdc, hOld);
    ::ReleaseDC(m_hWnd, hdc);
    return size.cx + 2 * kTextMargin;
}

int CStatusBar::CommandToIndex(UINT nIDFind) const
{
    for (int i = 0; i < GetCount(); ++i)
        if (m_ids[i] == nIDFind)
            return i;
    return -1;
}

UINT CStatusBar::GetItemID(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetCount() ? m_ids[nIndex] : 0;
}

void CStatusBar::GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const
{
    if (nIndex < 0 || nIndex >= GetCount()) {
        nID = nStyle = 0;
        cxWidth = 0;
        return;
    }
    nID = m_ids[nIndex];
    nStyle = m_styles[nIndex];
    cxWidth = static_cast<int>(m_widths[nIndex]) - 2 * kTextMargin;
}

void CStatusBar::SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth)
{
    if (nIndex < 0 || nIndex >= GetCount())
        return;
    m_ids[nIndex] = nID;
    m_styles[nIndex] = nStyle;
    m_widths[nIndex] = static_cast<UINT>((cxWidth > 0 ? cxWidth : 0) + 2 * kTextMargin);
    UpdateParts();
}

BOOL CStatusBar::SetPaneText(int nIndex, LPCSTR lpszNewText, BOOL bUpdate)
{
    if (nIndex < 0 || nIndex >= GetCount())
        return FALSE;
    m_texts[nIndex] = lpszNewText ? lpszNewText : "";
    if (bUpdate)
        ShowPane(nIndex);
    return TRUE;
}

CString CStatusBar::GetPaneText(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetCount() ? m_texts[nIndex] : CString();
}

void CStatusBar::GetItemRect(int nIndex, LPRECT lpRect) const
{
    ::SetRectEmpty(lpRect);
    if (m_hWnd && nIndex >= 0 && nIndex < GetCount())
        SendMessage(SB_GETRECT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpRect));
}

// The control's parts end where the next begins: the fixed panes are laid
// from the right, the stretching ones share what is left.
void CStatusBar::UpdateParts()
{
    if (!m_hWnd || GetCount() == 0)
        return;
    CRect rc;
    GetClientRect(&rc);
    int nFixed = 0, nStretch = 0;
    for (int i = 0; i < GetCount(); ++i) {
        if (m_styles[i] & SBPS_STRETCH)
            ++nStretch;
        else
            nFixed += static_cast<int>(m_widths[i]);
    }
    // The size grip takes the width of a scroll bar at the right end.
    int cxGrip = (GetStyle() & SBARS_SIZEGRIP) ? ::GetSystemMetrics(SM_CXVSCROLL) : 0;
    int cxFree = rc.Width() - nFixed - cxGrip;
    int ends[256];
    int x = 0;
    for (int i = 0; i < GetCount(); ++i) {
        int cx = static_cast<int>(m_widths[i]);
        if (m_styles[i] & SBPS_STRETCH)
            cx = cxFree > 0 ? cxFree / nStretch : static_cast<int>(m_widths[i]);
        x += cx;
        ends[i] = i + 1 == GetCount() ? -1 : x;
    }
    SendMessage(SB_SETPARTS, static_cast<WPARAM>(GetCount()), reinterpret_cast<LPARAM>(ends));
    for (int i = 0; i < GetCount(); ++i)
        ShowPane(i);
}

void CStatusBar::ShowPane(int nIndex)
{
    if (!m_hWnd)
        return;
    UINT nType = m_styles[nIndex] & (SBPS_NOBORDERS | SBPS_POPOUT);
    SendMessage(SB_SETTEXTA, static_cast<WPARAM>(nIndex) | nType, reinterpret_cast<LPARAM>(static_cast<LPCSTR>(m_texts[nIndex])));
}

void CStatusBar::RecalcLayout(CRect& rcClient)
{
    if (!m_hWnd || !(GetStyle() & WS_VISIBLE))
        return;
    // The control's own height for its font, borders included.
    CRect rcBar;
    GetWindowRect(&rcBar);
    int cy = rcBar.Height();
    if (cy <= 0 || cy > rcClient.Height()) {
        TEXTMETRICA tm = {};
        HDC hdc = ::GetDC(m_hWnd);
        HGDIOBJ hOld = ::SelectObject(hdc, reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)));
        ::GetTextMetricsA(hdc, &tm);
        ::SelectObject(hdc, hOld);
        ::ReleaseDC(m_hWnd, hdc);
        cy = tm.tmHeight + 2 * ::GetSystemMetrics(SM_CYBORDER) + 6;
    }
    SetWindowPos(nullptr, rcClient.left, rcClient.bottom - cy, rcClient.Width(), cy, SWP_NOZORDER | SWP_NOACTIVATE);
    rcClient.bottom -= cy;
}

void CStatusBar::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    UpdateParts();
}
