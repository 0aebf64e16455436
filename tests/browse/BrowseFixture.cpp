#include "BrowseFixture.h"
#include <algorithm>
#include <cstdio>
#include <ole2.h>
#include <shellapi.h>
#include "browse/DropFiles.h"
#include "browse/FileList.h"

namespace filetest {

namespace {
class OleEnvironment : public ::testing::Environment
{
public:
    void SetUp() override { ::OleInitialize(nullptr); }
};
}  // namespace

const ::testing::Environment* const g_oleEnvironment = ::testing::AddGlobalTestEnvironment(new OleEnvironment);

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
    FILE* f = fopen(path.c_str(), "rb");
    if (!f)
        return text;
    char buf[4096];
    for (size_t n; (n = fread(buf, 1, sizeof(buf), f)) > 0;)
        text.append(buf, n);
    fclose(f);
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
    if (!s.empty())
        ::CharUpperBuffA(&s[0], static_cast<DWORD>(s.size()));
    return s;
}

std::vector<std::string> FolderEntries(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA fd;
    HANDLE h = ::FindFirstFileA((folder + "\\*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE)
        return names;
    do {
        std::string name = fd.cFileName;
        if (name != "." && name != "..")
            names.push_back(name);
    } while (::FindNextFileA(h, &fd));
    ::FindClose(h);
    std::sort(names.begin(), names.end());
    return names;
}

CString MakeList(const std::vector<std::string>& paths)
{
    CString list;
    for (const std::string& path : paths)
        CFileList::Append(list, path.c_str());
    return list;
}

std::vector<std::string> Entries(const CString& list)
{
    std::vector<std::string> entries;
    CFileList walk(list);
    CString entry;
    while (walk.GetNext(entry))
        entries.push_back(entry.GetString());
    return entries;
}

HGLOBAL MakeDib(int w, int h)
{
    int stride = (w * 3 + 3) & ~3;
    HGLOBAL hDib = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(BITMAPINFOHEADER) + stride * h);
    BYTE* p = static_cast<BYTE*>(::GlobalLock(hDib));
    BITMAPINFOHEADER* bih = reinterpret_cast<BITMAPINFOHEADER*>(p);
    bih->biSize = sizeof(BITMAPINFOHEADER);
    bih->biWidth = w;
    bih->biHeight = h;
    bih->biPlanes = 1;
    bih->biBitCount = 24;
    bih->biCompression = BI_RGB;
    for (int i = 0; i < stride * h; ++i)
        p[sizeof(BITMAPINFOHEADER) + i] = static_cast<BYTE>(i * 7);
    ::GlobalUnlock(hDib);
    return hDib;
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
    if (message != WM_NOTIFY)
        return CWnd::WindowProc(message, wParam, lParam);
    NMHDR* pHdr = reinterpret_cast<NMHDR*>(lParam);
    // A control's own notifications (negative codes) are reflected back to it
    // by the framework and answered there; the socket's codes are answered here.
    LRESULT lResult = CWnd::WindowProc(message, wParam, lParam);
    m_records.push_back({pHdr->hwndFrom, pHdr->idFrom, pHdr->code});
    if (static_cast<int>(pHdr->code) > 0 && m_onNotify)
        return m_onNotify(pHdr);
    return lResult;
}

void TreeTestBase::SetUp()
{
    ASSERT_NE(g_oleEnvironment, nullptr);
    ::CreateDirectoryA("C:\\qrv-browse", nullptr);
    m_root = std::string("C:\\qrv-browse\\") + ::testing::UnitTest::GetInstance()->current_test_info()->name();
    RemoveFolder(m_root);
    ASSERT_TRUE(::CreateDirectoryA(m_root.c_str(), nullptr)) << m_root;
    SetCtrl(false);
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_TREEVIEW_CLASSES};
    ::InitCommonControlsEx(&icc);
    ASSERT_TRUE(m_host.CreateTop(420, 640));
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
    std::string path = m_root + "\\" + relative;
    WriteText(path, text);
    return path;
}

HTREEITEM TreeTestBase::LoadRoot()
{
    CString path = m_root.c_str();
    m_treeBase.LoadTree(path);
    HTREEITEM hRoot = nullptr;   // the last one: loading again adds another top-level item
    for (HTREEITEM h = m_treeBase.GetRootItem(); h; h = m_treeBase.GetNextSiblingItem(h))
        if (Upper(Path(h)) == Upper(m_root))
            hRoot = h;
    return hRoot;
}

HTREEITEM TreeTestBase::Child(HTREEITEM hParent, const std::string& label)
{
    HTREEITEM h = hParent == TVI_ROOT ? m_treeBase.GetRootItem() : m_treeBase.GetChildItem(hParent);
    for (; h; h = m_treeBase.GetNextSiblingItem(h))
        if (std::string(m_treeBase.GetItemText(h)) == label)
            return h;
    return nullptr;
}

std::vector<std::string> TreeTestBase::Labels(HTREEITEM hParent)
{
    std::vector<std::string> labels;
    HTREEITEM h = hParent == TVI_ROOT ? m_treeBase.GetRootItem() : m_treeBase.GetChildItem(hParent);
    for (; h; h = m_treeBase.GetNextSiblingItem(h))
        labels.push_back(std::string(m_treeBase.GetItemText(h)));
    return labels;
}

int TreeTestBase::CountChildren(HTREEITEM hParent, const std::string& label)
{
    std::vector<std::string> labels = Labels(hParent);
    return static_cast<int>(std::count(labels.begin(), labels.end(), label));
}

std::string TreeTestBase::Path(HTREEITEM hItem)
{
    CString path;
    return m_treeBase.GetItemPath(hItem, &path) ? std::string(path) : std::string();
}

void TreeTestBase::Reopen(HTREEITEM hItem)
{
    m_treeBase.Expand(hItem, TVE_COLLAPSE);
    m_treeBase.Expand(hItem, TVE_EXPAND);
}

CPoint TreeTestBase::Center(HTREEITEM hItem)
{
    CRect rc;
    m_treeBase.EnsureVisible(hItem);
    m_treeBase.GetItemRect(hItem, &rc, TRUE);
    return rc.CenterPoint();
}

void ShellTreeTest::SetUp()
{
    TreeTestBase::SetUp();
    ASSERT_TRUE(m_tree.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT |
                                  TVS_SHOWSELALWAYS,
                              CRect(0, 0, 400, 600), &m_host, 100));
}

void ShellTreeTest::MakeSampleTree()
{
    for (const char* folder : {"Bilder", "Übung", "leer"})
        Folder(folder);
    for (const char* name : {"Bilder\\x.bmp", "Bilder\\y.txt", "Übung\\Straße.PNG", "a.bmp", "B.BMP", "c.Png", "d.txt",
                             "noext", "Ärger.bmp"})
        File(name);
}

std::vector<tagID*> ShellTreeTest::Records(HTREEITEM hParent)
{
    std::vector<tagID*> records;
    HTREEITEM h = hParent == TVI_ROOT ? m_tree.GetRootItem() : m_tree.GetChildItem(hParent);
    for (; h; h = m_tree.GetNextSiblingItem(h)) {
        if (auto* p = reinterpret_cast<tagID*>(m_tree.GetItemData(h)))
            records.push_back(p);
        std::vector<tagID*> below = Records(h);
        records.insert(records.end(), below.begin(), below.end());
    }
    return records;
}

void FileListTreeTest::SetUp()
{
    TreeTestBase::SetUp();
    ASSERT_TRUE(m_tree.CreateEx(WS_EX_ACCEPTFILES,
                                WS_CHILD | WS_VISIBLE | WS_BORDER | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT |
                                    TVS_SHOWSELALWAYS | TVS_EDITLABELS,
                                CRect(0, 0, 400, 600), &m_host, 100));
    m_tree.SetFilterExt("*.txt;*.bmp");
}

void FileListTreeTest::Drop(const std::vector<std::string>& files, CPoint pt)
{
    HGLOBAL hDrop = CDropFiles::CreateBlock(MakeList(files));
    DROPFILES* pHdr = static_cast<DROPFILES*>(::GlobalLock(hDrop));
    pHdr->pt = pt;
    ::GlobalUnlock(hDrop);
    ::SendMessageA(m_tree.m_hWnd, WM_DROPFILES, reinterpret_cast<WPARAM>(hDrop), 0);
}

}
