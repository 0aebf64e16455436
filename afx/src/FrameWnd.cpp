#include "FrameWnd.h"
#include "CmdUI.h"
#include "Menu.h"
#include "DocTemplate.h"
#include "Document.h"
#include "ModuleChain.h"
#include "MsgMacros.h"
#include "StatusBar.h"
#include "View.h"
#include "WinApp.h"

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_INITMENUPOPUP()
    ON_MESSAGE(WM_COMMANDHELP, OnCommandHelp)
    ON_WM_CLOSE()
END_MESSAGE_MAP()

const CRect CFrameWnd::rectDefault(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0);

CFrameWnd::CFrameWnd()
    : m_bAutoMenuEnable(TRUE), m_nIDHelp(0), m_pViewActive(nullptr), m_hAccelTable(nullptr)
{
}

CFrameWnd::~CFrameWnd()
{
    if (m_hAccelTable)
        ::DestroyAcceleratorTable(m_hAccelTable);
}

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
    // rectDefault leaves position and size to the platform.
    int x = rect.left, y = rect.top, cx = rect.right - rect.left, cy = rect.bottom - rect.top;
    if (rect.left == CW_USEDEFAULT)
        x = y = cx = cy = CW_USEDEFAULT;
    if (!CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, x, y, cx, cy,
                  AfxHwndOf(pParentWnd), hMenu, pContext)) {
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

void CFrameWnd::InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible)
{
    // The views are laid out before they fill themselves, so that they know their size.
    RecalcLayout();
    SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE);
    RecalcLayout();
    if (bMakeVisible) {
        ShowWindow(SW_SHOWNORMAL);
        UpdateWindow();
    }
    if (pDoc)
        pDoc->UpdateFrameCounts();
    OnUpdateFrameTitle(TRUE);
}

CDocument* CFrameWnd::GetActiveDocument()
{
    return m_pViewActive ? m_pViewActive->GetDocument() : nullptr;
}

void CFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    if (!(GetStyle() & FWS_ADDTOTITLE))
        return;
    CDocument* pDocument = GetActiveDocument();
    UpdateFrameTitleForDocument(bAddToTitle && pDocument ? (LPCSTR)pDocument->GetTitle() : nullptr);
}

void CFrameWnd::UpdateFrameTitleForDocument(LPCSTR lpszDocName)
{
    CString text;
    if (!lpszDocName || !*lpszDocName)
        text = m_strTitle;
    else if (m_strTitle.IsEmpty())
        text = lpszDocName;
    else if (GetStyle() & FWS_PREFIXTITLE)
        text = CString(lpszDocName) + " - " + m_strTitle;
    else
        text = m_strTitle + " - " + lpszDocName;
    // Setting an unchanged caption would only make it flicker.
    CString current;
    GetWindowText(current);
    if (current != text)
        SetWindowText(text);
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.style & FWS_ADDTOTITLE)
        cs.style |= FWS_PREFIXTITLE;
    return CWnd::PreCreateWindow(cs);
}

void CFrameWnd::OnClose()
{
    CDocument* pDocument = GetActiveDocument();
    if (pDocument && !pDocument->CanCloseFrame(this))
        return;
    DestroyWindow();
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

LPCSTR CFrameWnd::GetIconWndClass(UINT nIDResource)
{
    // The frame's own icon, else the standard frame icon of the program.
    HICON hIcon = nullptr;
    for (LPCSTR lpszIcon : { MAKEINTRESOURCEA(nIDResource), MAKEINTRESOURCEA(AFX_IDI_STD_FRAME) }) {
        HINSTANCE hInst = AfxFindResourceHandle(lpszIcon, (LPCSTR)RT_GROUP_ICON);
        if (hInst && (hIcon = ::LoadIconA(hInst, lpszIcon)) != nullptr)
            break;
    }
    return AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW),
                               reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), hIcon);
}

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    m_nIDHelp = nIDResource;
    // The first field of the resource's string is the application's title.
    CString strFull;
    if (!strFull.LoadString(nIDResource) || strFull.IsEmpty() ||
        !AfxExtractSubString(m_strTitle, strFull, 0))
        m_strTitle = AfxGetAppName();
    if (!Create(GetIconWndClass(nIDResource), m_strTitle, dwDefaultStyle, rectDefault, pParentWnd,
                MAKEINTRESOURCEA(nIDResource), 0, pContext))
        return FALSE;
    LoadAccelTable(MAKEINTRESOURCEA(nIDResource));
    // Without a context nobody else gives the views their first update.
    if (!pContext)
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE);
    return TRUE;
}

BOOL CFrameWnd::LoadAccelTable(LPCSTR lpszResourceName)
{
    if (m_hAccelTable)
        return FALSE;
    HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, (LPCSTR)RT_ACCELERATOR);
    m_hAccelTable = hInst ? ::LoadAcceleratorsA(hInst, lpszResourceName) : nullptr;
    return m_hAccelTable != nullptr;
}

BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST && m_hAccelTable)
        return ::TranslateAcceleratorA(m_hWnd, m_hAccelTable, pMsg);
    return FALSE;
}

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, LRESULT* pResult)
{
    // Reflected messages belong to this window alone.
    if (HIWORD(nCode) >= WM_REFLECT_BASE && (UINT)nCode != CN_UPDATE_COMMAND_UI)
        return CWnd::OnCmdMsg(nID, nCode, pExtra, pResult);
    CView* pView = GetActiveView();
    if (pView && pView->OnCmdMsg(nID, nCode, pExtra, pResult))
        return TRUE;
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pResult))
        return TRUE;
    CWinApp* pApp = AfxGetApp();
    return pApp && pApp->OnCmdMsg(nID, nCode, pExtra, pResult);
}

void CFrameWnd::OnInitMenuPopup(CMenu* pMenu, UINT, BOOL bSysMenu)
{
    if (bSysMenu || !pMenu)
        return;
    CCmdUI state;
    state.m_pMenu = pMenu;
    HMENU hBar = ::GetMenu(m_hWnd);
    for (int i = 0, n = hBar ? ::GetMenuItemCount(hBar) : 0; i < n; i++)
        if (::GetSubMenu(hBar, i) == pMenu->m_hMenu)
            state.m_pParentMenu = CMenu::FromHandle(hBar);
    state.m_nIndexMax = (UINT)pMenu->GetMenuItemCount();
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; state.m_nIndex++) {
        state.m_nID = pMenu->GetMenuItemID((int)state.m_nIndex);
        if (state.m_nID == 0)
            continue;
        if (state.m_nID == (UINT)-1) {
            // A popup item is updated as its first item; it is never disabled for lack of a handler.
            state.m_pSubMenu = pMenu->GetSubMenu((int)state.m_nIndex);
            if (!state.m_pSubMenu)
                continue;
            state.m_nID = state.m_pSubMenu->GetMenuItemID(0);
            if (state.m_nID == 0 || state.m_nID == (UINT)-1)
                continue;
            state.DoUpdate(this, FALSE);
        } else {
            // System commands are the platform's.
            state.m_pSubMenu = nullptr;
            state.DoUpdate(this, m_bAutoMenuEnable && state.m_nID < 0xF000);
        }
        // A handler may have removed items: carry on after the ones it kept.
        UINT nCount = (UINT)pMenu->GetMenuItemCount();
        if (nCount < state.m_nIndexMax) {
            state.m_nIndex -= state.m_nIndexMax - nCount;
            while (state.m_nIndex < nCount && pMenu->GetMenuItemID((int)state.m_nIndex) == state.m_nID)
                state.m_nIndex++;
        }
        state.m_nIndexMax = nCount;
    }
}

LRESULT CFrameWnd::OnCommandHelp(WPARAM, LPARAM lParam)
{
    if (lParam == 0 && m_nIDHelp != 0)
        lParam = (LPARAM)(HID_BASE_RESOURCE + m_nIDHelp);
    CWinApp* pApp = AfxGetApp();
    if (lParam == 0 || !pApp)
        return FALSE;
    pApp->WinHelp((DWORD_PTR)lParam);
    return TRUE;
}

void CFrameWnd::PostNcDestroy()
{
    // The application ends with its main window.
    CWinApp* pApp = AfxGetApp();
    if (pApp && pApp->m_pMainWnd == this) {
        pApp->m_pMainWnd = nullptr;
        ::PostQuitMessage(0);
    }
    delete this;
}
