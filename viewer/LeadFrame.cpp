#include "viewer/LeadFrame.h"

#include "viewer/Lead.h"

IMPLEMENT_DYNAMIC(CLeadFrame, CWnd)

BEGIN_MESSAGE_MAP(CLeadFrame, CWnd)
    ON_WM_SIZE()
    ON_WM_SHOWWINDOW()
    ON_WM_PAINT()
END_MESSAGE_MAP()

CLeadFrame::CLeadFrame() : m_pLead(nullptr) {}

CLeadFrame::~CLeadFrame()
{
    // The control's window is a child of ours; destroy it before its object.
    if (m_pLead && m_pLead->GetSafeHwnd())
        m_pLead->DestroyWindow();
    delete m_pLead;
    if (m_hWnd)
        DestroyWindow();
}

CLead* CLeadFrame::CreateLeadCtrl()
{
    return new CLead;
}

int CLeadFrame::Create(LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                       UINT nID)
{
    if (!CWnd::Create(nullptr, lpszWindowName, dwStyle, rect, pParentWnd, nID))
        return 0;
    m_pLead = CreateLeadCtrl();
    if (!m_pLead)
        return 0;
    return m_pLead->Create(lpszWindowName, dwStyle | WS_VISIBLE, rect, this, nID);
}

void CLeadFrame::CenterImage()
{
    if (!m_pLead || !m_pLead->GetSafeHwnd() || !m_hWnd)
        return;
    const int w = static_cast<int>(m_pLead->GetSrcWidth());
    const int h = static_cast<int>(m_pLead->GetSrcHeight());
    CRect rcClient;
    GetClientRect(&rcClient);

    CRect rc;
    const short nMode = m_pLead->GetPaintSizeMode();
    if (nMode == 3 || nMode == 1) {
        CenterRects(CRect(0, 0, w, h), rcClient, &rc);
    } else {
        // The control reaches the bottom right corner so that its own
        // background covers the rest; the frame paints above and left of it.
        const int x = rcClient.Width() > w ? (rcClient.Width() - w) / 2 : 0;
        const int y = rcClient.Height() > h ? (rcClient.Height() - h) / 2 : 0;
        rc = CRect(x, y, rcClient.right, rcClient.bottom);
    }
    m_rcImage = rc;
    // Placed even when it is already there: the placing overrules a size the
    // control still owes its image (automatic sizing without repainting).
    m_pLead->SetWindowPos(nullptr, rc.left, rc.top, rc.Width(), rc.Height(),
                          SWP_NOZORDER | SWP_NOACTIVATE);
}

void CLeadFrame::CenterInFrame(CRect rcSource, CRect* pResult)
{
    CRect rcClient;
    if (m_hWnd)
        GetClientRect(&rcClient);
    CenterRects(rcSource, rcClient, pResult);
}

void CLeadFrame::CenterRects(CRect rcSource, CRect rcFrame, CRect* pResult)
{
    if (pResult)
        *pResult = CLead::FitRect(rcSource.Size(), rcFrame, FALSE);
}

void CLeadFrame::GetImageRect(CRect* pRect)
{
    if (pRect)
        *pRect = m_rcImage;
}

void CLeadFrame::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    if (m_hWnd && m_pLead && m_pLead->GetSafeHwnd())
        CenterImage();
}

void CLeadFrame::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CWnd::OnShowWindow(bShow, nStatus);
    if (bShow && m_pLead && m_pLead->GetSafeHwnd())
        m_pLead->ForceRepaint();
}

void CLeadFrame::OnPaint()
{
    CPaintDC dc(this);
    CRect rcClient;
    GetClientRect(&rcClient);
    const COLORREF white = RGB(255, 255, 255);
    if (!m_pLead || !m_pLead->GetSafeHwnd()) {
        dc.FillSolidRect(&rcClient, white);
        return;
    }
    CRect w;
    m_pLead->GetWindowRect(&w);
    ScreenToClient(&w);
    if (w.top > 0)
        dc.FillSolidRect(CRect(rcClient.left, rcClient.top, rcClient.right, w.top), white);
    if (w.bottom < rcClient.bottom)
        dc.FillSolidRect(CRect(rcClient.left, w.bottom, rcClient.right, rcClient.bottom), white);
    if (w.left > 0)
        dc.FillSolidRect(CRect(rcClient.left, w.top, w.left, w.bottom), white);
    if (w.right < rcClient.right)
        dc.FillSolidRect(CRect(w.right, w.top, rcClient.right, w.bottom), white);
}
