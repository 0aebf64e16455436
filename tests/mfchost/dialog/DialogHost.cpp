// DialogHost.cpp : Defines the class behaviors for the application.
//
#include "stdafx.h"
#include "DialogHost.h"
#include "DialogHostDlg.h"

BEGIN_MESSAGE_MAP(CDialogHostApp, CWinApp)
    //{{AFX_MSG_MAP(CDialogHostApp)
    //}}AFX_MSG_MAP
    ON_COMMAND(ID_HELP, CWinApp::OnHelp)
END_MESSAGE_MAP()

CDialogHostApp::CDialogHostApp()
{
}

// The one and only CDialogHostApp object
CDialogHostApp theApp;

BOOL CDialogHostApp::InitInstance()
{
    SetRegistryKey(_T("QRV MFC Hosts"));

    CDialogHostDlg dlg;
    m_pMainWnd = &dlg;
    int nResponse = dlg.DoModal();
    if (nResponse == IDOK)
    {
        // dismissed with OK
    }
    else if (nResponse == IDCANCEL)
    {
        // dismissed with Cancel
    }

    // Since the dialog has been closed, return FALSE so that we exit the
    //  application, rather than start the application's message pump.
    return FALSE;
}
