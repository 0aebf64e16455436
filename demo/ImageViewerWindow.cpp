#include "ImageViewerWindow.h"
#include "PanelPalettes.h"
#include "SampleImages.h"
#include "toolkit/TabWnd.h"
#include "viewer/LeadFrame.h"
#include "viewer/LeadViewerPpg.h"
#include "viewer/LeadViewerWnd.h"
#include "viewer/ViewerPps.h"
#include <algorithm>

namespace {
const UINT kFilesId = 1300;
const UINT kPaneId = 1301;
const int kListWidth = 150;
const int kPaneWidth = 400;
const int kGap = 6;
const DWORD kSheetStyle = WS_CHILD | WS_VISIBLE | DS_3DLOOK | DS_SETFONT | DS_CONTEXTHELP;

void SetDword(HKEY hKey, LPCSTR pszName, DWORD value)
{
    ::RegSetValueExA(hKey, pszName, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
}
}

BEGIN_MESSAGE_MAP(CImageViewerWindow, CWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_LBN_SELCHANGE(kFilesId, OnSelchangeFiles)
    ON_NOTIFY(VWN_ACTIVATE, kPaneId, OnViewerActivate)
END_MESSAGE_MAP()

CImageViewerWindow::CImageViewerWindow() = default;

CImageViewerWindow::~CImageViewerWindow()
{
    delete m_pSheet;
    m_pane.Reset();
    m_viewers.DeleteAll();
}

CImageViewerWindow* CImageViewerWindow::Show(CWnd* pParent, int nColorBits)
{
    auto* pWnd = new CImageViewerWindow;
    pWnd->m_nColorBits = nColorBits;
    LPCSTR cls = AfxRegisterWndClass(0, ::LoadCursorA(nullptr, (LPCSTR)IDC_ARROW), (HBRUSH)(COLOR_BTNFACE + 1));
    if (!pWnd->CreateEx(0, cls, "Bildvorschau", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 60, 50, 900, 480,
                        pParent ? pParent->m_hWnd : nullptr, nullptr)) {
        delete pWnd;
        return nullptr;
    }
    // Wide enough for the list, the pane and the sheet at its own size.
    CSize sheet = pWnd->m_pSheet ? pWnd->m_pSheet->GetDefaultSize() : CSize(260, 360);
    CRect rc(0, 0, kListWidth + kPaneWidth + sheet.cx + 4 * kGap, std::max<LONG>(sheet.cy, 340) + 2 * kGap);
    ::AdjustWindowRectEx(&rc, pWnd->GetStyle(), FALSE, pWnd->GetExStyle());
    pWnd->SetWindowPos(nullptr, 0, 0, rc.Width(), rc.Height(), SWP_NOMOVE | SWP_NOZORDER);
    pWnd->ShowWindow(SW_SHOW);
    return pWnd;
}

// One image viewer for every picture type the imaging control reads, with
// the panel and original on tabs and the general page among its pages.
void CImageViewerWindow::RegisterViewers()
{
    CString key = CString(RegistryKey()) + "\\Bild";
    HKEY hKey = nullptr;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &hKey, nullptr) !=
        ERROR_SUCCESS)
        return;
    SetDword(hKey, "Type", 1);
    SetDword(hKey, "Style", VWS_PANELTABS | VWS_GENERALPAGE);
    const char info[] = "*.bmp;*.dib;*.png;*.jpg;*.jpeg;*.wmf;*.emf|Bilder (*.bmp, *.png, *.jpg, *.wmf)";
    ::RegSetValueExA(hKey, "File Info", 0, REG_SZ, reinterpret_cast<const BYTE*>(info), sizeof info);
    ::RegCloseKey(hKey);
}

int CImageViewerWindow::OnCreate(LPCREATESTRUCT)
{
    RegisterViewers();
    if (!m_viewers.LoadFromRegistry(RegistryKey()))
        return -1;
    if (!m_files.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                        CRect(0, 0, 10, 10), this, kFilesId) ||
        !m_pane.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_CLIPCHILDREN, CRect(0, 0, kPaneWidth, 300), this,
                       kPaneId))
        return -1;
    m_files.SendMessage(WM_SETFONT, (WPARAM)::GetStockObject(DEFAULT_GUI_FONT), FALSE);
    m_pane.AddViewerList(&m_viewers);
    m_pane.SetColorInfo(m_nColorBits, CPanelPalettes::Pal16(), CPanelPalettes::Pal256(),
                        CPanelPalettes::PalPlx508(), CPanelPalettes::Pal8());
    CreateSheet();
    CSampleImages::List(m_paths);
    for (INT_PTR i = 0; i < m_paths.GetSize(); ++i)
        m_files.AddString(m_paths[i].Mid(m_paths[i].ReverseFind('\\') + 1));
    return 0;
}

BOOL CImageViewerWindow::CreateSheet()
{
    m_pSheet = new CViewerPps(CPanelPalettes::ColorNames(), "", this, 0);
    m_pSheet->EnableSizeToPage(1);
    if (!m_pSheet->Create(this, kSheetStyle, 0)) {
        delete m_pSheet;
        m_pSheet = nullptr;
        return FALSE;
    }
    m_pSheet->ModifyStyleEx(0, WS_EX_CONTROLPARENT);
    return TRUE;
}

void CImageViewerWindow::OnSize(UINT, int cx, int cy) { Layout(cx, cy); }

void CImageViewerWindow::Layout(int cx, int cy)
{
    if (!m_files.m_hWnd)
        return;
    CSize sheet = m_pSheet ? m_pSheet->GetDefaultSize() : CSize(0, 0);
    int paneWidth = std::max<int>(cx - kListWidth - sheet.cx - 4 * kGap, 50);
    m_files.MoveWindow(kGap, kGap, kListWidth, cy - 2 * kGap);
    m_pane.MoveWindow(kListWidth + 2 * kGap, kGap, paneWidth, cy - 2 * kGap);
    if (m_pSheet && m_pSheet->m_hWnd)
        m_pSheet->SetWindowPos(nullptr, kListWidth + paneWidth + 3 * kGap, kGap, 0, 0,
                               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CImageViewerWindow::OnSelchangeFiles() { LoadSelected(); }

void CImageViewerWindow::LoadSelected()
{
    int sel = m_files.GetCurSel();
    if (sel < 0 || sel >= m_paths.GetSize())
        return;
    CString path = m_paths[sel];
    if (m_pane.LoadFile(path))
        SetWindowText("Bildvorschau – " + path.Mid(path.ReverseFind('\\') + 1));
}

BOOL CImageViewerWindow::ShowSample(LPCSTR pszName)
{
    int index = m_files.FindStringExact(-1, pszName);
    if (index < 0)
        return FALSE;
    m_files.SetCurSel(index);
    LoadSelected();
    return m_pane.GetCurViewer() != nullptr;
}

// A viewer that became current brings its pages into the sheet.
void CImageViewerWindow::OnViewerActivate(NMHDR* pNmhdr, LRESULT* pResult)
{
    OpenPages(reinterpret_cast<NMVIEWER*>(pNmhdr)->pViewer);
    *pResult = 0;
}

void CImageViewerWindow::OpenPages(CViewerWnd* pViewer)
{
    if (!m_pSheet || !pViewer)
        return;
    // The pages are the viewer's; it drops its old ones before adding them anew.
    pViewer->RemovePropertyPages(m_pSheet);
    m_pSheet->OnOpenViewer(pViewer);
    // The image page is where the user works; the general page only informs.
    if (pViewer->GetType() == 1) {
        if (CPropertyPage* pImagePage = static_cast<CLeadViewerWnd*>(pViewer)->GetImagePage())
            m_pSheet->SetActivePage(pImagePage);
    }
}

void CImageViewerWindow::SetPanelColorBits(int nBits)
{
    m_nColorBits = nBits;
    m_pane.SetColorInfo(nBits, CPanelPalettes::Pal16(), CPanelPalettes::Pal256(), CPanelPalettes::PalPlx508(),
                        CPanelPalettes::Pal8());
    OpenPages(m_pane.GetCurViewer());
    m_pane.Refresh();
}

CLeadViewerWnd* CImageViewerWindow::ImageViewer()
{
    CViewerWnd* pViewer = m_pane.GetCurViewer();
    return pViewer && pViewer->GetType() == 1 ? static_cast<CLeadViewerWnd*>(pViewer) : nullptr;
}

void CImageViewerWindow::ShowOriginalTab()
{
    CLeadViewerWnd* pViewer = ImageViewer();
    if (pViewer && pViewer->GetTabWnd() && pViewer->GetOriginalFrame())
        pViewer->GetTabWnd()->ShowPage(pViewer->GetOriginalFrame());
}

void CImageViewerWindow::PostNcDestroy() { delete this; }
