#include "SliderCtrl.h"

IMPLEMENT_DYNAMIC(CSliderCtrl, CWnd)

CSliderCtrl::~CSliderCtrl()
{
    DestroyWindow();
}

BOOL CSliderCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(TRACKBAR_CLASSA, nullptr, dwStyle, rect, pParentWnd, nID);
}

void CSliderCtrl::GetSelection(int& nMin, int& nMax) const
{
    nMin = static_cast<int>(SendMessage(TBM_GETSELSTART));
    nMax = static_cast<int>(SendMessage(TBM_GETSELEND));
}
