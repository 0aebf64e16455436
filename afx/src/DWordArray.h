// CDWordArray: a dynamic array of DWORD values with MFC's growth rules (see CArray).
#pragma once
#include "ArrayOf.h"

class AFX_CORE_CLASS CDWordArray : public CArrayOf<CDWordArray, DWORD, DWORD>
{
    DECLARE_DYNAMIC(CDWordArray)
public:
    CDWordArray() = default;
    ~CDWordArray() override = default;
};
