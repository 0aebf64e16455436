// CFileOperations: the file operations behind the file list tree. Copy and
// move run the shell's file operation, which shows its own confirmations and
// errors; rename, delete and folder creation go through the toolkit's
// file-system object. Every operation answers non-zero for success.
#pragma once
#include <afx.h>

class AFX_EXT_CLASS CFileOperations
{
public:
    // Copies (moves) the files of strFiles into strTarget, a folder ending in
    // a backslash. Both strings are cut back to their first entry afterwards
    // (the entries behind it stay in the buffer). With pVerified, the files
    // that arrived are listed there. CopyFiles answers whether the shell
    // operation succeeded; MoveFiles with a verification list whether at
    // least one file arrived, else whether the shell operation succeeded.
    static int CopyFiles(CString& strFiles, CString& strTarget, CString* pVerified);
    static int MoveFiles(CString& strFiles, CString& strTarget, CString* pVerified);

    // Lists target folder + name of each entry of strFiles that exists; the
    // output list is ended by its extra zero. Answers the number found.
    static int VerifyCopiedFiles(LPCSTR pszTarget, const CString& strFiles, CString& strVerified);

    static int RenameFile(LPCSTR pszOldPath, LPCSTR pszNewPath);
    static int DeleteFileA(LPCSTR pszPath);
    static int CreateDirectoryA(LPCSTR pszPath);

private:
    // The shell's answer (0 for success); fails without calling it for an empty list.
    static int RunShellOperation(UINT wFunc, CString& strFiles, CString& strTarget);
    static int Transfer(UINT wFunc, CString& strFiles, CString& strTarget, CString* pVerified, int* pFound);
};
