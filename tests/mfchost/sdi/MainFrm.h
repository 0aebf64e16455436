// MainFrm.h : interface of the CMainFrame class
#pragma once

class CMainFrame : public CFrameWnd {
    DECLARE_DYNCREATE(CMainFrame)
public:
    virtual BOOL PreCreateWindow(CREATESTRUCT &cs);
};
