#include "Bitmap.h"
#include "Dc.h"
#include "CmdTarget.h"
#include "ModuleChain.h"

IMPLEMENT_DYNAMIC(CBitmap, CGdiObject)

namespace {
CGdiObject* NewBitmap() { return new CBitmap; }
}

CBitmap* PASCAL CBitmap::FromHandle(HBITMAP hObject)
{
    return static_cast<CBitmap*>(FromHandleOf(hObject, &NewBitmap));
}

BOOL CBitmap::LoadBitmap(LPCSTR lpszResourceName)
{
    HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, RT_BITMAP);
    return Attach(::LoadBitmapA(hInst, lpszResourceName));
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight)
{
    if (!pDC)
        return FALSE;
    return Attach(::CreateCompatibleBitmap(pDC->m_hDC, nWidth, nHeight));
}

CSize CBitmap::SetBitmapDimension(int nWidth, int nHeight)
{
    SIZE size = {};
    ::SetBitmapDimensionEx(static_cast<HBITMAP>(m_hObject), nWidth, nHeight, &size);
    return size;
}

CSize CBitmap::GetBitmapDimension() const
{
    SIZE size = {};
    ::GetBitmapDimensionEx(static_cast<HBITMAP>(m_hObject), &size);
    return size;
}
