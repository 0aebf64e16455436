#include "ShellTreeFixture.h"
#include <shellapi.h>
#include "uiauto/MessagePump.h"

namespace qrvtest {


void WriteFile(const std::string& path, const std::string& text)
{
    HANDLE h = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE) << path;
    DWORD written = 0;
    ::WriteFile(h, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    ::CloseHandle(h);
}

void ShellTreeTest::SetUp()
{
    ASSERT_NE(filetest::g_oleEnvironment, nullptr);
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    ::CreateDirectoryA("C:\\qrv-browse", nullptr);
    m_root = std::string("C:\\qrv-browse\\") + info->name();
    RemoveFolder(m_root);
    ASSERT_TRUE(::CreateDirectoryA(m_root.c_str(), nullptr)) << m_root;

    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_TREEVIEW_CLASSES};
    ::InitCommonControlsEx(&icc);
    LPCSTR cls = AfxRegisterWndClass(0, ::LoadCursorA(nullptr, (LPCSTR)IDC_ARROW), (HBRUSH)(COLOR_WINDOW + 1));
    ASSERT_TRUE(m_host.CreateEx(0, cls, "Ordner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, 420, 640, nullptr, nullptr));
    ASSERT_TRUE(m_tree.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT |
                                  TVS_SHOWSELALWAYS,
                              CRect(0, 0, 400, 600), &m_host, 100));
}

void ShellTreeTest::TearDown()
{
    m_host.DestroyWindow();
    RemoveFolder(m_root);
    ::RemoveDirectoryA("C:\\qrv-browse");   // once no other test's folder is left in it
}

void ShellTreeTest::MakeSampleTree()
{
    ::CreateDirectoryA((m_root + "\\Bilder").c_str(), nullptr);
    ::CreateDirectoryA((m_root + "\\Übung").c_str(), nullptr);
    ::CreateDirectoryA((m_root + "\\leer").c_str(), nullptr);
    WriteFile(m_root + "\\Bilder\\x.bmp");
    WriteFile(m_root + "\\Bilder\\y.txt");
    WriteFile(m_root + "\\Übung\\Straße.PNG");
    for (const char* name : {"a.bmp", "B.BMP", "c.Png", "d.txt", "noext", "Ärger.bmp"})
        WriteFile(m_root + "\\" + name);
}

HTREEITEM ShellTreeTest::LoadRoot()
{
    CString path = m_root.c_str();
    m_tree.LoadTree(path);
    for (HTREEITEM h = m_tree.GetRootItem(); h; h = m_tree.GetNextSiblingItem(h))
        if (Upper(Path(h)) == Upper(m_root))
            return h;
    return nullptr;
}

HTREEITEM ShellTreeTest::Child(HTREEITEM hParent, const std::string& label)
{
    HTREEITEM h = hParent == TVI_ROOT ? m_tree.GetRootItem() : m_tree.GetChildItem(hParent);
    for (; h; h = m_tree.GetNextSiblingItem(h))
        if (std::string(m_tree.GetItemText(h)) == label)
            return h;
    return nullptr;
}

std::vector<std::string> ShellTreeTest::Labels(HTREEITEM hParent)
{
    std::vector<std::string> labels;
    HTREEITEM h = hParent == TVI_ROOT ? m_tree.GetRootItem() : m_tree.GetChildItem(hParent);
    for (; h; h = m_tree.GetNextSiblingItem(h))
        labels.push_back(std::string(m_tree.GetItemText(h)));
    return labels;
}

std::string ShellTreeTest::Path(HTREEITEM hItem)
{
    CString path;
    return m_tree.GetItemPath(hItem, &path) ? std::string(path) : std::string();
}

bool ShellTreeTest::Expanded(HTREEITEM hItem) { return (m_tree.GetItemState(hItem, TVIS_EXPANDED) & TVIS_EXPANDED) != 0; }

bool ShellTreeTest::ExpandedOnce(HTREEITEM hItem)
{
    return (m_tree.GetItemState(hItem, TVIS_EXPANDEDONCE) & TVIS_EXPANDEDONCE) != 0;
}

void ShellTreeTest::Reopen(HTREEITEM hItem)
{
    m_tree.Expand(hItem, TVE_COLLAPSE);
    m_tree.Expand(hItem, TVE_EXPAND);
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

}
