#include "editors/MemorySpinCtl.h"

IMPLEMENT_DYNAMIC(CMemorySpinCtl, CValueSpinCtl)

CMemorySpinCtl::CMemorySpinCtl(CSpinEditMgr* pMgr) : CValueSpinCtl(pMgr) {}

CMemorySpinCtl::~CMemorySpinCtl() = default;
