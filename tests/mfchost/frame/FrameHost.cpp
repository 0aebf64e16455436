// FrameHost.cpp : Defines the class behaviors for the application.
#include "stdafx.h"
#include "FrameHost.h"
#include "MainFrm.h"

BEGIN_MESSAGE_MAP(CFrameHostApp, CWinApp)
ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
ON_COMMAND(ID_HELP, CWinApp::OnHelp)
END_MESSAGE_MAP()

// The one and only CFrameHostApp object
CFrameHostApp theApp;

BOOL CFrameHostApp::InitInstance()
{
    if (!AfxOleInit()) {
        AfxMessageBox("OLE konnte nicht gestartet werden.");
        return FALSE;
    }
    SetRegistryKey(_T("QRV MFC Hosts"));
    LoadStdProfileSettings(); // Load standard INI file options (including MRU)

    CMainFrame *pFrame = new CMainFrame;
    m_pMainWnd = pFrame;
    if (!pFrame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, NULL, NULL))
        return FALSE;
    pFrame->ShowWindow(SW_SHOW);
    pFrame->UpdateWindow();
    return TRUE;
}

// CAboutDlg dialog used for App About
class CAboutDlg : public CDialog {
public:
    enum { IDD = IDD_ABOUTBOX };
    CAboutDlg() : CDialog(CAboutDlg::IDD) {}
};

// App command to run the dialog
void CFrameHostApp::OnAppAbout()
{
    CAboutDlg aboutDlg;
    aboutDlg.DoModal();
}
