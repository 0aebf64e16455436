// CViewerList: the viewers the registry configures, built by type number.
// The list does not own its viewers unless DeleteAll is called; derived lists
// override CreateViewerObject to add viewer classes.
#pragma once
#include <afxtempl.h>
#include "viewer/ViewerWnd.h"

class AFX_EXT_CLASS CViewerList : public CTypedPtrList<CPtrList, CViewerWnd*>
{
public:
    CViewerList();
    explicit CViewerList(CStringArray* pNames);
    virtual ~CViewerList();

    // One viewer per subkey of HKEY_CURRENT_USER\pszKeyPath ("Type", "Style",
    // "File Info"); 1 when at least one was appended.
    int LoadFromRegistry(LPCSTR pszKeyPath);
    void AddViewer(DWORD dwType, DWORD dwStyle, const CString& strFileInfo);
    // Deletes every viewer and empties the list.
    void DeleteAll();

    CStringArray* GetNames() const { return m_pNames; }

protected:
    // Type 1 is the image viewer; other types give null.
    virtual CViewerWnd* CreateViewerObject(UINT nType);
    virtual CViewerWnd* CreateViewer(DWORD dwType, DWORD dwStyle, const CString& strFileInfo);

private:
    CStringArray* m_pNames;   // kept for the host, not used here
};
