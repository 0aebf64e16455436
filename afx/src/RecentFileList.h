// CRecentFileList: the most recently used files of an application, newest
// first, kept in its profile as "<section>\File1", "File2", ...
#pragma once
#include "String.h"

class CCmdUI;

class AFX_CORE_CLASS CRecentFileList
{
public:
    // nStart: the number the menu gives the first name, less one.
    CRecentFileList(UINT nStart, LPCSTR lpszSection, LPCSTR lpszEntryFormat, int nSize, int nMaxDispLen = 30);
    virtual ~CRecentFileList();

    int GetSize() const { return m_nSize; }
    CString& operator[](int nIndex) { return m_arrNames[nIndex]; }
    // Puts the file first; a name already in the list (any case) moves up.
    virtual void Add(LPCSTR lpszPathName);
    virtual void Remove(int nIndex);
    virtual void ReadList();
    virtual void WriteList();
    // The name as the File menu shows it: the file name alone for a file of
    // the current folder (lpszCurDir), else the path shortened in its middle
    // ("C:\\...\\folder\\name") to nMaxDispLen characters.
    virtual BOOL GetDisplayName(CString& strName, int nIndex, LPCSTR lpszCurDir, int nCurDir,
                                BOOL bAtLeastName = TRUE) const;
    // Puts the list into the menu of pCmdUI in place of its items
    // m_nStart .. m_nStart + size - 1, numbered "&1 " and on. An empty list
    // leaves one disabled item with the menu's original text.
    virtual void UpdateMenu(CCmdUI* pCmdUI);

    UINT m_nStart;
    CString m_strSectionName;
    CString m_strEntryFormat;
    CString m_strOriginal;
    int m_nMaxDisplayLength;

private:
    CString EntryName(int nIndex) const;
    int m_nSize;
    CString* m_arrNames;
    CRecentFileList(const CRecentFileList&) = delete;
    CRecentFileList& operator=(const CRecentFileList&) = delete;
};
