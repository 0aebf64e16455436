#include "Font.h"
#include "Dc.h"
#include <stdlib.h>

IMPLEMENT_DYNAMIC(CFont, CGdiObject)

namespace {
CGdiObject* NewFont() { return new CFont; }
}

CFont* PASCAL CFont::FromHandle(HFONT hObject)
{
    return static_cast<CFont*>(FromHandleOf(hObject, &NewFont));
}

BOOL CFont::CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight,
                       BYTE bItalic, BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet,
                       BYTE nOutPrecision, BYTE nClipPrecision, BYTE nQuality,
                       BYTE nPitchAndFamily, LPCSTR lpszFacename)
{
    return Attach(::CreateFontA(nHeight, nWidth, nEscapement, nOrientation, nWeight, bItalic,
                                bUnderline, cStrikeOut, nCharSet, nOutPrecision, nClipPrecision,
                                nQuality, nPitchAndFamily, lpszFacename));
}

BOOL CFont::CreatePointFont(int nPointSize, LPCSTR lpszFaceName, CDC* pDC)
{
    LOGFONTA lf = {};
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfHeight = nPointSize;
    if (lpszFaceName)
        lstrcpynA(lf.lfFaceName, lpszFaceName, LF_FACESIZE);
    return CreatePointFontIndirect(&lf, pDC);
}

BOOL CFont::CreatePointFontIndirect(const LOGFONTA* lpLogFont, CDC* pDC)
{
    if (!lpLogFont)
        return FALSE;
    HDC hDC = pDC ? pDC->m_hAttribDC : ::GetDC(nullptr);
    // Tenths of a point to logical units of the device, as MFC does it.
    LOGFONTA lf = *lpLogFont;
    POINT pt = { 0, ::MulDiv(::GetDeviceCaps(hDC, LOGPIXELSY), lf.lfHeight, 720) };
    ::DPtoLP(hDC, &pt, 1);
    POINT ptOrg = { 0, 0 };
    ::DPtoLP(hDC, &ptOrg, 1);
    lf.lfHeight = -abs(pt.y - ptOrg.y);
    if (!pDC)
        ::ReleaseDC(nullptr, hDC);
    return CreateFontIndirect(&lf);
}
