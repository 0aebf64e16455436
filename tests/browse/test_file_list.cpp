// The file list tree on real folders: copying and moving items, renaming in
// place, deleting, new folders, the keyboard and the notifications.
#include <gtest/gtest.h>

#include "browse/FileList.h"
#include "resources/resource.h"
#include "tests/browse/BrowseFixture.h"
#include "uiauto/ControlActions.h"
#include "uiauto/MessagePump.h"
#include "uiauto/ModalDriver.h"

using namespace filetest;

TEST(FileListTreeClass, ReportsItsOwnNameAndIsNotCreatableByName)
{
    CRuntimeClass* pClass = RUNTIME_CLASS(CFileListTree);
    EXPECT_STREQ("CFileListTree", pClass->m_lpszClassName);
    EXPECT_TRUE(pClass->IsDerivedFrom(RUNTIME_CLASS(CShellTree)));
    EXPECT_EQ(nullptr, pClass->CreateObject());
}

// Copied files show in an open folder at once, in a closed one when it is
// opened; over an existing file (confirmed) no second item is added; onto a
// file item they go into that file's folder.
TEST_F(FileListTreeTest, CopyShowsTheFilesAtTheTarget)
{
    Folder("offen");
    Folder("zu");
    File("offen\\b.bmp", "alt");
    std::string a = File("a.txt"), b = File("b.bmp", "neu");
    HTREEITEM hRoot = LoadRoot();
    HTREEITEM hOpen = Child(hRoot, "offen"), hClosed = Child(hRoot, "zu");
    ASSERT_TRUE(hOpen && hClosed);
    m_tree.Expand(hOpen, TVE_EXPAND);
    CString files = MakeList({a});
    EXPECT_EQ(1, m_tree.CopyFileItems(files, hOpen));
    EXPECT_TRUE(Exists(m_root + "\\offen\\a.txt"));
    EXPECT_TRUE(Child(hOpen, "a.txt"));

    files = MakeList({a, b});
    EXPECT_EQ(1, m_tree.CopyFileItems(files, hClosed));
    EXPECT_TRUE(Exists(m_root + "\\zu\\b.bmp"));
    EXPECT_FALSE(Expanded(hClosed));
    m_tree.Expand(hClosed, TVE_EXPAND);
    EXPECT_TRUE(Child(hClosed, "a.txt"));
    EXPECT_TRUE(Child(hClosed, "b.bmp"));

    qrvtest::ModalDriver driver([](HWND hDlg, qrvtest::ModalDriver&) { qrvtest::Click(hDlg, IDYES); });
    files = MakeList({b});
    EXPECT_EQ(1, m_tree.CopyFileItems(files, Child(hOpen, "a.txt")));   // into the file's folder
    EXPECT_TRUE(driver.Join());
    EXPECT_EQ("neu", ReadText(m_root + "\\offen\\b.bmp"));
    EXPECT_EQ(1, CountChildren(hOpen, "b.bmp"));

    CString none;
    EXPECT_EQ(0, m_tree.CopyFileItems(files, nullptr));
    EXPECT_EQ(0, m_tree.CopyFileItems(none, hOpen));
}

TEST_F(FileListTreeTest, MoveRemovesTheGivenItemsAndShowsTheFilesAtTheTarget)
{
    Folder("ziel");
    File("a.txt");
    HTREEITEM hRoot = LoadRoot();
    HTREEITEM hTarget = Child(hRoot, "ziel"), hA = Child(hRoot, "a.txt");
    ASSERT_TRUE(hTarget && hA);
    m_tree.Expand(hTarget, TVE_EXPAND);
    CPtrList items;
    items.AddTail(hA);
    CString files = MakeList({m_root + "\\a.txt"});
    EXPECT_EQ(1, m_tree.MoveFileItems(files, items, hTarget));
    EXPECT_FALSE(Exists(m_root + "\\a.txt"));
    EXPECT_FALSE(Child(hRoot, "a.txt"));
    EXPECT_TRUE(Child(hTarget, "a.txt"));

    // Nothing arrives from a file that is gone: the move answers 0.
    CPtrList none;
    files = MakeList({m_root + "\\gone.txt"});
    EXPECT_EQ(0, m_tree.MoveFileItems(files, none, hTarget));
}

namespace {

// Renames the item through the label editor: typed text, then Enter.
void TypeLabel(CFileListTree& tree, HTREEITEM hItem, const char* text)
{
    CEdit* pEdit = tree.EditLabel(hItem);
    ASSERT_NE(nullptr, pEdit);
    ::SetWindowTextA(pEdit->m_hWnd, text);
    ::SendMessageA(pEdit->m_hWnd, WM_KEYDOWN, VK_RETURN, 0);
    qrvtest::PumpFor(50);
}

}  // namespace

// Renaming through the label editor is refused for the same or an empty
// text, a taken name, a name with separators and virtual items; otherwise the
// file gets the new name and the item's record follows.
TEST_F(FileListTreeTest, RenameThroughTheLabelEditor)
{
    File("a.txt");
    File("b.txt");
    HTREEITEM hRoot = LoadRoot();
    HTREEITEM hA = Child(hRoot, "a.txt");
    CString label = m_tree.GetItemText(hA);
    for (const char* text : {(const char*)label, "", "..\\weg.txt", "b.txt"}) {
        TypeLabel(m_tree, hA, text);
        EXPECT_STREQ(label, m_tree.GetItemText(hA)) << text;
        EXPECT_TRUE(Exists(m_root + "\\a.txt")) << text;
    }
    EXPECT_FALSE(Exists("C:\\qrv-browse\\weg.txt"));
    EXPECT_EQ(nullptr, m_tree.EditLabel(m_tree.InsertItem("Virtuell", hRoot)));

    TypeLabel(m_tree, hA, "c.txt");
    EXPECT_STREQ("c.txt", m_tree.GetItemText(hA));
    EXPECT_FALSE(Exists(m_root + "\\a.txt"));
    EXPECT_TRUE(Exists(m_root + "\\c.txt"));
    EXPECT_EQ(m_root + "\\c.txt", Path(hA));   // the item's record follows

    // Ending the edit at once sends the end twice; a cancel stays a cancel.
    CEdit* pEdit = m_tree.EditLabel(hA);
    ASSERT_NE(nullptr, pEdit);
    ::SetWindowTextA(pEdit->m_hWnd, "d.txt");
    ::SetFocus(pEdit->m_hWnd);
    m_tree.SendMessage(TVM_ENDEDITLABELNOW, TRUE, 0);
    qrvtest::PumpFor(50);
    EXPECT_TRUE(Exists(m_root + "\\c.txt"));
    EXPECT_FALSE(Exists(m_root + "\\d.txt"));
    EXPECT_EQ(1, m_tree.DoRenameItem(hA));
    m_tree.SendMessage(TVM_ENDEDITLABELNOW, TRUE, 0);
}

TEST_F(FileListTreeTest, NewFolderUnderAFileItemIsMadeBesideTheFile)
{
    Folder("ordner");
    File("ordner\\a.txt");
    HTREEITEM hRoot = LoadRoot();
    HTREEITEM hFolder = Child(hRoot, "ordner");
    m_tree.Expand(hFolder, TVE_EXPAND);
    HTREEITEM hFile = Child(hFolder, "a.txt");
    ASSERT_TRUE(hFile);

    qrvtest::ModalDriver driver([](HWND hDlg, qrvtest::ModalDriver&) {
        qrvtest::Type(hDlg, IDC_NEW_FOLDER_NAME, "Neu");
        qrvtest::Click(hDlg, IDOK);
    }, "Neuer Ordner");
    EXPECT_NE(0, m_tree.DoNewFolder(hFile));
    EXPECT_TRUE(driver.Join());
    EXPECT_TRUE(Exists(m_root + "\\ordner\\Neu"));
    EXPECT_TRUE(Child(hFolder, "Neu"));

    // Cancelled, or a name that leaves the folder: nothing is made.
    qrvtest::ModalDriver cancel([](HWND hDlg, qrvtest::ModalDriver&) { qrvtest::Click(hDlg, IDCANCEL); });
    EXPECT_EQ(0, m_tree.DoNewFolder(hFolder));
    EXPECT_TRUE(cancel.Join());
    qrvtest::ModalDriver escape([](HWND hDlg, qrvtest::ModalDriver&) {
        qrvtest::Type(hDlg, IDC_NEW_FOLDER_NAME, "..\\draussen");
        qrvtest::Click(hDlg, IDOK);
    });
    EXPECT_EQ(0, m_tree.DoNewFolder(hFolder));
    EXPECT_TRUE(escape.Join());
    EXPECT_FALSE(Exists(m_root + "\\draussen"));
    EXPECT_EQ(0, m_tree.DoNewFolder(nullptr));
}

// Delete removes a file (not a folder), Enter toggles a folder; the tree
// keeps these keys (and Ctrl combinations) from the dialog.
TEST_F(FileListTreeTest, DeleteAndEnterKeys)
{
    Folder("ordner");
    File("ordner\\x.txt");
    File("a.txt");
    File("b.txt");
    HTREEITEM hRoot = LoadRoot();
    m_tree.SelectItem(Child(hRoot, "a.txt"));
    m_tree.SendMessage(WM_KEYDOWN, VK_DELETE, 0);
    EXPECT_FALSE(Exists(m_root + "\\a.txt"));
    EXPECT_FALSE(Child(hRoot, "a.txt"));

    HTREEITEM hFolder = Child(hRoot, "ordner");
    m_tree.SelectItem(hFolder);
    EXPECT_FALSE(Expanded(hFolder));
    m_tree.SendMessage(WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_TRUE(Expanded(hFolder));
    EXPECT_TRUE(Child(hFolder, "x.txt"));
    m_tree.SendMessage(WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_FALSE(Expanded(hFolder));
    m_tree.SendMessage(WM_KEYDOWN, VK_DELETE, 0);
    EXPECT_TRUE(Exists(m_root + "\\ordner\\x.txt"));
    EXPECT_TRUE(Child(hRoot, "ordner"));

    m_tree.SelectItem(Child(hRoot, "b.txt"));
    MSG msg = {m_tree.m_hWnd, WM_KEYDOWN, VK_DELETE, 0, 0, {0, 0}};
    EXPECT_TRUE(m_tree.PreTranslateMessage(&msg));
    EXPECT_FALSE(Exists(m_root + "\\b.txt"));   // dispatched to the tree
    MSG other = {m_tree.m_hWnd, WM_KEYDOWN, 'A', 0, 0, {0, 0}};
    EXPECT_FALSE(m_tree.PreTranslateMessage(&other));
    SetCtrl(true);
    EXPECT_TRUE(m_tree.PreTranslateMessage(&other));
}

TEST_F(FileListTreeTest, NotificationsCarryTheirCodesAndPayloads)
{
    File("a.txt");
    HTREEITEM hRoot = LoadRoot();
    HTREEITEM hA = Child(hRoot, "a.txt");
    std::vector<std::string> paths;
    HTREEITEM hMenuItem = nullptr;
    POINT ptMenu = {};
    m_host.m_onNotify = [&](NMHDR* pHdr) -> LRESULT {
        EXPECT_EQ(m_tree.m_hWnd, pHdr->hwndFrom);
        EXPECT_EQ(100u, pHdr->idFrom);
        if (pHdr->code == FLN_FILESELECTED || pHdr->code == FLN_BEGINDRAG)
            paths.push_back(reinterpret_cast<NMFILELIST*>(pHdr)->pszPath);
        if (pHdr->code == FLN_CONTEXTMENU) {
            NMFILELISTMENU* pMenu = reinterpret_cast<NMFILELISTMENU*>(pHdr);
            hMenuItem = pMenu->hItem;
            ptMenu = {pMenu->x, pMenu->y};
            return 42;
        }
        return 0;
    };

    m_tree.SelectItem(hA);
    EXPECT_EQ(1, m_host.Count(FLN_FILESELECTED));
    ASSERT_EQ(1u, paths.size());
    EXPECT_EQ(m_root + "\\a.txt", paths[0]);

    // A right click: the item under the cursor becomes the selection; the target's answer is the result.
    CPoint pt = Center(hRoot);
    m_tree.ClientToScreen(&pt);
    ::SetCursorPos(pt.x, pt.y);
    NMHDR click = {m_tree.m_hWnd, 100, static_cast<UINT>(NM_RCLICK)};
    EXPECT_EQ(42, ::SendMessageA(m_host.m_hWnd, WM_NOTIFY, 100, reinterpret_cast<LPARAM>(&click)));
    EXPECT_EQ(hRoot, hMenuItem);
    EXPECT_EQ(pt.x, ptMenu.x);
    EXPECT_EQ(pt.y, ptMenu.y);
    EXPECT_EQ(hRoot, m_tree.GetSelectedItem());

    // A drag from a file announces its path; from a folder nothing.
    NMTREEVIEWA drag = {};
    drag.hdr = {m_tree.m_hWnd, 100, static_cast<UINT>(TVN_BEGINDRAGA)};
    drag.itemNew.hItem = hA;
    ::SendMessageA(m_host.m_hWnd, WM_NOTIFY, 100, reinterpret_cast<LPARAM>(&drag));
    EXPECT_EQ(1, m_host.Count(FLN_BEGINDRAG));
    EXPECT_EQ(m_root + "\\a.txt", paths.back());
    drag.itemNew.hItem = hRoot;
    ::SendMessageA(m_host.m_hWnd, WM_NOTIFY, 100, reinterpret_cast<LPARAM>(&drag));
    EXPECT_EQ(1, m_host.Count(FLN_BEGINDRAG));
    EXPECT_EQ(hRoot, m_tree.GetSelectedItem());
}
