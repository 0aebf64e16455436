#include "Wnd.h"
#include "../include/afxres.h"
#include "MsgMacros.h"
#include "WinThread.h"
#include "WinApp.h"
#include "Dc.h"
#include "Font.h"
#include "Menu.h"
#include "CmdUI.h"
#include "DlgInit.h"
#include "ModalOwner.h"
#include "ScrollBar.h"
#include "GdiObject.h"
#include "ImageList.h"
#include <unordered_map>
#include "ModuleChain.h"

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

namespace {
// Records what the update handlers say about a command without showing it.
class CTestCmdUI : public CCmdUI
{
public:
    BOOL m_bEnabled = TRUE;
    void Enable(BOOL bOn) override { m_bEnabled = bOn; m_bEnableChanged = TRUE; }
    void SetCheck(int) override {}
    void SetRadio(BOOL) override {}
    void SetText(LPCSTR) override {}
};

// Handle maps belong to the thread that created the windows, as in MFC.
thread_local std::unordered_map<HWND, CWnd*> t_permanent;
thread_local std::unordered_map<HWND, CWnd*> t_temporary;
thread_local MSG t_lastSentMsg;
thread_local CWnd* t_pWndInit = nullptr;
thread_local HHOOK t_hHookCreate = nullptr;

LRESULT CALLBACK CbtFilterHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND && t_pWndInit) {
        CWnd* pWnd = t_pWndInit;
        t_pWndInit = nullptr;
        pWnd->SubclassWindow(reinterpret_cast<HWND>(wParam));
    }
    return ::CallNextHookEx(t_hHookCreate, code, wParam, lParam);
}

bool IsCtlColorMessage(UINT message)
{
    return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
}
}

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
    ON_WM_NCDESTROY()
    ON_WM_CTLCOLOR()
    ON_WM_DRAWITEM()
    ON_WM_MEASUREITEM()
    ON_WM_DELETEITEM()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    AFX_MSG_ENTRY(WM_COMPAREITEM, AfxSig_vOWNER, int (CWnd::*)(int, LPCOMPAREITEMSTRUCT), OnCompareItem)
END_MESSAGE_MAP()

CWnd::CWnd() : m_hWnd(nullptr), m_nFlags(0), m_nModalResult(-1), m_pfnSuper(nullptr) {}

CWnd::~CWnd()
{
    if (m_hWnd && FromHandlePermanent(m_hWnd) == this)
        DestroyWindow();
}

// ---- handle maps ---------------------------------------------------------

CWnd* PASCAL CWnd::FromHandlePermanent(HWND hWnd)
{
    auto it = t_permanent.find(hWnd);
    return it == t_permanent.end() ? nullptr : it->second;
}

CWnd* PASCAL CWnd::FromHandle(HWND hWnd)
{
    if (!hWnd)
        return nullptr;
    if (CWnd* p = FromHandlePermanent(hWnd))
        return p;
    CWnd*& rTemp = t_temporary[hWnd];
    if (!rTemp) {
        rTemp = new CWnd;
        rTemp->m_hWnd = hWnd;
    }
    return rTemp;
}

void PASCAL CWnd::DeleteTempMap()
{
    std::unordered_map<HWND, CWnd*> temp;
    temp.swap(t_temporary);
    for (auto& entry : temp) {
        entry.second->m_hWnd = nullptr;
        delete entry.second;
    }
}

void AFXAPI AfxDeleteTempMaps()
{
    CWnd::DeleteTempMap();
    CDC::DeleteTempMap();
    CGdiObject::DeleteTempMap();
    CMenu::DeleteTempMap();
    CImageList::DeleteTempMap();
}

BOOL CWnd::Attach(HWND hWndNew)
{
    if (!hWndNew || m_hWnd)
        return FALSE;
    m_hWnd = hWndNew;
    t_permanent[hWndNew] = this;
    // A temporary wrapper of the same handle would now disagree with us.
    auto it = t_temporary.find(hWndNew);
    if (it != t_temporary.end()) {
        it->second->m_hWnd = nullptr;
        delete it->second;
        t_temporary.erase(it);
    }
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND hWnd = m_hWnd;
    if (hWnd) {
        auto it = t_permanent.find(hWnd);
        if (it != t_permanent.end() && it->second == this)
            t_permanent.erase(it);
    }
    m_hWnd = nullptr;
    return hWnd;
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!::IsWindow(hWnd) || !Attach(hWnd))
        return FALSE;
    PreSubclassWindow();
    WNDPROC pfnOld = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
    if (pfnOld != &AfxWndProc)
        m_pfnSuper = pfnOld;
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    HWND hWndControl = pParent ? ::GetDlgItem(pParent->m_hWnd, (int)nID) : nullptr;
    return hWndControl ? SubclassWindow(hWndControl) : FALSE;
}

HWND CWnd::UnsubclassWindow()
{
    if (m_pfnSuper)
        ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    m_pfnSuper = nullptr;
    return Detach();
}

// ---- creation ------------------------------------------------------------

void AFXAPI AfxHookWindowCreate(CWnd* pWnd)
{
    if (!t_hHookCreate)
        t_hHookCreate = ::SetWindowsHookExA(WH_CBT, CbtFilterHook, nullptr, ::GetCurrentThreadId());
    t_pWndInit = pWnd;
}

BOOL AFXAPI AfxUnhookWindowCreate()
{
    if (t_hHookCreate) {
        ::UnhookWindowsHookEx(t_hHookCreate);
        t_hHookCreate = nullptr;
    }
    bool bHooked = t_pWndInit == nullptr;
    t_pWndInit = nullptr;
    return bHooked;
}

LPCSTR AFXAPI AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon)
{
    static thread_local char name[96];
    wsprintfA(name, "Afx:%p:%x:%p:%p:%p", (void*)AfxGetInstanceHandle(), nClassStyle, (void*)hCursor,
              (void*)hbrBackground, (void*)hIcon);
    WNDCLASSA wc;
    if (::GetClassInfoA(AfxGetInstanceHandle(), name, &wc))
        return name;
    wc = WNDCLASSA();
    wc.style = nClassStyle;
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = AfxGetInstanceHandle();
    wc.hCursor = hCursor;
    wc.hbrBackground = hbrBackground;
    wc.hIcon = hIcon;
    wc.lpszClassName = name;
    return ::RegisterClassA(&wc) ? name : nullptr;
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!cs.lpszClass)
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(nullptr, (LPCSTR)IDC_ARROW),
                                           (HBRUSH)(COLOR_WINDOW + 1));
    return cs.lpszClass != nullptr;
}

void CWnd::PreSubclassWindow() {}
void CWnd::PostNcDestroy() {}

BOOL CWnd::Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID, LPVOID lpParam)
{
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID, lpParam);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle,
                    const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam)
{
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top, AfxHwndOf(pParentWnd),
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), lpParam);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, int x,
                    int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam)
{
    if (m_hWnd)
        return FALSE;
    CREATESTRUCTA cs = {};
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = dwStyle;
    cs.x = x;
    cs.y = y;
    cs.cx = nWidth;
    cs.cy = nHeight;
    cs.hwndParent = hWndParent;
    cs.hMenu = nIDorHMenu;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = lpParam;
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }
    AfxHookWindowCreate(this);
    HWND hWnd = ::CreateWindowExA(cs.dwExStyle, cs.lpszClass, cs.lpszName, cs.style, cs.x, cs.y, cs.cx,
                                  cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    AfxUnhookWindowCreate();
    if (!hWnd) {
        // WM_CREATE may have refused after we were attached.
        if (m_hWnd)
            Detach();
        return FALSE;
    }
    return TRUE;
}

BOOL CWnd::DestroyWindow()
{
    if (!m_hWnd)
        return FALSE;
    HWND hWnd = m_hWnd;
    bool bPermanent = FromHandlePermanent(hWnd) == this;
    BOOL bResult = ::DestroyWindow(hWnd);
    // Permanent objects were detached by WM_NCDESTROY (and may be gone).
    if (!bPermanent)
        m_hWnd = nullptr;
    return bResult;
}

void CWnd::OnNcDestroy()
{
    Default();
    if (m_pfnSuper && m_hWnd) {
        ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
        m_pfnSuper = nullptr;
    }
    Detach();
    PostNcDestroy();
}

// ---- message handling ----------------------------------------------------

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (!pWnd)
        return ::DefWindowProcA(hWnd, nMsg, wParam, lParam);
    return AfxCallWndProc(pWnd, hWnd, nMsg, wParam, lParam);
}

LRESULT AFXAPI AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    MSG saved = t_lastSentMsg;
    t_lastSentMsg.hwnd = hWnd;
    t_lastSentMsg.message = nMsg;
    t_lastSentMsg.wParam = wParam;
    t_lastSentMsg.lParam = lParam;
    LRESULT lResult = pWnd->WindowProc(nMsg, wParam, lParam);
    t_lastSentMsg = saved;
    return lResult;
}

const MSG* PASCAL CWnd::GetCurrentMessage() { return &t_lastSentMsg; }

LRESULT CWnd::Default()
{
    return DefWindowProc(t_lastSentMsg.message, t_lastSentMsg.wParam, t_lastSentMsg.lParam);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = 0;
    if (!OnWndMsg(message, wParam, lParam, &lResult))
        lResult = DefWindowProc(message, wParam, lParam);
    return lResult;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper)
        return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT lResult = 0;
    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam))
            return FALSE;
        *pResult = 1;
        return TRUE;
    }
    if (message == WM_NOTIFY) {
        NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
        if (!pNMHDR || !OnNotify(wParam, lParam, &lResult))
            return FALSE;
        *pResult = lResult;
        return TRUE;
    }
    UINT nMapMessage = IsCtlColorMessage(message) ? WM_CTLCOLOR : message;
    for (const AFX_MSGMAP* pMap = GetMessageMap(); pMap;
         pMap = pMap->pfnGetBaseMap ? pMap->pfnGetBaseMap() : nullptr) {
        const AFX_MSGMAP_ENTRY* e = FindMessageEntry(pMap->lpEntries, nMapMessage, 0, 0);
        if (e && DispatchMapEntry(e, wParam, lParam, &lResult)) {
            *pResult = lResult;
            return TRUE;
        }
    }
    return FALSE;
}

namespace {
template <typename Fn>
Fn As(AFX_PMSG pfn) { return reinterpret_cast<Fn>(pfn); }
}

BOOL CWnd::DispatchMapEntry(const AFX_MSGMAP_ENTRY* e, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const UINT message = t_lastSentMsg.message;
    LRESULT& r = *pResult;
    switch (e->nSig) {
    case AfxSig_vv: (this->*As<void (CWnd::*)()>(e->pfn))(); break;
    case AfxSig_bv: r = (this->*As<BOOL (CWnd::*)()>(e->pfn))(); break;
    case AfxSig_hv: r = reinterpret_cast<LRESULT>((this->*As<HCURSOR (CWnd::*)()>(e->pfn))()); break;
    case AfxSig_wv: r = (this->*As<UINT (CWnd::*)()>(e->pfn))(); break;
    case AfxSig_vw: (this->*As<void (CWnd::*)(UINT)>(e->pfn))((UINT)wParam); break;
    case AfxSig_vt: (this->*As<void (CWnd::*)(UINT_PTR)>(e->pfn))((UINT_PTR)wParam); break;
    case AfxSig_vwii:
        (this->*As<void (CWnd::*)(UINT, int, int)>(e->pfn))((UINT)wParam, (short)LOWORD(lParam), (short)HIWORD(lParam));
        break;
    case AfxSig_vii: (this->*As<void (CWnd::*)(int, int)>(e->pfn))((short)LOWORD(lParam), (short)HIWORD(lParam)); break;
    case AfxSig_vwp: (this->*As<void (CWnd::*)(UINT, CPoint)>(e->pfn))((UINT)wParam, CPoint(lParam)); break;
    case AfxSig_vwww:
        (this->*As<void (CWnd::*)(UINT, UINT, UINT)>(e->pfn))((UINT)wParam, LOWORD(lParam), HIWORD(lParam));
        break;
    case AfxSig_is: r = (this->*As<int (CWnd::*)(LPCREATESTRUCT)>(e->pfn))(reinterpret_cast<LPCREATESTRUCT>(lParam)); break;
    case AfxSig_bD: r = (this->*As<BOOL (CWnd::*)(CDC*)>(e->pfn))(CDC::FromHandle(reinterpret_cast<HDC>(wParam))); break;
    case AfxSig_lwl: r = (this->*As<LRESULT (CWnd::*)(WPARAM, LPARAM)>(e->pfn))(wParam, lParam); break;
    case AfxSig_vW: (this->*As<void (CWnd::*)(CWnd*)>(e->pfn))(FromHandle(reinterpret_cast<HWND>(wParam))); break;
    case AfxSig_vWp:
        (this->*As<void (CWnd::*)(CWnd*, CPoint)>(e->pfn))(FromHandle(reinterpret_cast<HWND>(wParam)), CPoint(lParam));
        break;
    case AfxSig_bWww:
        r = (this->*As<BOOL (CWnd::*)(CWnd*, UINT, UINT)>(e->pfn))(FromHandle(reinterpret_cast<HWND>(wParam)),
                                                                   LOWORD(lParam), HIWORD(lParam));
        break;
    case AfxSig_hDWw: {
        if (!IsCtlColorMessage(message))
            return FALSE;
        HBRUSH hbr = (this->*As<HBRUSH (CWnd::*)(CDC*, CWnd*, UINT)>(e->pfn))(
            CDC::FromHandle(reinterpret_cast<HDC>(wParam)), FromHandle(reinterpret_cast<HWND>(lParam)),
            message - WM_CTLCOLORMSGBOX);
        r = reinterpret_cast<LRESULT>(hbr);
        break;
    }
    case AfxSig_hDw: {
        HBRUSH hbr = (this->*As<HBRUSH (CWnd::*)(CDC*, UINT)>(e->pfn))(CDC::FromHandle(reinterpret_cast<HDC>(wParam)),
                                                                      (UINT)lParam);
        if (!hbr)
            return FALSE;
        r = reinterpret_cast<LRESULT>(hbr);
        break;
    }
    case AfxSig_vwwW:
        (this->*As<void (CWnd::*)(UINT, UINT, CScrollBar*)>(e->pfn))(
            LOWORD(wParam), HIWORD(wParam), static_cast<CScrollBar*>(FromHandle(reinterpret_cast<HWND>(lParam))));
        break;
    case AfxSig_vwwx: (this->*As<void (CWnd::*)(UINT, UINT)>(e->pfn))(LOWORD(wParam), HIWORD(wParam)); break;
    case AfxSig_vs: (this->*As<void (CWnd::*)(LPVOID)>(e->pfn))(reinterpret_cast<LPVOID>(lParam)); break;
    case AfxSig_vOWNER:
        if (message == WM_COMPAREITEM)
            r = (this->*As<int (CWnd::*)(int, LPVOID)>(e->pfn))((int)wParam, reinterpret_cast<LPVOID>(lParam));
        else
            (this->*As<void (CWnd::*)(int, LPVOID)>(e->pfn))((int)wParam, reinterpret_cast<LPVOID>(lParam));
        r = message == WM_COMPAREITEM ? r : TRUE;
        break;
    case AfxSig_vOWNERr: (this->*As<void (CWnd::*)(LPVOID)>(e->pfn))(reinterpret_cast<LPVOID>(lParam)); r = TRUE; break;
    case AfxSig_vwl: (this->*As<void (CWnd::*)(UINT, LPARAM)>(e->pfn))((UINT)wParam, lParam); break;
    case AfxSig_vbw: (this->*As<void (CWnd::*)(BOOL, UINT)>(e->pfn))((BOOL)wParam, (UINT)lParam); break;
    case AfxSig_vMwb:
        (this->*As<void (CWnd::*)(CMenu*, UINT, BOOL)>(e->pfn))(CMenu::FromHandle(reinterpret_cast<HMENU>(wParam)),
                                                               LOWORD(lParam), HIWORD(lParam));
        break;
    case AfxSig_lp: r = (this->*As<LRESULT (CWnd::*)(CPoint)>(e->pfn))(CPoint(lParam)); break;
    case AfxSig_vwr: (this->*As<void (CWnd::*)(UINT, LPRECT)>(e->pfn))((UINT)wParam, reinterpret_cast<LPRECT>(lParam)); r = TRUE; break;
    case AfxSig_bwsp:
        r = (this->*As<BOOL (CWnd::*)(UINT, short, CPoint)>(e->pfn))(LOWORD(wParam), (short)HIWORD(wParam), CPoint(lParam));
        break;
    case AfxSig_vwWb:
        (this->*As<void (CWnd::*)(UINT, CWnd*, BOOL)>(e->pfn))(LOWORD(wParam), FromHandle(reinterpret_cast<HWND>(lParam)),
                                                              HIWORD(wParam));
        break;
    case AfxSig_bHELPINFO: r = (this->*As<BOOL (CWnd::*)(HELPINFO*)>(e->pfn))(reinterpret_cast<HELPINFO*>(lParam)); break;
    case AfxSig_vHDROP: (this->*As<void (CWnd::*)(HDROP)>(e->pfn))(reinterpret_cast<HDROP>(wParam)); break;
    default: return FALSE;
    }
    return TRUE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    UINT nID = LOWORD(wParam);
    HWND hWndCtrl = reinterpret_cast<HWND>(lParam);
    int nCode = HIWORD(wParam);
    if (hWndCtrl) {
        // The control that sent it gets the first chance (reflection).
        if (ReflectLastMsg(hWndCtrl))
            return TRUE;
    } else {
        // A menu item or accelerator whose command became disabled since its
        // menu was shown does nothing.
        if (nID == 0)
            return FALSE;
        CTestCmdUI state;
        state.m_nID = nID;
        OnCmdMsg(nID, (int)CN_UPDATE_COMMAND_UI, &state, nullptr);
        if (!state.m_bEnabled)
            return TRUE;
        nCode = CN_COMMAND;
    }
    return OnCmdMsg(nID, MAKELONG(nCode, WM_COMMAND), nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult)
{
    NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
    if (ReflectLastMsg(pNMHDR->hwndFrom, pResult))
        return TRUE;
    return OnCmdMsg((UINT)pNMHDR->idFrom, MAKELONG(LOWORD(pNMHDR->code), WM_NOTIFY), pNMHDR, pResult);
}

BOOL PASCAL CWnd::ReflectLastMsg(HWND hWndChild, LRESULT* pResult)
{
    CWnd* pWnd = FromHandlePermanent(hWndChild);
    if (!pWnd)
        return FALSE;
    return pWnd->OnChildNotify(t_lastSentMsg.message, t_lastSentMsg.wParam, t_lastSentMsg.lParam, pResult);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT lResult = 0;
    if (!pResult)
        pResult = &lResult;
    switch (message) {
    case WM_COMMAND:
        return OnCmdMsg(0, MAKELONG(HIWORD(wParam), WM_REFLECT_BASE + WM_COMMAND), nullptr, nullptr);
    case WM_NOTIFY: {
        NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
        return OnCmdMsg(0, MAKELONG(LOWORD(pNMHDR->code), WM_REFLECT_BASE + WM_NOTIFY), pNMHDR, pResult);
    }
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_COMPAREITEM:
        return OnWndMsg(WM_REFLECT_BASE + message, wParam, lParam, pResult);
    default:
        if (IsCtlColorMessage(message))
            return OnWndMsg(WM_REFLECT_BASE + WM_CTLCOLOR, wParam, message - WM_CTLCOLORMSGBOX, pResult);
        return FALSE;
    }
}

// The parent's default handlers offer the message to the control first.
HBRUSH CWnd::OnCtlColor(CDC*, CWnd* pWnd, UINT)
{
    LRESULT lResult = 0;
    if (pWnd && ReflectLastMsg(pWnd->m_hWnd, &lResult))
        return reinterpret_cast<HBRUSH>(lResult);
    return reinterpret_cast<HBRUSH>(Default());
}

void CWnd::OnDrawItem(int, LPDRAWITEMSTRUCT p)
{
    if (!(p && p->CtlType != ODT_MENU && ReflectLastMsg(p->hwndItem)))
        Default();
}

void CWnd::OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT p)
{
    HWND hWndChild = (p && p->CtlType != ODT_MENU) ? ::GetDlgItem(m_hWnd, nIDCtl) : nullptr;
    if (!(hWndChild && ReflectLastMsg(hWndChild)))
        Default();
}

void CWnd::OnDeleteItem(int, LPDELETEITEMSTRUCT p)
{
    if (!(p && ReflectLastMsg(p->hwndItem)))
        Default();
}

int CWnd::OnCompareItem(int, LPCOMPAREITEMSTRUCT p)
{
    LRESULT lResult = 0;
    if (p && ReflectLastMsg(p->hwndItem, &lResult))
        return (int)lResult;
    return (int)Default();
}

void CWnd::OnHScroll(UINT, UINT, CScrollBar* pScrollBar)
{
    if (!(pScrollBar && ReflectLastMsg(pScrollBar->m_hWnd)))
        Default();
}

void CWnd::OnVScroll(UINT, UINT, CScrollBar* pScrollBar)
{
    if (!(pScrollBar && ReflectLastMsg(pScrollBar->m_hWnd)))
        Default();
}

// ---- translation and modal loops -----------------------------------------

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

BOOL PASCAL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg)
{
    for (HWND hWnd = pMsg->hwnd; hWnd; hWnd = ::GetParent(hWnd)) {
        CWnd* pWnd = FromHandlePermanent(hWnd);
        if (pWnd && pWnd->PreTranslateMessage(pMsg))
            return TRUE;
        if (hWnd == hWndStop)
            break;
    }
    return FALSE;
}

BOOL AFXAPI AfxPumpMessage()
{
    MSG msg;
    if (::GetMessageA(&msg, nullptr, 0, 0) <= 0) {
        ::PostQuitMessage((int)msg.wParam);
        return FALSE;
    }
    CWinThread* pThread = AfxGetThread();
    BOOL bTranslated = pThread ? pThread->PreTranslateMessage(&msg) : CWnd::WalkPreTranslateTree(nullptr, &msg);
    if (!bTranslated) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return TRUE;
}

BOOL CWnd::ContinueModal() { return (m_nFlags & WF_CONTINUEMODAL) != 0; }

void CWnd::EndModalLoop(int nResult)
{
    m_nModalResult = nResult;
    if (m_nFlags & WF_CONTINUEMODAL) {
        m_nFlags &= ~WF_CONTINUEMODAL;
        // Wake the loop if it is waiting for a message.
        ::PostMessageA(m_hWnd, WM_NULL, 0, 0);
    }
}

int CWnd::RunModalLoop(DWORD)
{
    m_nFlags |= WF_MODALLOOP | WF_CONTINUEMODAL;
    HWND hWndSelf = m_hWnd;
    LONG lIdleCount = 0;
    while (ContinueModal()) {
        MSG msg;
        if (!::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            CWinThread* pThread = AfxGetThread();
            if (!(pThread && pThread->OnIdle(lIdleCount++)))
                ::WaitMessage();
            continue;
        }
        if (!AfxPumpMessage())
            break;
        if (!::IsWindow(hWndSelf))
            break;
    }
    m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
    return m_nModalResult;
}

// ---- helpers -------------------------------------------------------------

CWnd* CWnd::GetTopLevelParent() const
{
    HWND hWnd = m_hWnd;
    while (hWnd && (::GetWindowLongA(hWnd, GWL_STYLE) & WS_CHILD))
        hWnd = ::GetParent(hWnd);
    return FromHandle(hWnd);
}

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep)
{
    for (HWND hChild = ::GetTopWindow(m_hWnd); hChild; hChild = ::GetNextWindow(hChild, GW_HWNDNEXT)) {
        ::SendMessageA(hChild, message, wParam, lParam);
        if (bDeep && ::GetTopWindow(hChild))
            FromHandle(hChild)->SendMessageToDescendants(message, wParam, lParam, TRUE);
    }
}

static BOOL ModifyWindowLong(HWND hWnd, int nIndex, DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    DWORD dwStyle = (DWORD)::GetWindowLongA(hWnd, nIndex);
    DWORD dwNewStyle = (dwStyle & ~dwRemove) | dwAdd;
    if (dwStyle == dwNewStyle)
        return FALSE;
    ::SetWindowLongA(hWnd, nIndex, (LONG)dwNewStyle);
    if (nFlags)
        ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return ModifyWindowLong(m_hWnd, GWL_STYLE, dwRemove, dwAdd, nFlags);
}

BOOL CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return ModifyWindowLong(m_hWnd, GWL_EXSTYLE, dwRemove, dwAdd, nFlags);
}

void CWnd::ClientToScreen(LPRECT lpRect) const
{
    ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(lpRect));
    ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(lpRect) + 1);
}

void CWnd::ScreenToClient(LPRECT lpRect) const
{
    ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(lpRect));
    ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(lpRect) + 1);
}

void CWnd::CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType)
{
    DWORD dwExStyle = GetExStyle();
    if (nAdjustType == adjustBorder)
        dwExStyle &= ~WS_EX_CLIENTEDGE;
    ::AdjustWindowRectEx(lpClientRect, GetStyle(), FALSE, dwExStyle);
}

CWnd* PASCAL CWnd::GetSafeOwner(CWnd* pParent, HWND* pWndTop)
{
    HWND hWndOwner = AfxFindModalOwner(pParent);
    if (pWndTop) {
        if (hWndOwner && ::IsWindowEnabled(hWndOwner)) {
            ::EnableWindow(hWndOwner, FALSE);
            *pWndTop = hWndOwner;
        } else {
            *pWndTop = nullptr;
        }
    }
    return FromHandle(hWndOwner);
}

BOOL CWnd::ExecuteDlgInit(LPCSTR lpszResourceName) { return AfxExecuteDlgInit(m_hWnd, lpszResourceName); }
BOOL CWnd::ExecuteDlgInit(LPVOID lpResource) { return AfxExecuteDlgInit(m_hWnd, lpResource); }

void CWnd::OnHelp()
{
    for (HWND hWnd = ::GetFocus(); hWnd; hWnd = ::GetParent(hWnd))
        if (::SendMessageA(hWnd, WM_COMMANDHELP, 0, 0))
            return;
    CWnd* pTop = GetTopLevelParent();
    HWND hTop = pTop ? pTop->m_hWnd : m_hWnd;
    if (hTop && ::SendMessageA(hTop, WM_COMMANDHELP, 0, 0))
        return;
    SendMessage(WM_COMMAND, ID_DEFAULT_HELP);
}

void CWnd::CenterWindow(CWnd* pAlternateOwner)
{
    HWND hWndCenter = pAlternateOwner ? pAlternateOwner->m_hWnd
                                      : ((GetStyle() & WS_CHILD) ? ::GetParent(m_hWnd) : ::GetWindow(m_hWnd, GW_OWNER));
    RECT rcDlg, rcArea, rcCenter;
    ::GetWindowRect(m_hWnd, &rcDlg);
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &rcArea, 0);
    if (!(GetStyle() & WS_CHILD)) {
        if (hWndCenter && ::IsWindowVisible(hWndCenter) && !::IsIconic(hWndCenter))
            ::GetWindowRect(hWndCenter, &rcCenter);
        else
            rcCenter = rcArea;
    } else {
        ::GetClientRect(hWndCenter, &rcArea);
        rcCenter = rcArea;
    }
    int cx = rcDlg.right - rcDlg.left, cy = rcDlg.bottom - rcDlg.top;
    int x = (rcCenter.left + rcCenter.right) / 2 - cx / 2;
    int y = (rcCenter.top + rcCenter.bottom) / 2 - cy / 2;
    if (x + cx > rcArea.right) x = rcArea.right - cx;
    if (x < rcArea.left) x = rcArea.left;
    if (y + cy > rcArea.bottom) y = rcArea.bottom - cy;
    if (y < rcArea.top) y = rcArea.top;
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CWnd::GetWindowText(CString& rString) const
{
    int nLen = ::GetWindowTextLengthA(m_hWnd);
    int n = ::GetWindowTextA(m_hWnd, rString.GetBuffer(nLen + 1), nLen + 1);
    rString.ReleaseBuffer(n > 0 ? n : 0);
}

int CWnd::GetDlgItemText(int nID, CString& rString) const
{
    HWND hItem = ::GetDlgItem(m_hWnd, nID);
    rString.Empty();
    if (hItem)
        FromHandle(hItem)->GetWindowText(rString);
    return rString.GetLength();
}

int CWnd::GetCheckedRadioButton(int nIDFirst, int nIDLast) const
{
    for (int nID = nIDFirst; nID <= nIDLast; ++nID)
        if (::IsDlgButtonChecked(m_hWnd, nID))
            return nID;
    return 0;
}

void CWnd::SetFont(CFont* pFont, BOOL bRedraw)
{
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(pFont ? pFont->GetSafeHandle() : nullptr), bRedraw);
}

CFont* CWnd::GetFont() const
{
    return CFont::FromHandle(reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)));
}

CMenu* CWnd::GetMenu() const { return CMenu::FromHandle(::GetMenu(m_hWnd)); }
BOOL CWnd::SetMenu(CMenu* pMenu) { return ::SetMenu(m_hWnd, pMenu ? pMenu->m_hMenu : nullptr); }
CMenu* CWnd::GetSystemMenu(BOOL bRevert) const { return CMenu::FromHandle(::GetSystemMenu(m_hWnd, bRevert)); }
CDC* CWnd::GetDC() { return CDC::FromHandle(::GetDC(m_hWnd)); }
CDC* CWnd::GetWindowDC() { return CDC::FromHandle(::GetWindowDC(m_hWnd)); }
int CWnd::ReleaseDC(CDC* pDC) { return pDC ? ::ReleaseDC(m_hWnd, pDC->m_hDC) : 0; }

int CWnd::MessageBox(LPCSTR lpszText, LPCSTR lpszCaption, UINT nType)
{
    return ::MessageBoxA(m_hWnd, lpszText, lpszCaption ? lpszCaption : AfxGetAppName(), nType);
}

void CWnd::DragAcceptFiles(BOOL bAccept) { ::DragAcceptFiles(m_hWnd, bAccept); }

BOOL CWnd::GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask)
{
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    lpScrollInfo->fMask = nMask;
    return ::GetScrollInfo(m_hWnd, nBar, lpScrollInfo);
}

void CWnd::DoDataExchange(CDataExchange*) {}
