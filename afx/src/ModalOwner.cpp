#include "ModalOwner.h"
#include "WinThread.h"

HWND AfxFindModalOwner(const CWnd* pParentWnd)
{
    HWND hWnd = AfxHwndOf(pParentWnd);
    if (!hWnd) {
        CWnd* pMain = AfxGetMainWnd();
        hWnd = pMain ? pMain->m_hWnd : ::GetActiveWindow();
    }
    while (hWnd && (::GetWindowLongA(hWnd, GWL_STYLE) & WS_CHILD))
        hWnd = ::GetParent(hWnd);
    return hWnd;
}

void AfxEndModalWindow(CWnd& wnd, HWND hWndOwner, bool bEnableOwner)
{
    if (wnd.m_hWnd)
        ::SetWindowPos(wnd.m_hWnd, nullptr, 0, 0, 0, 0,
                       SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    if (bEnableOwner)
        ::EnableWindow(hWndOwner, TRUE);
    if (hWndOwner && ::GetActiveWindow() == wnd.m_hWnd)
        ::SetActiveWindow(hWndOwner);
    wnd.DestroyWindow();
}
