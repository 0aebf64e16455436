// CShellTree: a tree control over the shell namespace: the desktop and its
// virtual folders, drives, folders and, when a file filter is set, the files
// of each opened folder. Folders are read when they are first expanded. Every
// item carries a tagID record from the shell's task allocator, freed when the
// item is deleted. Hosts create it by class name; the file list tree derives
// from it.
#pragma once
#include <afxcmn.h>
#include "ShellPidl.h"

class CShellIconCache;

class AFX_EXT_CLASS CShellTree : public CTreeCtrl, public CShellPidl
{
    DECLARE_DYNCREATE(CShellTree)
public:
    // What SearchTree compares: an item's file-system path, or its label.
    enum FindAttribs { FindByPath = 0, FindByLabel = 1 };

    CShellTree();
    ~CShellTree() override;

    // Loading.
    void LoadTree();                  // the desktop's contents
    void LoadTree(int nFolder);       // a special folder's contents (CSIDL_*)
    void LoadTree(CString& strPath);  // adds one top-level item for the path
    void LoadFolder(HTREEITEM hItem);
    void EnableImages();

    // Filter ("*.bmp;*.png"): only file items whose extension is that of a
    // token are shown; an empty filter shows folders only.
    void SetFilterExt(const char* pszFilter);
    void RefreshTreeFileItems(HTREEITEM hItem);
    void LoadFolderFileItems(HTREEITEM hItem);
    void DeleteChildFileItems(HTREEITEM hItem);
    void DeleteChildren(HTREEITEM hItem);

    // Paths and items. Path queries leave the output alone when they answer 0.
    int GetItemPath(HTREEITEM hItem, CString* pPath);
    int GetItemDirectory(HTREEITEM hItem, CString* pPath);
    // 0 no item, 1 virtual or without record, 2 file, 3 folder.
    int GetItemType(HTREEITEM hItem);
    BOOL IsFolderItem(HTREEITEM hItem);
    int GetSelectedFile(CString* pPath);
    int GetSelectedFolderPath(CString* pPath);
    LPSHELLFOLDER GetParentShellFolder(HTREEITEM hItem);
    LPITEMIDLIST GetFullyQualifiedID(HTREEITEM hItem);
    LPITEMIDLIST GetRelativeIDLIST(HTREEITEM hItem);

    // Records.
    tagID* CreatePidlData(CString& strPath);
    void FreePidlData(tagID* pData);
    HTREEITEM InsertPidlItem(CString& strPath, HTREEITEM hParent, HTREEITEM hInsertAfter);
    HTREEITEM GetTreeFileItem(CString& strPath, HTREEITEM hParent);

    // Lookups among the items already in the tree, and opening it to a path.
    HTREEITEM FindFolder(CString& strPath, HTREEITEM hStart);
    HTREEITEM ResetTree(HTREEITEM hStart, CString* pPath, HTREEITEM hResult);
    int ResetFolder(HTREEITEM hItem);
    int SearchTree(HTREEITEM hParent, CString strText, FindAttribs attr);
    void TunnelTree(CString strPath);
    HTREEITEM GetDriveTreeItem(HTREEITEM hStart, CString strDrive, int nDepth);

    // Swaps the folder icon and keeps childless items' expanded mark in step.
    virtual BOOL Expand(HTREEITEM hItem, UINT nCode);
    // A file item was selected (or clicked again); nothing here.
    virtual void OnFileSelected(const char* pszPath);

protected:
    int FilterFileType(char* pszName, int nUnused);
    void DoItemSelected(HTREEITEM hItem);

    afx_msg void OnFolderExpanding(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnRightClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnItemSelected(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnDeleteShellItem(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

    static int CALLBACK TreeViewCompareProc(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort);

    CString m_strFilter;   // upper case

private:
    tagID* Record(HTREEITEM hItem) const;
    HTREEITEM FirstChild(HTREEITEM hParent) const;
    void SortChildrenOf(HTREEITEM hParent);
    void ShowItem(HTREEITEM hItem);
    void SetFolderIcon(HTREEITEM hItem, bool bOpen);
    // Reads lpsf's elements of the kinds in grfFlags and appends the ones the
    // tree shows under hParent; false when the allocator cannot be had.
    void AppendElements(LPSHELLFOLDER lpsf, LPCITEMIDLIST lpifq, HTREEITEM hParent, SHCONTF grfFlags);
    HTREEITEM InsertElement(LPSHELLFOLDER lpsf, LPCITEMIDLIST lpifq, LPCITEMIDLIST lpi, LPMALLOC lpMalloc,
                            LPCSTR pszFileName, bool bFolder, HTREEITEM hParent, CShellIconCache& icons);
    void FillTreeView(LPSHELLFOLDER lpsf, LPCITEMIDLIST lpifq, HTREEITEM hParent);
    LPSHELLFOLDER BindItemFolder(HTREEITEM hItem);
    void OpenRest(CString strRest);
    bool IsFolderOf(HTREEITEM hItem, const CString& strFolder);
};
