#include "DemoApp.h"
#include "HostChecks.h"
#include "HostDoc.h"
#include "HostView.h"
#include "MainFrame.h"
#include "resource.h"
#include <afxole.h>

CDemoApp theApp;

CDemoApp::CDemoApp() : CWinApp("QRV Demo") {}

namespace {
CString ScreenshotFolder(LPCSTR lpCmdLine)
{
    CString args(lpCmdLine ? lpCmdLine : "");
    int at = args.Find("--screenshots");
    if (at < 0)
        return CString();
    CString folder = args.Mid(at + 13);
    folder.TrimLeft();
    folder.TrimRight();
    folder.Remove('"');
    return folder;
}
}

BOOL CDemoApp::InitInstance()
{
    // With the final backslash, so the driver cache becomes a key of its own
    // (Software\QRV Demo\PLC Drivers).
    SetRegistryKey("QRV Demo\\");
    // The clipboard and drag and drop of the viewer and the file list.
    AfxOleInit();
    m_hQrv = ::LoadLibraryA("QRV.dll");

    m_pDoc = new CHostDoc;
    CMainFrame* pFrame = new CMainFrame;
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(CHostView);
    if (!pFrame->Create(nullptr, "QRV Demo", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CRect(20, 20, 900, 600), nullptr,
                        MAKEINTRESOURCE(IDR_MAINFRAME), 0, &context)) {
        delete pFrame;
        return FALSE;
    }
    m_pMainWnd = pFrame;
    CHostView* pView = pFrame->View();
    pView->SetDocument(m_pDoc);
    m_pDoc->AttachView(pView);
    pFrame->InitialUpdateFrame(nullptr, FALSE);
    m_pDoc->OnNewDocument();
    CString folder = ScreenshotFolder(m_lpCmdLine);
    // The headless run starts where the frame fits its form, as a first start does.
    if (folder.IsEmpty())
        pFrame->LoadPlacement();
    pFrame->ShowWindow(m_nCmdShow == SW_HIDE ? SW_SHOWNORMAL : m_nCmdShow);
    pFrame->UpdateWindow();
    if (!folder.IsEmpty()) {
        m_nCheckFailures = CHostChecks(pFrame, folder).Run();
        pFrame->DestroyWindow();
        m_pMainWnd = nullptr;
        return FALSE;
    }
    return TRUE;
}

int CDemoApp::ExitInstance()
{
    if (m_pDoc)
        m_pDoc->AttachView(nullptr);
    delete m_pDoc;
    m_pDoc = nullptr;
    if (m_hQrv)
        ::FreeLibrary(m_hQrv);
    int rc = CWinApp::ExitInstance();
    return m_nCheckFailures >= 0 ? m_nCheckFailures : rc;
}
