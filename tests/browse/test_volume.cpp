// A large folder: only the matching files are listed, in name order, however
// the folder enumerates them. The expansion's time is measured by the
// browse benchmark, not here.
#include "tests/browse/BrowseFixture.h"
#include <algorithm>
#include <cstdio>

using namespace qrvtest;

TEST_F(ShellTreeTest, AThousandFilesAreFilteredToTheMatchingHundred)
{
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
    std::vector<std::string> labels = Labels(hBig);
    ASSERT_EQ(labels.size(), 100u);
    EXPECT_EQ(labels.front(), "f0000.bmp");
    EXPECT_EQ(labels[1], "f0010.BMP");
    EXPECT_EQ(labels.back(), "f0990.BMP");
    EXPECT_TRUE(std::is_sorted(labels.begin(), labels.end()));
}
