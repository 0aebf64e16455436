#include "editors/ValueSpinCtl.h"
#include "editors/SpinEditMgr.h"

IMPLEMENT_DYNAMIC(CValueSpinCtl, CSpinButtonCtrl)

BEGIN_MESSAGE_MAP(CValueSpinCtl, CSpinButtonCtrl)
    ON_NOTIFY_REFLECT(UDN_DELTAPOS, OnDeltapos)
END_MESSAGE_MAP()

CValueSpinCtl::CValueSpinCtl(CSpinEditMgr* pMgr) : m_pMgr(pMgr) {}

CValueSpinCtl::~CValueSpinCtl() = default;

LRESULT CValueSpinCtl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // Every message of the control is bracketed, so that the manager can
    // tell its own writes into the box from the control's.
    CSpinEditMgr* pMgr = m_pMgr;
    if (pMgr)
        pMgr->EnterSpinMessage();
    LRESULT lResult = CSpinButtonCtrl::WindowProc(message, wParam, lParam);
    if (pMgr)
        pMgr->LeaveSpinMessage();
    return lResult;
}

void CValueSpinCtl::OnDeltapos(NMHDR* pNMHDR, LRESULT* pResult)
{
    const NMUPDOWN* pUpDown = reinterpret_cast<const NMUPDOWN*>(pNMHDR);
    if (m_pMgr)
        m_pMgr->IncDecPos(pUpDown->iDelta);
    // The control's own position only has to stay clear of its range ends,
    // so that both arrows keep reporting steps.
    if (m_hWnd && (pUpDown->iPos <= 10 || pUpDown->iPos >= 90))
        SetPos(50);
    *pResult = 0;
}
