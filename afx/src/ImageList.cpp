#include "ImageList.h"
#include "Bitmap.h"
#include "CmdTarget.h"
#include "Dc.h"
#include "HandleMap.h"
#include "ModuleChain.h"
#include "Wnd.h"

IMPLEMENT_DYNCREATE(CImageList, CObject)

namespace {
void SetHandle(CImageList* p, HIMAGELIST h) { p->m_hImageList = h; }
CImageList* NewImageList() { return new CImageList; }

CHandleMapT<CImageList, HIMAGELIST>& ImageListMap()
{
    static thread_local CHandleMapT<CImageList, HIMAGELIST> map(&SetHandle);
    return map;
}

HBITMAP HandleOf(CBitmap* pBitmap)
{
    return pBitmap ? static_cast<HBITMAP>(pBitmap->m_hObject) : nullptr;
}
}

CImageList::~CImageList()
{
    DeleteImageList();
}

CImageList* PASCAL CImageList::FromHandle(HIMAGELIST hImageList)
{
    return ImageListMap().FromHandle(hImageList, &NewImageList);
}

CImageList* PASCAL CImageList::FromHandlePermanent(HIMAGELIST hImageList)
{
    return ImageListMap().LookupPermanent(hImageList);
}

void PASCAL CImageList::DeleteTempMap()
{
    ImageListMap().DeleteTemp();
}

BOOL CImageList::Attach(HIMAGELIST hImageList)
{
    if (hImageList == nullptr || m_hImageList != nullptr)
        return FALSE;
    m_hImageList = hImageList;
    ImageListMap().SetPermanent(hImageList, this);
    return TRUE;
}

HIMAGELIST CImageList::Detach()
{
    HIMAGELIST h = m_hImageList;
    if (h != nullptr && ImageListMap().LookupPermanent(h) == this)
        ImageListMap().RemoveHandle(h);
    m_hImageList = nullptr;
    return h;
}

BOOL CImageList::Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow)
{
    return Attach(ImageList_Create(cx, cy, nFlags, nInitial, nGrow));
}

BOOL CImageList::Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask)
{
    return Create(MAKEINTRESOURCEA(nBitmapID), cx, nGrow, crMask);
}

BOOL CImageList::Create(LPCSTR lpszBitmapID, int cx, int nGrow, COLORREF crMask)
{
    HINSTANCE hInst = AfxFindResourceHandle(lpszBitmapID, RT_BITMAP);
    return Attach(ImageList_LoadImageA(hInst, lpszBitmapID, cx, nGrow, crMask, IMAGE_BITMAP, LR_CREATEDIBSECTION));
}

BOOL CImageList::Create(CImageList* pImageList)
{
    return pImageList ? Attach(ImageList_Duplicate(pImageList->m_hImageList)) : FALSE;
}

BOOL CImageList::DeleteImageList()
{
    if (m_hImageList == nullptr)
        return FALSE;
    return ImageList_Destroy(Detach());
}

int CImageList::Add(CBitmap* pbmImage, CBitmap* pbmMask)
{
    return m_hImageList ? ImageList_Add(m_hImageList, HandleOf(pbmImage), HandleOf(pbmMask)) : -1;
}

int CImageList::Add(CBitmap* pbmImage, COLORREF crMask)
{
    return m_hImageList ? ImageList_AddMasked(m_hImageList, HandleOf(pbmImage), crMask) : -1;
}

BOOL CImageList::Replace(int nImage, CBitmap* pbmImage, CBitmap* pbmMask)
{
    return m_hImageList ? ImageList_Replace(m_hImageList, nImage, HandleOf(pbmImage), HandleOf(pbmMask)) : FALSE;
}

BOOL CImageList::Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle)
{
    if (!pDC || !m_hImageList)
        return FALSE;
    return ImageList_Draw(m_hImageList, nImage, pDC->m_hDC, pt.x, pt.y, nStyle);
}

BOOL CImageList::DrawIndirect(IMAGELISTDRAWPARAMS* pimldp)
{
    if (!pimldp || !m_hImageList)
        return FALSE;
    pimldp->cbSize = sizeof(IMAGELISTDRAWPARAMS);
    pimldp->himl = m_hImageList;
    return ImageList_DrawIndirect(pimldp);
}

BOOL PASCAL CImageList::DragEnter(CWnd* pWndLock, CPoint point)
{
    return ImageList_DragEnter(AfxHwndOf(pWndLock), point.x, point.y);
}

BOOL PASCAL CImageList::DragLeave(CWnd* pWndLock)
{
    return ImageList_DragLeave(AfxHwndOf(pWndLock));
}

CImageList* PASCAL CImageList::GetDragImage(LPPOINT lpPoint, LPPOINT lpPointHotSpot)
{
    return FromHandle(ImageList_GetDragImage(lpPoint, lpPointHotSpot));
}
