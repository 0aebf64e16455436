#include "CmdTarget.h"
#include "CmdUI.h"
#include "WinApp.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

const AFX_MSGMAP* PASCAL CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = { { 0, 0, 0, 0, AfxSig_end, nullptr } };
    static const AFX_MSGMAP map = { nullptr, &entries[0] };
    return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const { return GetThisMessageMap(); }

const AFX_MSGMAP_ENTRY* PASCAL CCmdTarget::FindMessageEntry(const AFX_MSGMAP_ENTRY* lpEntry,
                                                            UINT nMsg, UINT nCode, UINT nID)
{
    for (; lpEntry->nSig != AfxSig_end; ++lpEntry)
        if (lpEntry->nMessage == nMsg && lpEntry->nCode == nCode &&
            nID >= lpEntry->nID && nID <= lpEntry->nLastID)
            return lpEntry;
    return nullptr;
}

namespace {
typedef void (CCmdTarget::*PMSG_v)();
typedef BOOL (CCmdTarget::*PMSG_b)();
typedef void (CCmdTarget::*PMSG_w)(UINT);
typedef void (CCmdTarget::*PMSG_notify)(NMHDR*, LRESULT*);
typedef BOOL (CCmdTarget::*PMSG_notifyEx)(NMHDR*, LRESULT*);
typedef void (CCmdTarget::*PMSG_cmdUI)(CCmdUI*);

// An update handler took the command unless it asked to continue routing.
BOOL DispatchCmdUI(CCmdTarget* pTarget, const AFX_MSGMAP_ENTRY* e, CCmdUI* pCmdUI)
{
    pCmdUI->m_bContinueRouting = FALSE;
    (pTarget->*reinterpret_cast<PMSG_cmdUI>(e->pfn))(pCmdUI);
    BOOL bHandled = !pCmdUI->m_bContinueRouting;
    pCmdUI->m_bContinueRouting = FALSE;
    return bHandled;
}

// Calls one command/notification handler; returns whether it took the message.
BOOL DispatchCmd(CCmdTarget* pTarget, const AFX_MSGMAP_ENTRY* e, UINT nID, void* pExtra,
                 LRESULT* pResult)
{
    LRESULT dummy = 0;
    if (!pResult)
        pResult = &dummy;
    switch (e->nSig) {
    case AfxSig_cmd:
    case AfxSig_vv:
        (pTarget->*reinterpret_cast<PMSG_v>(e->pfn))();
        return TRUE;
    case AfxSig_cmdEx:
        return (pTarget->*reinterpret_cast<PMSG_b>(e->pfn))();
    case AfxSig_cmdRange:
        (pTarget->*reinterpret_cast<PMSG_w>(e->pfn))(nID);
        return TRUE;
    case AfxSig_notify:
        (pTarget->*reinterpret_cast<PMSG_notify>(e->pfn))(static_cast<NMHDR*>(pExtra), pResult);
        return TRUE;
    case AfxSig_notifyEx:
        return (pTarget->*reinterpret_cast<PMSG_notifyEx>(e->pfn))(static_cast<NMHDR*>(pExtra), pResult);
    case AfxSig_cmdUI:
    case AfxSig_cmdUIRange:
        return pExtra && DispatchCmdUI(pTarget, e, static_cast<CCmdUI*>(pExtra));
    default:
        return FALSE;
    }
}
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, LRESULT* pResult)
{
    UINT nMsg = HIWORD(nCode);
    UINT nNotify = LOWORD(nCode);
    if ((UINT)nCode == CN_UPDATE_COMMAND_UI)
        nMsg = WM_COMMAND;
    if (nMsg == 0)
        nMsg = WM_COMMAND;
    // A command with a CCmdUI only asks whether somebody would take it.
    BOOL bProbe = nMsg == WM_COMMAND && nNotify == CN_COMMAND && pExtra != nullptr;
    for (const AFX_MSGMAP* pMap = GetMessageMap(); pMap;
         pMap = pMap->pfnGetBaseMap ? pMap->pfnGetBaseMap() : nullptr) {
        const AFX_MSGMAP_ENTRY* e = FindMessageEntry(pMap->lpEntries, nMsg, nNotify, nID);
        if (e)
            return bProbe ? TRUE : DispatchCmd(this, e, nID, pExtra, pResult);
    }
    return FALSE;
}

DWORD CCmdTarget::InternalAddRef()
{
    return (DWORD)::InterlockedIncrement(&m_dwRef);
}

DWORD CCmdTarget::InternalRelease()
{
    // Released more often than referenced: nothing left to release.
    if (m_dwRef <= 0)
        return 0;
    LONG nRef = ::InterlockedDecrement(&m_dwRef);
    if (nRef == 0)
        OnFinalRelease();
    return (DWORD)nRef;
}

DWORD CCmdTarget::ExternalAddRef() { return InternalAddRef(); }
DWORD CCmdTarget::ExternalRelease() { return InternalRelease(); }

LPUNKNOWN CCmdTarget::GetInterface(const void* iid)
{
    return iid ? GetInterfaceHook(iid) : nullptr;
}

LPUNKNOWN CCmdTarget::GetInterfaceHook(const void*) { return nullptr; }

void CCmdTarget::OnFinalRelease()
{
    delete this;
}

void CCmdTarget::BeginWaitCursor() { AfxGetApp() ? AfxGetApp()->DoWaitCursor(1) : (void)0; }
void CCmdTarget::EndWaitCursor() { AfxGetApp() ? AfxGetApp()->DoWaitCursor(-1) : (void)0; }
void CCmdTarget::RestoreWaitCursor() { AfxGetApp() ? AfxGetApp()->DoWaitCursor(0) : (void)0; }
