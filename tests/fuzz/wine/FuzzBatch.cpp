#include <afxole.h>

#include "FuzzBatch.h"

#include <cstdio>
#include <cstdlib>

#include "tests/support/Watchdog.h"

namespace {
CWinApp theApp("qrv_fuzz");
}

CFuzzBatch::CFuzzBatch(DWORD limitMs)
{
    qrvtest::watchdog::Start(limitMs, 3, "");
}

std::vector<std::string> CFuzzBatch::FilesOf(const std::string &dir)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA fd;
    HANDLE h = ::FindFirstFileA((dir + "\\*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(fd.cFileName);
    } while (::FindNextFileA(h, &fd));
    ::FindClose(h);
    return names;
}

std::vector<uint8_t> CFuzzBatch::ReadBytes(const std::string &path)
{
    std::vector<uint8_t> bytes;
    if (FILE *f = std::fopen(path.c_str(), "rb")) {
        uint8_t buf[65536];
        size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, f)) > 0)
            bytes.insert(bytes.end(), buf, buf + n);
        std::fclose(f);
    }
    return bytes;
}

int CFuzzBatch::Run(const std::string &dir, const Try &tryInput)
{
    const std::vector<std::string> names = FilesOf(dir);
    for (size_t i = 0; i < names.size(); ++i) {
        std::printf("input %s\n", names[i].c_str());
        std::fflush(stdout);
        qrvtest::watchdog::Begin(long(i));
        const int rc = tryInput(dir + "\\" + names[i]);
        qrvtest::watchdog::End();
        if (rc != 0)
            return rc;
    }
    if (FilesOf(dir).size() != names.size()) {
        std::printf("WROTE the batch folder changed\n");
        return 5;
    }
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
