#include "select/FixedHeaderCtrl.h"

BEGIN_MESSAGE_MAP(CFixedHeaderCtrl, CHeaderCtrl)
    ON_WM_SETCURSOR()
    ON_WM_LBUTTONDBLCLK()
END_MESSAGE_MAP()

CFixedHeaderCtrl::CFixedHeaderCtrl() {}

CFixedHeaderCtrl::~CFixedHeaderCtrl() {}

// Handled without setting a cursor: the arrow stays, even over a divider.
BOOL CFixedHeaderCtrl::OnSetCursor(CWnd*, UINT, UINT)
{
    return TRUE;
}

// Swallowed: a double-click on a divider would size the column to its content.
void CFixedHeaderCtrl::OnLButtonDblClk(UINT, CPoint) {}
