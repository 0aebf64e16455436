// CTimerEditCtl: the edit box of the timer value editors (see CValueEditCtl).
#pragma once
#include "editors/ValueEditCtl.h"

class AFX_EXT_CLASS CTimerEditCtl : public CValueEditCtl
{
    DECLARE_DYNAMIC(CTimerEditCtl)
public:
    explicit CTimerEditCtl(CSpinEditMgr* pMgr = nullptr);
    ~CTimerEditCtl() override;
};
