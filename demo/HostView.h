// CHostView: the host's one view, a resizable form. On the left the
// project's picture folder in the library's file list tree with its filter
// box; in the middle the library's viewer pane showing the selected picture
// as the project's panel shows it; on the right the viewer's property sheet.
// The pane grows with the window, the tree with its height, and the sheet
// keeps to the right edge.
#pragma once
#include <afxext.h>
#include "browse/FileFilterCombo.h"
#include "browse/FileListTree.h"
#include "framework/ResizeFormView.h"
#include "viewer/MainViewerWnd.h"
#include "viewer/ViewerList.h"

class CHostDoc;
class CLeadViewerWnd;
class CViewerPps;

class CHostView : public CResizeFormView
{
    DECLARE_DYNCREATE(CHostView)
public:
    CHostView();
    ~CHostView() override;

    CHostDoc* GetDocument() const { return m_pDoc; }
    void SetDocument(CHostDoc* pDoc) { m_pDoc = pDoc; }

    void OnInitialUpdate() override;
    // What changed in the document (lHint: CHostDoc::Hint).
    void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override;

    // The image viewer once a picture is shown, else null.
    CLeadViewerWnd* ImageViewer();
    // The file the pane shows, or empty.
    CString ShownFile();
    // The file selected in the tree, or empty.
    CString SelectedFile();
    // Selects a file of the picture folder in the tree as a click does;
    // FALSE if the tree does not show it.
    BOOL SelectFile(LPCSTR pszName);
    // Selects the picture folder's subfolder of that name in the tree
    // (made if missing); FALSE if it cannot.
    BOOL SelectSubfolder(LPCSTR pszName);
    // Bearbeiten: the panel image onto the clipboard; the clipboard's
    // files or panel image into the folder selected in the tree.
    BOOL CopyPanelImage();
    BOOL PasteIntoSelectedFolder();

    // Where the demo registers its viewers below HKEY_CURRENT_USER.
    static LPCSTR ViewerKey() { return "Software\\QRV Demo\\Viewer"; }

protected:
    afx_msg void OnFileSelected(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnFilterChange(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnViewerActivate(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    static void RegisterViewers();
    void CreatePane();
    void CreateSheet();
    void FillFilter();
    void LoadFolder();
    void SelectPictureInTree();
    void ShowPicture();
    void ApplyDepth();
    void OpenPages(CViewerWnd* pViewer);
    HTREEITEM FindChild(HTREEITEM hParent, const CString& strPath);

    CHostDoc* m_pDoc = nullptr;
    CFileFilterCombo m_filter;
    CFileListTree m_tree;
    CMainViewerWnd m_pane;
    CViewerList m_viewers;
    CViewerPps* m_pSheet = nullptr;
    CString m_strLoadedFolder;
    BOOL m_bSelecting = FALSE;
};
