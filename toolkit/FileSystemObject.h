// CFileSystemObject: path splitting and the few file operations the library
// needs, on full file-system paths. It keeps no state; callers construct one
// around each single use.
//
// Forms returned: the drive is its root ("C:\", "\\server\share\"); the folder
// ends with a backslash when asked for, and otherwise loses it except at a
// root; the extension comes without its dot. Both separators, backslash and
// slash, are accepted, and double-byte characters are never split.
#pragma once
#include <afx.h>

class AFX_EXT_CLASS CFileSystemObject
{
public:
    CFileSystemObject();
    ~CFileSystemObject();

    CString GetDrive(LPCSTR pszPath) const;
    // bWithBackslash 1: folder ending with a backslash, so folder + name stays in it.
    CString GetFolder(LPCSTR pszPath, int bWithBackslash) const;
    CString GetTitle(LPCSTR pszPath) const;
    CString GetExtension(LPCSTR pszPath) const;
    CString GetName(LPCSTR pszPath) const;

    // Non-zero on success. Folder creation makes the last level only.
    int Rename(LPCSTR pszOldPath, LPCSTR pszNewPath) const;
    int Delete(LPCSTR pszPath) const;
    int CreateFolder(LPCSTR pszPath) const;

private:
    CFileSystemObject(const CFileSystemObject&) = delete;
    CFileSystemObject& operator=(const CFileSystemObject&) = delete;

    static int RootLength(LPCSTR pszPath);
    static int LastSeparator(LPCSTR pszPath);
    static int NameStart(LPCSTR pszPath);
    static int LastDot(LPCSTR pszName);
};
