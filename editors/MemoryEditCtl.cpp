#include "editors/MemoryEditCtl.h"

IMPLEMENT_DYNAMIC(CMemoryEditCtl, CValueEditCtl)

CMemoryEditCtl::CMemoryEditCtl(CSpinEditMgr* pMgr) : CValueEditCtl(pMgr) {}

CMemoryEditCtl::~CMemoryEditCtl() = default;
