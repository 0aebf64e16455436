#include "FuzzBatch.h"

#include <cstdio>

volatile LONG CFuzzBatch::s_step = 0;
DWORD CFuzzBatch::s_limit = 20000;

CFuzzBatch::CFuzzBatch(DWORD limitMs)
{
    s_limit = limitMs;
    ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    ::SetUnhandledExceptionFilter(OnCrash);
}

// Counts its own sleeps on one step instead of comparing tick counts taken on
// two threads: that comparison reported a 60 s hang after 7 s under Wine.
DWORD WINAPI CFuzzBatch::Watchdog(void*)
{
    LONG seen = -1;
    DWORD waited = 0;
    for (;;) {
        ::Sleep(100);
        const LONG step = s_step;
        waited = step == seen ? waited + 100 : 0;
        seen = step;
        if ((step & 1) && waited > s_limit) {
            std::printf("HANG after %lu ms\n", static_cast<unsigned long>(s_limit));
            std::fflush(stdout);
            ::ExitProcess(2);
        }
    }
}

// A crash ends the process at once with its code, instead of starting Wine's debugger.
LONG WINAPI CFuzzBatch::OnCrash(EXCEPTION_POINTERS* pInfo)
{
    std::printf("CRASH exception %08lx\n", static_cast<unsigned long>(pInfo->ExceptionRecord->ExceptionCode));
    std::fflush(stdout);
    ::ExitProcess(3);
}

std::vector<std::string> CFuzzBatch::FilesOf(const std::string& dir)
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

std::vector<uint8_t> CFuzzBatch::ReadBytes(const std::string& path)
{
    std::vector<uint8_t> bytes;
    if (FILE* f = std::fopen(path.c_str(), "rb")) {
        uint8_t buf[65536];
        size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, f)) > 0)
            bytes.insert(bytes.end(), buf, buf + n);
        std::fclose(f);
    }
    return bytes;
}

int CFuzzBatch::Run(const std::string& dir, const Try& tryInput)
{
    const std::vector<std::string> names = FilesOf(dir);
    ::CreateThread(nullptr, 0, Watchdog, nullptr, 0, nullptr);
    for (const std::string& name : names) {
        std::printf("input %s\n", name.c_str());
        std::fflush(stdout);
        ::InterlockedIncrement(&s_step);
        const int rc = tryInput(dir + "\\" + name);
        ::InterlockedIncrement(&s_step);
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
