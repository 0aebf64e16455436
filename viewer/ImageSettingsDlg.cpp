#include "ImageSettingsDlg.h"
#include "resources/resource.h"
#include "viewer/LeadViewerWnd.h"
#include "viewer/ViewerPps.h"

IMPLEMENT_DYNAMIC(CImageSettingsDlg, CDialog)

namespace
{
// Child sheet with the dialog's 3-D look, set-font and context-help styles.
const DWORD kSheetStyle = WS_CHILD | DS_3DLOOK | DS_SETFONT | DS_CONTEXTHELP;
}

CImageSettingsDlg::CImageSettingsDlg(void* hDib, int nColorBits, const unsigned long* pPal16,
                                     const unsigned long* pPal256, CStringArray* pColorNames,
                                     const unsigned long* pPalPlx508, const unsigned long* pPal8, CWnd* pParent)
    : CDialog(IDD_IMAGE_SETTINGS, pParent), m_pViewer(nullptr), m_pSheet(nullptr), m_hSourceDib(hDib),
      m_hResultDib(nullptr), m_bResultOwned(0), m_pColorNames(pColorNames)
{
    // The host's depth is kept as the 16-bit value it is passed as.
    m_settings.nColorBits = (short)nColorBits;
    m_settings.pPal16 = pPal16;
    m_settings.pPal256 = pPal256;
    m_settings.pPalPlx508 = pPalPlx508;
    m_settings.pPal8 = pPal8;
}

CImageSettingsDlg::~CImageSettingsDlg()
{
    DeleteParts();
    if (m_bResultOwned && m_hResultDib)
        ::GlobalFree(m_hResultDib);
}

void CImageSettingsDlg::DeleteParts()
{
    if (m_pSheet)
    {
        if (m_pSheet->GetSafeHwnd())
            m_pSheet->DestroyWindow();
        // The viewer's pages are the viewer's; the sheet lets go of them first.
        m_pSheet->RemoveAllPages();
    }
    if (m_pViewer)
        m_pViewer->RemovePropertyPages(m_pSheet);
    delete m_pSheet;
    m_pSheet = nullptr;
    delete m_pViewer;
    m_pViewer = nullptr;
}

CLeadViewerWnd* CImageSettingsDlg::CreateViewer()
{
    return new CLeadViewerWnd(VWS_PANELTABS);
}

BOOL CImageSettingsDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    try
    {
        m_pViewer = CreateViewer();
        m_pViewer->SubclassDlgItem(IDC_IMAGE_SETTINGS_VIEWER, this);
        m_pViewer->SetColorInfo(m_settings.nColorBits, m_settings.pPal16, m_settings.pPal256, m_settings.pPalPlx508,
                                m_settings.pPal8);
        m_pViewer->SetImage(m_hSourceDib);

        CRect rcSheet;
        if (CWnd* pFrame = GetDlgItem(IDC_IMAGE_SETTINGS_SHEET))
        {
            pFrame->GetWindowRect(&rcSheet);
            ScreenToClient(&rcSheet);
            pFrame->ShowWindow(SW_HIDE);
        }

        m_pSheet = new CViewerPps(m_pColorNames, "", this, 0);
        m_pSheet->EnableSizeToPage(1);
        m_pSheet->Create(this, kSheetStyle, 0);
        if (m_pSheet->GetSafeHwnd())
        {
            m_pSheet->SetCurViewer(m_pViewer);
            m_pSheet->SetWindowPos(nullptr, rcSheet.left, rcSheet.top, 0, 0,
                                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
            m_pSheet->ModifyStyleEx(0, WS_EX_CONTROLPARENT);
            m_pSheet->SetActivePage(0);
        }
        m_pViewer->Refresh();
        return TRUE;
    }
    catch (...)
    {
        DeleteParts();
        EndDialog(IDCANCEL);
        return TRUE;
    }
}

void CImageSettingsDlg::OnOK()
{
    if (m_pViewer)
    {
        m_hResultDib = m_pViewer->GetPanelImage();
        m_bResultOwned = 1;
    }
    EndDialog(IDOK);
}

void* CImageSettingsDlg::GetDIB()
{
    m_bResultOwned = 0;
    return m_hResultDib;
}
