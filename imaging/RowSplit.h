// Rows of an image worked on by two threads: the panel preview's point
// operations and resampling treat each output row on its own, and a machine
// has a second core for them.
#pragma once

#include <cstddef>
#include <exception>
#include <system_error>
#include <thread>

namespace qrv::img {

// Below this many bytes of output a second thread costs more than it saves:
// starting one takes about as long as a table pass over 2 MB under Wine.
constexpr size_t kSplitBytes = size_t(2) << 20;

// Calls f(first, last) for the rows [0, rows): the lower half on a thread of
// its own when `bytes` of output reach kSplitBytes, else all at once here.
// An exception of either half reaches the caller once both are done.
template <class F>
void SplitRows(int rows, size_t bytes, F f)
{
    if (rows < 2 || bytes < kSplitBytes) {
        f(0, rows);
        return;
    }
    const int mid = rows / 2;
    std::exception_ptr failure;
    std::thread lower;
    try {
        lower = std::thread([&] {
            try {
                f(mid, rows);
            } catch (...) {
                failure = std::current_exception();
            }
        });
    } catch (const std::system_error&) {
        f(0, rows);   // no thread to be had: all here
        return;
    }
    try {
        f(0, mid);
    } catch (...) {
        lower.join();
        throw;
    }
    lower.join();
    if (failure)
        std::rethrow_exception(failure);
}

}  // namespace qrv::img
