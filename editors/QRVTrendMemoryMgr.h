// QRVTrendMemoryMgr: the memory size of a trend. Below the grid of
// QRVMemoryMgr it offers one special size, the default size of the host's
// trend data file, which is what 0 and anything below it stand for.
#pragma once
#include "editors/QRVMemoryMgr.h"

class AFX_EXT_CLASS QRVTrendMemoryMgr : public QRVMemoryMgr
{
    DECLARE_DYNCREATE(QRVTrendMemoryMgr)
public:
    explicit QRVTrendMemoryMgr(int nDefaultSize = 0);
    ~QRVTrendMemoryMgr() override;

    void InitDefaultDatFileValue(int nDefaultSize) { m_nDefaultSize = nDefaultSize; }
    int GetDefaultDatFileValue() const { return m_nDefaultSize; }

    void ParseUserData(CString strText) override;
    void IncDecPos(int nDelta) override;
    // 0 and the default size select the default size.
    void SetMemPos(int nPos) override;
    // Disabled, the box shows "0 K".
    void Enable(int bEnable) override;

protected:
    int m_nDefaultSize;
};
