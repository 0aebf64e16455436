#include "Palette.h"
#include "Dc.h"

IMPLEMENT_DYNAMIC(CPalette, CGdiObject)

namespace {
CGdiObject* NewPalette() { return new CPalette; }
}

CPalette* PASCAL CPalette::FromHandle(HPALETTE hObject)
{
    return static_cast<CPalette*>(FromHandleOf(hObject, &NewPalette));
}

BOOL CPalette::CreateHalftonePalette(CDC* pDC)
{
    return pDC ? Attach(::CreateHalftonePalette(pDC->m_hDC)) : FALSE;
}

int CPalette::GetEntryCount() const
{
    WORD nEntries = 0;
    if (!m_hObject || !::GetObjectA(m_hObject, sizeof(nEntries), &nEntries))
        return 0;
    return nEntries;
}
