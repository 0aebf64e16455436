#include "DemoApp.h"
#include "MainFrame.h"
#include "CatalogueWindow.h"
#include "FolderWindow.h"
#include "ViewerDemo.h"
#include "PasteDemo.h"
#include <afxole.h>
#include "select/PlcSelectDlg.h"
#include "tests/support/MessagePump.h"
#include "tests/support/Screenshot.h"
#include "ResizeDemo.h"
#if __has_include("ValuesDialog.h")
#include "ValuesDialog.h"
#define QRV_DEMO_HAS_VALUES 1
#endif

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

std::string PathIn(const CString& folder, LPCSTR name)
{
    return std::string((LPCSTR)folder) + "\\" + name;
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
    CMainFrame* pFrame = new CMainFrame;
    if (!pFrame->CreateFrame()) {
        delete pFrame;
        return FALSE;
    }
    m_pMainWnd = pFrame;
    pFrame->ShowWindow(m_nCmdShow == SW_HIDE ? SW_SHOWNORMAL : m_nCmdShow);
    pFrame->UpdateWindow();
    CString folder = ScreenshotFolder(m_lpCmdLine);
    if (!folder.IsEmpty()) {
        m_nScreenshotFailures = TakeScreenshots(folder);
        pFrame->DestroyWindow();
        m_pMainWnd = nullptr;
        return FALSE;
    }
    return TRUE;
}

int CDemoApp::TakeScreenshots(const CString& folder)
{
    int failures = 0;
    qrvtest::PumpFor(300);
    if (!qrvtest::SaveWindowPng(m_pMainWnd->m_hWnd, PathIn(folder, "main.png")))
        ++failures;
    if (CWnd* pCatalogue = CCatalogueWindow::Show(m_pMainWnd)) {
        qrvtest::PumpFor(200);
        failures += !qrvtest::SaveWindowPng(pCatalogue->m_hWnd, PathIn(folder, "catalogue.png"));
        pCatalogue->DestroyWindow();
    } else {
        ++failures;
    }
    failures += ShootControllerSelection(folder);
    if (CWnd* pFolders = CFolderWindow::Show(m_pMainWnd)) {
        qrvtest::PumpFor(300);
        failures += !qrvtest::SaveWindowPng(pFolders->m_hWnd, PathIn(folder, "shell-tree.png"));
        failures += !qrvtest::SaveWindowPng(pFolders->m_hWnd, PathIn(folder, "file-list.png"));
        pFolders->DestroyWindow();
    } else {
        ++failures;
    }
    failures += CViewerDemo::TakeScreenshots(m_pMainWnd, folder);
    failures += CPasteDemo::Run(m_pMainWnd, folder);
#ifdef QRV_DEMO_HAS_VALUES
    {
        CValuesDialog dlg(m_pMainWnd);
        if (dlg.Create(CValuesDialog::IDD, m_pMainWnd)) {
            dlg.CenterWindow();
            dlg.ShowWindow(SW_SHOW);
            failures += !qrvtest::SaveWindowPng(dlg.m_hWnd, PathIn(folder, "editors.png"));
            dlg.DestroyWindow();
        } else {
            ++failures;
        }
    }
#endif
    failures += ShootResizing(folder);
    return failures;
}

// The resizable dialog at its initial size and grown, then the resizable
// sheet with the picture tree and the tab control with a disabled tab.
int CDemoApp::ShootResizing(const CString& folder)
{
    int failures = 0;
    CResizeDemoDialog dlg(m_pMainWnd);
    if (!dlg.Create(CResizeDemoDialog::IDD, m_pMainWnd))
        return 2;
    dlg.CenterWindow();
    dlg.ShowWindow(SW_SHOW);
    qrvtest::PumpFor(200);
    failures += !qrvtest::SaveWindowPng(dlg.m_hWnd, PathIn(folder, "resize-small.png"));
    CRect rc;
    dlg.GetWindowRect(&rc);
    dlg.SetWindowPos(nullptr, rc.left - 120, rc.top - 80, rc.Width() + 240, rc.Height() + 160, SWP_NOZORDER);
    qrvtest::PumpFor(200);
    failures += !qrvtest::SaveWindowPng(dlg.m_hWnd, PathIn(folder, "resize-large.png"));
    dlg.DestroyWindow();

    CResizeDemoSheet sheet(m_pMainWnd);
    if (!sheet.Create(m_pMainWnd))
        return failures + 2;
    sheet.ShowWindow(SW_SHOW);
    sheet.GetWindowRect(&rc);
    sheet.SetWindowPos(nullptr, 0, 0, rc.Width() + 60, rc.Height() + 40, SWP_NOMOVE | SWP_NOZORDER);
    qrvtest::PumpFor(200);
    failures += !qrvtest::SaveWindowPng(sheet.m_hWnd, PathIn(folder, "bmp-tree.png"));
    sheet.SetActivePage(&sheet.m_tabsPage);
    qrvtest::PumpFor(200);
    failures += !qrvtest::SaveWindowPng(sheet.m_hWnd, PathIn(folder, "tabs.png"));
    sheet.DestroyWindow();
    return failures;
}

// The selection dialog as the user first sees it: the active driver's row selected.
int CDemoApp::ShootControllerSelection(const CString& folder)
{
    auto* pFrame = static_cast<CMainFrame*>(m_pMainWnd);
    CPlcSelectDlg* pDlg = pFrame->Project().CreateDialogFor(pFrame);
    if (!pDlg)
        return 1;
    pDlg->CenterWindow();
    pDlg->ShowWindow(SW_SHOW);
    qrvtest::PumpFor(200);
    int failures = !qrvtest::SaveWindowPng(pDlg->m_hWnd, PathIn(folder, "controller-select.png"));
    pDlg->DestroyWindow();
    delete pDlg;
    return failures;
}

int CDemoApp::ExitInstance()
{
    if (m_hQrv)
        ::FreeLibrary(m_hQrv);
    int rc = CWinApp::ExitInstance();
    return m_nScreenshotFailures >= 0 ? m_nScreenshotFailures : rc;
}
