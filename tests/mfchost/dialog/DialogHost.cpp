// DialogHost.cpp : Defines the class behaviors for the application.
#include "stdafx.h"
#include "DialogHost.h"
#include "DialogHostDlg.h"

BEGIN_MESSAGE_MAP(CDialogHostApp, CWinApp)
ON_COMMAND(ID_HELP, CWinApp::OnHelp)
END_MESSAGE_MAP()

// The one and only CDialogHostApp object
CDialogHostApp theApp;

BOOL CDialogHostApp::InitInstance()
{
    SetRegistryKey(_T("QRV MFC Hosts"));

    CDialogHostDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();

    // Since the dialog has been closed, return FALSE so that we exit the
    //  application, rather than start the application's message pump.
    return FALSE;
}
