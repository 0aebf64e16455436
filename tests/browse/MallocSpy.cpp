#include "MallocSpy.h"

namespace qrvtest {

MallocSpy& MallocSpy::Instance()
{
    static MallocSpy spy;
    return spy;
}

bool MallocSpy::Register()
{
    if (!m_bRegistered)
        m_bRegistered = SUCCEEDED(::CoRegisterMallocSpy(this));
    return m_bRegistered;
}

void MallocSpy::Reset()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_frees.clear();
    m_reused.clear();
}

bool MallocSpy::IsLive(const void* p)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_live.count(p) != 0;
}

int MallocSpy::FreeCount(const void* p)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    auto it = m_frees.find(p);
    return it == m_frees.end() ? 0 : it->second;
}

size_t MallocSpy::LiveCount()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_live.size();
}

HRESULT MallocSpy::QueryInterface(REFIID riid, void** ppv)
{
    if (riid == IID_IUnknown || riid == IID_IMallocSpy) {
        *ppv = static_cast<IMallocSpy*>(this);
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

void* MallocSpy::PostAlloc(void* pActual)
{
    if (pActual) {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_live.insert(pActual);
        if (m_frees.count(pActual))
            m_reused.insert(pActual);
    }
    return pActual;
}

void* MallocSpy::PreFree(void* pRequest, BOOL)
{
    if (pRequest) {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_live.erase(pRequest);
        if (!m_reused.count(pRequest))
            ++m_frees[pRequest];
    }
    return pRequest;
}

SIZE_T MallocSpy::PreRealloc(void* pRequest, SIZE_T cbRequest, void** ppNewRequest, BOOL)
{
    m_pReallocOld = pRequest;
    *ppNewRequest = pRequest;
    return cbRequest;
}

void* MallocSpy::PostRealloc(void* pActual, BOOL)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_pReallocOld)
        m_live.erase(m_pReallocOld);
    if (pActual)
        m_live.insert(pActual);
    m_pReallocOld = nullptr;
    return pActual;
}

}
