// CParseStrPart: splits an attached string into tokens as the runtime's
// multibyte tokenizer does, in the current multibyte code page. The parser
// works on a private copy of the text, so the attached string is never
// changed, but the continuation point between GetFirst and GetNext is kept
// per thread, as the runtime's tokenizer keeps it: only one split can be in
// progress on a thread at a time.
#pragma once
#include <afx.h>

class AFX_EXT_CLASS CParseStrPart
{
public:
    CParseStrPart();
    CParseStrPart(const CParseStrPart& src);
    CParseStrPart& operator=(const CParseStrPart& src);
    virtual ~CParseStrPart();

    // Remembers the string; Attach must come before GetFirst.
    void Attach(CString* pString);

    // 1 and the first token of the attached text, or 0 (pToken unchanged).
    int GetFirst(LPCSTR pszDelimiters, CString* pToken);
    // 1 and the next token of the split the last GetFirst on this thread started, or 0.
    int GetNext(LPCSTR pszDelimiters, CString* pToken);

protected:
    CString* m_pString;   // not owned
    CString m_strWork;    // cut up in place by the tokenizer

private:
    static int TakeToken(const unsigned char* pToken, CString* pOut);
};
