// Rows of an image worked on by two threads: the panel preview's point
// operations and resampling treat each output row on its own, and a machine
// has a second core for them.
#pragma once

#include <cstddef>
#include <exception>

#include "imaging/RowWorker.h"

namespace qrv::img {

// Below this many bytes of output handing half the rows to the kept worker
// costs more than it saves (a wake-up each way against a table pass).
constexpr size_t kSplitBytes = size_t(512) << 10;

// Calls f(first, last) for the rows [0, rows): the lower half on the kept
// worker when `bytes` of output reach kSplitBytes and the worker is free,
// else all at once here. An exception of either half reaches the caller once
// both are done.
template <class F> void SplitRows(int rows, size_t bytes, F f)
{
    RowWorker *worker = rows < 2 || bytes < kSplitBytes ? nullptr : RowWorker::Get();
    const int mid = rows / 2;
    std::exception_ptr failure;
    if (!worker || !worker->TryStart([&] {
            try {
                f(mid, rows);
            } catch (...) {
                failure = std::current_exception();
            }
        })) {
        f(0, rows);
        return;
    }
    try {
        f(0, mid);
    } catch (...) {
        worker->Wait();
        throw;
    }
    worker->Wait();
    if (failure)
        std::rethrow_exception(failure);
}

} // namespace qrv::img
