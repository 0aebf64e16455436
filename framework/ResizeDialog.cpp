#include "ResizeDialog.h"

IMPLEMENT_DYNAMIC(CResizeDialog, CDialog)

BEGIN_MESSAGE_MAP(CResizeDialog, CDialog)
    ON_WM_SIZE()
    ON_WM_GETMINMAXINFO()
END_MESSAGE_MAP()

CResizeDialog::CResizeDialog(UINT nIDTemplate, CWnd* pParentWnd, UINT nFlags)
    : CDialog(nIDTemplate, pParentWnd), CResize(this, nFlags)
{
}

BOOL CResizeDialog::OnInitDialog()
{
    // The frame is recalculated now, so the layout starts from the final client area.
    ModifyStyle(0, WS_THICKFRAME, SWP_FRAMECHANGED);
    CDialog::OnInitDialog();
    Init();
    return TRUE;
}

void CResizeDialog::OnSize(UINT nType, int cx, int cy)
{
    CDialog::OnSize(nType, cx, cy);
    Size();
}

void CResizeDialog::OnGetMinMaxInfo(MINMAXINFO* pMMI)
{
    GetMinMaxInfo(pMMI);
}
