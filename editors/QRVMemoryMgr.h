// QRVMemoryMgr: edits a memory size in kilobytes on the grid lower + k x step,
// shown as "%d K". Typed numbers may carry the letter M for megabytes. At the
// ends of the range the value stops with a beep instead of wrapping round.
#pragma once
#include "editors/SpinEditMgr.h"

class AFX_EXT_CLASS QRVMemoryMgr : public CSpinEditMgr
{
    DECLARE_DYNCREATE(QRVMemoryMgr)
public:
    QRVMemoryMgr();
    ~QRVMemoryMgr() override;

    BOOL SubClassControls(UINT nSpinID, UINT nEditID, CWnd* pParent);

    // The value becomes nLower.
    void SetRangeStep(int nLower, int nUpper, int nStep);
    int GetMemValue() const { return m_nValue; }

    void ParseUserData(CString strText) override;
    void IncDecPos(int nDelta) override;
    virtual void SetMemPos(int nPos);
    // Disabled editors show "0K"; enabling again does not restore the text
    // (follow it with SetMemPos).
    virtual void Enable(int bEnable);

protected:
    // Snaps to the grid (exactly half a step rounds down), then clamps.
    int AdjustPos(int nPos) const;
    void RefreshMemValue();
    int GetLowerValue() const { return m_nLower; }
    int GetUpperValue() const { return m_nUpper; }
    int GetStepValue() const { return m_nStep; }

    // The number at the start of the text, times 1024 when it contains "M".
    static double ReadKilobytes(const CString& strText);
    // The next value of an arrow step from nFrom by nStep, stopped (with a
    // beep) at the ends of the range.
    int StepWithinRange(int nFrom, int nStep, int nDelta) const;
    void EnableWithText(int bEnable, LPCSTR lpszDisabledText);

    int m_nLower;
    int m_nUpper;
    int m_nStep;
    int m_nValue;
    CString m_strShown;
};
