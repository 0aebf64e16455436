// CMainViewerWnd: the preview pane. It lists the viewers it may show, picks
// one by a file's extension, creates its window on first use and shows it
// filling the pane. Viewer changes and context-menu requests go to the owner
// as NMVIEWER notifications through the socket.
#pragma once
#include <afxwin.h>
#include "framework/WndSocket.h"
#include "viewer/NmViewer.h"
#include "viewer/ViewerList.h"

class AFX_EXT_CLASS CMainViewerWnd : public CWnd, public CWndSocket
{
    DECLARE_DYNAMIC(CMainViewerWnd)
public:
    CMainViewerWnd();
    ~CMainViewerWnd() override;

    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID,
                        CCreateContext* pContext = nullptr);

    // The pane does not own the viewers it lists.
    int InsertViewer(CViewerWnd* pViewer);
    int AddViewerList(CViewerList* pList);
    void Reset();

    // The first viewer of the type, its window created if need be; null on failure.
    CViewerWnd* GetViewer(DWORD dwType);
    // The first viewer whose extension list holds the path's extension (any case).
    CViewerWnd* FindViewer(LPCSTR pszPath);
    int LoadFile(LPCSTR pszPath);
    // 1 when the current viewer changed.
    int SetViewer(CViewerWnd* pViewer);
    CViewerWnd* GetCurViewer() const { return m_pCurViewer; }
    int GetCurFileName(CString* pFileName);

    // Kept for viewers that become current later.
    void SetColorInfo(int nBits, const unsigned long* pPal16, const unsigned long* pPal256,
                      const unsigned long* pPalPlx508, const unsigned long* pPal8);
    int GetPanelColorBits() const { return m_nPanelColorBits; }
    void SetImageSize(CSize size);
    int GetImageSize(CSize* pSize);

    void SetImage(void* hDib);
    void* GetPanelImage();
    void* GetOriginalImage();
    int IsModified();
    void Refresh();
    // Puts the image of pszFile on the data source, loading it if it is not the current file.
    int CacheData(COleDataSource* pDataSource, const CString& strFile);
    // Whether the focus lies in pWnd's sibling chain and its descendants, or
    // with null, in this pane or any of its descendants.
    int HasFocus(CWnd* pWnd);

    // Control id of the next viewer window created by any pane.
    static int m_nChildId;

protected:
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    DECLARE_MESSAGE_MAP()

    CViewerList m_viewers;
    CViewerWnd* m_pCurViewer;
    int m_nPanelColorBits;
    const unsigned long* m_pPal256;
    const unsigned long* m_pPal16;
    const unsigned long* m_pPalPlx508;
    const unsigned long* m_pPal8;
    int m_cxImage;
    int m_cyImage;

private:
    BOOL CreateViewerWindow(CViewerWnd* pViewer);
    int SendViewerNotify(UINT nCode, CViewerWnd* pViewer, CPoint point = CPoint(0, 0));
    static int FindFocusIn(HWND hStart, HWND hFocus);
};
