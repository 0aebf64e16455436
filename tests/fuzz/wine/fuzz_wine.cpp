// Fuzzes the readers that need Windows under Wine: what other programs hand
// the library as files, through the clipboard and through the registry.
//   lead     files of every format loaded into an imaging control
//   drop     a dropped-files block: read, then pasted into a folder of the file list tree
//   paste    a "PlxDibInfo" record beside a DIB, pasted into that folder as a bitmap
//   viewers  values of the viewer list's registry keys, loaded into a preview pane
// One batch of damaged inputs runs in one process, so that Wine starts once
// per batch (tests/fuzz/wine.sh makes the batches). Each input's name is
// printed before it is tried, so a crash (exit code 3) or a hang (exit code
// 2, qrvtest::Watchdog) names its input; a broken rule is printed and ends
// the batch. Rules besides no crash and no hang: a file that does not load
// answers an error and leaves the held picture; a refused block leaves the
// caller's list and point as they were; a paste writes at most its files into
// the target folder (and the bitmap paste one file directly into the
// temporary folder), nothing into the source or batch folders; the viewer
// list makes only image viewers, no more than there are keys, and the pane
// shows a bitmap with the viewer that claims it or keeps its viewer.
//   fuzz_wine seeds TARGET DIR      writes valid inputs
//   fuzz_wine run TARGET DIR [MS [UNTIL]]  tries each file of DIR, at most MS ms each (default
//                                          20 s), none begun after UNTIL ms (default: all)
#include <afxwin.h>
#include <afxole.h>

#include <wincodec.h>

#include <algorithm>
#include <atomic>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <thread>

#include "browse/DropFiles.h"
#include "browse/FileList.h"
#include "browse/FileListTree.h"
#include "imaging/DibWriter.h"
#include "tests/support/Watchdog.h"
#include "tests/viewer/LeadTestFiles.h"
#include "uiauto/ControlActions.h"
#include "uiauto/ModalDriver.h"
#include "viewer/Lead.h"
#include "viewer/MainViewerWnd.h"
#include "viewer/PlxDibInfo.h"
#include "viewer/ViewerList.h"

namespace {

CWinApp theApp("qrv_fuzz");

using Bytes = std::vector<uint8_t>;
using leadtest::ReadBytes;
using leadtest::WriteBytes;

const char kViewerKey[] = "Software\\QRV Fuzz\\Viewers";

std::string Temp()
{
    char temp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, temp);
    return temp;
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

// Prints a broken rule (a printf format and its arguments) and answers rc.
int Finding(int rc, const char *format, ...)
{
    va_list args;
    va_start(args, format);
    std::vprintf(format, args);
    va_end(args);
    return rc;
}

// The folder outside the batch, for the files the blocks name and the paste
// target; one per target, so that targets may run side by side.
std::string g_base;
// What the inputs did, for the batch's last line: read or made, and pasted or shown.
int g_accepted = 0, g_done = 0;

void Empty(const std::string &dir)
{
    for (const std::string &name : FilesOf(dir))
        ::DeleteFileA((dir + "\\" + name).c_str());
}

void Append(Bytes &b, const void *p, size_t n)
{
    b.resize(b.size() + n);
    std::memcpy(b.data() + b.size() - n, p, n);
}

HGLOBAL Global(const uint8_t *p, size_t n)
{
    HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_SHARE, n ? n : 1);
    if (h && n) {
        std::memcpy(::GlobalLock(h), p, n);
        ::GlobalUnlock(h);
    }
    return h;
}

// What the inputs are tried in: a window, a file list tree over the base
// folder with its target folder open, the source folder's files, and an
// imaging control holding a known picture (kept outside the batch).
struct Batch {
    CWnd wnd;
    CFileListTree tree;
    HTREEITEM hTarget = nullptr;
    std::set<std::string> source;
    CLead lead;
    std::string known;
    qrv::img::Image held;

    bool Create()
    {
        known = g_base + "known.bmp";
        if (!wnd.CreateEx(0, AfxRegisterWndClass(0), "fuzz", WS_POPUP, 0, 0, 300, 300, nullptr, nullptr) ||
            !tree.CreateEx(0, WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 300), &wnd, 1) ||
            !lead.Create("", WS_CHILD, CRect(0, 0, 10, 10), &wnd, 3) ||
            !leadtest::WriteWicFile(known, GUID_ContainerFormatBmp, leadtest::GradientImage(7, 5), 96) ||
            lead.Load(known.c_str(), 0, 1, 1) != 0)
            return false;
        held = lead.GetImage();
        tree.SetFilterExt("*.*");
        CString root = g_base.substr(0, g_base.size() - 1).c_str();
        tree.LoadTree(root);
        tree.Expand(tree.GetRootItem(), TVE_EXPAND);
        hTarget = qrvtest::FindTreeItem(tree.m_hWnd, "ziel", tree.GetRootItem());
        return hTarget != nullptr;
    }

    // Puts the blocks on the clipboard (the clipboard owns them then) and pastes.
    int Paste(const std::vector<std::pair<UINT, HGLOBAL>> &blocks)
    {
        if (!::OpenClipboard(wnd.m_hWnd))
            return -1;
        ::EmptyClipboard();
        for (const auto &b : blocks)
            if (!::SetClipboardData(b.first, b.second))
                ::GlobalFree(b.second);
        ::CloseClipboard();
        // The shell's file operation may ask (a name twice in one block): every
        // dialog of this thread is cancelled meanwhile, as a user would.
        std::atomic<bool> stop{false};
        std::thread canceller([&stop, threadId = ::GetCurrentThreadId()] {
            for (; !stop; ::Sleep(50))
                for (HWND h : qrvtest::ThreadDialogs(threadId))
                    ::PostMessageA(h, WM_COMMAND, IDCANCEL, 0);
        });
        const int pasted = tree.DoPaste(hTarget);
        stop = true;
        canceller.join();
        return pasted;
    }
};

Bytes DropBlock(const std::vector<std::string> &files, bool wide)
{
    Bytes b(CDropFiles::kHeaderSize, 0);
    b[0] = CDropFiles::kHeaderSize;
    b[16] = wide ? 1 : 0;
    for (const std::string &f : files) {
        for (char c : f) {
            b.push_back(uint8_t(c));
            if (wide)
                b.push_back(0);
        }
        b.insert(b.end(), wide ? 2 : 1, 0);
    }
    b.insert(b.end(), wide ? 2 : 1, 0);
    return b;
}

// Paste input: the record's length (4 bytes), the record, then the picture as a packed DIB.
Bytes PasteInput(const char *base, int bits, const qrv::img::Image &picture)
{
    sPLXDIBINFO info = {};
    CPlxDibInfo::SetNames(info, "C:\\Bilder\\x.bmp", base);
    info.byColorBits = uint8_t(bits);
    const uint32_t n = sizeof info;
    Bytes b, dib;
    Append(b, &n, 4);
    Append(b, &info, sizeof info);
    qrv::img::DibWriter::Write(picture, dib);
    Append(b, dib.data(), dib.size());
    return b;
}

// Viewer input: entries of key number, value name number, value type, length, data.
void Value(Bytes &b, int key, int name, DWORD type, const void *data, size_t n)
{
    b.insert(b.end(), {uint8_t(key), uint8_t(name), uint8_t(type), uint8_t(n)});
    Append(b, data, n);
}

// Rules shared by the pastes: the source folder unchanged; the target holds
// only what the paste reported; both emptied for the next input.
int CheckFolders(const Batch &batch, int pasted, size_t maxNew)
{
    const std::string target = g_base + "ziel";
    const size_t arrived = FilesOf(target).size();
    int rc = 0;
    if (FilesOf(g_base + "quelle") != batch.source)
        rc = Finding(5, "WROTE the source folder changed\n");
    else if ((pasted != 1 && arrived != 0) || arrived > maxNew)
        rc = Finding(5, "WROTE %zu files arrived in the target (paste answered %d)\n", arrived, pasted);
    Empty(target);
    return rc;
}

// A file that does not load must answer an error and leave the held picture in place.
int TryLoad(Batch &batch, const std::string &path, const Bytes &)
{
    const short result = batch.lead.Load(path.c_str(), 0, 1, 1);
    if (result != 0) {
        g_done += 1;
        return batch.lead.GetImage() == batch.held
                   ? 0
                   : Finding(4, "KEPT the held picture was changed by a failed load (%d)\n", result);
    }
    ++g_accepted;
    return batch.lead.GetImage().Width() <= 0 || batch.lead.Load(batch.known.c_str(), 0, 1, 1) != 0 ? 12 : 0;
}

int TryDrop(Batch &batch, const std::string &, const Bytes &bytes)
{
    HGLOBAL h = Global(bytes.data(), bytes.size());
    CString files = "unverändert";
    POINT pt = {-7, -9};
    const BOOL read = CDropFiles::ReadBlock(h, files, &pt);
    int rc = 0;
    if (!read && (files != "unverändert" || pt.x != -7 || pt.y != -9))
        rc = Finding(4, "KEPT a refused block changed the list or the point\n");
    g_accepted += read ? 1 : 0;
    size_t count = 0;
    bool folders = false;
    CString entry;
    for (CFileList walk(files, files.GetLength()); read && !rc && walk.GetNext(entry); ++count) {
        const DWORD attr = ::GetFileAttributesA(entry);
        folders |= attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_DIRECTORY);
        if (entry.GetLength() > MAX_PATH || entry.GetLength() < 3 ||
            !((entry[1] == ':' && entry[2] == '\\') || (entry[0] == '\\' && entry[1] == '\\')))
            rc = Finding(6, "READ an entry that is no full path: %s\n", entry.GetString());
    }
    // A damaged name may name a whole folder of the prefix (a parent of the
    // source): copying that measures only the disk, so such blocks are only read.
    if (rc || folders) {
        ::GlobalFree(h);
        return rc;
    }
    const int pasted = batch.Paste({{CF_HDROP, h}});
    g_done += pasted == 1 ? 1 : 0;
    return CheckFolders(batch, pasted, count);
}

int TryPaste(Batch &batch, const std::string &, const Bytes &bytes)
{
    const size_t head = std::min<size_t>(bytes.size(), 4), rest = bytes.size() - head;
    uint32_t n = 0;
    if (head == 4)
        std::memcpy(&n, bytes.data(), 4);
    const size_t cut = std::min<size_t>(n, rest);
    const uint8_t *p = bytes.data() + head;
    const std::set<std::string> tempBefore = FilesOf(Temp());
    const int pasted =
        batch.Paste({{CPlxDibInfo::GetFormat(), Global(p, cut)}, {CF_DIB, Global(p + cut, rest - cut)}});
    // The bitmap is made in the temporary folder: at most one file there, a bitmap.
    int newTemp = 0;
    for (const std::string &name : FilesOf(Temp()))
        if (!tempBefore.count(name)) {
            ++newTemp;
            ::DeleteFileA((Temp() + name).c_str());
            if (name.size() < 4 || _stricmp(name.c_str() + name.size() - 4, ".bmp") != 0)
                return Finding(5, "WROTE %s into the temporary folder\n", name.c_str());
        }
    g_accepted += newTemp;
    g_done += pasted == 1 ? 1 : 0;
    if (newTemp > 1)
        return Finding(5, "WROTE %d files into the temporary folder\n", newTemp);
    return CheckFolders(batch, pasted, 1);
}

// The values as the input says, under keys 0..3 of the viewer list's key.
size_t WriteViewerKeys(const Bytes &bytes)
{
    ::RegDeleteTreeA(HKEY_CURRENT_USER, kViewerKey);
    static const char *const kNames[] = {"Type", "Style", "File Info", "Anderes"};
    std::set<int> keys;
    for (size_t at = 0; at + 4 <= bytes.size();) {
        const int key = bytes[at] % 4, name = bytes[at + 1] % 4;
        const DWORD type = bytes[at + 2] % 8;
        const size_t n = std::min<size_t>(bytes[at + 3], bytes.size() - at - 4);
        const std::string path = std::string(kViewerKey) + "\\" + char('0' + key);
        if (::RegSetKeyValueA(HKEY_CURRENT_USER, path.c_str(), kNames[name], type, bytes.data() + at + 4,
                              DWORD(n)) == ERROR_SUCCESS)
            keys.insert(key);
        at += 4 + n;
    }
    return keys.size();
}

int TryViewers(Batch &batch, const std::string &, const Bytes &bytes)
{
    const size_t keys = WriteViewerKeys(bytes);
    CViewerList list;
    list.LoadFromRegistry(kViewerKey);
    int rc = 0;
    if (size_t(list.GetCount()) > keys)
        rc = Finding(6, "READ %d viewers from %zu keys\n", int(list.GetCount()), keys);
    for (POSITION pos = list.GetHeadPosition(); pos && !rc;)
        if (list.GetNext(pos)->GetType() != 1)
            rc = Finding(6, "READ a viewer of another type than the image viewer\n");
    CMainViewerWnd pane;
    if (!rc && pane.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 150), &batch.wnd, 2)) {
        pane.AddViewerList(&list);
        for (const char *path : {"a.bmp", "B.PNG", "x.", "ohne", "", ".bmp", "a.bmp.txt", "*.*"})
            pane.FindViewer(path);
        g_accepted += int(list.GetCount());
        // A viewer claiming bitmaps shows one, or (its window refused, as a
        // registry style may make it) fails and leaves the pane's viewer as it was.
        const std::string picture = g_base + "quelle\\b.bmp";
        CViewerWnd *pFound = pane.FindViewer(picture.c_str());
        CViewerWnd *pBefore = pane.GetCurViewer();
        const int loaded = pFound ? pane.LoadFile(picture.c_str()) : 0;
        g_done += loaded ? 1 : 0;
        if (pFound && pane.GetCurViewer() != (loaded ? pFound : pBefore))
            rc = Finding(4,
                         "KEPT the pane's viewer is not the one that showed the bitmap or the one before\n");
        pane.Reset();
        pane.DestroyWindow();
    }
    list.DeleteAll();
    return rc;
}

// Viewer input: an image viewer under key 0, a viewer of another type under key 1.
Bytes ViewerInput()
{
    Bytes b;
    const DWORD one = 1, style = 0x03000000, other = 7;
    const char info[] = "*.bmp;*.png;*.jpg|Bilder (*.bmp, *.png)";
    Value(b, 0, 0, REG_DWORD, &one, 4);
    Value(b, 0, 1, REG_DWORD, &style, 4);
    Value(b, 0, 2, REG_SZ, info, sizeof info);
    Value(b, 1, 0, REG_DWORD, &other, 4);
    Value(b, 1, 2, REG_SZ, "*.txt", 6);
    return b;
}

bool WriteSeeds(const std::string &target, const std::string &dir)
{
    if (target == "lead")
        return leadtest::WritePictureFiles(dir + "\\", leadtest::GradientImage(23, 17),
                                           leadtest::IndexedImage(19, 13), 96);
    const std::string src = Temp() + "qrv-fuzz-" + target + "\\quelle\\";
    std::vector<std::pair<std::string, Bytes>> seeds;
    if (target == "drop")
        seeds = {{"two.drop", DropBlock({src + "a.txt", src + "b.bmp"}, false)},
                 {"wide.drop", DropBlock({src + "a.txt", src + "b.bmp"}, true)},
                 {"one.drop", DropBlock({src + "a.txt"}, false)}};
    else if (target == "paste")
        seeds = {{"rgb.paste", PasteInput("Bild", 4, leadtest::GradientImage(9, 7))},
                 {"pal.paste", PasteInput("Anlage 2", 8, leadtest::IndexedImage(6, 5))}};
    else if (target == "viewers")
        seeds = {{"two.viewers", ViewerInput()}};
    bool ok = !seeds.empty();
    for (const auto &seed : seeds)
        ok &= WriteBytes(dir + "\\" + seed.first, seed.second);
    return ok;
}

// The targets: what tries an input, and what g_accepted and g_done count.
const struct Target {
    const char *name;
    int (*tryInput)(Batch &batch, const std::string &path, const Bytes &bytes);
    const char *accepted, *done;
} kTargets[] = {{"lead", TryLoad, "loaded", "refused keeping the held picture"},
                {"drop", TryDrop, "blocks read", "pasted"},
                {"paste", TryPaste, "bitmaps made", "pasted"},
                {"viewers", TryViewers, "viewers made", "keys showing a bitmap"}};

// Tries the files of dir, each within limitMs, until untilMs have passed (0:
// all); 0, or the first broken rule's exit code. The folder must hold the same
// files afterwards (else exit code 5).
int RunBatch(const Target &target, const std::string &dir, DWORD limitMs, DWORD untilMs)
{
    g_base = Temp() + "qrv-fuzz-" + target.name + "\\";
    for (const char *sub : {"", "quelle", "ziel", "temp"})
        ::CreateDirectoryA((g_base + sub).c_str(), nullptr);
    Empty(g_base + "ziel");
    if (!WriteBytes(g_base + "quelle\\a.txt", {'a'}) ||
        !leadtest::WriteWicFile(g_base + "quelle\\b.bmp", GUID_ContainerFormatBmp,
                                leadtest::GradientImage(5, 4), 96))
        return 11;
    // The paste's temporary folder of its own, so that only its files show there.
    const std::string temp = g_base + "temp\\";
    Empty(temp);
    ::SetEnvironmentVariableA("TMP", temp.c_str());
    ::SetEnvironmentVariableA("TEMP", temp.c_str());
    Batch batch;
    batch.source = FilesOf(g_base + "quelle");
    if (!batch.Create())
        return 10;
    qrvtest::watchdog::Start(limitMs, 3, "");
    const std::set<std::string> names = FilesOf(dir);
    long i = 0;
    const DWORD started = ::GetTickCount();
    for (const std::string &name : names) {
        if (untilMs && ::GetTickCount() - started >= untilMs)
            break;
        std::printf("input %s\n", name.c_str());
        std::fflush(stdout);
        qrvtest::watchdog::Begin(i++);
        const std::string path = dir + "\\" + name;
        const int rc = target.tryInput(batch, path, ReadBytes(path));
        qrvtest::watchdog::End();
        if (rc != 0)
            return rc;
    }
    std::printf("%d %s, %d %s\n", g_accepted, target.accepted, g_done, target.done);
    if (FilesOf(dir) != names)
        return Finding(5, "WROTE the batch folder changed\n");
    std::printf("done %zu files\n", names.size());
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    AfxWinInit(::GetModuleHandleA(nullptr), nullptr, ::GetCommandLineA(), SW_HIDE);
    AfxOleInit();
    const std::string verb = argc > 3 ? argv[1] : "";
    const Target *target = std::find_if(std::begin(kTargets), std::end(kTargets), [&](const Target &t) {
        return argc > 3 && t.name == std::string(argv[2]);
    });
    if (verb == "seeds" && target != std::end(kTargets))
        return WriteSeeds(argv[2], argv[3]) ? 0 : 1;
    if (verb == "run" && target != std::end(kTargets))
        return RunBatch(*target, argv[3], argc > 4 ? DWORD(std::atoi(argv[4])) : 20000,
                        argc > 5 ? DWORD(std::atoi(argv[5])) : 0);
    std::printf("usage: %s seeds TARGET DIR | run TARGET DIR [MS [UNTIL]]; "
                "targets: lead drop paste viewers\n",
                argv[0]);
    return 2;
}
