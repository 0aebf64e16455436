#include <afxole.h>

#include "FuzzBatch.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

#include "tests/support/Watchdog.h"

namespace {
CWinApp theApp("qrv_fuzz");
}

std::set<std::string> FilesOf(const std::string &dir)
{
    std::set<std::string> names;
    WIN32_FIND_DATAA fd;
    HANDLE h = ::FindFirstFileA((dir + "\\*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.insert(fd.cFileName);
    } while (::FindNextFileA(h, &fd));
    ::FindClose(h);
    return names;
}

int Finding(int rc, const char *format, ...)
{
    va_list args;
    va_start(args, format);
    std::vprintf(format, args);
    va_end(args);
    return rc;
}

int RunBatch(const std::string &dir, DWORD limitMs,
             const std::function<int(const std::string &path)> &tryInput)
{
    qrvtest::watchdog::Start(limitMs, 3, "");
    const std::set<std::string> names = FilesOf(dir);
    long i = 0;
    for (const std::string &name : names) {
        std::printf("input %s\n", name.c_str());
        std::fflush(stdout);
        qrvtest::watchdog::Begin(i++);
        const int rc = tryInput(dir + "\\" + name);
        qrvtest::watchdog::End();
        if (rc != 0)
            return rc;
    }
    if (FilesOf(dir) != names)
        return Finding(5, "WROTE the batch folder changed\n");
    std::printf("done %zu files\n", names.size());
    return 0;
}

int FuzzMain(int argc, char **argv, bool withTarget,
             const std::function<int(const std::string &target, const std::string &dir)> &seeds,
             const std::function<int(const std::string &target, const std::string &dir, DWORD limitMs)> &run)
{
    AfxWinInit(::GetModuleHandleA(nullptr), nullptr, ::GetCommandLineA(), SW_HIDE);
    AfxOleInit();
    const int at = withTarget ? 3 : 2; // the folder's argument
    const std::string verb = argc > at ? argv[1] : "", target = withTarget && argc > at ? argv[2] : "";
    if (verb == "seeds")
        return seeds(target, argv[at]);
    if (verb == "run")
        return run(target, argv[at], argc > at + 1 ? DWORD(std::atoi(argv[at + 1])) : 20000);
    std::printf("usage: %s seeds %sDIR | run %sDIR [MS]\n", argv[0], withTarget ? "TARGET " : "",
                withTarget ? "TARGET " : "");
    return 2;
}
