// MainFrm.h : interface of the CMainFrame class
#pragma once

class CMainFrame : public CFrameWnd {
    DECLARE_DYNCREATE(CMainFrame)
public:
    virtual BOOL PreCreateWindow(CREATESTRUCT &cs);

protected: // control bar embedded members
    CStatusBar m_wndStatusBar;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    DECLARE_MESSAGE_MAP()
};
