// The shell tree over real folders: which items a folder shows and when
// folders are read; from items to paths and back, opening the tree down to a
// path, the special folders, clicks; and the item records, from the shell's
// task allocator, each freed exactly once however its item goes.
#include <atomic>
#include <mutex>
#include <set>
#include <thread>
#include "tests/browse/BrowseFixture.h"
#include "uiauto/MessagePump.h"

using namespace filetest;
using namespace qrvtest;

// Only tokens with a real extension pass files, whatever the letter case;
// folders always show, files in name order however the folder enumerates
// them (Ärger.bmp is made last); a hidden extension still passes by the real one.
TEST_F(ShellTreeTest, FilterComparesExtensionsWithoutRegardToCase)
{
    const struct {
        const char *filter;
        const char *name;
        int shown;
    } cases[] = {
        {nullptr, "a.bmp", 0},                          // no filter yet
        {"*;bmp; ;;", "a.bmp", 0}, {"*.*", "a.bmp", 0}, // patterns are not wildcards
        {"*.*", "odd.*", 1},       {"*.bmp", "noext", 0}, {"*.bmp", "A.BmP", 1}, {"*.bmp", "a.bmpx", 0},
    };
    for (const auto &c : cases) {
        if (c.filter)
            m_tree.SetFilterExt(c.filter);
        EXPECT_EQ(c.shown, m_tree.Filter(c.name)) << c.filter << " " << c.name;
    }
    m_tree.SetFilterExt("*.bmp; *.PNG");
    HTREEITEM hRoot = LoadRoot();
    ASSERT_EQ(Labels(hRoot), (Names{"Bilder", "leer", "Übung", "a.bmp", "Ärger.bmp", "B.BMP", "c.Png"}));
    HTREEITEM hUebung = Child(hRoot, "Übung");
    m_tree.Expand(hUebung, TVE_EXPAND);
    EXPECT_EQ(Labels(hUebung), (Names{"Straße.PNG"}));
    EXPECT_EQ(m_tree.GetItemType(Child(hUebung, "Straße.PNG")), 2);
    // With known extensions hidden the label is the display name without extension.
    HKEY hKey = nullptr;
    ::RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced",
                      0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &hKey, nullptr);
    DWORD one = 1;
    ::RegSetValueExA(hKey, "HideFileExt", 0, REG_DWORD, reinterpret_cast<const BYTE *>(&one), sizeof(one));
    m_tree.SetFilterExt("*.txt");
    hRoot = LoadRoot();
    ::RegDeleteValueA(hKey, "HideFileExt");
    ::RegCloseKey(hKey);
    ASSERT_NE(Child(hRoot, "d"), nullptr);
    EXPECT_EQ(Upper(Path(Child(hRoot, "d"))), Upper(m_root + "\\d.txt"));
    EXPECT_EQ(Child(hRoot, "a"), nullptr);
}

// Unread folders can be opened. Changing the filter refreshes open folders at
// once and has closed ones read afresh when opened (the same filter in other
// letter case changes nothing); otherwise a folder is read once until it is
// reset. Expanding swaps the folder icons; an empty folder is marked expanded
// without children.
TEST_F(ShellTreeTest, WhenFoldersAreRead)
{
    m_tree.LoadTree(); // attaches the system image list
    HTREEITEM hRoot = LoadRoot();
    ASSERT_EQ(Labels(hRoot), (Names{"Bilder", "leer", "Übung"}));
    for (HTREEITEM h : Items(hRoot)) {
        EXPECT_EQ(m_tree.GetItemType(h), 3);
        EXPECT_TRUE(m_tree.ItemHasChildren(h));
    }
    HTREEITEM hBilder = Child(hRoot, "Bilder"), hUebung = Child(hRoot, "Übung");
    m_tree.Expand(hBilder, TVE_EXPAND);
    m_tree.Expand(hUebung, TVE_EXPAND);
    m_tree.Expand(hUebung, TVE_COLLAPSE);
    EXPECT_TRUE(Labels(hBilder).empty());
    ASSERT_TRUE(ExpandedOnce(hUebung));
    m_tree.SetFilterExt("*.txt");
    EXPECT_EQ(Labels(hBilder), (Names{"y.txt"}));
    EXPECT_EQ(Labels(hRoot), (Names{"Bilder", "leer", "Übung", "d.txt"}));
    EXPECT_EQ(Child(hRoot, "Bilder"), hBilder) << "folder items stay";
    EXPECT_FALSE(ExpandedOnce(hUebung));
    m_tree.SetFilterExt("*.TXT");
    EXPECT_EQ(Labels(hBilder), (Names{"y.txt"}));
    m_tree.SetFilterExt("*.png");
    EXPECT_TRUE(Labels(hBilder).empty());
    m_tree.Expand(hUebung, TVE_EXPAND);
    EXPECT_EQ(Labels(hUebung), (Names{"Straße.PNG"}));
    m_tree.SetFilterExt("*.bmp");
    EXPECT_EQ(Labels(hBilder), (Names{"x.bmp"}));
    File("Bilder\\neu.bmp");
    auto reopen = [&] { // as a user would reopen it
        m_tree.Expand(hBilder, TVE_COLLAPSE);
        m_tree.Expand(hBilder, TVE_EXPAND);
        return Labels(hBilder);
    };
    EXPECT_EQ(reopen(), (Names{"x.bmp"})) << "not read again";
    EXPECT_EQ(m_tree.ResetFolder(hBilder), 1);
    EXPECT_FALSE(ExpandedOnce(hBilder));
    EXPECT_EQ(reopen(), (Names{"neu.bmp", "x.bmp"}));
    auto images = [&](UINT action) { // the image and the selected one after the action
        m_tree.Expand(hBilder, action);
        int image = -1, selected = -1;
        m_tree.GetItemImage(hBilder, image, selected);
        return std::make_pair(image, selected);
    };
    auto closed = images(TVE_COLLAPSE), open = images(TVE_EXPAND);
    EXPECT_EQ(closed.first, closed.second);
    EXPECT_EQ(open.first, open.second);
    EXPECT_NE(open, closed);
    EXPECT_EQ(closed, images(TVE_COLLAPSE));
    EXPECT_NE(m_tree.GetImageList(TVSIL_NORMAL), nullptr);
    HTREEITEM hLeer = Child(hRoot, "leer");
    m_tree.Expand(hLeer, TVE_EXPAND);
    EXPECT_EQ(m_tree.GetChildItem(hLeer), nullptr);
    EXPECT_TRUE(Expanded(hLeer));
    EXPECT_TRUE(ExpandedOnce(hLeer));
    m_tree.Expand(hLeer, TVE_COLLAPSE); // a collapse clears the mark of an item without children
    EXPECT_FALSE(Expanded(hLeer));
}

TEST_F(ShellTreeTest, ItemTypesPathsDirectoriesAndLookups)
{
    m_tree.SetFilterExt("*.bmp");
    HTREEITEM hRoot = LoadRoot();
    HTREEITEM hBilder = Child(hRoot, "Bilder"), hFile = Child(hRoot, "a.bmp");
    ASSERT_NE(hFile, nullptr);
    EXPECT_EQ(m_tree.GetItemType(nullptr), 0);
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
    auto *pData = reinterpret_cast<tagID *>(m_tree.GetItemData(hFile));
    ASSERT_NE(pData, nullptr);
    EXPECT_EQ(m_tree.GetParentShellFolder(hFile), pData->lpsfParent);
    EXPECT_EQ(m_tree.GetFullyQualifiedID(hFile), pData->lpifq);
    EXPECT_EQ(m_tree.GetRelativeIDLIST(hFile), pData->lpifq) << "hosts get the full identifier here too";
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
    // Bad paths and a folder deleted after it was listed answer none, on a fresh load.
    m_tree.DeleteAllItems();
    hRoot = LoadRoot();
    UINT nCount = m_tree.GetCount();
    CString longPath = ("C:\\" + std::string(300, 'x') + "\\datei.bmp").c_str();
    CString noFolder = (m_root + "\\fehlt\\datei.bmp").c_str();
    for (CString *p : {&longPath, &noFolder}) {
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
    hBilder = Child(hRoot, "Bilder");
    ASSERT_NE(hBilder, nullptr);
    RemoveTree(m_root + "\\Bilder");
    ASSERT_FALSE(Exists(m_root + "\\Bilder"));
    m_tree.Expand(hBilder, TVE_EXPAND);
    m_tree.LoadFolderFileItems(hBilder);
    m_tree.LoadFolder(hBilder);
    EXPECT_EQ(m_tree.GetChildItem(hBilder), nullptr);
    EXPECT_EQ(m_tree.GetTreeFileItem(file, hBilder), nullptr);
    EXPECT_EQ(m_tree.InsertPidlItem(file, hBilder, TVI_LAST), nullptr);
    m_tree.SetFilterExt("*.png");
    m_tree.TunnelTree(file);
}

// Tunnelling from the desktop opens the folders of a path under a drive or
// in the documents; the documents' contents can be the top level; unknown
// special folders give the desktop with its virtual folders.
TEST_F(ShellTreeTest, TunnelTreeAndTheSpecialFolders)
{
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
    for (const char *path :
         {"\\\\server\\freigabe\\ordner\\datei.bmp", "Q:\\gibt\\es\\nicht.bmp", "", "relativ\\p.bmp"})
        m_tree.TunnelTree(path);
    EXPECT_EQ(m_tree.GetSelectedItem(), hSel);
    EXPECT_EQ(m_tree.GetCount(), nCount);
    char docs[MAX_PATH] = "";
    ASSERT_EQ(S_OK, ::SHGetFolderPathA(nullptr, CSIDL_PERSONAL, nullptr, 0, docs));
    std::string base = docs + std::string("\\qrv-browse-tunnel");
    RemoveTree(base);
    ::SHCreateDirectoryExA(nullptr, (base + "\\innen").c_str(), nullptr);
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
    RemoveTree(base);
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

// Clicking the selected file reports it again (selections: the file list
// tree's notifications); a right click selects the item and shows the
// shell's context menu for it.
TEST_F(ShellTreeTest, ClicksOnAFile)
{
    m_tree.SetFilterExt("*.bmp");
    HTREEITEM hRoot = LoadRoot();
    HTREEITEM hFile = Child(hRoot, "a.bmp");
    m_tree.SelectItem(hFile);
    m_tree.m_selected.clear();
    CRect rc;
    ASSERT_TRUE(m_tree.GetItemRect(hFile, &rc, TRUE));
    LPARAM pos = MAKELPARAM(rc.left + 3, rc.CenterPoint().y);
    m_tree.PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, pos);
    m_tree.PostMessage(WM_LBUTTONUP, 0, pos);
    PumpUntil([&] { return !m_tree.m_selected.empty(); }, 2000);
    EXPECT_EQ(Names{m_root + "\\a.bmp"}, m_tree.m_selected);
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

// A spy on the task allocator records which blocks are alive, which were
// freed since the last Reset and which were freed while not allocated.
namespace {

class MallocSpy : public IMallocSpy {
    using Lock = std::lock_guard<std::mutex>;

public:
    static MallocSpy &Instance() // registered once, on first use
    {
        static MallocSpy spy;
        static bool registered = SUCCEEDED(::CoRegisterMallocSpy(&spy));
        EXPECT_TRUE(registered);
        return spy;
    }
    void Reset()
    {
        Lock lock(m_mutex);
        m_freed.clear();
        m_doubleFreed.clear();
    }
    bool IsLive(const void *p)
    {
        Lock lock(m_mutex);
        return m_live.count(p) != 0;
    }
    // Freed since the last Reset, and never again while not allocated.
    bool FreedOnce(const void *p)
    {
        Lock lock(m_mutex);
        return m_freed.count(p) != 0 && m_doubleFreed.count(p) == 0;
    }
    size_t LiveCount()
    {
        Lock lock(m_mutex);
        return m_live.size();
    }
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void **ppv) override
    {
        *ppv = riid == IID_IUnknown || riid == IID_IMallocSpy ? static_cast<IMallocSpy *>(this) : nullptr;
        return *ppv ? S_OK : E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    SIZE_T STDMETHODCALLTYPE PreAlloc(SIZE_T cb) override { return cb; }
    void *STDMETHODCALLTYPE PostAlloc(void *p) override
    {
        Lock lock(m_mutex);
        if (p)
            m_live.insert(p);
        return p;
    }
    void *STDMETHODCALLTYPE PreFree(void *p, BOOL) override
    {
        Lock lock(m_mutex);
        if (p)
            (m_live.erase(p) ? m_freed : m_doubleFreed).insert(p);
        return p;
    }
    void STDMETHODCALLTYPE PostFree(BOOL) override {}
    SIZE_T STDMETHODCALLTYPE PreRealloc(void *p, SIZE_T cb, void **ppNew, BOOL) override
    {
        m_pReallocOld = *ppNew = p;
        return cb;
    }
    void *STDMETHODCALLTYPE PostRealloc(void *p, BOOL) override
    {
        Lock lock(m_mutex);
        m_live.erase(m_pReallocOld);
        if (p)
            m_live.insert(p);
        return p;
    }
    void *STDMETHODCALLTYPE PreGetSize(void *p, BOOL) override { return p; }
    SIZE_T STDMETHODCALLTYPE PostGetSize(SIZE_T cb, BOOL) override { return cb; }
    void *STDMETHODCALLTYPE PreDidAlloc(void *p, BOOL) override { return p; }
    int STDMETHODCALLTYPE PostDidAlloc(void *, BOOL, int fActual) override { return fActual; }
    void STDMETHODCALLTYPE PreHeapMinimize() override {}
    void STDMETHODCALLTYPE PostHeapMinimize() override {}

private:
    std::mutex m_mutex;
    std::set<const void *> m_live, m_freed, m_doubleFreed;
    void *m_pReallocOld = nullptr;
};

class RecordTest : public ShellTreeTest {
protected:
    void SetUp() override
    {
        MallocSpy::Instance();
        ShellTreeTest::SetUp();
    }
    // The three task-allocator blocks of the records of all items, taken while they are alive.
    std::vector<const void *> Blocks(HTREEITEM hParent = TVI_ROOT)
    {
        std::vector<const void *> blocks;
        for (HTREEITEM h : Items(hParent)) {
            if (auto *p = reinterpret_cast<tagID *>(m_tree.GetItemData(h)))
                blocks.insert(blocks.end(), {p, p->lpi, p->lpifq});
            std::vector<const void *> below = Blocks(h);
            blocks.insert(blocks.end(), below.begin(), below.end());
        }
        return blocks;
    }
    // All blocks alive; after the action each freed exactly once.
    void ExpectFreedOnceBy(const std::vector<const void *> &blocks, const std::function<void()> &action)
    {
        for (const void *p : blocks)
            EXPECT_TRUE(MallocSpy::Instance().IsLive(p));
        MallocSpy::Instance().Reset();
        action();
        for (const void *p : blocks)
            EXPECT_TRUE(MallocSpy::Instance().FreedOnce(p));
    }
};

} // namespace

TEST_F(RecordTest, EveryRecordIsFreedOnceHoweverItsItemGoes)
{
    m_tree.SetFilterExt("*.bmp;*.png");
    HTREEITEM hRoot = LoadRoot();
    m_tree.Expand(Child(hRoot, "Bilder"), TVE_EXPAND);
    m_tree.Expand(Child(hRoot, "Übung"), TVE_EXPAND);
    std::vector<const void *> blocks = Blocks();
    ASSERT_GE(blocks.size(), 30u);
    ExpectFreedOnceBy(blocks, [&] {
        m_tree.DeleteChildFileItems(hRoot);
        EXPECT_EQ(Labels(hRoot), (Names{"Bilder", "leer", "Übung"}));
        m_tree.DeleteChildren(Child(hRoot, "Bilder"));
        m_tree.DeleteAllItems();
    });
    // A record made for a path.
    CString path = (m_root + "\\Übung\\straße.png").c_str();
    tagID *p = m_tree.CreatePidlData(path);
    ASSERT_NE(p, nullptr);
    char name[MAX_PATH + 1] = "";
    ASSERT_TRUE(CShellPidl::GetName(p->lpsfParent, p->lpi, SHGDN_INFOLDER | SHGDN_FORPARSING, name));
    EXPECT_STREQ(name, "Straße.PNG");
    ASSERT_TRUE(::SHGetPathFromIDListA(p->lpifq, name));
    EXPECT_EQ(Upper(name), Upper(m_root + "\\Übung\\Straße.PNG"));
    ExpectFreedOnceBy({p, p->lpi, p->lpifq}, [&] { m_tree.FreePidlData(p); });
    // Reloading frees the previous records; a further cycle leaves the allocator where it was.
    m_tree.Expand(Child(LoadRoot(), "Bilder"), TVE_EXPAND);
    ExpectFreedOnceBy(Blocks(), [&] { m_tree.LoadTree(); });
    m_tree.DeleteAllItems();
    size_t before = MallocSpy::Instance().LiveCount();
    m_tree.LoadTree();
    m_tree.LoadTree();
    m_tree.DeleteAllItems();
    EXPECT_EQ(MallocSpy::Instance().LiveCount(), before);
    // Destroying the window frees them too: the root, its three folders, two pictures in it, Bilder's x.bmp.
    m_tree.Expand(Child(LoadRoot(), "Bilder"), TVE_EXPAND);
    blocks = Blocks();
    ASSERT_GE(blocks.size(), 21u);
    ExpectFreedOnceBy(blocks, [&] { m_host.DestroyWindow(); });
}

// The list helpers on hand-made identifiers: sizes, the next element, and
// joins and copies, all from the task allocator.
TEST(ShellPidl, ListHelpers)
{
    MallocSpy::Instance(); // watched from the start, so that the copies below are seen being allocated
    BYTE raw[] = {5, 0, 'a', 'b', 'c', 4, 0, 'd', 'e', 0, 0}; // elements of 5 and 4 bytes
    auto pidl = reinterpret_cast<LPITEMIDLIST>(raw);
    auto bytes = [](const void *p, size_t n) { return std::string(static_cast<const char *>(p), n); };
    EXPECT_EQ(CShellPidl::GetSize(nullptr), 0u);
    EXPECT_EQ(CShellPidl::GetSize(pidl), 11u);
    EXPECT_EQ(reinterpret_cast<BYTE *>(CShellPidl::Next(pidl)), raw + 5);
    LPITEMIDLIST pEmpty = CShellPidl::CreatePidl(2), pCat = CShellPidl::ConcatPidls(pidl, pidl);
    LPITEMIDLIST pCopy = CShellPidl::ConcatPidls(nullptr, pidl), pOne = CShellPidl::CopyITEMID(nullptr, pidl);
    const std::string end(2, '\0');
    EXPECT_EQ(end, bytes(pEmpty, 2));
    EXPECT_EQ(bytes(raw, 9) + bytes(raw, 11), bytes(pCat, CShellPidl::GetSize(pCat)));
    EXPECT_EQ(bytes(raw, 11), bytes(pCopy, CShellPidl::GetSize(pCopy)));
    EXPECT_EQ(bytes(raw, 5) + end, bytes(pOne, CShellPidl::GetSize(pOne)));
    for (LPITEMIDLIST p : {pEmpty, pCat, pCopy, pOne}) {
        EXPECT_TRUE(MallocSpy::Instance().IsLive(p));
        ::CoTaskMemFree(p);
    }
}
