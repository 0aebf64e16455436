// Pumping the calling thread's messages while a test waits for something.
#pragma once
#include <windows.h>
#include <functional>

namespace qrvtest {

// Dispatches this thread's messages until condition() holds or timeoutMs
// passes; returns whether the condition held.
bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs = 5000);

// Dispatches whatever is queued now (and what that causes) for about ms.
void PumpFor(DWORD ms);

// Polls (without pumping: for helper threads) until condition() holds.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 5000);

}
