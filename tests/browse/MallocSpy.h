// A spy on the COM task allocator (the one the shell allocates from): it
// records which blocks are alive and how often each block was freed since
// the last Reset before the allocator handed the address out again, so tests
// can see that records come from that allocator and are freed exactly once.
// Registered once, on first use.
#pragma once
#include <objidl.h>
#include <map>
#include <mutex>
#include <set>

namespace qrvtest {

class MallocSpy : public IMallocSpy
{
public:
    static MallocSpy& Instance()
    {
        static MallocSpy spy;
        return spy;
    }
    bool Register()
    {
        if (!m_bRegistered)
            m_bRegistered = SUCCEEDED(::CoRegisterMallocSpy(this));
        return m_bRegistered;
    }
    void Reset()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_frees.clear();
        m_reused.clear();
    }
    bool IsLive(const void* p)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_live.count(p) != 0;
    }
    int FreeCount(const void* p)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        auto it = m_frees.find(p);
        return it == m_frees.end() ? 0 : it->second;
    }
    size_t LiveCount()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_live.size();
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        *ppv = riid == IID_IUnknown || riid == IID_IMallocSpy ? static_cast<IMallocSpy*>(this) : nullptr;
        return *ppv ? S_OK : E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    SIZE_T STDMETHODCALLTYPE PreAlloc(SIZE_T cbRequest) override { return cbRequest; }
    void* STDMETHODCALLTYPE PostAlloc(void* pActual) override
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (pActual)
            m_live.insert(pActual);
        if (pActual && m_frees.count(pActual))
            m_reused.insert(pActual);
        return pActual;
    }
    void* STDMETHODCALLTYPE PreFree(void* pRequest, BOOL) override
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (pRequest) {
            m_live.erase(pRequest);
            if (!m_reused.count(pRequest))
                ++m_frees[pRequest];
        }
        return pRequest;
    }
    void STDMETHODCALLTYPE PostFree(BOOL) override {}
    SIZE_T STDMETHODCALLTYPE PreRealloc(void* pRequest, SIZE_T cbRequest, void** ppNewRequest, BOOL) override
    {
        m_pReallocOld = pRequest;
        *ppNewRequest = pRequest;
        return cbRequest;
    }
    void* STDMETHODCALLTYPE PostRealloc(void* pActual, BOOL) override
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_pReallocOld)
            m_live.erase(m_pReallocOld);
        if (pActual)
            m_live.insert(pActual);
        m_pReallocOld = nullptr;
        return pActual;
    }
    void* STDMETHODCALLTYPE PreGetSize(void* pRequest, BOOL) override { return pRequest; }
    SIZE_T STDMETHODCALLTYPE PostGetSize(SIZE_T cbActual, BOOL) override { return cbActual; }
    void* STDMETHODCALLTYPE PreDidAlloc(void* pRequest, BOOL) override { return pRequest; }
    int STDMETHODCALLTYPE PostDidAlloc(void*, BOOL, int fActual) override { return fActual; }
    void STDMETHODCALLTYPE PreHeapMinimize() override {}
    void STDMETHODCALLTYPE PostHeapMinimize() override {}

private:
    std::mutex m_mutex;
    std::set<const void*> m_live;
    std::map<const void*, int> m_frees;
    std::set<const void*> m_reused;   // allocated again after a free: frees no longer counted
    void* m_pReallocOld = nullptr;
    bool m_bRegistered = false;
};

}
