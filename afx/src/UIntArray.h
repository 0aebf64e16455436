// CUIntArray: a dynamic array of UINT values with MFC's growth rules (see CArray).
#pragma once
#include "ArrayOf.h"

class AFX_CORE_CLASS CUIntArray : public CArrayOf<CUIntArray, UINT, UINT>
{
    DECLARE_DYNAMIC(CUIntArray)
public:
    CUIntArray() = default;
    ~CUIntArray() override = default;
};
