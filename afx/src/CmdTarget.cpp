#include "CmdTarget.h"
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
    default:
        return FALSE;
    }
}
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, LRESULT* pResult)
{
    UINT nMsg = HIWORD(nCode);
    UINT nNotify = LOWORD(nCode);
    if (nMsg == 0)
        nMsg = WM_COMMAND;
    for (const AFX_MSGMAP* pMap = GetMessageMap(); pMap;
         pMap = pMap->pfnGetBaseMap ? pMap->pfnGetBaseMap() : nullptr) {
        const AFX_MSGMAP_ENTRY* e = FindMessageEntry(pMap->lpEntries, nMsg, nNotify, nID);
        if (e)
            return DispatchCmd(this, e, nID, pExtra, pResult);
    }
    return FALSE;
}

void CCmdTarget::BeginWaitCursor() { AfxGetApp() ? AfxGetApp()->DoWaitCursor(1) : (void)0; }
void CCmdTarget::EndWaitCursor() { AfxGetApp() ? AfxGetApp()->DoWaitCursor(-1) : (void)0; }
void CCmdTarget::RestoreWaitCursor() { AfxGetApp() ? AfxGetApp()->DoWaitCursor(0) : (void)0; }
