#include "Rgn.h"

IMPLEMENT_DYNAMIC(CRgn, CGdiObject)

namespace {
CGdiObject* NewRgn() { return new CRgn; }
}

CRgn* PASCAL CRgn::FromHandle(HRGN hObject)
{
    return static_cast<CRgn*>(FromHandleOf(hObject, &NewRgn));
}

int CRgn::CombineRgn(const CRgn* pRgn1, const CRgn* pRgn2, int nCombineMode)
{
    if (!m_hObject || !pRgn1)
        return ERROR;
    HRGN h2 = pRgn2 ? static_cast<HRGN>(pRgn2->m_hObject) : nullptr;
    return ::CombineRgn(static_cast<HRGN>(m_hObject), static_cast<HRGN>(pRgn1->m_hObject), h2, nCombineMode);
}

BOOL CRgn::EqualRgn(const CRgn* pRgn) const
{
    return pRgn ? ::EqualRgn(static_cast<HRGN>(m_hObject), static_cast<HRGN>(pRgn->m_hObject)) : FALSE;
}
