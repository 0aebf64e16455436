#include "RecentFileList.h"
#include "CmdUI.h"
#include "Menu.h"
#include "WinApp.h"
#include <string.h>
#include <stdio.h>

CRecentFileList::CRecentFileList(UINT nStart, LPCSTR lpszSection, LPCSTR lpszEntryFormat, int nSize,
                                 int nMaxDispLen)
    : m_nStart(nStart), m_strSectionName(lpszSection), m_strEntryFormat(lpszEntryFormat),
      m_nMaxDisplayLength(nMaxDispLen),
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

namespace {

// The path shortened to nMax characters: the root, "...", then as many of the
// last parts as fit; the file name alone when not even that fits.
CString Abbreviate(const CString& path, int nMax, BOOL bAtLeastName)
{
    if (path.GetLength() <= nMax)
        return path;
    int nName = path.ReverseFind('\\');
    CString name = nName >= 0 ? path.Mid(nName + 1) : path;
    // The root: "C:\\" or "\\\\server\\share\\".
    int nRoot = 0;
    if (path.GetLength() > 2 && path[1] == ':' && path[2] == '\\') {
        nRoot = 3;
    } else if (path.Left(2) == "\\\\") {
        int nServer = path.Find('\\', 2);
        int nShare = nServer >= 0 ? path.Find('\\', nServer + 1) : -1;
        nRoot = nShare >= 0 ? nShare + 1 : 0;
    }
    CString root = path.Left(nRoot);
    // Drop leading folders after the root until the rest fits behind "...\\".
    for (int nCut = path.Find('\\', nRoot); nCut >= 0 && nCut < nName; nCut = path.Find('\\', nCut + 1)) {
        CString candidate = root + "...\\" + path.Mid(nCut + 1);
        if (candidate.GetLength() <= nMax)
            return candidate;
    }
    if (root.GetLength() + 4 + name.GetLength() <= nMax)
        return root + "...\\" + name;
    return bAtLeastName ? name : CString();
}

}  // namespace

BOOL CRecentFileList::GetDisplayName(CString& strName, int nIndex, LPCSTR lpszCurDir, int nCurDir,
                                     BOOL bAtLeastName) const
{
    if (nIndex < 0 || nIndex >= m_nSize || m_arrNames[nIndex].IsEmpty())
        return FALSE;
    const CString& path = m_arrNames[nIndex];
    int nName = path.ReverseFind('\\');
    // In the current folder the file name is enough.
    if (lpszCurDir && nCurDir > 0 && nName == nCurDir && _strnicmp(path, lpszCurDir, nCurDir) == 0) {
        strName = path.Mid(nName + 1);
        return TRUE;
    }
    strName = Abbreviate(path, m_nMaxDisplayLength, bAtLeastName);
    return !strName.IsEmpty();
}

void CRecentFileList::UpdateMenu(CCmdUI* pCmdUI)
{
    CMenu* pMenu = pCmdUI->m_pMenu;
    if (m_strOriginal.IsEmpty() && pMenu)
        pMenu->GetMenuString(pCmdUI->m_nID, m_strOriginal, MF_BYCOMMAND);
    if (m_nSize == 0 || m_arrNames[0].IsEmpty()) {
        if (!m_strOriginal.IsEmpty())
            pCmdUI->SetText(m_strOriginal);
        pCmdUI->Enable(FALSE);
        return;
    }
    if (!pMenu)
        return;
    // Out with the items of the last time, in with the list as it is now.
    for (int i = 0; i < m_nSize; i++)
        pMenu->DeleteMenu(pCmdUI->m_nID + i, MF_BYCOMMAND);
    char szCurDir[MAX_PATH] = "";
    DWORD nCurDir = ::GetCurrentDirectoryA(MAX_PATH, szCurDir);
    if (nCurDir > 0 && szCurDir[nCurDir - 1] == '\\')
        nCurDir--;
    int nInserted = 0;
    for (int i = 0; i < m_nSize; i++) {
        CString name;
        if (!GetDisplayName(name, i, szCurDir, (int)nCurDir))
            break;
        // Ampersands in the name are doubled so they show as such.
        name.Replace("&", "&&");
        CString text;
        text.Format("&%d %s", (int)(m_nStart + i + 1) % 10, (LPCSTR)name);
        pMenu->InsertMenu(pCmdUI->m_nIndex + i, MF_BYPOSITION | MF_STRING, pCmdUI->m_nID + i, text);
        nInserted++;
    }
    // The caller goes on after the last inserted item.
    pCmdUI->m_nIndex += nInserted - 1;
    pCmdUI->m_nIndexMax = (UINT)pMenu->GetMenuItemCount();
    pCmdUI->m_bEnableChanged = TRUE;
}
