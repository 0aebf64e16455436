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
    static MallocSpy& Instance();
    bool Register();

    void Reset();
    bool IsLive(const void* p);
    int FreeCount(const void* p);
    size_t LiveCount();

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    // IMallocSpy
    SIZE_T STDMETHODCALLTYPE PreAlloc(SIZE_T cbRequest) override { return cbRequest; }
    void* STDMETHODCALLTYPE PostAlloc(void* pActual) override;
    void* STDMETHODCALLTYPE PreFree(void* pRequest, BOOL fSpyed) override;
    void STDMETHODCALLTYPE PostFree(BOOL) override {}
    SIZE_T STDMETHODCALLTYPE PreRealloc(void* pRequest, SIZE_T cbRequest, void** ppNewRequest, BOOL fSpyed) override;
    void* STDMETHODCALLTYPE PostRealloc(void* pActual, BOOL fSpyed) override;
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
