#include "Dc.h"
#include "Bitmap.h"
#include "Brush.h"
#include "Font.h"
#include "HandleMap.h"
#include "Palette.h"
#include "Pen.h"
#include "Rgn.h"
#include "Wnd.h"

IMPLEMENT_DYNCREATE(CDC, CObject)

namespace {
void SetHandles(CDC* p, HDC h)
{
    p->m_hDC = h;
    p->m_hAttribDC = h;
}
CDC* NewDC() { return new CDC; }

CHandleMapT<CDC, HDC>& DcMap()
{
    static thread_local CHandleMapT<CDC, HDC> map(&SetHandles);
    return map;
}
}

CDC::~CDC()
{
    if (m_hDC != nullptr)
        ::DeleteDC(Detach());
}

CDC* PASCAL CDC::FromHandle(HDC hDC)
{
    return DcMap().FromHandle(hDC, &NewDC);
}

void PASCAL CDC::DeleteTempMap()
{
    DcMap().DeleteTemp();
}

BOOL CDC::Attach(HDC hDC)
{
    if (hDC == nullptr || m_hDC != nullptr)
        return FALSE;
    m_hDC = m_hAttribDC = hDC;
    DcMap().SetPermanent(hDC, this);
    return TRUE;
}

HDC CDC::Detach()
{
    HDC hDC = m_hDC;
    if (hDC != nullptr && DcMap().LookupPermanent(hDC) == this)
        DcMap().RemoveHandle(hDC);
    ReleaseAttribDC();
    ReleaseOutputDC();
    return hDC;
}

BOOL CDC::CreateDC(LPCSTR lpszDriverName, LPCSTR lpszDeviceName, LPCSTR lpszOutput, const void* lpInitData)
{
    return Attach(::CreateDCA(lpszDriverName, lpszDeviceName, lpszOutput, static_cast<const DEVMODEA*>(lpInitData)));
}

BOOL CDC::CreateIC(LPCSTR lpszDriverName, LPCSTR lpszDeviceName, LPCSTR lpszOutput, const void* lpInitData)
{
    return Attach(::CreateICA(lpszDriverName, lpszDeviceName, lpszOutput, static_cast<const DEVMODEA*>(lpInitData)));
}

BOOL CDC::CreateCompatibleDC(CDC* pDC)
{
    return Attach(::CreateCompatibleDC(pDC ? pDC->m_hDC : nullptr));
}

BOOL CDC::DeleteDC()
{
    if (m_hDC == nullptr)
        return FALSE;
    return ::DeleteDC(Detach());
}

CWnd* CDC::GetWindow() const
{
    return m_hDC ? CWnd::FromHandle(::WindowFromDC(m_hDC)) : nullptr;
}

// Selecting into a DC that has a separate attribute DC keeps both in step.
static HGDIOBJ SelectBoth(const CDC* pDC, HGDIOBJ hObject)
{
    if (hObject == nullptr)
        return nullptr;
    HGDIOBJ hOld = nullptr;
    if (pDC->m_hDC != nullptr)
        hOld = ::SelectObject(pDC->m_hDC, hObject);
    if (pDC->m_hAttribDC != nullptr && pDC->m_hAttribDC != pDC->m_hDC)
        hOld = ::SelectObject(pDC->m_hAttribDC, hObject);
    return hOld;
}

CPen* CDC::SelectObject(CPen* pPen)
{
    return pPen ? CPen::FromHandle(static_cast<HPEN>(SelectBoth(this, pPen->m_hObject))) : nullptr;
}

CBrush* CDC::SelectObject(CBrush* pBrush)
{
    return pBrush ? CBrush::FromHandle(static_cast<HBRUSH>(SelectBoth(this, pBrush->m_hObject))) : nullptr;
}

CFont* CDC::SelectObject(CFont* pFont)
{
    return pFont ? CFont::FromHandle(static_cast<HFONT>(SelectBoth(this, pFont->m_hObject))) : nullptr;
}

CBitmap* CDC::SelectObject(CBitmap* pBitmap)
{
    return pBitmap ? CBitmap::FromHandle(static_cast<HBITMAP>(SelectBoth(this, pBitmap->m_hObject))) : nullptr;
}

int CDC::SelectObject(CRgn* pRgn)
{
    if (pRgn == nullptr || pRgn->m_hObject == nullptr)
        return ERROR;
    int nResult = ERROR;
    if (m_hDC != nullptr)
        nResult = static_cast<int>(reinterpret_cast<INT_PTR>(::SelectObject(m_hDC, pRgn->m_hObject)));
    if (m_hAttribDC != nullptr && m_hAttribDC != m_hDC)
        nResult = static_cast<int>(reinterpret_cast<INT_PTR>(::SelectObject(m_hAttribDC, pRgn->m_hObject)));
    return nResult;
}

CGdiObject* CDC::SelectObject(CGdiObject* pObject)
{
    return pObject ? CGdiObject::FromHandle(SelectBoth(this, pObject->m_hObject)) : nullptr;
}

CGdiObject* CDC::SelectStockObject(int nIndex)
{
    return CGdiObject::FromHandle(SelectBoth(this, ::GetStockObject(nIndex)));
}

CPalette* CDC::SelectPalette(CPalette* pPalette, BOOL bForceBackground)
{
    if (pPalette == nullptr)
        return nullptr;
    return CPalette::FromHandle(::SelectPalette(m_hDC, static_cast<HPALETTE>(pPalette->m_hObject), bForceBackground));
}

CPen* CDC::GetCurrentPen() const
{
    return CPen::FromHandle(static_cast<HPEN>(::GetCurrentObject(m_hDC, OBJ_PEN)));
}

CBrush* CDC::GetCurrentBrush() const
{
    return CBrush::FromHandle(static_cast<HBRUSH>(::GetCurrentObject(m_hDC, OBJ_BRUSH)));
}

CFont* CDC::GetCurrentFont() const
{
    return CFont::FromHandle(static_cast<HFONT>(::GetCurrentObject(m_hDC, OBJ_FONT)));
}

CBitmap* CDC::GetCurrentBitmap() const
{
    return CBitmap::FromHandle(static_cast<HBITMAP>(::GetCurrentObject(m_hDC, OBJ_BITMAP)));
}

CPalette* CDC::GetCurrentPalette() const
{
    return CPalette::FromHandle(static_cast<HPALETTE>(::GetCurrentObject(m_hDC, OBJ_PAL)));
}

CPoint CDC::SetViewportOrg(int x, int y)
{
    POINT pt = {};
    ::SetViewportOrgEx(m_hDC, x, y, &pt);
    return pt;
}

CPoint CDC::GetViewportOrg() const
{
    POINT pt = {};
    ::GetViewportOrgEx(m_hAttribDC, &pt);
    return pt;
}

CPoint CDC::SetWindowOrg(int x, int y)
{
    POINT pt = {};
    ::SetWindowOrgEx(m_hDC, x, y, &pt);
    return pt;
}

CPoint CDC::GetWindowOrg() const
{
    POINT pt = {};
    ::GetWindowOrgEx(m_hAttribDC, &pt);
    return pt;
}

CSize CDC::SetViewportExt(int cx, int cy)
{
    SIZE size = {};
    ::SetViewportExtEx(m_hDC, cx, cy, &size);
    return size;
}

CSize CDC::SetWindowExt(int cx, int cy)
{
    SIZE size = {};
    ::SetWindowExtEx(m_hDC, cx, cy, &size);
    return size;
}

int CDC::SelectClipRgn(CRgn* pRgn)
{
    return ::SelectClipRgn(m_hDC, pRgn ? static_cast<HRGN>(pRgn->m_hObject) : nullptr);
}

CPoint CDC::MoveTo(int x, int y)
{
    POINT pt = {};
    ::MoveToEx(m_hDC, x, y, &pt);
    return pt;
}

CPoint CDC::GetCurrentPosition() const
{
    POINT pt = {};
    ::GetCurrentPositionEx(m_hAttribDC, &pt);
    return pt;
}

void CDC::FillRect(LPCRECT lpRect, CBrush* pBrush)
{
    if (pBrush)
        ::FillRect(m_hDC, lpRect, static_cast<HBRUSH>(pBrush->m_hObject));
}

void CDC::FrameRect(LPCRECT lpRect, CBrush* pBrush)
{
    if (pBrush)
        ::FrameRect(m_hDC, lpRect, static_cast<HBRUSH>(pBrush->m_hObject));
}

BOOL CDC::FillRgn(CRgn* pRgn, CBrush* pBrush)
{
    if (!pRgn || !pBrush)
        return FALSE;
    return ::FillRgn(m_hDC, static_cast<HRGN>(pRgn->m_hObject), static_cast<HBRUSH>(pBrush->m_hObject));
}

BOOL CDC::FrameRgn(CRgn* pRgn, CBrush* pBrush, int nWidth, int nHeight)
{
    if (!pRgn || !pBrush)
        return FALSE;
    return ::FrameRgn(m_hDC, static_cast<HRGN>(pRgn->m_hObject), static_cast<HBRUSH>(pBrush->m_hObject), nWidth, nHeight);
}

// Solid fills go through ExtTextOut with an opaque rectangle, as in MFC:
// no brush to create, and the background colour is restored afterwards.
void CDC::FillSolidRect(LPCRECT lpRect, COLORREF clr)
{
    COLORREF clrOld = ::SetBkColor(m_hDC, clr);
    ::ExtTextOutA(m_hDC, 0, 0, ETO_OPAQUE, lpRect, nullptr, 0, nullptr);
    ::SetBkColor(m_hDC, clrOld);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF clr)
{
    RECT rect = { x, y, x + cx, y + cy };
    FillSolidRect(&rect, clr);
}

void CDC::Draw3dRect(LPCRECT lpRect, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    Draw3dRect(lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top,
               clrTopLeft, clrBottomRight);
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    FillSolidRect(x, y, cx - 1, 1, clrTopLeft);
    FillSolidRect(x, y, 1, cy - 1, clrTopLeft);
    FillSolidRect(x + cx, y, -1, cy, clrBottomRight);
    FillSolidRect(x, y + cy, cx, -1, clrBottomRight);
}

BOOL CDC::BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, DWORD dwRop)
{
    return ::BitBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC ? pSrcDC->m_hDC : nullptr, xSrc, ySrc, dwRop);
}

BOOL CDC::StretchBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc,
                     int nSrcWidth, int nSrcHeight, DWORD dwRop)
{
    return ::StretchBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC ? pSrcDC->m_hDC : nullptr, xSrc, ySrc,
                        nSrcWidth, nSrcHeight, dwRop);
}

CSize CDC::GetTextExtent(LPCSTR lpszString, int nCount) const
{
    SIZE size = {};
    if (lpszString && nCount > 0)
        ::GetTextExtentPoint32A(m_hAttribDC, lpszString, nCount, &size);
    return size;
}

CSize CDC::GetOutputTextExtent(LPCSTR lpszString, int nCount) const
{
    SIZE size = {};
    if (lpszString && nCount > 0)
        ::GetTextExtentPoint32A(m_hDC, lpszString, nCount, &size);
    return size;
}
