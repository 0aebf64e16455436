// CMap: a hash table from KEY to VALUE with MFC's behaviour: 17 buckets
// unless InitHashTable says otherwise, associations carved out of blocks,
// and iteration with GetStartPosition/GetNextAssoc bucket by bucket.
#pragma once
#include "List.h"
#include "String.h"

template <class ARG_KEY>
inline UINT AFXAPI HashKey(ARG_KEY key)
{
    return static_cast<UINT>(static_cast<DWORD_PTR>(key) >> 4);
}
template <class T>
inline UINT AFXAPI HashKey(T* key)
{
    return static_cast<UINT>(reinterpret_cast<DWORD_PTR>(key) >> 4);
}
inline UINT AFXAPI HashKey(LPCSTR key)
{
    UINT nHash = 0;
    while (*key)
        nHash = (nHash << 5) + nHash + static_cast<unsigned char>(*key++);
    return nHash;
}
inline UINT AFXAPI HashKey(LPSTR key) { return HashKey(static_cast<LPCSTR>(key)); }
inline UINT AFXAPI HashKey(const CString& key) { return HashKey(static_cast<LPCSTR>(key)); }

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
class CMap : public CObject
{
protected:
    struct CAssoc
    {
        CAssoc* pNext;
        UINT nHashValue;
        KEY key;
        VALUE value;
    };

public:
    explicit CMap(INT_PTR nBlockSize = 10)
        : m_pHashTable(nullptr), m_nHashTableSize(17), m_nCount(0), m_pFreeList(nullptr),
          m_pBlocks(nullptr), m_nBlockSize(nBlockSize > 0 ? nBlockSize : 10) {}
    ~CMap() override { RemoveAll(); }

    INT_PTR GetCount() const { return m_nCount; }
    INT_PTR GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }

    BOOL Lookup(ARG_KEY key, VALUE& rValue) const;
    BOOL LookupKey(ARG_KEY key, KEY& rKey) const;
    VALUE& operator[](ARG_KEY key);
    void SetAt(ARG_KEY key, ARG_VALUE newValue) { (*this)[key] = newValue; }
    BOOL RemoveKey(ARG_KEY key);
    void RemoveAll();

    POSITION GetStartPosition() const { return m_nCount == 0 ? nullptr : BEFORE_START_POSITION; }
    void GetNextAssoc(POSITION& rNextPosition, KEY& rKey, VALUE& rValue) const;

    UINT GetHashTableSize() const { return m_nHashTableSize; }
    // Takes effect only while the map is empty.
    void InitHashTable(UINT hashSize, BOOL bAllocNow = TRUE);

protected:
    CAssoc** m_pHashTable;
    UINT m_nHashTableSize;
    INT_PTR m_nCount;
    CAssoc* m_pFreeList;
    void* m_pBlocks;
    INT_PTR m_nBlockSize;

    CAssoc* GetAssocAt(ARG_KEY key, UINT& nHashBucket, UINT& nHashValue) const;

private:
    CMap(const CMap&) = delete;
    CMap& operator=(const CMap&) = delete;
    CAssoc* NewAssoc(ARG_KEY key);
    void FreeAssoc(CAssoc* pAssoc);
};

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::InitHashTable(UINT hashSize, BOOL bAllocNow)
{
    if (m_nCount != 0 || hashSize == 0)
        return;
    delete[] m_pHashTable;
    m_pHashTable = nullptr;
    if (bAllocNow)
        m_pHashTable = new CAssoc*[hashSize]();
    m_nHashTableSize = hashSize;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::RemoveAll()
{
    if (m_pHashTable) {
        for (UINT n = 0; n < m_nHashTableSize; ++n)
            for (CAssoc* p = m_pHashTable[n]; p; p = p->pNext) {
                p->key.~KEY();
                p->value.~VALUE();
            }
        delete[] m_pHashTable;
        m_pHashTable = nullptr;
    }
    m_nCount = 0;
    m_pFreeList = nullptr;
    while (m_pBlocks) {
        void* pNextBlock = *static_cast<void**>(m_pBlocks);
        ::operator delete(m_pBlocks);
        m_pBlocks = pNextBlock;
    }
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
typename CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::CAssoc*
CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::NewAssoc(ARG_KEY key)
{
    if (m_pFreeList == nullptr) {
        const size_t nHeader = (sizeof(void*) + alignof(CAssoc) - 1) / alignof(CAssoc) * alignof(CAssoc);
        char* pBlock = static_cast<char*>(::operator new(nHeader + sizeof(CAssoc) * static_cast<size_t>(m_nBlockSize)));
        *reinterpret_cast<void**>(pBlock) = m_pBlocks;
        m_pBlocks = pBlock;
        CAssoc* pAssocs = reinterpret_cast<CAssoc*>(pBlock + nHeader);
        for (INT_PTR i = m_nBlockSize - 1; i >= 0; --i) {
            pAssocs[i].pNext = m_pFreeList;
            m_pFreeList = &pAssocs[i];
        }
    }
    CAssoc* pAssoc = m_pFreeList;
    CAssoc* pFreeNext = pAssoc->pNext;
    ::new (static_cast<void*>(&pAssoc->key)) KEY(key);
    ::new (static_cast<void*>(&pAssoc->value)) VALUE();
    m_pFreeList = pFreeNext;
    ++m_nCount;
    return pAssoc;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::FreeAssoc(CAssoc* pAssoc)
{
    pAssoc->key.~KEY();
    pAssoc->value.~VALUE();
    pAssoc->pNext = m_pFreeList;
    m_pFreeList = pAssoc;
    if (--m_nCount == 0)
        RemoveAll();
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
typename CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::CAssoc*
CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::GetAssocAt(ARG_KEY key, UINT& nHashBucket, UINT& nHashValue) const
{
    nHashValue = HashKey(key);
    nHashBucket = nHashValue % m_nHashTableSize;
    if (m_pHashTable == nullptr)
        return nullptr;
    for (CAssoc* p = m_pHashTable[nHashBucket]; p; p = p->pNext)
        if (p->nHashValue == nHashValue && CompareElements(&p->key, &key))
            return p;
    return nullptr;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
BOOL CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::Lookup(ARG_KEY key, VALUE& rValue) const
{
    UINT nBucket, nHash;
    CAssoc* p = GetAssocAt(key, nBucket, nHash);
    if (!p)
        return FALSE;
    rValue = p->value;
    return TRUE;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
BOOL CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::LookupKey(ARG_KEY key, KEY& rKey) const
{
    UINT nBucket, nHash;
    CAssoc* p = GetAssocAt(key, nBucket, nHash);
    if (!p)
        return FALSE;
    rKey = p->key;
    return TRUE;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
VALUE& CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::operator[](ARG_KEY key)
{
    UINT nBucket, nHash;
    CAssoc* p = GetAssocAt(key, nBucket, nHash);
    if (p)
        return p->value;
    if (m_pHashTable == nullptr)
        InitHashTable(m_nHashTableSize, TRUE);
    p = NewAssoc(key);
    p->nHashValue = nHash;
    p->pNext = m_pHashTable[nBucket];
    m_pHashTable[nBucket] = p;
    return p->value;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
BOOL CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::RemoveKey(ARG_KEY key)
{
    if (m_pHashTable == nullptr)
        return FALSE;
    UINT nHash = HashKey(key);
    for (CAssoc** pp = &m_pHashTable[nHash % m_nHashTableSize]; *pp; pp = &(*pp)->pNext) {
        CAssoc* p = *pp;
        if (p->nHashValue == nHash && CompareElements(&p->key, &key)) {
            *pp = p->pNext;
            FreeAssoc(p);
            return TRUE;
        }
    }
    return FALSE;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::GetNextAssoc(POSITION& rNextPosition, KEY& rKey, VALUE& rValue) const
{
    CAssoc* pRet = reinterpret_cast<CAssoc*>(rNextPosition);
    if (rNextPosition == BEFORE_START_POSITION) {
        pRet = nullptr;
        for (UINT n = 0; m_pHashTable && n < m_nHashTableSize && !pRet; ++n)
            pRet = m_pHashTable[n];
    }
    if (!pRet) {
        rNextPosition = nullptr;
        return;
    }
    CAssoc* pNext = pRet->pNext;
    for (UINT n = pRet->nHashValue % m_nHashTableSize + 1; !pNext && n < m_nHashTableSize; ++n)
        pNext = m_pHashTable[n];
    rNextPosition = reinterpret_cast<POSITION>(pNext);
    rKey = pRet->key;
    rValue = pRet->value;
}
