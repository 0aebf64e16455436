// CArrayOf: the shared body of the framework's fixed-type arrays. DERIVED is
// the array class itself, so that Append, Copy and InsertAt take arrays of
// exactly that class. Elements are read by ARG_TYPE: by value for numbers and
// pointers, by const reference for strings. Growth rules as in CArray.
#pragma once
#include "Array.h"

template <class DERIVED, class TYPE, class ARG_TYPE>
class CArrayOf : public CObject
{
public:
    INT_PTR GetSize() const { return m_a.GetSize(); }
    INT_PTR GetCount() const { return m_a.GetCount(); }
    BOOL IsEmpty() const { return m_a.IsEmpty(); }
    INT_PTR GetUpperBound() const { return m_a.GetUpperBound(); }
    void SetSize(INT_PTR nNewSize, INT_PTR nGrowBy = -1) { m_a.SetSize(nNewSize, nGrowBy); }
    void FreeExtra() { m_a.FreeExtra(); }
    void RemoveAll() { m_a.RemoveAll(); }

    ARG_TYPE GetAt(INT_PTR nIndex) const { return m_a.GetAt(nIndex); }
    void SetAt(INT_PTR nIndex, ARG_TYPE newElement) { m_a.SetAt(nIndex, newElement); }
    TYPE& ElementAt(INT_PTR nIndex) { return m_a.ElementAt(nIndex); }
    const TYPE& ElementAt(INT_PTR nIndex) const { return m_a.ElementAt(nIndex); }
    const TYPE* GetData() const { return m_a.GetData(); }
    TYPE* GetData() { return m_a.GetData(); }
    ARG_TYPE operator[](INT_PTR nIndex) const { return m_a[nIndex]; }
    TYPE& operator[](INT_PTR nIndex) { return m_a[nIndex]; }

    void SetAtGrow(INT_PTR nIndex, ARG_TYPE newElement) { m_a.SetAtGrow(nIndex, newElement); }
    INT_PTR Add(ARG_TYPE newElement) { return m_a.Add(newElement); }
    INT_PTR Append(const DERIVED& src) { return m_a.Append(Items(src)); }
    void Copy(const DERIVED& src) { m_a.Copy(Items(src)); }
    void InsertAt(INT_PTR nIndex, ARG_TYPE newElement, INT_PTR nCount = 1) { m_a.InsertAt(nIndex, newElement, nCount); }
    void InsertAt(INT_PTR nStartIndex, const DERIVED* pNewArray) { if (pNewArray) m_a.InsertAt(nStartIndex, &Items(*pNewArray)); }
    void RemoveAt(INT_PTR nIndex, INT_PTR nCount = 1) { m_a.RemoveAt(nIndex, nCount); }

protected:
    CArrayOf() = default;
    ~CArrayOf() override = default;

private:
    static const CArray<TYPE, ARG_TYPE>& Items(const DERIVED& src) { return static_cast<const CArrayOf&>(src).m_a; }

    CArray<TYPE, ARG_TYPE> m_a;
};
