#include "LeadViewerPpg.h"
#include "resources/resource.h"
#include "viewer/LeadViewerWnd.h"

IMPLEMENT_DYNCREATE(CLeadViewerPpg, CPropertyPageExt)

BEGIN_MESSAGE_MAP(CLeadViewerPpg, CPropertyPageExt)
    ON_CBN_SELCHANGE(IDC_VIEWER_DITHER, OnSelchangeDither)
    ON_WM_HSCROLL()
    ON_BN_CLICKED(IDC_VIEWER_SMOOTH, OnSmooth)
    ON_BN_CLICKED(IDC_VIEWER_INVERT, OnInvert)
    ON_BN_CLICKED(IDC_VIEWER_BLUR, OnBlur)
    ON_BN_CLICKED(IDC_VIEWER_SHARPEN, OnSharpen)
    ON_BN_CLICKED(IDC_VIEWER_FLIP, OnFlip)
    ON_BN_CLICKED(IDC_VIEWER_MIRROR, OnMirror)
    ON_BN_CLICKED(IDC_VIEWER_PLX5, OnPlx5)
    ON_BN_CLICKED(IDC_VIEWER_SIZETOFIT, OnSizeToFit)
    ON_BN_CLICKED(IDC_VIEWER_RESET, OnResetClicked)
END_MESSAGE_MAP()

namespace
{
// Slider positions are tenths of the viewer's contrast and brightness.
const int kSliderMin = -40;
const int kSliderMax = 100;
const int kSliderStep = 10;
}

CLeadViewerPpg::CLeadViewerPpg(CLeadViewerWnd* pViewer)
    : CPropertyPageExt(IDD_VIEWER_IMAGE, 0), m_pViewer(pViewer), m_bPlx5CompMode(0), m_bShowSizeToPage(1)
{
}

CLeadViewerPpg::~CLeadViewerPpg() = default;

BOOL CLeadViewerPpg::OnInitDialog()
{
    CPropertyPageExt::OnInitDialog();
    static const UINT kSliders[] = { IDC_VIEWER_CONTRAST, IDC_VIEWER_BRIGHTNESS };
    for (UINT nID : kSliders)
    {
        SendDlgItemMessage((int)nID, TBM_SETRANGEMIN, FALSE, kSliderMin);
        SendDlgItemMessage((int)nID, TBM_SETRANGEMAX, FALSE, kSliderMax);
        SendDlgItemMessage((int)nID, TBM_SETPAGESIZE, 0, kSliderStep);
    }
    UpdateData();
    if (!m_bPlx5CompMode)
        ShowDlgItem(IDC_VIEWER_PLX5, SW_HIDE);
    if (!m_bShowSizeToPage)
        ShowDlgItems(SW_HIDE, 2, IDC_VIEWER_SIZETOFIT, IDC_VIEWER_PREVIEW_LABEL);
    if (m_pViewer)
        CheckDlgButton(IDC_VIEWER_SIZETOFIT, m_pViewer->IsSizeToFitEnabled() ? BST_CHECKED : BST_UNCHECKED);
    return TRUE;
}

void CLeadViewerPpg::OnUpdate()
{
    UpdateData();
}

void CLeadViewerPpg::UpdateData()
{
    if (!m_pViewer || !m_hWnd)
        return;
    CheckDlgButton(IDC_VIEWER_SMOOTH, m_pViewer->GetSmooth() ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_VIEWER_INVERT, m_pViewer->GetInvert() ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_VIEWER_BLUR, m_pViewer->GetBlur() ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_VIEWER_SHARPEN, m_pViewer->GetSharpen() ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_VIEWER_MIRROR, m_pViewer->GetMirror() ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_VIEWER_FLIP, m_pViewer->GetFlip() ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_VIEWER_PLX5, m_pViewer->GetPlx508Mode() ? BST_CHECKED : BST_UNCHECKED);
    SelectComboItem(IDC_VIEWER_DITHER, m_pViewer->GetDither());
    // Integer division truncates toward zero: -35 shows as -3.
    SetSliderPos(IDC_VIEWER_CONTRAST, m_pViewer->GetContrast() / kSliderStep);
    SetSliderPos(IDC_VIEWER_BRIGHTNESS, m_pViewer->GetBrightness() / kSliderStep);
}

void CLeadViewerPpg::EnableAll(BOOL bEnable)
{
    for (HWND hChild = ::GetWindow(m_hWnd, GW_CHILD); hChild; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
        ::EnableWindow(hChild, bEnable);
}

BOOL CLeadViewerPpg::OnSetActive()
{
    // Dithering means nothing for a true-colour panel image.
    if (m_pViewer)
        EnableDlgItem(IDC_VIEWER_DITHER, m_pViewer->GetImageColorBits() != 16);
    return CPropertyPageExt::OnSetActive();
}

void CLeadViewerPpg::OnSelchangeDither()
{
    int nSel = (int)SendDlgItemMessage(IDC_VIEWER_DITHER, CB_GETCURSEL);
    if (m_pViewer && nSel >= 0 && nSel <= 7)
        m_pViewer->SetDither(nSel, 1);
}

void CLeadViewerPpg::OnHScroll(UINT, UINT, CScrollBar* pScrollBar)
{
    if (!m_pViewer || !pScrollBar)
        return;
    int nID = pScrollBar->GetDlgCtrlID();
    int nPos = (int)pScrollBar->SendMessage(TBM_GETPOS);
    if (nID == IDC_VIEWER_CONTRAST)
        m_pViewer->SetContrast(nPos * kSliderStep, 1);
    else if (nID == IDC_VIEWER_BRIGHTNESS)
        m_pViewer->SetBrightness(nPos * kSliderStep, 1);
}

void CLeadViewerPpg::OnSmooth()
{
    if (m_pViewer)
        m_pViewer->EnableSmooth(IsChecked(IDC_VIEWER_SMOOTH), 1);
}

void CLeadViewerPpg::OnInvert()
{
    if (m_pViewer)
        m_pViewer->EnableInvert(IsChecked(IDC_VIEWER_INVERT), 1);
}

void CLeadViewerPpg::OnBlur()
{
    if (m_pViewer)
        m_pViewer->EnableBlur(IsChecked(IDC_VIEWER_BLUR), 1);
}

void CLeadViewerPpg::OnSharpen()
{
    if (m_pViewer)
        m_pViewer->EnableSharpen(IsChecked(IDC_VIEWER_SHARPEN), 1);
}

void CLeadViewerPpg::OnFlip()
{
    if (m_pViewer)
        m_pViewer->EnableFlip(IsChecked(IDC_VIEWER_FLIP), 1);
}

void CLeadViewerPpg::OnMirror()
{
    if (m_pViewer)
        m_pViewer->EnableMirror(IsChecked(IDC_VIEWER_MIRROR), 1);
}

void CLeadViewerPpg::OnPlx5()
{
    if (m_pViewer)
        m_pViewer->EnablePlx508Mode(IsChecked(IDC_VIEWER_PLX5), 1);
}

void CLeadViewerPpg::OnSizeToFit()
{
    if (m_pViewer)
        m_pViewer->EnableSizeToFit(IsChecked(IDC_VIEWER_SIZETOFIT));
}

void CLeadViewerPpg::OnResetClicked()
{
    OnReset();
}

void CLeadViewerPpg::OnReset()
{
    if (!m_pViewer)
        return;
    m_pViewer->ResetPropertySettings();
    UpdateData();
    m_pViewer->Refresh();
}
