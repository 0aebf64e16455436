// Item records: they come from the shell's task allocator and every one is
// freed exactly once, whether items are deleted, the tree is reloaded or the
// window goes.
#include "tests/browse/BrowseFixture.h"
#include "MallocSpy.h"

using namespace qrvtest;

namespace {

// The three task-allocator blocks of a record, taken while it is alive.
std::vector<const void*> Blocks(const std::vector<tagID*>& records)
{
    std::vector<const void*> blocks;
    for (tagID* p : records) {
        blocks.push_back(p);
        blocks.push_back(p->lpi);
        blocks.push_back(p->lpifq);
    }
    return blocks;
}

void ExpectLive(const std::vector<const void*>& blocks)
{
    for (const void* p : blocks)
        EXPECT_TRUE(MallocSpy::Instance().IsLive(p));
}
void ExpectFreedOnce(const std::vector<const void*>& blocks)
{
    for (const void* p : blocks)
        EXPECT_EQ(MallocSpy::Instance().FreeCount(p), 1);
}

class RecordTest : public ShellTreeTest
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(MallocSpy::Instance().Register());
        ShellTreeTest::SetUp();
    }
};

}

TEST_F(RecordTest, EveryRecordIsFreedOnceHoweverItsItemGoes)
{
    MakeSampleTree();
    m_tree.SetFilterExt("*.bmp;*.png");
    HTREEITEM hRoot = LoadRoot();
    m_tree.Expand(Child(hRoot, "Bilder"), TVE_EXPAND);
    m_tree.Expand(Child(hRoot, "Übung"), TVE_EXPAND);
    std::vector<tagID*> records = Records(TVI_ROOT);
    ASSERT_GE(records.size(), 10u);
    std::vector<const void*> blocks = Blocks(records);
    ExpectLive(blocks);
    MallocSpy::Instance().Reset();
    m_tree.DeleteChildFileItems(hRoot);
    EXPECT_EQ(Labels(hRoot), (std::vector<std::string>{"Bilder", "leer", "Übung"}));
    m_tree.DeleteChildren(Child(hRoot, "Bilder"));
    m_tree.DeleteAllItems();
    ExpectFreedOnce(blocks);

    // A record made for a path.
    CString path = (m_root + "\\Übung\\straße.png").c_str();
    tagID* p = m_tree.CreatePidlData(path);
    ASSERT_NE(p, nullptr);
    blocks = Blocks({p});
    ExpectLive(blocks);
    char name[MAX_PATH + 1];
    ASSERT_TRUE(CShellPidl::GetName(p->lpsfParent, p->lpi, SHGDN_INFOLDER | SHGDN_FORPARSING, name));
    EXPECT_STREQ(name, "Straße.PNG");
    char full[MAX_PATH] = "";
    ASSERT_TRUE(::SHGetPathFromIDListA(p->lpifq, full));
    EXPECT_EQ(Upper(full), Upper(m_root + "\\Übung\\Straße.PNG"));
    MallocSpy::Instance().Reset();
    m_tree.FreePidlData(p);
    ExpectFreedOnce(blocks);

    // Reloading frees the previous records; a further cycle leaves the allocator where it was.
    m_tree.Expand(Child(LoadRoot(), "Bilder"), TVE_EXPAND);
    blocks = Blocks(Records(TVI_ROOT));
    ExpectLive(blocks);
    MallocSpy::Instance().Reset();
    m_tree.LoadTree();
    ExpectFreedOnce(blocks);
    m_tree.DeleteAllItems();
    size_t before = MallocSpy::Instance().LiveCount();
    m_tree.LoadTree();
    m_tree.LoadTree();
    m_tree.DeleteAllItems();
    EXPECT_EQ(MallocSpy::Instance().LiveCount(), before);

    // Destroying the window frees them too.
    m_tree.Expand(Child(LoadRoot(), "Bilder"), TVE_EXPAND);
    records = Records(TVI_ROOT);
    ASSERT_GE(records.size(), 7u);   // the root, its three folders, two pictures in it, Bilder's x.bmp
    blocks = Blocks(records);
    ExpectLive(blocks);
    MallocSpy::Instance().Reset();
    m_host.DestroyWindow();
    ExpectFreedOnce(blocks);
}

TEST(ShellPidl, ListHelpers)
{
    // Watched from the start, so that the copy below is seen being allocated.
    ASSERT_TRUE(MallocSpy::Instance().Register());
    EXPECT_EQ(CShellPidl::GetSize(nullptr), 0u);
    LPITEMIDLIST pEmpty = CShellPidl::CreatePidl(2);
    ASSERT_NE(pEmpty, nullptr);
    EXPECT_EQ(CShellPidl::GetSize(pEmpty), 2u);

    // Two hand-made elements of 5 and 4 bytes.
    BYTE raw[] = {5, 0, 'a', 'b', 'c', 4, 0, 'd', 'e', 0, 0};
    auto pidl = reinterpret_cast<LPITEMIDLIST>(raw);
    EXPECT_EQ(CShellPidl::GetSize(pidl), 11u);
    EXPECT_EQ(reinterpret_cast<BYTE*>(CShellPidl::Next(pidl)), raw + 5);

    LPITEMIDLIST pCat = CShellPidl::ConcatPidls(pidl, pidl);
    ASSERT_NE(pCat, nullptr);
    EXPECT_EQ(CShellPidl::GetSize(pCat), 20u);
    EXPECT_EQ(memcmp(pCat, raw, 9), 0);
    EXPECT_EQ(memcmp(reinterpret_cast<BYTE*>(pCat) + 9, raw, 11), 0);
    LPITEMIDLIST pCopy = CShellPidl::ConcatPidls(nullptr, pidl);
    EXPECT_EQ(memcmp(pCopy, raw, 11), 0);

    LPMALLOC lpMalloc = nullptr;
    ASSERT_EQ(::SHGetMalloc(&lpMalloc), S_OK);
    BYTE single[] = {4, 0, 'x', 'y', 0, 0};
    LPITEMIDLIST pOne = CShellPidl::CopyITEMID(lpMalloc, reinterpret_cast<LPITEMIDLIST>(single));
    EXPECT_EQ(memcmp(pOne, single, 6), 0);
    EXPECT_TRUE(MallocSpy::Instance().IsLive(pOne));
    for (LPITEMIDLIST p : {pEmpty, pCat, pCopy, pOne})
        lpMalloc->Free(p);
    lpMalloc->Release();
}
