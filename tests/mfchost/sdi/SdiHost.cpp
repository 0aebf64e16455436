// SdiHost.cpp : Defines the class behaviors for the application.
#include "stdafx.h"
#include "SdiHost.h"
#include "MainFrm.h"
#include "SdiDoc.h"
#include "SdiView.h"

BEGIN_MESSAGE_MAP(CSdiHostApp, CWinApp)
// Standard file based document commands
ON_COMMAND(ID_FILE_NEW, CWinApp::OnFileNew)
ON_COMMAND(ID_FILE_OPEN, CWinApp::OnFileOpen)
END_MESSAGE_MAP()

// The one and only CSdiHostApp object
CSdiHostApp theApp;

BOOL CSdiHostApp::InitInstance()
{
    // Standard initialization
#ifdef _AFXDLL
    Enable3dControls(); // Call this when using MFC in a shared DLL
#else
    Enable3dControlsStatic(); // Call this when linking to MFC statically
#endif

    SetRegistryKey(_T("QRV MFC Hosts"));
    LoadStdProfileSettings(); // Load standard INI file options (including MRU)

    // Register the application's document templates.  Document templates
    //  serve as the connection between documents, frame windows and views.
    CSingleDocTemplate *pDocTemplate;
    pDocTemplate = new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(CSdiDoc),
                                          RUNTIME_CLASS(CMainFrame), // main SDI frame window
                                          RUNTIME_CLASS(CSdiView));
    AddDocTemplate(pDocTemplate);

    // Enable DDE Execute open
    EnableShellOpen();
    RegisterShellFileTypes(TRUE);

    // Parse command line for standard shell commands, DDE, file open
    CCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo);

    // Dispatch commands specified on the command line
    if (!ProcessShellCommand(cmdInfo))
        return FALSE;

    // The one and only window has been initialized, so show and update it.
    m_pMainWnd->ShowWindow(SW_SHOW);
    m_pMainWnd->UpdateWindow();

    // Enable drag/drop open
    m_pMainWnd->DragAcceptFiles();
    return TRUE;
}
