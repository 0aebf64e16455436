// qrv_soak SECONDS FOLDER [WARMUP]: repeats a host's day (CSoakHost) in one
// process for SECONDS, then reports the iterations done and how private
// memory, kernel handles and GDI objects grew per 1,000 iterations after the
// first WARMUP (default 1,000; "50%" leaves out the first half of the
// iterations done, which keeps a short run's figure free of the heap's early
// growth; the slope of a line fitted through a sample after every round of
// the host's steps). QRV_SOAK_TRACE prints the samples
// and each step's time and memory change, QRV_SOAK_ONLY=3,12 runs only those steps.
// Exit code 0 when every step succeeded and every growth is within its bound,
// 1 when a bound was exceeded, 3 on failed steps, 2 on a hang, 4 on a crash.
#include <afxwin.h>
#include <afxole.h>

#include <psapi.h>
#include <winternl.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "SoakHost.h"
#include "tests/support/Watchdog.h"

namespace {

// What the soak watches of its own process: private memory, kernel handles
// and GDI objects. This Wine's GetGuiResources answers 0 whatever the process
// holds, so where it does the GDI objects are counted in the process's GDI
// handle table, which the process environment block points to on Windows and
// on Wine alike: one entry per handle, a type byte for a live object.
struct SResourceUse {
    double privateKb = 0;       // PrivateUsage of GetProcessMemoryInfo
    long handles = -1;          // GetProcessHandleCount, or the system's handle list
    long gdiObjects = -1;       // -1 where they cannot be counted
    const char *gdiSource = ""; // where the GDI count comes from, for the report
};

// Wine's (and 64-bit Windows') table entry: object, owner, unique word with
// the stock flag in its low byte's top bit, type, flags, user pointer.
const size_t kEntryBytes = 24, kUniqueAt = 12, kTypeAt = 14, kEntries = 0x10000;
#ifdef _WIN64
const size_t kPebTableAt = 0xF8;
#endif

// Live, non-stock entries of the handle table; -1 without one.
long CountGdiTable()
{
#ifdef _WIN64
    PROCESS_BASIC_INFORMATION pbi = {};
    if (NtQueryInformationProcess(::GetCurrentProcess(), ProcessBasicInformation, &pbi, sizeof pbi,
                                  nullptr) != 0)
        return -1;
    const uint8_t *peb = reinterpret_cast<const uint8_t *>(pbi.PebBaseAddress);
    const uint8_t *table = *reinterpret_cast<const uint8_t *const *>(peb + kPebTableAt);
    if (!table)
        return -1;
    long n = 0;
    for (size_t i = 0; i < kEntries; ++i) {
        const uint8_t *e = table + i * kEntryBytes;
        if (e[kTypeAt] != 0 && !(e[kUniqueAt] & 0x80))
            ++n;
    }
    return n;
#else
    // The 32-bit layout differs between Windows and Wine's 32-bit view: not counted.
    return -1;
#endif
}

// This Wine's GetProcessHandleCount answers 0: the system's list of handles is counted then.
long CountHandles()
{
    DWORD handles = 0;
    if (::GetProcessHandleCount(::GetCurrentProcess(), &handles) && handles > 0)
        return long(handles);
    // The system's handle list, this process's entries.
    std::vector<uint8_t> buffer(1 << 20);
    ULONG needed = 0;
    NTSTATUS status;
    while ((status = NtQuerySystemInformation(SystemHandleInformation, buffer.data(), ULONG(buffer.size()),
                                              &needed)) == NTSTATUS(0xC0000004L) &&
           buffer.size() < (64u << 20))
        buffer.resize(buffer.size() * 2);
    if (status != 0)
        return -1;
    const auto *info = reinterpret_cast<const SYSTEM_HANDLE_INFORMATION *>(buffer.data());
    const ULONG pid = ::GetCurrentProcessId();
    long n = 0;
    for (ULONG i = 0; i < info->Count; ++i)
        n += info->Handle[i].OwnerPid == pid ? 1 : 0;
    return n;
}

SResourceUse MeasureResources()
{
    SResourceUse use;
    PROCESS_MEMORY_COUNTERS_EX pmc = {};
    pmc.cb = sizeof pmc;
    if (::GetProcessMemoryInfo(::GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS *>(&pmc),
                               sizeof pmc))
        use.privateKb = double(pmc.PrivateUsage ? pmc.PrivateUsage : pmc.PagefileUsage) / 1024.0;
    use.handles = CountHandles();
    const DWORD gui = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
    use.gdiObjects = gui > 0 ? long(gui) : CountGdiTable();
    use.gdiSource = gui > 0               ? "GetGuiResources"
                    : use.gdiObjects >= 0 ? "the process's GDI handle table"
                                          : "not counted";
    return use;
}

CWinApp theApp("QRV Soak");

long g_warmUp = 1000;
double g_warmUpShare = 0; // of the iterations done, when given as a percentage
// Growth allowed per 1,000 iterations after the warm-up: 256 KB is far below
// what one DIB of the smallest picture left behind per round would add
// (800 KB a round, 32 MB per 1,000 iterations). QRV_SOAK_MEMORY_BOUND gives
// another memory bound in KB: a run of a minute, whose private memory still
// wanders by a megabyte or two as Wine's caches settle, takes 4,096.
double g_memoryBoundKb = 256;
const double kHandleBound = 3, kGdiBound = 3;
const DWORD kStepLimitMs = 120000;

CSoakHost *g_pHost = nullptr;

struct Sample {
    long n;
    SResourceUse use;
};

// Least-squares slope of a field over the samples after the warm-up, per
// 1,000 iterations, with its standard error.
struct Growth {
    double per1000, error;
};

template <class Field> Growth GrowthOf(const std::vector<Sample> &samples, Field field)
{
    std::vector<std::pair<double, double>> points;
    for (const Sample &s : samples)
        if (s.n >= g_warmUp)
            points.emplace_back(double(s.n) / 1000.0, field(s.use));
    const double k = double(points.size());
    if (k < 3)
        return {0, 0};
    double mx = 0, my = 0, sxx = 0, sxy = 0, residuals = 0;
    for (const auto &p : points) {
        mx += p.first / k;
        my += p.second / k;
    }
    for (const auto &p : points) {
        sxx += (p.first - mx) * (p.first - mx);
        sxy += (p.first - mx) * (p.second - my);
    }
    const double slope = sxy / sxx;
    for (const auto &p : points)
        residuals += std::pow(p.second - my - slope * (p.first - mx), 2);
    return {slope, std::sqrt(residuals / (k - 2) / sxx)};
}

// A growth beyond its bound by more than three standard errors: the heap's
// steps make private memory noisy over a short run, handle and GDI counts are exact.
bool Exceeds(const Growth &g, double bound)
{
    return g.per1000 - 3 * g.error > bound;
}

} // namespace

int main(int argc, char **argv)
{
    AfxWinInit(::GetModuleHandleA(nullptr), nullptr, ::GetCommandLineA(), SW_SHOW);
    if (argc < 3 || std::atoi(argv[1]) <= 0) {
        std::printf("usage: qrv_soak SECONDS FOLDER [WARMUP]\n");
        return 2;
    }
    AfxOleInit();
    theApp.SetRegistryKey("QRV Soak\\");
    const DWORD seconds = DWORD(std::atoi(argv[1]));
    if (const char *pszBound = std::getenv("QRV_SOAK_MEMORY_BOUND"))
        g_memoryBoundKb = std::atof(pszBound) > 0 ? std::atof(pszBound) : g_memoryBoundKb;
    if (argc >= 4 && std::strchr(argv[3], '%'))
        g_warmUpShare = std::atof(argv[3]) / 100.0;
    else if (argc >= 4 && std::atol(argv[3]) > 0)
        g_warmUp = std::atol(argv[3]);
    CSoakHost host(argv[2]);
    g_pHost = &host;
    if (!host.Start())
        return 3;
    qrvtest::watchdog::Start(kStepLimitMs, 4, "soak: ", [](long n) { return g_pHost->StepName(n); });

    std::vector<Sample> samples{{0, MeasureResources()}};
    const DWORD started = ::GetTickCount();
    long n = 0, failed = 0;
    const bool trace = std::getenv("QRV_SOAK_TRACE") != nullptr;
    const char *pszOnly = std::getenv("QRV_SOAK_ONLY");
    const std::string only = pszOnly && *pszOnly ? "," + std::string(pszOnly) + "," : "";
    std::vector<DWORD> spent(size_t(host.StepsPerRound()), 0);
    std::vector<double> grown(size_t(host.StepsPerRound()), 0);
    for (; ::GetTickCount() - started < seconds * 1000; ++n) {
        const size_t step = size_t(n % host.StepsPerRound());
        const bool skip = !only.empty() && only.find("," + std::to_string(step) + ",") == std::string::npos;
        qrvtest::watchdog::Begin(n);
        const DWORD t0 = ::GetTickCount();
        const double kb0 = trace ? MeasureResources().privateKb : 0;
        const bool ok = skip || host.Step(n);
        spent[step] += ::GetTickCount() - t0;
        if (trace && n >= g_warmUp)
            grown[step] += MeasureResources().privateKb - kb0;
        if (!ok && ++failed <= 10)
            std::printf("soak: step %ld (%s) FAILED\n", n, host.StepName(n));
        if ((n + 1) % host.StepsPerRound() == 0) {
            samples.push_back({n + 1, MeasureResources()});
            if (trace)
                std::printf("soak: at %ld: %.0f KB, %ld handles, %ld GDI objects\n", n + 1,
                            samples.back().use.privateKb, samples.back().use.handles,
                            samples.back().use.gdiObjects);
        }
    }
    const DWORD elapsed = (::GetTickCount() - started) / 1000;
    const SResourceUse first = samples.front().use, last = MeasureResources();
    std::printf("soak: %ld iterations in %lu s (%d steps a round), %ld failed\n", n,
                static_cast<unsigned long>(elapsed), host.StepsPerRound(), failed);
    std::printf("soak: private memory %.0f KB -> %.0f KB, handles %ld -> %ld, GDI objects %ld -> %ld (%s)\n",
                first.privateKb, last.privateKb, first.handles, last.handles, first.gdiObjects,
                last.gdiObjects, last.gdiSource);
    if (trace)
        for (int i = 0; i < host.StepsPerRound(); ++i)
            std::printf("soak: step %d (%s): %lu ms, %+.0f KB after the warm-up in all\n", i,
                        host.StepName(i), static_cast<unsigned long>(spent[size_t(i)]), grown[size_t(i)]);
    int rc = failed ? 3 : 0;
    if (g_warmUpShare > 0)
        g_warmUp = long(double(n) * g_warmUpShare);
    if (n < g_warmUp + 4 * host.StepsPerRound()) {
        std::printf("soak: too few iterations to measure growth after the first %ld\n", g_warmUp);
        return rc ? rc : 1;
    }
    const Growth mem = GrowthOf(samples, [](const SResourceUse &u) { return u.privateKb; });
    const Growth handles = GrowthOf(samples, [](const SResourceUse &u) { return double(u.handles); });
    const Growth gdi = GrowthOf(samples, [](const SResourceUse &u) { return double(u.gdiObjects); });
    std::printf(
        "soak: growth per 1,000 iterations after the first %ld: private memory %+.1f KB (+-%.1f, bound "
        "%.0f), handles %+.1f (+-%.1f, bound %.0f), GDI objects %+.1f (+-%.1f, bound %.0f)\n",
        g_warmUp, mem.per1000, mem.error, g_memoryBoundKb, handles.per1000, handles.error, kHandleBound,
        gdi.per1000, gdi.error, kGdiBound);
    if (Exceeds(mem, g_memoryBoundKb) || Exceeds(handles, kHandleBound) ||
        (last.gdiObjects >= 0 && Exceeds(gdi, kGdiBound)))
        rc = rc ? rc : 1;
    std::printf("soak: %s\n", rc == 0 ? "passed" : "FAILED");
    return rc;
}
