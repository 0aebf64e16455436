#include "toolkit/PlxUtil.h"

namespace
{
struct Journal
{
    CPlxUtil::Call aCalls[CPlxUtil::kMaxCalls];
    int nCount = 0;
    int nPrepareResult = 1;
};

Journal& TheJournal()
{
    static Journal journal;
    return journal;
}
} // namespace

int CPlxUtil::PrepareSetup(void* pDest, const void* pSource)
{
    Record(opPrepare, pDest, pSource);
    return TheJournal().nPrepareResult;
}

void CPlxUtil::ReleaseSetup(void* pSetup)
{
    Record(opRelease, pSetup, nullptr);
}

int CPlxUtil::GetCallCount()
{
    return TheJournal().nCount;
}

BOOL CPlxUtil::GetCall(int nIndex, Call& call)
{
    Journal& journal = TheJournal();
    if (nIndex < 0 || nIndex >= journal.nCount)
        return FALSE;
    call = journal.aCalls[nIndex];
    return TRUE;
}

void CPlxUtil::ResetCalls()
{
    TheJournal().nCount = 0;
}

void CPlxUtil::SetPrepareResult(int nResult)
{
    TheJournal().nPrepareResult = nResult;
}

// When the journal is full the oldest call makes room, so the latest calls
// are always visible.
void CPlxUtil::Record(int nOperation, const void* pSetup, const void* pSource)
{
    Journal& journal = TheJournal();
    if (journal.nCount == kMaxCalls)
    {
        memmove(journal.aCalls, journal.aCalls + 1, sizeof(Call) * (kMaxCalls - 1));
        --journal.nCount;
    }
    journal.aCalls[journal.nCount++] = Call{nOperation, pSetup, pSource};
}
