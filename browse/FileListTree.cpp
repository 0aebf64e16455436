#include "FileListTree.h"
#include "BitmapPaste.h"
#include "DropFiles.h"
#include "FileList.h"
#include "FileOperations.h"
#include "NewFolderDlg.h"
#include "toolkit/FileSystemObject.h"
#include "viewer/PlxDibInfo.h"

IMPLEMENT_DYNAMIC(CFileListTree, CShellTree)

BEGIN_MESSAGE_MAP(CFileListTree, CShellTree)
    ON_WM_CREATE()
    ON_WM_KEYDOWN()
    ON_NOTIFY_REFLECT(NM_RCLICK, OnRightClick)
    ON_NOTIFY_REFLECT(TVN_BEGINLABELEDITA, OnBeginNameEdit)
    ON_NOTIFY_REFLECT(TVN_ENDLABELEDITA, OnEndNameEdit)
    ON_WM_DROPFILES()
    ON_NOTIFY_REFLECT(TVN_BEGINDRAGA, OnBeginDragMsg)
    ON_NOTIFY_REFLECT(TVN_BEGINDRAGW, OnBeginDragMsg)
    ON_WM_TIMER()
    ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

namespace {

const UINT_PTR kDragTimerId = 1;
const UINT kDragTimerPeriod = 100;   // ms
const UINT kHoverTicksToExpand = 7;  // 0.7 s resting on a closed folder opens it
const int kScrollMargin = 10;        // pixels from the top or bottom edge

bool CtrlDown() { return ::GetKeyState(VK_CONTROL) < 0; }

}  // namespace

CFileListTree::CFileListTree()
    : m_bDragging(0), m_hDragItem(nullptr), m_nTimer(0), m_nTicks(0), m_nHover(0), m_hEditItem(nullptr)
{
    // The socket reports for the tree itself (to its parent until a target is plugged in).
    CWndSocket::Attach(this);
}

CFileListTree::~CFileListTree() = default;

// Creation

BOOL CFileListTree::CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID,
                             LPVOID lpParam)
{
    return CWnd::CreateEx(dwExStyle, WC_TREEVIEWA, nullptr, dwStyle, rect, pParentWnd, nID, lpParam);
}

BOOL CFileListTree::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    if (!CShellTree::SubclassDlgItem(nID, pParent))
        return FALSE;
    Init();
    return TRUE;
}

int CFileListTree::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CShellTree::OnCreate(lpCreateStruct) == -1)
        return -1;
    Init();
    return 0;
}

int CFileListTree::Init()
{
    if (GetExStyle() & WS_EX_ACCEPTFILES) {
        DragAcceptFiles(TRUE);
        m_dropTarget.Register(this);
    }
    return 1;
}

// File operations

int CFileListTree::CopyFiles(CString& strFiles, CString& strTarget, CString* pVerified)
{
    return CFileOperations::CopyFiles(strFiles, strTarget, pVerified);
}

int CFileListTree::MoveFiles(CString& strFiles, CString& strTarget, CString* pVerified)
{
    return CFileOperations::MoveFiles(strFiles, strTarget, pVerified);
}

int CFileListTree::VerifyCopiedFiles(LPCSTR pszTarget, const CString& strFiles, CString& strVerified)
{
    return CFileOperations::VerifyCopiedFiles(pszTarget, strFiles, strVerified);
}

int CFileListTree::RenameFile(LPCSTR pszOldPath, LPCSTR pszNewPath)
{
    return CFileOperations::RenameFile(pszOldPath, pszNewPath);
}

int CFileListTree::DeleteFileA(LPCSTR pszPath) { return CFileOperations::DeleteFileA(pszPath); }

int CFileListTree::CreateDirectoryA(LPCSTR pszPath) { return CFileOperations::CreateDirectoryA(pszPath); }

// Tree operations

bool CFileListTree::IsExpanded(HTREEITEM hItem) const
{
    return hItem && (GetItemState(hItem, TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
}

HTREEITEM CFileListTree::FolderItemOf(HTREEITEM hItem)
{
    return (hItem && !IsFolderItem(hItem)) ? GetParentItem(hItem) : hItem;
}

bool CFileListTree::TargetFolder(HTREEITEM hFolder, CString& strTarget)
{
    CString strPath;
    if (!hFolder || !GetItemPath(hFolder, &strPath))
        return false;
    if (strPath.Right(1) != "\\")   // a drive's root has its backslash already
        strPath += '\\';
    strTarget = strPath;
    return true;
}

void CFileListTree::SetFolderImage(HTREEITEM hItem)
{
    LPITEMIDLIST lpifq = GetFullyQualifiedID(hItem);
    if (!lpifq)
        return;
    int nImage = CShellPidl::GetIcon(lpifq, IsExpanded(hItem) ? SHGFI_OPENICON : 0);
    if (nImage >= 0)
        SetItemImage(hItem, nImage, nImage);
}

void CFileListTree::UpdateFolder(HTREEITEM hFolder, CString& strVerified)
{
    if (IsExpanded(hFolder))
        InsertFilesInTree(strVerified, hFolder);
    else
        ResetFolder(hFolder);
}

int CFileListTree::InsertFilesInTree(CString& strFiles, HTREEITEM hFolder)
{
    CString strFolder;
    if (!hFolder || !GetItemDirectory(hFolder, &strFolder))
        return 0;
    if (strFolder.Right(1) != "\\")
        strFolder += '\\';
    CFileList walk(strFiles);
    CFileSystemObject fso;
    CString strEntry;
    int nHandled = 0;
    while (walk.GetNext(strEntry)) {
        CString strPath = strFolder + fso.GetName(strEntry);
        if (!GetTreeFileItem(strPath, hFolder))
            InsertPidlItem(strPath, hFolder, TVI_LAST);
        ++nHandled;
    }
    SetFolderImage(hFolder);
    return nHandled > 0 ? 1 : 0;
}

int CFileListTree::CopyFileItems(CString& strFiles, HTREEITEM hTarget)
{
    HTREEITEM hFolder = FolderItemOf(hTarget);
    CString strTarget, strVerified;
    if (!TargetFolder(hFolder, strTarget))
        return 0;
    if (!CopyFiles(strFiles, strTarget, &strVerified))
        return 0;
    UpdateFolder(hFolder, strVerified);
    return 1;
}

int CFileListTree::MoveFileItems(CString& strFiles, CPtrList& items, HTREEITEM hTarget)
{
    HTREEITEM hFolder = FolderItemOf(hTarget);
    CString strTarget, strVerified;
    if (!TargetFolder(hFolder, strTarget))
        return 0;
    if (!MoveFiles(strFiles, strTarget, &strVerified))
        return 0;
    for (POSITION pos = items.GetHeadPosition(); pos;) {
        HTREEITEM hItem = static_cast<HTREEITEM>(items.GetNext(pos));
        if (hItem)
            DeleteItem(hItem);
    }
    UpdateFolder(hFolder, strVerified);
    return 1;
}

bool CFileListTree::IsPlainName(const CString& strName)
{
    // A name with a separator or drive would put the file or folder
    // somewhere else than the folder it is made in.
    if (strName.IsEmpty() || strName == "." || strName == "..")
        return false;
    for (int i = 0; i < strName.GetLength(); ++i)
        if (strName[i] == '\\' || strName[i] == '/' || strName[i] == ':')
            return false;
    return true;
}

int CFileListTree::DoNewFolder(HTREEITEM hItem)
{
    CString strPath;
    if (!hItem || !GetItemPath(hItem, &strPath))
        return 0;
    bool bFile = GetItemType(hItem) == 2;
    CString strParent = bFile ? CFileSystemObject().GetFolder(strPath, 1) : strPath;
    if (strParent.Right(1) != "\\")
        strParent += '\\';

    CNewFolderDlg dlg(this);
    if (dlg.DoModal() != IDOK || !IsPlainName(dlg.m_strName))
        return 0;
    CString strNew = strParent + dlg.m_strName;
    int nMade = CreateDirectoryA(strNew);

    HTREEITEM hParentItem = bFile ? GetParentItem(hItem) : hItem;
    if (nMade && IsExpanded(hParentItem))
        InsertPidlItem(strNew, hParentItem, TVI_LAST);
    else if (hParentItem)
        ResetFolder(hParentItem);
    return nMade;
}

int CFileListTree::DoDeleteItem(HTREEITEM hItem)
{
    CString strPath;
    if (!hItem || !GetItemPath(hItem, &strPath))
        return 0;
    int nDeleted = DeleteFileA(strPath);
    if (nDeleted)
        DeleteItem(hItem);
    return nDeleted;
}

int CFileListTree::DoRenameItem(HTREEITEM hItem)
{
    EditLabel(hItem);
    return 1;
}

// Label editing

void CFileListTree::OnBeginNameEdit(NMHDR* pNMHDR, LRESULT* pResult)
{
    NMTVDISPINFOA* pInfo = reinterpret_cast<NMTVDISPINFOA*>(pNMHDR);
    int nType = GetItemType(pInfo->item.hItem);
    bool bAllowed = nType == 2 || nType == 3;
    m_hEditItem = bAllowed ? pInfo->item.hItem : nullptr;
    *pResult = bAllowed ? 0 : 1;
}

void CFileListTree::OnEndNameEdit(NMHDR* pNMHDR, LRESULT* pResult)
{
    NMTVDISPINFOA* pInfo = reinterpret_cast<NMTVDISPINFOA*>(pNMHDR);
    *pResult = 0;
    // Ending an edit at once sends this twice (the second time with the typed
    // text even after a cancel): only the first one counts.
    if (!m_hEditItem || m_hEditItem != pInfo->item.hItem)
        return;
    HTREEITEM hItem = m_hEditItem;
    m_hEditItem = nullptr;

    CString strOldPath;
    if (!pInfo->item.pszText)
        return;   // cancelled
    CString strText = pInfo->item.pszText;
    if (strText.IsEmpty() || strText == GetItemText(hItem) || !GetItemPath(hItem, &strOldPath) ||
        !IsPlainName(strText))
        return;

    CString strNewPath = CFileSystemObject().GetFolder(strOldPath, 1) + strText;
    if (!RenameFile(strOldPath, strNewPath))
        return;   // the label reverts
    FreePidlData(reinterpret_cast<tagID*>(GetItemData(hItem)));
    SetItemData(hItem, reinterpret_cast<DWORD_PTR>(CreatePidlData(strNewPath)));
    *pResult = 1;
}

// Keyboard

BOOL CFileListTree::PreTranslateMessage(MSG* pMsg)
{
    // Enter, Escape, Delete and Ctrl shortcuts belong to the tree (and its
    // label editor), not to the dialog around it.
    if (pMsg->message == WM_KEYDOWN &&
        (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_ESCAPE || pMsg->wParam == VK_DELETE || CtrlDown())) {
        ::TranslateMessage(pMsg);
        ::DispatchMessageA(pMsg);
        return TRUE;
    }
    return CShellTree::PreTranslateMessage(pMsg);
}

void CFileListTree::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    CShellTree::OnKeyDown(nChar, nRepCnt, nFlags);
    HTREEITEM hItem = GetSelectedItem();
    if (!hItem)
        return;
    if (nChar == VK_RETURN)
        Expand(hItem, TVE_TOGGLE);
    else if (nChar == VK_DELETE)
        DoDeleteItem(hItem);
}

// Notifications

NMHDR CFileListTree::Header(UINT code) const
{
    NMHDR hdr = {};
    hdr.hwndFrom = m_hWnd;
    hdr.idFrom = static_cast<UINT_PTR>(::GetDlgCtrlID(m_hWnd));
    hdr.code = code;
    return hdr;
}

void CFileListTree::OnFileSelected(const char* pszPath)
{
    NMFILELIST nm = {Header(FLN_FILESELECTED), pszPath};
    Notify(&nm.hdr);
}

void CFileListTree::OnRightClick(NMHDR* /*pNMHDR*/, LRESULT* pResult)
{
    CPoint ptScreen;
    ::GetCursorPos(&ptScreen);
    CPoint ptClient = ptScreen;
    ScreenToClient(&ptClient);
    HTREEITEM hItem = HitTest(ptClient);
    SelectItem(hItem);
    NMFILELISTMENU nm = {Header(FLN_CONTEXTMENU), hItem, ptScreen.x, ptScreen.y};
    *pResult = Notify(&nm.hdr);
}

// Drag and drop

void CFileListTree::EndDrag()
{
    SelectDropTarget(nullptr);
    if (m_nTimer) {
        KillTimer(m_nTimer);
        m_nTimer = 0;
    }
    m_bDragging = 0;
}

void CFileListTree::OnDropFiles(HDROP hDropInfo)
{
    CString strFiles;
    POINT pt = {};
    if (CDropFiles::ReadBlock(hDropInfo, strFiles, &pt)) {
        HTREEITEM hFolder = FolderItemOf(HitTest(CPoint(pt)));
        bool bOwnFolder = m_bDragging && m_hDragItem && hFolder == GetParentItem(m_hDragItem);
        if (hFolder && !bOwnFolder) {
            if (CtrlDown()) {
                CopyFileItems(strFiles, hFolder);
            } else {
                CPtrList items;
                if (m_bDragging && m_hDragItem)
                    items.AddTail(m_hDragItem);
                MoveFileItems(strFiles, items, hFolder);
            }
        }
    }
    ::DragFinish(hDropInfo);
    EndDrag();
}

void CFileListTree::OnBeginDragMsg(NMHDR* pNMHDR, LRESULT* pResult)
{
    HTREEITEM hItem = reinterpret_cast<NMTREEVIEWA*>(pNMHDR)->itemNew.hItem;
    *pResult = 0;
    SelectItem(hItem);
    CString strPath;
    if (GetItemType(hItem) != 2 || !GetItemPath(hItem, &strPath))
        return;
    m_bDragging = 1;
    m_hDragItem = hItem;
    NMFILELIST nm = {Header(FLN_BEGINDRAG), strPath.GetString()};
    Notify(&nm.hdr);
}

DROPEFFECT CFileListTree::OnDragEnter(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    m_nTimer = SetTimer(kDragTimerId, kDragTimerPeriod);
    return OnDragOver(pDataObject, dwKeyState, point);
}

DROPEFFECT CFileListTree::OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    if (!pDataObject || !pDataObject->IsDataAvailable(CF_HDROP))
        return DROPEFFECT_NONE;
    if (HTREEITEM hItem = HitTest(point))
        SelectDropTarget(hItem);
    return (dwKeyState & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
}

void CFileListTree::OnDragLeave()
{
    // The timer runs on until the drop or the button's release.
    SelectDropTarget(nullptr);
}

void CFileListTree::OnTimer(UINT_PTR nIDEvent)
{
    if (!m_nTimer || nIDEvent != m_nTimer) {
        CShellTree::OnTimer(nIDEvent);
        return;
    }
    OnDragTimer();
}

void CFileListTree::OnDragTimer()
{
    ++m_nTicks;
    CPoint pt;
    ::GetCursorPos(&pt);
    CRect rc;
    GetClientRect(&rc);
    ClientToScreen(&rc);
    if (!rc.PtInRect(pt)) {
        m_nHover = 0;
        return;
    }
    CPoint ptClient = pt;
    ScreenToClient(&ptClient);
    if (HTREEITEM hItem = HitTest(ptClient)) {
        if (ItemHasChildren(hItem) && !IsExpanded(hItem)) {
            if (++m_nHover >= kHoverTicksToExpand) {
                Expand(hItem, TVE_EXPAND);
                m_nHover = 0;
            }
        } else {
            m_nHover = 0;
        }
    }
    // Scrolling near the edges every second tick, so at most every 200 ms.
    bool bEven = (m_nTicks % 2) == 0;
    if (bEven && (pt.y < rc.top + kScrollMargin || pt.y > rc.bottom - kScrollMargin)) {
        SendMessage(WM_VSCROLL, pt.y < rc.top + kScrollMargin ? SB_LINEUP : SB_LINEDOWN, 0);
        SelectDropTarget(HitTest(ptClient));
    }
}

void CFileListTree::OnLButtonUp(UINT nFlags, CPoint point)
{
    m_bDragging = 0;
    if (m_nTimer) {
        KillTimer(m_nTimer);
        m_nTimer = 0;
    }
    CShellTree::OnLButtonUp(nFlags, point);
}

int CFileListTree::CacheHDropData(COleDataSource* pDataSource, CString& strFiles)
{
    HGLOBAL hBlock = pDataSource ? CDropFiles::CreateBlock(strFiles) : nullptr;
    if (!hBlock)
        return 0;
    pDataSource->CacheGlobalData(CF_HDROP, hBlock);
    return 1;
}

int CFileListTree::CacheData(COleDataSource* pDataSource, CString& strFiles)
{
    CacheHDropData(pDataSource, strFiles);
    return 1;
}

// Pasting

int CFileListTree::DoPaste(HTREEITEM hItem)
{
    COleDataObject data;
    if (!data.AttachClipboard())
        return 0;
    if (data.IsDataAvailable(CF_HDROP))
        return PasteHDropData(&data, hItem);
    if (data.IsDataAvailable(CF_DIB) || data.IsDataAvailable(CF_BITMAP))
        return PasteBitmapData(&data, hItem);
    return 0;
}

int CFileListTree::PasteHDropData(COleDataObject* pDataObject, HTREEITEM hItem)
{
    if (!hItem)
        hItem = GetSelectedItem();
    int nType = GetItemType(hItem);
    CString strTarget;
    if ((nType != 2 && nType != 3) || !pDataObject || !GetItemDirectory(hItem, &strTarget))
        return 0;
    if (strTarget.Right(1) != "\\")
        strTarget += '\\';
    HGLOBAL hDrop = pDataObject->GetGlobalData(CF_HDROP);
    CString strFiles, strVerified;
    int nPasted = 0;
    if (CDropFiles::ReadBlock(hDrop, strFiles) && CopyFiles(strFiles, strTarget, &strVerified)) {
        nPasted = 1;
        if (nType == 3)
            UpdateFolder(hItem, strVerified);
    }
    if (hDrop)
        ::GlobalFree(hDrop);
    return nPasted;
}

int CFileListTree::PasteBitmapData(COleDataObject* pDataObject, HTREEITEM hItem)
{
    if (!pDataObject)
        return 0;
    // Only a DIB is pasted: a plain bitmap comes without the record that names the file.
    if (!pDataObject->IsDataAvailable(CF_DIB))
        return 0;
    const CLIPFORMAT cfPlxDibInfo = CPlxDibInfo::GetFormat();
    if (!pDataObject->IsDataAvailable(cfPlxDibInfo))
        return 0;
    if (!hItem)
        hItem = GetSelectedItem();

    HGLOBAL hRecord = pDataObject->GetGlobalData(cfPlxDibInfo);
    CString strName;
    int nBits = 0;
    BOOL bRecord = CBitmapPaste::ReadRecord(hRecord, strName, nBits);
    if (hRecord)
        ::GlobalFree(hRecord);
    if (!bRecord)
        return 0;
    CString strTemp = CBitmapPaste::TempFileName(strName);
    HGLOBAL hDib = pDataObject->GetGlobalData(CF_DIB);
    BOOL bSaved = !strTemp.IsEmpty() && CBitmapPaste::SaveDib(this, hDib, strTemp, nBits);
    if (hDib)
        ::GlobalFree(hDib);
    if (!bSaved)
        return 0;
    CString strFiles;
    CFileList::Append(strFiles, strTemp);
    CopyFileItems(strFiles, hItem);
    return 1;
}
