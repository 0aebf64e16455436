// CShellTree: finding items already in the tree, and opening the tree to a
// path one folder at a time.
#include "ShellTree.h"
#include "ShellTreeParts.h"
#include "framework/ParseStrPart.h"
#include "framework/StringEx.h"

using namespace ShellTreeParts;

namespace
{
const char kSysFolder[] = "SysFolder";
} // namespace

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
