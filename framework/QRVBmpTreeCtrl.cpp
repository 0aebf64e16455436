#include "QRVBmpTreeCtrl.h"
#include <cstring>
#include <vector>

IMPLEMENT_DYNAMIC(QRVBmpTreeCtrl, CTreeCtrl)

BEGIN_MESSAGE_MAP(QRVBmpTreeCtrl, CTreeCtrl)
    ON_NOTIFY_REFLECT_EX(TVN_ITEMEXPANDINGA, OnItemexpanding)
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_WM_PALETTECHANGED()
    ON_WM_QUERYNEWPALETTE()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

namespace {
bool IsPaletteDevice(HDC hdc)
{
    return (::GetDeviceCaps(hdc, RASTERCAPS) & RC_PALETTE) != 0;
}

// The header as the resource holds it. The section made from it is not
// asked: this Wine pads a section's colour table to 256 entries and reports
// that as its used-colour count.
BITMAPINFOHEADER ResourceHeader(HINSTANCE hInst, LPCSTR pszName)
{
    BITMAPINFOHEADER bih = {};
    HRSRC hRes = ::FindResourceA(hInst, pszName, (LPCSTR)RT_BITMAP);
    const void* pData = hRes ? ::LockResource(::LoadResource(hInst, hRes)) : nullptr;
    if (pData && ::SizeofResource(hInst, hRes) >= sizeof bih)
        memcpy(&bih, pData, sizeof bih);
    return bih;
}
}

QRVBmpTreeCtrl::QRVBmpTreeCtrl() : m_cxBitmap(0), m_cyBitmap(0)
{
}

QRVBmpTreeCtrl::~QRVBmpTreeCtrl() = default;

void QRVBmpTreeCtrl::SetBitmap(UINT nIDResource)
{
    m_bitmap.DeleteObject();
    m_pal.DeleteObject();
    LPCSTR pszName = MAKEINTRESOURCEA(LOWORD(nIDResource));
    HINSTANCE hInst = AfxFindResourceHandle(pszName, (LPCSTR)RT_BITMAP);
    HANDLE hImage = ::LoadImageA(hInst, pszName, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
    if (!hImage)
        return;
    m_bitmap.Attach(hImage);
    BITMAP bm = {};
    m_bitmap.GetBitmap(&bm);
    m_cxBitmap = bm.bmWidth;
    m_cyBitmap = bm.bmHeight;
    CreatePicturePalette(ResourceHeader(hInst, pszName));
    if (::IsWindow(m_hWnd))
        Invalidate(TRUE);
}

// A picture of at most 256 colours brings its own palette; for anything
// richer the halftone palette is the best a palette screen can do.
void QRVBmpTreeCtrl::CreatePicturePalette(BITMAPINFOHEADER bih)
{
    if (bih.biSize < sizeof bih) {
        DIBSECTION ds = {};
        ::GetObjectA(m_bitmap.GetSafeHandle(), sizeof ds, &ds);
        bih = ds.dsBmih;
    }
    const WORD nBits = bih.biBitCount;
    DWORD nColors = bih.biClrUsed;
    if (nColors == 0 && nBits <= 8)
        nColors = 1u << nBits;
    if (nColors == 0 || nColors > 256) {
        HDC hScreen = ::GetDC(nullptr);
        m_pal.CreateHalftonePalette(CDC::FromHandle(hScreen));
        ::ReleaseDC(nullptr, hScreen);
        return;
    }
    RGBQUAD table[256] = {};
    HDC hMem = ::CreateCompatibleDC(nullptr);
    HGDIOBJ hOld = ::SelectObject(hMem, m_bitmap.GetSafeHandle());
    UINT nRead = ::GetDIBColorTable(hMem, 0, nColors, table);
    ::SelectObject(hMem, hOld);
    ::DeleteDC(hMem);
    // The table may be shorter than the count says; only what is there is used.
    if (nRead == 0)
        return;
    nColors = nRead;
    std::vector<BYTE> buffer(sizeof(LOGPALETTE) + sizeof(PALETTEENTRY) * nColors);
    LOGPALETTE* pLogPal = reinterpret_cast<LOGPALETTE*>(buffer.data());
    pLogPal->palVersion = 0x300;
    pLogPal->palNumEntries = (WORD)nColors;
    for (DWORD i = 0; i < nColors; ++i) {
        pLogPal->palPalEntry[i].peRed = table[i].rgbRed;
        pLogPal->palPalEntry[i].peGreen = table[i].rgbGreen;
        pLogPal->palPalEntry[i].peBlue = table[i].rgbBlue;
        pLogPal->palPalEntry[i].peFlags = 0;
    }
    m_pal.CreatePalette(pLogPal);
}

// The picture is laid out from the items, so expanding or scrolling moves
// all of it: the whole control is repainted.
BOOL QRVBmpTreeCtrl::OnItemexpanding(NMHDR*, LRESULT* pResult)
{
    if (HasBitmap())
        Invalidate(TRUE);
    *pResult = 0;
    return FALSE; // the parent hears of it as from any tree
}

void QRVBmpTreeCtrl::OnHScroll(UINT, UINT, CScrollBar*)
{
    if (HasBitmap())
        Invalidate(TRUE);
    Default();
}

void QRVBmpTreeCtrl::OnVScroll(UINT, UINT, CScrollBar*)
{
    if (HasBitmap())
        Invalidate(TRUE);
    Default();
}

void QRVBmpTreeCtrl::OnPaletteChanged(CWnd* pFocusWnd)
{
    Default();
    if (pFocusWnd != this && (!pFocusWnd || pFocusWnd->m_hWnd != m_hWnd))
        OnQueryNewPalette();
}

BOOL QRVBmpTreeCtrl::OnQueryNewPalette()
{
    CClientDC dc(this);
    if (!IsPaletteDevice(dc.m_hDC) || !m_pal.GetSafeHandle())
        return (BOOL)Default();
    CPalette* pOldPal = dc.SelectPalette(&m_pal, FALSE);
    UINT nChanged = dc.RealizePalette();
    if (pOldPal)
        dc.SelectPalette(pOldPal, TRUE);
    if (nChanged)
        Invalidate(TRUE);
    return (BOOL)nChanged;
}

BOOL QRVBmpTreeCtrl::OnEraseBkgnd(CDC* pDC)
{
    if (HasBitmap())
        return TRUE; // OnPaint covers every pixel
    return CTreeCtrl::OnEraseBkgnd(pDC);
}

// Columns start at the horizontal scroll position, rows at the first item's
// top, so the picture moves with the items.
void QRVBmpTreeCtrl::TilePicture(CDC* pDC, CDC* pPictureDC, const CRect& rcClient)
{
    if (m_cxBitmap <= 0 || m_cyBitmap <= 0)
        return;
    int yStart = rcClient.top;
    CRect rcFirst;
    if (HTREEITEM hFirst = GetRootItem(); hFirst && GetItemRect(hFirst, &rcFirst, FALSE))
        yStart = rcFirst.top;
    // Rows wholly above the client area are skipped, not drawn.
    if (yStart + m_cyBitmap <= rcClient.top)
        yStart += ((rcClient.top - yStart) / m_cyBitmap) * m_cyBitmap;
    const int xStart = -GetScrollPos(SB_HORZ);
    for (int y = yStart; y < rcClient.bottom; y += m_cyBitmap)
        for (int x = xStart; x < rcClient.right; x += m_cxBitmap)
            pDC->BitBlt(x, y, m_cxBitmap, m_cyBitmap, pPictureDC, 0, 0, SRCCOPY);
}

void QRVBmpTreeCtrl::OnPaint()
{
    if (!HasBitmap()) {
        Default();
        return;
    }
    CPaintDC dc(this);
    CRect rcClip, rcClient;
    dc.GetClipBox(&rcClip);
    GetClientRect(&rcClient);
    const int cx = rcClient.Width(), cy = rcClient.Height();

    CDC dcTree, dcMask, dcPicture, dcCompose;
    dcTree.CreateCompatibleDC(&dc);
    dcMask.CreateCompatibleDC(&dc);
    dcPicture.CreateCompatibleDC(&dc);
    dcCompose.CreateCompatibleDC(&dc);

    // The tree paints itself off screen, over its own background colour.
    CBitmap bmTree;
    bmTree.CreateCompatibleBitmap(&dc, cx, cy);
    CBitmap* pOldTree = dcTree.SelectObject(&bmTree);
    const COLORREF crWindow = ::GetSysColor(COLOR_WINDOW);
    dcTree.FillSolidRect(&rcClient, crWindow);
    DefWindowProc(WM_PAINT, reinterpret_cast<WPARAM>(dcTree.m_hDC), 0);

    // Mask: white where the tree shows the window colour, black elsewhere.
    CBitmap bmMask;
    bmMask.CreateBitmap(cx, cy, 1, 1, nullptr);
    CBitmap* pOldMask = dcMask.SelectObject(&bmMask);
    dcTree.SetBkColor(crWindow);
    dcMask.BitBlt(0, 0, cx, cy, &dcTree, 0, 0, SRCCOPY);

    CBitmap* pOldPicture = dcPicture.SelectObject(&m_bitmap);
    CBitmap bmCompose;
    bmCompose.CreateCompatibleBitmap(&dc, cx, cy);
    CBitmap* pOldCompose = dcCompose.SelectObject(&bmCompose);
    CPalette* pOldPal = nullptr;
    CPalette* pOldComposePal = nullptr;
    if (IsPaletteDevice(dc.m_hDC) && m_pal.GetSafeHandle()) {
        pOldPal = dc.SelectPalette(&m_pal, FALSE);
        dc.RealizePalette();
        pOldComposePal = dcCompose.SelectPalette(&m_pal, FALSE);
    }
    TilePicture(&dcCompose, &dcPicture, rcClient);

    const int x = rcClip.left, y = rcClip.top, w = rcClip.Width(), h = rcClip.Height();
    // Tree image: its background becomes black (white mask pixels give the
    // destination's background colour, black).
    dcTree.SetBkColor(RGB(0, 0, 0));
    dcTree.SetTextColor(RGB(255, 255, 255));
    dcTree.BitBlt(x, y, w, h, &dcMask, x, y, SRCAND);
    // Picture: the items' area becomes black (black mask pixels give the text colour, black).
    dcCompose.SetBkColor(RGB(255, 255, 255));
    dcCompose.SetTextColor(RGB(0, 0, 0));
    dcCompose.BitBlt(x, y, w, h, &dcMask, x, y, SRCAND);
    dcCompose.BitBlt(x, y, w, h, &dcTree, x, y, SRCPAINT);
    dc.BitBlt(x, y, w, h, &dcCompose, x, y, SRCCOPY);

    if (pOldComposePal)
        dcCompose.SelectPalette(pOldComposePal, FALSE);
    if (pOldPal)
        dc.SelectPalette(pOldPal, FALSE);
    dcCompose.SelectObject(pOldCompose);
    dcPicture.SelectObject(pOldPicture);
    dcMask.SelectObject(pOldMask);
    dcTree.SelectObject(pOldTree);
}
