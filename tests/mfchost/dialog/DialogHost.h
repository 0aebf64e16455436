// DialogHost.h : main header file for the DIALOGHOST application
#if !defined(AFX_DIALOGHOST_H__INCLUDED_)
#define AFX_DIALOGHOST_H__INCLUDED_

#ifndef __AFXWIN_H__
    #error include 'stdafx.h' before including this file for PCH
#endif

#include "resource.h"       // main symbols

class CDialogHostApp : public CWinApp
{
public:
    CDialogHostApp();

    //{{AFX_VIRTUAL(CDialogHostApp)
public:
    virtual BOOL InitInstance();
    //}}AFX_VIRTUAL

    //{{AFX_MSG(CDialogHostApp)
    //}}AFX_MSG
    DECLARE_MESSAGE_MAP()
};

#endif // !defined(AFX_DIALOGHOST_H__INCLUDED_)
