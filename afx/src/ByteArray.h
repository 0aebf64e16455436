// CByteArray: a dynamic array of BYTE values with MFC's growth rules (see CArray).
#pragma once
#include "ArrayOf.h"

class AFX_CORE_CLASS CByteArray : public CArrayOf<CByteArray, BYTE, BYTE>
{
    DECLARE_DYNAMIC(CByteArray)
public:
    CByteArray() = default;
    ~CByteArray() override = default;
};
