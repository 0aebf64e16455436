// Which items a folder shows: folders always, files only when their real
// extension is that of a filter token; and when folders are read.
#include "tests/browse/BrowseFixture.h"

using namespace qrvtest;

// Only tokens with a real extension pass files, whatever the letter case;
// folders always show, files in name order however the folder enumerates
// them (Ärger.bmp is made last); a hidden extension still passes by the real one.
TEST_F(ShellTreeTest, FilterComparesExtensionsWithoutRegardToCase)
{
    const struct { const char* filter; const char* name; int shown; } cases[] = {
        {nullptr, "a.bmp", 0},  // no filter yet
        {"*;bmp; ;;", "a.bmp", 0}, {"*.*", "a.bmp", 0},   // patterns are not wildcards
        {"*.*", "odd.*", 1},    {"*.bmp", "noext", 0},    {"*.bmp", "A.BmP", 1}, {"*.bmp", "a.bmpx", 0},
    };
    for (const auto& c : cases) {
        if (c.filter)
            m_tree.SetFilterExt(c.filter);
        EXPECT_EQ(c.shown, m_tree.Filter(c.name)) << c.filter << " " << c.name;
    }
    MakeSampleTree();
    m_tree.SetFilterExt("*.bmp; *.PNG");
    HTREEITEM hRoot = LoadRoot();
    ASSERT_NE(hRoot, nullptr);
    EXPECT_EQ(Labels(hRoot), (Names{"Bilder", "leer", "Übung", "a.bmp", "Ärger.bmp", "B.BMP", "c.Png"}));
    HTREEITEM hUebung = Child(hRoot, "Übung");
    m_tree.Expand(hUebung, TVE_EXPAND);
    EXPECT_EQ(Labels(hUebung), (Names{"Straße.PNG"}));
    EXPECT_EQ(m_tree.GetItemType(Child(hUebung, "Straße.PNG")), 2);

    // With known extensions hidden the label is the display name without extension.
    HKEY hKey = nullptr;
    ::RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced", 0,
                      nullptr, 0, KEY_ALL_ACCESS, nullptr, &hKey, nullptr);
    DWORD one = 1;
    ::RegSetValueExA(hKey, "HideFileExt", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), sizeof(one));
    m_tree.SetFilterExt("*.txt");
    hRoot = LoadRoot();
    ::RegDeleteValueA(hKey, "HideFileExt");
    ::RegCloseKey(hKey);
    ASSERT_NE(Child(hRoot, "d"), nullptr);
    EXPECT_EQ(Upper(Path(Child(hRoot, "d"))), Upper(m_root + "\\d.txt"));
    EXPECT_EQ(Child(hRoot, "a"), nullptr);
}

TEST_F(ShellTreeTest, ChangingTheFilterRefreshesOpenFoldersAndResetsClosedOnes)
{
    MakeSampleTree();
    HTREEITEM hRoot = LoadRoot();
    ASSERT_NE(hRoot, nullptr);
    EXPECT_EQ(Labels(hRoot), (Names{"Bilder", "leer", "Übung"}));
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
    EXPECT_EQ(Labels(hBilder), (Names{"y.txt"}));
    EXPECT_EQ(Labels(hRoot), (Names{"Bilder", "leer", "Übung", "d.txt"}));
    EXPECT_EQ(Child(hRoot, "Bilder"), hBilder) << "folder items stay";
    EXPECT_FALSE(ExpandedOnce(hUebung)) << "a closed folder is read afresh when opened";

    m_tree.SetFilterExt("*.TXT");   // same filter in other case: nothing happens
    EXPECT_EQ(Labels(hBilder), (Names{"y.txt"}));
    m_tree.SetFilterExt("*.png");
    EXPECT_TRUE(Labels(hBilder).empty());
    m_tree.Expand(hUebung, TVE_EXPAND);
    EXPECT_EQ(Labels(hUebung), (Names{"Straße.PNG"}));
}

// A folder is read once until it is reset; expanding swaps the folder icons;
// an empty folder is marked expanded without children.
TEST_F(ShellTreeTest, FolderIsReadOnceUntilResetAndExpandingSwapsIcons)
{
    MakeSampleTree();
    m_tree.LoadTree();   // attaches the system image list
    m_tree.SetFilterExt("*.bmp");
    HTREEITEM hRoot = LoadRoot();
    HTREEITEM hBilder = Child(hRoot, "Bilder");
    m_tree.Expand(hBilder, TVE_EXPAND);
    EXPECT_EQ(Labels(hBilder), (Names{"x.bmp"}));
    File("Bilder\\neu.bmp");
    auto reopen = [&] {   // as a user would reopen it
        m_tree.Expand(hBilder, TVE_COLLAPSE);
        m_tree.Expand(hBilder, TVE_EXPAND);
        return Labels(hBilder);
    };
    EXPECT_EQ(reopen(), (Names{"x.bmp"})) << "not read again";
    EXPECT_EQ(m_tree.ResetFolder(hBilder), 1);
    EXPECT_FALSE(ExpandedOnce(hBilder));
    EXPECT_EQ(reopen(), (Names{"neu.bmp", "x.bmp"}));

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

    HTREEITEM hLeer = Child(hRoot, "leer");
    m_tree.Expand(hLeer, TVE_EXPAND);
    EXPECT_EQ(m_tree.GetChildItem(hLeer), nullptr);
    EXPECT_TRUE(Expanded(hLeer));
    EXPECT_TRUE(ExpandedOnce(hLeer));
    m_tree.Expand(hLeer, TVE_COLLAPSE);
    EXPECT_FALSE(Expanded(hLeer));
}
