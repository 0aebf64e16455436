#include "ViewerGeneralPpg.h"
#include "resources/resource.h"
#include "viewer/LeadViewerWnd.h"

IMPLEMENT_DYNAMIC(CViewerGeneralPpg, CPropertyPage)

CViewerGeneralPpg::CViewerGeneralPpg(CLeadViewerWnd* pViewer) : CPropertyPage(IDD_VIEWER_GENERAL, 0), m_pViewer(pViewer)
{
}

CViewerGeneralPpg::~CViewerGeneralPpg() = default;

BOOL CViewerGeneralPpg::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    OnUpdate();
    return TRUE;
}

void CViewerGeneralPpg::OnUpdate()
{
    if (!m_pViewer || !m_hWnd)
        return;
    const CSize& size = m_pViewer->GetImageSize();
    CString strSize;
    strSize.Format("%d x %d", (int)size.cx, (int)size.cy);
    SetDlgItemText(IDC_VIEWER_SIZE, strSize);
    SetDlgItemText(IDC_VIEWER_FILENAME, m_pViewer->GetFileName());
}
