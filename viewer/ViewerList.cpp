#include "ViewerList.h"
#include "viewer/LeadViewerWnd.h"
#include "toolkit/RegistryKey.h"

CViewerList::CViewerList() : m_pNames(nullptr) {}

CViewerList::CViewerList(CStringArray* pNames) : m_pNames(pNames) {}

CViewerList::~CViewerList() = default;

int CViewerList::LoadFromRegistry(LPCSTR pszKeyPath)
{
    CRegistryKey key;
    key.Attach(HKEY_CURRENT_USER);
    if (!pszKeyPath || !key.Open(pszKeyPath, KEY_ALL_ACCESS))
        return 0;

    int nAdded = 0;
    CString strName;
    for (DWORD nIndex = 0; key.EnumKey(nIndex, strName); nIndex++)
    {
        CRegistryKey subKey;
        subKey.Attach(HKEY_CURRENT_USER);
        if (!subKey.Open(CString(pszKeyPath) + "\\" + strName, KEY_ALL_ACCESS))
            continue;
        DWORD dwType = 0, dwStyle = 0;
        CString strInfo;
        subKey.QueryDWORD("Type", dwType);
        subKey.QueryDWORD("Style", dwStyle);
        subKey.QueryString("File Info", strInfo);
        subKey.Close();
        if (CViewerWnd* pViewer = CreateViewer(dwType, dwStyle, strInfo))
        {
            AddTail(pViewer);
            nAdded++;
        }
    }
    key.Close();
    return nAdded > 0 ? 1 : 0;
}

void CViewerList::AddViewer(DWORD dwType, DWORD dwStyle, const CString& strFileInfo)
{
    if (CViewerWnd* pViewer = CreateViewer(dwType, dwStyle, strFileInfo))
        AddTail(pViewer);
}

void CViewerList::DeleteAll()
{
    POSITION pos = GetHeadPosition();
    while (pos)
        delete GetNext(pos);
    RemoveAll();
}

CViewerWnd* CViewerList::CreateViewerObject(UINT nType)
{
    if (nType == 1)
        return new CLeadViewerWnd(0);
    return nullptr;
}

CViewerWnd* CViewerList::CreateViewer(DWORD dwType, DWORD dwStyle, const CString& strFileInfo)
{
    CViewerWnd* pViewer = CreateViewerObject((UINT)dwType);
    if (!pViewer)
        return nullptr;
    pViewer->SetFileInfo(strFileInfo);
    pViewer->SetViewerStyle(dwStyle);
    return pViewer;
}
