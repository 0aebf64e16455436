// Loads every file of a folder into one imaging control, in one process so
// that Wine starts once per batch. Before each file the control holds a
// known picture; a file that does not load must answer an error and leave
// that picture in place. Each file's name is printed before it is loaded, so
// a crash or a hang (the watchdog ends the process) names its input.
//   fuzz_lead seeds DIR       writes valid files of every format
//   fuzz_lead run DIR [MS]    loads each file of DIR, at most MS ms each
#include <afxwin.h>

#include <wincodec.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/viewer/LeadTestFiles.h"
#include "viewer/Lead.h"

namespace {

class CFuzzApp : public CWinApp
{
public:
    CFuzzApp() : CWinApp("fuzz_lead") {}
};
CFuzzApp theApp;

// The number of the input being loaded (odd) or of the gap after it (even).
volatile LONG g_step = 0;
DWORD g_limit = 5000;

// Counts its own sleeps on one step instead of comparing tick counts taken on
// two threads: that comparison reported a 60 s hang after 7 s under Wine.
DWORD WINAPI Watchdog(void*)
{
    LONG seen = -1;
    DWORD waited = 0;
    for (;;) {
        ::Sleep(100);
        const LONG step = g_step;
        waited = step == seen ? waited + 100 : 0;
        seen = step;
        if ((step & 1) && waited > g_limit) {
            std::printf("HANG after %lu ms\n", static_cast<unsigned long>(g_limit));
            std::fflush(stdout);
            ::ExitProcess(2);
        }
    }
}

// A crash ends the process at once with its code, instead of starting Wine's debugger.
LONG WINAPI OnCrash(EXCEPTION_POINTERS* pInfo)
{
    std::printf("CRASH exception %08lx\n", static_cast<unsigned long>(pInfo->ExceptionRecord->ExceptionCode));
    std::fflush(stdout);
    ::ExitProcess(3);
}

int WriteSeeds(const std::string& dir)
{
    const qrv::img::Image rgb = leadtest::GradientImage(23, 17), indexed = leadtest::IndexedImage(19, 13);
    struct { const char* name; const GUID& container; bool indexed; } files[] = {
        {"a.png", GUID_ContainerFormatPng, false}, {"p.png", GUID_ContainerFormatPng, true},
        {"a.jpg", GUID_ContainerFormatJpeg, false}, {"p.gif", GUID_ContainerFormatGif, true},
        {"a.tif", GUID_ContainerFormatTiff, false}, {"p.tif", GUID_ContainerFormatTiff, true},
        {"a.bmp", GUID_ContainerFormatBmp, false}, {"p.bmp", GUID_ContainerFormatBmp, true}};
    bool ok = true;
    for (const auto& f : files)
        ok &= leadtest::WriteWicFile(dir + "\\" + f.name, f.container, f.indexed ? indexed : rgb, 96);
    ok &= leadtest::WriteEmfFile(dir + "\\a.emf");
    ok &= leadtest::WritePlaceableWmfFile(dir + "\\a.wmf");
    return ok ? 0 : 1;
}

std::vector<std::string> FilesOf(const std::string& dir)
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

int Run(const std::string& dir)
{
    CWnd host;
    host.CreateEx(0, AfxRegisterWndClass(0), "fuzz", WS_POPUP, 0, 0, 64, 64, nullptr, nullptr);
    CLead lead;
    if (!lead.Create("", WS_CHILD, CRect(0, 0, 10, 10), &host, 1))
        return 10;
    // The known picture lives outside the batch, in the process's temp folder.
    char temp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, temp);
    const std::string known = std::string(temp) + "fuzz_lead_known.bmp";
    if (!leadtest::WriteWicFile(known, GUID_ContainerFormatBmp, leadtest::GradientImage(7, 5), 96)
        || lead.Load(known.c_str(), 0, 1, 1) != 0)
        return 11;
    const qrv::img::Image held = lead.GetImage();
    const std::vector<std::string> names = FilesOf(dir);
    ::CreateThread(nullptr, 0, Watchdog, nullptr, 0, nullptr);
    int loaded = 0;
    for (const std::string& name : names) {
        std::printf("input %s\n", name.c_str());
        std::fflush(stdout);
        ::InterlockedIncrement(&g_step);
        const short result = lead.Load((dir + "\\" + name).c_str(), 0, 1, 1);
        ::InterlockedIncrement(&g_step);
        if (result == 0) {
            ++loaded;
            if (lead.GetImage().Width() <= 0 || lead.Load(known.c_str(), 0, 1, 1) != 0)
                return 12;
        } else if (!(lead.GetImage() == held)) {
            std::printf("KEPT the held picture was changed by a failed load (%d)\n", result);
            return 4;
        }
    }
    if (FilesOf(dir).size() != names.size()) {
        std::printf("WROTE the batch folder changed\n");
        return 5;
    }
    ::DeleteFileA(known.c_str());
    std::printf("done %zu files, %d loaded\n", names.size(), loaded);
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    AfxWinInit(::GetModuleHandleA(nullptr), nullptr, ::GetCommandLineA(), SW_HIDE);
    ::CoInitialize(nullptr);
    ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    ::SetUnhandledExceptionFilter(OnCrash);
    if (argc >= 3 && std::string(argv[1]) == "seeds")
        return WriteSeeds(argv[2]);
    if (argc >= 3 && std::string(argv[1]) == "run") {
        if (argc >= 4)
            g_limit = DWORD(std::atoi(argv[3]));
        return Run(argv[2]);
    }
    std::printf("usage: fuzz_lead seeds DIR | run DIR [MS]\n");
    return 2;
}
