#include "File.h"

#include <commdlg.h>
#include <string.h>

IMPLEMENT_DYNAMIC(CFile, CObject)

const HANDLE CFile::hFileNull = INVALID_HANDLE_VALUE;

namespace {

DWORD DesiredAccess(UINT nOpenFlags)
{
    switch (nOpenFlags & 3) {
    case CFile::modeWrite: return GENERIC_WRITE;
    case CFile::modeReadWrite: return GENERIC_READ | GENERIC_WRITE;
    default: return GENERIC_READ;
    }
}

DWORD ShareMode(UINT nOpenFlags)
{
    switch (nOpenFlags & 0x70) {
    case CFile::shareDenyWrite: return FILE_SHARE_READ;
    case CFile::shareDenyRead: return FILE_SHARE_WRITE;
    case CFile::shareDenyNone: return FILE_SHARE_READ | FILE_SHARE_WRITE;
    default: return 0;   // compatibility mode and exclusive share nothing
    }
}

DWORD CreationDisposition(UINT nOpenFlags)
{
    if (!(nOpenFlags & CFile::modeCreate))
        return OPEN_EXISTING;
    return (nOpenFlags & CFile::modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;
}

}  // namespace

BOOL AFXAPI AfxFullPath(LPSTR lpszPathOut, LPCSTR lpszFileIn)
{
    LPSTR pFilePart = nullptr;
    DWORD n = ::GetFullPathNameA(lpszFileIn, MAX_PATH, lpszPathOut, &pFilePart);
    if (n == 0 || n >= MAX_PATH) {
        lstrcpynA(lpszPathOut, lpszFileIn, MAX_PATH);
        return FALSE;
    }
    return TRUE;
}

UINT AFXAPI AfxGetFileTitle(LPCSTR lpszPathName, LPSTR lpszTitle, UINT nMax)
{
    if (lpszTitle && nMax && ::GetFileTitleA(lpszPathName, lpszTitle, (WORD)nMax) == 0)
        return 0;
    LPCSTR pName = lpszPathName;
    for (LPCSTR p = lpszPathName; *p; p = ::CharNextA(p))
        if (*p == '\\' || *p == '/' || *p == ':')
            pName = p + 1;
    if (!lpszTitle || nMax == 0)
        return (UINT)strlen(pName) + 1;
    lstrcpynA(lpszTitle, pName, (int)nMax);
    return 0;
}

BOOL AFXAPI AfxComparePath(LPCSTR lpszPath1, LPCSTR lpszPath2)
{
    char sz1[MAX_PATH], sz2[MAX_PATH];
    AfxFullPath(sz1, lpszPath1);
    AfxFullPath(sz2, lpszPath2);
    return ::CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, sz1, -1, sz2, -1) == CSTR_EQUAL;
}

CFile::CFile() : m_hFile(hFileNull), m_bCloseOnDelete(FALSE)
{
}

CFile::CFile(HANDLE hFile) : m_hFile(hFile), m_bCloseOnDelete(FALSE)
{
}

CFile::CFile(LPCSTR lpszFileName, UINT nOpenFlags) : m_hFile(hFileNull), m_bCloseOnDelete(FALSE)
{
    CFileException e;
    if (!Open(lpszFileName, nOpenFlags, &e))
        AfxThrowFileException(e.m_cause, e.m_lOsError, e.m_strFileName);
}

CFile::~CFile()
{
    // A destructor cannot report a failed close; Close() before it to learn of one.
    if (m_hFile != hFileNull && m_bCloseOnDelete)
        Abort();
}

BOOL CFile::Open(LPCSTR lpszFileName, UINT nOpenFlags, CFileException* pError)
{
    if (pError)
        pError->Clear();
    if (m_hFile != hFileNull)
        Abort();
    char szPath[MAX_PATH];
    if (!lpszFileName || !*lpszFileName) {
        if (pError) {
            pError->m_cause = CFileException::badPath;
            pError->m_strFileName = lpszFileName;
        }
        return FALSE;
    }
    AfxFullPath(szPath, lpszFileName);
    m_strFileName = szPath;

    SECURITY_ATTRIBUTES sa = { sizeof sa, nullptr, (nOpenFlags & modeNoInherit) ? FALSE : TRUE };
    HANDLE hFile = ::CreateFileA(lpszFileName, DesiredAccess(nOpenFlags), ShareMode(nOpenFlags), &sa,
                                 CreationDisposition(nOpenFlags), FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE) {
        if (pError) {
            pError->m_lOsError = (LONG)::GetLastError();
            pError->m_cause = CFileException::OsErrorToException(pError->m_lOsError);
            pError->m_strFileName = lpszFileName;
        }
        m_strFileName.Empty();
        return FALSE;
    }
    m_hFile = hFile;
    m_bCloseOnDelete = TRUE;
    return TRUE;
}

void CFile::Close()
{
    BOOL bError = FALSE;
    DWORD dwError = NO_ERROR;
    if (m_hFile != hFileNull && !::CloseHandle(m_hFile)) {
        bError = TRUE;
        dwError = ::GetLastError();
    }
    m_hFile = hFileNull;
    m_bCloseOnDelete = FALSE;
    CString name = m_strFileName;
    m_strFileName.Empty();
    if (bError)
        CFileException::ThrowOsError((LONG)dwError, name);
}

void CFile::Abort()
{
    if (m_hFile != hFileNull)
        ::CloseHandle(m_hFile);
    m_hFile = hFileNull;
    m_bCloseOnDelete = FALSE;
    m_strFileName.Empty();
}

void CFile::Flush()
{
    if (m_hFile != hFileNull && !::FlushFileBuffers(m_hFile))
        CFileException::ThrowOsError((LONG)::GetLastError(), m_strFileName);
}

UINT CFile::Read(void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return 0;
    DWORD dwRead = 0;
    if (!lpBuf || !::ReadFile(m_hFile, lpBuf, nCount, &dwRead, nullptr))
        CFileException::ThrowOsError(lpBuf ? (LONG)::GetLastError() : ERROR_INVALID_PARAMETER, m_strFileName);
    return (UINT)dwRead;
}

void CFile::Write(const void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return;
    DWORD dwWritten = 0;
    if (!lpBuf || !::WriteFile(m_hFile, lpBuf, nCount, &dwWritten, nullptr))
        CFileException::ThrowOsError(lpBuf ? (LONG)::GetLastError() : ERROR_INVALID_PARAMETER, m_strFileName);
    // A short write without an error means the medium is full.
    if (dwWritten != nCount)
        AfxThrowFileException(CFileException::diskFull, -1, m_strFileName);
}

LONG CFile::Seek(LONG lOff, UINT nFrom)
{
    DWORD dwMethod = nFrom == current ? FILE_CURRENT : nFrom == end ? FILE_END : FILE_BEGIN;
    ::SetLastError(NO_ERROR);
    DWORD dwNew = ::SetFilePointer(m_hFile, lOff, nullptr, dwMethod);
    if (dwNew == INVALID_SET_FILE_POINTER && ::GetLastError() != NO_ERROR)
        CFileException::ThrowOsError((LONG)::GetLastError(), m_strFileName);
    return (LONG)dwNew;
}

DWORD CFile::GetPosition() const
{
    ::SetLastError(NO_ERROR);
    DWORD dwPos = ::SetFilePointer(m_hFile, 0, nullptr, FILE_CURRENT);
    if (dwPos == INVALID_SET_FILE_POINTER && ::GetLastError() != NO_ERROR)
        CFileException::ThrowOsError((LONG)::GetLastError(), m_strFileName);
    return dwPos;
}

DWORD CFile::GetLength() const
{
    ::SetLastError(NO_ERROR);
    DWORD dwLen = ::GetFileSize(m_hFile, nullptr);
    if (dwLen == INVALID_FILE_SIZE && ::GetLastError() != NO_ERROR)
        CFileException::ThrowOsError((LONG)::GetLastError(), m_strFileName);
    return dwLen;
}

void CFile::SetLength(DWORD dwNewLen)
{
    Seek((LONG)dwNewLen, begin);
    if (!::SetEndOfFile(m_hFile))
        CFileException::ThrowOsError((LONG)::GetLastError(), m_strFileName);
}

CString CFile::GetFileName() const
{
    int nSlash = -1;
    for (int i = 0; i < m_strFileName.GetLength(); ++i)
        if (m_strFileName[i] == '\\' || m_strFileName[i] == '/' || m_strFileName[i] == ':')
            nSlash = i;
    return m_strFileName.Mid(nSlash + 1);
}

CString CFile::GetFileTitle() const
{
    char szTitle[MAX_PATH] = "";
    AfxGetFileTitle(m_strFileName, szTitle, MAX_PATH);
    return szTitle;
}

BOOL CFile::GetStatus(CFileStatus& rStatus) const
{
    memset(&rStatus, 0, sizeof rStatus);
    lstrcpynA(rStatus.m_szFullName, m_strFileName, MAX_PATH);
    BY_HANDLE_FILE_INFORMATION info;
    if (m_hFile == hFileNull || !::GetFileInformationByHandle(m_hFile, &info))
        return FALSE;
    rStatus.m_size = info.nFileSizeLow;
    rStatus.m_attribute = (BYTE)info.dwFileAttributes;
    return TRUE;
}

BOOL PASCAL CFile::GetStatus(LPCSTR lpszFileName, CFileStatus& rStatus)
{
    memset(&rStatus, 0, sizeof rStatus);
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!lpszFileName || !AfxFullPath(rStatus.m_szFullName, lpszFileName) ||
        !::GetFileAttributesExA(lpszFileName, GetFileExInfoStandard, &data))
        return FALSE;
    rStatus.m_size = data.nFileSizeLow;
    rStatus.m_attribute = (BYTE)data.dwFileAttributes;
    return TRUE;
}

void PASCAL CFile::Rename(LPCSTR lpszOldName, LPCSTR lpszNewName)
{
    if (!::MoveFileA(lpszOldName, lpszNewName))
        CFileException::ThrowOsError((LONG)::GetLastError(), lpszOldName);
}

void PASCAL CFile::Remove(LPCSTR lpszFileName)
{
    if (!::DeleteFileA(lpszFileName))
        CFileException::ThrowOsError((LONG)::GetLastError(), lpszFileName);
}
