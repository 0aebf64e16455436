#include "editors/MemoryEditCtl.h"
#include "editors/SpinEditMgr.h"

IMPLEMENT_DYNAMIC(CMemoryEditCtl, CEdit)

BEGIN_MESSAGE_MAP(CMemoryEditCtl, CEdit)
    ON_CONTROL_REFLECT(EN_KILLFOCUS, OnKillfocus)
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
