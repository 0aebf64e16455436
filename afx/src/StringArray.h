// CStringArray: a dynamic array of CString with MFC's growth rules (see CArray).
#pragma once
#include "Array.h"
#include "String.h"
class AFX_CORE_CLASS CStringArray : public CObject
{
    DECLARE_DYNAMIC(CStringArray)
public:
    CStringArray() = default;
    ~CStringArray() override = default;

    INT_PTR GetSize() const { return m_a.GetSize(); }
    INT_PTR GetCount() const { return m_a.GetCount(); }
    BOOL IsEmpty() const { return m_a.IsEmpty(); }
    INT_PTR GetUpperBound() const { return m_a.GetUpperBound(); }
    void SetSize(INT_PTR nNewSize, INT_PTR nGrowBy = -1) { m_a.SetSize(nNewSize, nGrowBy); }
    void FreeExtra() { m_a.FreeExtra(); }
    void RemoveAll() { m_a.RemoveAll(); }

    const CString& GetAt(INT_PTR nIndex) const { return m_a.GetAt(nIndex); }
    void SetAt(INT_PTR nIndex, const CString& newElement) { m_a.SetAt(nIndex, newElement); }
    CString& ElementAt(INT_PTR nIndex) { return m_a.ElementAt(nIndex); }
    const CString& ElementAt(INT_PTR nIndex) const { return m_a.ElementAt(nIndex); }
    const CString* GetData() const { return m_a.GetData(); }
    CString* GetData() { return m_a.GetData(); }
    const CString& operator[](INT_PTR nIndex) const { return m_a[nIndex]; }
    CString& operator[](INT_PTR nIndex) { return m_a[nIndex]; }

    void SetAtGrow(INT_PTR nIndex, const CString& newElement) { m_a.SetAtGrow(nIndex, newElement); }
    INT_PTR Add(const CString& newElement) { return m_a.Add(newElement); }
    INT_PTR Append(const CStringArray& src) { return m_a.Append(src.m_a); }
    void Copy(const CStringArray& src) { m_a.Copy(src.m_a); }
    void InsertAt(INT_PTR nIndex, const CString& newElement, INT_PTR nCount = 1) { m_a.InsertAt(nIndex, newElement, nCount); }
    void InsertAt(INT_PTR nStartIndex, const CStringArray* pNewArray) { if (pNewArray) m_a.InsertAt(nStartIndex, &pNewArray->m_a); }
    void RemoveAt(INT_PTR nIndex, INT_PTR nCount = 1) { m_a.RemoveAt(nIndex, nCount); }

    // Texts given as plain pointers.
    void SetAt(INT_PTR nIndex, LPCSTR newElement) { m_a.SetAt(nIndex, CString(newElement)); }
    void SetAtGrow(INT_PTR nIndex, LPCSTR newElement) { m_a.SetAtGrow(nIndex, CString(newElement)); }
    INT_PTR Add(LPCSTR newElement) { return m_a.Add(CString(newElement)); }
    void InsertAt(INT_PTR nIndex, LPCSTR newElement, INT_PTR nCount = 1) { m_a.InsertAt(nIndex, CString(newElement), nCount); }
private:
    CArray<CString, const CString&> m_a;
};
