#include "ListWindow.h"

namespace {
const UINT kListId = 1100;
}

BEGIN_MESSAGE_MAP(CListWindow, CWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
END_MESSAGE_MAP()

CWnd* CListWindow::Open(CListWindow* pWnd, CWnd* pParent, LPCSTR pszTitle, const CRect& rc)
{
    LPCSTR cls = AfxRegisterWndClass(0, ::LoadCursorA(nullptr, (LPCSTR)IDC_ARROW), (HBRUSH)(COLOR_BTNFACE + 1));
    if (!pWnd->CreateEx(0, cls, pszTitle, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE, rc.left, rc.top,
                        rc.Width(), rc.Height(), pParent ? pParent->m_hWnd : nullptr, nullptr)) {
        delete pWnd;
        return nullptr;
    }
    return pWnd;
}

int CListWindow::OnCreate(LPCREATESTRUCT)
{
    if (!m_list.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS,
                       CRect(0, 0, 10, 10), this, kListId))
        return -1;
    m_list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    m_list.SendMessage(WM_SETFONT, (WPARAM)::GetStockObject(DEFAULT_GUI_FONT), FALSE);
    Fill();
    return 0;
}

void CListWindow::OnSize(UINT, int cx, int cy)
{
    if (m_list.m_hWnd)
        m_list.MoveWindow(0, 0, cx, cy);
}

void CListWindow::PostNcDestroy() { delete this; }
