// CMemoryEditCtl: the edit box of the memory value editors (see CValueEditCtl).
#pragma once
#include "editors/ValueEditCtl.h"

class AFX_EXT_CLASS CMemoryEditCtl : public CValueEditCtl
{
    DECLARE_DYNAMIC(CMemoryEditCtl)
public:
    explicit CMemoryEditCtl(CSpinEditMgr* pMgr = nullptr);
    ~CMemoryEditCtl() override;
};
