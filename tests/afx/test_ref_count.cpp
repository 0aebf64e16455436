// OLE reference counts of command targets: an object starts with one
// reference, the last release calls OnFinalRelease (which deletes it), and
// a data source hands out its IDataObject counted on the same references.
#include <afxole.h>
#include <gtest/gtest.h>

namespace {

class CCounted : public CCmdTarget {
public:
    CCounted(int *pFinal, bool *pDeleted) : m_pFinal(pFinal), m_pDeleted(pDeleted) {}
    ~CCounted() override { *m_pDeleted = true; }
    void OnFinalRelease() override
    {
        ++*m_pFinal;
        CCmdTarget::OnFinalRelease();
    }
    int *m_pFinal;
    bool *m_pDeleted;
};

TEST(RefCount, TheLastReleaseCallsOnFinalReleaseWhichDeletes)
{
    int nFinal = 0;
    bool bDeleted = false;
    CCounted *p = new CCounted(&nFinal, &bDeleted);
    EXPECT_EQ(1, p->m_dwRef);
    EXPECT_EQ(2u, p->InternalAddRef());
    EXPECT_EQ(3u, p->ExternalAddRef());
    EXPECT_EQ(2u, p->ExternalRelease());
    EXPECT_EQ(1u, p->InternalRelease());
    EXPECT_FALSE(nFinal || bDeleted);
    EXPECT_EQ(0u, p->InternalRelease());
    EXPECT_TRUE(nFinal == 1 && bDeleted);

    CCmdTarget target;
    EXPECT_EQ(nullptr, target.GetInterface(&IID_IUnknown)) << "a target without interfaces has none";
    EXPECT_EQ(nullptr, target.GetInterface(nullptr));
}

TEST(RefCount, ADataSourceCountsItsDataObjectsReferences)
{
    COleDataSource *pSource = new COleDataSource;
    LPUNKNOWN pUnk = pSource->GetInterface(&IID_IDataObject);
    ASSERT_NE(nullptr, pUnk);
    EXPECT_EQ(static_cast<LPUNKNOWN>(pSource->GetDataObject()), pUnk);
    EXPECT_EQ(nullptr, pSource->GetInterface(&IID_IDropTarget));

    IDataObject *pData = nullptr;
    ASSERT_EQ(S_OK, pUnk->QueryInterface(IID_IDataObject, reinterpret_cast<void **>(&pData)));
    EXPECT_EQ(2, pSource->m_dwRef);
    pSource->InternalRelease();
    EXPECT_EQ(1, pSource->m_dwRef) << "OLE's reference keeps the source";
    EXPECT_EQ(0u, pData->Release()) << "and its release ends it";
}

} // namespace
