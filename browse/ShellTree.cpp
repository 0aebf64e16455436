#include "ShellTree.h"
#include "ShellTreeParts.h"
#include "ShellIconCache.h"
#include "framework/ParseStrPart.h"
#include "framework/PathStrPart.h"
#include "framework/StringEx.h"

IMPLEMENT_DYNCREATE(CShellTree, CTreeCtrl)

// The tree sends its notifications in the character set its parent asks for,
// so both forms are handled; the fields used here lie alike in both.
BEGIN_MESSAGE_MAP(CShellTree, CTreeCtrl)
    ON_NOTIFY_REFLECT(TVN_ITEMEXPANDINGA, OnFolderExpanding)
    ON_NOTIFY_REFLECT(TVN_ITEMEXPANDINGW, OnFolderExpanding)
    ON_NOTIFY_REFLECT(NM_RCLICK, OnRightClick)
    ON_NOTIFY_REFLECT(TVN_SELCHANGEDA, OnItemSelected)
    ON_NOTIFY_REFLECT(TVN_SELCHANGEDW, OnItemSelected)
    ON_NOTIFY_REFLECT(TVN_DELETEITEMA, OnDeleteShellItem)
    ON_NOTIFY_REFLECT(TVN_DELETEITEMW, OnDeleteShellItem)
    ON_WM_LBUTTONDOWN()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

using namespace ShellTreeParts;

CShellTree::CShellTree() = default;

// The window goes while this class's handlers still run, so that every
// item's record is freed.
CShellTree::~CShellTree() { DestroyWindow(); }

void CShellTree::OnDestroy()
{
    DeleteAllItems();
    CTreeCtrl::OnDestroy();
}

tagID* CShellTree::Record(HTREEITEM hItem) const
{
    if (!hItem || hItem == TVI_ROOT)
        return nullptr;
    return reinterpret_cast<tagID*>(GetItemData(hItem));
}

HTREEITEM CShellTree::FirstChild(HTREEITEM hParent) const
{
    return (!hParent || hParent == TVI_ROOT) ? GetRootItem() : GetChildItem(hParent);
}

// ---- filter and file items ----------------------------------------------------

void CShellTree::SetFilterExt(const char* pszFilter)
{
    if (!pszFilter)
        pszFilter = "";
    if (m_strFilter.CompareNoCase(pszFilter) == 0)
        return;
    m_strFilter = pszFilter;
    m_strFilter.MakeUpper();
    RefreshTreeFileItems(TVI_ROOT);
}

// Only extensions are compared: "*.*" passes names whose extension is "*".
int CShellTree::FilterFileType(char* pszName, int)
{
    CString strName = pszName;
    CPathStrPart part;
    part.Attach(&strName);
    CString strExt = part.GetExt();
    if (strExt.IsEmpty() || m_strFilter.IsEmpty())
        return 0;
    TStringEx<CParseStrPart> filter(m_strFilter);
    CString strToken;
    for (int bMore = filter.GetFirst(";", &strToken); bMore; bMore = filter.GetNext(";", &strToken)) {
        CPathStrPart tokenPart;
        tokenPart.Attach(&strToken);
        CString strTokenExt = tokenPart.GetExt();
        strTokenExt.TrimLeft();
        strTokenExt.TrimRight();
        if (strTokenExt.CompareNoCase(strExt) == 0)
            return 1;
    }
    return 0;
}

void CShellTree::RefreshTreeFileItems(HTREEITEM hItem)
{
    for (HTREEITEM h = (!hItem || hItem == TVI_ROOT) ? GetRootItem() : hItem; h; h = GetNextSiblingItem(h)) {
        if (GetItemState(h, TVIS_EXPANDED) & TVIS_EXPANDED) {
            if (HTREEITEM hChild = GetChildItem(h))
                RefreshTreeFileItems(hChild);
            DeleteChildFileItems(h);
            LoadFolderFileItems(h);
        } else if (ItemHasChildren(h)) {
            ResetFolder(h);
        }
    }
}

void CShellTree::LoadFolderFileItems(HTREEITEM hItem)
{
    LPSHELLFOLDER lpsf = BindItemFolder(hItem);
    if (!lpsf)
        return;
    SetRedraw(FALSE);
    AppendElements(lpsf, Record(hItem)->lpifq, hItem, SHCONTF_NONFOLDERS);
    lpsf->Release();
    SetRedraw(TRUE);
}

void CShellTree::DeleteChildFileItems(HTREEITEM hItem)
{
    HTREEITEM hChild = FirstChild(hItem);
    while (hChild) {
        HTREEITEM hNext = GetNextSiblingItem(hChild);
        if (GetItemType(hChild) != 3)
            DeleteItem(hChild);
        hChild = hNext;
    }
}

void CShellTree::DeleteChildren(HTREEITEM hItem)
{
    if (!hItem || hItem == TVI_ROOT) {
        DeleteAllItems();
        return;
    }
    while (HTREEITEM hChild = GetChildItem(hItem))
        DeleteItem(hChild);
}

// The folder object of a folder item, with a reference for the caller.
LPSHELLFOLDER CShellTree::BindItemFolder(HTREEITEM hItem)
{
    tagID* pData = Record(hItem);
    if (!pData || !pData->lpsfParent || !pData->lpi)
        return nullptr;
    LPSHELLFOLDER lpsf = nullptr;
    if (FAILED(pData->lpsfParent->BindToObject(pData->lpi, nullptr, IID_IShellFolder, reinterpret_cast<void**>(&lpsf))))
        return nullptr;
    return lpsf;
}

// ---- paths and items ------------------------------------------------------------

int CShellTree::GetItemPath(HTREEITEM hItem, CString* pPath)
{
    tagID* pData = Record(hItem);
    if (!pData || !pData->lpifq)
        return 0;
    char szPath[MAX_PATH + 1] = "";
    if (!::SHGetPathFromIDListA(pData->lpifq, szPath) || !szPath[0])
        return 0;
    *pPath = szPath;
    return 1;
}

int CShellTree::GetItemDirectory(HTREEITEM hItem, CString* pPath)
{
    int nType = GetItemType(hItem);
    CString strPath;
    if ((nType != 2 && nType != 3) || !GetItemPath(hItem, &strPath))
        return 0;
    *pPath = nType == 2 ? FolderOf(strPath) : strPath;
    return 1;
}

int CShellTree::GetItemType(HTREEITEM hItem)
{
    if (!hItem)
        return 0;
    tagID* pData = Record(hItem);
    if (!pData || !pData->lpsfParent || !pData->lpi)
        return 1;
    ULONG ulAttrs = AttributesOf(pData->lpsfParent, pData->lpi, SFGAO_FOLDER | SFGAO_FILESYSTEM);
    if (ulAttrs & SFGAO_FOLDER)
        return 3;
    return (ulAttrs & SFGAO_FILESYSTEM) ? 2 : 1;
}

BOOL CShellTree::IsFolderItem(HTREEITEM hItem) { return GetItemType(hItem) == 3; }

int CShellTree::GetSelectedFile(CString* pPath)
{
    HTREEITEM hItem = GetSelectedItem();
    return GetItemType(hItem) == 2 ? GetItemPath(hItem, pPath) : 0;
}

int CShellTree::GetSelectedFolderPath(CString* pPath)
{
    HTREEITEM hItem = GetSelectedItem();
    int nType = GetItemType(hItem);
    return (nType == 2 || nType == 3) ? GetItemPath(hItem, pPath) : 0;
}

LPSHELLFOLDER CShellTree::GetParentShellFolder(HTREEITEM hItem)
{
    tagID* pData = Record(hItem);
    return pData ? pData->lpsfParent : nullptr;
}

LPITEMIDLIST CShellTree::GetFullyQualifiedID(HTREEITEM hItem)
{
    tagID* pData = Record(hItem);
    return pData ? pData->lpifq : nullptr;
}

// Hosts have always received the identifier from the desktop here.
LPITEMIDLIST CShellTree::GetRelativeIDLIST(HTREEITEM hItem) { return GetFullyQualifiedID(hItem); }

// ---- expansion, selection, notifications ----------------------------------------------

void CShellTree::SetFolderIcon(HTREEITEM hItem, bool bOpen)
{
    tagID* pData = Record(hItem);
    if (!pData)
        return;
    int nIcon = CShellPidl::GetIcon(pData->lpifq, bOpen ? SHGFI_OPENICON : 0);
    if (nIcon >= 0)
        SetItemImage(hItem, nIcon, nIcon);
}

// An unread folder has no child items yet but says it has children: it must
// not be marked expanded before the control's expand, which would then skip
// reading it. A collapse clears the mark of any item without child items.
BOOL CShellTree::Expand(HTREEITEM hItem, UINT nCode)
{
    if (nCode == TVE_EXPAND) {
        SetFolderIcon(hItem, true);
        if (!ItemHasChildren(hItem))
            SetItemState(hItem, TVIS_EXPANDED, TVIS_EXPANDED);
    } else if (nCode == TVE_COLLAPSE) {
        SetFolderIcon(hItem, false);
        if (!GetChildItem(hItem))
            SetItemState(hItem, 0, TVIS_EXPANDED);
    }
    return CTreeCtrl::Expand(hItem, nCode);
}

void CShellTree::OnFolderExpanding(NMHDR* pNMHDR, LRESULT* pResult)
{
    NMTREEVIEWA* pnm = reinterpret_cast<NMTREEVIEWA*>(pNMHDR);
    *pResult = 0;
    HTREEITEM hItem = pnm->itemNew.hItem;
    tagID* pData = Record(hItem);
    if (!pData)
        return;
    UINT nAction = pnm->action & (TVE_COLLAPSE | TVE_EXPAND);
    bool bHasItems = GetChildItem(hItem) != nullptr;
    if (nAction == TVE_COLLAPSE) {
        SetFolderIcon(hItem, false);
        if (!bHasItems)
            SetItemState(hItem, 0, TVIS_EXPANDED);
        return;
    }
    if (nAction != TVE_EXPAND)
        return;
    SetFolderIcon(hItem, true);
    if (!bHasItems)
        SetItemState(hItem, TVIS_EXPANDED | TVIS_EXPANDEDONCE, TVIS_EXPANDED | TVIS_EXPANDEDONCE);
    if (pnm->itemNew.state & TVIS_EXPANDEDONCE)
        return;
    LPSHELLFOLDER lpsf = BindItemFolder(hItem);
    if (!lpsf)
        return;
    FillTreeView(lpsf, pData->lpifq, hItem);
    lpsf->Release();
    SortChildrenOf(hItem);
}

void CShellTree::OnRightClick(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    CPoint ptScreen;
    ::GetCursorPos(&ptScreen);
    CPoint ptClient = ptScreen;
    ScreenToClient(&ptClient);
    UINT nFlags = 0;
    HTREEITEM hItem = HitTest(ptClient, &nFlags);
    SelectItem(hItem);
    if (!hItem || !(nFlags & (TVHT_ONITEMICON | TVHT_ONITEMLABEL)))
        return;
    tagID* pData = Record(hItem);
    if (!pData || !pData->lpsfParent || !pData->lpi)
        return;
    CWnd* pOwner = GetParent();
    DoTheMenuThing(pOwner ? pOwner->GetSafeHwnd() : m_hWnd, pData->lpsfParent, pData->lpi, &ptScreen);
}

void CShellTree::OnItemSelected(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    DoItemSelected(reinterpret_cast<NMTREEVIEWA*>(pNMHDR)->itemNew.hItem);
}

void CShellTree::OnDeleteShellItem(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    NMTREEVIEWA* pnm = reinterpret_cast<NMTREEVIEWA*>(pNMHDR);
    FreePidlData(reinterpret_cast<tagID*>(pnm->itemOld.lParam));
}

// Clicking the item that is already selected reports it again.
void CShellTree::OnLButtonDown(UINT nFlags, CPoint point)
{
    UINT nHit = 0;
    HTREEITEM hItem = HitTest(point, &nHit);
    if (hItem && (nHit & TVHT_ONITEM) && hItem == GetSelectedItem())
        DoItemSelected(hItem);
    CTreeCtrl::OnLButtonDown(nFlags, point);
}

// Works on the current selection: a file with a path is reported.
void CShellTree::DoItemSelected(HTREEITEM)
{
    tagID* pData = Record(GetSelectedItem());
    if (!pData || !pData->lpsfParent || !pData->lpi)
        return;
    if (AttributesOf(pData->lpsfParent, pData->lpi, SFGAO_FOLDER) & SFGAO_FOLDER)
        return;
    char szPath[MAX_PATH + 1] = "";
    if (::SHGetPathFromIDListA(pData->lpifq, szPath) && szPath[0])
        OnFileSelected(szPath);
}

void CShellTree::OnFileSelected(const char*) {}
