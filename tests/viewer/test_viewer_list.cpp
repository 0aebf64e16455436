// The viewer list read from the registry: the "File Info" split, unknown types and a missing key.
#include <gtest/gtest.h>
#include "tests/viewer/ViewerTestSupport.h"
#include "viewer/LeadViewerWnd.h"
#include "viewer/ViewerList.h"

using namespace viewertest;

namespace {

const char kRoot[] = "Software\\QRV Tests\\Viewers";

// Type 1 comes from the library; type 5 stands for a host's own viewer class.
class HostViewerList : public CViewerList {
protected:
    CViewerWnd *CreateViewerObject(UINT nType) override
    {
        if (nType == 5)
            return new TypedViewer(5, "");
        return CViewerList::CreateViewerObject(nType);
    }
};

class ViewerListTest : public ::testing::Test {
protected:
    void SetUp() override { ::RegDeleteTreeA(HKEY_CURRENT_USER, kRoot); }
    void TearDown() override
    {
        list.DeleteAll();
        ::RegDeleteTreeA(HKEY_CURRENT_USER, kRoot);
    }
    void AddKey(const char *pszName, DWORD dwType, DWORD dwStyle, const char *pszInfo)
    {
        const std::string path = std::string(kRoot) + "\\" + pszName;
        ASSERT_EQ(ERROR_SUCCESS,
                  ::RegSetKeyValueA(HKEY_CURRENT_USER, path.c_str(), "Type", REG_DWORD, &dwType, 4));
        ::RegSetKeyValueA(HKEY_CURRENT_USER, path.c_str(), "Style", REG_DWORD, &dwStyle, 4);
        if (pszInfo)
            ::RegSetKeyValueA(HKEY_CURRENT_USER, path.c_str(), "File Info", REG_SZ, pszInfo,
                              DWORD(strlen(pszInfo) + 1));
    }
    HostViewerList list;
};

TEST_F(ViewerListTest, EveryKnownTypeBecomesAViewerAndOnlyUnknownTypesGiveZero)
{
    AddKey("a", 5, 0x02000000, "bmp;dib|Bitmaps (*.bmp)|*.bmp");
    AddKey("b", 5, 0, "png");
    AddKey("c", 5, 0, nullptr);
    AddKey("d", 42, 0, "xyz"); // no such type: nothing added
    AddKey("e", 1, VWS_PANELTABS, "bmp|Bitmaps");
    ASSERT_EQ(1, list.LoadFromRegistry(kRoot));
    ASSERT_EQ(4, list.GetCount());
    const struct {
        UINT nType;
        DWORD dwStyle;
        const char *ext;
        const char *filter;
    } expected[] = {
        {5, 0x02000000, "bmp;dib", "Bitmaps (*.bmp)|*.bmp"},
        {5, 0, "png", ""},
        {5, 0, "", ""},
        {1, VWS_PANELTABS, "bmp", "Bitmaps"},
    };
    POSITION pos = list.GetHeadPosition();
    for (const auto &e : expected) {
        CViewerWnd *pViewer = list.GetNext(pos);
        EXPECT_EQ(e.nType, pViewer->GetType());
        EXPECT_EQ(e.dwStyle, pViewer->GetViewerStyle());
        EXPECT_STREQ(e.ext, pViewer->GetExt());
        EXPECT_STREQ(e.filter, pViewer->GetFilter());
    }
    EXPECT_TRUE(list.GetTail()->IsKindOf(RUNTIME_CLASS(CLeadViewerWnd)));
    list.DeleteAll();
    EXPECT_EQ(0, list.GetCount());
    // Only unknown types, or no key, give 0 and leave the list.
    ::RegDeleteTreeA(HKEY_CURRENT_USER, kRoot);
    list.AddViewer(5, 0, "bmp");
    list.AddViewer(9, 0, "gif"); // unknown: not appended
    EXPECT_EQ(1, list.GetCount());
    EXPECT_EQ(0, list.LoadFromRegistry(kRoot));
    AddKey("a", 42, 0, "xyz");
    EXPECT_EQ(0, list.LoadFromRegistry(kRoot));
    EXPECT_EQ(1, list.GetCount());
}

} // namespace
