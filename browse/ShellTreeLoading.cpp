// CShellTree: reading the shell namespace into the tree: loading a root,
// filling a folder's items, and the item records.
#include "ShellTree.h"
#include "ShellTreeParts.h"
#include "ShellIconCache.h"
#include "toolkit/ComPtr.h"
#include "framework/StringEx.h"

using namespace ShellTreeParts;

namespace
{
const ULONG kItemAttributes = SFGAO_HASSUBFOLDER | SFGAO_FILESYSTEM | SFGAO_FOLDER;
} // namespace

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
        int nOpen = CShellPidl::GetIcon(pData->lpifq, SHGFI_OPENICON);
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

// ---- records -------------------------------------------------------------------

// The shell parses the whole path and binds to the item's parent directly;
// a path it cannot take gives no record.
tagID* CShellTree::CreatePidlData(CString& strPath)
{
    if (NameOf(strPath).IsEmpty())
        return nullptr;
    TComPtr<IShellFolder> desktop;
    if (FAILED(::SHGetDesktopFolder(&desktop)))
        return nullptr;
    LPITEMIDLIST lpifq = ParsePath(desktop, strPath);
    if (!lpifq)
        return nullptr;
    TComPtr<IShellFolder> parent;
    LPCITEMIDLIST lpiLast = nullptr;
    tagID* pData = nullptr;
    if (SUCCEEDED(::SHBindToParent(lpifq, IID_IShellFolder, parent.OutVoid(), &lpiLast)))
        pData = static_cast<tagID*>(::CoTaskMemAlloc(sizeof(tagID)));
    if (!pData) {
        ::CoTaskMemFree(lpifq);
        return nullptr;
    }
    pData->lpi = ::ILClone(lpiLast);
    pData->lpifq = lpifq;
    pData->lpsfParent = parent.Detach();
    if (!pData->lpi) {
        FreePidlData(pData);
        return nullptr;
    }
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
            int nIcon = CShellPidl::GetIcon(pData->lpifq, 0);
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
