#include "editors/TimerEditCtl.h"
#include "editors/SpinEditMgr.h"

IMPLEMENT_DYNAMIC(CTimerEditCtl, CEdit)

BEGIN_MESSAGE_MAP(CTimerEditCtl, CEdit)
    ON_CONTROL_REFLECT(EN_KILLFOCUS, OnKillfocus)
    ON_MESSAGE(WM_SETTEXT, OnSetText)
END_MESSAGE_MAP()

CTimerEditCtl::CTimerEditCtl(CSpinEditMgr* pMgr) : m_pMgr(pMgr) {}

CTimerEditCtl::~CTimerEditCtl() = default;

void CTimerEditCtl::OnKillfocus()
{
    if (!m_pMgr)
        return;
    CString strText;
    GetWindowText(strText);
    m_pMgr->ParseUserData(strText);
}

LRESULT CTimerEditCtl::OnSetText(WPARAM, LPARAM)
{
    // The up-down control's position is never the box's text.
    if (m_pMgr && !m_pMgr->AcceptEditText())
        return TRUE;
    return Default();
}
