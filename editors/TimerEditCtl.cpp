#include "editors/TimerEditCtl.h"

IMPLEMENT_DYNAMIC(CTimerEditCtl, CValueEditCtl)

CTimerEditCtl::CTimerEditCtl(CSpinEditMgr* pMgr) : CValueEditCtl(pMgr) {}

CTimerEditCtl::~CTimerEditCtl() = default;
