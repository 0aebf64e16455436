// CMapStringToPtr: a hash map from texts (compared case-sensitively) to untyped pointers (see CMap).
#pragma once
#include "Map.h"

class AFX_CORE_CLASS CMapStringToPtr : public CObject
{
    DECLARE_DYNAMIC(CMapStringToPtr)
public:
    explicit CMapStringToPtr(INT_PTR nBlockSize = 10) : m_m(nBlockSize) {}
    ~CMapStringToPtr() override = default;

    INT_PTR GetCount() const { return m_m.GetCount(); }
    INT_PTR GetSize() const { return m_m.GetSize(); }
    BOOL IsEmpty() const { return m_m.IsEmpty(); }

    BOOL Lookup(LPCSTR key, void*& rValue) const { return m_m.Lookup(key, rValue); }
    void*& operator[](LPCSTR key) { return m_m[key]; }
    void SetAt(LPCSTR key, void* newValue) { m_m.SetAt(key, newValue); }
    BOOL RemoveKey(LPCSTR key) { return m_m.RemoveKey(key); }
    void RemoveAll() { m_m.RemoveAll(); }

    POSITION GetStartPosition() const { return m_m.GetStartPosition(); }
    void GetNextAssoc(POSITION& rNextPosition, CString& rKey, void*& rValue) const
    { m_m.GetNextAssoc(rNextPosition, rKey, rValue); }

    UINT GetHashTableSize() const { return m_m.GetHashTableSize(); }
    void InitHashTable(UINT hashSize, BOOL bAllocNow = TRUE) { m_m.InitHashTable(hashSize, bAllocNow); }

private:
    CMap<CString, LPCSTR, void*, void*> m_m;
};
