#include "ParseStrPart.h"
#include <mbstring.h>

CParseStrPart::CParseStrPart() : m_pString(nullptr) {}

CParseStrPart::CParseStrPart(const CParseStrPart& src)
    : m_pString(src.m_pString), m_strWork(src.m_strWork) {}

CParseStrPart& CParseStrPart::operator=(const CParseStrPart& src)
{
    if (this != &src) {
        m_pString = src.m_pString;
        m_strWork = src.m_strWork;
    }
    return *this;
}

CParseStrPart::~CParseStrPart() {}

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
    m_strWork = (LPCSTR)*m_pString;
    unsigned char* pText = reinterpret_cast<unsigned char*>(m_strWork.GetBuffer(m_strWork.GetLength() + 1));
    return TakeToken(_mbstok(pText, reinterpret_cast<const unsigned char*>(pszDelimiters)), pToken);
}

int CParseStrPart::GetNext(LPCSTR pszDelimiters, CString* pToken)
{
    if (!pszDelimiters)
        return 0;
    return TakeToken(_mbstok(nullptr, reinterpret_cast<const unsigned char*>(pszDelimiters)), pToken);
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
