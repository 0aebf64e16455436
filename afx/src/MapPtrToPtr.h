// CMapPtrToPtr: a hash map from pointers to untyped pointers (see CMap).
#pragma once
#include "Map.h"

class AFX_CORE_CLASS CMapPtrToPtr : public CObject
{
    DECLARE_DYNAMIC(CMapPtrToPtr)
public:
    explicit CMapPtrToPtr(INT_PTR nBlockSize = 10) : m_m(nBlockSize) {}
    ~CMapPtrToPtr() override = default;

    INT_PTR GetCount() const { return m_m.GetCount(); }
    INT_PTR GetSize() const { return m_m.GetSize(); }
    BOOL IsEmpty() const { return m_m.IsEmpty(); }

    BOOL Lookup(void* key, void*& rValue) const { return m_m.Lookup(key, rValue); }
    void*& operator[](void* key) { return m_m[key]; }
    void SetAt(void* key, void* newValue) { m_m.SetAt(key, newValue); }
    BOOL RemoveKey(void* key) { return m_m.RemoveKey(key); }
    void RemoveAll() { m_m.RemoveAll(); }

    POSITION GetStartPosition() const { return m_m.GetStartPosition(); }
    void GetNextAssoc(POSITION& rNextPosition, void*& rKey, void*& rValue) const
    { m_m.GetNextAssoc(rNextPosition, rKey, rValue); }

    UINT GetHashTableSize() const { return m_m.GetHashTableSize(); }
    void InitHashTable(UINT hashSize, BOOL bAllocNow = TRUE) { m_m.InitHashTable(hashSize, bAllocNow); }

private:
    CMap<void*, void*, void*, void*> m_m;
};
