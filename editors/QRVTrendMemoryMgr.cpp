#include "editors/QRVTrendMemoryMgr.h"

IMPLEMENT_DYNCREATE(QRVTrendMemoryMgr, QRVMemoryMgr)

namespace {
// The size from which a step down lands on the default size.
const int kSmallestTrendSize = 32;
}

QRVTrendMemoryMgr::QRVTrendMemoryMgr(int nDefaultSize) : m_nDefaultSize(nDefaultSize) {}

QRVTrendMemoryMgr::~QRVTrendMemoryMgr() = default;

void QRVTrendMemoryMgr::SetMemPos(int nPos)
{
    m_nValue = nPos == 0 || nPos == m_nDefaultSize ? m_nDefaultSize : AdjustPos(nPos);
    RefreshMemValue();
}

void QRVTrendMemoryMgr::Enable(int bEnable) { EnableWithText(bEnable, "0 K"); }

void QRVTrendMemoryMgr::ParseUserData(CString strText)
{
    double d = ReadKilobytes(strText);
    if (d == static_cast<double>(m_nDefaultSize)) {
        m_nValue = m_nDefaultSize;
    } else {
        m_nValue = AdjustPos(TruncateToInt(d));
        if (m_nValue == 0)
            m_nValue = m_nDefaultSize;
    }
    RefreshMemValue();
}

void QRVTrendMemoryMgr::IncDecPos(int nDelta)
{
    CString strText = GetEditText(m_strShown);
    if (strText != m_strShown) {
        ParseUserData(strText);
        return;
    }
    int nStep = m_nStep;
    if (nDelta > 0 && m_nValue == m_nDefaultSize) {
        // The first step up from the default size lands on the grid's first step.
        m_nValue = 0;
    }
    if (nDelta < 0 && m_nValue == kSmallestTrendSize) {
        m_nValue = m_nDefaultSize;
        nStep = 0;
    }
    int nNext = StepWithinRange(m_nValue, nStep, nDelta);
    if (nNext < m_nDefaultSize)
        nNext = m_nDefaultSize;
    m_nValue = nNext;
    RefreshMemValue();
}
