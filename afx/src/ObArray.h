// CObArray: a dynamic array of CObject pointers (not owned) with MFC's growth rules (see CArray).
#pragma once
#include "Array.h"

class AFX_CORE_CLASS CObArray : public CObject
{
    DECLARE_DYNAMIC(CObArray)
public:
    CObArray() = default;
    ~CObArray() override = default;

    INT_PTR GetSize() const { return m_a.GetSize(); }
    INT_PTR GetCount() const { return m_a.GetCount(); }
    BOOL IsEmpty() const { return m_a.IsEmpty(); }
    INT_PTR GetUpperBound() const { return m_a.GetUpperBound(); }
    void SetSize(INT_PTR nNewSize, INT_PTR nGrowBy = -1) { m_a.SetSize(nNewSize, nGrowBy); }
    void FreeExtra() { m_a.FreeExtra(); }
    void RemoveAll() { m_a.RemoveAll(); }

    CObject* GetAt(INT_PTR nIndex) const { return m_a.GetAt(nIndex); }
    void SetAt(INT_PTR nIndex, CObject* newElement) { m_a.SetAt(nIndex, newElement); }
    CObject*& ElementAt(INT_PTR nIndex) { return m_a.ElementAt(nIndex); }
    CObject* const& ElementAt(INT_PTR nIndex) const { return m_a.ElementAt(nIndex); }
    CObject* const* GetData() const { return m_a.GetData(); }
    CObject** GetData() { return m_a.GetData(); }
    CObject* operator[](INT_PTR nIndex) const { return m_a[nIndex]; }
    CObject*& operator[](INT_PTR nIndex) { return m_a[nIndex]; }

    void SetAtGrow(INT_PTR nIndex, CObject* newElement) { m_a.SetAtGrow(nIndex, newElement); }
    INT_PTR Add(CObject* newElement) { return m_a.Add(newElement); }
    INT_PTR Append(const CObArray& src) { return m_a.Append(src.m_a); }
    void Copy(const CObArray& src) { m_a.Copy(src.m_a); }
    void InsertAt(INT_PTR nIndex, CObject* newElement, INT_PTR nCount = 1) { m_a.InsertAt(nIndex, newElement, nCount); }
    void InsertAt(INT_PTR nStartIndex, const CObArray* pNewArray) { if (pNewArray) m_a.InsertAt(nStartIndex, &pNewArray->m_a); }
    void RemoveAt(INT_PTR nIndex, INT_PTR nCount = 1) { m_a.RemoveAt(nIndex, nCount); }

private:
    CArray<CObject*, CObject*> m_a;
};
