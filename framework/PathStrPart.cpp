#include "PathStrPart.h"
#include "toolkit/FileSystemObject.h"

CPathStrPart::CPathStrPart() : m_pPath(nullptr) {}

CPathStrPart& CPathStrPart::operator=(const CPathStrPart& src)
{
    m_pPath = src.m_pPath;
    return *this;
}

void CPathStrPart::Attach(CString* pPath)
{
    m_pPath = pPath;
}

LPCSTR CPathStrPart::Path() const
{
    return m_pPath ? (LPCSTR)*m_pPath : "";
}

CString CPathStrPart::GetDrive()
{
    CFileSystemObject fs;
    return fs.GetDrive(Path());
}

CString CPathStrPart::GetFolder(int bWithBackslash)
{
    CFileSystemObject fs;
    return fs.GetFolder(Path(), bWithBackslash);
}

CString CPathStrPart::GetDirectory() { return GetFolder(0); }
CString CPathStrPart::GetPath() { return GetFolder(1); }

CString CPathStrPart::GetTitle()
{
    CFileSystemObject fs;
    return fs.GetTitle(Path());
}

CString CPathStrPart::GetExt()
{
    CFileSystemObject fs;
    return fs.GetExtension(Path());
}

CString CPathStrPart::GetName()
{
    CFileSystemObject fs;
    return fs.GetName(Path());
}
