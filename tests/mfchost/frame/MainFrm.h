// MainFrm.h : interface of the CMainFrame class
#if !defined(AFX_MAINFRM_H__FRAMEHOST__INCLUDED_)
#define AFX_MAINFRM_H__FRAMEHOST__INCLUDED_

#include "viewer/MainViewerWnd.h"

class CMainFrame : public CFrameWnd
{
public:
    CMainFrame();
protected:
    DECLARE_DYNAMIC(CMainFrame)

public:
    //{{AFX_VIRTUAL(CMainFrame)
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    //}}AFX_VIRTUAL

public:
    virtual ~CMainFrame();

protected:  // control bar embedded members
    CStatusBar      m_wndStatusBar;
    CMainViewerWnd  m_wndViewer;

    virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);

    //{{AFX_MSG(CMainFrame)
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnUpdateEditCopy(CCmdUI* pCmdUI);
    //}}AFX_MSG
    DECLARE_MESSAGE_MAP()
};

#endif // !defined(AFX_MAINFRM_H__FRAMEHOST__INCLUDED_)
