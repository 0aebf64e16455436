#include "MainFrame.h"
#include "CatalogueWindow.h"
#include "HostDoc.h"
#include "HostView.h"
#include "ImageSettingsDemo.h"
#include "StringsWindow.h"
#include "ValuesDialog.h"
#include "resource.h"
#include <commdlg.h>

namespace {
const UINT kIndicators[] = {ID_SEPARATOR, ID_INDICATOR_DEPTH};

const struct { UINT nID; int nBits; bool bPlx508; } kDepths[] = {
    {ID_PANEL_DEPTH_1, 1, false}, {ID_PANEL_DEPTH_2, 2, false}, {ID_PANEL_DEPTH_3, 3, false},
    {ID_PANEL_DEPTH_4, 4, false}, {ID_PANEL_DEPTH_8, 8, false}, {ID_PANEL_DEPTH_16, 16, false},
    {ID_PANEL_DEPTH_PLX, 8, true},
};

const char kProjectFilter[] = "QRV-Demo-Projekte (*.qrvdemo)\0*.qrvdemo\0Alle Dateien (*.*)\0*.*\0";

// The common file dialog for a project file; empty when cancelled.
CString AskProjectPath(CWnd* pOwner, bool bSave)
{
    char path[MAX_PATH] = "";
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = pOwner->m_hWnd;
    ofn.lpstrFilter = kProjectFilter;
    ofn.lpstrFile = path;
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrDefExt = "qrvdemo";
    ofn.Flags = OFN_HIDEREADONLY | (bSave ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
    BOOL ok = bSave ? ::GetSaveFileNameA(&ofn) : ::GetOpenFileNameA(&ofn);
    return ok ? CString(path) : CString();
}
}

IMPLEMENT_DYNCREATE(CMainFrame, CFrameWnd)

BEGIN_MESSAGE_MAP(CMainFrame, CFrameWnd)
    ON_WM_CREATE()
    ON_WM_CLOSE()
    ON_WM_DESTROY()
    ON_COMMAND(ID_PROJECT_NEW, OnProjectNew)
    ON_COMMAND(ID_PROJECT_OPEN, OnProjectOpen)
    ON_COMMAND(ID_PROJECT_SAVE, OnProjectSave)
    ON_COMMAND(ID_APP_EXIT_DEMO, OnExit)
    ON_COMMAND(ID_DRIVER_SELECT, OnDriverSelect)
    ON_COMMAND_RANGE(ID_PANEL_DEPTH_1, ID_PANEL_DEPTH_PLX, OnPanelDepth)
    ON_COMMAND(ID_PANEL_SETTINGS, OnPanelSettings)
    ON_COMMAND(ID_EDIT_VALUES, OnEditValues)
    ON_COMMAND(ID_EDIT_COPY_IMAGE, OnEditCopy)
    ON_COMMAND(ID_EDIT_PASTE_FILES, OnEditPaste)
    ON_COMMAND(ID_VIEW_STRINGS, OnViewStrings)
    ON_COMMAND(ID_VIEW_CATALOGUE, OnViewCatalogue)
END_MESSAGE_MAP()

CMainFrame::CMainFrame() : m_placement(this, CResize::SZ_NOSIZEICON) {}

int CMainFrame::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CFrameWnd::OnCreate(lpcs) == -1)
        return -1;
    if (!m_statusBar.Create(this))
        return -1;
    m_statusBar.SetIndicators(kIndicators, (int)(sizeof(kIndicators) / sizeof(kIndicators[0])));
    return 0;
}

CHostView* CMainFrame::View() const { return DYNAMIC_DOWNCAST(CHostView, GetActiveView()); }

CHostDoc* CMainFrame::Document() const
{
    CHostView* pView = View();
    return pView ? pView->GetDocument() : nullptr;
}

void CMainFrame::UpdateStatus()
{
    CHostDoc* pDoc = Document();
    if (!pDoc || !m_statusBar.m_hWnd)
        return;
    SetWindowText(pDoc->GetTitle() + " - QRV Demo");
    m_statusBar.SetPaneText(0, "Controller: " + pDoc->Controller().Describe());
    m_statusBar.SetPaneText(m_statusBar.CommandToIndex(ID_INDICATOR_DEPTH), "Panel: " + pDoc->Project().DepthText());
    UpdateDepthMenu();
}

UINT CMainFrame::DepthCommand(int nBits, bool bPlx508)
{
    for (const auto& depth : kDepths)
        if (depth.nBits == nBits && depth.bPlx508 == bPlx508)
            return depth.nID;
    return 0;
}

void CMainFrame::UpdateDepthMenu()
{
    CHostDoc* pDoc = Document();
    HMENU hMenu = ::GetMenu(m_hWnd);
    if (!pDoc || !hMenu)
        return;
    UINT nID = DepthCommand(pDoc->Project().nColorBits, pDoc->Project().bPlx508);
    ::CheckMenuRadioItem(hMenu, ID_PANEL_DEPTH_1, ID_PANEL_DEPTH_PLX, nID, MF_BYCOMMAND);
}

void CMainFrame::OnProjectNew()
{
    if (CHostDoc* pDoc = Document())
        pDoc->OnNewDocument();
}

void CMainFrame::OnProjectOpen()
{
    CHostDoc* pDoc = Document();
    CString path = pDoc ? AskProjectPath(this, false) : CString();
    if (!path.IsEmpty() && !pDoc->OnOpenDocument(path))
        AfxMessageBox("Das Projekt kann nicht gelesen werden:\n" + path, MB_ICONEXCLAMATION);
}

void CMainFrame::OnProjectSave()
{
    CHostDoc* pDoc = Document();
    CString path = pDoc ? AskProjectPath(this, true) : CString();
    if (!path.IsEmpty() && !pDoc->OnSaveDocument(path))
        AfxMessageBox("Das Projekt kann nicht gespeichert werden:\n" + path, MB_ICONEXCLAMATION);
}

void CMainFrame::OnDriverSelect()
{
    if (CHostDoc* pDoc = Document())
        pDoc->ChooseController(this);
}

void CMainFrame::OnPanelDepth(UINT nID)
{
    CHostDoc* pDoc = Document();
    for (const auto& depth : kDepths)
        if (depth.nID == nID && pDoc)
            pDoc->SetColorDepth(depth.nBits, depth.bPlx508);
}

void CMainFrame::OnPanelSettings()
{
    if (CHostDoc* pDoc = Document())
        CImageSettingsDemo::Run(this, pDoc->Project().nColorBits);
}

void CMainFrame::OnEditValues()
{
    CValuesDialog dlg(this);
    dlg.DoModal();
}

void CMainFrame::OnEditCopy()
{
    if (!View() || !View()->CopyPanelImage())
        AfxMessageBox("Bitte zuerst im Ordner links ein Bild wählen.", MB_ICONINFORMATION);
}

void CMainFrame::OnEditPaste()
{
    if (View() && !View()->PasteIntoSelectedFolder())
        AfxMessageBox("Die Zwischenablage enthält keine Dateien und kein Panelbild, oder links ist kein Ordner gewählt.",
                      MB_ICONINFORMATION);
}

void CMainFrame::OnViewStrings() { CStringsWindow::Show(this); }
void CMainFrame::OnViewCatalogue() { CCatalogueWindow::Show(this); }
void CMainFrame::OnExit() { SendMessage(WM_CLOSE); }

void CMainFrame::OnClose()
{
    SavePlacement();
    CFrameWnd::OnClose();
}

void CMainFrame::OnDestroy()
{
    CFrameWnd::OnDestroy();
    ::PostQuitMessage(0);
}
