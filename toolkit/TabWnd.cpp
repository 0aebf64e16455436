#include "toolkit/TabWnd.h"

IMPLEMENT_DYNAMIC(CTabWnd, CWnd)

BEGIN_MESSAGE_MAP(CTabWnd, CWnd)
    ON_WM_SIZE()
    ON_WM_DRAWITEM()
    ON_NOTIFY(TCN_SELCHANGE, IDC_STRIP, OnSelChange)
END_MESSAGE_MAP()

CTabWnd::CTabWnd() {}

CTabWnd::~CTabWnd()
{
    if (m_hWnd)
        DestroyWindow();
}

BOOL CTabWnd::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    const CRect rcEmpty(0, 0, 0, 0);
    if (!CWnd::CreateEx(WS_EX_CLIENTEDGE, nullptr, "", dwStyle | WS_CHILD | WS_CLIPCHILDREN,
                        rcEmpty, pParentWnd, nID))
        return FALSE;
    // Owner-drawn, so that the selected tab can carry a font of its own.
    if (!m_strip.Create(WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TCS_OWNERDRAWFIXED, rcEmpty,
                        this, IDC_STRIP)) {
        DestroyWindow();
        return FALSE;
    }
    LOGFONTA lf = {};
    NONCLIENTMETRICSA ncm = {};
    ncm.cbSize = sizeof(ncm);
    if (::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0))
        lf = ncm.lfMessageFont;
    else
        ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
    m_fontTab.CreateFontIndirect(&lf);
    m_strip.SetFont(&m_fontTab, FALSE);
    Layout();
    return TRUE;
}

int CTabWnd::AddPage(CWnd* pWnd, LPCSTR pszTitle)
{
    if (!m_hWnd || !pWnd || !pWnd->GetSafeHwnd())
        return -1;
    for (CWnd* p : m_pages)
        if (p == pWnd)
            return -1;
    const int nIndex = static_cast<int>(m_pages.size());
    if (m_strip.InsertItem(nIndex, pszTitle ? pszTitle : "") != nIndex)
        return -1;
    m_pages.push_back(pWnd);
    if (::GetParent(pWnd->m_hWnd) != m_hWnd)
        pWnd->SetParent(this);
    if (m_fontPage.GetSafeHandle())
        pWnd->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_fontPage.GetSafeHandle()), FALSE);
    if (nIndex == 0)
        m_strip.SetCurSel(0);
    // The strip may have grown a row; every page follows.
    Layout();
    ShowSelected();
    return nIndex;
}

BOOL CTabWnd::ShowPage(CWnd* pWnd)
{
    for (size_t i = 0; i < m_pages.size(); ++i)
        if (m_pages[i] == pWnd) {
            m_strip.SetCurSel(static_cast<int>(i));
            ShowSelected();
            return TRUE;
        }
    return FALSE;
}

BOOL CTabWnd::GetSelectedPage(CWnd*& rpWnd) const
{
    rpWnd = nullptr;
    if (!m_strip.GetSafeHwnd())
        return FALSE;
    const int nSel = m_strip.GetCurSel();
    if (nSel < 0 || nSel >= static_cast<int>(m_pages.size()))
        return FALSE;
    rpWnd = m_pages[size_t(nSel)];
    return TRUE;
}

CFont* CTabWnd::GetTabFont()
{
    return &m_fontTab;
}

void CTabWnd::CopyFont(CFont& dest, CFont* pSource)
{
    LOGFONTA lf;
    if (!pSource || !pSource->GetSafeHandle() || !pSource->GetLogFont(&lf))
        return;
    dest.DeleteObject();
    dest.CreateFontIndirect(&lf);
}

void CTabWnd::SetTabFont(CFont* pFont, BOOL bRedraw)
{
    CopyFont(m_fontTab, pFont);
    if (!m_strip.GetSafeHwnd())
        return;
    // The strip measures its tabs by this font; the pages move with its height.
    m_strip.SetFont(&m_fontTab, bRedraw);
    Layout();
}

void CTabWnd::SetSelTabFont(CFont* pFont, BOOL bRedraw)
{
    CopyFont(m_fontSelTab, pFont);
    if (bRedraw && m_strip.GetSafeHwnd())
        m_strip.Invalidate();
}

void CTabWnd::SetPageFont(CFont* pFont, BOOL bRedraw)
{
    CopyFont(m_fontPage, pFont);
    if (!m_fontPage.GetSafeHandle())
        return;
    for (CWnd* p : m_pages)
        if (p->GetSafeHwnd())
            p->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_fontPage.GetSafeHandle()), bRedraw);
}

int CTabWnd::StripHeight() const
{
    if (!m_strip.GetSafeHwnd())
        return 0;
    // The rows of tabs below the strip's top margin, and its bottom border.
    CRect rcItem;
    if (m_strip.GetItemCount() > 0 && m_strip.GetItemRect(0, &rcItem)) {
        const int nRows = m_strip.GetRowCount();
        return rcItem.Height() * (nRows > 0 ? nRows : 1) + rcItem.top + 2;
    }
    // No tab yet: one row of the tab font with the strip's padding.
    CClientDC dc(const_cast<CTabCtrl*>(&m_strip));
    CFont* pOld = dc.SelectObject(const_cast<CFont*>(&m_fontTab));
    TEXTMETRICA tm = {};
    ::GetTextMetricsA(dc.GetSafeHdc(), &tm);
    dc.SelectObject(pOld);
    return tm.tmHeight + 8;
}

CRect CTabWnd::GetPageRect() const
{
    CRect rc;
    if (!m_hWnd)
        return rc;
    GetClientRect(&rc);
    rc.top = StripHeight();
    if (rc.top > rc.bottom)
        rc.top = rc.bottom;
    return rc;
}

void CTabWnd::Layout()
{
    if (!m_hWnd || !m_strip.GetSafeHwnd())
        return;
    CRect rc;
    GetClientRect(&rc);
    // The strip's width first: its rows (and so its height) depend on it.
    m_strip.SetWindowPos(nullptr, 0, 0, rc.Width(), 1, SWP_NOZORDER | SWP_NOACTIVATE);
    const int h = StripHeight();
    m_strip.SetWindowPos(nullptr, 0, 0, rc.Width(), h, SWP_NOZORDER | SWP_NOACTIVATE);
    const CRect rcPage = GetPageRect();
    for (CWnd* p : m_pages)
        if (p->GetSafeHwnd())
            p->SetWindowPos(nullptr, rcPage.left, rcPage.top, rcPage.Width(), rcPage.Height(),
                            SWP_NOZORDER | SWP_NOACTIVATE);
}

void CTabWnd::ShowSelected()
{
    CWnd* pSel = nullptr;
    GetSelectedPage(pSel);
    for (CWnd* p : m_pages)
        if (p != pSel && p->GetSafeHwnd())
            p->ShowWindow(SW_HIDE);
    if (pSel && pSel->GetSafeHwnd())
        pSel->ShowWindow(SW_SHOW);
}

void CTabWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    Layout();
}

void CTabWnd::OnSelChange(NMHDR*, LRESULT* pResult)
{
    ShowSelected();
    *pResult = 0;
}

void CTabWnd::OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT p)
{
    if (nIDCtl != IDC_STRIP || !p || p->hwndItem != m_strip.m_hWnd) {
        CWnd::OnDrawItem(nIDCtl, p);
        return;
    }
    char szText[256] = "";
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = szText;
    item.cchTextMax = sizeof(szText);
    m_strip.GetItem(static_cast<int>(p->itemID), &item);
    const bool bSelected = (p->itemState & ODS_SELECTED) != 0;
    CFont* pFont = bSelected && m_fontSelTab.GetSafeHandle() ? &m_fontSelTab : &m_fontTab;
    HGDIOBJ hOld = ::SelectObject(p->hDC, pFont->GetSafeHandle());
    ::SetBkMode(p->hDC, TRANSPARENT);
    ::SetTextColor(p->hDC, ::GetSysColor(COLOR_BTNTEXT));
    RECT rc = p->rcItem;
    ::DrawTextA(p->hDC, szText, -1, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    ::SelectObject(p->hDC, hOld);
}
