#include "FrameWnd.h"
#include "ModuleChain.h"
#include "MsgMacros.h"
#include "StatusBar.h"
#include "View.h"

IMPLEMENT_DYNAMIC(CFrameWnd, CWnd)

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
END_MESSAGE_MAP()

CFrameWnd::CFrameWnd() : m_pViewActive(nullptr)
{
}

CFrameWnd::~CFrameWnd() = default;

BOOL CFrameWnd::Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                       CWnd* pParentWnd, LPCSTR lpszMenuName, DWORD dwExStyle, CCreateContext* pContext)
{
    if (!lpszClassName)
        lpszClassName = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW),
                                            reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    HMENU hMenu = nullptr;
    if (lpszMenuName) {
        HINSTANCE hInst = AfxFindResourceHandle(lpszMenuName, (LPCSTR)RT_MENU);
        hMenu = ::LoadMenuA(hInst, lpszMenuName);
    }
    if (!CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top,
                  rect.right - rect.left, rect.bottom - rect.top, AfxHwndOf(pParentWnd), hMenu, pContext)) {
        if (hMenu)
            ::DestroyMenu(hMenu);
        return FALSE;
    }
    return TRUE;
}

int CFrameWnd::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CWnd::OnCreate(lpcs) == -1)
        return -1;
    CCreateContext* pContext = static_cast<CCreateContext*>(lpcs->lpCreateParams);
    return OnCreateClient(lpcs, pContext) ? 0 : -1;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext)
{
    if (pContext && pContext->m_pNewViewClass)
        return CreateView(pContext, AFX_IDW_PANE_FIRST) != nullptr;
    return TRUE;
}

CWnd* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID)
{
    CObject* pObject = pContext->m_pNewViewClass->CreateObject();
    CView* pView = DYNAMIC_DOWNCAST(CView, pObject);
    if (!pView) {
        delete pObject;
        return nullptr;
    }
    // A view that fails to be created has no window to delete it: it goes here.
    if (!pView->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), this, nID, pContext)) {
        delete pView;
        return nullptr;
    }
    if (!m_pViewActive)
        m_pViewActive = pView;
    return pView;
}

void CFrameWnd::SetActiveView(CView* pViewNew)
{
    m_pViewActive = pViewNew;
}

void CFrameWnd::InitialUpdateFrame(void*, BOOL bMakeVisible)
{
    // The views are laid out before they fill themselves, so that they know their size.
    RecalcLayout();
    SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE);
    RecalcLayout();
    if (bMakeVisible) {
        ShowWindow(SW_SHOWNORMAL);
        UpdateWindow();
    }
}

void CFrameWnd::RecalcLayout()
{
    CRect rc;
    GetClientRect(&rc);
    // A status bar keeps the bottom edge; the view gets what is above it.
    if (auto* pBar = DYNAMIC_DOWNCAST(CStatusBar, CWnd::FromHandlePermanent(::GetDlgItem(m_hWnd, AFX_IDW_STATUS_BAR))))
        pBar->RecalcLayout(rc);
    HWND hPane = ::GetDlgItem(m_hWnd, AFX_IDW_PANE_FIRST);
    if (!hPane)
        return;
    ::SetWindowPos(hPane, nullptr, rc.left, rc.top, rc.Width(), rc.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

void CFrameWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    if (nType != SIZE_MINIMIZED)
        RecalcLayout();
}

void CFrameWnd::PostNcDestroy()
{
    delete this;
}
