#include "editors/TimerSpinCtl.h"

IMPLEMENT_DYNAMIC(CTimerSpinCtl, CValueSpinCtl)

CTimerSpinCtl::CTimerSpinCtl(CSpinEditMgr* pMgr) : CValueSpinCtl(pMgr) {}

CTimerSpinCtl::~CTimerSpinCtl() = default;
