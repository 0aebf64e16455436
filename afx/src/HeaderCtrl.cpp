#include "HeaderCtrl.h"
#include "ImageList.h"

IMPLEMENT_DYNAMIC(CHeaderCtrl, CWnd)

CHeaderCtrl::~CHeaderCtrl()
{
    DestroyWindow();
}

BOOL CHeaderCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(WC_HEADERA, nullptr, dwStyle, rect, pParentWnd, nID);
}

BOOL CHeaderCtrl::GetOrderArray(LPINT piArray, int iCount) const
{
    if (iCount < 0)
        iCount = GetItemCount();
    return static_cast<BOOL>(SendMessage(HDM_GETORDERARRAY, static_cast<WPARAM>(iCount), reinterpret_cast<LPARAM>(piArray)));
}

CImageList* CHeaderCtrl::SetImageList(CImageList* pImageList)
{
    HIMAGELIST h = pImageList ? pImageList->m_hImageList : nullptr;
    return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(SendMessage(HDM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(h))));
}

CImageList* CHeaderCtrl::GetImageList() const
{
    return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(SendMessage(HDM_GETIMAGELIST)));
}
