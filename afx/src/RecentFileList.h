// CRecentFileList: the most recently used files of an application, newest
// first, kept in its profile as "<section>\File1", "File2", ...
#pragma once
#include "String.h"

class AFX_CORE_CLASS CRecentFileList
{
public:
    CRecentFileList(UINT nStart, LPCSTR lpszSection, LPCSTR lpszEntryFormat, int nSize);
    virtual ~CRecentFileList();

    int GetSize() const { return m_nSize; }
    CString& operator[](int nIndex) { return m_arrNames[nIndex]; }
    // Puts the file first; a name already in the list (any case) moves up.
    virtual void Add(LPCSTR lpszPathName);
    virtual void Remove(int nIndex);
    virtual void ReadList();
    virtual void WriteList();

    UINT m_nStart;
    CString m_strSectionName;
    CString m_strEntryFormat;

private:
    CString EntryName(int nIndex) const;
    int m_nSize;
    CString* m_arrNames;
    CRecentFileList(const CRecentFileList&) = delete;
    CRecentFileList& operator=(const CRecentFileList&) = delete;
};
