// MainFrm.h : interface of the CMainFrame class
#if !defined(AFX_MAINFRM_H__SDIHOST__INCLUDED_)
#define AFX_MAINFRM_H__SDIHOST__INCLUDED_

class CMainFrame : public CFrameWnd
{
protected: // create from serialization only
    CMainFrame();
    DECLARE_DYNCREATE(CMainFrame)

public:
    //{{AFX_VIRTUAL(CMainFrame)
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    //}}AFX_VIRTUAL

public:
    virtual ~CMainFrame();

protected:  // control bar embedded members
    CStatusBar  m_wndStatusBar;

    //{{AFX_MSG(CMainFrame)
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    //}}AFX_MSG
    DECLARE_MESSAGE_MAP()
};

#endif // !defined(AFX_MAINFRM_H__SDIHOST__INCLUDED_)
