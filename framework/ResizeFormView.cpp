#include "ResizeFormView.h"

IMPLEMENT_DYNCREATE(CResizeFormView, CFormView)

BEGIN_MESSAGE_MAP(CResizeFormView, CFormView)
    ON_WM_SIZE()
    ON_WM_GETMINMAXINFO()
END_MESSAGE_MAP()

CResizeFormView::CResizeFormView(UINT nIDTemplate, UINT nFlags)
    : CFormView(nIDTemplate), CResize(this, nFlags | SZ_NOSIZEICON)
{
}

void CResizeFormView::OnInitialUpdate()
{
    CFormView::OnInitialUpdate();
    ResizeParentToFit(FALSE);
    // Scroll sizes of zero: the controls follow the view instead of scrolling.
    SetScrollSizes(MM_TEXT, CSize(0, 0));
    Init();
}

void CResizeFormView::OnSize(UINT nType, int cx, int cy)
{
    CFormView::OnSize(nType, cx, cy);
    Size();
}

void CResizeFormView::OnGetMinMaxInfo(MINMAXINFO* pMMI)
{
    GetMinMaxInfo(pMMI);
}
