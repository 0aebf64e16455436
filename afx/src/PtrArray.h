// CPtrArray: a dynamic array of untyped pointers with MFC's growth rules (see CArray).
#pragma once
#include "ArrayOf.h"

class AFX_CORE_CLASS CPtrArray : public CArrayOf<CPtrArray, void*, void*>
{
    DECLARE_DYNAMIC(CPtrArray)
public:
    CPtrArray() = default;
    ~CPtrArray() override = default;
};
