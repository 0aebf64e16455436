#include "TabCtrl.h"
#include "ImageList.h"

IMPLEMENT_DYNAMIC(CTabCtrl, CWnd)

CTabCtrl::~CTabCtrl() { DestroyWindow(); }

BOOL CTabCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(WC_TABCONTROLA, nullptr, dwStyle, rect, pParentWnd, nID);
}

LONG CTabCtrl::InsertItem(UINT nMask, int nItem, LPCSTR lpszItem, int nImage, LPARAM lParam)
{
    TCITEMA item = {};
    item.mask = nMask;
    item.pszText = const_cast<LPSTR>(lpszItem);
    item.iImage = nImage;
    item.lParam = lParam;
    return InsertItem(nItem, &item);
}

LONG CTabCtrl::InsertItem(int nItem, LPCSTR lpszItem) { return InsertItem(TCIF_TEXT, nItem, lpszItem, 0, 0); }

LONG CTabCtrl::InsertItem(int nItem, LPCSTR lpszItem, int nImage)
{
    return InsertItem(TCIF_TEXT | TCIF_IMAGE, nItem, lpszItem, nImage, 0);
}

CSize CTabCtrl::SetItemSize(CSize size)
{
    DWORD dw = static_cast<DWORD>(SendMessage(TCM_SETITEMSIZE, 0, MAKELPARAM(size.cx, size.cy)));
    return CSize(LOWORD(dw), HIWORD(dw));
}

CImageList* CTabCtrl::SetImageList(CImageList* pImageList)
{
    return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(
        SendMessage(TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(pImageList ? pImageList->m_hImageList : nullptr))));
}

CImageList* CTabCtrl::GetImageList() const
{
    return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(SendMessage(TCM_GETIMAGELIST)));
}
