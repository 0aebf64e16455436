#include "FileOperations.h"
#include "FileList.h"
#include "toolkit/FileSystemObject.h"
#include <shellapi.h>

int CFileOperations::RunShellOperation(UINT wFunc, CString& strFiles, CString& strTarget)
{
    if (CFileList::Count(strFiles) == 0)
        return ERROR_INVALID_PARAMETER;
    // Both strings end in two zeros: the one added here and their own terminator.
    strFiles += '\0';
    strTarget += '\0';

    SHFILEOPSTRUCTA op = {};
    op.hwnd = nullptr;
    op.wFunc = wFunc;
    op.pFrom = strFiles.GetString();
    op.pTo = strTarget.GetString();
    op.fFlags = 0;   // the shell asks and shows progress itself
    op.lpszProgressTitle = "";

    // Moving several files into one folder in a single call moves nothing
    // under Wine (it answers ERROR_CANCELLED); naming each file's destination
    // does the same move and works everywhere.
    CString strDestinations;
    if (wFunc == FO_MOVE && CFileList::Count(strFiles) > 1) {
        CFileList walk(strFiles);
        CString strEntry;
        CFileSystemObject fso;
        while (walk.GetNext(strEntry))
            CFileList::Append(strDestinations, CString(strTarget.GetString()) + fso.GetName(strEntry));
        CFileList::Terminate(strDestinations);
        op.pTo = strDestinations.GetString();
        op.fFlags |= FOF_MULTIDESTFILES;
    }
    return ::SHFileOperationA(&op);
}

int CFileOperations::Transfer(UINT wFunc, CString& strFiles, CString& strTarget, CString* pVerified, int* pFound)
{
    CString strAll = strFiles;   // the whole list, for the verification
    int nResult = RunShellOperation(wFunc, strFiles, strTarget);
    // Back to the first entry: the length up to the first zero.
    strFiles.ReleaseBuffer();
    strTarget.ReleaseBuffer();
    *pFound = pVerified ? VerifyCopiedFiles(strTarget, strAll, *pVerified) : 0;
    return nResult;
}

int CFileOperations::CopyFiles(CString& strFiles, CString& strTarget, CString* pVerified)
{
    int nFound = 0;
    return Transfer(FO_COPY, strFiles, strTarget, pVerified, &nFound) == 0 ? 1 : 0;
}

int CFileOperations::MoveFiles(CString& strFiles, CString& strTarget, CString* pVerified)
{
    int nFound = 0;
    int nResult = Transfer(FO_MOVE, strFiles, strTarget, pVerified, &nFound);
    if (pVerified)
        return nFound > 0 ? 1 : 0;
    return nResult == 0 ? 1 : 0;
}

int CFileOperations::VerifyCopiedFiles(LPCSTR pszTarget, const CString& strFiles, CString& strVerified)
{
    CFileList walk(strFiles);
    CFileSystemObject fso;
    CString strEntry;
    int nFound = 0;
    while (walk.GetNext(strEntry)) {
        CString strPath = CString(pszTarget) + fso.GetName(strEntry);
        if (::GetFileAttributesA(strPath) != INVALID_FILE_ATTRIBUTES) {
            CFileList::Append(strVerified, strPath);
            ++nFound;
        }
    }
    CFileList::Terminate(strVerified);
    return nFound;
}

int CFileOperations::RenameFile(LPCSTR pszOldPath, LPCSTR pszNewPath)
{
    return CFileSystemObject().Rename(pszOldPath, pszNewPath) ? 1 : 0;
}

int CFileOperations::DeleteFileA(LPCSTR pszPath) { return CFileSystemObject().Delete(pszPath); }

int CFileOperations::CreateDirectoryA(LPCSTR pszPath) { return CFileSystemObject().CreateFolder(pszPath); }
