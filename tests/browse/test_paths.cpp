// From items to paths and back: item types and directories, the lookups
// among the items already in the tree, and opening the tree down to a path.
#include "tests/browse/BrowseFixture.h"
#include "uiauto/MessagePump.h"

using namespace qrvtest;

namespace {

struct MenuProbe
{
    int items = -1;
    volatile bool done = false;
};

// Waits for the popup menu, counts its entries and closes it with Escape.
DWORD WINAPI ReadAndCloseMenu(LPVOID pParam)
{
    auto* probe = static_cast<MenuProbe*>(pParam);
    for (int i = 0; i < 100; ++i) {
        if (HWND hMenuWnd = ::FindWindowA("#32768", nullptr)) {
            HMENU hMenu = reinterpret_cast<HMENU>(::SendMessageA(hMenuWnd, MN_GETHMENU, 0, 0));
            probe->items = hMenu ? ::GetMenuItemCount(hMenu) : 0;
            ::PostMessageA(hMenuWnd, WM_KEYDOWN, VK_ESCAPE, 0);
            break;
        }
        ::Sleep(50);
    }
    probe->done = true;
    return 0;
}

std::string DocumentsFolder()
{
    char path[MAX_PATH] = "";
    ::SHGetFolderPathA(nullptr, CSIDL_PERSONAL, nullptr, 0, path);
    return path;
}

}

TEST_F(ShellTreeTest, ItemTypesPathsDirectoriesAndLookups)
{
    MakeSampleTree();
    m_tree.SetFilterExt("*.bmp");
    HTREEITEM hRoot = LoadRoot();
    ASSERT_NE(hRoot, nullptr);
    HTREEITEM hBilder = Child(hRoot, "Bilder");
    HTREEITEM hFile = Child(hRoot, "a.bmp");
    ASSERT_NE(hFile, nullptr);

    EXPECT_EQ(m_tree.GetItemType(nullptr), 0);
    EXPECT_EQ(m_tree.GetItemType(hFile), 2);
    EXPECT_EQ(m_tree.GetItemType(hBilder), 3);
    EXPECT_TRUE(m_tree.IsFolderItem(hBilder));
    EXPECT_FALSE(m_tree.IsFolderItem(hFile));

    CString dir;
    ASSERT_EQ(m_tree.GetItemDirectory(hFile, &dir), 1);
    EXPECT_EQ(Upper(std::string(dir)), Upper(m_root + "\\")) << "a file's directory ends with a backslash";
    ASSERT_EQ(m_tree.GetItemDirectory(hBilder, &dir), 1);
    EXPECT_EQ(Upper(std::string(dir)), Upper(m_root + "\\Bilder"));

    CString out = "unverändert";
    EXPECT_EQ(m_tree.GetItemPath(nullptr, &out), 0);
    EXPECT_EQ(std::string(out), "unverändert");

    ASSERT_TRUE(m_tree.SelectItem(hFile));
    EXPECT_EQ(m_tree.GetSelectedFile(&out), 1);
    EXPECT_EQ(Upper(std::string(out)), Upper(m_root + "\\a.bmp"));
    EXPECT_EQ(m_tree.GetSelectedFolderPath(&out), 1);
    ASSERT_TRUE(m_tree.SelectItem(hBilder));
    out = "x";
    EXPECT_EQ(m_tree.GetSelectedFile(&out), 0);
    EXPECT_EQ(std::string(out), "x");
    EXPECT_EQ(m_tree.GetSelectedFolderPath(&out), 1);
    EXPECT_EQ(Upper(std::string(out)), Upper(m_root + "\\Bilder"));

    auto* pData = reinterpret_cast<tagID*>(m_tree.GetItemData(hFile));
    ASSERT_NE(pData, nullptr);
    EXPECT_EQ(m_tree.GetParentShellFolder(hFile), pData->lpsfParent);
    EXPECT_EQ(m_tree.GetFullyQualifiedID(hFile), pData->lpifq);
    EXPECT_EQ(m_tree.GetRelativeIDLIST(hFile), pData->lpifq) << "hosts get the full identifier here too";
    EXPECT_EQ(CShellPidl::GetSize(pData->lpi), pData->lpi->mkid.cb + 2u);
    EXPECT_GT(CShellPidl::GetSize(pData->lpifq), CShellPidl::GetSize(pData->lpi));

    // Lookups among the items already in the tree.
    m_tree.Expand(hBilder, TVE_EXPAND);

    CString file = (m_root + "\\Bilder\\x.bmp").c_str();
    EXPECT_EQ(m_tree.FindFolder(file, TVI_ROOT), hBilder);
    CString folder = (m_root + "\\bilder").c_str();
    EXPECT_EQ(m_tree.FindFolder(folder, TVI_ROOT), hRoot) << "without backslash the parent is meant";
    CString elsewhere = "C:\\nirgendwo\\x.bmp";
    EXPECT_EQ(m_tree.FindFolder(elsewhere, TVI_ROOT), nullptr);

    EXPECT_EQ(m_tree.GetTreeFileItem(file, hBilder), Child(hBilder, "x.bmp"));
    CString upper = Upper(std::string(file)).c_str();
    EXPECT_EQ(m_tree.GetTreeFileItem(upper, hBilder), Child(hBilder, "x.bmp"));
    CString missing = (m_root + "\\Bilder\\fehlt.bmp").c_str();
    EXPECT_EQ(m_tree.GetTreeFileItem(missing, hBilder), nullptr);

    // Rereading the folder of a file item.
    WriteText(m_root + "\\Bilder\\neu.bmp");
    m_tree.LoadFolder(Child(hBilder, "x.bmp"));
    EXPECT_EQ(Labels(hBilder), (std::vector<std::string>{"neu.bmp", "x.bmp"}));
    EXPECT_EQ(m_tree.GetSelectedItem(), hBilder);
}

TEST_F(ShellTreeTest, InsertPidlItemAndResetTreeByPath)
{
    MakeSampleTree();
    HTREEITEM hRoot = LoadRoot();
    CString path = (m_root + "\\d.txt").c_str();
    HTREEITEM hItem = m_tree.InsertPidlItem(path, hRoot, TVI_FIRST);
    ASSERT_NE(hItem, nullptr);
    EXPECT_EQ(std::string(m_tree.GetItemText(hItem)), "d.txt");
    EXPECT_EQ(m_tree.GetSelectedItem(), hItem);
    EXPECT_EQ(Labels(hRoot).back(), "d.txt") << "sorted after the folders, whatever insert-after says";
    EXPECT_EQ(Upper(Path(hItem)), Upper(std::string(path)));

    // Resetting by a path resets the open folder of the path.
    HTREEITEM hBilder = Child(hRoot, "Bilder");
    HTREEITEM hUebung = Child(hRoot, "Übung");
    m_tree.Expand(hBilder, TVE_EXPAND);
    m_tree.Expand(hUebung, TVE_EXPAND);
    ASSERT_TRUE(ExpandedOnce(hBilder));

    path = (m_root + "\\Bilder\\x.bmp").c_str();
    EXPECT_EQ(m_tree.ResetTree(TVI_ROOT, &path, nullptr), hBilder);
    EXPECT_FALSE(ExpandedOnce(hBilder));
    EXPECT_TRUE(ExpandedOnce(hUebung));

    CString other = "C:\\nirgendwo\\x.bmp";
    HTREEITEM hMarker = hUebung;
    EXPECT_EQ(m_tree.ResetTree(TVI_ROOT, &other, hMarker), hMarker) << "nothing reset: the passed result";

    EXPECT_NE(m_tree.ResetTree(TVI_ROOT, nullptr, nullptr), nullptr);
    EXPECT_FALSE(ExpandedOnce(hUebung));
    EXPECT_FALSE(ExpandedOnce(hRoot));
}

TEST_F(ShellTreeTest, TunnelTreeOpensTheFoldersOfAPathUnderADrive)
{
    MakeSampleTree();
    ::CreateDirectoryA((m_root + "\\Bilder\\tief").c_str(), nullptr);
    WriteText(m_root + "\\Bilder\\tief\\z.bmp");
    m_tree.SetFilterExt("*.bmp");
    m_tree.LoadTree();
    m_tree.TunnelTree((m_root + "\\Bilder\\tief\\z.bmp").c_str());
    HTREEITEM hSel = m_tree.GetSelectedItem();
    ASSERT_NE(hSel, nullptr);
    EXPECT_EQ(Upper(Path(hSel)), Upper(m_root + "\\Bilder\\tief")) << "the file itself is not searched";
    EXPECT_TRUE(Expanded(hSel));
    EXPECT_NE(Child(hSel, "z.bmp"), nullptr);

    // A path to a folder opens it only with a final backslash.
    m_tree.TunnelTree((m_root + "\\Übung\\").c_str());
    EXPECT_EQ(Upper(Path(m_tree.GetSelectedItem())), Upper(m_root + "\\Übung"));

    // Network and unknown paths change nothing.
    HTREEITEM hBefore = m_tree.GetSelectedItem();
    UINT nCount = m_tree.GetCount();
    m_tree.TunnelTree("\\\\server\\freigabe\\ordner\\datei.bmp");
    EXPECT_EQ(m_tree.GetSelectedItem(), hBefore);
    EXPECT_EQ(m_tree.GetCount(), nCount);
    m_tree.TunnelTree("Q:\\gibt\\es\\nicht.bmp");
    m_tree.TunnelTree("");
    m_tree.TunnelTree("relativ\\pfad.bmp");
}

TEST_F(ShellTreeTest, TheDocumentsFolderAndTheDesktop)
{
    std::string docs = DocumentsFolder();
    ASSERT_FALSE(docs.empty());
    std::string base = docs + "\\qrv-browse-tunnel";
    RemoveFolder(base);
    ::CreateDirectoryA(base.c_str(), nullptr);
    ::CreateDirectoryA((base + "\\innen").c_str(), nullptr);
    WriteText(base + "\\innen\\bild.png");
    m_tree.SetFilterExt("*.png");
    m_tree.LoadTree();
    m_tree.TunnelTree((base + "\\innen\\bild.png").c_str());
    HTREEITEM hSel = m_tree.GetSelectedItem();
    EXPECT_EQ(Upper(Path(hSel)), Upper(base + "\\innen"));
    EXPECT_NE(Child(hSel, "bild.png"), nullptr);
    RemoveFolder(base);

    std::string mine = docs + "\\qrv-browse-special";
    ::CreateDirectoryA(mine.c_str(), nullptr);
    m_tree.LoadTree(CSIDL_PERSONAL);
    HTREEITEM hMine = Child(TVI_ROOT, "qrv-browse-special");
    EXPECT_NE(hMine, nullptr) << "the documents' contents are the top level";
    EXPECT_EQ(m_tree.GetSelectedItem(), m_tree.GetRootItem());
    for (HTREEITEM h = m_tree.GetRootItem(); h; h = m_tree.GetNextSiblingItem(h))
        EXPECT_FALSE(Path(h).empty()) << "only file-system items in the documents";

    m_tree.LoadTree(0x7ff0);   // no such special folder: the desktop, with its virtual folders
    bool virtualTop = false;
    for (HTREEITEM h = m_tree.GetRootItem(); h; h = m_tree.GetNextSiblingItem(h))
        virtualTop = virtualTop || Path(h).empty();
    EXPECT_TRUE(virtualTop);
    RemoveFolder(mine);
}

TEST_F(ShellTreeTest, SearchTreeForSysFolderAndDriveItems)
{
    m_tree.LoadTree();
    HTREEITEM hFirstVirtual = nullptr;
    for (HTREEITEM h = m_tree.GetRootItem(); h && !hFirstVirtual; h = m_tree.GetNextSiblingItem(h))
        if (Path(h).empty())
            hFirstVirtual = h;
    ASSERT_NE(hFirstVirtual, nullptr) << "the desktop shows virtual folders";
    m_tree.SelectItem(nullptr);
    EXPECT_EQ(m_tree.SearchTree(TVI_ROOT, "sysFOLDER", CShellTree::FindByPath), 1);
    EXPECT_EQ(m_tree.GetSelectedItem(), hFirstVirtual);
    EXPECT_EQ(m_tree.SearchTree(TVI_ROOT, "kein solcher eintrag", CShellTree::FindByLabel), 0);

    HTREEITEM hFirst = m_tree.GetRootItem();
    ASSERT_NE(hFirst, nullptr);
    EXPECT_EQ(m_tree.GetDriveTreeItem(hFirst, "C:\\", 3), nullptr);
    EXPECT_EQ(m_tree.GetDriveTreeItem(nullptr, "C:\\", 1), nullptr);
    HTREEITEM hDrive = m_tree.GetDriveTreeItem(hFirst, "C:\\", 1);
    ASSERT_NE(hDrive, nullptr);
    EXPECT_EQ(Path(hDrive), "C:\\");
    EXPECT_EQ(m_tree.GetDriveTreeItem(hFirst, "c:\\", 1), nullptr) << "the drive text is compared as given";
}

TEST_F(ShellTreeTest, ClicksOnAFile)
{
    MakeSampleTree();
    m_tree.SetFilterExt("*.bmp");
    HTREEITEM hRoot = LoadRoot();
    HTREEITEM hFile = Child(hRoot, "a.bmp");
    HTREEITEM hFolder = Child(hRoot, "Bilder");
    m_tree.m_selected.clear();
    m_tree.SelectItem(hFolder);
    EXPECT_TRUE(m_tree.m_selected.empty()) << "folders are not reported";
    m_tree.SelectItem(hFile);
    ASSERT_EQ(m_tree.m_selected.size(), 1u);
    EXPECT_EQ(Upper(m_tree.m_selected[0]), Upper(m_root + "\\a.bmp"));

    CRect rc;
    ASSERT_TRUE(m_tree.GetItemRect(hFile, &rc, TRUE));
    LPARAM pos = MAKELPARAM(rc.left + 3, (rc.top + rc.bottom) / 2);
    m_tree.PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, pos);
    m_tree.PostMessage(WM_LBUTTONUP, 0, pos);
    PumpUntil([&] { return m_tree.m_selected.size() >= 2; }, 2000);
    ASSERT_EQ(m_tree.m_selected.size(), 2u);
    EXPECT_EQ(m_tree.m_selected[1], m_tree.m_selected[0]);
    EXPECT_EQ(m_tree.GetSelectedItem(), hFile);

    // A right click shows the shell's context menu for the item.
    ASSERT_TRUE(m_tree.GetItemRect(hFile, &rc, TRUE));
    CPoint pt((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
    CPoint screen = pt;
    m_tree.ClientToScreen(&screen);
    ::SetCursorPos(screen.x, screen.y);

    // The menu runs its own loop; a second thread reads and closes it.
    MenuProbe probe;
    HANDLE hThread = ::CreateThread(nullptr, 0, ReadAndCloseMenu, &probe, 0, nullptr);
    m_tree.PostMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(pt.x, pt.y));
    m_tree.PostMessage(WM_RBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    PumpUntil([&] { return probe.done; }, 8000);
    ::WaitForSingleObject(hThread, 2000);
    ::CloseHandle(hThread);
    PumpFor(100);
    EXPECT_GT(probe.items, 0);
    EXPECT_EQ(m_tree.GetSelectedItem(), hFile) << "the clicked item becomes the selection";
}

TEST_F(ShellTreeTest, BadPathsAndVanishedFoldersAnswerNone)
{
    MakeSampleTree();
    HTREEITEM hRoot = LoadRoot();
    UINT nCount = m_tree.GetCount();
    CString longPath = ("C:\\" + std::string(300, 'x') + "\\datei.bmp").c_str();
    CString missing = (m_root + "\\fehlt\\datei.bmp").c_str();
    for (CString* p : {&longPath, &missing}) {
        EXPECT_EQ(m_tree.CreatePidlData(*p), nullptr);
        EXPECT_EQ(m_tree.InsertPidlItem(*p, hRoot, TVI_LAST), nullptr);
        EXPECT_EQ(m_tree.GetTreeFileItem(*p, hRoot), nullptr);
        EXPECT_EQ(m_tree.FindFolder(*p, TVI_ROOT), nullptr);
        EXPECT_EQ(m_tree.ResetTree(TVI_ROOT, p, nullptr), nullptr);
        m_tree.LoadTree(*p);
        m_tree.TunnelTree(*p);
    }
    EXPECT_EQ(m_tree.GetCount(), nCount);
    CString empty;
    EXPECT_EQ(m_tree.CreatePidlData(empty), nullptr);
    CString root = "C:\\";
    EXPECT_EQ(m_tree.CreatePidlData(root), nullptr) << "a path needs a last component";

    // A folder deleted after it was listed.
    m_tree.SetFilterExt("*.bmp");
    HTREEITEM hBilder = Child(hRoot, "Bilder");
    ASSERT_NE(hBilder, nullptr);
    RemoveFolder(m_root + "\\Bilder");
    ASSERT_EQ(::GetFileAttributesA((m_root + "\\Bilder").c_str()), INVALID_FILE_ATTRIBUTES);

    m_tree.Expand(hBilder, TVE_EXPAND);
    EXPECT_EQ(m_tree.GetChildItem(hBilder), nullptr);
    m_tree.LoadFolderFileItems(hBilder);
    m_tree.LoadFolder(hBilder);
    EXPECT_EQ(m_tree.GetChildItem(hBilder), nullptr);
    CString gone = (m_root + "\\Bilder\\x.bmp").c_str();
    EXPECT_EQ(m_tree.GetTreeFileItem(gone, hBilder), nullptr);
    EXPECT_EQ(m_tree.InsertPidlItem(gone, hBilder, TVI_LAST), nullptr);
    m_tree.SetFilterExt("*.png");
    m_tree.TunnelTree(gone);
}
