#include "ShellTree.h"
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

namespace {

const char kSysFolder[] = "SysFolder";
const ULONG kItemAttributes = SFGAO_HASSUBFOLDER | SFGAO_FILESYSTEM | SFGAO_FOLDER;

CString NameOf(const CString& strPath)
{
    CString s = strPath;
    CPathStrPart part;
    part.Attach(&s);
    return part.GetName();
}

CString FolderOf(const CString& strPath)
{
    CString s = strPath;
    CPathStrPart part;
    part.Attach(&s);
    return part.GetPath();
}

ULONG AttributesOf(LPSHELLFOLDER lpsf, LPCITEMIDLIST lpi, ULONG ulAsk)
{
    ULONG ul = ulAsk;
    if (FAILED(lpsf->GetAttributesOf(1, &lpi, &ul)))
        return 0;
    return ul;
}

// The desktop's identifier for a path, or none; paths the shell cannot take
// (too long, unknown) fail quietly.
LPITEMIDLIST ParsePath(LPSHELLFOLDER lpsfDesktop, const CString& strPath)
{
    if (strPath.IsEmpty() || strPath.GetLength() > MAX_PATH)
        return nullptr;
    WCHAR wsz[MAX_PATH + 1];
    if (!::MultiByteToWideChar(CP_ACP, 0, strPath, -1, wsz, MAX_PATH + 1))
        return nullptr;
    LPITEMIDLIST pidl = nullptr;
    ULONG ulEaten = 0;
    if (FAILED(lpsfDesktop->ParseDisplayName(nullptr, nullptr, wsz, &ulEaten, &pidl, nullptr)))
        return nullptr;
    return pidl;
}

}

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

// ---- loading ---------------------------------------------------------------

void CShellTree::LoadTree()
{
    DeleteAllItems();
    LPSHELLFOLDER lpsfDesktop = nullptr;
    if (FAILED(::SHGetDesktopFolder(&lpsfDesktop)))
        return;
    EnableImages();
    FillTreeView(lpsfDesktop, nullptr, TVI_ROOT);
    lpsfDesktop->Release();
    SortChildrenOf(TVI_ROOT);
    if (HTREEITEM hFirst = GetRootItem()) {
        Expand(hFirst, TVE_EXPAND);
        SelectSetFirstVisible(hFirst);
    }
}

void CShellTree::LoadTree(int nFolder)
{
    DeleteAllItems();
    LPSHELLFOLDER lpsfDesktop = nullptr;
    if (FAILED(::SHGetDesktopFolder(&lpsfDesktop)))
        return;
    LPITEMIDLIST pidlFolder = nullptr;
    LPSHELLFOLDER lpsfFolder = nullptr;
    if (SUCCEEDED(::SHGetSpecialFolderLocation(nullptr, nFolder, &pidlFolder)) && pidlFolder &&
        SUCCEEDED(lpsfDesktop->BindToObject(pidlFolder, nullptr, IID_IShellFolder, reinterpret_cast<void**>(&lpsfFolder)))) {
        FillTreeView(lpsfFolder, pidlFolder, TVI_ROOT);
        lpsfFolder->Release();
    } else {
        FillTreeView(lpsfDesktop, nullptr, TVI_ROOT);
    }
    ::CoTaskMemFree(pidlFolder);
    lpsfDesktop->Release();
    SortChildrenOf(TVI_ROOT);
    if (HTREEITEM hFirst = GetRootItem()) {
        Expand(hFirst, TVE_EXPAND);
        SelectItem(hFirst);
    }
}

void CShellTree::LoadTree(CString& strPath)
{
    EnableImages();
    HTREEITEM hItem = InsertPidlItem(strPath, TVI_ROOT, TVI_LAST);
    if (!hItem)
        return;
    if (tagID* pData = Record(hItem)) {
        int nOpen = GetIcon(pData->lpifq, SHGFI_OPENICON);
        SetItemImage(hItem, nOpen, nOpen);
    }
    Expand(hItem, TVE_EXPAND);
}

void CShellTree::LoadFolder(HTREEITEM hItem)
{
    HTREEITEM hFolder = GetItemType(hItem) == 2 ? GetParentItem(hItem) : hItem;
    LPSHELLFOLDER lpsf = BindItemFolder(hFolder);
    if (!lpsf)
        return;
    SetRedraw(FALSE);
    FillTreeView(lpsf, Record(hFolder)->lpifq, hFolder);
    lpsf->Release();
    SortChildrenOf(hFolder);
    // Read now: its first expansion need not read it again.
    SetItemState(hFolder, TVIS_EXPANDEDONCE, TVIS_EXPANDEDONCE);
    SetRedraw(TRUE);
    SortChildrenOf(TVI_ROOT);
    SelectItem(hFolder);
}

void CShellTree::EnableImages()
{
    char szWindows[MAX_PATH + 1] = "";
    if (!::GetWindowsDirectoryA(szWindows, MAX_PATH))
        return;
    CString strWindows = szWindows;
    CPathStrPart part;
    part.Attach(&strWindows);
    CString strDrive = part.GetDrive();
    SHFILEINFOA sfi = {};
    // The system image list is shared by the whole process: it is never destroyed here.
    HIMAGELIST hImages = reinterpret_cast<HIMAGELIST>(
        ::SHGetFileInfoA(strDrive, 0, &sfi, sizeof(sfi), SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
    if (hImages)
        SendMessage(TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(hImages));
}

// ---- filling -----------------------------------------------------------------

void CShellTree::FillTreeView(LPSHELLFOLDER lpsf, LPCITEMIDLIST lpifq, HTREEITEM hParent)
{
    LPMALLOC lpMalloc = nullptr;
    if (FAILED(::SHGetMalloc(&lpMalloc)))
        return;
    lpMalloc->Release();
    SetRedraw(FALSE);
    DeleteChildren(hParent);
    AppendElements(lpsf, lpifq, hParent, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS);
    SetRedraw(TRUE);
}

// Files are chosen by their parsing name, which is cheap, so that the costly
// display name and icon are asked only for the items that are inserted.
void CShellTree::AppendElements(LPSHELLFOLDER lpsf, LPCITEMIDLIST lpifq, HTREEITEM hParent, SHCONTF grfFlags)
{
    LPMALLOC lpMalloc = nullptr;
    if (FAILED(::SHGetMalloc(&lpMalloc)))
        return;
    LPENUMIDLIST lpe = nullptr;
    CWnd* pOwner = GetParent();
    if (FAILED(lpsf->EnumObjects(pOwner ? pOwner->GetSafeHwnd() : nullptr, grfFlags, &lpe)) || !lpe) {
        lpMalloc->Release();
        return;
    }
    CShellIconCache icons;
    LPITEMIDLIST lpi = nullptr;
    ULONG ulFetched = 0;
    while (lpe->Next(1, &lpi, &ulFetched) == S_OK && ulFetched == 1) {
        ULONG ulAttrs = AttributesOf(lpsf, lpi, kItemAttributes);
        bool bFolder = (ulAttrs & SFGAO_FOLDER) != 0;
        bool bFile = (ulAttrs & SFGAO_FILESYSTEM) && !bFolder;
        bool bOk = true;
        if (bFile) {
            char szParse[MAX_PATH + 1];
            if (!GetName(lpsf, lpi, SHGDN_INFOLDER | SHGDN_FORPARSING, szParse)) {
                bOk = false;
            } else {
                CString strName = NameOf(szParse);
                if (FilterFileType(strName.GetBuffer(0), 0)) {
                    bOk = InsertElement(lpsf, lpifq, lpi, lpMalloc, strName, false, hParent, icons) != nullptr;
                }
                strName.ReleaseBuffer();
            }
        } else if (bFolder) {
            bOk = InsertElement(lpsf, lpifq, lpi, lpMalloc, nullptr, true, hParent, icons) != nullptr;
        }
        lpMalloc->Free(lpi);
        lpi = nullptr;
        if (!bOk)
            break;
    }
    lpe->Release();
    lpMalloc->Release();
}

HTREEITEM CShellTree::InsertElement(LPSHELLFOLDER lpsf, LPCITEMIDLIST lpifq, LPCITEMIDLIST lpi, LPMALLOC lpMalloc,
                                    LPCSTR pszFileName, bool bFolder, HTREEITEM hParent, CShellIconCache& icons)
{
    char szLabel[MAX_PATH + 1];
    if (!GetName(lpsf, lpi, SHGDN_NORMAL, szLabel))
        return nullptr;
    tagID* pData = static_cast<tagID*>(lpMalloc->Alloc(sizeof(tagID)));
    if (!pData)
        return nullptr;
    pData->lpsfParent = lpsf;
    lpsf->AddRef();
    pData->lpi = CopyITEMID(lpMalloc, lpi);
    pData->lpifq = ConcatPidls(lpifq, lpi);
    if (!pData->lpi || !pData->lpifq) {
        FreePidlData(pData);
        return nullptr;
    }
    int nIcon = icons.GetIcon(pData->lpifq, pszFileName);
    HTREEITEM hItem = InsertItem(TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM | TVIF_CHILDREN, szLabel,
                                 nIcon, nIcon, 0, 0, reinterpret_cast<LPARAM>(pData), hParent, TVI_LAST);
    if (!hItem) {
        FreePidlData(pData);
        return nullptr;
    }
    if (bFolder) {
        TVITEMA item = {};
        item.mask = TVIF_CHILDREN | TVIF_HANDLE;
        item.hItem = hItem;
        item.cChildren = 1;
        SetItem(&item);
    }
    return hItem;
}

void CShellTree::SortChildrenOf(HTREEITEM hParent)
{
    TVSORTCB sort = {};
    sort.hParent = hParent;
    sort.lpfnCompare = TreeViewCompareProc;
    SortChildrenCB(&sort);
}

// The shell decides the order; a comparison that fails counts as equal.
int CALLBACK CShellTree::TreeViewCompareProc(LPARAM lParam1, LPARAM lParam2, LPARAM)
{
    tagID* p1 = reinterpret_cast<tagID*>(lParam1);
    tagID* p2 = reinterpret_cast<tagID*>(lParam2);
    if (!p1 || !p2 || !p1->lpsfParent)
        return 0;
    HRESULT hr = p1->lpsfParent->CompareIDs(0, p1->lpi, p2->lpi);
    if (FAILED(hr))
        return 0;
    return static_cast<short>(HRESULT_CODE(hr));
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

// ---- records -------------------------------------------------------------------

tagID* CShellTree::CreatePidlData(CString& strPath)
{
    CString strFolder = FolderOf(strPath);
    CString strName = NameOf(strPath);
    if (strName.IsEmpty())
        return nullptr;
    LPMALLOC lpMalloc = nullptr;
    LPSHELLFOLDER lpsfDesktop = nullptr;
    if (FAILED(::SHGetMalloc(&lpMalloc)))
        return nullptr;
    if (FAILED(::SHGetDesktopFolder(&lpsfDesktop))) {
        lpMalloc->Release();
        return nullptr;
    }
    tagID* pData = nullptr;
    LPSHELLFOLDER lpsf = nullptr;
    LPENUMIDLIST lpe = nullptr;
    LPITEMIDLIST pidlFolder = ParsePath(lpsfDesktop, strFolder);
    if (pidlFolder &&
        SUCCEEDED(lpsfDesktop->BindToObject(pidlFolder, nullptr, IID_IShellFolder, reinterpret_cast<void**>(&lpsf))) &&
        SUCCEEDED(lpsf->EnumObjects(nullptr, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS, &lpe)) && lpe) {
        LPITEMIDLIST lpi = nullptr;
        ULONG ulFetched = 0;
        while (!pData && lpe->Next(1, &lpi, &ulFetched) == S_OK && ulFetched == 1) {
            char szParse[MAX_PATH + 1];
            if (GetName(lpsf, lpi, SHGDN_INFOLDER | SHGDN_FORPARSING, szParse) &&
                NameOf(szParse).CompareNoCase(strName) == 0) {
                pData = static_cast<tagID*>(lpMalloc->Alloc(sizeof(tagID)));
                if (pData) {
                    pData->lpsfParent = lpsf;
                    lpsf->AddRef();
                    pData->lpi = CopyITEMID(lpMalloc, lpi);
                    pData->lpifq = ConcatPidls(pidlFolder, lpi);
                    if (!pData->lpi || !pData->lpifq) {
                        FreePidlData(pData);
                        pData = nullptr;
                    }
                }
                lpMalloc->Free(lpi);
                break;
            }
            lpMalloc->Free(lpi);
        }
    }
    if (lpe)
        lpe->Release();
    if (lpsf)
        lpsf->Release();
    if (pidlFolder)
        lpMalloc->Free(pidlFolder);
    lpsfDesktop->Release();
    lpMalloc->Release();
    return pData;
}

void CShellTree::FreePidlData(tagID* pData)
{
    if (!pData)
        return;
    LPMALLOC lpMalloc = nullptr;
    if (FAILED(::SHGetMalloc(&lpMalloc)))
        return;
    if (pData->lpsfParent)
        pData->lpsfParent->Release();
    if (pData->lpi)
        lpMalloc->Free(pData->lpi);
    if (pData->lpifq)
        lpMalloc->Free(pData->lpifq);
    lpMalloc->Free(pData);
    lpMalloc->Release();
}

HTREEITEM CShellTree::InsertPidlItem(CString& strPath, HTREEITEM hParent, HTREEITEM)
{
    HTREEITEM hItem = nullptr;
    if (tagID* pData = CreatePidlData(strPath)) {
        char szName[MAX_PATH + 1];
        if (GetName(pData->lpsfParent, pData->lpi, SHGDN_NORMAL, szName)) {
            bool bFolder = (AttributesOf(pData->lpsfParent, pData->lpi, SFGAO_FOLDER) & SFGAO_FOLDER) != 0;
            int nIcon = GetIcon(pData->lpifq, 0);
            hItem = InsertItem(TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM | TVIF_CHILDREN, NameOf(szName),
                               nIcon, nIcon, 0, 0, reinterpret_cast<LPARAM>(pData), hParent, TVI_SORT);
            if (hItem && bFolder) {
                TVITEMA item = {};
                item.mask = TVIF_CHILDREN | TVIF_HANDLE;
                item.hItem = hItem;
                item.cChildren = 1;
                SetItem(&item);
            }
        }
        if (!hItem)
            FreePidlData(pData);
    }
    SortChildrenOf(hParent);
    SelectItem(hItem);
    return hItem;
}

HTREEITEM CShellTree::GetTreeFileItem(CString& strPath, HTREEITEM hParent)
{
    LPSHELLFOLDER lpsfDesktop = nullptr;
    if (FAILED(::SHGetDesktopFolder(&lpsfDesktop)))
        return nullptr;
    CString strLabel;
    bool bNamed = false;
    if (LPITEMIDLIST pidl = ParsePath(lpsfDesktop, strPath)) {
        LPSHELLFOLDER lpsfParent = nullptr;
        LPCITEMIDLIST pidlChild = nullptr;
        if (SUCCEEDED(::SHBindToParent(pidl, IID_IShellFolder, reinterpret_cast<void**>(&lpsfParent), &pidlChild))) {
            char szName[MAX_PATH + 1];
            if (GetName(lpsfParent, pidlChild, SHGDN_NORMAL, szName)) {
                strLabel = NameOf(szName);
                bNamed = true;
            }
            lpsfParent->Release();
        }
        ::CoTaskMemFree(pidl);
    }
    lpsfDesktop->Release();
    if (!bNamed)
        return nullptr;
    for (HTREEITEM h = FirstChild(hParent); h; h = GetNextSiblingItem(h))
        if (GetItemText(h).CompareNoCase(strLabel) == 0)
            return h;
    return nullptr;
}

// ---- lookups -----------------------------------------------------------------------

// Whether the item is the folder strFolder ("folder\\" form). A file item's
// directory plus a backslash never names a folder, so only folder items
// match; a drive root ("C:\\") keeps its one backslash.
bool CShellTree::IsFolderOf(HTREEITEM hItem, const CString& strFolder)
{
    CString strDir;
    if (GetItemType(hItem) != 3 || !GetItemPath(hItem, &strDir))
        return false;
    if (strDir.IsEmpty() || strDir[strDir.GetLength() - 1] != '\\')
        strDir += "\\";
    return strDir.CompareNoCase(strFolder) == 0;
}

HTREEITEM CShellTree::FindFolder(CString& strPath, HTREEITEM hStart)
{
    CString strFolder = FolderOf(strPath);
    for (HTREEITEM h = (!hStart || hStart == TVI_ROOT) ? GetRootItem() : hStart; h; h = GetNextSiblingItem(h)) {
        if (HTREEITEM hChild = GetChildItem(h))
            if (HTREEITEM hFound = FindFolder(strPath, hChild))
                return hFound;
        if (IsFolderOf(h, strFolder))
            return h;
    }
    return nullptr;
}

HTREEITEM CShellTree::ResetTree(HTREEITEM hStart, CString* pPath, HTREEITEM hResult)
{
    CString strFolder = pPath ? FolderOf(*pPath) : CString();
    for (HTREEITEM h = (!hStart || hStart == TVI_ROOT) ? GetRootItem() : hStart; h; h = GetNextSiblingItem(h)) {
        if (!(GetItemState(h, TVIS_EXPANDED) & TVIS_EXPANDED))
            continue;
        if (HTREEITEM hChild = GetChildItem(h))
            hResult = ResetTree(hChild, pPath, hResult);
        if (!pPath || IsFolderOf(h, strFolder)) {
            ResetFolder(h);
            hResult = h;
        }
    }
    return hResult;
}

int CShellTree::ResetFolder(HTREEITEM hItem)
{
    SetItemState(hItem, 0, TVIS_EXPANDEDONCE);
    return 1;
}

void CShellTree::ShowItem(HTREEITEM hItem)
{
    EnsureVisible(hItem);
    SelectItem(hItem);
    Expand(hItem, TVE_EXPAND);
}

int CShellTree::SearchTree(HTREEITEM hParent, CString strText, FindAttribs attr)
{
    strText.MakeUpper();
    Expand(hParent, TVE_EXPAND);
    for (HTREEITEM h = GetChildItem(hParent); h; h = GetNextSiblingItem(h)) {
        CString strCompare;
        if (attr == FindByLabel)
            strCompare = GetItemText(h);
        else if (!GetItemPath(h, &strCompare))
            strCompare = kSysFolder;
        strCompare.MakeUpper();
        if (strCompare == strText) {
            ShowItem(h);
            return 1;
        }
    }
    return 0;
}

HTREEITEM CShellTree::GetDriveTreeItem(HTREEITEM hStart, CString strDrive, int nDepth)
{
    if (nDepth > 2 || !hStart)
        return nullptr;
    auto driveText = [this](HTREEITEM h) {
        CString s;
        if (!GetItemPath(h, &s))
            return CString("<SysFolder>");
        s.MakeUpper();
        return s;
    };
    for (HTREEITEM h = hStart; h; h = GetNextSiblingItem(h)) {
        if (driveText(h) == strDrive)
            return h;
        Expand(h, TVE_EXPAND);
        for (HTREEITEM hChild = GetChildItem(h); hChild; hChild = GetNextSiblingItem(hChild))
            if (driveText(hChild) == strDrive)
                return hChild;
    }
    return nullptr;
}

// Opens the folders named by the components before the last backslash, one
// below the other, by label; stops at the first one not found.
void CShellTree::OpenRest(CString strRest)
{
    for (int nPos = strRest.Find('\\'); nPos >= 0; nPos = strRest.Find('\\')) {
        if (!SearchTree(GetSelectedItem(), strRest.Left(nPos), FindByLabel))
            return;
        strRest = strRest.Mid(nPos + 1);
    }
}

void CShellTree::TunnelTree(CString strPath)
{
    char szDocs[MAX_PATH + 1] = "";
    CString strDocs;
    if (::SHGetSpecialFolderPathA(nullptr, szDocs, CSIDL_PERSONAL, FALSE))
        strDocs = szDocs;
    strDocs.TrimRight('\\');
    CString strUpper = strPath;
    strUpper.MakeUpper();
    CString strDocsUpper = strDocs;
    strDocsUpper.MakeUpper();
    if (!strDocs.IsEmpty() && strUpper.Find(strDocsUpper) == 0 && strPath.GetLength() > strDocs.GetLength() &&
        strPath[strDocs.GetLength()] == '\\') {
        for (HTREEITEM h = GetRootItem(); h; h = GetNextSiblingItem(h)) {
            CString strItem;
            if (!GetItemPath(h, &strItem))
                continue;
            strItem.TrimRight('\\');
            strItem.MakeUpper();
            if (strItem == strDocsUpper) {
                ShowItem(h);
                OpenRest(strPath.Mid(strDocs.GetLength() + 1));
                return;
            }
        }
        // Without the documents folder at the top, the way over the drive remains.
    }
    if (strPath.Find("\\\\") >= 0)
        return;
    if (strPath.GetLength() < 3 || strPath[1] != ':' || strPath[2] != '\\')
        return;
    CString strDrive = strPath.Left(2) + "\\";
    strDrive.MakeUpper();
    HTREEITEM hDrive = GetDriveTreeItem(GetRootItem(), strDrive, 1);
    if (!hDrive)
        return;
    ShowItem(hDrive);
    OpenRest(strPath.Mid(3));
}

// ---- expansion, selection, notifications ----------------------------------------------

void CShellTree::SetFolderIcon(HTREEITEM hItem, bool bOpen)
{
    tagID* pData = Record(hItem);
    if (!pData)
        return;
    int nIcon = GetIcon(pData->lpifq, bOpen ? SHGFI_OPENICON : 0);
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
