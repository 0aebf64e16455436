#include "editors/ValueEditCtl.h"
#include "editors/SpinEditMgr.h"

IMPLEMENT_DYNAMIC(CValueEditCtl, CEdit)

BEGIN_MESSAGE_MAP(CValueEditCtl, CEdit)
    ON_CONTROL_REFLECT(EN_KILLFOCUS, OnKillfocus)
    ON_MESSAGE(WM_SETTEXT, OnSetText)
END_MESSAGE_MAP()

CValueEditCtl::CValueEditCtl(CSpinEditMgr* pMgr) : m_pMgr(pMgr) {}

CValueEditCtl::~CValueEditCtl() = default;

void CValueEditCtl::OnKillfocus()
{
    if (!m_pMgr)
        return;
    CString strText;
    GetWindowText(strText);
    m_pMgr->ParseUserData(strText);
}

LRESULT CValueEditCtl::OnSetText(WPARAM, LPARAM)
{
    // The up-down control's position is never the box's text.
    if (m_pMgr && !m_pMgr->AcceptEditText())
        return TRUE;
    return Default();
}
