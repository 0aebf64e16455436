// CStringArray: a dynamic array of CString with MFC's growth rules (see CArray).
#pragma once
#include "ArrayOf.h"
#include "String.h"

class AFX_CORE_CLASS CStringArray : public CArrayOf<CStringArray, CString, const CString&>
{
    using Base = CArrayOf<CStringArray, CString, const CString&>;
    DECLARE_DYNAMIC(CStringArray)
public:
    CStringArray() = default;
    ~CStringArray() override = default;

    using Base::SetAt;
    using Base::SetAtGrow;
    using Base::Add;
    using Base::InsertAt;

    // Texts given as plain pointers.
    void SetAt(INT_PTR nIndex, LPCSTR newElement) { Base::SetAt(nIndex, CString(newElement)); }
    void SetAtGrow(INT_PTR nIndex, LPCSTR newElement) { Base::SetAtGrow(nIndex, CString(newElement)); }
    INT_PTR Add(LPCSTR newElement) { return Base::Add(CString(newElement)); }
    void InsertAt(INT_PTR nIndex, LPCSTR newElement, INT_PTR nCount = 1) { Base::InsertAt(nIndex, CString(newElement), nCount); }
};
