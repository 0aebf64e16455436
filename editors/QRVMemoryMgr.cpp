#include "editors/QRVMemoryMgr.h"
#include "editors/EditorBeep.h"
#include <stdlib.h>

IMPLEMENT_DYNCREATE(QRVMemoryMgr, CSpinEditMgr)

QRVMemoryMgr::QRVMemoryMgr() : m_nLower(0), m_nUpper(0), m_nStep(1), m_nValue(0) {}

QRVMemoryMgr::~QRVMemoryMgr() = default;

BOOL QRVMemoryMgr::SubClassControls(UINT nSpinID, UINT nEditID, CWnd* pParent)
{
    return CSpinEditMgr::SubClassControls(nSpinID, nEditID, pParent, MEMORY_PAIR);
}

void QRVMemoryMgr::SetRangeStep(int nLower, int nUpper, int nStep)
{
    m_nLower = nLower;
    m_nUpper = nUpper;
    m_nStep = nStep;
    m_nValue = nLower;
    RefreshMemValue();
}

void QRVMemoryMgr::SetMemPos(int nPos)
{
    m_nValue = AdjustPos(nPos);
    RefreshMemValue();
}

void QRVMemoryMgr::Enable(int bEnable) { EnableWithText(bEnable, "0K"); }

void QRVMemoryMgr::EnableWithText(int bEnable, LPCSTR lpszDisabledText)
{
    if (!bEnable)
        SetEditText(lpszDisabledText);
    EnableControls(bEnable);
}

int QRVMemoryMgr::AdjustPos(int nPos) const
{
    long long llPos = nPos;
    long long llSnapped = llPos;
    // A step outside the model (0 or below) leaves the grid out.
    if (m_nStep > 0) {
        long long r = (llPos - m_nLower) % m_nStep;
        llSnapped = r <= m_nStep / 2 ? llPos - r : llPos + (m_nStep - r);
    }
    if (llSnapped > m_nUpper)
        return m_nUpper;
    if (llSnapped < m_nLower)
        return m_nLower;
    return static_cast<int>(llSnapped);
}

void QRVMemoryMgr::RefreshMemValue()
{
    CString strText;
    strText.Format("%d K", m_nValue);
    SetEditText(strText);
    m_strShown = strText;
}

double QRVMemoryMgr::ReadKilobytes(const CString& strText)
{
    double d = strtod(strText, nullptr);
    if (strText.Find('M') >= 0)
        d *= 1024.0;
    return d;
}

void QRVMemoryMgr::ParseUserData(CString strText)
{
    m_nValue = AdjustPos(TruncateToInt(ReadKilobytes(strText)));
    RefreshMemValue();
}

int QRVMemoryMgr::StepWithinRange(int nFrom, int nStep, int nDelta) const
{
    long long llNext = nDelta >= 1 ? static_cast<long long>(nFrom) + nStep
                                   : static_cast<long long>(nFrom) - nStep;
    if (llNext > m_nUpper) {
        llNext = m_nUpper;
        CEditorBeep::Beep();
    }
    if (llNext < m_nLower) {
        llNext = m_nLower;
        CEditorBeep::Beep();
    }
    return static_cast<int>(llNext);
}

void QRVMemoryMgr::IncDecPos(int nDelta)
{
    CString strText = GetEditText(m_strShown);
    if (strText != m_strShown) {
        // Typed text not yet committed: this click only commits it.
        ParseUserData(strText);
        return;
    }
    m_nValue = AdjustPos(StepWithinRange(m_nValue, m_nStep, nDelta));
    RefreshMemValue();
}
