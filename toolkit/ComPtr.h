// TComPtr: owns one reference on a COM interface and releases it when it
// goes, so that a function with several ways out releases each interface
// once. It is filled as a call's out parameter (&p releases what it held
// first) or adopts a pointer whose reference the caller already owns.
// It cannot be copied: each reference has one owner.
#pragma once
#include <objbase.h>

template <class T>
class TComPtr
{
public:
    TComPtr() = default;
    explicit TComPtr(T* p) : m_p(p) {}  // adopts p's reference
    ~TComPtr() { Release(); }
    TComPtr(const TComPtr&) = delete;
    TComPtr& operator=(const TComPtr&) = delete;

    T* operator->() const { return m_p; }
    operator T*() const { return m_p; }
    T* Get() const { return m_p; }
    // The out parameter of a call that hands out a reference.
    T** operator&()
    {
        Release();
        return &m_p;
    }
    void** OutVoid() { return reinterpret_cast<void**>(operator&()); }

    // Gives the reference to the caller, who then releases it.
    T* Detach()
    {
        T* p = m_p;
        m_p = nullptr;
        return p;
    }
    void Release()
    {
        if (m_p)
            m_p->Release();
        m_p = nullptr;
    }

private:
    T* m_p = nullptr;
};
