// The watchdog of the long runs under Wine (the soak, the fuzz batches): a
// step without progress for longer than the limit ends the process with exit
// code 2, a crash ends it at once with the crash code instead of starting
// Wine's debugger; both say so first, naming the step.
#pragma once
#include <windows.h>

#include <cstdio>

namespace qrvtest::watchdog {

inline volatile LONG g_progress = 0, g_step = 0;
inline volatile bool g_busy = false;
inline DWORD g_limit = 20000;
inline int g_crashCode = 3;
inline const char *g_prefix = "";
inline const char *(*g_name)(long) = [](long) { return "input"; };

// Step n begins; after End the run waits between steps, which is never a hang.
inline void Begin(long n)
{
    g_step = n;
    g_busy = true;
    ::InterlockedIncrement(&g_progress);
}
inline void End()
{
    g_busy = false, ::InterlockedIncrement(&g_progress);
}

inline LONG WINAPI OnCrash(EXCEPTION_POINTERS *p)
{
    std::printf("%sCRASH exception %08lx in step %ld\n", g_prefix, p->ExceptionRecord->ExceptionCode,
                long(g_step));
    std::fflush(stdout);
    ::ExitProcess(g_crashCode);
}

// Counts its own sleeps on one step instead of comparing tick counts taken
// on two threads: that comparison reported a 60 s hang after 7 s under Wine.
inline DWORD WINAPI Watch(void *)
{
    for (LONG seen = -1, waited = 0;; ::Sleep(100)) {
        waited = g_progress == seen ? waited + 100 : 0, seen = g_progress;
        if (g_busy && DWORD(waited) > g_limit) {
            std::printf("%sHANG in step %ld (%s) after %lu ms\n", g_prefix, long(g_step), g_name(g_step),
                        g_limit);
            std::fflush(stdout);
            ::ExitProcess(2);
        }
    }
}

// prefix starts the report lines ("soak: "); name, when given, names a step.
inline void Start(DWORD limitMs, int crashCode, const char *prefix, const char *(*name)(long) = nullptr)
{
    g_limit = limitMs;
    g_crashCode = crashCode;
    g_prefix = prefix;
    g_name = name ? name : g_name;
    ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    ::SetUnhandledExceptionFilter(OnCrash);
    ::CreateThread(nullptr, 0, Watch, nullptr, 0, nullptr);
}

} // namespace qrvtest::watchdog
