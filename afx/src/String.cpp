#include "String.h"
#include "ModuleChain.h"
#include <mbstring.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <new>

namespace {
char g_emptyText[1] = { 0 };

const unsigned char* U(LPCSTR p) { return reinterpret_cast<const unsigned char*>(p); }
}

CString::CString() : m_pchData(g_emptyText), m_nLength(0), m_nAlloc(0) {}

CString::CString(const CString& src) : CString() { Assign(src.m_pchData, src.m_nLength); }

CString::CString(CString&& src) noexcept
    : m_pchData(src.m_pchData), m_nLength(src.m_nLength), m_nAlloc(src.m_nAlloc)
{
    src.m_pchData = g_emptyText;
    src.m_nLength = src.m_nAlloc = 0;
}

CString::CString(LPCSTR psz) : CString()
{
    // Like MFC, a "pointer" below 64K is a string resource id.
    if (psz != nullptr && HIWORD(reinterpret_cast<ULONG_PTR>(psz)) == 0 &&
        reinterpret_cast<ULONG_PTR>(psz) != 0) {
        LoadString(LOWORD(reinterpret_cast<ULONG_PTR>(psz)));
        return;
    }
    Assign(psz, SafeStrlen(psz));
}

CString::CString(LPCSTR pch, int nLength) : CString() { Assign(pch, pch ? nLength : 0); }

CString::CString(char ch, int nRepeat) : CString()
{
    if (nRepeat > 0) {
        Reserve(nRepeat);
        memset(m_pchData, ch, nRepeat);
        SetLength(nRepeat);
    }
}

CString::~CString()
{
    if (m_nAlloc)
        free(m_pchData);
}

int CString::SafeStrlen(LPCSTR psz) const { return psz ? static_cast<int>(strlen(psz)) : 0; }

void CString::Reserve(int nLength)
{
    if (nLength <= m_nAlloc)
        return;
    int nNew = nLength < 15 ? 15 : nLength;
    char* p = static_cast<char*>(m_nAlloc ? realloc(m_pchData, nNew + 1) : malloc(nNew + 1));
    if (!p)
        throw std::bad_alloc();
    if (!m_nAlloc)
        memcpy(p, m_pchData, m_nLength + 1);
    m_pchData = p;
    m_nAlloc = nNew;
}

void CString::SetLength(int nLength)
{
    m_nLength = nLength;
    if (m_nAlloc)
        m_pchData[nLength] = 0;
}

void CString::Assign(LPCSTR pch, int nLength)
{
    if (nLength <= 0) {
        Empty();
        return;
    }
    if (pch >= m_pchData && pch <= m_pchData + m_nLength) {  // part of ourselves
        CString copy(pch, nLength);
        *this = static_cast<CString&&>(copy);
        return;
    }
    Reserve(nLength);
    memcpy(m_pchData, pch, nLength);
    SetLength(nLength);
}

void CString::Append(LPCSTR pch, int nLength)
{
    if (nLength <= 0)
        return;
    if (pch >= m_pchData && pch <= m_pchData + m_nLength) {
        CString copy(pch, nLength);
        Append(copy.m_pchData, nLength);
        return;
    }
    Reserve(m_nLength + nLength);
    memcpy(m_pchData + m_nLength, pch, nLength);
    SetLength(m_nLength + nLength);
}

void CString::Empty()
{
    if (m_nAlloc)
        free(m_pchData);
    m_pchData = g_emptyText;
    m_nLength = m_nAlloc = 0;
}

void CString::SetAt(int nIndex, char ch)
{
    if (nIndex >= 0 && nIndex < m_nLength)
        m_pchData[nIndex] = ch;
}

CString& CString::operator=(const CString& src)
{
    if (this != &src)
        Assign(src.m_pchData, src.m_nLength);
    return *this;
}

CString& CString::operator=(CString&& src) noexcept
{
    if (this != &src) {
        if (m_nAlloc)
            free(m_pchData);
        m_pchData = src.m_pchData;
        m_nLength = src.m_nLength;
        m_nAlloc = src.m_nAlloc;
        src.m_pchData = g_emptyText;
        src.m_nLength = src.m_nAlloc = 0;
    }
    return *this;
}

CString& CString::operator=(LPCSTR psz) { Assign(psz, SafeStrlen(psz)); return *this; }
CString& CString::operator=(char ch) { Assign(&ch, 1); return *this; }
CString& CString::operator+=(const CString& src) { Append(src.m_pchData, src.m_nLength); return *this; }
CString& CString::operator+=(LPCSTR psz) { Append(psz, SafeStrlen(psz)); return *this; }
CString& CString::operator+=(char ch) { Append(&ch, 1); return *this; }

int CString::Compare(LPCSTR psz) const { return _mbscmp(U(m_pchData), U(psz ? psz : "")); }
int CString::CompareNoCase(LPCSTR psz) const { return _mbsicmp(U(m_pchData), U(psz ? psz : "")); }
int CString::Collate(LPCSTR psz) const { return _mbscoll(U(m_pchData), U(psz ? psz : "")); }
int CString::CollateNoCase(LPCSTR psz) const { return _mbsicoll(U(m_pchData), U(psz ? psz : "")); }

CString CString::Mid(int nFirst) const { return Mid(nFirst, m_nLength - nFirst); }

CString CString::Mid(int nFirst, int nCount) const
{
    if (nFirst < 0)
        nFirst = 0;
    if (nCount < 0)
        nCount = 0;
    if (nFirst > m_nLength)
        nFirst = m_nLength;
    if (nCount > m_nLength - nFirst)
        nCount = m_nLength - nFirst;
    return CString(m_pchData + nFirst, nCount);
}

CString CString::Left(int nCount) const { return Mid(0, nCount); }

CString CString::Right(int nCount) const
{
    if (nCount < 0)
        nCount = 0;
    if (nCount > m_nLength)
        nCount = m_nLength;
    return CString(m_pchData + m_nLength - nCount, nCount);
}

CString CString::SpanIncluding(LPCSTR pszCharSet) const
{
    return Left(static_cast<int>(_mbsspn(U(m_pchData), U(pszCharSet))));
}

CString CString::SpanExcluding(LPCSTR pszCharSet) const
{
    return Left(static_cast<int>(_mbscspn(U(m_pchData), U(pszCharSet))));
}

void CString::MakeUpper() { if (m_nAlloc) _mbsupr(reinterpret_cast<unsigned char*>(m_pchData)); }
void CString::MakeLower() { if (m_nAlloc) _mbslwr(reinterpret_cast<unsigned char*>(m_pchData)); }
void CString::MakeReverse() { if (m_nAlloc) _mbsrev(reinterpret_cast<unsigned char*>(m_pchData)); }

int CString::Replace(char chOld, char chNew)
{
    int n = 0;
    for (int i = 0; i < m_nLength; ++i)
        if (m_pchData[i] == chOld && chOld != chNew) {
            m_pchData[i] = chNew;
            ++n;
        }
    return n;
}

int CString::Replace(LPCSTR pszOld, LPCSTR pszNew)
{
    int nOld = SafeStrlen(pszOld);
    if (nOld == 0)
        return 0;
    CString result;
    int n = 0, i = 0;
    for (int pos; (pos = Find(pszOld, i)) >= 0; i = pos + nOld, ++n) {
        result.Append(m_pchData + i, pos - i);
        result += pszNew;
    }
    if (n) {
        result.Append(m_pchData + i, m_nLength - i);
        *this = static_cast<CString&&>(result);
    }
    return n;
}

int CString::Remove(char ch)
{
    int j = 0;
    for (int i = 0; i < m_nLength; ++i)
        if (m_pchData[i] != ch)
            m_pchData[j++] = m_pchData[i];
    int n = m_nLength - j;
    if (n)
        SetLength(j);
    return n;
}

int CString::Insert(int nIndex, char ch) { return Insert(nIndex, CString(ch, 1)); }

int CString::Insert(int nIndex, LPCSTR psz)
{
    if (nIndex < 0)
        nIndex = 0;
    if (nIndex > m_nLength)
        nIndex = m_nLength;
    CString result(m_pchData, nIndex);
    result += psz;
    result.Append(m_pchData + nIndex, m_nLength - nIndex);
    *this = static_cast<CString&&>(result);
    return m_nLength;
}

int CString::Delete(int nIndex, int nCount)
{
    if (nIndex < 0)
        nIndex = 0;
    if (nCount > 0 && nIndex < m_nLength) {
        if (nCount > m_nLength - nIndex)
            nCount = m_nLength - nIndex;
        memmove(m_pchData + nIndex, m_pchData + nIndex + nCount, m_nLength - nIndex - nCount);
        SetLength(m_nLength - nCount);
    }
    return m_nLength;
}

void CString::TrimRight() { TrimRight(" \t\r\n\v\f"); }
void CString::TrimLeft() { TrimLeft(" \t\r\n\v\f"); }
void CString::TrimRight(char chTarget) { char s[2] = { chTarget, 0 }; TrimRight(s); }
void CString::TrimLeft(char chTarget) { char s[2] = { chTarget, 0 }; TrimLeft(s); }

void CString::TrimRight(LPCSTR pszTargets)
{
    int n = m_nLength;
    while (n > 0 && m_pchData[n - 1] && strchr(pszTargets, m_pchData[n - 1]))
        --n;
    if (n != m_nLength)
        SetLength(n);
}

void CString::TrimLeft(LPCSTR pszTargets)
{
    int n = 0;
    while (n < m_nLength && m_pchData[n] && strchr(pszTargets, m_pchData[n]))
        ++n;
    if (n)
        Delete(0, n);
}

int CString::Find(char ch) const { return Find(ch, 0); }

int CString::Find(char ch, int nStart) const
{
    if (nStart < 0 || nStart >= m_nLength)
        return -1;
    const unsigned char* p = _mbschr(U(m_pchData + nStart), static_cast<unsigned char>(ch));
    return p ? static_cast<int>(p - U(m_pchData)) : -1;
}

int CString::Find(LPCSTR pszSub) const { return Find(pszSub, 0); }

int CString::Find(LPCSTR pszSub, int nStart) const
{
    if (nStart < 0 || nStart > m_nLength || !pszSub)
        return -1;
    const unsigned char* p = _mbsstr(U(m_pchData + nStart), U(pszSub));
    return p ? static_cast<int>(p - U(m_pchData)) : -1;
}

int CString::ReverseFind(char ch) const
{
    const unsigned char* p = _mbsrchr(U(m_pchData), static_cast<unsigned char>(ch));
    return p ? static_cast<int>(p - U(m_pchData)) : -1;
}

int CString::FindOneOf(LPCSTR pszCharSet) const
{
    const unsigned char* p = _mbspbrk(U(m_pchData), U(pszCharSet));
    return p ? static_cast<int>(p - U(m_pchData)) : -1;
}

void CString::FormatV(LPCSTR pszFormat, va_list argList)
{
    va_list copy;
    va_copy(copy, argList);
    int n = _vscprintf(pszFormat, copy);
    va_end(copy);
    if (n < 0) {
        Empty();
        return;
    }
    CString result;
    result.Reserve(n);
    _vsnprintf(result.m_pchData, n + 1, pszFormat, argList);
    result.SetLength(n);
    *this = static_cast<CString&&>(result);
}

void AFX_CDECL CString::Format(LPCSTR pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    FormatV(pszFormat, args);
    va_end(args);
}

void AFX_CDECL CString::Format(UINT nFormatID, ...)
{
    CString format;
    if (!format.LoadString(nFormatID))
        return;
    va_list args;
    va_start(args, nFormatID);
    FormatV(format, args);
    va_end(args);
}

BOOL CString::LoadString(UINT nID)
{
    HINSTANCE hInst = AfxFindStringResourceHandle(nID);
    if (!hInst)
        return FALSE;
    for (int nSize = 256;; nSize *= 4) {
        CString buf;
        int n = ::LoadStringA(hInst, nID, buf.GetBuffer(nSize), nSize + 1);
        if (n < nSize || nSize >= 65536) {
            buf.ReleaseBuffer(n);
            *this = static_cast<CString&&>(buf);
            return n > 0;
        }
    }
}

LPSTR CString::GetBuffer(int nMinBufLength)
{
    Reserve(nMinBufLength > m_nLength ? nMinBufLength : (m_nLength ? m_nLength : 1));
    return m_pchData;
}

LPSTR CString::GetBufferSetLength(int nNewLength)
{
    if (nNewLength < 0)
        nNewLength = 0;
    GetBuffer(nNewLength);
    if (nNewLength > m_nLength)
        memset(m_pchData + m_nLength, 0, nNewLength - m_nLength);
    SetLength(nNewLength);
    return m_pchData;
}

void CString::ReleaseBuffer(int nNewLength)
{
    if (!m_nAlloc)
        return;
    if (nNewLength < 0)
        nNewLength = static_cast<int>(strnlen(m_pchData, m_nAlloc));
    if (nNewLength > m_nAlloc)
        nNewLength = m_nAlloc;
    SetLength(nNewLength);
}

void CString::FreeExtra()
{
    if (m_nAlloc > m_nLength && m_nLength) {
        CString copy(m_pchData, m_nLength);
        *this = static_cast<CString&&>(copy);
    }
}

CString AFXAPI operator+(const CString& s1, const CString& s2) { CString r(s1); r += s2; return r; }
CString AFXAPI operator+(const CString& s, LPCSTR psz) { CString r(s); r += psz; return r; }
CString AFXAPI operator+(LPCSTR psz, const CString& s) { CString r(psz); r += s; return r; }
CString AFXAPI operator+(const CString& s, char ch) { CString r(s); r += ch; return r; }
CString AFXAPI operator+(char ch, const CString& s) { CString r(ch, 1); r += s; return r; }
