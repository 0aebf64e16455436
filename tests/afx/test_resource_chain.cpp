// The resource chain and creation by class name, seen from the host while
// QRV.dll is loaded as an extension module.
#include <afxwin.h>
#include <gtest/gtest.h>
#include "afx_tests_res.h"

namespace {

class ResourceChain : public ::testing::Test {
protected:
    HMODULE hQrv = nullptr;
    void SetUp() override { ASSERT_NE(nullptr, hQrv = ::LoadLibraryA("QRV.dll")); }
    void TearDown() override
    {
        if (hQrv)
            ::FreeLibrary(hQrv);
    }
};

TEST_F(ResourceChain, StringOnlyTheLibraryHasIsFoundFromTheHost)
{
    CString s;
    ASSERT_TRUE(s.LoadString(22303));
    EXPECT_STREQ("Kann aktiven Treiber nicht entfernen.", s);
    ASSERT_TRUE(s.LoadString(22315));
    EXPECT_STREQ("\xDC"
                 "bernehmen",
                 s)
        << "the ANSI text is code page 1252";
    EXPECT_EQ(hQrv, AfxFindStringResourceHandle(22303));
    // The host's own strings are searched first.
    EXPECT_EQ(AfxGetInstanceHandle(), AfxFindStringResourceHandle(IDS_TEST_HOST_ONLY));
}

TEST_F(ResourceChain, UnloadingTheLibraryTakesItsResourcesAndClassesAway)
{
    ::FreeLibrary(hQrv);
    hQrv = nullptr;
    CString s("alt");
    EXPECT_FALSE(s.LoadString(22303));
    EXPECT_TRUE(s.IsEmpty());
    EXPECT_EQ(AfxGetResourceHandle(), AfxFindResourceHandle(MAKEINTRESOURCEA(22301), (LPCSTR)RT_DIALOG));
    EXPECT_EQ(nullptr, CRuntimeClass::FromName("QRVBaudRateMgr"));
}

TEST_F(ResourceChain, LibraryClassesAreCreatableByName)
{
    for (const char *name : {"QRVBaudRateMgr", "QRVMemoryMgr", "QRVTrendMemoryMgr", "QRVTimerMgr"}) {
        CRuntimeClass *pClass = CRuntimeClass::FromName(name);
        ASSERT_NE(nullptr, pClass) << name;
        EXPECT_EQ(hQrv, pClass->m_hModule) << name;
        CObject *pObject = CRuntimeClass::CreateObject(name);
        ASSERT_NE(nullptr, pObject) << name;
        EXPECT_STREQ(name, pObject->GetRuntimeClass()->m_lpszClassName);
        EXPECT_TRUE(pObject->IsKindOf(RUNTIME_CLASS(CCmdTarget)));
        delete pObject;
    }
    EXPECT_EQ(nullptr, CRuntimeClass::CreateObject("QRVNoSuchClass"));
    EXPECT_EQ(nullptr, CRuntimeClass::CreateObject("CWinApp")) << "not creatable";
}

} // namespace
