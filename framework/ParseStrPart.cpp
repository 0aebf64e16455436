#include "ParseStrPart.h"
#include <mbstring.h>
#include <stdint.h>
#include "toolkit/MbcsText.h"

namespace {
bool IsAnsiLeadByte(unsigned char ch) { return _ismbblead(ch) != 0; }

// Where the split in progress on this thread goes on, as the runtime's
// tokenizer keeps it.
thread_local unsigned char* t_pContinuation = nullptr;

unsigned char* Token(unsigned char* pText, LPCSTR pszDelimiters)
{
    return mbcs::Token(pText, reinterpret_cast<const unsigned char*>(pszDelimiters), &t_pContinuation,
                       IsAnsiLeadByte);
}

// A split that goes on in text about to be freed ends here, so that a later
// GetNext on this thread answers 0 instead of reading freed memory.
void EndSplitIn(const CString& text)
{
    auto begin = reinterpret_cast<uintptr_t>(static_cast<LPCSTR>(text));
    auto at = reinterpret_cast<uintptr_t>(t_pContinuation);
    if (at >= begin && at <= begin + text.GetLength())
        t_pContinuation = nullptr;
}
}

CParseStrPart::CParseStrPart() : m_pString(nullptr) {}

CParseStrPart::CParseStrPart(const CParseStrPart& src)
    : m_pString(src.m_pString), m_strWork(src.m_strWork) {}

CParseStrPart& CParseStrPart::operator=(const CParseStrPart& src)
{
    if (this != &src) {
        EndSplitIn(m_strWork);
        m_pString = src.m_pString;
        m_strWork = src.m_strWork;
    }
    return *this;
}

CParseStrPart::~CParseStrPart()
{
    EndSplitIn(m_strWork);
}

void CParseStrPart::Attach(CString* pString)
{
    m_pString = pString;
}

int CParseStrPart::GetFirst(LPCSTR pszDelimiters, CString* pToken)
{
    if (!m_pString || !pszDelimiters)
        return 0;
    // A fresh copy: any earlier split of this object is discarded, and later
    // changes of the attached string do not reach the running split.
    EndSplitIn(m_strWork);
    m_strWork = (LPCSTR)*m_pString;
    unsigned char* pText = reinterpret_cast<unsigned char*>(m_strWork.GetBuffer(m_strWork.GetLength() + 1));
    return TakeToken(Token(pText, pszDelimiters), pToken);
}

int CParseStrPart::GetNext(LPCSTR pszDelimiters, CString* pToken)
{
    if (!pszDelimiters)
        return 0;
    return TakeToken(Token(nullptr, pszDelimiters), pToken);
}

int CParseStrPart::TakeToken(const unsigned char* pToken, CString* pOut)
{
    if (!pToken)
        return 0;
    // Tokens longer than the usual 255 characters grow the string; nothing is cut.
    if (pOut)
        *pOut = reinterpret_cast<LPCSTR>(pToken);
    return 1;
}
