#include "editors/QRVTimerMgr.h"
#include "resources/resource.h"
#include <stdlib.h>

IMPLEMENT_DYNCREATE(QRVTimerMgr, CSpinEditMgr)

namespace {
// A display format from the string table is used only if it takes exactly
// the one int it is given.
bool IsIntFormat(const CString& strFormat)
{
    int nConversions = 0;
    for (int i = 0; i < strFormat.GetLength(); ++i) {
        if (strFormat[i] != '%')
            continue;
        char next = i + 1 < strFormat.GetLength() ? strFormat[i + 1] : '\0';
        if (next == 'd')
            ++nConversions;
        else if (next != '%')
            return false;
        ++i;
    }
    return nConversions == 1;
}
}

QRVTimerMgr::QRVTimerMgr()
    : m_nSecLower(1), m_nSecUpper(127), m_nSecStep(1),
      m_nMSecLower(10), m_nMSecUpper(990), m_nMSecStep(10),
      m_nValue(1), m_eUnit(TIMER_UNIT_SEC), m_eMode(TIMER_MODE_BOTH)
{
}

QRVTimerMgr::~QRVTimerMgr() = default;

BOOL QRVTimerMgr::SubClassControls(UINT nSpinID, UINT nEditID, CWnd* pParent)
{
    return CSpinEditMgr::SubClassControls(nSpinID, nEditID, pParent, TIMER_PAIR);
}

void QRVTimerMgr::SetTimerMode(TIMER_MODE eMode)
{
    m_eMode = eMode;
    if (eMode == TIMER_MODE_BOTH || eMode == TIMER_MODE_SEC)
        SetTimerUnit(TIMER_UNIT_SEC);
    else if (eMode == TIMER_MODE_MSEC)
        SetTimerUnit(TIMER_UNIT_MSEC);
}

void QRVTimerMgr::SetRangeStepSec(int nLower, int nUpper, int nStep)
{
    m_nSecLower = nLower;
    m_nSecUpper = nUpper;
    m_nSecStep = nStep;
    m_nValue = nLower;
    SetTimerUnit(TIMER_UNIT_SEC);
    RefreshTimerValue();
}

void QRVTimerMgr::SetRangeStepMiliSec(int nLower, int nUpper, int nStep)
{
    m_nMSecLower = nLower;
    m_nMSecUpper = nUpper;
    m_nMSecStep = nStep;
    m_nValue = nLower;
    SetTimerUnit(TIMER_UNIT_MSEC);
    RefreshTimerValue();
}

void QRVTimerMgr::SetTimerPos(int nValue, TIMER_UNIT eUnit)
{
    SetTimerUnit(eUnit);
    m_nValue = AdjustPos(nValue);
    RefreshTimerValue();
}

void QRVTimerMgr::SetTimerUnit(TIMER_UNIT eUnit)
{
    if (m_eMode == TIMER_MODE_SEC)
        m_eUnit = TIMER_UNIT_SEC;
    else if (m_eMode == TIMER_MODE_MSEC)
        m_eUnit = TIMER_UNIT_MSEC;
    else
        m_eUnit = eUnit;
}

void QRVTimerMgr::ToggleTimerUnit()
{
    if (m_eMode == TIMER_MODE_BOTH)
        m_eUnit = m_eUnit == TIMER_UNIT_SEC ? TIMER_UNIT_MSEC : TIMER_UNIT_SEC;
}

int QRVTimerMgr::GetLowerValue() const { return m_eUnit == TIMER_UNIT_MSEC ? m_nMSecLower : m_nSecLower; }
int QRVTimerMgr::GetUpperValue() const { return m_eUnit == TIMER_UNIT_MSEC ? m_nMSecUpper : m_nSecUpper; }
int QRVTimerMgr::GetStepValue() const { return m_eUnit == TIMER_UNIT_MSEC ? m_nMSecStep : m_nSecStep; }

int QRVTimerMgr::AdjustPos(int nPos) const
{
    const long long llPos = nPos;
    const int nStep = GetStepValue();
    long long llSnapped = llPos;
    // A step outside the model (0 or below) leaves the grid out.
    if (nStep > 0) {
        long long r = llPos % nStep;
        llSnapped = r <= nStep / 2 ? llPos - r : llPos + (nStep - r);
    }
    if (llSnapped > GetUpperValue())
        return GetUpperValue();
    if (llSnapped < GetLowerValue())
        return GetLowerValue();
    return static_cast<int>(llSnapped);
}

CString QRVTimerMgr::LoadText(UINT nID, LPCSTR lpszFallback)
{
    // A library without its string table still shows sensible texts.
    CString strText;
    if (!strText.LoadString(nID) || strText.IsEmpty())
        strText = lpszFallback;
    return strText;
}

CString QRVTimerMgr::LoadFormat(UINT nID, LPCSTR lpszFallback)
{
    CString strFormat = LoadText(nID, lpszFallback);
    return IsIntFormat(strFormat) ? strFormat : CString(lpszFallback);
}

void QRVTimerMgr::RefreshTimerValue()
{
    CString strText;
    const bool bWholeSeconds = m_eMode == TIMER_MODE_MSEC && m_nValue % 1000 == 0;
    if (bWholeSeconds)
        strText.Format(LoadFormat(IDS_TIMER_SECONDS_FORMAT, "%d Sek"), m_nValue / 1000);
    else if (m_eUnit == TIMER_UNIT_MSEC)
        strText.Format(LoadFormat(IDS_TIMER_MSEC_FORMAT, "%d msek"), m_nValue);
    else
        strText.Format(LoadFormat(IDS_TIMER_SECONDS_FORMAT, "%d Sek"), m_nValue);
    SetEditText(strText);
    m_strShown = strText;
}

void QRVTimerMgr::ParseUserData(CString strText)
{
    double d = strtod(strText, nullptr);
    if (strText.FindOneOf(LoadText(IDS_TIMER_MSEC_LETTERS, "mM")) >= 0) {
        SetTimerUnit(TIMER_UNIT_MSEC);
    } else if (strText.FindOneOf(LoadText(IDS_TIMER_SECONDS_LETTERS, "sS")) >= 0) {
        if (m_eMode == TIMER_MODE_MSEC)
            d *= 1000.0; // seconds typed into a milliseconds-only editor
        else
            SetTimerUnit(TIMER_UNIT_SEC);
    }
    m_nValue = AdjustPos(TruncateToInt(d));
    RefreshTimerValue();
}

void QRVTimerMgr::IncDecPos(int nDelta)
{
    CString strText = GetEditText(m_strShown);
    if (strText != m_strShown) {
        // Typed text not yet committed: this click only commits it.
        ParseUserData(strText);
        return;
    }
    const long long llStep = GetStepValue();
    long long llNext = nDelta >= 1 ? m_nValue + llStep : m_nValue - llStep;
    if (llNext > GetUpperValue()) {
        ToggleTimerUnit();
        llNext = GetLowerValue();
    }
    if (llNext < GetLowerValue()) {
        ToggleTimerUnit();
        llNext = GetUpperValue();
    }
    m_nValue = AdjustPos(static_cast<int>(llNext));
    RefreshTimerValue();
}

BYTE QRVTimerMgr::GetTavoFlaggedByte() const
{
    if (m_eUnit == TIMER_UNIT_SEC)
        return static_cast<BYTE>((m_nValue & 0xFF) | 0x80);
    return static_cast<BYTE>((m_nValue / 10) & 0x7F);
}

WORD QRVTimerMgr::GetTavoWord() const { return static_cast<WORD>(m_nValue & 0xFFFF); }

BYTE QRVTimerMgr::GetTavoByte() const { return static_cast<BYTE>((m_nValue / 100) & 0xFF); }

void QRVTimerMgr::SetTavoByte(BYTE byTavo)
{
    const int n = byTavo & 0x7F;
    if (byTavo < 0x80)
        SetTimerPos(n * 10, TIMER_UNIT_MSEC);
    else
        SetTimerPos(n, TIMER_UNIT_SEC);
}

void QRVTimerMgr::Enable(int bEnable) { EnableControls(bEnable); }
