#include "editors/MemoryEditCtl.h"
#include "editors/SpinEditMgr.h"

IMPLEMENT_DYNAMIC(CMemoryEditCtl, CEdit)

BEGIN_MESSAGE_MAP(CMemoryEditCtl, CEdit)
    ON_CONTROL_REFLECT(EN_KILLFOCUS, OnKillfocus)
    ON_MESSAGE(WM_SETTEXT, OnSetText)
END_MESSAGE_MAP()

CMemoryEditCtl::CMemoryEditCtl(CSpinEditMgr* pMgr) : m_pMgr(pMgr) {}

CMemoryEditCtl::~CMemoryEditCtl() = default;

void CMemoryEditCtl::OnKillfocus()
{
    if (!m_pMgr)
        return;
    CString strText;
    GetWindowText(strText);
    m_pMgr->ParseUserData(strText);
}

LRESULT CMemoryEditCtl::OnSetText(WPARAM, LPARAM)
{
    // The up-down control's position is never the box's text.
    if (m_pMgr && !m_pMgr->AcceptEditText())
        return TRUE;
    return Default();
}
