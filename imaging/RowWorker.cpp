#include "imaging/RowWorker.h"

#include <new>
#include <system_error>
#include <thread>

#ifdef _WIN32
#include <windows.h>
#endif

namespace qrv::img {

namespace {

// The module holding this code stays loaded while the worker waits in it:
// unloading it under the waiting thread would leave the thread in unmapped code.
void KeepModuleLoaded()
{
#ifdef _WIN32
    HMODULE hModule = nullptr;
    ::GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                         reinterpret_cast<LPCSTR>(&KeepModuleLoaded), &hModule);
#endif
}

} // namespace

RowWorker *RowWorker::Get()
{
    // Never destroyed: its thread may still wait on it when the process ends.
    static RowWorker *const s_worker = []() -> RowWorker * {
        RowWorker *worker = new (std::nothrow) RowWorker;
        if (!worker)
            return nullptr;
        try {
            std::thread([worker] { worker->Loop(); }).detach();
        } catch (const std::system_error &) {
            delete worker;
            return nullptr;
        }
        KeepModuleLoaded();
        return worker;
    }();
    return s_worker;
}

bool RowWorker::TryStart(std::function<void()> job)
{
    {
        std::lock_guard<std::mutex> lock(m_lock);
        if (m_state != State::idle)
            return false;
        m_job = std::move(job);
        m_state = State::queued;
    }
    m_changed.notify_all();
    return true;
}

void RowWorker::Wait()
{
    std::unique_lock<std::mutex> lock(m_lock);
    m_changed.wait(lock, [this] { return m_state == State::done; });
    m_job = nullptr;
    m_state = State::idle;
}

void RowWorker::Loop()
{
    std::unique_lock<std::mutex> lock(m_lock);
    for (;;) {
        m_changed.wait(lock, [this] { return m_state == State::queued; });
        m_state = State::running;
        lock.unlock();
        m_job();
        lock.lock();
        m_state = State::done;
        m_changed.notify_all();
    }
}

} // namespace qrv::img
