#include "FileSystemObject.h"
#include <mbstring.h>
#include <string.h>

namespace {
bool IsSeparator(unsigned char ch) { return ch == '\\' || ch == '/'; }

bool HasDriveLetter(LPCSTR psz)
{
    unsigned char c = static_cast<unsigned char>(psz[0]);
    return ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) && psz[1] == ':';
}

// Length of the "\\server\share" prefix of a UNC path, 0 when there is none.
int UncPrefixLength(LPCSTR psz)
{
    if (!IsSeparator(static_cast<unsigned char>(psz[0])) || !IsSeparator(static_cast<unsigned char>(psz[1])))
        return 0;
    int parts = 0;
    const unsigned char* p = reinterpret_cast<const unsigned char*>(psz) + 2;
    while (*p) {
        if (IsSeparator(*p) && ++parts == 2)
            break;
        p = _mbsinc(p);
    }
    return static_cast<int>(p - reinterpret_cast<const unsigned char*>(psz));
}
}

CFileSystemObject::CFileSystemObject() {}
CFileSystemObject::~CFileSystemObject() {}

// Length of the root of an absolute path ("C:\" 3, "C:" 2, "\" 1, "\\srv\share\" all), else 0.
int CFileSystemObject::RootLength(LPCSTR pszPath)
{
    if (HasDriveLetter(pszPath))
        return IsSeparator(static_cast<unsigned char>(pszPath[2])) ? 3 : 2;
    int unc = UncPrefixLength(pszPath);
    if (unc > 0)
        return pszPath[unc] ? unc + 1 : unc;
    return IsSeparator(static_cast<unsigned char>(pszPath[0])) ? 1 : 0;
}

int CFileSystemObject::LastSeparator(LPCSTR pszPath)
{
    int last = -1;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(pszPath); *p; p = _mbsinc(p))
        if (IsSeparator(*p))
            last = static_cast<int>(p - reinterpret_cast<const unsigned char*>(pszPath));
    return last;
}

int CFileSystemObject::NameStart(LPCSTR pszPath)
{
    int sep = LastSeparator(pszPath);
    if (sep >= 0)
        return sep + 1;
    return HasDriveLetter(pszPath) ? 2 : 0;
}

int CFileSystemObject::LastDot(LPCSTR pszName)
{
    const unsigned char* dot = _mbsrchr(reinterpret_cast<const unsigned char*>(pszName), '.');
    return dot ? static_cast<int>(dot - reinterpret_cast<const unsigned char*>(pszName)) : -1;
}

CString CFileSystemObject::GetDrive(LPCSTR pszPath) const
{
    if (!pszPath)
        return CString();
    if (HasDriveLetter(pszPath))
        return CString(pszPath, 2) + '\\';
    int unc = UncPrefixLength(pszPath);
    if (unc > 2)
        return CString(pszPath, unc) + '\\';
    return CString();
}

CString CFileSystemObject::GetFolder(LPCSTR pszPath, int bWithBackslash) const
{
    if (!pszPath)
        return CString();
    int sep = LastSeparator(pszPath);
    if (sep < 0)
        return HasDriveLetter(pszPath) ? CString(pszPath, 2) : CString();
    CString folder(pszPath, sep + 1);
    if (!bWithBackslash && sep + 1 > RootLength(pszPath))
        folder = CString(pszPath, sep);
    return folder;
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
