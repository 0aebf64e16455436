#include "editors/SpinEditMgr.h"
#include "editors/MemoryEditCtl.h"
#include "editors/MemorySpinCtl.h"
#include "editors/TimerEditCtl.h"
#include "editors/TimerSpinCtl.h"
#include <limits.h>

IMPLEMENT_DYNCREATE(CSpinEditMgr, CCmdTarget)

CSpinEditMgr::CSpinEditMgr() : m_pEdit(nullptr), m_pSpin(nullptr), m_nSpinMessages(0), m_bWritingText(FALSE) {}

CSpinEditMgr::~CSpinEditMgr()
{
    // The host's dialog may still be open: its controls go back to their
    // own window procedures instead of being destroyed with our objects.
    ReleaseControls();
    delete m_pEdit;
    delete m_pSpin;
}

void CSpinEditMgr::ParseUserData(CString) {}

void CSpinEditMgr::IncDecPos(int) {}

BOOL CSpinEditMgr::SubClassControls(UINT nSpinID, UINT nEditID, CWnd* pParent, CONTROL_PAIR ePair)
{
    if (!pParent || !::IsWindow(pParent->m_hWnd))
        return FALSE;
    HWND hSpin = ::GetDlgItem(pParent->m_hWnd, static_cast<int>(nSpinID));
    HWND hEdit = ::GetDlgItem(pParent->m_hWnd, static_cast<int>(nEditID));
    if (!hSpin || !hEdit || hSpin == hEdit)
        return FALSE;
    CreateControls(ePair);
    ReleaseControls();
    if (!m_pSpin->SubclassWindow(hSpin))
        return FALSE;
    // The control must not write its position into the box: the text is ours.
    m_pSpin->ModifyStyle(UDS_SETBUDDYINT, 0);
    // The buddy is set before the edit box is subclassed, so that the
    // control's own hook of its buddy (arrow keys) lies below ours and our
    // window procedure can later be removed again from the top of the chain.
    m_pSpin->SetBuddy(CWnd::FromHandle(hEdit));
    if (!m_pEdit->SubclassWindow(hEdit))
        return FALSE;
    m_pSpin->SetRange(0, 100);
    m_pSpin->SetPos(50);
    return TRUE;
}

void CSpinEditMgr::CreateControls(CONTROL_PAIR ePair)
{
    if (!m_pEdit)
        m_pEdit = ePair == MEMORY_PAIR ? static_cast<CEdit*>(new CMemoryEditCtl(this))
                                       : static_cast<CEdit*>(new CTimerEditCtl(this));
    if (!m_pSpin)
        m_pSpin = ePair == MEMORY_PAIR ? static_cast<CSpinButtonCtrl*>(new CMemorySpinCtl(this))
                                       : static_cast<CSpinButtonCtrl*>(new CTimerSpinCtl(this));
}

void CSpinEditMgr::ReleaseControls()
{
    if (m_pEdit && m_pEdit->m_hWnd)
        m_pEdit->UnsubclassWindow();
    if (m_pSpin && m_pSpin->m_hWnd)
        m_pSpin->UnsubclassWindow();
}

CString CSpinEditMgr::GetEditText(const CString& strShown) const
{
    if (!m_pEdit || !m_pEdit->m_hWnd)
        return strShown;
    CString strText;
    m_pEdit->GetWindowText(strText);
    return strText;
}

void CSpinEditMgr::SetEditText(LPCSTR lpszText)
{
    if (m_pEdit && m_pEdit->m_hWnd) {
        BOOL bWasWriting = m_bWritingText;
        m_bWritingText = TRUE;
        m_pEdit->SetWindowText(lpszText);
        m_bWritingText = bWasWriting;
    }
}

void CSpinEditMgr::EnableControls(BOOL bEnable)
{
    if (m_pEdit && m_pEdit->m_hWnd)
        m_pEdit->EnableWindow(bEnable);
    if (m_pSpin && m_pSpin->m_hWnd)
        m_pSpin->EnableWindow(bEnable);
}

int CSpinEditMgr::TruncateToInt(double d)
{
    if (!(d == d))
        return 0;
    if (d >= static_cast<double>(INT_MAX))
        return INT_MAX;
    if (d <= static_cast<double>(INT_MIN))
        return INT_MIN;
    return static_cast<int>(d);
}
