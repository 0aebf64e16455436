// FrameHost.h : main header file for the FRAMEHOST application
#if !defined(AFX_FRAMEHOST_H__INCLUDED_)
#define AFX_FRAMEHOST_H__INCLUDED_

#ifndef __AFXWIN_H__
    #error include 'stdafx.h' before including this file for PCH
#endif

#include "resource.h"       // main symbols

class CFrameHostApp : public CWinApp
{
public:
    CFrameHostApp();

    //{{AFX_VIRTUAL(CFrameHostApp)
public:
    virtual BOOL InitInstance();
    //}}AFX_VIRTUAL

    //{{AFX_MSG(CFrameHostApp)
    afx_msg void OnAppAbout();
    //}}AFX_MSG
    DECLARE_MESSAGE_MAP()
};

#endif // !defined(AFX_FRAMEHOST_H__INCLUDED_)
