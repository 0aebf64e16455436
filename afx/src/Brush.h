// CBrush: a GDI brush.
#pragma once
#include "GdiObject.h"
class CBitmap;

class AFX_CORE_CLASS CBrush : public CGdiObject
{
    DECLARE_DYNAMIC(CBrush)
public:
    CBrush() = default;
    ~CBrush() override = default;

    static CBrush* PASCAL FromHandle(HBRUSH hObject);
    operator HBRUSH() const { return static_cast<HBRUSH>(m_hObject); }

    explicit CBrush(COLORREF crColor) { CreateSolidBrush(crColor); }
    CBrush(int nIndex, COLORREF crColor) { CreateHatchBrush(nIndex, crColor); }
    explicit CBrush(CBitmap* pBitmap) { CreatePatternBrush(pBitmap); }

    BOOL CreateSolidBrush(COLORREF crColor) { return Attach(::CreateSolidBrush(crColor)); }
    BOOL CreateHatchBrush(int nIndex, COLORREF crColor) { return Attach(::CreateHatchBrush(nIndex, crColor)); }
    BOOL CreateBrushIndirect(const LOGBRUSH* lpLogBrush) { return Attach(::CreateBrushIndirect(lpLogBrush)); }
    BOOL CreatePatternBrush(CBitmap* pBitmap);
    // System colour brushes are owned by the system; DeleteObject ignores them.
    BOOL CreateSysColorBrush(int nIndex) { return Attach(::GetSysColorBrush(nIndex)); }
    int GetLogBrush(LOGBRUSH* pLogBrush) const { return GetObject(sizeof(LOGBRUSH), pLogBrush); }
};
