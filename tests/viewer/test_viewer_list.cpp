// The viewer list read from the registry: the "File Info" split, types the
// list does not know, subkeys that do not open and a missing key.
#include <gtest/gtest.h>

#include "tests/viewer/FakeViewer.h"
#include "viewer/LeadViewerWnd.h"
#include "viewer/ViewerList.h"

using viewertest::FakeViewer;

namespace {

const char kRoot[] = "Software\\QRV Tests\\Viewers";

// Type 1 comes from the library; type 5 stands for a host's own viewer class.
class HostViewerList : public CViewerList
{
protected:
    CViewerWnd* CreateViewerObject(UINT nType) override
    {
        if (nType == 5)
            return new FakeViewer(5, "");
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
    void AddKey(const char* pszName, DWORD dwType, DWORD dwStyle, const char* pszInfo)
    {
        HKEY hKey;
        std::string path = std::string(kRoot) + "\\" + pszName;
        ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                                   nullptr, &hKey, nullptr));
        ::RegSetValueExA(hKey, "Type", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dwType), sizeof(dwType));
        ::RegSetValueExA(hKey, "Style", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dwStyle), sizeof(dwStyle));
        if (pszInfo)
            ::RegSetValueExA(hKey, "File Info", 0, REG_SZ, reinterpret_cast<const BYTE*>(pszInfo),
                             DWORD(strlen(pszInfo) + 1));
        ::RegCloseKey(hKey);
    }
    HostViewerList list;
};

TEST_F(ViewerListTest, FileInfoSplitsAtTheFirstBar)
{
    AddKey("a", 5, 0x02000000, "bmp;dib|Bitmaps (*.bmp)|*.bmp");
    AddKey("b", 5, 0, "png");
    AddKey("c", 5, 0, "");
    ASSERT_EQ(1, list.LoadFromRegistry(kRoot));
    ASSERT_EQ(3, list.GetCount());
    CViewerWnd* a = list.GetHead();
    EXPECT_STREQ("bmp;dib", a->GetExt());
    EXPECT_STREQ("Bitmaps (*.bmp)|*.bmp", a->GetFilter());
    EXPECT_EQ(0x02000000u, a->GetViewerStyle());
    CViewerWnd* b = list.GetAt(list.FindIndex(1));
    EXPECT_STREQ("png", b->GetExt());
    EXPECT_STREQ("", b->GetFilter());
    CViewerWnd* c = list.GetTail();
    EXPECT_STREQ("", c->GetExt());
}

TEST_F(ViewerListTest, TypeOneIsTheImageViewerAndUnknownTypesAddNothing)
{
    AddKey("a", 1, VWS_PANELTABS, "bmp|Bitmaps");
    AddKey("b", 42, 0, "xyz");
    ASSERT_EQ(1, list.LoadFromRegistry(kRoot));
    ASSERT_EQ(1, list.GetCount());
    CViewerWnd* pViewer = list.GetHead();
    EXPECT_TRUE(pViewer->IsKindOf(RUNTIME_CLASS(CLeadViewerWnd)));
    EXPECT_EQ(1u, pViewer->GetType());
    EXPECT_EQ(DWORD(VWS_PANELTABS), pViewer->GetViewerStyle());
}

TEST_F(ViewerListTest, OnlyUnknownTypesGiveZero)
{
    AddKey("a", 42, 0, "xyz");
    EXPECT_EQ(0, list.LoadFromRegistry(kRoot));
    EXPECT_EQ(0, list.GetCount());
}

TEST_F(ViewerListTest, MissingValuesReadAsZeroAndEmpty)
{
    AddKey("a", 5, 0, nullptr);
    ASSERT_EQ(1, list.LoadFromRegistry(kRoot));
    EXPECT_STREQ("", list.GetHead()->GetExt());
}

TEST_F(ViewerListTest, SubkeyThatDoesNotOpenIsSkipped)
{
    AddKey("a", 5, 0, "bmp");
    AddKey("b", 5, 0, "png");
    // A key whose security grants nobody anything cannot be opened with full access.
    HKEY hKey;
    std::string path = std::string(kRoot) + "\\b";
    ASSERT_EQ(ERROR_SUCCESS, ::RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_ALL_ACCESS, &hKey));
    SECURITY_DESCRIPTOR sd;
    ::InitializeSecurityDescriptor(&sd, SECURITY_DESCRIPTOR_REVISION);
    ACL acl;
    ::InitializeAcl(&acl, sizeof(acl), ACL_REVISION);
    ::SetSecurityDescriptorDacl(&sd, TRUE, &acl, FALSE);
    LONG lSet = ::RegSetKeySecurity(hKey, DACL_SECURITY_INFORMATION, &sd);
    ::RegCloseKey(hKey);
    HKEY hProbe;
    if (lSet != ERROR_SUCCESS
        || ::RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_ALL_ACCESS, &hProbe) == ERROR_SUCCESS) {
        if (lSet == ERROR_SUCCESS)
            ::RegCloseKey(hProbe);
        GTEST_SKIP() << "the platform opens keys whatever their security";
    }
    ASSERT_EQ(1, list.LoadFromRegistry(kRoot));
    ASSERT_EQ(1, list.GetCount());
    EXPECT_STREQ("bmp", list.GetHead()->GetExt());
}

TEST_F(ViewerListTest, MissingKeyGivesZeroAndLeavesTheList)
{
    list.AddViewer(5, 0, "bmp");
    EXPECT_EQ(0, list.LoadFromRegistry(kRoot));
    EXPECT_EQ(1, list.GetCount());
}

TEST_F(ViewerListTest, DeleteAllEmptiesTheList)
{
    list.AddViewer(5, 0, "bmp");
    list.AddViewer(1, 0, "png");
    list.AddViewer(9, 0, "gif");   // unknown: not appended
    EXPECT_EQ(2, list.GetCount());
    list.DeleteAll();
    EXPECT_EQ(0, list.GetCount());
}

}  // namespace
