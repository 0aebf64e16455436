// From items to paths and back: item types and directories, the lookups
// among the items already in the tree, opening the tree down to a path, the
// desktop and the documents folder, and clicks on items.
#include <atomic>
#include <thread>
#include "tests/browse/BrowseFixture.h"
#include "uiauto/MessagePump.h"

using namespace qrvtest;

TEST_F(ShellTreeTest, ItemTypesPathsDirectoriesAndLookups)
{
    MakeSampleTree();
    m_tree.SetFilterExt("*.bmp");
    HTREEITEM hRoot = LoadRoot();
    ASSERT_NE(hRoot, nullptr);
    HTREEITEM hBilder = Child(hRoot, "Bilder"), hFile = Child(hRoot, "a.bmp");
    ASSERT_NE(hFile, nullptr);
    EXPECT_EQ(m_tree.GetItemType(nullptr), 0);
    EXPECT_EQ(m_tree.GetItemType(hFile), 2);
    EXPECT_EQ(m_tree.GetItemType(hBilder), 3);
    EXPECT_TRUE(m_tree.IsFolderItem(hBilder));
    EXPECT_FALSE(m_tree.IsFolderItem(hFile));

    CString dir, out = "unverändert";
    ASSERT_EQ(m_tree.GetItemDirectory(hFile, &dir), 1);
    EXPECT_EQ(Upper(std::string(dir)), Upper(m_root + "\\")) << "a file's directory ends with a backslash";
    ASSERT_EQ(m_tree.GetItemDirectory(hBilder, &dir), 1);
    EXPECT_EQ(Upper(std::string(dir)), Upper(m_root + "\\Bilder"));
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
    CString file = (m_root + "\\Bilder\\x.bmp").c_str(), folder = (m_root + "\\bilder").c_str();
    CString elsewhere = "C:\\nirgendwo\\x.bmp", upper = Upper(std::string(file)).c_str();
    CString missing = (m_root + "\\Bilder\\fehlt.bmp").c_str();
    EXPECT_EQ(m_tree.FindFolder(file, TVI_ROOT), hBilder);
    EXPECT_EQ(m_tree.FindFolder(folder, TVI_ROOT), hRoot) << "without backslash the parent is meant";
    EXPECT_EQ(m_tree.FindFolder(elsewhere, TVI_ROOT), nullptr);
    EXPECT_EQ(m_tree.GetTreeFileItem(file, hBilder), Child(hBilder, "x.bmp"));
    EXPECT_EQ(m_tree.GetTreeFileItem(upper, hBilder), Child(hBilder, "x.bmp"));
    EXPECT_EQ(m_tree.GetTreeFileItem(missing, hBilder), nullptr);

    // Rereading the folder of a file item.
    File("Bilder\\neu.bmp");
    m_tree.LoadFolder(Child(hBilder, "x.bmp"));
    EXPECT_EQ(Labels(hBilder), (Names{"neu.bmp", "x.bmp"}));
    EXPECT_EQ(m_tree.GetSelectedItem(), hBilder);

    // An item for a path is sorted after the folders, whatever insert-after says.
    CString path = (m_root + "\\d.txt").c_str();
    HTREEITEM hItem = m_tree.InsertPidlItem(path, hRoot, TVI_FIRST);
    ASSERT_NE(hItem, nullptr);
    EXPECT_EQ(m_tree.GetSelectedItem(), hItem);
    EXPECT_EQ(Labels(hRoot).back(), "d.txt");
    EXPECT_EQ(Upper(Path(hItem)), Upper(std::string(path)));

    // Resetting by a path resets the open folder of the path; without one every open folder.
    HTREEITEM hUebung = Child(hRoot, "Übung");
    m_tree.Expand(hUebung, TVE_EXPAND);
    ASSERT_TRUE(ExpandedOnce(hBilder));
    EXPECT_EQ(m_tree.ResetTree(TVI_ROOT, &file, nullptr), hBilder);
    EXPECT_FALSE(ExpandedOnce(hBilder));
    EXPECT_TRUE(ExpandedOnce(hUebung));
    EXPECT_EQ(m_tree.ResetTree(TVI_ROOT, &elsewhere, hUebung), hUebung) << "nothing reset: the passed result";
    EXPECT_NE(m_tree.ResetTree(TVI_ROOT, nullptr, nullptr), nullptr);
    EXPECT_FALSE(ExpandedOnce(hUebung));
    EXPECT_FALSE(ExpandedOnce(hRoot));
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
    CString empty, root = "C:\\";
    EXPECT_EQ(m_tree.CreatePidlData(empty), nullptr);
    EXPECT_EQ(m_tree.CreatePidlData(root), nullptr) << "a path needs a last component";

    // A folder deleted after it was listed.
    m_tree.SetFilterExt("*.bmp");
    HTREEITEM hBilder = Child(hRoot, "Bilder");
    ASSERT_NE(hBilder, nullptr);
    RemoveFolder(m_root + "\\Bilder");
    ASSERT_FALSE(Exists(m_root + "\\Bilder"));
    m_tree.Expand(hBilder, TVE_EXPAND);
    m_tree.LoadFolderFileItems(hBilder);
    m_tree.LoadFolder(hBilder);
    EXPECT_EQ(m_tree.GetChildItem(hBilder), nullptr);
    CString gone = (m_root + "\\Bilder\\x.bmp").c_str();
    EXPECT_EQ(m_tree.GetTreeFileItem(gone, hBilder), nullptr);
    EXPECT_EQ(m_tree.InsertPidlItem(gone, hBilder, TVI_LAST), nullptr);
    m_tree.SetFilterExt("*.png");
    m_tree.TunnelTree(gone);
}

// Tunnelling from the desktop opens the folders of a path under a drive or
// in the documents; the documents' contents can be the top level; unknown
// special folders give the desktop with its virtual folders.
TEST_F(ShellTreeTest, TunnelTreeAndTheSpecialFolders)
{
    MakeSampleTree();
    Folder("Bilder\\tief");
    File("Bilder\\tief\\z.bmp");
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
    hSel = m_tree.GetSelectedItem();
    UINT nCount = m_tree.GetCount();
    for (const char* path : {"\\\\server\\freigabe\\ordner\\datei.bmp", "Q:\\gibt\\es\\nicht.bmp", "", "relativ\\p.bmp"})
        m_tree.TunnelTree(path);
    EXPECT_EQ(m_tree.GetSelectedItem(), hSel);
    EXPECT_EQ(m_tree.GetCount(), nCount);

    char docs[MAX_PATH] = "";
    ASSERT_EQ(S_OK, ::SHGetFolderPathA(nullptr, CSIDL_PERSONAL, nullptr, 0, docs));
    std::string base = docs + std::string("\\qrv-browse-tunnel");
    RemoveFolder(base);
    ::CreateDirectoryA(base.c_str(), nullptr);
    ::CreateDirectoryA((base + "\\innen").c_str(), nullptr);
    WriteText(base + "\\innen\\bild.png");
    m_tree.SetFilterExt("*.png");
    m_tree.LoadTree();
    m_tree.TunnelTree((base + "\\innen\\bild.png").c_str());
    hSel = m_tree.GetSelectedItem();
    EXPECT_EQ(Upper(Path(hSel)), Upper(base + "\\innen"));
    EXPECT_NE(Child(hSel, "bild.png"), nullptr);

    m_tree.LoadTree(CSIDL_PERSONAL);
    EXPECT_NE(Child(TVI_ROOT, "qrv-browse-tunnel"), nullptr) << "the documents' contents are the top level";
    EXPECT_EQ(m_tree.GetSelectedItem(), m_tree.GetRootItem());
    for (HTREEITEM h = m_tree.GetRootItem(); h; h = m_tree.GetNextSiblingItem(h))
        EXPECT_FALSE(Path(h).empty()) << "only file-system items in the documents";
    RemoveFolder(base);

    // Unknown special folder: the desktop, with its virtual folders; a search by
    // path finds the first of them by its "SysFolder" mark, in any case.
    m_tree.LoadTree(0x7ff0);
    HTREEITEM hFirstVirtual = nullptr;
    for (HTREEITEM h = m_tree.GetRootItem(); h && !hFirstVirtual; h = m_tree.GetNextSiblingItem(h))
        hFirstVirtual = Path(h).empty() ? h : nullptr;
    ASSERT_NE(hFirstVirtual, nullptr);
    m_tree.SelectItem(nullptr);
    EXPECT_EQ(m_tree.SearchTree(TVI_ROOT, "sysFOLDER", CShellTree::FindByPath), 1);
    EXPECT_EQ(m_tree.GetSelectedItem(), hFirstVirtual);
    EXPECT_EQ(m_tree.SearchTree(TVI_ROOT, "kein solcher eintrag", CShellTree::FindByLabel), 0);

    HTREEITEM hFirst = m_tree.GetRootItem();
    EXPECT_EQ(m_tree.GetDriveTreeItem(hFirst, "C:\\", 3), nullptr);
    EXPECT_EQ(m_tree.GetDriveTreeItem(nullptr, "C:\\", 1), nullptr);
    HTREEITEM hDrive = m_tree.GetDriveTreeItem(hFirst, "C:\\", 1);
    ASSERT_NE(hDrive, nullptr);
    EXPECT_EQ(Path(hDrive), "C:\\");
    EXPECT_EQ(m_tree.GetDriveTreeItem(hFirst, "c:\\", 1), nullptr) << "the drive text is compared as given";
}

// Selecting or clicking a file reports it (a folder not); a right click
// selects the item and shows the shell's context menu for it.
TEST_F(ShellTreeTest, ClicksOnAFile)
{
    MakeSampleTree();
    m_tree.SetFilterExt("*.bmp");
    HTREEITEM hRoot = LoadRoot();
    HTREEITEM hFile = Child(hRoot, "a.bmp");
    m_tree.m_selected.clear();
    m_tree.SelectItem(Child(hRoot, "Bilder"));
    EXPECT_TRUE(m_tree.m_selected.empty()) << "folders are not reported";
    m_tree.SelectItem(hFile);
    ASSERT_EQ(m_tree.m_selected.size(), 1u);
    EXPECT_EQ(Upper(m_tree.m_selected[0]), Upper(m_root + "\\a.bmp"));

    CRect rc;
    ASSERT_TRUE(m_tree.GetItemRect(hFile, &rc, TRUE));
    LPARAM pos = MAKELPARAM(rc.left + 3, rc.CenterPoint().y);
    m_tree.PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, pos);
    m_tree.PostMessage(WM_LBUTTONUP, 0, pos);
    PumpUntil([&] { return m_tree.m_selected.size() >= 2; }, 2000);
    ASSERT_EQ(m_tree.m_selected.size(), 2u);
    EXPECT_EQ(m_tree.m_selected[1], m_tree.m_selected[0]);

    m_tree.SelectItem(hRoot);
    CPoint pt = rc.CenterPoint(), screen = pt;
    m_tree.ClientToScreen(&screen);
    ::SetCursorPos(screen.x, screen.y);
    // The menu runs its own loop; a second thread reads it and closes it with Escape.
    std::atomic<int> items(-1);
    std::atomic<bool> done(false);
    std::thread probe([&] {
        for (int i = 0; i < 100 && items < 0; ++i, ::Sleep(50))
            if (HWND hMenuWnd = ::FindWindowA("#32768", nullptr)) {
                HMENU hMenu = reinterpret_cast<HMENU>(::SendMessageA(hMenuWnd, MN_GETHMENU, 0, 0));
                items = hMenu ? ::GetMenuItemCount(hMenu) : 0;
                ::PostMessageA(hMenuWnd, WM_KEYDOWN, VK_ESCAPE, 0);
            }
        done = true;
    });
    m_tree.PostMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(pt.x, pt.y));
    m_tree.PostMessage(WM_RBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    PumpUntil([&] { return done.load(); }, 8000);
    probe.join();
    PumpFor(100);
    EXPECT_GT(items, 0);
    EXPECT_EQ(m_tree.GetSelectedItem(), hFile) << "the clicked item becomes the selection";
}
