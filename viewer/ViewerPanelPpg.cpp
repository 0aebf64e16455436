#include "ViewerPanelPpg.h"
#include "resources/resource.h"
#include "viewer/LeadViewerWnd.h"

IMPLEMENT_DYNAMIC(CViewerPanelPpg, CPropertyPage)

BEGIN_MESSAGE_MAP(CViewerPanelPpg, CPropertyPage)
    ON_CBN_SELCHANGE(IDC_VIEWER_COLORS, OnSelchangeColors)
END_MESSAGE_MAP()

namespace
{
const int kDepths[] = { 4, 8, 16 };
const int kDepthCount = 3;
}

CViewerPanelPpg::CViewerPanelPpg(CStringArray* pColorNames, CLeadViewerWnd* pViewer)
    : CPropertyPage(IDD_VIEWER_PANEL, 0), m_pViewer(pViewer), m_pColorNames(pColorNames)
{
}

CViewerPanelPpg::~CViewerPanelPpg() = default;

int CViewerPanelPpg::DepthAt(int nPos)
{
    return (nPos >= 0 && nPos < kDepthCount) ? kDepths[nPos] : -1;
}

int CViewerPanelPpg::PositionOf(int nBits)
{
    for (int i = 0; i < kDepthCount; i++)
        if (kDepths[i] == nBits)
            return i;
    return 0;
}

BOOL CViewerPanelPpg::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    if (!m_pColorNames || m_pColorNames->GetSize() == 0 || m_pColorNames->GetAt(0).IsEmpty())
        return FALSE;
    for (INT_PTR i = 0; i < m_pColorNames->GetSize(); i++)
        SendDlgItemMessage(IDC_VIEWER_COLORS, CB_ADDSTRING, 0, (LPARAM)(LPCSTR)m_pColorNames->GetAt(i));
    OnUpdate();
    return TRUE;
}

void CViewerPanelPpg::OnUpdate()
{
    if (!m_pViewer || !m_hWnd)
        return;
    int nImage = PositionOf(m_pViewer->GetImageColorBits());
    int nPanel = PositionOf(m_pViewer->GetPanelColorBits());
    SendDlgItemMessage(IDC_VIEWER_COLORS, CB_SETCURSEL, nImage < nPanel ? nImage : nPanel);
}

void CViewerPanelPpg::OnSelchangeColors()
{
    int nBits = DepthAt((int)SendDlgItemMessage(IDC_VIEWER_COLORS, CB_GETCURSEL));
    if (m_pViewer && nBits > 0)
        m_pViewer->SetImageColorBits(nBits, 1);
}
