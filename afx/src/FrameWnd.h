// CFrameWnd: a top-level window that holds one view filling its client area.
// The view is made from the runtime class in the creation context; as in
// MFC, a frame lives on the heap and deletes itself when its window is gone.
// Commands go to the active view, then the frame, then the application; a
// popup menu's items are enabled and checked through that route before it opens.
#pragma once
#include "Wnd.h"
#include "../include/afxres.h"

class CView;
class CFrameWnd;
class CMenu;
class CDocument;
class CDocTemplate;


// Frame styles (in the class-specific bits of the style): the caption shows
// the document's title, before the application's.
#define FWS_ADDTOTITLE  0x00008000L
#define FWS_PREFIXTITLE 0x00004000L
#define FWS_SNAPTOBARS  0x00002000L

// What a frame needs to make its view, and the document the view shows.
struct CCreateContext
{
    CRuntimeClass* m_pNewViewClass = nullptr;
    CDocument* m_pCurrentDoc = nullptr;
    CDocTemplate* m_pNewDocTemplate = nullptr;
    CView* m_pLastView = nullptr;
    CFrameWnd* m_pCurrentFrame = nullptr;
};

class AFX_CORE_CLASS CFrameWnd : public CWnd
{
    DECLARE_DYNCREATE(CFrameWnd)
public:
    CFrameWnd();
    ~CFrameWnd() override;

    // The position and size the platform chooses.
    static const CRect rectDefault;

    BOOL Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect = rectDefault,
                CWnd* pParentWnd = nullptr, LPCSTR lpszMenuName = nullptr, DWORD dwExStyle = 0,
                CCreateContext* pContext = nullptr);
    // Creates the frame from the resources of one id: its menu, its icon
    // (else AFX_IDI_STD_FRAME), its accelerators and its title (the first
    // part of string nIDResource up to '\n', else the application's title).
    virtual BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr);
    BOOL LoadAccelTable(LPCSTR lpszResourceName);
    HACCEL GetDefaultAccelerator() const { return m_hAccelTable; }
    // A single-document frame is its own active frame.
    virtual CFrameWnd* GetActiveFrame() { return this; }
    BOOL IsFrameWnd() const override { return TRUE; }

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, LRESULT* pResult) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // Menu items without an update handler are enabled exactly when the
    // command route has a handler for them.
    BOOL m_bAutoMenuEnable;
    // The help context of the frame (LoadFrame's id, + HID_BASE_RESOURCE).
    UINT m_nIDHelp;

    CView* GetActiveView() const { return m_pViewActive; }
    void SetActiveView(CView* pViewNew);
    // The document of the active view; null without one.
    virtual CDocument* GetActiveDocument();
    // Sends WM_INITIALUPDATE to every view below the frame, shows it if asked
    // and puts the document's title into the caption.
    void InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible);

    // The application's part of the caption; with FWS_ADDTOTITLE the caption
    // is "<document> - <title>" (FWS_PREFIXTITLE) or "<title> - <document>".
    CString GetTitle() const { return m_strTitle; }
    void SetTitle(LPCSTR lpszTitle) { m_strTitle = lpszTitle; }
    virtual void OnUpdateFrameTitle(BOOL bAddToTitle);
    void UpdateFrameTitleForDocument(LPCSTR lpszDocName);
    CString m_strTitle;
    // The view fills the client area.
    virtual void RecalcLayout();

protected:
    // Frames that add the document to their title put it first, as Windows 95 programs do.
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);
    CWnd* CreateView(CCreateContext* pContext, UINT nID = AFX_IDW_PANE_FIRST);
    void PostNcDestroy() override;
    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    afx_msg LRESULT OnCommandHelp(WPARAM wParam, LPARAM lParam);
    // The active document may refuse (the user cancels saving its changes).
    afx_msg void OnClose();
    DECLARE_MESSAGE_MAP()

    CView* m_pViewActive;
    HACCEL m_hAccelTable;

private:
    LPCSTR GetIconWndClass(UINT nIDResource);
};
