// CPlxUtil: stand-in for the utility library's preparation and release of a
// working controller setup around a driver's setup dialog. Preparation is
// called after the working copy already holds the bytes of the source setup
// and says whether the copy may be used; release gives a setup up. Neither
// keeps resources of its own here, so they only keep a short journal of
// their calls, which callers and tests read to see what was prepared and
// given up.
#pragma once
#include <afx.h>

class AFX_EXT_CLASS CPlxUtil
{
public:
    enum Operation { opPrepare = 163, opRelease = 164 };

    struct Call
    {
        int nOperation;         // opPrepare or opRelease
        const void* pSetup;     // the setup prepared or given up
        const void* pSource;    // the source of a preparation, else null
    };

    // Prepares the working setup pDest from pSource; non-zero when it may be used.
    static int PrepareSetup(void* pDest, const void* pSource);
    // Gives up a setup that was prepared or handed over.
    static void ReleaseSetup(void* pSetup);

    // Journal of the most recent calls, oldest first.
    static int GetCallCount();
    static BOOL GetCall(int nIndex, Call& call);
    static void ResetCalls();
    // Result of the next preparations; 1 until changed.
    static void SetPrepareResult(int nResult);

    // Converts a packed DIB in global memory to a new DIB of nBits bits per
    // pixel that the caller frees; 16-bit (bit-field or 5-5-5) to 24 bits is
    // what the viewer asks for. Null for any other request or a malformed DIB.
    static HGLOBAL ConvertDib(HGLOBAL hDib, int nBits, int nFlags);

    enum { kMaxCalls = 64 };

private:
    static void Record(int nOperation, const void* pSetup, const void* pSource);
};
