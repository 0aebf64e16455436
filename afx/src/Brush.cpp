#include "Brush.h"
#include "Bitmap.h"

IMPLEMENT_DYNAMIC(CBrush, CGdiObject)

namespace {
CGdiObject* NewBrush() { return new CBrush; }
}

CBrush* PASCAL CBrush::FromHandle(HBRUSH hObject)
{
    return static_cast<CBrush*>(FromHandleOf(hObject, &NewBrush));
}

BOOL CBrush::CreatePatternBrush(CBitmap* pBitmap)
{
    return pBitmap ? Attach(::CreatePatternBrush(static_cast<HBITMAP>(pBitmap->GetSafeHandle()))) : FALSE;
}
