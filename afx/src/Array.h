// CArray: a dynamic array of TYPE with MFC's growth rules. When the array
// must grow it grows by m_nGrowBy elements if that was set, otherwise by an
// eighth of its size, at least 4 and at most 1024, so that adding one
// element at a time stays cheap. New elements are value-initialised.
#pragma once
#include "Object.h"
#include <new>
#include <stdlib.h>
#include <utility>

template <class TYPE, class ARG_TYPE = const TYPE&>
class CArray : public CObject
{
public:
    CArray() : m_pData(nullptr), m_nSize(0), m_nMaxSize(0), m_nGrowBy(0) {}
    ~CArray() override { SetSize(0, -1); }

    INT_PTR GetSize() const { return m_nSize; }
    INT_PTR GetCount() const { return m_nSize; }
    BOOL IsEmpty() const { return m_nSize == 0; }
    INT_PTR GetUpperBound() const { return m_nSize - 1; }
    void SetSize(INT_PTR nNewSize, INT_PTR nGrowBy = -1);
    void FreeExtra();
    void RemoveAll() { SetSize(0, -1); }

    const TYPE& GetAt(INT_PTR nIndex) const { return m_pData[nIndex]; }
    TYPE& GetAt(INT_PTR nIndex) { return m_pData[nIndex]; }
    void SetAt(INT_PTR nIndex, ARG_TYPE newElement) { m_pData[nIndex] = newElement; }
    const TYPE& ElementAt(INT_PTR nIndex) const { return m_pData[nIndex]; }
    TYPE& ElementAt(INT_PTR nIndex) { return m_pData[nIndex]; }
    const TYPE* GetData() const { return m_pData; }
    TYPE* GetData() { return m_pData; }
    const TYPE& operator[](INT_PTR nIndex) const { return m_pData[nIndex]; }
    TYPE& operator[](INT_PTR nIndex) { return m_pData[nIndex]; }

    void SetAtGrow(INT_PTR nIndex, ARG_TYPE newElement);
    INT_PTR Add(ARG_TYPE newElement);
    INT_PTR Append(const CArray& src);
    void Copy(const CArray& src);
    void InsertAt(INT_PTR nIndex, ARG_TYPE newElement, INT_PTR nCount = 1);
    void InsertAt(INT_PTR nStartIndex, const CArray* pNewArray);
    void RemoveAt(INT_PTR nIndex, INT_PTR nCount = 1);

protected:
    TYPE* m_pData;
    INT_PTR m_nSize;
    INT_PTR m_nMaxSize;
    INT_PTR m_nGrowBy;

private:
    CArray(const CArray&) = delete;
    CArray& operator=(const CArray&) = delete;
    static TYPE* Allocate(INT_PTR n) { return static_cast<TYPE*>(::operator new(sizeof(TYPE) * static_cast<size_t>(n))); }
    void Reallocate(INT_PTR nNewMax);
    static void Construct(TYPE* p, INT_PTR n) { for (INT_PTR i = 0; i < n; ++i) ::new (static_cast<void*>(p + i)) TYPE(); }
    static void Destroy(TYPE* p, INT_PTR n) { for (INT_PTR i = 0; i < n; ++i) p[i].~TYPE(); }
};

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::Reallocate(INT_PTR nNewMax)
{
    TYPE* pNew = nNewMax ? Allocate(nNewMax) : nullptr;
    for (INT_PTR i = 0; i < m_nSize; ++i) {
        ::new (static_cast<void*>(pNew + i)) TYPE(std::move(m_pData[i]));
        m_pData[i].~TYPE();
    }
    ::operator delete(m_pData);
    m_pData = pNew;
    m_nMaxSize = nNewMax;
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::SetSize(INT_PTR nNewSize, INT_PTR nGrowBy)
{
    if (nGrowBy >= 0)
        m_nGrowBy = nGrowBy;
    if (nNewSize <= 0) {
        Destroy(m_pData, m_nSize);
        ::operator delete(m_pData);
        m_pData = nullptr;
        m_nSize = m_nMaxSize = 0;
        return;
    }
    if (m_pData == nullptr) {
        INT_PTR nAlloc = nNewSize > m_nGrowBy ? nNewSize : m_nGrowBy;
        m_pData = Allocate(nAlloc);
        Construct(m_pData, nNewSize);
        m_nSize = nNewSize;
        m_nMaxSize = nAlloc;
        return;
    }
    if (nNewSize > m_nMaxSize) {
        INT_PTR nGrow = m_nGrowBy;
        if (nGrow == 0) {
            nGrow = m_nSize / 8;
            nGrow = nGrow < 4 ? 4 : (nGrow > 1024 ? 1024 : nGrow);
        }
        Reallocate(nNewSize < m_nMaxSize + nGrow ? m_nMaxSize + nGrow : nNewSize);
    }
    if (nNewSize > m_nSize)
        Construct(m_pData + m_nSize, nNewSize - m_nSize);
    else
        Destroy(m_pData + nNewSize, m_nSize - nNewSize);
    m_nSize = nNewSize;
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::FreeExtra()
{
    if (m_nSize != m_nMaxSize)
        Reallocate(m_nSize);
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::SetAtGrow(INT_PTR nIndex, ARG_TYPE newElement)
{
    if (nIndex < 0)
        return;
    if (nIndex >= m_nSize) {
        TYPE copy(newElement);  // newElement may live in this array
        SetSize(nIndex + 1, -1);
        m_pData[nIndex] = std::move(copy);
        return;
    }
    m_pData[nIndex] = newElement;
}

template <class TYPE, class ARG_TYPE>
INT_PTR CArray<TYPE, ARG_TYPE>::Add(ARG_TYPE newElement)
{
    INT_PTR nIndex = m_nSize;
    SetAtGrow(nIndex, newElement);
    return nIndex;
}

template <class TYPE, class ARG_TYPE>
INT_PTR CArray<TYPE, ARG_TYPE>::Append(const CArray& src)
{
    INT_PTR nOldSize = m_nSize;
    if (this == &src)
        return nOldSize;
    SetSize(m_nSize + src.m_nSize, -1);
    for (INT_PTR i = 0; i < src.m_nSize; ++i)
        m_pData[nOldSize + i] = src.m_pData[i];
    return nOldSize;
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::Copy(const CArray& src)
{
    if (this == &src)
        return;
    SetSize(src.m_nSize, -1);
    for (INT_PTR i = 0; i < src.m_nSize; ++i)
        m_pData[i] = src.m_pData[i];
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::InsertAt(INT_PTR nIndex, ARG_TYPE newElement, INT_PTR nCount)
{
    if (nIndex < 0 || nCount <= 0)
        return;
    TYPE copy(newElement);  // newElement may live in this array
    if (nIndex >= m_nSize) {
        SetSize(nIndex + nCount, -1);
    } else {
        INT_PTR nOldSize = m_nSize;
        SetSize(m_nSize + nCount, -1);
        for (INT_PTR i = nOldSize - 1; i >= nIndex; --i)
            m_pData[i + nCount] = std::move(m_pData[i]);
    }
    for (INT_PTR i = 0; i < nCount; ++i)
        m_pData[nIndex + i] = copy;
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::InsertAt(INT_PTR nStartIndex, const CArray* pNewArray)
{
    if (!pNewArray || pNewArray == this || pNewArray->m_nSize == 0 || nStartIndex < 0)
        return;
    InsertAt(nStartIndex, pNewArray->m_pData[0], pNewArray->m_nSize);
    for (INT_PTR i = 1; i < pNewArray->m_nSize; ++i)
        m_pData[nStartIndex + i] = pNewArray->m_pData[i];
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::RemoveAt(INT_PTR nIndex, INT_PTR nCount)
{
    if (nIndex < 0 || nCount <= 0 || nIndex >= m_nSize)
        return;
    if (nCount > m_nSize - nIndex)
        nCount = m_nSize - nIndex;
    for (INT_PTR i = nIndex + nCount; i < m_nSize; ++i)
        m_pData[i - nCount] = std::move(m_pData[i]);
    Destroy(m_pData + m_nSize - nCount, nCount);
    m_nSize -= nCount;
}
