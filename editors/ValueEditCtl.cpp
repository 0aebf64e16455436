#include "editors/ValueEditCtl.h"
#include "editors/SpinEditMgr.h"

IMPLEMENT_DYNAMIC(CValueEditCtl, CEdit)

BEGIN_MESSAGE_MAP(CValueEditCtl, CEdit)
    ON_CONTROL_REFLECT(EN_KILLFOCUS, OnKillfocus)
    ON_MESSAGE(WM_SETTEXT, OnSetText)
END_MESSAGE_MAP()

CValueEditCtl::CValueEditCtl(CSpinEditMgr* pMgr) : m_pMgr(pMgr) {}

CValueEditCtl::~CValueEditCtl() = default;

LRESULT CValueEditCtl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // The up-down control hooks its buddy below this procedure and steps on
    // the arrow keys and the wheel, writing its own position into the box
    // straight from that hook. Those messages count as the control's own, so
    // only the manager's text reaches the box.
    const BOOL bUpDownInput = message == WM_KEYDOWN || message == WM_KEYUP || message == WM_MOUSEWHEEL;
    CSpinEditMgr* pMgr = bUpDownInput ? m_pMgr : nullptr;
    if (pMgr)
        pMgr->EnterSpinMessage();
    LRESULT lResult = CEdit::WindowProc(message, wParam, lParam);
    if (pMgr)
        pMgr->LeaveSpinMessage();
    return lResult;
}

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
