// CTimerSpinCtl: the up-down control of the timer value editors (see CValueSpinCtl).
#pragma once
#include "editors/ValueSpinCtl.h"

class AFX_EXT_CLASS CTimerSpinCtl : public CValueSpinCtl
{
    DECLARE_DYNAMIC(CTimerSpinCtl)
public:
    explicit CTimerSpinCtl(CSpinEditMgr* pMgr = nullptr);
    ~CTimerSpinCtl() override;
};
