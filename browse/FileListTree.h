// CFileListTree: the shell folder tree as a small file manager. Files and
// folders are copied, moved, renamed in place, deleted and given new
// folders; files are dropped onto folders, dragged out and pasted from the
// clipboard; the tree follows every change without being reloaded. What the
// user does (a file selected, a drag started, a right click) is reported to
// the socket's target window, or to the parent until one is plugged in.
#pragma once
#include <afxole.h>
#include "ShellTree.h"
#include "FileListDropTarget.h"
#include "framework/WndSocket.h"

// Notification codes sent through the socket.
#define FLN_FILESELECTED 33768   // NMFILELIST: the file selected
#define FLN_BEGINDRAG    33769   // NMFILELIST: the file a drag started on
#define FLN_CONTEXTMENU  33770   // NMFILELISTMENU; the answer is the right click's result

// FLN_FILESELECTED, FLN_BEGINDRAG: the path is valid during the call only.
struct NMFILELIST
{
    NMHDR hdr;
    LPCSTR pszPath;
};

// FLN_CONTEXTMENU: the item under the cursor (or none) and the cursor in screen coordinates.
struct NMFILELISTMENU
{
    NMHDR hdr;
    HTREEITEM hItem;
    int x;
    int y;
};

class AFX_EXT_CLASS CFileListTree : public CShellTree, public CWndSocket
{
    DECLARE_DYNAMIC(CFileListTree)
public:
    CFileListTree();
    ~CFileListTree() override;

    // Creation: a tree-view window; with WS_EX_ACCEPTFILES it takes drops.
    BOOL CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID,
                  LPVOID lpParam = nullptr);
    BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
    int Init();

    // File operations on file lists (see CFileOperations); non-zero for success.
    int CopyFiles(CString& strFiles, CString& strTarget, CString* pVerified);
    int MoveFiles(CString& strFiles, CString& strTarget, CString* pVerified);
    int VerifyCopiedFiles(LPCSTR pszTarget, const CString& strFiles, CString& strVerified);
    int RenameFile(LPCSTR pszOldPath, LPCSTR pszNewPath);
    int DeleteFileA(LPCSTR pszPath);
    int CreateDirectoryA(LPCSTR pszPath);

    // Tree operations: the files change on disk and the tree follows.
    int CopyFileItems(CString& strFiles, HTREEITEM hTarget);
    // pItems holds the HTREEITEMs to take out of the tree after a move.
    int MoveFileItems(CString& strFiles, CPtrList& items, HTREEITEM hTarget);
    int InsertFilesInTree(CString& strFiles, HTREEITEM hFolder);
    int DoNewFolder(HTREEITEM hItem);
    int DoDeleteItem(HTREEITEM hItem);
    int DoRenameItem(HTREEITEM hItem);

    // Pasting from the clipboard; 1 when something was pasted.
    int DoPaste(HTREEITEM hItem);
    int PasteHDropData(COleDataObject* pDataObject, HTREEITEM hItem);
    int PasteBitmapData(COleDataObject* pDataObject, HTREEITEM hItem);

    // Offers the files as a dropped-files block; 1.
    virtual int CacheData(COleDataSource* pDataSource, CString& strFiles);
    int CacheHDropData(COleDataSource* pDataSource, CString& strFiles);

    // Drag feedback, called by the drop target.
    DROPEFFECT OnDragEnter(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    DROPEFFECT OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    void OnDragLeave();
    // The id of the drag-over timer while it runs, else 0.
    UINT_PTR GetDragTimer() const { return m_nTimer; }

    BOOL PreTranslateMessage(MSG* pMsg) override;
    void OnFileSelected(const char* pszPath) override;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnRightClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnBeginNameEdit(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnEndNameEdit(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnDropFiles(HDROP hDropInfo);
    afx_msg void OnBeginDragMsg(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()

private:
    NMHDR Header(UINT code) const;
    HTREEITEM FolderItemOf(HTREEITEM hItem);
    bool IsExpanded(HTREEITEM hItem) const;
    // Target folder of a folder item: its path ending in a backslash.
    bool TargetFolder(HTREEITEM hFolder, CString& strTarget);
    // After files arrived in hFolder: items for them if it is open, else a re-read when opened.
    void UpdateFolder(HTREEITEM hFolder, CString& strVerified);
    void SetFolderImage(HTREEITEM hItem);
    void EndDrag();
    void OnDragTimer();
    static bool IsPlainName(const CString& strName);

    CFileListDropTarget m_dropTarget;
    int m_bDragging;
    HTREEITEM m_hDragItem;
    UINT_PTR m_nTimer;
    UINT m_nTicks;
    UINT m_nHover;
    HTREEITEM m_hEditItem;   // the item being renamed until its edit has ended once
};
