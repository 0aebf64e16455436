// QRVBaudRateMgr: edits a serial baud rate, either as a rate in bits per
// second on the series 150 x 2^k, or as an index into the table of the ten
// standard rates 150 ... 57600.
#pragma once
#include "editors/SpinEditMgr.h"

enum BAUDRATE_MODE
{
    BAUDRATE_VALUE = 0, // the value is a rate in bits per second
    BAUDRATE_INDEX = 1, // the value is an index into the rate table
};

class AFX_EXT_CLASS QRVBaudRateMgr : public CSpinEditMgr
{
    DECLARE_DYNCREATE(QRVBaudRateMgr)
public:
    QRVBaudRateMgr();
    ~QRVBaudRateMgr() override;

    BOOL SubClassControls(UINT nSpinID, UINT nEditID, CWnd* pDialog);

    // Set the mode before the range: the range is converted by the mode in force.
    void SetBaudRateMode(BAUDRATE_MODE eMode);
    void SetBaudRateRange(long lLower, long lUpper);
    void SetBaudRate(long lValue);
    long GetBaudRate() const { return m_lValue; }

    void ParseUserData(CString strText) override;
    void IncDecPos(int nDelta) override;

    enum { RATE_COUNT = 10 };
    // The text of table entry nIndex, null outside the table.
    static LPCSTR GetRateText(long nIndex);

protected:
    // The nearest rate of the series 150 x 2^k (halfway goes up).
    long AdjustValue(long lValue) const;
    // AdjustValue, then clamped to the range.
    long GetValidValue(long lValue) const;
    void RefreshEditControl();

    CString m_strShown;
    long m_lUpper;
    long m_lLower;
    long m_lValue;
    BAUDRATE_MODE m_eMode;
};
