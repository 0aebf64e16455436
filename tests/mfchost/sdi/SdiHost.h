// SdiHost.h : main header file for the SDIHOST application
#if !defined(AFX_SDIHOST_H__INCLUDED_)
#define AFX_SDIHOST_H__INCLUDED_

#ifndef __AFXWIN_H__
    #error include 'stdafx.h' before including this file for PCH
#endif

#include "resource.h"       // main symbols

class CSdiHostApp : public CWinApp
{
public:
    CSdiHostApp();

    //{{AFX_VIRTUAL(CSdiHostApp)
public:
    virtual BOOL InitInstance();
    //}}AFX_VIRTUAL

    //{{AFX_MSG(CSdiHostApp)
    afx_msg void OnAppAbout();
    //}}AFX_MSG
    DECLARE_MESSAGE_MAP()
};

#endif // !defined(AFX_SDIHOST_H__INCLUDED_)
