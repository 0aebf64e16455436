#include "Archive.h"

#include <string.h>

namespace {
const UINT kMinBufSize = 128;
}

CArchive::CArchive(CFile* pFile, UINT nMode, int nBufSize, void* lpBuf)
    : m_pDocument(nullptr), m_pFile(pFile), m_nMode(nMode), m_nObjectSchema((UINT)-1),
      m_bUserBuf(lpBuf != nullptr && nBufSize >= (int)kMinBufSize),
      m_nBufSize(nBufSize < (int)kMinBufSize ? kMinBufSize : (UINT)nBufSize)
{
    if (m_pFile)
        m_strFileName = m_pFile->GetFilePath();
    // A caller's buffer too small for the largest value is not used.
    m_lpBufStart = m_bUserBuf ? static_cast<BYTE*>(lpBuf) : new BYTE[m_nBufSize];
    m_lpBufCur = m_lpBufStart;
    // A loading archive starts empty; a storing one has the whole buffer free.
    m_lpBufMax = IsLoading() ? m_lpBufStart : m_lpBufStart + m_nBufSize;
}

CArchive::~CArchive()
{
    if (m_pFile && !(m_nMode & bNoFlushOnDelete)) {
        try {
            Close();
        } catch (CException* e) {
            e->Delete();
        }
    }
    if (!m_bUserBuf)
        delete[] m_lpBufStart;
}

void CArchive::Flush()
{
    if (!m_pFile)
        return;
    if (IsStoring()) {
        if (m_lpBufCur != m_lpBufStart)
            m_pFile->Write(m_lpBufStart, (UINT)(m_lpBufCur - m_lpBufStart));
        m_lpBufCur = m_lpBufStart;
    } else {
        if (m_lpBufMax != m_lpBufCur)
            m_pFile->Seek(-(LONG)(m_lpBufMax - m_lpBufCur), CFile::current);
        m_lpBufCur = m_lpBufMax = m_lpBufStart;
    }
}

void CArchive::Close()
{
    Flush();
    m_pFile = nullptr;
}

void CArchive::Abort()
{
    m_lpBufCur = m_lpBufStart;
    m_lpBufMax = IsLoading() ? m_lpBufStart : m_lpBufStart + m_nBufSize;
    m_pFile = nullptr;
}

void CArchive::FillBuffer(UINT nBytesNeeded)
{
    if (!m_pFile)
        AfxThrowArchiveException(CArchiveException::generic, m_strFileName);
    // Keep what is unread at the front and read as much as fits behind it.
    UINT nUnused = (UINT)(m_lpBufMax - m_lpBufCur);
    if (nUnused && m_lpBufCur != m_lpBufStart)
        memmove(m_lpBufStart, m_lpBufCur, nUnused);
    m_lpBufCur = m_lpBufStart;
    m_lpBufMax = m_lpBufStart + nUnused;
    while (nUnused < nBytesNeeded) {
        UINT nRead = m_pFile->Read(m_lpBufMax, m_nBufSize - nUnused);
        if (nRead == 0)
            break;
        nUnused += nRead;
        m_lpBufMax += nRead;
    }
    if (nUnused < nBytesNeeded)
        AfxThrowArchiveException(CArchiveException::endOfFile, m_strFileName);
}

UINT CArchive::Read(void* lpBuf, UINT nMax)
{
    if (nMax == 0)
        return 0;
    if (!IsLoading())
        AfxThrowArchiveException(CArchiveException::writeOnly, m_strFileName);
    if (!m_pFile || !lpBuf)
        AfxThrowArchiveException(CArchiveException::generic, m_strFileName);
    BYTE* pDest = static_cast<BYTE*>(lpBuf);
    UINT nDone = 0;
    while (nDone < nMax) {
        UINT nAvail = (UINT)(m_lpBufMax - m_lpBufCur);
        if (nAvail == 0) {
            // Large remainders go straight from the file; small ones through the buffer.
            if (nMax - nDone >= m_nBufSize) {
                UINT nRead = m_pFile->Read(pDest + nDone, nMax - nDone);
                nDone += nRead;
                if (nRead == 0)
                    break;
                continue;
            }
            m_lpBufCur = m_lpBufMax = m_lpBufStart;
            UINT nRead = m_pFile->Read(m_lpBufStart, m_nBufSize);
            if (nRead == 0)
                break;
            m_lpBufMax += nRead;
            continue;
        }
        UINT nCopy = nAvail < nMax - nDone ? nAvail : nMax - nDone;
        memcpy(pDest + nDone, m_lpBufCur, nCopy);
        m_lpBufCur += nCopy;
        nDone += nCopy;
    }
    return nDone;
}

void CArchive::Write(const void* lpBuf, UINT nMax)
{
    if (nMax == 0)
        return;
    if (!IsStoring())
        AfxThrowArchiveException(CArchiveException::readOnly, m_strFileName);
    if (!m_pFile || !lpBuf)
        AfxThrowArchiveException(CArchiveException::generic, m_strFileName);
    const BYTE* pSrc = static_cast<const BYTE*>(lpBuf);
    UINT nFree = (UINT)(m_lpBufMax - m_lpBufCur);
    if (nMax <= nFree) {
        memcpy(m_lpBufCur, pSrc, nMax);
        m_lpBufCur += nMax;
        return;
    }
    Flush();
    if (nMax >= m_nBufSize) {
        m_pFile->Write(pSrc, nMax);
        return;
    }
    memcpy(m_lpBufCur, pSrc, nMax);
    m_lpBufCur += nMax;
}

void CArchive::StoreBytes(const void* p, UINT n)
{
    if (!IsStoring())
        AfxThrowArchiveException(CArchiveException::readOnly, m_strFileName);
    if ((UINT)(m_lpBufMax - m_lpBufCur) < n)
        Flush();
    memcpy(m_lpBufCur, p, n);
    m_lpBufCur += n;
}

void CArchive::LoadBytes(void* p, UINT n)
{
    if (!IsLoading())
        AfxThrowArchiveException(CArchiveException::writeOnly, m_strFileName);
    if ((UINT)(m_lpBufMax - m_lpBufCur) < n)
        FillBuffer(n);
    memcpy(p, m_lpBufCur, n);
    m_lpBufCur += n;
}

CArchive& CArchive::operator<<(BYTE by) { StoreBytes(&by, sizeof by); return *this; }
CArchive& CArchive::operator<<(WORD w) { StoreBytes(&w, sizeof w); return *this; }
CArchive& CArchive::operator<<(LONG l) { StoreBytes(&l, sizeof l); return *this; }
CArchive& CArchive::operator<<(DWORD dw) { StoreBytes(&dw, sizeof dw); return *this; }
CArchive& CArchive::operator<<(float f) { StoreBytes(&f, sizeof f); return *this; }
CArchive& CArchive::operator<<(double d) { StoreBytes(&d, sizeof d); return *this; }
CArchive& CArchive::operator<<(int i) { return *this << (LONG)i; }
CArchive& CArchive::operator<<(short w) { return *this << (WORD)w; }
CArchive& CArchive::operator<<(char ch) { return *this << (BYTE)ch; }
CArchive& CArchive::operator<<(unsigned u) { return *this << (LONG)u; }
CArchive& CArchive::operator<<(bool b) { return *this << (BYTE)(b ? 1 : 0); }
CArchive& CArchive::operator<<(LONGLONG n) { StoreBytes(&n, sizeof n); return *this; }
CArchive& CArchive::operator<<(ULONGLONG n) { StoreBytes(&n, sizeof n); return *this; }

CArchive& CArchive::operator>>(BYTE& by) { LoadBytes(&by, sizeof by); return *this; }
CArchive& CArchive::operator>>(WORD& w) { LoadBytes(&w, sizeof w); return *this; }
CArchive& CArchive::operator>>(LONG& l) { LoadBytes(&l, sizeof l); return *this; }
CArchive& CArchive::operator>>(DWORD& dw) { LoadBytes(&dw, sizeof dw); return *this; }
CArchive& CArchive::operator>>(float& f) { LoadBytes(&f, sizeof f); return *this; }
CArchive& CArchive::operator>>(double& d) { LoadBytes(&d, sizeof d); return *this; }
CArchive& CArchive::operator>>(int& i) { LONG l; *this >> l; i = (int)l; return *this; }
CArchive& CArchive::operator>>(short& w) { WORD v; *this >> v; w = (short)v; return *this; }
CArchive& CArchive::operator>>(char& ch) { BYTE v; *this >> v; ch = (char)v; return *this; }
CArchive& CArchive::operator>>(unsigned& u) { LONG l; *this >> l; u = (unsigned)l; return *this; }
CArchive& CArchive::operator>>(bool& b) { BYTE v; *this >> v; b = v != 0; return *this; }
CArchive& CArchive::operator>>(LONGLONG& n) { LoadBytes(&n, sizeof n); return *this; }
CArchive& CArchive::operator>>(ULONGLONG& n) { LoadBytes(&n, sizeof n); return *this; }

void CArchive::WriteString(LPCSTR lpsz)
{
    if (lpsz)
        Write(lpsz, (UINT)strlen(lpsz));
}

LPSTR CArchive::ReadString(LPSTR lpsz, UINT nMax)
{
    if (!lpsz || nMax == 0)
        return nullptr;
    UINT n = 0;
    BOOL bAny = FALSE;
    char ch;
    while (n + 1 < nMax && Read(&ch, 1) == 1) {
        bAny = TRUE;
        if (ch == '\n')
            break;
        lpsz[n++] = ch;
    }
    if (n && lpsz[n - 1] == '\r')
        --n;
    lpsz[n] = '\0';
    return bAny ? lpsz : nullptr;
}

BOOL CArchive::ReadString(CString& rString)
{
    rString.Empty();
    BOOL bAny = FALSE;
    char ch;
    while (Read(&ch, 1) == 1) {
        bAny = TRUE;
        if (ch == '\n')
            break;
        rString += ch;
    }
    int n = rString.GetLength();
    if (n && rString[n - 1] == '\r')
        rString = rString.Left(n - 1);
    return bAny;
}

void CArchive::WriteStringLength(DWORD nLength)
{
    if (nLength < 0xFF) {
        *this << (BYTE)nLength;
    } else if (nLength < 0xFFFE) {
        *this << (BYTE)0xFF << (WORD)nLength;
    } else {
        *this << (BYTE)0xFF << (WORD)0xFFFF << (DWORD)nLength;
    }
}

INT_PTR CArchive::ReadStringLength()
{
    BYTE by;
    *this >> by;
    if (by < 0xFF)
        return by;
    WORD w;
    *this >> w;
    if (w == 0xFFFE)
        return -1;
    if (w < 0xFFFF)
        return w;
    DWORD dw;
    *this >> dw;
    return (INT_PTR)dw;
}

CArchive& AFXAPI operator<<(CArchive& ar, const CString& string)
{
    ar.WriteStringLength((DWORD)string.GetLength());
    ar.Write((LPCSTR)string, (UINT)string.GetLength());
    return ar;
}

CArchive& AFXAPI operator>>(CArchive& ar, CString& string)
{
    INT_PTR nLength = ar.ReadStringLength();
    BOOL bWide = nLength == -1;
    if (bWide)
        nLength = ar.ReadStringLength();
    // A length beyond the whole file is a damaged file: refused before
    // anything is allocated for it.
    DWORD nBytes = (DWORD)nLength * (bWide ? sizeof(WCHAR) : 1);
    if (nLength < 0 || nLength > 0x3FFFFFFF || !ar.GetFile() || nBytes > ar.GetFile()->GetLength())
        AfxThrowArchiveException(CArchiveException::endOfFile, ar.m_strFileName);
    if (!bWide) {
        CString text;
        LPSTR p = text.GetBuffer((int)nLength);
        if (ar.Read(p, nBytes) != nBytes)
            AfxThrowArchiveException(CArchiveException::endOfFile, ar.m_strFileName);
        text.ReleaseBuffer((int)nLength);
        string = text;
        return ar;
    }
    // Written by a program of wide characters: converted to the ANSI code page.
    WCHAR* pWide = new WCHAR[nLength ? nLength : 1];
    if (ar.Read(pWide, nBytes) != nBytes) {
        delete[] pWide;
        AfxThrowArchiveException(CArchiveException::endOfFile, ar.m_strFileName);
    }
    int nAnsi = nLength ? ::WideCharToMultiByte(CP_ACP, 0, pWide, (int)nLength, nullptr, 0, nullptr, nullptr) : 0;
    CString text;
    LPSTR p = text.GetBuffer(nAnsi);
    if (nAnsi)
        ::WideCharToMultiByte(CP_ACP, 0, pWide, (int)nLength, p, nAnsi, nullptr, nullptr);
    text.ReleaseBuffer(nAnsi);
    delete[] pWide;
    string = text;
    return ar;
}
