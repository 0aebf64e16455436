#include "MainFrame.h"
#include "resource.h"
#include "resources/resource.h"
#include "CatalogueWindow.h"
#include "FolderWindow.h"
#include "ImageViewerWindow.h"
#include <afxole.h>
#include "viewer/LeadViewerWnd.h"
#include "ViewerDemo.h"
#if __has_include("ValuesDialog.h")
#include "ValuesDialog.h"
#define QRV_DEMO_HAS_VALUES 1
#endif

BEGIN_MESSAGE_MAP(CMainFrame, CWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_DESTROY()
    ON_COMMAND(ID_FILE_EXIT, OnFileExit)
    ON_COMMAND(ID_FILE_FOLDER, OnFileFolder)
    ON_COMMAND(ID_VIEW_STRINGS, OnViewStrings)
    ON_COMMAND(ID_EDIT_VALUES, OnEditValues)
    ON_COMMAND(ID_EDIT_PASTE, OnEditPaste)
    ON_COMMAND(ID_DRIVER_CATALOGUE, OnDriverCatalogue)
    ON_COMMAND(ID_DRIVER_SELECT, OnDriverSelect)
    ON_COMMAND(ID_IMAGE_PREVIEW, OnImagePreview)
    ON_COMMAND(ID_IMAGE_SETTINGS, OnImageSettings)
    ON_COMMAND(ID_IMAGE_COPY, OnImageCopy)
END_MESSAGE_MAP()

BOOL CMainFrame::CreateFrame()
{
    LPCSTR cls = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(nullptr, (LPCSTR)IDC_ARROW),
                                     (HBRUSH)(COLOR_BTNFACE + 1), ::LoadIconA(nullptr, (LPCSTR)IDI_APPLICATION));
    if (!m_menu.LoadMenu(IDR_MAINFRAME))
        return FALSE;
    return CreateEx(0, cls, "QRV Demo – Zeichenketten der Bibliothek", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                    40, 40, 860, 480, nullptr, m_menu.GetSafeHmenu());
}

int CMainFrame::OnCreate(LPCREATESTRUCT)
{
    if (!m_list.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS,
                       CRect(0, 0, 10, 10), this, IDC_MAIN_LIST))
        return -1;
    m_list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    m_list.SendMessage(WM_SETFONT, (WPARAM)::GetStockObject(DEFAULT_GUI_FONT), FALSE);
    m_pProject.reset(new CDemoProject);
    ShowStringTable();
    return 0;
}

namespace {
void ResetList(CListCtrl& list)
{
    list.DeleteAllItems();
    while (list.DeleteColumn(0)) {
    }
}
}

void CMainFrame::ShowStringTable()
{
    ResetList(m_list);
    m_list.InsertColumn(0, "Nummer", LVCFMT_LEFT, 80);
    m_list.InsertColumn(1, "Text", LVCFMT_LEFT, 740);
    for (UINT id = IDS_PLC_LIST_COLUMNS; id <= IDS_SHEET_HELP; ++id) {
        CString number, text;
        number.Format("%u", id);
        if (!text.LoadString(id))
            text = "(fehlt)";
        text.Replace('\t', ' ');
        text.Replace('\n', ' ');
        int row = m_list.InsertItem(m_list.GetItemCount(), number);
        m_list.SetItemText(row, 1, text);
    }
}

void CMainFrame::OnSize(UINT, int cx, int cy)
{
    if (m_list.m_hWnd)
        m_list.MoveWindow(0, 0, cx, cy);
}

void CMainFrame::OnDestroy() { ::PostQuitMessage(0); }
void CMainFrame::PostNcDestroy() { delete this; }
void CMainFrame::OnFileExit() { DestroyWindow(); }
void CMainFrame::OnFileFolder() { CFolderWindow::Show(this); }
void CMainFrame::OnViewStrings() { ShowStringTable(); }

void CMainFrame::OnEditValues()
{
#ifdef QRV_DEMO_HAS_VALUES
    CValuesDialog dlg(this);
    dlg.DoModal();
#endif
}

void CMainFrame::OnEditPaste()
{
    CFolderWindow* pFolders = CFolderWindow::Current();
    if (!pFolders)
        AfxMessageBox("Bitte zuerst mit „Datei – Ordner…“ den Zielordner öffnen.", MB_ICONINFORMATION);
    else if (!pFolders->Paste())
        AfxMessageBox("Die Zwischenablage enthält keine Dateien und kein Bild der Bildvorschau.", MB_ICONINFORMATION);
}

namespace {
// The open "Bildvorschau" window of this thread, if any.
BOOL CALLBACK FindViewerWindow(HWND hWnd, LPARAM lParam)
{
    auto* pFound = reinterpret_cast<CImageViewerWindow**>(lParam);
    *pFound = dynamic_cast<CImageViewerWindow*>(CWnd::FromHandlePermanent(hWnd));
    return *pFound == nullptr;
}
}

// Bild -> Kopieren: the panel image with its "PlxDibInfo" record, which
// Bearbeiten -> Einfügen in the folder window saves as a bitmap file.
BOOL CMainFrame::CopyViewerImage()
{
    CImageViewerWindow* pWindow = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), FindViewerWindow, reinterpret_cast<LPARAM>(&pWindow));
    CLeadViewerWnd* pViewer = pWindow ? pWindow->ImageViewer() : nullptr;
    if (!pViewer)
        return FALSE;
    COleDataSource* pSource = new COleDataSource;
    if (!pViewer->CacheData(pSource)) {
        pSource->InternalRelease();
        return FALSE;
    }
    pSource->SetClipboard();
    return TRUE;
}

void CMainFrame::OnImageCopy()
{
    if (!CopyViewerImage())
        AfxMessageBox("Bitte zuerst mit „Bild – Bildvorschau…“ ein Bild zeigen.", MB_ICONINFORMATION);
}

void CMainFrame::OnImagePreview() { CImageViewerWindow::Show(this); }
void CMainFrame::OnImageSettings() { CViewerDemo::RunImageSettings(this); }

void CMainFrame::OnDriverCatalogue() { CCatalogueWindow::Show(this); }

void CMainFrame::OnDriverSelect()
{
    if (m_pProject->ChooseController(this))
        ShowProject();
}

void CMainFrame::ShowProject()
{
    ResetList(m_list);
    m_list.InsertColumn(0, "Projekt", LVCFMT_LEFT, 160);
    m_list.InsertColumn(1, "Wert", LVCFMT_LEFT, 660);
    int row = m_list.InsertItem(0, "Treiber-DLL");
    m_list.SetItemText(row, 1, m_pProject->ActiveDll());
    row = m_list.InsertItem(1, "Controller-Modus");
    m_list.SetItemText(row, 1, m_pProject->ModeText());
    SetWindowText("QRV Demo – Projekt");
}
