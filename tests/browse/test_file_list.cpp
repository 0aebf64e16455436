// The file list tree on real folders: copying, moving, renaming, deleting,
// new folders, keys and notifications; dropping, dragging over and pasting
// files and bitmaps; and the filter combo box.
#include "browse/BitmapPaste.h"
#include "browse/FileFilterCombo.h"
#include "browse/NewFolderDlg.h"
#include "resources/resource.h"
#include "tests/browse/BrowseFixture.h"
#include "tests/support/DialogLayout.h"
#include "uiauto/ControlActions.h"
#include "uiauto/MessagePump.h"
#include "uiauto/ModalDriver.h"
#include "viewer/PlxDibInfo.h"

using namespace filetest;

// A host can create the shell tree by its class name, as a dialog's custom control.
TEST(TreeClasses, TheShellTreeIsCreatableByName)
{
    CObject *p = CRuntimeClass::CreateObject("CShellTree");
    ASSERT_NE(p, nullptr);
    EXPECT_TRUE(p->IsKindOf(RUNTIME_CLASS(CTreeCtrl)));
    EXPECT_STREQ(p->GetRuntimeClass()->m_lpszClassName, "CShellTree");
    delete p;
}

// Copied files show in an open folder at once, in a closed one when it is
// opened; over an existing file (confirmed) no second item is added; onto a
// file item they go into that file's folder; a missing file copies nothing.
// A move (of several files at once) takes the given items out; from a file
// that is gone nothing arrives. The file list is cut back to its first entry.
TEST_F(FileListTreeTest, CopyAndMoveShowTheFilesAtTheTarget)
{
    File("Bilder\\B.BMP", "alt");
    const std::string a = m_root + "\\a.bmp", b = File("B.BMP", "neu"), d = m_root + "\\d.txt";
    const std::string r = m_root + "\\Ärger.bmp";
    HTREEITEM hRoot = LoadRoot();
    HTREEITEM hOpen = Child(hRoot, "Bilder"), hClosed = Child(hRoot, "leer");
    ASSERT_TRUE(hOpen && hClosed);
    m_tree.Expand(hOpen, TVE_EXPAND);
    CString files = MakeList({d});
    EXPECT_EQ(1, m_tree.CopyFileItems(files, hOpen));
    files = MakeList({d, b});
    EXPECT_EQ(1, m_tree.CopyFileItems(files, hClosed));
    EXPECT_EQ(d, std::string(files.GetString(), files.GetLength()));
    EXPECT_EQ("neu", ReadText(m_root + "\\leer\\B.BMP"));
    EXPECT_FALSE(Expanded(hClosed));
    m_tree.Expand(hClosed, TVE_EXPAND);
    EXPECT_EQ((Names{"B.BMP", "d.txt"}), Labels(hClosed));
    qrvtest::ModalDriver driver([](HWND hDlg, qrvtest::ModalDriver &) { qrvtest::Click(hDlg, IDYES); });
    files = MakeList({b});
    EXPECT_EQ(1, m_tree.CopyFileItems(files, Child(hOpen, "x.bmp"))); // into the file's folder
    EXPECT_TRUE(driver.Join());
    EXPECT_EQ("neu", ReadText(m_root + "\\Bilder\\B.BMP"));
    EXPECT_EQ((Names{"B.BMP", "d.txt", "x.bmp", "y.txt"}), Labels(hOpen));
    CString none, missing = MakeList({m_root + "\\fehlt.txt"});
    EXPECT_EQ(0, m_tree.CopyFileItems(files, nullptr));
    EXPECT_EQ(0, m_tree.CopyFileItems(none, hOpen));
    EXPECT_EQ(0, m_tree.CopyFileItems(missing, hOpen));
    CPtrList items;
    items.AddTail(Child(hRoot, "a.bmp"));
    items.AddTail(Child(hRoot, "Ärger.bmp"));
    files = MakeList({a, r});
    EXPECT_EQ(1, m_tree.MoveFileItems(files, items, hOpen));
    EXPECT_FALSE(Exists(a) || Exists(r));
    EXPECT_EQ((Names{"B.BMP", "a.bmp", "d.txt", "x.bmp", "y.txt", "Ärger.bmp"}),
              FolderEntries(m_root + "\\Bilder"));
    EXPECT_EQ((Names{"Bilder", "leer", "Übung", "B.BMP", "d.txt"}), Labels(hRoot));
    EXPECT_EQ((Names{"a.bmp", "Ärger.bmp", "B.BMP", "d.txt", "x.bmp", "y.txt"}), Labels(hOpen));
    items.RemoveAll();
    files = MakeList({m_root + "\\gone.txt"});
    EXPECT_EQ(0, m_tree.MoveFileItems(files, items, hOpen));
}

// Renaming through the label editor is refused for the same or an empty
// text, a taken name, a name with separators and virtual items; otherwise the
// file gets the new name and the item's record follows. Ending the edit at
// once sends its end twice: a cancel stays a cancel.
TEST_F(FileListTreeTest, RenameThroughTheLabelEditor)
{
    HTREEITEM hRoot = LoadRoot();
    HTREEITEM hA = Child(hRoot, "d.txt");
    CString label = m_tree.GetItemText(hA);
    auto type = [&](const char *text, bool cancel = false) {
        EXPECT_EQ(1, m_tree.DoRenameItem(hA));
        CEdit *pEdit = m_tree.GetEditControl();
        ASSERT_NE(nullptr, pEdit);
        ::SetWindowTextA(pEdit->m_hWnd, text);
        ::SetFocus(pEdit->m_hWnd);
        if (cancel)
            m_tree.SendMessage(TVM_ENDEDITLABELNOW, TRUE, 0);
        else
            ::SendMessageA(pEdit->m_hWnd, WM_KEYDOWN, VK_RETURN, 0);
        qrvtest::PumpFor(50);
    };
    for (const char *text : {(const char *)label, "", "..\\weg.txt", "a.bmp"}) {
        type(text);
        EXPECT_STREQ(label, m_tree.GetItemText(hA)) << text;
    }
    EXPECT_TRUE(Exists(m_root + "\\d.txt") && Exists(m_root + "\\a.bmp"));
    EXPECT_FALSE(Exists("C:\\qrv-browse\\weg.txt"));
    EXPECT_EQ(nullptr, m_tree.EditLabel(m_tree.InsertItem("Virtuell", hRoot)));
    type("e.txt");
    EXPECT_STREQ("e.txt", m_tree.GetItemText(hA));
    EXPECT_EQ(m_root + "\\e.txt", Path(hA)); // the item's record follows
    type("f.txt", true);
    EXPECT_TRUE(Exists(m_root + "\\e.txt"));
    EXPECT_FALSE(Exists(m_root + "\\d.txt") || Exists(m_root + "\\f.txt"));
}

// The new-folder dialog shows its template: caption, the controls at their
// places in dialog units, the focus on the edit box. A new folder under a
// file item is made beside the file; cancelled, or with a name that leaves
// the folder, nothing is made.
TEST_F(FileListTreeTest, NewFolderUnderAFileItemIsMadeBesideTheFile)
{
    HTREEITEM hFolder = Child(LoadRoot(), "Bilder");
    m_tree.Expand(hFolder, TVE_EXPAND);
    std::string shown;
    CRect rcDlg, rcFirst, units(7, 15, 213, 47);
    LONG editStyle = 0;
    bool focusOnEdit = false;
    auto inspect = [&](HWND hDlg) {
        const HWND hEdit = qrvtest::Item(hDlg, IDC_NEW_FOLDER_NAME);
        GUITHREADINFO gti = {};
        gti.cbSize = sizeof(gti);
        ::GetGUIThreadInfo(::GetWindowThreadProcessId(hDlg, nullptr), &gti);
        focusOnEdit = gti.hwndFocus == hEdit;
        shown =
            qrvtest::Controls(hDlg) + qrvtest::LayoutFaults(hDlg, {-1, IDC_NEW_FOLDER_NAME, IDOK, IDCANCEL});
        rcFirst = qrvtest::Place(::GetWindow(hDlg, GW_CHILD));
        // The dialog manager draws an edit box's border as a sunken edge.
        const bool sunken = (::GetWindowLongA(hEdit, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) != 0;
        editStyle = ::GetWindowLongA(hEdit, GWL_STYLE) | (sunken ? WS_BORDER : 0);
        ::GetClientRect(hDlg, &rcDlg);
        ::MapDialogRect(hDlg, &units);
    };
    const struct {
        const char *name;
        HTREEITEM hItem;
        bool made;
    } cases[] = {
        {"Neu", Child(hFolder, "x.bmp"), true}, {nullptr, hFolder, false}, {"..\\draussen", hFolder, false}};
    for (const auto &c : cases) {
        qrvtest::ModalDriver driver(
            [&](HWND hDlg, qrvtest::ModalDriver &) {
                if (c.made)
                    inspect(hDlg);
                if (c.name)
                    qrvtest::Type(hDlg, IDC_NEW_FOLDER_NAME, c.name);
                qrvtest::Click(hDlg, c.name ? IDOK : IDCANCEL);
            },
            "Neuer Ordner");
        EXPECT_EQ(c.made, m_tree.DoNewFolder(c.hItem) != 0);
        EXPECT_TRUE(driver.Join());
    }
    EXPECT_EQ((Names{"Neu", "x.bmp", "y.txt"}), FolderEntries(m_root + "\\Bilder"));
    EXPECT_TRUE(Child(hFolder, "Neu"));
    EXPECT_FALSE(Exists(m_root + "\\draussen"));
    EXPECT_EQ(0, m_tree.DoNewFolder(nullptr));
    EXPECT_TRUE(focusOnEdit);
    EXPECT_EQ("Neuer Ordner|Static Name des neuen Ordners:|Edit |default &OK|push &Abbrechen", shown);
    EXPECT_EQ(units.TopLeft(), rcFirst.TopLeft()); // 7 units across, 15 down
    EXPECT_EQ(ES_AUTOHSCROLL | WS_BORDER, editStyle & (ES_AUTOHSCROLL | WS_BORDER));
    EXPECT_EQ(units.BottomRight(), rcDlg.BottomRight()); // client area 213 x 47 units
}

// Selecting, right-clicking and dragging items reach the target with their
// payloads; Delete removes a file (not a folder), Enter toggles a folder; the
// tree keeps these keys (and Ctrl combinations) from the dialog.
TEST_F(FileListTreeTest, NotificationsAndKeys)
{
    HTREEITEM hRoot = LoadRoot();
    HTREEITEM hA = Child(hRoot, "a.bmp"), hFolder = Child(hRoot, "Bilder");
    Names paths;
    HTREEITEM hMenuItem = nullptr;
    CPoint ptMenu;
    m_host.m_onNotify = [&](NMHDR *pHdr) -> LRESULT {
        EXPECT_EQ(m_tree.m_hWnd, pHdr->hwndFrom);
        EXPECT_EQ(100u, pHdr->idFrom);
        if (pHdr->code == FLN_FILESELECTED || pHdr->code == FLN_BEGINDRAG)
            paths.push_back(reinterpret_cast<NMFILELIST *>(pHdr)->pszPath);
        if (pHdr->code != FLN_CONTEXTMENU)
            return 0;
        NMFILELISTMENU *pMenu = reinterpret_cast<NMFILELISTMENU *>(pHdr);
        hMenuItem = pMenu->hItem;
        ptMenu = CPoint(pMenu->x, pMenu->y);
        return 42;
    };
    m_tree.SelectItem(hA);
    EXPECT_EQ(Names{m_root + "\\a.bmp"}, paths);
    // A right click: the item under the cursor becomes the selection; the target's answer is the result.
    CPoint pt = Center(hRoot);
    m_tree.ClientToScreen(&pt);
    ::SetCursorPos(pt.x, pt.y);
    NMHDR click = {m_tree.m_hWnd, 100, static_cast<UINT>(NM_RCLICK)};
    EXPECT_EQ(42, ::SendMessageA(m_host.m_hWnd, WM_NOTIFY, 100, reinterpret_cast<LPARAM>(&click)));
    EXPECT_EQ(hRoot, hMenuItem);
    EXPECT_EQ(pt, ptMenu);
    EXPECT_EQ(hRoot, m_tree.GetSelectedItem());
    EXPECT_EQ(1u, paths.size()); // a folder is not reported
    // A drag from a file announces its path; from a folder nothing.
    BeginDrag(hA);
    EXPECT_EQ(m_root + "\\a.bmp", paths.back());
    BeginDrag(hRoot);
    EXPECT_EQ(3u, paths.size()); // the selection, the drag's selection and its start
    EXPECT_EQ(hRoot, m_tree.GetSelectedItem());
    m_tree.SendMessage(WM_LBUTTONUP, 0, 0);
    m_tree.SelectItem(hA);
    m_tree.SendMessage(WM_KEYDOWN, VK_DELETE, 0);
    EXPECT_FALSE(Child(hRoot, "a.bmp"));
    m_tree.SelectItem(hFolder);
    m_tree.SendMessage(WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_TRUE(Expanded(hFolder));
    EXPECT_TRUE(Child(hFolder, "x.bmp"));
    m_tree.SendMessage(WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_FALSE(Expanded(hFolder));
    m_tree.SendMessage(WM_KEYDOWN, VK_DELETE, 0);
    EXPECT_TRUE(Child(hRoot, "Bilder"));
    m_tree.SelectItem(Child(hRoot, "d.txt"));
    MSG msg = {m_tree.m_hWnd, WM_KEYDOWN, VK_DELETE, 0, 0, {0, 0}};
    EXPECT_TRUE(m_tree.PreTranslateMessage(&msg)); // dispatched to the tree
    EXPECT_FALSE(Exists(m_root + "\\a.bmp") || Exists(m_root + "\\d.txt"));
    EXPECT_EQ((Names{"x.bmp", "y.txt"}), FolderEntries(m_root + "\\Bilder"));
    MSG other = {m_tree.m_hWnd, WM_KEYDOWN, 'A', 0, 0, {0, 0}};
    EXPECT_FALSE(m_tree.PreTranslateMessage(&other));
    SetCtrl(true);
    EXPECT_TRUE(m_tree.PreTranslateMessage(&other));
}

// A drop moves into the folder under the point (a file's folder when on a
// file), with Ctrl it copies; onto the dragged item's own folder, below the
// last item or as a malformed block nothing happens.
TEST_F(FileListTreeTest, DropMovesOrCopiesIntoTheFolderUnderThePoint)
{
    const std::string a = m_root + "\\a.bmp", d = m_root + "\\d.txt", x = m_root + "\\Bilder\\x.bmp";
    HTREEITEM hRoot = LoadRoot();
    HTREEITEM hTarget = Child(hRoot, "Bilder");
    m_tree.Expand(hTarget, TVE_EXPAND);
    Drop({a}, Center(hTarget), 8); // the list would start inside the header
    EXPECT_TRUE(Exists(a));
    BeginDrag(Child(hRoot, "a.bmp"));
    Drop({a}, Center(hTarget));
    EXPECT_EQ((Names{"a.bmp", "x.bmp", "y.txt"}), FolderEntries(m_root + "\\Bilder"));
    EXPECT_FALSE(Child(hRoot, "a.bmp"));
    EXPECT_TRUE(Child(hTarget, "a.bmp"));
    EXPECT_EQ(nullptr, m_tree.GetDropHilightItem());
    EXPECT_EQ(0u, m_tree.GetDragTimer());
    SetCtrl(true);
    Drop({d}, Center(Child(hTarget, "y.txt")));
    SetCtrl(false);
    EXPECT_TRUE(Child(hTarget, "d.txt"));
    EXPECT_TRUE(Exists(d));
    BeginDrag(Child(hTarget, "y.txt"));
    Drop({m_root + "\\Bilder\\y.txt"}, Center(hTarget));
    EXPECT_TRUE(Child(hTarget, "y.txt"));
    Drop({x}, CPoint(200, 590)); // below the last item, the root's d.txt
    EXPECT_EQ((Names{"a.bmp", "d.txt", "x.bmp", "y.txt"}), FolderEntries(m_root + "\\Bilder"));
}

// The drop target hands the drag's steps to the tree (and only to a file
// list tree): the item under the point is highlighted, Ctrl chooses a copy,
// data without dropped files is refused. The drag's timer runs until the
// button is released: resting on a closed folder for seven ticks opens it,
// near the bottom edge the tree scrolls every second tick.
TEST_F(FileListTreeTest, DragOverAndTheDragTimer)
{
    for (int i = 0; i < 60; ++i)
        File("f" + std::to_string(100 + i) + ".txt");
    HTREEITEM hRoot = LoadRoot();
    HTREEITEM hClosed = Child(hRoot, "Bilder"), hFile = Child(hRoot, "f100.txt");
    // CacheData offers the files as a dropped-files block.
    COleDataSource source, text;
    CString files = MakeList({"C:\\x\\a.txt", "C:\\x\\b.txt"});
    EXPECT_EQ(1, m_tree.CacheData(&source, files));
    text.CacheGlobalData(CF_TEXT, ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 8));
    COleDataObject withFiles, textOnly;
    withFiles.Attach(source.GetDataObject(), FALSE);
    textOnly.Attach(text.GetDataObject(), FALSE);
    EXPECT_EQ((Names{"C:\\x\\a.txt", "C:\\x\\b.txt"}), ReadFiles(withFiles.GetGlobalData(CF_HDROP)));
    CFileListDropTarget target;
    EXPECT_EQ(DROPEFFECT_MOVE, target.OnDragEnter(&m_tree, &withFiles, 0, Center(hClosed)));
    EXPECT_EQ(hClosed, m_tree.GetDropHilightItem());
    EXPECT_EQ(DROPEFFECT_COPY, target.OnDragOver(&m_tree, &withFiles, MK_CONTROL, Center(hFile)));
    EXPECT_EQ(hFile, m_tree.GetDropHilightItem());
    EXPECT_EQ(DROPEFFECT_NONE, target.OnDragOver(&m_tree, &textOnly, 0, Center(hClosed)));
    EXPECT_EQ(DROPEFFECT_NONE, target.OnDragOver(&m_host, &withFiles, 0, CPoint(5, 5)));
    target.OnDragLeave(&m_tree);
    EXPECT_EQ(nullptr, m_tree.GetDropHilightItem());
    UINT_PTR id = m_tree.GetDragTimer();
    ASSERT_NE(0u, id);
    auto restAt = [&](CPoint pt) {
        m_tree.ClientToScreen(&pt);
        ::SetCursorPos(pt.x, pt.y);
    };
    auto tick = [&](int n) {
        for (int i = 0; i < n; ++i)
            m_tree.SendMessage(WM_TIMER, id, 0);
    };
    restAt(Center(hClosed));
    tick(4);
    restAt(Center(hFile)); // passing over a file starts the count again
    tick(1);
    restAt(Center(hClosed));
    tick(6);
    EXPECT_FALSE(Expanded(hClosed));
    tick(1);
    EXPECT_TRUE(Expanded(hClosed));
    EXPECT_TRUE(Child(hClosed, "x.bmp"));
    CRect rc;
    m_tree.GetClientRect(&rc);
    restAt(CPoint(rc.Width() / 2, rc.bottom - 3));
    HTREEITEM hFirst = m_tree.GetFirstVisibleItem();
    int scrolls = 0;
    for (int i = 0; i < 6; ++i) {
        tick(1);
        scrolls += m_tree.GetFirstVisibleItem() != hFirst;
        hFirst = m_tree.GetFirstVisibleItem();
    }
    EXPECT_EQ(3, scrolls);
    EXPECT_NE(nullptr, m_tree.GetDropHilightItem());
    restAt(CPoint(rc.Width() / 2, rc.bottom + 200)); // outside the window nothing scrolls
    tick(4);
    EXPECT_EQ(hFirst, m_tree.GetFirstVisibleItem());
    m_tree.SendMessage(WM_TIMER, id + 7, 0); // other timers are not the drag's
    m_tree.SendMessage(WM_LBUTTONUP, 0, 0);
    EXPECT_EQ(0u, m_tree.GetDragTimer());
}

namespace {

bool PutOnClipboard(const std::vector<std::pair<UINT, HGLOBAL>> &formats)
{
    bool put = ::OpenClipboard(nullptr) && ::EmptyClipboard();
    for (const auto &f : formats)
        put = put && ::SetClipboardData(f.first, f.second);
    return ::CloseClipboard() && put;
}

// A bitmap with the image viewer's record of its base name and colour bits.
bool PutBitmap(const char *baseName, BYTE bits)
{
    sPLXDIBINFO info = {};
    CPlxDibInfo::SetNames(info, "C:\\bilder\\quelle.png", baseName);
    info.byColorBits = bits;
    return PutOnClipboard({{CF_DIB, MakeDib(6, 4)}, {CPlxDibInfo::GetFormat(), CPlxDibInfo::Write(info)}});
}

} // namespace

// Pasted files are copied into the folder; a bitmap is saved there under the
// record's base name at its colour bits, made safe, through the imaging
// control; without a record or a DIB, or onto a virtual item, nothing arrives.
TEST_F(FileListTreeTest, PastingFilesAndBitmaps)
{
    const std::string a = m_root + "\\a.bmp", b = m_root + "\\B.BMP", d = m_root + "\\d.txt";
    HTREEITEM hRoot = LoadRoot();
    HTREEITEM hTarget = Child(hRoot, "leer");
    m_tree.Expand(hTarget, TVE_EXPAND);
    ASSERT_TRUE(PutOnClipboard({{CF_HDROP, CDropFiles::CreateBlock(MakeList({a, b, d}))}}));
    EXPECT_EQ(0, m_tree.DoPaste(m_tree.InsertItem("Virtuell", hRoot)));
    EXPECT_EQ(1, m_tree.DoPaste(hTarget));
    EXPECT_EQ((Names{"B.BMP", "a.bmp", "d.txt"}), FolderEntries(m_root + "\\leer"));
    EXPECT_EQ((Names{"a.bmp", "B.BMP", "d.txt"}), Labels(hTarget));
    RemoveTree(m_root + "\\leer");
    Folder("leer");
    ASSERT_TRUE(PutBitmap("sonne", 4));
    EXPECT_EQ(1, m_tree.DoPaste(hTarget));
    std::string bmp = ReadText(m_root + "\\leer\\sonne.bmp");
    ASSERT_GE(bmp.size(), 54u);
    BITMAPINFOHEADER bih;
    memcpy(&bih, bmp.data() + 14, sizeof(bih));
    EXPECT_EQ(CSize(6, 4), CSize(bih.biWidth, bih.biHeight));
    EXPECT_EQ(4, bih.biBitCount);
    EXPECT_TRUE(Child(hTarget, "sonne.bmp"));
    EXPECT_EQ(nullptr, ::GetWindow(m_tree.m_hWnd, GW_CHILD)); // the imaging control that saved it is gone
    EXPECT_FALSE(CBitmapPaste::SaveDib(&m_tree, nullptr, (m_root + "\\x.bmp").c_str(), 8));
    ASSERT_TRUE(PutOnClipboard({{CF_DIB, MakeDib(6, 4)}}));
    EXPECT_EQ(0, m_tree.DoPaste(hTarget));
    for (const char *name : {"..\\..\\boese", "C:\\boese", "\\\\srv\\s\\boese", "..", "CON"}) {
        ASSERT_TRUE(PutBitmap(name, 8));
        m_tree.DoPaste(hTarget);
    }
    EXPECT_FALSE(Exists("C:\\boese.bmp"));
    EXPECT_FALSE(Exists("C:\\qrv-browse\\boese.bmp"));
    EXPECT_EQ(9u, FolderEntries(m_root).size()); // the sample tree's, nothing more
    EXPECT_EQ((Names{"C__boese.bmp", "_CON.bmp", "______boese.bmp", "__srv_s_boese.bmp", "sonne.bmp"}),
              FolderEntries(m_root + "\\leer")); // ".." is refused
}

// The combo box reports the item data of its selection to its parent, or
// to the target it is plugged into; without a selection -1.
TEST(FileFilterCombo, ReportsTheItemDataOfTheSelectionOrMinusOne)
{
    CNotifyRecorder parent, target;
    ASSERT_TRUE(parent.CreateTop() && target.CreateTop());
    CFileFilterCombo combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, CRect(10, 10, 200, 200), &parent, 77));
    combo.SetItemData(combo.AddString("Bitmaps (*.bmp)"), 0x1234);
    combo.SetItemData(combo.AddString("Alle Dateien (*.*)"), 0x5678);
    std::vector<std::pair<CWnd *, DWORD_PTR>> seen;
    for (CNotifyRecorder *pWnd : {&parent, &target})
        pWnd->m_onNotify = [&, pWnd](NMHDR *pHdr) -> LRESULT {
            if (pHdr->code == FFN_SELCHANGE && pHdr->idFrom == 77 && pHdr->hwndFrom == combo.m_hWnd)
                seen.push_back({pWnd, reinterpret_cast<NMFILEFILTER *>(pHdr)->dwItemData});
            return 0;
        };
    for (int sel : {1, -1}) {
        if (sel < 0)
            combo.PlugInTo(&target);
        combo.SetCurSel(sel);
        ::SendMessageA(parent.m_hWnd, WM_COMMAND, MAKEWPARAM(77, CBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(combo.m_hWnd));
    }
    const std::vector<std::pair<CWnd *, DWORD_PTR>> expected = {{&parent, 0x5678}, {&target, CB_ERR}};
    EXPECT_EQ(expected, seen);
}
