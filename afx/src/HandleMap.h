// CHandleMapT: the maps from a Windows handle to its C++ wrapper, one set
// per thread as in MFC. Wrappers that own their handle (created or attached
// through the framework) are permanent; FromHandle on any other handle makes
// a temporary wrapper that lives until the next DeleteTemp, normally at idle
// time. Temporary wrappers are detached before deletion, so deleting them
// never destroys the handle they stand for. Used only inside afx.dll.
#pragma once
#include <unordered_map>
#include <utility>

template <class CObj, class THandle>
class CHandleMapT
{
public:
    typedef CObj* (*PFN_NEW)();
    typedef void (*PFN_SET)(CObj* pObject, THandle h);  // null handle = detach

    explicit CHandleMapT(PFN_SET pfnSet) : m_pfnSet(pfnSet) {}
    ~CHandleMapT() { DeleteTemp(); }

    CObj* LookupPermanent(THandle h) const { return Find(m_permanent, h); }
    CObj* LookupTemporary(THandle h) const { return Find(m_temporary, h); }
    void SetPermanent(THandle h, CObj* pObject) { m_permanent[h] = pObject; }
    void RemoveHandle(THandle h) { m_permanent.erase(h); }

    // The permanent wrapper, else a temporary one, made with pfnNew if needed.
    CObj* FromHandle(THandle h, PFN_NEW pfnNew)
    {
        if (h == nullptr)
            return nullptr;
        if (CObj* p = LookupPermanent(h))
            return p;
        if (CObj* p = LookupTemporary(h))
            return p;
        CObj* p = pfnNew();
        m_pfnSet(p, h);
        m_temporary[h] = p;
        return p;
    }

    void DeleteTemp()
    {
        // A destructor may ask for new wrappers; work on a detached copy.
        std::unordered_map<THandle, CObj*> temp;
        temp.swap(m_temporary);
        for (auto& entry : temp) {
            m_pfnSet(entry.second, nullptr);
            delete entry.second;
        }
    }

private:
    static CObj* Find(const std::unordered_map<THandle, CObj*>& map, THandle h)
    {
        auto it = map.find(h);
        return it == map.end() ? nullptr : it->second;
    }

    PFN_SET m_pfnSet;
    std::unordered_map<THandle, CObj*> m_permanent;
    std::unordered_map<THandle, CObj*> m_temporary;
};
