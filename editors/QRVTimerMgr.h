// QRVTimerMgr: edits a time interval in seconds or milliseconds, each unit
// with its own range and step. Stepping past the end of one unit's range
// moves to the other unit (in the mode with both units); the value also
// converts to and from the operator panel's byte and word encodings.
#pragma once
#include "editors/SpinEditMgr.h"

enum TIMER_UNIT
{
    TIMER_UNIT_SEC = 0,
    TIMER_UNIT_MSEC = 1,
};

enum TIMER_MODE
{
    TIMER_MODE_BOTH = 0,     // the unit follows the user
    TIMER_MODE_SEC = 1,      // seconds only
    TIMER_MODE_MSEC = 2,     // milliseconds only (whole seconds shown as seconds)
};

class AFX_EXT_CLASS QRVTimerMgr : public CSpinEditMgr
{
    DECLARE_DYNCREATE(QRVTimerMgr)
public:
    QRVTimerMgr();
    ~QRVTimerMgr() override;

    BOOL SubClassControls(UINT nSpinID, UINT nEditID, CWnd* pParent);

    void SetTimerMode(TIMER_MODE eMode);
    // The value becomes nLower, in the unit of the range.
    void SetRangeStepSec(int nLower, int nUpper, int nStep);
    void SetRangeStepMiliSec(int nLower, int nUpper, int nStep);
    void SetTimerPos(int nValue, TIMER_UNIT eUnit);
    int GetTimerValue() const { return m_nValue; }
    TIMER_UNIT GetTimerUnit() const { return m_eUnit; }
    TIMER_MODE GetTimerMode() const { return m_eMode; }

    // Bit 7 set: bits 0-6 count seconds; clear: they count tens of milliseconds.
    BYTE GetTavoFlaggedByte() const;
    // The value in the current unit, without a unit mark.
    WORD GetTavoWord() const;
    // The value / 100 in the current unit (tenths of a second for milliseconds).
    BYTE GetTavoByte() const;
    // The inverse of GetTavoFlaggedByte.
    void SetTavoByte(BYTE byTavo);

    void Enable(int bEnable);

    void ParseUserData(CString strText) override;
    void IncDecPos(int nDelta) override;

protected:
    // Snaps to the current unit's grid anchored at 0, then clamps to its range.
    int AdjustPos(int nPos) const;
    void RefreshTimerValue();
    void ToggleTimerUnit();
    void SetTimerUnit(TIMER_UNIT eUnit);
    int GetLowerValue() const;
    int GetUpperValue() const;
    int GetStepValue() const;

    int m_nSecLower;
    int m_nSecUpper;
    int m_nSecStep;
    int m_nMSecLower;
    int m_nMSecUpper;
    int m_nMSecStep;
    int m_nValue;
    TIMER_UNIT m_eUnit;
    TIMER_MODE m_eMode;
    CString m_strShown;

private:
    static CString LoadText(UINT nID, LPCSTR lpszFallback);
    static CString LoadFormat(UINT nID, LPCSTR lpszFallback);
};
