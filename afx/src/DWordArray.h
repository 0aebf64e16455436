// CDWordArray: a dynamic array of DWORD values with MFC's growth rules (see CArray).
#pragma once
#include "Array.h"

class AFX_CORE_CLASS CDWordArray : public CObject
{
    DECLARE_DYNAMIC(CDWordArray)
public:
    CDWordArray() = default;
    ~CDWordArray() override = default;

    INT_PTR GetSize() const { return m_a.GetSize(); }
    INT_PTR GetCount() const { return m_a.GetCount(); }
    BOOL IsEmpty() const { return m_a.IsEmpty(); }
    INT_PTR GetUpperBound() const { return m_a.GetUpperBound(); }
    void SetSize(INT_PTR nNewSize, INT_PTR nGrowBy = -1) { m_a.SetSize(nNewSize, nGrowBy); }
    void FreeExtra() { m_a.FreeExtra(); }
    void RemoveAll() { m_a.RemoveAll(); }

    DWORD GetAt(INT_PTR nIndex) const { return m_a.GetAt(nIndex); }
    void SetAt(INT_PTR nIndex, DWORD newElement) { m_a.SetAt(nIndex, newElement); }
    DWORD& ElementAt(INT_PTR nIndex) { return m_a.ElementAt(nIndex); }
    const DWORD& ElementAt(INT_PTR nIndex) const { return m_a.ElementAt(nIndex); }
    const DWORD* GetData() const { return m_a.GetData(); }
    DWORD* GetData() { return m_a.GetData(); }
    DWORD operator[](INT_PTR nIndex) const { return m_a[nIndex]; }
    DWORD& operator[](INT_PTR nIndex) { return m_a[nIndex]; }

    void SetAtGrow(INT_PTR nIndex, DWORD newElement) { m_a.SetAtGrow(nIndex, newElement); }
    INT_PTR Add(DWORD newElement) { return m_a.Add(newElement); }
    INT_PTR Append(const CDWordArray& src) { return m_a.Append(src.m_a); }
    void Copy(const CDWordArray& src) { m_a.Copy(src.m_a); }
    void InsertAt(INT_PTR nIndex, DWORD newElement, INT_PTR nCount = 1) { m_a.InsertAt(nIndex, newElement, nCount); }
    void InsertAt(INT_PTR nStartIndex, const CDWordArray* pNewArray) { if (pNewArray) m_a.InsertAt(nStartIndex, &pNewArray->m_a); }
    void RemoveAt(INT_PTR nIndex, INT_PTR nCount = 1) { m_a.RemoveAt(nIndex, nCount); }

private:
    CArray<DWORD, DWORD> m_a;
};
