// CPalette: a GDI logical palette.
#pragma once
#include "GdiObject.h"

class CDC;

class AFX_CORE_CLASS CPalette : public CGdiObject
{
    DECLARE_DYNAMIC(CPalette)
public:
    CPalette() = default;
    ~CPalette() override = default;

    static CPalette* PASCAL FromHandle(HPALETTE hObject);
    operator HPALETTE() const { return static_cast<HPALETTE>(m_hObject); }

    BOOL CreatePalette(LPLOGPALETTE lpLogPalette) { return Attach(::CreatePalette(lpLogPalette)); }
    BOOL CreateHalftonePalette(CDC* pDC);
    int GetEntryCount() const;
    UINT GetPaletteEntries(UINT nStartIndex, UINT nNumEntries, LPPALETTEENTRY lpPaletteColors) const
    { return ::GetPaletteEntries(static_cast<HPALETTE>(m_hObject), nStartIndex, nNumEntries, lpPaletteColors); }
    UINT SetPaletteEntries(UINT nStartIndex, UINT nNumEntries, LPPALETTEENTRY lpPaletteColors)
    { return ::SetPaletteEntries(static_cast<HPALETTE>(m_hObject), nStartIndex, nNumEntries, lpPaletteColors); }
    void AnimatePalette(UINT nStartIndex, UINT nNumEntries, LPPALETTEENTRY lpPaletteColors)
    { ::AnimatePalette(static_cast<HPALETTE>(m_hObject), nStartIndex, nNumEntries, lpPaletteColors); }
    UINT GetNearestPaletteIndex(COLORREF crColor) const
    { return ::GetNearestPaletteIndex(static_cast<HPALETTE>(m_hObject), crColor); }
    BOOL ResizePalette(UINT nNumEntries) { return ::ResizePalette(static_cast<HPALETTE>(m_hObject), nNumEntries); }
};
