// CTypedPtrMap: a type-safe face on CMapStringToPtr or CMapPtrToPtr.
#pragma once
#include "MapStringToPtr.h"
#include "MapPtrToPtr.h"
#include <type_traits>

template <class BASE_CLASS, class KEY, class VALUE>
class CTypedPtrMap : public BASE_CLASS
{
public:
    explicit CTypedPtrMap(INT_PTR nBlockSize = 10) : BASE_CLASS(nBlockSize) {}

    BOOL Lookup(KEY key, VALUE& rValue) const
    {
        void* p = nullptr;
        BOOL b = BASE_CLASS::Lookup(key, p);
        rValue = (VALUE)p;
        return b;
    }
    VALUE& operator[](KEY key) { return reinterpret_cast<VALUE&>(BASE_CLASS::operator[](key)); }
    void SetAt(KEY key, VALUE newValue) { BASE_CLASS::SetAt(key, newValue); }
    BOOL RemoveKey(KEY key) { return BASE_CLASS::RemoveKey(key); }
    template <class RKEY>
    void GetNextAssoc(POSITION& rPosition, RKEY& rKey, VALUE& rValue) const
    {
        void* p = nullptr;
        if constexpr (std::is_same<RKEY, CString>::value) {
            BASE_CLASS::GetNextAssoc(rPosition, rKey, p);
        } else {
            void* k = nullptr;
            BASE_CLASS::GetNextAssoc(rPosition, k, p);
            rKey = (RKEY)k;
        }
        rValue = (VALUE)p;
    }
};
