#include "editors/QRVBaudRateMgr.h"
#include <stdlib.h>

IMPLEMENT_DYNCREATE(QRVBaudRateMgr, CSpinEditMgr)

namespace {
const char* const kRateTable[QRVBaudRateMgr::RATE_COUNT] = {
    "150", "300", "600", "1200", "2400", "4800", "9600", "19200", "38400", "57600",
};
const long kBaseRate = 150;
// Doubling past this would leave the signed 32-bit range.
const long kLargestRate = kBaseRate << 23; // 1 258 291 200
}

QRVBaudRateMgr::QRVBaudRateMgr()
    : m_lUpper(kBaseRate), m_lLower(kBaseRate), m_lValue(kBaseRate), m_eMode(BAUDRATE_VALUE)
{
}

QRVBaudRateMgr::~QRVBaudRateMgr() = default;

BOOL QRVBaudRateMgr::SubClassControls(UINT nSpinID, UINT nEditID, CWnd* pDialog)
{
    return CSpinEditMgr::SubClassControls(nSpinID, nEditID, pDialog, TIMER_PAIR);
}

LPCSTR QRVBaudRateMgr::GetRateText(long nIndex)
{
    return nIndex >= 0 && nIndex < RATE_COUNT ? kRateTable[nIndex] : nullptr;
}

void QRVBaudRateMgr::SetBaudRateMode(BAUDRATE_MODE eMode) { m_eMode = eMode; }

void QRVBaudRateMgr::SetBaudRateRange(long lLower, long lUpper)
{
    if (m_eMode == BAUDRATE_INDEX) {
        m_lLower = lLower;
        m_lUpper = lUpper;
    } else {
        m_lLower = AdjustValue(lLower);
        m_lUpper = AdjustValue(lUpper);
    }
}

void QRVBaudRateMgr::SetBaudRate(long lValue)
{
    m_lValue = m_eMode == BAUDRATE_INDEX ? lValue : GetValidValue(lValue);
    RefreshEditControl();
}

long QRVBaudRateMgr::AdjustValue(long lValue) const
{
    if (lValue <= kBaseRate)
        return kBaseRate;
    // Above the largest rate of the series there is nothing nearer.
    if (lValue >= kLargestRate)
        return kLargestRate;
    long p = kBaseRate;
    while (p < lValue)
        p *= 2;
    return p - lValue > lValue - p / 2 ? p / 2 : p;
}

long QRVBaudRateMgr::GetValidValue(long lValue) const
{
    long a = AdjustValue(lValue);
    if (a < m_lLower)
        return m_lLower;
    return a < m_lUpper ? a : m_lUpper;
}

void QRVBaudRateMgr::RefreshEditControl()
{
    CString strText;
    if (m_eMode == BAUDRATE_VALUE) {
        strText.Format("%d", static_cast<int>(m_lValue));
    } else if (m_eMode == BAUDRATE_INDEX) {
        LPCSTR lpszRate = GetRateText(m_lValue);
        if (lpszRate)
            strText = lpszRate;
    }
    SetEditText(strText);
    m_strShown = strText;
}

void QRVBaudRateMgr::ParseUserData(CString strText)
{
    if (m_eMode == BAUDRATE_VALUE) {
        m_lValue = GetValidValue(strtol(strText, nullptr, 10));
    } else if (m_eMode == BAUDRATE_INDEX) {
        for (long i = m_lLower; i <= m_lUpper; ++i) {
            LPCSTR lpszRate = GetRateText(i);
            if (lpszRate && strText == lpszRate) {
                m_lValue = i;
                break;
            }
        }
    }
    RefreshEditControl();
}

void QRVBaudRateMgr::IncDecPos(int nDelta)
{
    CString strText = GetEditText(m_strShown);
    if (strText != m_strShown) {
        // The user typed and has not left the box: this click commits the text.
        ParseUserData(strText);
        return;
    }
    // Computed wide, so that no step can overflow before it wraps round.
    long long llNext = m_lValue;
    if (m_eMode == BAUDRATE_INDEX)
        llNext += nDelta >= 1 ? 1 : -1;
    else if (m_eMode == BAUDRATE_VALUE)
        llNext = nDelta >= 1 ? llNext * 2 : llNext / 2;
    if (llNext > m_lUpper)
        llNext = m_lLower;
    if (llNext < m_lLower)
        llNext = m_lUpper;
    m_lValue = static_cast<long>(llNext);
    RefreshEditControl();
}
