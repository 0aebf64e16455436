#include "BrowseFixture.h"
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ole2.h>
#include <shellapi.h>
#include "browse/DropFiles.h"
#include "browse/FileList.h"

namespace filetest {

namespace {
// COM for the shell and OLE for the clipboard and drag and drop, once for the whole program.
struct OleEnvironment : ::testing::Environment {
    void SetUp() override { ::OleInitialize(nullptr); }
};
const ::testing::Environment* const g_ole = ::testing::AddGlobalTestEnvironment(new OleEnvironment);
}  // namespace

void WriteText(const std::string& path, const std::string& text)
{
    FILE* f = fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr) << path;
    fwrite(text.data(), 1, text.size(), f);
    fclose(f);
}

std::string ReadText(const std::string& path)
{
    std::string text;
    char buf[4096];
    if (FILE* f = fopen(path.c_str(), "rb")) {
        for (size_t n; (n = fread(buf, 1, sizeof(buf), f)) > 0;)
            text.append(buf, n);
        fclose(f);
    }
    return text;
}

bool Exists(const std::string& path) { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void RemoveFolder(const std::string& path)
{
    std::string from = path + '\0';
    SHFILEOPSTRUCTA op = {};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    ::SHFileOperationA(&op);
}

std::string Upper(std::string s)
{
    ::CharUpperBuffA(&s[0], static_cast<DWORD>(s.size()));
    return s;
}

Names FolderEntries(const std::string& folder)
{
    Names names;
    WIN32_FIND_DATAA fd;
    HANDLE h = ::FindFirstFileA((folder + "\\*").c_str(), &fd);
    for (BOOL more = h != INVALID_HANDLE_VALUE; more; more = ::FindNextFileA(h, &fd))
        if (strcmp(fd.cFileName, ".") && strcmp(fd.cFileName, ".."))
            names.push_back(fd.cFileName);
    if (h != INVALID_HANDLE_VALUE)
        ::FindClose(h);
    std::sort(names.begin(), names.end());
    return names;
}

CString MakeList(const Names& paths)
{
    CString list;
    for (const std::string& path : paths)
        CFileList::Append(list, path.c_str());
    return list;
}

Names Entries(const CString& list)
{
    Names entries;
    CFileList walk(list);
    for (CString entry; walk.GetNext(entry);)
        entries.push_back(entry.GetString());
    return entries;
}

HGLOBAL MakeDib(int w, int h)
{
    int stride = (w * 3 + 3) & ~3;
    HGLOBAL hDib = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(BITMAPINFOHEADER) + stride * h);
    BYTE* p = static_cast<BYTE*>(::GlobalLock(hDib));
    *reinterpret_cast<BITMAPINFOHEADER*>(p) = {sizeof(BITMAPINFOHEADER), w, h, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    for (int i = 0; i < stride * h; ++i)
        p[sizeof(BITMAPINFOHEADER) + i] = static_cast<BYTE>(i * 7);
    ::GlobalUnlock(hDib);
    return hDib;
}

BITMAPINFOHEADER BitmapHeader(const std::string& path)
{
    BITMAPINFOHEADER bih = {};
    std::string bmp = ReadText(path);
    if (bmp.size() >= 54 && bmp.compare(0, 2, "BM") == 0)
        memcpy(&bih, bmp.data() + 14, sizeof(bih));
    return bih;
}

void SetCtrl(bool down)
{
    BYTE keys[256];
    ::GetKeyboardState(keys);
    keys[VK_CONTROL] = down ? 0x80 : 0;
    ::SetKeyboardState(keys);
}

BOOL CNotifyRecorder::CreateTop(int cx, int cy)
{
    return CreateEx(0, nullptr, "Dateien", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, cx, cy, nullptr, nullptr);
}

int CNotifyRecorder::Count(UINT code) const
{
    return static_cast<int>(std::count_if(m_records.begin(), m_records.end(), [&](const Record& r) { return r.code == code; }));
}

LRESULT CNotifyRecorder::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // A control's own notifications (negative codes) are reflected back to it
    // by the framework and answered there; the socket's codes are answered here.
    LRESULT lResult = CWnd::WindowProc(message, wParam, lParam);
    if (message != WM_NOTIFY)
        return lResult;
    NMHDR* pHdr = reinterpret_cast<NMHDR*>(lParam);
    m_records.push_back({pHdr->hwndFrom, pHdr->idFrom, pHdr->code});
    return static_cast<int>(pHdr->code) > 0 && m_onNotify ? m_onNotify(pHdr) : lResult;
}

void TreeTestBase::SetUp()
{
    ASSERT_NE(g_ole, nullptr);
    ::CreateDirectoryA("C:\\qrv-browse", nullptr);
    m_root = std::string("C:\\qrv-browse\\") + ::testing::UnitTest::GetInstance()->current_test_info()->name();
    RemoveFolder(m_root);
    ASSERT_TRUE(::CreateDirectoryA(m_root.c_str(), nullptr)) << m_root;
    SetCtrl(false);
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_TREEVIEW_CLASSES};
    ::InitCommonControlsEx(&icc);
    ASSERT_TRUE(m_host.CreateTop(420, 640));
    ASSERT_TRUE(CreateTree());
}

void TreeTestBase::TearDown()
{
    SetCtrl(false);
    m_host.DestroyWindow();
    RemoveFolder(m_root);
    ::RemoveDirectoryA("C:\\qrv-browse");   // once no other test's folder is left in it
}

std::string TreeTestBase::Folder(const std::string& relative)
{
    std::string path = m_root + "\\" + relative;
    ::CreateDirectoryA(path.c_str(), nullptr);
    return path;
}

std::string TreeTestBase::File(const std::string& relative, const std::string& text)
{
    WriteText(m_root + "\\" + relative, text);
    return m_root + "\\" + relative;
}

HTREEITEM TreeTestBase::LoadRoot()
{
    CString root = m_root.c_str();
    m_treeBase.LoadTree(root);
    HTREEITEM hRoot = nullptr;   // the last one: loading again adds another top-level item
    for (HTREEITEM h = m_treeBase.GetRootItem(); h; h = m_treeBase.GetNextSiblingItem(h))
        if (Upper(Path(h)) == Upper(m_root))
            hRoot = h;
    return hRoot;
}

HTREEITEM TreeTestBase::Child(HTREEITEM hParent, const std::string& label)
{
    HTREEITEM h = hParent == TVI_ROOT ? m_treeBase.GetRootItem() : m_treeBase.GetChildItem(hParent);
    while (h && std::string(m_treeBase.GetItemText(h)) != label)
        h = m_treeBase.GetNextSiblingItem(h);
    return h;
}

Names TreeTestBase::Labels(HTREEITEM hParent)
{
    Names labels;
    HTREEITEM h = hParent == TVI_ROOT ? m_treeBase.GetRootItem() : m_treeBase.GetChildItem(hParent);
    for (; h; h = m_treeBase.GetNextSiblingItem(h))
        labels.push_back(std::string(m_treeBase.GetItemText(h)));
    return labels;
}

std::string TreeTestBase::Path(HTREEITEM hItem)
{
    CString path;
    return m_treeBase.GetItemPath(hItem, &path) ? std::string(path) : std::string();
}

CPoint TreeTestBase::Center(HTREEITEM hItem)
{
    CRect rc;
    m_treeBase.EnsureVisible(hItem);
    m_treeBase.GetItemRect(hItem, &rc, TRUE);
    return rc.CenterPoint();
}

static const DWORD kTreeStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT |
                                TVS_SHOWSELALWAYS;

BOOL ShellTreeTest::CreateTree() { return m_tree.Create(kTreeStyle, CRect(0, 0, 400, 600), &m_host, 100); }

void ShellTreeTest::MakeSampleTree()
{
    for (const char* folder : {"Bilder", "Übung", "leer"})
        Folder(folder);
    for (const char* name : {"Bilder\\x.bmp", "Bilder\\y.txt", "Übung\\Straße.PNG", "a.bmp", "B.BMP", "c.Png", "d.txt",
                             "noext", "Ärger.bmp"})
        File(name);
}

BOOL FileListTreeTest::CreateTree()
{
    BOOL ok = m_tree.CreateEx(WS_EX_ACCEPTFILES, kTreeStyle | TVS_EDITLABELS, CRect(0, 0, 400, 600), &m_host, 100);
    m_tree.SetFilterExt("*.txt;*.bmp");
    return ok;
}

void FileListTreeTest::Drop(const Names& files, CPoint pt, DWORD pFiles)
{
    HGLOBAL hDrop = CDropFiles::CreateBlock(MakeList(files));
    DROPFILES* pHdr = static_cast<DROPFILES*>(::GlobalLock(hDrop));
    pHdr->pt = pt;
    pHdr->pFiles = pFiles;
    ::GlobalUnlock(hDrop);
    ::SendMessageA(m_tree.m_hWnd, WM_DROPFILES, reinterpret_cast<WPARAM>(hDrop), 0);
}

void FileListTreeTest::BeginDrag(HTREEITEM hItem)
{
    NMTREEVIEWA drag = {};
    drag.hdr = {m_tree.m_hWnd, 100, static_cast<UINT>(TVN_BEGINDRAGA)};
    drag.itemNew.hItem = hItem;
    ::SendMessageA(m_host.m_hWnd, WM_NOTIFY, 100, reinterpret_cast<LPARAM>(&drag));
}

}
