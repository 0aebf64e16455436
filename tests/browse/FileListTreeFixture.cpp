#include "FileListTreeFixture.h"
#include <shellapi.h>

#include "browse/DropFiles.h"
#include "tests/browse/FileTestSupport.h"
#include "uiauto/MessagePump.h"

namespace filetest {

void FileListTreeTest::SetUp()
{
    ASSERT_NE(g_oleEnvironment, nullptr);
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    ::CreateDirectoryA("C:\\qrv-filelist", nullptr);
    m_root = std::string("C:\\qrv-filelist\\") + info->name();
    RemoveFolder(m_root);
    ASSERT_TRUE(::CreateDirectoryA(m_root.c_str(), nullptr)) << m_root;
    SetCtrl(false);
    ASSERT_TRUE(m_host.CreateTop(420, 640));
    ASSERT_TRUE(m_tree.CreateEx(WS_EX_ACCEPTFILES,
                                WS_CHILD | WS_VISIBLE | WS_BORDER | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT |
                                    TVS_SHOWSELALWAYS | TVS_EDITLABELS,
                                CRect(0, 0, 400, 600), &m_host, 100));
}

void FileListTreeTest::TearDown()
{
    SetCtrl(false);
    m_host.DestroyWindow();
    RemoveFolder(m_root);
    ::RemoveDirectoryA("C:\\qrv-filelist");   // once no other test's folder is left in it
}

std::string FileListTreeTest::Folder(const std::string& relative)
{
    std::string path = m_root + "\\" + relative;
    ::CreateDirectoryA(path.c_str(), nullptr);
    return path;
}

std::string FileListTreeTest::File(const std::string& relative, const std::string& text)
{
    std::string path = m_root + "\\" + relative;
    WriteText(path, text);
    return path;
}

HTREEITEM FileListTreeTest::LoadRoot()
{
    m_tree.SetFilterExt("*.txt;*.bmp");
    CString path = m_root.c_str();
    m_tree.LoadTree(path);
    for (HTREEITEM h = m_tree.GetRootItem(); h; h = m_tree.GetNextSiblingItem(h))
        if (Upper(Path(h)) == Upper(m_root))
            return h;
    return nullptr;
}

std::string FileListTreeTest::Path(HTREEITEM hItem)
{
    CString path;
    return m_tree.GetItemPath(hItem, &path) ? std::string(path) : std::string();
}

HTREEITEM FileListTreeTest::Child(HTREEITEM hParent, const std::string& name)
{
    std::string tail = Upper("\\" + name);
    for (HTREEITEM h = m_tree.GetChildItem(hParent); h; h = m_tree.GetNextSiblingItem(h)) {
        std::string path = Upper(Path(h));
        if (path.size() >= tail.size() && path.compare(path.size() - tail.size(), tail.size(), tail) == 0)
            return h;
    }
    return nullptr;
}

int FileListTreeTest::CountChildren(HTREEITEM hParent, const std::string& name)
{
    int n = 0;
    for (HTREEITEM h = m_tree.GetChildItem(hParent); h; h = m_tree.GetNextSiblingItem(h)) {
        std::string path = Upper(Path(h));
        n += path.size() >= name.size() && path.compare(path.size() - name.size(), name.size(), Upper(name)) == 0;
    }
    return n;
}

bool FileListTreeTest::Expanded(HTREEITEM hItem)
{
    return (m_tree.GetItemState(hItem, TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
}

CPoint FileListTreeTest::Center(HTREEITEM hItem)
{
    CRect rc;
    m_tree.EnsureVisible(hItem);
    m_tree.GetItemRect(hItem, &rc, TRUE);
    return rc.CenterPoint();
}

void FileListTreeTest::Drop(const std::vector<std::string>& files, CPoint pt)
{
    HGLOBAL hDrop = CDropFiles::CreateBlock(MakeList(files));
    DROPFILES* pHdr = static_cast<DROPFILES*>(::GlobalLock(hDrop));
    pHdr->pt = pt;
    ::GlobalUnlock(hDrop);
    ::SendMessageA(m_tree.m_hWnd, WM_DROPFILES, reinterpret_cast<WPARAM>(hDrop), 0);
}

void FileListTreeTest::SetCtrl(bool down)
{
    BYTE keys[256];
    ::GetKeyboardState(keys);
    keys[VK_CONTROL] = down ? 0x80 : 0;
    ::SetKeyboardState(keys);
}

}
