// CWordArray: a dynamic array of WORD values with MFC's growth rules (see CArray).
#pragma once
#include "ArrayOf.h"

class AFX_CORE_CLASS CWordArray : public CArrayOf<CWordArray, WORD, WORD>
{
    DECLARE_DYNAMIC(CWordArray)
public:
    CWordArray() = default;
    ~CWordArray() override = default;
};
