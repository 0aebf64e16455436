// Fuzzes what other programs hand the library through the clipboard and the
// registry, one batch per process (a CFuzzBatch):
//   drop     a dropped-files block: read, then pasted into a folder of the file list tree
//   paste    a "PlxDibInfo" record beside a DIB, pasted into that folder as a bitmap
//   viewers  values of the viewer list's registry keys, loaded into a preview pane
// Rules besides no crash and no hang: a refused block leaves the caller's list
// and point as they were; a paste writes at most its files into the target
// folder (and the bitmap paste one file directly into the temporary folder),
// nothing into the source or batch folders; the viewer list makes only image
// viewers, no more than there are keys, and the pane shows a bitmap with the
// viewer that claims it or keeps its viewer.
//   fuzz_records seeds TARGET DIR      writes valid inputs
//   fuzz_records run TARGET DIR [MS]   tries each file of DIR, at most MS ms each
#include <afxwin.h>
#include <afxole.h>

#include <wincodec.h>

#include <atomic>
#include <cstdio>
#include <cstring>
#include <set>
#include <string>
#include <thread>

#include "browse/DropFiles.h"
#include "browse/FileList.h"
#include "browse/FileListTree.h"
#include "tests/fuzz/wine/FuzzBatch.h"
#include "uiauto/ModalDriver.h"
#include "tests/viewer/LeadTestFiles.h"
#include "viewer/MainViewerWnd.h"
#include "viewer/PlxDibInfo.h"
#include "viewer/ViewerList.h"

namespace {

const char kViewerKey[] = "Software\\QRV Fuzz\\Viewers";

std::string Temp()
{
    char temp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, temp);
    return temp;
}
// The folders outside the batch: files the blocks name, the paste target;
// one per target, so that targets may run side by side.
std::string g_target, g_base;
std::string Base()
{
    return g_base.empty() ? g_base = Temp() + "qrv-fuzz-" + g_target + "\\" : g_base;
}
// What the inputs did, for the batch's last line: read or made, and pasted or shown.
int g_accepted = 0, g_done = 0;
using leadtest::WriteBytes;

std::set<std::string> Listing(const std::string &dir)
{
    const std::vector<std::string> names = CFuzzBatch::FilesOf(dir);
    return std::set<std::string>(names.begin(), names.end());
}

void Empty(const std::string &dir)
{
    for (const std::string &name : CFuzzBatch::FilesOf(dir))
        ::DeleteFileA((dir + "\\" + name).c_str());
}

std::vector<uint8_t> Bytes(const void *p, size_t n)
{
    const uint8_t *b = static_cast<const uint8_t *>(p);
    return std::vector<uint8_t>(b, b + n);
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

// The shell's file operation may ask (a name twice in one block): every
// dialog of the fuzzing thread is cancelled, as a user would.
class CDialogCanceller {
public:
    explicit CDialogCanceller(DWORD threadId)
        : m_thread([this, threadId] {
              while (!m_stop) {
                  for (HWND h : qrvtest::ThreadDialogs(threadId))
                      ::PostMessageA(h, WM_COMMAND, IDCANCEL, 0);
                  ::Sleep(50);
              }
          })
    {
    }
    ~CDialogCanceller()
    {
        m_stop = true;
        m_thread.join();
    }

private:
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

// The host of the pastes: a file list tree over the base folder, with the target folder open.
class CPasteHost {
public:
    bool Create()
    {
        if (!m_host.CreateEx(0, AfxRegisterWndClass(0), "fuzz", WS_POPUP, 0, 0, 300, 300, nullptr, nullptr) ||
            !m_tree.CreateEx(0, WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 300), &m_host, 1))
            return false;
        CString root = Base().substr(0, Base().size() - 1).c_str();
        m_tree.SetFilterExt("*.*");
        m_tree.LoadTree(root);
        HTREEITEM hRoot = m_tree.GetRootItem();
        m_tree.Expand(hRoot, TVE_EXPAND);
        for (HTREEITEM h = m_tree.GetChildItem(hRoot); h; h = m_tree.GetNextSiblingItem(h))
            if (m_tree.GetItemText(h).CompareNoCase("ziel") == 0)
                m_hTarget = h;
        return m_hTarget != nullptr;
    }
    // Puts the blocks on the clipboard (the clipboard owns them then) and pastes.
    int Paste(const std::vector<std::pair<UINT, HGLOBAL>> &blocks)
    {
        if (!::OpenClipboard(m_host.m_hWnd))
            return -1;
        ::EmptyClipboard();
        for (const auto &b : blocks)
            if (!::SetClipboardData(b.first, b.second))
                ::GlobalFree(b.second);
        ::CloseClipboard();
        CDialogCanceller canceller(::GetCurrentThreadId());
        return m_tree.DoPaste(m_hTarget);
    }

private:
    CWnd m_host;
    CFileListTree m_tree;
    HTREEITEM m_hTarget = nullptr;
};

std::vector<uint8_t> DropBlock(const std::vector<std::string> &files, bool wide)
{
    std::vector<uint8_t> b(CDropFiles::kHeaderSize, 0);
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

// A DIB of w x h at 8 or 24 bits, packed.
std::vector<uint8_t> Dib(int w, int h, int bits)
{
    BITMAPINFOHEADER bih = {sizeof bih, w, h, 1, WORD(bits), BI_RGB, 0, 0, 0, 0, 0};
    std::vector<uint8_t> b = Bytes(&bih, sizeof bih);
    if (bits == 8)
        for (int i = 0; i < 256; ++i)
            b.insert(b.end(), {uint8_t(i), uint8_t(255 - i), uint8_t(i / 2), 0});
    const int stride = (w * bits + 31) / 32 * 4;
    for (int i = 0; i < stride * h; ++i)
        b.push_back(uint8_t(i * 7));
    return b;
}

// Paste input: the record's length (4 bytes), the record, then the DIB.
std::vector<uint8_t> PasteInput(const char *base, int bits, const std::vector<uint8_t> &dib)
{
    sPLXDIBINFO info = {};
    CPlxDibInfo::SetNames(info, "C:\\Bilder\\x.bmp", base);
    info.byColorBits = uint8_t(bits);
    const uint32_t n = sizeof info;
    std::vector<uint8_t> b = Bytes(&n, 4);
    const std::vector<uint8_t> rec = Bytes(&info, sizeof info), tail = dib;
    b.insert(b.end(), rec.begin(), rec.end());
    b.insert(b.end(), tail.begin(), tail.end());
    return b;
}

// Viewer input: entries of key number, value name number, value type, length, data.
void Value(std::vector<uint8_t> &b, int key, int name, DWORD type, const void *data, size_t n)
{
    b.insert(b.end(), {uint8_t(key), uint8_t(name), uint8_t(type), uint8_t(n)});
    const std::vector<uint8_t> d = Bytes(data, n);
    b.insert(b.end(), d.begin(), d.end());
}

int WriteSeeds(const std::string &target, const std::string &dir)
{
    g_target = target;
    const std::string src = Base() + "quelle\\";
    bool ok = true;
    if (target == "drop") {
        ok &= WriteBytes(dir + "\\two.drop", DropBlock({src + "a.txt", src + "b.bmp"}, false));
        ok &= WriteBytes(dir + "\\wide.drop", DropBlock({src + "a.txt", src + "b.bmp"}, true));
        ok &= WriteBytes(dir + "\\one.drop", DropBlock({src + "a.txt"}, false));
    } else if (target == "paste") {
        ok &= WriteBytes(dir + "\\rgb.paste", PasteInput("Bild", 4, Dib(9, 7, 24)));
        ok &= WriteBytes(dir + "\\pal.paste", PasteInput("Anlage 2", 8, Dib(6, 5, 8)));
    } else if (target == "viewers") {
        std::vector<uint8_t> b;
        const DWORD one = 1, style = 0x03000000, other = 7;
        const char info[] = "*.bmp;*.png;*.jpg|Bilder (*.bmp, *.png)";
        Value(b, 0, 0, REG_DWORD, &one, 4);
        Value(b, 0, 1, REG_DWORD, &style, 4);
        Value(b, 0, 2, REG_SZ, info, sizeof info);
        Value(b, 1, 0, REG_DWORD, &other, 4);
        Value(b, 1, 2, REG_SZ, "*.txt", 6);
        ok &= WriteBytes(dir + "\\two.viewers", b);
    } else {
        return 2;
    }
    return ok ? 0 : 1;
}

// Rules shared by the pastes: the source folder unchanged; the target holds
// only what the paste reported; both emptied for the next input.
int CheckFolders(const std::set<std::string> &sourceBefore, int pasted, size_t maxNew)
{
    const std::string target = Base() + "ziel";
    const size_t arrived = CFuzzBatch::FilesOf(target).size();
    int rc = 0;
    if (Listing(Base() + "quelle") != sourceBefore) {
        std::printf("WROTE the source folder changed\n");
        rc = 5;
    } else if ((pasted != 1 && arrived != 0) || arrived > maxNew) {
        std::printf("WROTE %zu files arrived in the target (paste answered %d)\n", arrived, pasted);
        rc = 5;
    }
    Empty(target);
    return rc;
}

int TryDrop(CPasteHost &host, const std::vector<uint8_t> &bytes, const std::set<std::string> &source)
{
    HGLOBAL h = Global(bytes.data(), bytes.size());
    CString files = "unverändert";
    POINT pt = {-7, -9};
    const BOOL read = CDropFiles::ReadBlock(h, files, &pt);
    if (!read && (files != "unverändert" || pt.x != -7 || pt.y != -9)) {
        ::GlobalFree(h);
        std::printf("KEPT a refused block changed the list or the point\n");
        return 4;
    }
    size_t count = 0;
    bool folders = false;
    g_accepted += read ? 1 : 0;
    if (read) {
        CFileList walk(files, files.GetLength());
        CString entry;
        while (walk.GetNext(entry)) {
            ++count;
            const DWORD attr = ::GetFileAttributesA(entry);
            folders |= attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_DIRECTORY);
            if (entry.GetLength() > MAX_PATH || entry.GetLength() < 3 ||
                !((entry[1] == ':' && entry[2] == '\\') || (entry[0] == '\\' && entry[1] == '\\'))) {
                ::GlobalFree(h);
                std::printf("READ an entry that is no full path: %s\n", entry.GetString());
                return 6;
            }
        }
    }
    // A damaged name may name a whole folder of the prefix (a parent of the
    // source): copying that measures only the disk, so such blocks are only read.
    if (folders) {
        ::GlobalFree(h);
        return 0;
    }
    const int pasted = host.Paste({{CF_HDROP, h}});
    g_done += pasted == 1 ? 1 : 0;
    return CheckFolders(source, pasted, count);
}

int TryPaste(CPasteHost &host, const std::vector<uint8_t> &bytes, const std::set<std::string> &source)
{
    uint32_t n = 0;
    if (bytes.size() >= 4)
        std::memcpy(&n, bytes.data(), 4);
    const size_t rest = bytes.size() >= 4 ? bytes.size() - 4 : 0, cut = n < rest ? n : rest;
    const uint8_t *p = bytes.data() + (bytes.size() >= 4 ? 4 : bytes.size());
    const std::set<std::string> tempBefore = Listing(Temp());
    const int pasted =
        host.Paste({{CPlxDibInfo::GetFormat(), Global(p, cut)}, {CF_DIB, Global(p + cut, rest - cut)}});
    // The bitmap is made in the temporary folder: at most one file there, a bitmap.
    int newTemp = 0;
    for (const std::string &name : Listing(Temp()))
        if (!tempBefore.count(name)) {
            ++newTemp;
            ::DeleteFileA((Temp() + name).c_str());
            if (name.size() < 4 || _stricmp(name.c_str() + name.size() - 4, ".bmp") != 0) {
                std::printf("WROTE %s into the temporary folder\n", name.c_str());
                return 5;
            }
        }
    g_accepted += newTemp;
    g_done += pasted == 1 ? 1 : 0;
    if (newTemp > 1) {
        std::printf("WROTE %d files into the temporary folder\n", newTemp);
        return 5;
    }
    return CheckFolders(source, pasted, 1);
}

// The values as the input says, under keys 0..3 of the viewer list's key.
size_t WriteViewerKeys(const std::vector<uint8_t> &bytes)
{
    ::RegDeleteTreeA(HKEY_CURRENT_USER, kViewerKey);
    static const char *const kNames[] = {"Type", "Style", "File Info", "Anderes"};
    std::set<int> keys;
    for (size_t at = 0; at + 4 <= bytes.size();) {
        const int key = bytes[at] % 4, name = bytes[at + 1] % 4;
        const DWORD type = bytes[at + 2] % 8;
        const size_t n = std::min<size_t>(bytes[at + 3], bytes.size() - at - 4);
        HKEY h = nullptr;
        const std::string path = std::string(kViewerKey) + "\\" + char('0' + key);
        if (::RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h,
                              nullptr) == ERROR_SUCCESS) {
            ::RegSetValueExA(h, kNames[name], 0, type, bytes.data() + at + 4, DWORD(n));
            ::RegCloseKey(h);
            keys.insert(key);
        }
        at += 4 + n;
    }
    return keys.size();
}

int TryViewers(const std::vector<uint8_t> &bytes, CWnd &parent, const std::string &picture)
{
    const size_t keys = WriteViewerKeys(bytes);
    CViewerList list;
    list.LoadFromRegistry(kViewerKey);
    int rc = 0;
    if (size_t(list.GetCount()) > keys) {
        std::printf("READ %d viewers from %zu keys\n", int(list.GetCount()), keys);
        rc = 6;
    }
    for (POSITION pos = list.GetHeadPosition(); pos && !rc;)
        if (list.GetNext(pos)->GetType() != 1) {
            std::printf("READ a viewer of another type than the image viewer\n");
            rc = 6;
        }
    CMainViewerWnd pane;
    if (!rc && pane.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 150), &parent, 2)) {
        pane.AddViewerList(&list);
        for (const char *path : {"a.bmp", "B.PNG", "x.", "ohne", "", ".bmp", "a.bmp.txt", "*.*"})
            pane.FindViewer(path);
        g_accepted += int(list.GetCount());
        // A viewer claiming bitmaps shows one, or (its window refused, as a
        // registry style may make it) fails and leaves the pane's viewer as it was.
        CViewerWnd *pFound = pane.FindViewer(picture.c_str());
        CViewerWnd *pBefore = pane.GetCurViewer();
        const int loaded = pFound ? pane.LoadFile(picture.c_str()) : 0;
        g_done += loaded ? 1 : 0;
        if (pFound && pane.GetCurViewer() != (loaded ? pFound : pBefore)) {
            std::printf("KEPT the pane's viewer is not the one that showed the bitmap or the one before\n");
            rc = 4;
        }
        pane.Reset();
        pane.DestroyWindow();
    }
    list.DeleteAll();
    return rc;
}

int Run(const std::string &target, const std::string &dir, DWORD limit)
{
    g_target = target;
    ::CreateDirectoryA(Base().c_str(), nullptr);
    for (const char *sub : {"quelle", "ziel"})
        ::CreateDirectoryA((Base() + sub).c_str(), nullptr);
    Empty(Base() + "ziel");
    if (!WriteBytes(Base() + "quelle\\a.txt", {'a'}) ||
        !leadtest::WriteWicFile(Base() + "quelle\\b.bmp", GUID_ContainerFormatBmp,
                                leadtest::GradientImage(5, 4), 96))
        return 11;
    const std::set<std::string> source = Listing(Base() + "quelle");
    // The paste's temporary folder of its own, so that only its files show there.
    const std::string temp = Base() + "temp\\";
    ::CreateDirectoryA(temp.c_str(), nullptr);
    Empty(temp);
    ::SetEnvironmentVariableA("TMP", temp.c_str());
    ::SetEnvironmentVariableA("TEMP", temp.c_str());
    CPasteHost host;
    if (target != "viewers" && !host.Create())
        return 10;
    CWnd parent;
    parent.CreateEx(0, AfxRegisterWndClass(0), "fuzz", WS_POPUP, 0, 0, 300, 300, nullptr, nullptr);
    const std::string picture = Base() + "quelle\\b.bmp";
    const int rc = CFuzzBatch(limit).Run(dir, [&](const std::string &path) {
        const std::vector<uint8_t> bytes = CFuzzBatch::ReadBytes(path);
        if (target == "drop")
            return TryDrop(host, bytes, source);
        if (target == "paste")
            return TryPaste(host, bytes, source);
        return TryViewers(bytes, parent, picture);
    });
    static const char *const kWhat[][2] = {
        {"blocks read", "pasted"}, {"bitmaps made", "pasted"}, {"viewers made", "keys showing a bitmap"}};
    const int k = target == "drop" ? 0 : target == "paste" ? 1 : 2;
    std::printf("%d %s, %d %s\n", g_accepted, kWhat[k][0], g_done, kWhat[k][1]);
    return rc;
}

} // namespace

int main(int argc, char **argv)
{
    return FuzzMain(argc, argv, true, WriteSeeds, Run);
}
