// Which items a folder shows: folders always, files only when their real
// extension is that of a filter token; and when folders are read.
#include "tests/browse/BrowseFixture.h"
#include <algorithm>

using namespace qrvtest;

namespace {

bool Has(const std::vector<std::string>& labels, const std::string& label)
{
    return std::find(labels.begin(), labels.end(), label) != labels.end();
}

// Hides known extensions in display names while it lives.
class HiddenExtensions
{
public:
    HiddenExtensions()
    {
        ::RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &m_key, nullptr);
        DWORD one = 1;
        ::RegSetValueExA(m_key, "HideFileExt", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), sizeof(one));
    }
    ~HiddenExtensions()
    {
        ::RegDeleteValueA(m_key, "HideFileExt");
        ::RegCloseKey(m_key);
    }

private:
    static constexpr const char* kKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";
    HKEY m_key = nullptr;
};

}

TEST(ShellTreeClass, IsCreatableByClassName)
{
    CObject* p = CRuntimeClass::CreateObject("CShellTree");
    ASSERT_NE(p, nullptr);
    EXPECT_TRUE(p->IsKindOf(RUNTIME_CLASS(CTreeCtrl)));
    EXPECT_STREQ(p->GetRuntimeClass()->m_lpszClassName, "CShellTree");
    delete p;
}

// Only tokens with a real extension pass files, whatever the letter case;
// folders always show.
TEST_F(ShellTreeTest, FilterComparesExtensionsWithoutRegardToCase)
{
    EXPECT_EQ(m_tree.Filter("a.bmp"), 0) << "empty filter";
    m_tree.SetFilterExt("*;bmp; ;;");
    EXPECT_EQ(m_tree.Filter("a.bmp"), 0);
    m_tree.SetFilterExt("*.*");
    EXPECT_EQ(m_tree.Filter("a.bmp"), 0) << "patterns are not wildcards";
    EXPECT_EQ(m_tree.Filter("odd.*"), 1);
    m_tree.SetFilterExt("*.bmp");
    EXPECT_EQ(m_tree.Filter("noext"), 0);
    EXPECT_EQ(m_tree.Filter("A.BmP"), 1);
    EXPECT_EQ(m_tree.Filter("a.bmpx"), 0);

    MakeSampleTree();
    m_tree.SetFilterExt("*.bmp; *.PNG");
    HTREEITEM hRoot = LoadRoot();
    ASSERT_NE(hRoot, nullptr);
    std::vector<std::string> labels = Labels(hRoot);
    EXPECT_EQ(labels, (std::vector<std::string>{"Bilder", "leer", "Übung", "a.bmp", "Ärger.bmp", "B.BMP", "c.Png"}));
    EXPECT_FALSE(Has(labels, "d.txt"));
    EXPECT_FALSE(Has(labels, "noext"));

    HTREEITEM hUebung = Child(hRoot, "Übung");
    ASSERT_NE(hUebung, nullptr);
    m_tree.Expand(hUebung, TVE_EXPAND);
    EXPECT_EQ(Labels(hUebung), (std::vector<std::string>{"Straße.PNG"}));
    EXPECT_EQ(m_tree.GetItemType(Child(hUebung, "Straße.PNG")), 2);

    // A large folder: only the matching files, in name order however the
    // folder enumerates them (its expansion time is measured by the benchmark).
    const std::string big = m_root + "\\gross";
    ASSERT_TRUE(::CreateDirectoryA(big.c_str(), nullptr));
    // Made backwards, so the folder's own order is not already the sorted one.
    for (int i = 999; i >= 0; --i) {
        char name[32];
        wsprintfA(name, "\\f%04d.%s", i, i % 10 == 0 ? (i % 20 == 0 ? "bmp" : "BMP") : "txt");
        WriteText(big + name);
    }
    m_tree.SetFilterExt("*.bmp");
    HTREEITEM hBig = Child(LoadRoot(), "gross");
    ASSERT_NE(hBig, nullptr);
    m_tree.Expand(hBig, TVE_EXPAND);
    labels = Labels(hBig);
    ASSERT_EQ(labels.size(), 100u);
    EXPECT_EQ(labels.front(), "f0000.bmp");
    EXPECT_EQ(labels[1], "f0010.BMP");
    EXPECT_EQ(labels.back(), "f0990.BMP");
    EXPECT_TRUE(std::is_sorted(labels.begin(), labels.end()));
}

TEST_F(ShellTreeTest, HiddenExtensionStillPassesByTheRealOne)
{
    MakeSampleTree();
    HiddenExtensions hidden;
    m_tree.SetFilterExt("*.txt");
    HTREEITEM hRoot = LoadRoot();
    ASSERT_NE(hRoot, nullptr);
    HTREEITEM hFile = Child(hRoot, "d");
    ASSERT_NE(hFile, nullptr) << "the label is the display name without extension";
    EXPECT_EQ(Upper(Path(hFile)), Upper(m_root + "\\d.txt"));
    EXPECT_EQ(Child(hRoot, "a"), nullptr);
}

TEST_F(ShellTreeTest, ChangingTheFilterRefreshesOpenFoldersAndResetsClosedOnes)
{
    MakeSampleTree();
    HTREEITEM hRoot = LoadRoot();
    ASSERT_NE(hRoot, nullptr);
    EXPECT_EQ(Labels(hRoot), (std::vector<std::string>{"Bilder", "leer", "Übung"}));
    for (HTREEITEM h = m_tree.GetChildItem(hRoot); h; h = m_tree.GetNextSiblingItem(h)) {
        EXPECT_EQ(m_tree.GetItemType(h), 3);
        EXPECT_TRUE(m_tree.ItemHasChildren(h)) << "unread folders can be opened";
    }
    HTREEITEM hBilder = Child(hRoot, "Bilder");
    HTREEITEM hUebung = Child(hRoot, "Übung");
    m_tree.Expand(hBilder, TVE_EXPAND);
    m_tree.Expand(hUebung, TVE_EXPAND);
    m_tree.Expand(hUebung, TVE_COLLAPSE);
    EXPECT_TRUE(Labels(hBilder).empty());
    ASSERT_TRUE(ExpandedOnce(hUebung));

    m_tree.SetFilterExt("*.txt");
    EXPECT_EQ(Labels(hBilder), (std::vector<std::string>{"y.txt"}));
    EXPECT_TRUE(Has(Labels(hRoot), "d.txt"));
    EXPECT_EQ(Child(hRoot, "Bilder"), hBilder) << "folder items stay";
    EXPECT_FALSE(ExpandedOnce(hUebung)) << "a closed folder is read afresh when opened";

    m_tree.SetFilterExt("*.TXT");   // same filter in other case: nothing happens
    EXPECT_EQ(Labels(hBilder), (std::vector<std::string>{"y.txt"}));
    m_tree.SetFilterExt("*.png");
    EXPECT_TRUE(Labels(hBilder).empty());
    m_tree.Expand(hUebung, TVE_EXPAND);
    EXPECT_EQ(Labels(hUebung), (std::vector<std::string>{"Straße.PNG"}));
}

TEST_F(ShellTreeTest, FolderIsReadOnceUntilResetAndExpandingSwapsIcons)
{
    MakeSampleTree();
    m_tree.LoadTree();   // attaches the system image list
    m_tree.SetFilterExt("*.bmp");
    HTREEITEM hRoot = LoadRoot();
    HTREEITEM hBilder = Child(hRoot, "Bilder");
    m_tree.Expand(hBilder, TVE_EXPAND);
    EXPECT_EQ(Labels(hBilder), (std::vector<std::string>{"x.bmp"}));

    WriteText(m_root + "\\Bilder\\neu.bmp");
    Reopen(hBilder);
    EXPECT_EQ(Labels(hBilder), (std::vector<std::string>{"x.bmp"})) << "not read again";

    EXPECT_EQ(m_tree.ResetFolder(hBilder), 1);
    EXPECT_FALSE(ExpandedOnce(hBilder));
    Reopen(hBilder);
    EXPECT_EQ(Labels(hBilder), (std::vector<std::string>{"neu.bmp", "x.bmp"}));

    // Expanding swaps the folder icons.
    m_tree.Expand(hBilder, TVE_COLLAPSE);
    int closed = -1, closedSel = -1, open = -1, openSel = -1;
    m_tree.GetItemImage(hBilder, closed, closedSel);
    m_tree.Expand(hBilder, TVE_EXPAND);
    m_tree.GetItemImage(hBilder, open, openSel);
    EXPECT_TRUE(Expanded(hBilder));
    EXPECT_EQ(closed, closedSel);
    EXPECT_EQ(open, openSel);
    EXPECT_NE(open, closed);
    m_tree.Expand(hBilder, TVE_COLLAPSE);
    m_tree.GetItemImage(hBilder, open, openSel);
    EXPECT_EQ(open, closed);
    EXPECT_NE(m_tree.GetImageList(TVSIL_NORMAL), nullptr);

    // An empty folder is marked expanded without children.
    HTREEITEM hLeer = Child(hRoot, "leer");
    m_tree.Expand(hLeer, TVE_EXPAND);
    EXPECT_EQ(m_tree.GetChildItem(hLeer), nullptr);
    EXPECT_TRUE(Expanded(hLeer));
    EXPECT_TRUE(ExpandedOnce(hLeer));
    m_tree.Expand(hLeer, TVE_COLLAPSE);
    EXPECT_FALSE(Expanded(hLeer));
}
