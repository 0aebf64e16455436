#include "FileList.h"
#include <cstring>

CFileList::CFileList(LPCSTR pchList, int nLength)
    : m_pch(pchList), m_nLength(pchList && nLength > 0 ? nLength : 0), m_nPos(0), m_bEnded(false)
{
}

CFileList::CFileList(const CString& strList) : CFileList(strList.GetString(), strList.GetLength()) {}

BOOL CFileList::GetNext(CString& strEntry)
{
    if (m_bEnded)
        return FALSE;
    int nRemaining = m_nLength - m_nPos;
    // An entry may fill kMaxEntry characters; its zero comes right after.
    int nScan = nRemaining < kMaxEntry + 1 ? nRemaining : kMaxEntry + 1;
    const char* pStart = m_pch + m_nPos;
    const void* pEnd = nScan > 0 ? memchr(pStart, 0, static_cast<size_t>(nScan)) : nullptr;
    int nEntry = pEnd ? static_cast<int>(static_cast<const char*>(pEnd) - pStart) : 0;
    if (!pEnd || nEntry < 2) {
        m_bEnded = true;
        return FALSE;
    }
    strEntry = CString(pStart, nEntry);
    m_nPos += nEntry + 1;
    return TRUE;
}

void CFileList::Append(CString& strList, LPCSTR pszPath)
{
    strList += pszPath;
    strList += '\0';
}

void CFileList::Terminate(CString& strList) { strList += '\0'; }

int CFileList::Count(const CString& strList)
{
    CFileList walk(strList);
    CString strEntry;
    int n = 0;
    while (walk.GetNext(strEntry))
        ++n;
    return n;
}
