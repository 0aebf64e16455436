// CObArray: a dynamic array of CObject pointers (not owned) with MFC's growth rules (see CArray).
#pragma once
#include "ArrayOf.h"

class AFX_CORE_CLASS CObArray : public CArrayOf<CObArray, CObject*, CObject*>
{
    DECLARE_DYNAMIC(CObArray)
public:
    CObArray() = default;
    ~CObArray() override = default;
};
