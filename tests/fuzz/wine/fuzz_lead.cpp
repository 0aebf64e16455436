// Loads every file of a folder into one imaging control (a batch, FuzzBatch.h).
// Before each file the control holds a known picture; a file that does not
// load must answer an error and leave that picture in place.
//   fuzz_lead seeds DIR       writes valid files of every format
//   fuzz_lead run DIR [MS]    loads each file of DIR, at most MS ms each
#include <afxwin.h>

#include <wincodec.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/fuzz/wine/FuzzBatch.h"
#include "tests/viewer/LeadTestFiles.h"
#include "viewer/Lead.h"

namespace {

int WriteSeeds(const std::string &, const std::string &dir)
{
    const qrv::img::Image rgb = leadtest::GradientImage(23, 17), indexed = leadtest::IndexedImage(19, 13);
    struct {
        const char *name;
        const GUID &container;
        bool indexed;
    } files[] = {{"a.png", GUID_ContainerFormatPng, false},  {"p.png", GUID_ContainerFormatPng, true},
                 {"a.jpg", GUID_ContainerFormatJpeg, false}, {"p.gif", GUID_ContainerFormatGif, true},
                 {"a.tif", GUID_ContainerFormatTiff, false}, {"p.tif", GUID_ContainerFormatTiff, true},
                 {"a.bmp", GUID_ContainerFormatBmp, false},  {"p.bmp", GUID_ContainerFormatBmp, true}};
    bool ok = true;
    for (const auto &f : files)
        ok &= leadtest::WriteWicFile(dir + "\\" + f.name, f.container, f.indexed ? indexed : rgb, 96);
    ok &= leadtest::WriteEmfFile(dir + "\\a.emf");
    ok &= leadtest::WritePlaceableWmfFile(dir + "\\a.wmf");
    return ok ? 0 : 1;
}

int Run(const std::string &, const std::string &dir, DWORD limit)
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
    if (!leadtest::WriteWicFile(known, GUID_ContainerFormatBmp, leadtest::GradientImage(7, 5), 96) ||
        lead.Load(known.c_str(), 0, 1, 1) != 0)
        return 11;
    const qrv::img::Image held = lead.GetImage();
    int loaded = 0;
    const int rc = RunBatch(dir, limit, [&](const std::string &path) {
        const short result = lead.Load(path.c_str(), 0, 1, 1);
        if (result == 0) {
            ++loaded;
            return lead.GetImage().Width() <= 0 || lead.Load(known.c_str(), 0, 1, 1) != 0 ? 12 : 0;
        }
        return lead.GetImage() == held
                   ? 0
                   : Finding(4, "KEPT the held picture was changed by a failed load (%d)\n", result);
    });
    ::DeleteFileA(known.c_str());
    std::printf("%d loaded\n", loaded);
    return rc;
}

} // namespace

int main(int argc, char **argv)
{
    return FuzzMain(argc, argv, false, WriteSeeds, Run);
}
