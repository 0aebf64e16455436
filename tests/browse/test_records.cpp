// Item records: they come from the shell's task allocator and every one is
// freed exactly once, whether items are deleted, the tree is reloaded or the
// window goes. A spy on that allocator records which blocks are alive and how
// often each block was freed since the last Reset before the allocator handed
// the address out again.
#include <objidl.h>
#include <map>
#include <mutex>
#include <set>
#include "tests/browse/BrowseFixture.h"

using namespace qrvtest;

namespace {

class MallocSpy : public IMallocSpy
{
public:
    static MallocSpy& Instance()   // registered once, on first use
    {
        static MallocSpy spy;
        static bool registered = SUCCEEDED(::CoRegisterMallocSpy(&spy));
        EXPECT_TRUE(registered);
        return spy;
    }
    void Reset() { Locked([&] { m_frees.clear(), m_reused.clear(); }); }
    bool IsLive(const void* p) { return Locked([&] { return m_live.count(p) != 0; }); }
    int FreeCount(const void* p) { return Locked([&] { return m_frees.count(p) ? m_frees[p] : 0; }); }
    size_t LiveCount() { return Locked([&] { return m_live.size(); }); }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        *ppv = riid == IID_IUnknown || riid == IID_IMallocSpy ? static_cast<IMallocSpy*>(this) : nullptr;
        return *ppv ? S_OK : E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    SIZE_T STDMETHODCALLTYPE PreAlloc(SIZE_T cb) override { return cb; }
    void* STDMETHODCALLTYPE PostAlloc(void* p) override
    {
        return Locked([&] {
            if (p && m_live.insert(p).second && m_frees.count(p))
                m_reused.insert(p);
            return p;
        });
    }
    void* STDMETHODCALLTYPE PreFree(void* p, BOOL) override
    {
        return Locked([&] {
            if (p && (m_live.erase(p), !m_reused.count(p)))
                ++m_frees[p];
            return p;
        });
    }
    void STDMETHODCALLTYPE PostFree(BOOL) override {}
    SIZE_T STDMETHODCALLTYPE PreRealloc(void* p, SIZE_T cb, void** ppNew, BOOL) override
    {
        m_pReallocOld = *ppNew = p;
        return cb;
    }
    void* STDMETHODCALLTYPE PostRealloc(void* p, BOOL) override
    {
        return Locked([&] {
            m_live.erase(m_pReallocOld);
            if (p)
                m_live.insert(p);
            return p;
        });
    }
    void* STDMETHODCALLTYPE PreGetSize(void* p, BOOL) override { return p; }
    SIZE_T STDMETHODCALLTYPE PostGetSize(SIZE_T cb, BOOL) override { return cb; }
    void* STDMETHODCALLTYPE PreDidAlloc(void* p, BOOL) override { return p; }
    int STDMETHODCALLTYPE PostDidAlloc(void*, BOOL, int fActual) override { return fActual; }
    void STDMETHODCALLTYPE PreHeapMinimize() override {}
    void STDMETHODCALLTYPE PostHeapMinimize() override {}

private:
    template <class F> auto Locked(F f) -> decltype(f())
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return f();
    }
    std::mutex m_mutex;
    std::set<const void*> m_live, m_reused;   // reused: allocated again after a free, frees no longer counted
    std::map<const void*, int> m_frees;
    void* m_pReallocOld = nullptr;
};

class RecordTest : public ShellTreeTest
{
protected:
    void SetUp() override
    {
        MallocSpy::Instance();
        ShellTreeTest::SetUp();
    }
    // The three task-allocator blocks of the records of all items, taken while they are alive.
    std::vector<const void*> Blocks(HTREEITEM hParent = TVI_ROOT)
    {
        std::vector<const void*> blocks;
        HTREEITEM h = hParent == TVI_ROOT ? m_tree.GetRootItem() : m_tree.GetChildItem(hParent);
        for (; h; h = m_tree.GetNextSiblingItem(h)) {
            if (auto* p = reinterpret_cast<tagID*>(m_tree.GetItemData(h)))
                blocks.insert(blocks.end(), {p, p->lpi, p->lpifq});
            std::vector<const void*> below = Blocks(h);
            blocks.insert(blocks.end(), below.begin(), below.end());
        }
        return blocks;
    }
    // All blocks alive; after the action each freed exactly once.
    void ExpectFreedOnceBy(const std::vector<const void*>& blocks, const std::function<void()>& action)
    {
        for (const void* p : blocks)
            EXPECT_TRUE(MallocSpy::Instance().IsLive(p));
        MallocSpy::Instance().Reset();
        action();
        for (const void* p : blocks)
            EXPECT_EQ(MallocSpy::Instance().FreeCount(p), 1);
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
    std::vector<const void*> blocks = Blocks();
    ASSERT_GE(blocks.size(), 30u);
    ExpectFreedOnceBy(blocks, [&] {
        m_tree.DeleteChildFileItems(hRoot);
        EXPECT_EQ(Labels(hRoot), (Names{"Bilder", "leer", "Übung"}));
        m_tree.DeleteChildren(Child(hRoot, "Bilder"));
        m_tree.DeleteAllItems();
    });

    // A record made for a path.
    CString path = (m_root + "\\Übung\\straße.png").c_str();
    tagID* p = m_tree.CreatePidlData(path);
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

TEST(ShellPidl, ListHelpers)
{
    MallocSpy::Instance();   // watched from the start, so that the copy below is seen being allocated
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
