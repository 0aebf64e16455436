#include "ScrollView.h"
#include "FrameWnd.h"
#include "MsgMacros.h"
#include <initializer_list>

IMPLEMENT_DYNAMIC(CScrollView, CView)

BEGIN_MESSAGE_MAP(CScrollView, CView)
    ON_WM_SIZE()
END_MESSAGE_MAP()

const SIZE CScrollView::sizeDefault = { 0, 0 };

CScrollView::CScrollView() : m_nMapMode(0)
{
}

CScrollView::~CScrollView() = default;

void CScrollView::SetScrollSizes(int nMapMode, SIZE sizeTotal, const SIZE& sizePage, const SIZE& sizeLine)
{
    m_nMapMode = nMapMode;
    m_totalLog = sizeTotal;
    m_pageDev = sizePage;
    if (m_pageDev.cx == 0)
        m_pageDev.cx = m_totalLog.cx / 10;
    if (m_pageDev.cy == 0)
        m_pageDev.cy = m_totalLog.cy / 10;
    m_lineDev = sizeLine;
    if (m_lineDev.cx == 0)
        m_lineDev.cx = m_pageDev.cx / 10;
    if (m_lineDev.cy == 0)
        m_lineDev.cy = m_pageDev.cy / 10;
    if (m_hWnd)
        UpdateBars();
}

// A bar shows only when the content is larger than the client area.
void CScrollView::UpdateBars()
{
    CRect rc;
    GetClientRect(&rc);
    for (int nBar : { SB_HORZ, SB_VERT }) {
        const int nTotal = nBar == SB_HORZ ? m_totalLog.cx : m_totalLog.cy;
        const int nClient = nBar == SB_HORZ ? rc.Width() : rc.Height();
        SCROLLINFO si = {};
        si.cbSize = sizeof si;
        si.fMask = SIF_RANGE | SIF_PAGE;
        si.nMax = nTotal > nClient ? nTotal - 1 : 0;
        si.nPage = nTotal > nClient ? (UINT)nClient : 0;
        ::SetScrollInfo(m_hWnd, nBar, &si, TRUE);
        ::ShowScrollBar(m_hWnd, nBar, nTotal > nClient);
    }
}

void CScrollView::ResizeParentToFit(BOOL bShrinkOnly)
{
    CFrameWnd* pFrame = GetParentFrame();
    if (!pFrame)
        return;
    // The client area as it would be without scroll bars.
    CRect rcClient;
    GetClientRect(&rcClient);
    CSize client = rcClient.Size();
    if (GetStyle() & WS_VSCROLL)
        client.cx += ::GetSystemMetrics(SM_CXVSCROLL);
    if (GetStyle() & WS_HSCROLL)
        client.cy += ::GetSystemMetrics(SM_CYHSCROLL);
    CSize wanted = m_totalLog;
    if (bShrinkOnly) {
        wanted.cx = wanted.cx < client.cx ? wanted.cx : client.cx;
        wanted.cy = wanted.cy < client.cy ? wanted.cy : client.cy;
    }
    CRect rcFrame;
    pFrame->GetWindowRect(&rcFrame);
    pFrame->SetWindowPos(nullptr, 0, 0, rcFrame.Width() + wanted.cx - client.cx,
                         rcFrame.Height() + wanted.cy - client.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CScrollView::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    if (m_nMapMode)
        UpdateBars();
}
