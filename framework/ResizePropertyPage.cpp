#include "ResizePropertyPage.h"

IMPLEMENT_DYNCREATE(CResizePropertyPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CResizePropertyPage, CPropertyPage)
    ON_WM_SIZE()
    ON_WM_GETMINMAXINFO()
END_MESSAGE_MAP()

CResizePropertyPage::CResizePropertyPage()
    : CPropertyPage(), CResize(this, SZ_NOSIZEICON)
{
}

CResizePropertyPage::CResizePropertyPage(UINT nIDTemplate, UINT nIDCaption, UINT nFlags)
    : CPropertyPage(nIDTemplate, nIDCaption), CResize(this, nFlags | SZ_NOSIZEICON)
{
}

BOOL CResizePropertyPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    Init();
    return TRUE;
}

void CResizePropertyPage::OnSize(UINT nType, int cx, int cy)
{
    CPropertyPage::OnSize(nType, cx, cy);
    Size();
}

void CResizePropertyPage::OnGetMinMaxInfo(MINMAXINFO* pMMI)
{
    GetMinMaxInfo(pMMI);
}
