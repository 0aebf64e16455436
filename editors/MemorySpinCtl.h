// CMemorySpinCtl: the up-down control of the memory value editors (see CValueSpinCtl).
#pragma once
#include "editors/ValueSpinCtl.h"

class AFX_EXT_CLASS CMemorySpinCtl : public CValueSpinCtl
{
    DECLARE_DYNAMIC(CMemorySpinCtl)
public:
    explicit CMemorySpinCtl(CSpinEditMgr* pMgr = nullptr);
    ~CMemorySpinCtl() override;
};
