// Dropping, dragging over and pasting into the file list tree on real
// folders: move or copy by the Ctrl key, drops that change nothing, the
// auto-expand and auto-scroll timer, and pasting files and bitmaps.
#include <gtest/gtest.h>
#include <shlobj.h>
#include <cstring>

#include "browse/BitmapPaste.h"
#include "viewer/PlxDibInfo.h"
#include "browse/DropFiles.h"
#include "tests/browse/BrowseFixture.h"
#include "uiauto/MessagePump.h"

using namespace filetest;

namespace {

// Starts a drag on the tree's item as the tree control would announce it.
void BeginDrag(CNotifyRecorder& host, CFileListTree& tree, HTREEITEM hItem)
{
    NMTREEVIEWA drag = {};
    drag.hdr = {tree.m_hWnd, 100, static_cast<UINT>(TVN_BEGINDRAGA)};
    drag.itemNew.hItem = hItem;
    ::SendMessageA(host.m_hWnd, WM_NOTIFY, 100, reinterpret_cast<LPARAM>(&drag));
}

bool PutOnClipboard(const std::vector<std::pair<UINT, HGLOBAL>>& formats)
{
    if (!::OpenClipboard(nullptr))
        return false;
    ::EmptyClipboard();
    for (const auto& f : formats)
        ::SetClipboardData(f.first, f.second);
    ::CloseClipboard();
    return true;
}

HGLOBAL Record(const char* baseName, BYTE bits)
{
    sPLXDIBINFO info = {};
    CPlxDibInfo::SetNames(info, "C:\\bilder\\quelle.png", baseName);
    info.byColorBits = bits;
    return CPlxDibInfo::Write(info);
}

UINT PlxDibInfo() { return CPlxDibInfo::GetFormat(); }

}  // namespace

// A drop moves into the folder under the point (a file's folder when on a
// file), with Ctrl it copies; onto the dragged item's own folder or below the
// last item nothing happens.
TEST_F(FileListTreeTest, DropMovesOrCopiesIntoTheFolderUnderThePoint)
{
    Folder("ziel");
    File("ziel\\da.txt");
    Folder("aussen");
    std::string a = File("a.txt"), b = File("aussen\\b.txt");
    HTREEITEM hRoot = LoadRoot();
    HTREEITEM hTarget = Child(hRoot, "ziel"), hA = Child(hRoot, "a.txt");
    m_tree.Expand(hTarget, TVE_EXPAND);
    BeginDrag(m_host, m_tree, hA);
    Drop({a}, Center(hTarget));
    EXPECT_TRUE(Exists(m_root + "\\ziel\\a.txt"));
    EXPECT_FALSE(Exists(a));
    EXPECT_FALSE(Child(hRoot, "a.txt"));
    EXPECT_TRUE(Child(hTarget, "a.txt"));
    EXPECT_EQ(nullptr, m_tree.GetDropHilightItem());
    EXPECT_EQ(0u, m_tree.GetDragTimer());

    SetCtrl(true);
    Drop({b}, Center(Child(hTarget, "da.txt")));
    SetCtrl(false);
    EXPECT_TRUE(Exists(b));
    EXPECT_TRUE(Exists(m_root + "\\ziel\\b.txt"));
    EXPECT_TRUE(Child(hTarget, "b.txt"));

    BeginDrag(m_host, m_tree, Child(hTarget, "da.txt"));
    Drop({m_root + "\\ziel\\da.txt"}, Center(hTarget));
    EXPECT_TRUE(Exists(m_root + "\\ziel\\da.txt"));
    EXPECT_TRUE(Child(hTarget, "da.txt"));
    Drop({b}, CPoint(200, 590));
    EXPECT_EQ((std::vector<std::string>{"aussen", "ziel"}), FolderEntries(m_root));
    EXPECT_EQ((std::vector<std::string>{"b.txt"}), FolderEntries(m_root + "\\aussen"));
}

TEST_F(FileListTreeTest, MalformedDropsChangeNothing)
{
    Folder("ziel");
    const std::string a = File("a.txt");
    HTREEITEM hRoot = LoadRoot();
    const CPoint pt = Center(Child(hRoot, "ziel"));
    // Each block lists a.txt right after its header; only the last one says so.
    auto drop = [&](DWORD pFiles, BOOL fWide) {
        const std::string list = a + std::string(2, '\0');
        HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + list.size());
        BYTE* p = static_cast<BYTE*>(::GlobalLock(h));
        DROPFILES* hdr = reinterpret_cast<DROPFILES*>(p);
        hdr->pFiles = pFiles;
        hdr->pt = pt;
        hdr->fWide = fWide;
        memcpy(p + sizeof(DROPFILES), list.data(), list.size());
        ::GlobalUnlock(h);
        ::SendMessageA(m_tree.m_hWnd, WM_DROPFILES, reinterpret_cast<WPARAM>(h), 0);
    };
    const struct { DWORD pFiles; BOOL fWide; const char* what; } malformed[] = {
        {0x7FFFFFF0, FALSE, "list far past the block's end"},
        {8, FALSE, "list inside the header"},
        {0, FALSE, "no list offset"},
        {sizeof(DROPFILES), TRUE, "narrow names marked wide"},
    };
    for (const auto& m : malformed) {
        drop(m.pFiles, m.fWide);
        EXPECT_TRUE(FolderEntries(m_root + "\\ziel").empty()) << m.what;
        EXPECT_TRUE(Exists(a)) << m.what;
    }
    drop(sizeof(DROPFILES), FALSE);
    EXPECT_EQ((std::vector<std::string>{"a.txt"}), FolderEntries(m_root + "\\ziel"));
}

TEST_F(FileListTreeTest, DragTimerOpensFoldersAndScrolls)
{
    Folder("zu");
    File("zu\\x.txt");
    File("a.txt");
    HTREEITEM hRoot = LoadRoot();
    HTREEITEM hClosed = Child(hRoot, "zu"), hFile = Child(hRoot, "a.txt");
    EXPECT_EQ(DROPEFFECT_NONE, m_tree.OnDragEnter(nullptr, 0, CPoint(0, 0)));
    UINT_PTR id = m_tree.GetDragTimer();
    ASSERT_NE(0u, id);
    auto restOn = [&](HTREEITEM hItem) {
        CPoint pt = Center(hItem);
        m_tree.ClientToScreen(&pt);
        ::SetCursorPos(pt.x, pt.y);
    };
    auto tick = [&] { m_tree.SendMessage(WM_TIMER, id, 0); };

    restOn(hClosed);
    for (int i = 0; i < 4; ++i)
        tick();
    // Passing over a file starts the count again.
    restOn(hFile);
    tick();
    restOn(hClosed);
    for (int i = 0; i < 6; ++i)
        tick();
    EXPECT_FALSE(Expanded(hClosed));
    tick();
    EXPECT_TRUE(Expanded(hClosed));
    EXPECT_TRUE(Child(hClosed, "x.txt"));

    // Other timers are not the drag's.
    m_tree.SendMessage(WM_TIMER, id + 7, 0);
    m_tree.SendMessage(WM_LBUTTONUP, 0, 0);
    EXPECT_EQ(0u, m_tree.GetDragTimer());

    // Near the bottom edge the tree scrolls every second tick.
    for (int i = 0; i < 60; ++i)
        File("f" + std::to_string(100 + i) + ".txt");
    hRoot = LoadRoot();
    ASSERT_TRUE(Child(hRoot, "f159.txt"));
    m_tree.OnDragEnter(nullptr, 0, CPoint(0, 0));
    id = m_tree.GetDragTimer();
    CRect rc;
    m_tree.GetClientRect(&rc);
    CPoint pt(rc.Width() / 2, rc.bottom - 3);
    m_tree.ClientToScreen(&pt);
    ::SetCursorPos(pt.x, pt.y);
    HTREEITEM hFirst = m_tree.GetFirstVisibleItem();
    int scrolls = 0;
    for (int i = 0; i < 6; ++i) {
        m_tree.SendMessage(WM_TIMER, id, 0);
        HTREEITEM hNow = m_tree.GetFirstVisibleItem();
        scrolls += hNow != hFirst;
        hFirst = hNow;
    }
    EXPECT_EQ(3, scrolls);
    EXPECT_NE(nullptr, m_tree.GetDropHilightItem());

    // Outside the window nothing scrolls.
    ::SetCursorPos(pt.x, pt.y + 200);
    for (int i = 0; i < 4; ++i)
        m_tree.SendMessage(WM_TIMER, id, 0);
    EXPECT_EQ(hFirst, m_tree.GetFirstVisibleItem());
    m_tree.SendMessage(WM_LBUTTONUP, 0, 0);
}

TEST_F(FileListTreeTest, PastingFilesAndBitmaps)
{
    Folder("ziel");
    Folder("quelle");
    std::string a = File("quelle\\a.txt"), b = File("quelle\\b.bmp"), c = File("quelle\\c.txt");
    HTREEITEM hRoot = LoadRoot();
    HTREEITEM hTarget = Child(hRoot, "ziel");
    m_tree.Expand(hTarget, TVE_EXPAND);
    ASSERT_TRUE(PutOnClipboard({{CF_HDROP, CDropFiles::CreateBlock(MakeList({a, b, c}))}}));
    EXPECT_EQ(1, m_tree.DoPaste(hTarget));
    for (const char* name : {"a.txt", "b.bmp", "c.txt"}) {
        EXPECT_TRUE(Exists(m_root + "\\ziel\\" + name)) << name;
        EXPECT_TRUE(Child(hTarget, name)) << name;
    }
    HTREEITEM hVirtual = m_tree.InsertItem("Virtuell", hRoot);
    EXPECT_EQ(0, m_tree.DoPaste(hVirtual));   // a virtual item receives nothing

    RemoveFolder(m_root + "\\quelle");
    for (const char* name : {"a.txt", "b.bmp", "c.txt"})
        ::DeleteFileA((m_root + "\\ziel\\" + name).c_str());
    ASSERT_TRUE(PutOnClipboard({{CF_DIB, MakeDib(6, 4)}, {PlxDibInfo(), Record("sonne", 4)}}));
    EXPECT_EQ(1, m_tree.DoPaste(hTarget));
    std::string bmp = ReadText(m_root + "\\ziel\\sonne.bmp");
    ASSERT_GE(bmp.size(), 54u);
    BITMAPINFOHEADER bih;
    memcpy(&bih, bmp.data() + 14, sizeof(bih));
    EXPECT_EQ(6, bih.biWidth);
    EXPECT_EQ(4, bih.biBitCount);
    EXPECT_TRUE(Child(hTarget, "sonne.bmp"));
    ASSERT_TRUE(PutOnClipboard({{CF_DIB, MakeDib(6, 4)}}));
    EXPECT_EQ(0, m_tree.DoPaste(hTarget));

    for (const char* name : {"..\\..\\boese", "C:\\boese", "\\\\srv\\s\\boese", "..", "CON"}) {
        ASSERT_TRUE(PutOnClipboard({{CF_DIB, MakeDib(2, 2)}, {PlxDibInfo(), Record(name, 8)}}));
        m_tree.DoPaste(hTarget);
    }
    EXPECT_FALSE(Exists("C:\\boese.bmp"));
    EXPECT_FALSE(Exists("C:\\qrv-browse\\boese.bmp"));
    EXPECT_EQ((std::vector<std::string>{"ziel"}), FolderEntries(m_root));
    EXPECT_EQ((std::vector<std::string>{"C__boese.bmp", "_CON.bmp", "______boese.bmp", "__srv_s_boese.bmp", "sonne.bmp"}),
              FolderEntries(m_root + "\\ziel"));   // ".." is refused
}

TEST_F(FileListTreeTest, DragOverHighlightsTheItemAndChoosesTheEffectByCtrl)
{
    Folder("ziel");
    Folder("andere");
    HTREEITEM hRoot = LoadRoot();
    HTREEITEM hTarget = Child(hRoot, "ziel"), hOther = Child(hRoot, "andere");
    // CacheData offers the files as a dropped-files block.
    COleDataSource* pSource = new COleDataSource;
    CString files = MakeList({"C:\\x\\a.txt", "C:\\x\\b.txt"});
    EXPECT_EQ(1, m_tree.CacheData(pSource, files));
    COleDataObject withFiles;
    withFiles.Attach(pSource->GetDataObject(), FALSE);
    ASSERT_TRUE(withFiles.IsDataAvailable(CF_HDROP));
    HGLOBAL h = withFiles.GetGlobalData(CF_HDROP);
    CString back;
    EXPECT_TRUE(CDropFiles::ReadBlock(h, back));
    EXPECT_EQ((std::vector<std::string>{"C:\\x\\a.txt", "C:\\x\\b.txt"}), Entries(back));
    ::GlobalFree(h);

    // The drop target hands the steps to the tree, and only to a file list tree.
    CFileListDropTarget target;
    EXPECT_EQ(DROPEFFECT_MOVE, target.OnDragEnter(&m_tree, &withFiles, 0, Center(hTarget)));
    EXPECT_NE(0u, m_tree.GetDragTimer());
    EXPECT_EQ(hTarget, m_tree.GetDropHilightItem());
    EXPECT_EQ(DROPEFFECT_COPY, target.OnDragOver(&m_tree, &withFiles, MK_CONTROL, Center(hOther)));
    EXPECT_EQ(hOther, m_tree.GetDropHilightItem());
    target.OnDragLeave(&m_tree);
    EXPECT_EQ(nullptr, m_tree.GetDropHilightItem());
    EXPECT_NE(0u, m_tree.GetDragTimer());   // runs on until the button is released
    EXPECT_EQ(DROPEFFECT_NONE, target.OnDragOver(&m_host, &withFiles, 0, CPoint(5, 5)));

    // Data without dropped files is refused.
    COleDataSource* pText = new COleDataSource;
    HGLOBAL hText = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 8);
    pText->CacheGlobalData(CF_TEXT, hText);
    COleDataObject textOnly;
    textOnly.Attach(pText->GetDataObject(), FALSE);
    EXPECT_EQ(DROPEFFECT_NONE, target.OnDragOver(&m_tree, &textOnly, 0, Center(hTarget)));

    m_tree.SendMessage(WM_LBUTTONUP, 0, 0);
    EXPECT_EQ(0u, m_tree.GetDragTimer());
    textOnly.Detach();
    withFiles.Detach();
    pText->InternalRelease();
    pSource->InternalRelease();
}
