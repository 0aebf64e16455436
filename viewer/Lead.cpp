#include "viewer/Lead.h"

#include <cstring>
#include <mutex>
#include <new>
#include <set>
#include <utility>

#include "imaging/BmpFile.h"
#include "imaging/ColorReducer.h"
#include "imaging/DibReader.h"
#include "imaging/DibWriter.h"
#include "imaging/Effects.h"
#include "imaging/Resampler.h"
#include "viewer/LeadFileReader.h"

using qrv::img::Image;
using qrv::img::Status;

namespace {

// {00130000-B1BA-11CE-ABC6-F5B2E79D9E3F}
const CLSID kLeadClsid = {0x00130000, 0xB1BA, 0x11CE, {0xAB, 0xC6, 0xF5, 0xB2, 0xE7, 0x9D, 0x9E, 0x3F}};

// Packs an image as a DIB in the layout every consumer reads.
short WriteDib(const Image& image, std::vector<uint8_t>& dib)
{
    try {
        return CLead::FromStatus(qrv::img::DibWriter::Write(image, dib));
    } catch (const std::bad_alloc&) {
        return CLead::errNoMemory;
    }
}

}  // namespace

IMPLEMENT_DYNCREATE(CLead, CWnd)

BEGIN_MESSAGE_MAP(CLead, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_DESTROY()
    ON_WM_WINDOWPOSCHANGING()
END_MESSAGE_MAP()

const CLSID& CLead::GetClsid()
{
    return kLeadClsid;
}

short CLead::FromStatus(Status s, short nIoError)
{
    switch (s) {
    case qrv::img::kOk: return errNone;
    case qrv::img::kIoError: return nIoError;
    case qrv::img::kBadRle: return errCorrupt;
    default: return static_cast<short>(s);  // the codes agree with the core's
    }
}

CRect CLead::FitRect(CSize sizeSource, const CRect& rcFrame, BOOL bEnlarge)
{
    const int sw = sizeSource.cx, sh = sizeSource.cy;
    const int fw = rcFrame.Width(), fh = rcFrame.Height();
    CRect r;
    int h;
    if (fw > sw && !bEnlarge) {
        r.left = rcFrame.left + (fw - sw) / 2;
        r.right = r.left + sw;
        h = sh;
    } else {
        r.left = rcFrame.left;
        r.right = rcFrame.left + fw;
        h = sw ? ::MulDiv(sh, fw, sw) : 0;
    }
    if (fh > h) {
        r.top = rcFrame.top + (fh - h) / 2;
        r.bottom = r.top + h;
    } else {
        // The height limits: the width follows from the source's own width.
        const int w2 = sh ? ::MulDiv(sw, fh, sh) : 0;
        r.left = rcFrame.left + (fw - w2) / 2;
        r.right = r.left + w2;
        r.top = rcFrame.top;
        r.bottom = rcFrame.top + fh;
    }
    return r;
}

CLead::CLead()
    : m_nWMFResolution(0),
      m_userPalette(256, 0),
      m_bForePalette(FALSE),
      m_nPaintPalette(0),
      m_nPaintDither(0),
      m_nPaintSizeMode(paintNormal),
      m_bAutoRepaint(TRUE),
      m_bAutoSetRects(TRUE),
      m_bAutoSize(FALSE),
      m_bBackErase(TRUE),
      m_crBackColor(RGB(255, 255, 255)),
      m_hBitmap(nullptr)
{
}

CLead::~CLead()
{
    if (m_hWnd)
        DestroyWindow();
    FreeBitmaps();
}

BOOL CLead::Create(LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                   UINT nID)
{
    LPCSTR pszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(nullptr, IDC_ARROW));
    return CWnd::Create(pszClass, lpszWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID);
}

// ---- Files -------------------------------------------------------------

short CLead::ReadFile(LPCSTR pszFileName, long nPage, bool bPixels, FileInfo& info, Image& image)
{
    CLeadFileReader::Info fi;
    const short nResult = CLeadFileReader::Read(pszFileName, nPage > 0 ? nPage - 1 : 0,
                                                m_nWMFResolution, bPixels, fi, image);
    if (nResult != errNone)
        return nResult;
    info.nFormat = fi.nFormat;
    info.fWidth = float(fi.nWidth);
    info.fHeight = float(fi.nHeight);
    info.nXRes = fi.nXRes;
    info.nYRes = fi.nYRes;
    info.nBits = fi.nBits;
    return errNone;
}

short CLead::Load(LPCSTR pszFileName, short nBits, long nPage, long nPages)
{
    if (nBits != 0 && !Image::IsValidDepth(nBits))
        return errInvalidParameter;
    if (nPages < 0 || nPage < 0)
        return errInvalidParameter;
    FileInfo info;
    Image image;
    short nResult = ReadFile(pszFileName, nPage, true, info, image);
    if (nResult != errNone)
        return nResult;
    if (nBits != 0 && nBits != image.BitsPerPixel()) {
        Image converted;
        Status s = image.ConvertTo(nBits, converted);
        if (s == qrv::img::kOk)
            image = std::move(converted);
        else if (s == qrv::img::kUnsupported)
            s = qrv::img::ColorReducer::ColorRes(image, nBits, qrv::img::kPaletteFixed,
                                                 qrv::img::kDitherFloydSteinberg, 0);
        if (s != qrv::img::kOk)
            return FromStatus(s);
    }
    m_info = info;
    ReplaceImage(image);
    return errNone;
}

short CLead::GetFileInfo(LPCSTR pszFileName, long nPage, long /*nFlags*/)
{
    FileInfo info;
    Image unused;
    const short nResult = ReadFile(pszFileName, nPage, false, info, unused);
    if (nResult == errNone)
        m_info = info;
    return nResult;
}

short CLead::Save(LPCSTR pszFileName, short nFormat, short nBits, short /*nQuality*/,
                  short /*nFlags*/)
{
    if (nFormat != fmtBmp)
        return errInvalidFormat;
    if (!pszFileName || !*pszFileName)
        return errInvalidParameter;
    if (m_image.Empty())
        return errNoImage;
    if (nBits < 0 || nBits > 32)
        return errInvalidParameter;
    // BMP has no 2, 3 or 16-bit indexed depths worth writing: the next wider.
    int bits = nBits ? nBits : m_image.BitsPerPixel();
    bits = bits <= 1 ? 1 : bits <= 4 ? 4 : bits <= 8 ? 8 : 24;
    try {
        const Image* pOut = &m_image;
        Image converted;
        if (bits != m_image.BitsPerPixel()) {
            Status s = m_image.ConvertTo(bits, converted);
            if (s == qrv::img::kUnsupported) {
                // Fewer colours than held: reduce a copy to the fixed palette.
                converted = m_image;
                s = qrv::img::ColorReducer::ColorRes(converted, bits, qrv::img::kPaletteFixed,
                                                     qrv::img::kDitherFloydSteinberg, 0);
            }
            if (s != qrv::img::kOk)
                return FromStatus(s);
            pOut = &converted;
        }
        return FromStatus(qrv::img::BmpFile::Save(pszFileName, *pOut), errFileWrite);
    } catch (const std::bad_alloc&) {
        return errNoMemory;
    }
}

short CLead::GetInfoFormat() { return m_info.nFormat; }
float CLead::GetInfoWidth() { return m_info.fWidth; }
float CLead::GetInfoHeight() { return m_info.fHeight; }
long CLead::GetInfoXRes() { return m_info.nXRes; }
long CLead::GetInfoYRes() { return m_info.nYRes; }
short CLead::GetInfoBits() { return m_info.nBits; }
long CLead::GetWMFResolution() { return m_nWMFResolution; }
void CLead::SetWMFResolution(long nDpi) { m_nWMFResolution = nDpi > 0 ? nDpi : 0; }

// ---- The image held ----------------------------------------------------

float CLead::GetSrcWidth() { return float(m_image.Width()); }
float CLead::GetSrcHeight() { return float(m_image.Height()); }
short CLead::GetBitmapBits() { return short(m_image.BitsPerPixel()); }

long CLead::GetColorCount()
{
    const int64_t n = m_image.ColorCount();
    return n < 0 ? 0 : long(n);
}

HBITMAP CLead::GetBitmap()
{
    if (!m_hBitmap && !m_image.Empty())
        m_hBitmap = BuildDisplayBitmap();
    return m_hBitmap;
}

void CLead::SetBitmap(HBITMAP hBitmap)
{
    if (!hBitmap) {
        Image empty;
        ReplaceImage(empty);
        return;
    }
    if (hBitmap == m_hBitmap)
        return;
    Image image;
    try {
        if (!CopyBitmap(hBitmap, image))
            return;
    } catch (const std::bad_alloc&) {
        return;
    }
    ReplaceImage(image);
}

namespace {

// The header and colour table GDI takes the image's pixels with: top-down
// rows, the image's own order and padding.
std::vector<uint8_t> DisplayHeader(const Image& image)
{
    std::vector<uint8_t> buf(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD));
    BITMAPINFO* pbmi = reinterpret_cast<BITMAPINFO*>(buf.data());
    pbmi->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    pbmi->bmiHeader.biWidth = image.Width();
    pbmi->bmiHeader.biHeight = -image.Height();
    pbmi->bmiHeader.biPlanes = 1;
    pbmi->bmiHeader.biBitCount = WORD(image.BitsPerPixel());
    pbmi->bmiHeader.biCompression = BI_RGB;
    const std::vector<qrv::img::Bgra>& pal = image.Palette();
    pbmi->bmiHeader.biClrUsed = DWORD(pal.size());
    for (size_t i = 0; i < pal.size() && i < 256; ++i)
        pbmi->bmiColors[i] = {pal[i].b, pal[i].g, pal[i].r, 0};
    return buf;
}

}  // namespace

namespace {

// The display bitmaps the controls of this process hand out: top-down DIB
// sections of their image's format. GetObject does not tell a section's row
// order, so only these are known to be top-down.
std::mutex g_sectionsLock;
std::set<HBITMAP> g_ownSections;

void RememberSection(HBITMAP hbm, bool bKeep)
{
    std::lock_guard<std::mutex> lock(g_sectionsLock);
    if (bKeep)
        g_ownSections.insert(hbm);
    else
        g_ownSections.erase(hbm);
}

// A true-colour display bitmap of another control is copied straight from
// its bits, whose rows are the image's own: GetDIBits would convert each
// pixel on its way. Anything else is left to GetDIBits.
BOOL CopyOwnTrueColourSection(HBITMAP hBitmap, Image& image)
{
    if (image.BitsPerPixel() < 24)
        return FALSE;
    {
        std::lock_guard<std::mutex> lock(g_sectionsLock);
        if (!g_ownSections.count(hBitmap))
            return FALSE;
    }
    DIBSECTION ds = {};
    if (::GetObjectA(hBitmap, sizeof(ds), &ds) != sizeof(ds) || !ds.dsBm.bmBits ||
        ds.dsBm.bmBitsPixel != image.BitsPerPixel() || size_t(ds.dsBm.bmWidthBytes) != image.Stride())
        return FALSE;
    ::GdiFlush();   // drawing into the section may still be queued
    std::memcpy(image.Data(), ds.dsBm.bmBits, image.Stride() * size_t(image.Height()));
    return TRUE;
}

}  // namespace

BOOL CLead::CopyBitmap(HBITMAP hBitmap, Image& image)
{
    BITMAP bm = {};
    if (!::GetObjectA(hBitmap, sizeof(bm), &bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0)
        return FALSE;
    // Indexed bitmaps keep their depth and colour table, 16-bit ones are
    // widened to 24 bits. GetDIBits writes top-down rows padded to four
    // bytes, the image's own layout, so it fills the image directly (a plain
    // copy for a DIB section of the same format, as our controls hand out).
    const int bits = bm.bmBitsPixel == 1 || bm.bmBitsPixel == 4 || bm.bmBitsPixel == 8
                         ? bm.bmBitsPixel
                         : bm.bmBitsPixel == 32 ? 32 : 24;
    if (image.Create(bm.bmWidth, bm.bmHeight, bits) != qrv::img::kOk)
        return FALSE;
    if (CopyOwnTrueColourSection(hBitmap, image))
        return TRUE;
    std::vector<uint8_t> buf = DisplayHeader(image);
    BITMAPINFO* pbmi = reinterpret_cast<BITMAPINFO*>(buf.data());
    HDC hdc = ::GetDC(nullptr);
    const int nLines = ::GetDIBits(hdc, hBitmap, 0, UINT(bm.bmHeight), image.Data(), pbmi,
                                   DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, hdc);
    if (nLines != bm.bmHeight)
        return FALSE;
    if (bits <= 8) {
        // A DIB section's own table length, where it has one.
        size_t n = size_t(1) << bits;
        DIBSECTION ds = {};
        if (::GetObjectA(hBitmap, sizeof(ds), &ds) == sizeof(ds) && ds.dsBmih.biClrUsed > 0 &&
            ds.dsBmih.biClrUsed < n)
            n = ds.dsBmih.biClrUsed;
        image.Palette().resize(n);
        for (size_t i = 0; i < n; ++i) {
            const RGBQUAD& c = pbmi->bmiColors[i];
            image.Palette()[i] = {c.rgbBlue, c.rgbGreen, c.rgbRed, 0};
        }
        return image.IndexesInPalette();
    }
    return TRUE;
}

HGLOBAL CLead::GetDIB()
{
    return CreateDIB(m_image);
}

HGLOBAL CLead::CreateDIB(const Image& image)
{
    if (image.Empty())
        return nullptr;
    std::vector<uint8_t> dib;
    if (WriteDib(image, dib) != errNone)
        return nullptr;
    HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE, dib.size());
    if (!h)
        return nullptr;
    void* p = ::GlobalLock(h);
    if (!p) {
        ::GlobalFree(h);
        return nullptr;
    }
    std::memcpy(p, dib.data(), dib.size());
    ::GlobalUnlock(h);
    return h;
}

short CLead::SetDIB(HGLOBAL hDib)
{
    if (!hDib)
        return errInvalidDib;
    const SIZE_T nSize = ::GlobalSize(hDib);
    const uint8_t* p = static_cast<const uint8_t*>(::GlobalLock(hDib));
    if (!p || nSize == 0) {
        if (p)
            ::GlobalUnlock(hDib);
        return errInvalidDib;
    }
    Image image;
    Status s;
    try {
        s = qrv::img::DibReader::Read(p, nSize, image);
    } catch (const std::bad_alloc&) {
        s = qrv::img::kOutOfMemory;
    }
    ::GlobalUnlock(hDib);
    if (s != qrv::img::kOk)
        return s == qrv::img::kOutOfMemory || s == qrv::img::kTooLarge ? FromStatus(s)
                                                                        : short(errInvalidDib);
    ReplaceImage(image);
    return errNone;
}

// ---- Processing --------------------------------------------------------

namespace {

// Runs a core operation on the image; failures leave it as it was (the core
// checks its arguments before it touches a pixel).
template <class Op>
short RunOn(Image& image, Op op)
{
    if (image.Empty())
        return CLead::errNoImage;
    try {
        return CLead::FromStatus(op(image));
    } catch (const std::bad_alloc&) {
        return CLead::errNoMemory;
    }
}

}  // namespace

#define QRV_LEAD_OP(call, sizeMayChange)                                          \
    do {                                                                          \
        const short nResult = RunOn(m_image, [&](Image& img) { return call; });   \
        if (nResult == errNone)                                                   \
            ImageChanged(sizeMayChange);                                          \
        return nResult;                                                           \
    } while (0)

short CLead::Median(short nSize) { QRV_LEAD_OP(qrv::img::Effects::Median(img, nSize), FALSE); }
short CLead::Average(short nSize) { QRV_LEAD_OP(qrv::img::Effects::Average(img, nSize), FALSE); }
short CLead::Sharpen(short nStrength) { QRV_LEAD_OP(qrv::img::Effects::Sharpen(img, nStrength), FALSE); }
short CLead::Intensity(short nChange) { QRV_LEAD_OP(qrv::img::Effects::Intensity(img, nChange), FALSE); }
short CLead::Contrast(short nChange) { QRV_LEAD_OP(qrv::img::Effects::Contrast(img, nChange), FALSE); }
short CLead::Invert() { QRV_LEAD_OP(qrv::img::Effects::Invert(img), FALSE); }
short CLead::Flip() { QRV_LEAD_OP(qrv::img::Effects::Flip(img), FALSE); }
short CLead::Reverse() { QRV_LEAD_OP(qrv::img::Effects::Reverse(img), FALSE); }

short CLead::Size(float fWidth, float fHeight, short nFlags)
{
    if (!(fWidth >= 1.f && fHeight >= 1.f && fWidth <= float(Image::kMaxDimension) &&
          fHeight <= float(Image::kMaxDimension)))
        return m_image.Empty() ? short(errNoImage) : short(errInvalidParameter);
    const int w = int(fWidth), h = int(fHeight);
    QRV_LEAD_OP(qrv::img::Resampler::Size(img, w, h, nFlags), TRUE);
}

short CLead::ColorRes(short nBits, short nPaletteFlags, short nDither, short nColors)
{
    if (m_image.Empty())
        return errNoImage;
    // The reducer reads the image and writes the result apart from it: a
    // failure leaves the image as it was.
    Image result;
    const short nResult = FromStatus(
        qrv::img::ColorReducer::ColorRes(m_image, nBits, nPaletteFlags, nDither, nColors, m_userPalette, result));
    if (nResult == errNone)
        ReplaceImage(result);
    return nResult;
}

#undef QRV_LEAD_OP

void CLead::SetUserPalette(short nIndex, unsigned long crColor)
{
    if (nIndex >= 0 && nIndex < 256)
        m_userPalette[size_t(nIndex)] = uint32_t(crColor & 0xFFFFFF);
}

unsigned long CLead::GetUserPalette(short nIndex)
{
    return nIndex >= 0 && nIndex < 256 ? m_userPalette[size_t(nIndex)] : 0;
}

void CLead::SetForePalette(BOOL bFore) { m_bForePalette = bFore; }
BOOL CLead::GetForePalette() { return m_bForePalette; }

// ---- Display -----------------------------------------------------------

void CLead::SetPaintPalette(short nMode) { m_nPaintPalette = nMode; }
short CLead::GetPaintPalette() { return m_nPaintPalette; }
void CLead::SetPaintDither(short nMode) { m_nPaintDither = nMode; }
short CLead::GetPaintDither() { return m_nPaintDither; }

void CLead::SetPaintSizeMode(short nMode)
{
    if (nMode < paintNormal || nMode > paintFitAlways || nMode == m_nPaintSizeMode)
        return;
    m_nPaintSizeMode = nMode;
    if (m_bAutoRepaint && m_hWnd)
        Invalidate(FALSE);
}

short CLead::GetPaintSizeMode() { return m_nPaintSizeMode; }
void CLead::SetAutoRepaint(BOOL bAuto) { m_bAutoRepaint = bAuto; }
BOOL CLead::GetAutoRepaint() { return m_bAutoRepaint; }
void CLead::SetAutoSetRects(BOOL bAuto) { m_bAutoSetRects = bAuto; }
BOOL CLead::GetAutoSetRects() { return m_bAutoSetRects; }
void CLead::SetAutoSize(BOOL bAuto)
{
    m_bAutoSize = bAuto;
    if (!bAuto)
        m_bSizeOwed = FALSE;
}
BOOL CLead::GetAutoSize() { return m_bAutoSize; }
void CLead::SetBackErase(BOOL bErase) { m_bBackErase = bErase; }
BOOL CLead::GetBackErase() { return m_bBackErase; }

void CLead::SetBackColor(COLORREF crColor)
{
    m_crBackColor = crColor & 0xFFFFFF;
    if (m_bAutoRepaint && m_hWnd)
        Invalidate(FALSE);
}

COLORREF CLead::GetBackColor() { return m_crBackColor; }

short CLead::ForceRepaint()
{
    if (!m_hWnd)
        return errNoWindow;
    FollowImageSize();
    // Painted here and now rather than through an invalidation and its
    // WM_PAINT: under Wine that round trip costs as much as the painting.
    {
        CClientDC dc(this);
        OnEraseBkgnd(&dc);
        PaintClient(&dc);
    }
    ValidateRect(nullptr);
    return errNone;
}

// ---- Internals ---------------------------------------------------------

void CLead::ReplaceImage(Image& image)
{
    const bool bSizeChanged =
        image.Width() != m_image.Width() || image.Height() != m_image.Height();
    std::swap(m_image, image);
    ImageChanged(bSizeChanged);
}

void CLead::ImageChanged(BOOL bSizeMayChange)
{
    // Versions are unique in the process, so that no two images, even of two
    // controls made one after the other at the same address, share one.
    static LONG s_nLastVersion = 0;
    m_dwImageVersion = static_cast<DWORD>(::InterlockedIncrement(&s_nLastVersion));
    FreeBitmaps();
    if (m_bAutoSetRects)
        m_rcDisplay = CRect(0, 0, m_image.Width(), m_image.Height());
    if (!m_hWnd)
        return;
    if (bSizeMayChange && m_bAutoSize) {
        m_bSizeOwed = TRUE;
        if (m_bAutoRepaint)
            FollowImageSize();
    }
    if (m_bAutoRepaint)
        Invalidate(FALSE);
}

void CLead::FollowImageSize()
{
    if (!m_bSizeOwed || !m_hWnd)
        return;
    m_bSizeOwed = FALSE;
    if (m_image.Empty())
        return;
    CRect rc;
    GetWindowRect(&rc);
    if (rc.Width() == m_image.Width() && rc.Height() == m_image.Height())
        return;
    // The parent's uncovered part is erased with its next paint, not right
    // here: under Wine that erase made each resize twice as dear.
    SetWindowPos(nullptr, 0, 0, m_image.Width(), m_image.Height(),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_DEFERERASE);
}

void CLead::OnWindowPosChanging(WINDOWPOS* pPos)
{
    CWnd::OnWindowPosChanging(pPos);
    // Whoever sizes the window after the image changed has the last word
    // (the control's own sizing has paid what it owed by then).
    if (!(pPos->flags & SWP_NOSIZE))
        m_bSizeOwed = FALSE;
}

void CLead::FreeBitmaps()
{
    if (m_hBitmap) {
        RememberSection(m_hBitmap, false);
        ::DeleteObject(m_hBitmap);
    }
    m_hBitmap = nullptr;
}


HBITMAP CLead::BuildDisplayBitmap() const
{
    std::vector<uint8_t> header = DisplayHeader(m_image);
    void* pBits = nullptr;
    HBITMAP hbm = ::CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(header.data()), DIB_RGB_COLORS,
                                     &pBits, nullptr, 0);
    if (!hbm || !pBits) {
        if (hbm)
            ::DeleteObject(hbm);
        return nullptr;
    }
    std::memcpy(pBits, m_image.Data(), m_image.Stride() * size_t(m_image.Height()));
    RememberSection(hbm, true);
    return hbm;
}

CRect CLead::GetPaintRect() const
{
    CRect rcClient;
    GetClientRect(&rcClient);
    const int w = m_image.Width(), h = m_image.Height();
    switch (m_nPaintSizeMode) {
    case paintStretch:
        return rcClient;
    case paintFit:
    case paintFitAlways:
        return FitRect(CSize(w, h), rcClient, m_nPaintSizeMode == paintFit);
    default:
        return m_rcDisplay;
    }
}

BOOL CLead::OnEraseBkgnd(CDC* pDC)
{
    if (m_bBackErase) {
        CRect rc;
        GetClientRect(&rc);
        pDC->FillSolidRect(&rc, m_crBackColor);
    }
    return TRUE;
}

void CLead::OnPaint()
{
    FollowImageSize();
    CPaintDC dc(this);
    PaintClient(&dc);
}

void CLead::PaintClient(CDC* pDC)
{
    CRect rcClient;
    GetClientRect(&rcClient);
    if (m_image.Empty()) {
        pDC->FillSolidRect(&rcClient, m_crBackColor);
        return;
    }
    const CRect rcImage = GetPaintRect();
    PaintImage(pDC, rcImage);
    // Everything around the image in the background colour, without
    // painting over the image (no flicker).
    const CRect bands[4] = {
        CRect(rcClient.left, rcClient.top, rcClient.right, rcImage.top),
        CRect(rcClient.left, rcImage.bottom, rcClient.right, rcClient.bottom),
        CRect(rcClient.left, rcImage.top, rcImage.left, rcImage.bottom),
        CRect(rcImage.right, rcImage.top, rcClient.right, rcImage.bottom),
    };
    for (const CRect& band : bands)
        if (band.right > band.left && band.bottom > band.top)
            pDC->FillSolidRect(&band, m_crBackColor);
}

void CLead::PaintImage(CDC* pDC, const CRect& rcImage)
{
    HDC hdc = pDC->GetSafeHdc();
    // On palette-based displays the image's own palette (or, with the user
    // palette in front, that one) is realised; otherwise GDI maps colours.
    HPALETTE hPal = nullptr, hOldPal = nullptr;
    if (::GetDeviceCaps(hdc, RASTERCAPS) & RC_PALETTE) {
        std::vector<uint8_t> buf(sizeof(LOGPALETTE) + 256 * sizeof(PALETTEENTRY));
        LOGPALETTE* lp = reinterpret_cast<LOGPALETTE*>(buf.data());
        lp->palVersion = 0x300;
        if (m_bForePalette) {
            lp->palNumEntries = 256;
            for (int i = 0; i < 256; ++i) {
                const uint32_t c = m_userPalette[size_t(i)];
                lp->palPalEntry[i] = {BYTE(c), BYTE(c >> 8), BYTE(c >> 16), 0};
            }
        } else if (m_nPaintPalette == 0 && m_image.IsIndexed()) {
            lp->palNumEntries = WORD(m_image.Palette().size());
            for (size_t i = 0; i < m_image.Palette().size(); ++i) {
                const qrv::img::Bgra& c = m_image.Palette()[i];
                lp->palPalEntry[i] = {c.r, c.g, c.b, 0};
            }
        }
        hPal = lp->palNumEntries ? ::CreatePalette(lp) : ::CreateHalftonePalette(hdc);
        if (hPal) {
            hOldPal = ::SelectPalette(hdc, hPal, FALSE);
            ::RealizePalette(hdc);
        }
    }
    // Straight from the image's rows: the display bitmap is built only for
    // those who ask for it (GetBitmap), not for every repaint of a preview.
    const std::vector<uint8_t> header = DisplayHeader(m_image);
    const int w = m_image.Width(), h = m_image.Height();
    if (rcImage.Width() != w || rcImage.Height() != h) {
        // Error diffusion asked for: GDI's halftoning is the closest it has.
        ::SetStretchBltMode(hdc, m_nPaintDither ? HALFTONE : COLORONCOLOR);
        ::SetBrushOrgEx(hdc, 0, 0, nullptr);
    }
    ::StretchDIBits(hdc, rcImage.left, rcImage.top, rcImage.Width(), rcImage.Height(), 0, 0, w, h,
                    m_image.Data(), reinterpret_cast<const BITMAPINFO*>(header.data()), DIB_RGB_COLORS,
                    SRCCOPY);
    if (hPal) {
        ::SelectPalette(hdc, hOldPal, FALSE);
        ::DeleteObject(hPal);
    }
}

void CLead::OnDestroy()
{
    FreeBitmaps();
    CWnd::OnDestroy();
}
