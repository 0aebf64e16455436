#include "RecentFileList.h"
#include "WinApp.h"
#include <stdio.h>

CRecentFileList::CRecentFileList(UINT nStart, LPCSTR lpszSection, LPCSTR lpszEntryFormat, int nSize)
    : m_nStart(nStart), m_strSectionName(lpszSection), m_strEntryFormat(lpszEntryFormat),
      m_nSize(nSize > 0 ? nSize : 0), m_arrNames(new CString[nSize > 0 ? nSize : 1])
{
}

CRecentFileList::~CRecentFileList()
{
    delete[] m_arrNames;
}

CString CRecentFileList::EntryName(int nIndex) const
{
    char entry[64];
    snprintf(entry, sizeof entry, m_strEntryFormat, nIndex + 1);
    return entry;
}

void CRecentFileList::Add(LPCSTR lpszPathName)
{
    if (!lpszPathName || !*lpszPathName || m_nSize == 0)
        return;
    int nFound = m_nSize - 1;
    for (int i = 0; i < m_nSize; i++)
        if (m_arrNames[i].CompareNoCase(lpszPathName) == 0) {
            nFound = i;
            break;
        }
    for (int i = nFound; i > 0; i--)
        m_arrNames[i] = m_arrNames[i - 1];
    m_arrNames[0] = lpszPathName;
}

void CRecentFileList::Remove(int nIndex)
{
    if (nIndex < 0 || nIndex >= m_nSize)
        return;
    for (int i = nIndex; i < m_nSize - 1; i++)
        m_arrNames[i] = m_arrNames[i + 1];
    m_arrNames[m_nSize - 1].Empty();
}

void CRecentFileList::ReadList()
{
    CWinApp* pApp = AfxGetApp();
    if (!pApp)
        return;
    for (int i = 0; i < m_nSize; i++)
        m_arrNames[i] = pApp->GetProfileString(m_strSectionName, EntryName(i), "");
}

void CRecentFileList::WriteList()
{
    CWinApp* pApp = AfxGetApp();
    if (!pApp)
        return;
    // The section is written anew, so that removed names do not stay behind.
    pApp->WriteProfileString(m_strSectionName, nullptr, nullptr);
    for (int i = 0; i < m_nSize && !m_arrNames[i].IsEmpty(); i++)
        pApp->WriteProfileString(m_strSectionName, EntryName(i), m_arrNames[i]);
}
