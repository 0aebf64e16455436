#include "FileSystemObject.h"
#include <mbstring.h>
#include "PathSyntax.h"

namespace {
bool IsAnsiLeadByte(unsigned char ch) { return _ismbblead(ch) != 0; }

// The offsets of the current multibyte code page's paths.
PathSyntax Syntax() { return PathSyntax(IsAnsiLeadByte); }
}

CFileSystemObject::CFileSystemObject() {}
CFileSystemObject::~CFileSystemObject() {}

int CFileSystemObject::RootLength(LPCSTR pszPath) { return Syntax().RootLength(pszPath); }
int CFileSystemObject::LastSeparator(LPCSTR pszPath) { return Syntax().LastSeparator(pszPath); }
int CFileSystemObject::NameStart(LPCSTR pszPath) { return Syntax().NameStart(pszPath); }
int CFileSystemObject::LastDot(LPCSTR pszName) { return Syntax().LastDot(pszName); }

CString CFileSystemObject::GetDrive(LPCSTR pszPath) const
{
    if (!pszPath)
        return CString();
    int drive = Syntax().DriveLength(pszPath);
    return drive > 0 ? CString(pszPath, drive) + '\\' : CString();
}

CString CFileSystemObject::GetFolder(LPCSTR pszPath, int bWithBackslash) const
{
    if (!pszPath)
        return CString();
    return CString(pszPath, Syntax().FolderLength(pszPath, bWithBackslash != 0));
}

CString CFileSystemObject::GetName(LPCSTR pszPath) const
{
    return pszPath ? CString(pszPath + NameStart(pszPath)) : CString();
}

CString CFileSystemObject::GetTitle(LPCSTR pszPath) const
{
    CString name = GetName(pszPath);
    int dot = LastDot(name);
    return dot >= 0 ? name.Left(dot) : name;
}

CString CFileSystemObject::GetExtension(LPCSTR pszPath) const
{
    CString name = GetName(pszPath);
    int dot = LastDot(name);
    return dot >= 0 ? name.Mid(dot + 1) : CString();
}

int CFileSystemObject::Rename(LPCSTR pszOldPath, LPCSTR pszNewPath) const
{
    if (!pszOldPath || !pszNewPath)
        return 0;
    return ::MoveFileA(pszOldPath, pszNewPath) ? 1 : 0;
}

int CFileSystemObject::Delete(LPCSTR pszPath) const
{
    return pszPath && ::DeleteFileA(pszPath) ? 1 : 0;
}

int CFileSystemObject::CreateFolder(LPCSTR pszPath) const
{
    return pszPath && ::CreateDirectoryA(pszPath, nullptr) ? 1 : 0;
}
