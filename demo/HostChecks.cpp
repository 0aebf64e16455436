#include "HostChecks.h"
#include "CatalogueWindow.h"
#include "DemoPaths.h"
#include "HostDoc.h"
#include "HostView.h"
#include "ImageSettingsDemo.h"
#include "MainFrame.h"
#include "ResizeDemo.h"
#include "StringsWindow.h"
#include "ValuesDialog.h"
#include "resource.h"
#include "resources/select_ids.h"
#include "select/PlcSelectDlg.h"
#include "viewer/LeadViewerWnd.h"
#include "uiauto/MessagePump.h"
#include "uiauto/Screenshot.h"
#include <string>
#include <vector>

namespace {
const char kFirstPicture[] = "landscape.png";
const char kOtherPicture[] = "lineart-4bit.bmp";
const char kPastePicture[] = "landscape.jpg";
const char kOtherDriver[] = "Z32TPLC184.dll";
const char kPasteFolder[] = "Eingefügt";

CString FileNameOf(const CString& path) { return path.Mid(path.ReverseFind('\\') + 1); }

// The panel image's DIB as bytes (header, colours, pixels); empty without one.
std::vector<BYTE> PanelBytes(CHostView* pView)
{
    std::vector<BYTE> bytes;
    CLeadViewerWnd* pViewer = pView ? pView->ImageViewer() : nullptr;
    HGLOBAL hDib = pViewer ? static_cast<HGLOBAL>(pViewer->GetPanelImage()) : nullptr;
    if (!hDib)
        return bytes;
    if (const BYTE* p = static_cast<const BYTE*>(::GlobalLock(hDib))) {
        bytes.assign(p, p + ::GlobalSize(hDib));
        ::GlobalUnlock(hDib);
    }
    ::GlobalFree(hDib);
    return bytes;
}

// The colour bits of the first bitmap file in the folder, 0 if there is none.
int BitmapBitsIn(const CString& folder)
{
    WIN32_FIND_DATAA fd;
    HANDLE hFind = ::FindFirstFileA(folder + "*.bmp", &fd);
    if (hFind == INVALID_HANDLE_VALUE)
        return 0;
    ::FindClose(hFind);
    BITMAPFILEHEADER bfh;
    BITMAPINFOHEADER bih;
    HANDLE h = ::CreateFileA(folder + fd.cFileName, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return 0;
    DWORD n1 = 0, n2 = 0;
    BOOL ok = ::ReadFile(h, &bfh, sizeof(bfh), &n1, nullptr) && ::ReadFile(h, &bih, sizeof(bih), &n2, nullptr);
    ::CloseHandle(h);
    return ok && n1 == sizeof(bfh) && n2 == sizeof(bih) && bfh.bfType == 0x4D42 ? bih.biBitCount : 0;
}

void EmptyFolder(const CString& folder)
{
    WIN32_FIND_DATAA fd;
    HANDLE hFind = ::FindFirstFileA(folder + "*.*", &fd);
    if (hFind == INVALID_HANDLE_VALUE)
        return;
    do {
        if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            ::DeleteFileA(folder + fd.cFileName);
    } while (::FindNextFileA(hFind, &fd));
    ::FindClose(hFind);
}
}

CHostChecks::CHostChecks(CMainFrame* pFrame, const CString& folder) : m_pFrame(pFrame), m_folder(folder) {}

void CHostChecks::Check(bool bOk, LPCSTR pszWhat)
{
    m_log += (bOk ? "ok      " : "FAILED  ") + CString(pszWhat) + "\r\n";
    if (!bOk)
        ++m_nFailures;
}

void CHostChecks::Shoot(CWnd* pWnd, LPCSTR pszName)
{
    qrvtest::PumpFor(300);
    bool ok = pWnd && qrvtest::SaveWindowPng(pWnd->m_hWnd, std::string((LPCSTR)m_folder) + "\\" + pszName);
    Check(ok, CString("screenshot ") + pszName);
}

// Through the frame's message map, as the menu sends it.
void CHostChecks::Command(UINT nID)
{
    m_pFrame->SendMessage(WM_COMMAND, MAKEWPARAM(nID, 0), 0);
    qrvtest::PumpFor(200);
}

int CHostChecks::Run()
{
    qrvtest::PumpFor(500);
    HostWindow();
    ColourDepth();
    ControllerChoice();
    SaveAndReopen();
    Placement();
    CopyAndPaste();
    OtherWindows();
    Resizing();

    HANDLE h = ::CreateFileA(m_folder + "\\checks.txt", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (h != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        ::WriteFile(h, (LPCSTR)m_log, m_log.GetLength(), &written, nullptr);
        ::CloseHandle(h);
    }
    return m_nFailures;
}

// A new project: the landscape for a 256-colour panel, selected in the tree.
void CHostChecks::HostWindow()
{
    CHostView* pView = m_pFrame->View();
    Check(pView && pView->ImageViewer(), "a new project shows its picture in the image viewer");
    if (!pView)
        return;
    Check(FileNameOf(pView->ShownFile()).CompareNoCase(kFirstPicture) == 0, "the pane shows the project's picture");
    Check(FileNameOf(pView->SelectedFile()).CompareNoCase(kFirstPicture) == 0, "the tree selects the project's picture");
    Shoot(m_pFrame, "host.png");
}

// Panel -> Farbtiefe: the panel image and the status line follow.
void CHostChecks::ColourDepth()
{
    CHostView* pView = m_pFrame->View();
    CStatusBar& bar = m_pFrame->StatusBar();
    const int depthPane = bar.CommandToIndex(ID_INDICATOR_DEPTH);
    std::vector<BYTE> at8 = PanelBytes(pView);
    Check(!at8.empty(), "the panel image at 8 bits");
    Check(bar.GetPaneText(depthPane) == "Panel: 8 Bit (256 Farben)", "the status line shows 8 bits");

    Command(ID_PANEL_DEPTH_4);
    std::vector<BYTE> at4 = PanelBytes(pView);
    Check(!at4.empty() && at4 != at8, "4 bits change the panel image");
    Check(bar.GetPaneText(depthPane) == "Panel: 4 Bit (16 Farben)", "the status line shows 4 bits");
    Check((::GetMenuState(::GetMenu(m_pFrame->m_hWnd), ID_PANEL_DEPTH_4, MF_BYCOMMAND) & MF_CHECKED) != 0,
          "the menu checks 4 bits");
    Shoot(m_pFrame, "host-4bit.png");

    Command(ID_PANEL_DEPTH_PLX);
    std::vector<BYTE> plx = PanelBytes(pView);
    Check(!plx.empty() && plx != at8 && plx != at4, "the Plx508 wiring changes the panel image");
    Check(bar.GetPaneText(depthPane) == "Panel: Plx508 (256 Farben)", "the status line shows Plx508");
    Shoot(m_pFrame, "host-plx508.png");

    Command(ID_PANEL_DEPTH_1);
    std::vector<BYTE> at1 = PanelBytes(pView);
    Check(!at1.empty() && at1 != at4 && at1 != plx, "1 bit changes the panel image");
    Command(ID_PANEL_DEPTH_8);
    Check(PanelBytes(pView) == at8, "back at 8 bits the panel image is the first one again");
}

// Treiber -> Controller wählen: the dialog as the user first sees it, then
// another driver chosen in it; the status line follows.
void CHostChecks::ControllerChoice()
{
    CHostDoc* pDoc = m_pFrame->Document();
    CStatusBar& bar = m_pFrame->StatusBar();
    CString before = bar.GetPaneText(0);
    Check(before.Find("Z32TPLC072.dll") >= 0, "the status line names the project's driver");
    CPlcSelectDlg* pDlg = pDoc->Controller().NewDialog(m_pFrame);
    if (!pDlg->Create(IDD_PLC_SELECT, m_pFrame)) {
        delete pDlg;
        Check(false, "the selection dialog opens");
        return;
    }
    pDlg->CenterWindow();
    pDlg->ShowWindow(SW_SHOW);
    Shoot(pDlg, "controller-select.png");
    CString dll = kOtherDriver;
    pDlg->SetSelectedDriver(pDoc->Controller().Catalogue().FindDLL(dll));
    qrvtest::PumpFor(100);
    Check(pDoc->TakeControllerChoice(*pDlg), "the dialog's choice is taken over");
    pDlg->DestroyWindow();
    delete pDlg;
    CString after = bar.GetPaneText(0);
    Check(after != before && after.Find(kOtherDriver) >= 0 && after.Find("Modbus RTU") >= 0,
          "the status line shows the chosen controller");
}

// Projekt -> Speichern, Neu, Öffnen: depth, controller and picture come back.
void CHostChecks::SaveAndReopen()
{
    CHostDoc* pDoc = m_pFrame->Document();
    CHostView* pView = m_pFrame->View();
    Command(ID_PANEL_DEPTH_16);
    Check(pView->SelectFile(kOtherPicture), "a picture chosen in the tree");
    qrvtest::PumpFor(300);
    Check(pDoc->Project().strPicture.CompareNoCase(kOtherPicture) == 0, "the picture chosen becomes the project's");
    const CHostProject saved = pDoc->Project();
    const CString path = DemoProgramFolder() + "Projekt.qrvdemo";
    Check(pDoc->OnSaveDocument(path), "the project is saved");

    Command(ID_PROJECT_NEW);
    Check(pDoc->Project() != saved && pDoc->Project().nColorBits == 8, "a new project starts over");
    Check(pDoc->OnOpenDocument(path), "the saved project opens");
    qrvtest::PumpFor(300);
    Check(pDoc->Project() == saved, "depth, controller and picture are read back");
    CString title;
    m_pFrame->GetWindowText(title);
    Check(title == "Projekt.qrvdemo - QRV Demo", "the frame's title names the project file");
    Check(pDoc->Controller().ActiveDll().CompareNoCase(kOtherDriver) == 0, "the saved controller is active again");
    Check(m_pFrame->StatusBar().GetPaneText(1) == "Panel: 16 Bit (65536 Farben)", "the status line shows 16 bits");
    Check(FileNameOf(pView->ShownFile()).CompareNoCase(kOtherPicture) == 0, "the pane shows the saved picture");
    Check(FileNameOf(pView->SelectedFile()).CompareNoCase(kOtherPicture) == 0, "the tree selects the saved picture");
    Check(!pDoc->OnOpenDocument(DemoProgramFolder() + "QRV.dll"), "a file that is no project is refused");
    Check(pDoc->Project() == saved, "a refused file changes nothing");
    Command(ID_PANEL_DEPTH_8);
}

// The frame's placement, saved and loaded as the resize framework does it.
void CHostChecks::Placement()
{
    CRect saved;
    m_pFrame->GetWindowRect(&saved);
    Check(m_pFrame->SavePlacement(), "the placement is saved");
    m_pFrame->SetWindowPos(nullptr, saved.left + 30, saved.top + 20, saved.Width() + 50, saved.Height() + 40,
                           SWP_NOZORDER);
    qrvtest::PumpFor(100);
    Check(m_pFrame->LoadPlacement(), "the placement is loaded");
    qrvtest::PumpFor(100);
    CRect loaded;
    m_pFrame->GetWindowRect(&loaded);
    Check(loaded == saved, "the frame is where it was saved");
}

// Bearbeiten -> Kopieren on a 16-colour panel, Einfügen into a folder: a
// 4-bit bitmap arrives.
void CHostChecks::CopyAndPaste()
{
    CHostView* pView = m_pFrame->View();
    CHostDoc* pDoc = m_pFrame->Document();
    Command(ID_PANEL_DEPTH_4);
    Check(pView->SelectFile(kPastePicture), "the photo chosen in the tree");
    qrvtest::PumpFor(300);
    Command(ID_EDIT_COPY_IMAGE);
    Check(::IsClipboardFormatAvailable(CF_DIB) != 0, "Kopieren puts the panel image on the clipboard");
    const CString folder = pDoc->Project().strPictureFolder + kPasteFolder + "\\";
    ::CreateDirectoryA(folder, nullptr);
    EmptyFolder(folder);
    Check(pView->SelectSubfolder(kPasteFolder), "the target folder selected in the tree");
    Command(ID_EDIT_PASTE_FILES);
    Check(BitmapBitsIn(folder) == 4, "Einfügen writes a 4-bit bitmap");
    Shoot(m_pFrame, "file-list-paste.png");
    Command(ID_PANEL_DEPTH_8);
}

void CHostChecks::OtherWindows()
{
    if (CWnd* pStrings = CStringsWindow::Show(m_pFrame)) {
        Shoot(pStrings, "strings.png");
        pStrings->DestroyWindow();
    } else {
        Check(false, "Ansicht -> Zeichenketten opens");
    }
    if (CWnd* pCatalogue = CCatalogueWindow::Show(m_pFrame)) {
        Shoot(pCatalogue, "catalogue.png");
        pCatalogue->DestroyWindow();
    } else {
        Check(false, "Ansicht -> Treiberkatalog opens");
    }
    CValuesDialog values(m_pFrame);
    if (values.Create(CValuesDialog::IDD, m_pFrame)) {
        values.CenterWindow();
        values.ShowWindow(SW_SHOW);
        Shoot(&values, "editors.png");
        values.DestroyWindow();
    } else {
        Check(false, "Bearbeiten -> Werte opens");
    }
    if (CDialog* pSettings = CImageSettingsDemo::Open(m_pFrame, 8)) {
        Shoot(pSettings, "image-settings.png");
        pSettings->DestroyWindow();
        delete pSettings;
    } else {
        Check(false, "Panel -> Grafik Einstellungen opens");
    }
}

// The resizable dialog at its initial size and grown, then the resizable
// sheet with the picture tree and the tab control with a disabled tab.
void CHostChecks::Resizing()
{
    CResizeDemoDialog dlg(m_pFrame);
    if (!dlg.Create(CResizeDemoDialog::IDD, m_pFrame)) {
        Check(false, "the resizable dialog opens");
        return;
    }
    dlg.CenterWindow();
    dlg.ShowWindow(SW_SHOW);
    Shoot(&dlg, "resize-small.png");
    CRect rc;
    dlg.GetWindowRect(&rc);
    dlg.SetWindowPos(nullptr, rc.left - 120, rc.top - 80, rc.Width() + 240, rc.Height() + 160, SWP_NOZORDER);
    Shoot(&dlg, "resize-large.png");
    dlg.DestroyWindow();

    CResizeDemoSheet sheet(m_pFrame);
    if (!sheet.Create(m_pFrame)) {
        Check(false, "the resizable sheet opens");
        return;
    }
    sheet.ShowWindow(SW_SHOW);
    sheet.GetWindowRect(&rc);
    sheet.SetWindowPos(nullptr, 0, 0, rc.Width() + 60, rc.Height() + 40, SWP_NOMOVE | SWP_NOZORDER);
    Shoot(&sheet, "bmp-tree.png");
    sheet.SetActivePage(&sheet.m_tabsPage);
    Shoot(&sheet, "tabs.png");
    sheet.DestroyWindow();
}
