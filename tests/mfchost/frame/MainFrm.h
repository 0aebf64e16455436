// MainFrm.h : interface of the CMainFrame class
#pragma once

#include "viewer/MainViewerWnd.h"

class CMainFrame : public CFrameWnd {
    DECLARE_DYNAMIC(CMainFrame)
public:
    virtual BOOL PreCreateWindow(CREATESTRUCT &cs);

protected: // control bar embedded members
    CStatusBar m_wndStatusBar;
    CMainViewerWnd m_wndViewer;

    virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext *pContext);
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnUpdateEditCopy(CCmdUI *pCmdUI);
    DECLARE_MESSAGE_MAP()
};
