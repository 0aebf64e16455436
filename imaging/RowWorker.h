// The second thread of the imaging core's row splits, kept for the life of
// the process: starting a thread for every split costs about 0.7 ms under
// Wine, as much as a table pass over two megabytes, while handing a job to a
// thread that waits for one costs a wake-up.
#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>

namespace qrv::img {

class RowWorker {
public:
    // The process's worker, its thread started at the first call; nullptr
    // when no thread can be had.
    static RowWorker *Get();

    // Hands job to the worker; false, and nothing started, while the worker
    // works for another caller. The job must not throw.
    bool TryStart(std::function<void()> job);
    // Waits until the job TryStart handed over is done.
    void Wait();

private:
    enum class State { idle, queued, running, done };

    RowWorker() = default;
    void Loop();

    std::mutex m_lock;
    std::condition_variable m_changed;
    std::function<void()> m_job;
    State m_state = State::idle;
};

} // namespace qrv::img
