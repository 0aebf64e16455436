// The lifetimes of framework objects a host shares with afx.dll: exceptions
// thrown inside it, caught in the host with TRY/CATCH, the handler's exception
// deleted at its end, THROW_LAST passing it on to an outer handler; and OLE
// reference counts of command targets: an object starts with one reference,
// the last release calls OnFinalRelease (which deletes it).
#include <afxwin.h>
#include <afxext.h>
#include <afxdisp.h>
#include <gtest/gtest.h>

// Host headers check the framework's include guards, as with MFC.
#if !defined(__AFX_H__) || !defined(__AFXWIN_H__) || !defined(__AFXEXT_H__) || !defined(__AFXDLGS_H__) ||    \
    !defined(__AFXCOLL_H__) || !defined(__AFXDISP_H__)
#error the framework's headers do not define MFC's include guards
#endif

namespace {

// Counts the exceptions of this kind alive, so that a test sees the handler
// delete them.
class CCountedException : public CException {
public:
    CCountedException() { ++s_nAlive; }
    ~CCountedException() override { --s_nAlive; }
    static inline int s_nAlive = 0;
};

// What the handlers of one TRY saw: which of them ran and the message.
template <class Throw> std::string CatchFromTheFramework(Throw pfnThrow)
{
    std::string seen;
    TRY
    {
        pfnThrow();
        seen = "nothing thrown";
    }
    CATCH(CMemoryException, e)
    {
        char sz[128] = "";
        EXPECT_TRUE(e->GetErrorMessage(sz, sizeof sz));
        seen = std::string("memory: ") + sz;
    }
    AND_CATCH(CResourceException, e)
    {
        seen = e->IsKindOf(RUNTIME_CLASS(CException)) ? "resource" : "resource of no kind";
    }
    AND_CATCH_ALL(e)
    {
        seen = std::string("other: ") + e->GetRuntimeClass()->m_lpszClassName;
    }
    END_CATCH_ALL
    return seen;
}

TEST(AfxExceptions, HostHandlersCatchWhatTheFrameworkThrows)
{
    EXPECT_EQ("memory: Nicht genügend Arbeitsspeicher.", CatchFromTheFramework(AfxThrowMemoryException));
    EXPECT_EQ("resource", CatchFromTheFramework(AfxThrowResourceException));
    EXPECT_EQ("other: CNotSupportedException", CatchFromTheFramework(AfxThrowNotSupportedException));
    EXPECT_EQ("other: CUserException", CatchFromTheFramework(AfxThrowUserException));
    EXPECT_EQ("nothing thrown", CatchFromTheFramework([] { ENSURE(1 + 1 == 2); }));
    EXPECT_EQ("other: CInvalidArgException", CatchFromTheFramework([] { ENSURE(1 + 1 == 3); }));
}

TEST(AfxExceptions, HandlerDeletesItsExceptionUnlessThrownOn)
{
    TRY
    {
        THROW(new CCountedException);
    }
    CATCH(CCountedException, e)
    {
        EXPECT_EQ(1, CCountedException::s_nAlive);
    }
    END_CATCH
    EXPECT_EQ(0, CCountedException::s_nAlive) << "the handler's end deleted it";

    CException *pOuter = nullptr;
    try {
        TRY
        {
            THROW(new CCountedException);
        }
        CATCH_ALL(e)
        {
            THROW_LAST();
        }
        END_CATCH_ALL
    } catch (CException *e) {
        pOuter = e;
    }
    ASSERT_NE(nullptr, pOuter);
    EXPECT_EQ(1, CCountedException::s_nAlive) << "THROW_LAST passed it on alive";
    pOuter->Delete();
    EXPECT_EQ(0, CCountedException::s_nAlive);
}

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

} // namespace
