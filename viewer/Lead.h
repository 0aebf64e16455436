// CLead: the imaging control. A child window that holds one image, loads it
// from files (WIC for BMP, PNG, JPEG, GIF and TIFF, our own reader for BMP,
// GDI for WMF and EMF), exchanges it as DIBs and bitmaps, processes it with
// the portable imaging core (imaging/) and paints it.
//
// The members are those of an ActiveX control's wrapper class: properties
// are Get/Set pairs, methods answer a short that is 0 on success and one of
// the error codes below otherwise. A failing method leaves the image held as
// it was. Every member is virtual so that tests can put a recording double in
// the control's place.
#pragma once
#include <afxwin.h>

#include <cstdint>
#include <vector>

#include "imaging/Image.h"

class AFX_EXT_CLASS CLead : public CWnd
{
    DECLARE_DYNCREATE(CLead)
public:
    // Error codes of the methods; 0 is success.
    enum Error : short {
        errNone = 0,
        errFailure = -1,            // an internal failure not covered below
        errNoImage = -2,            // the method needs an image and there is none
        errInvalidParameter = -3,   // an argument is outside its range
        errNoMemory = -4,           // an allocation failed
        errTooLarge = -5,           // the image would exceed the size limits
        errTruncated = -6,          // the file or DIB ends before its data does
        errBadHeader = -7,          // a header field is inconsistent
        errUnsupported = -8,        // a valid format variant that is not handled
        errCorrupt = -9,            // the compressed data is damaged
        errBadPaletteIndex = -10,   // a pixel refers beyond the colour table
        errFileRead = -11,          // the file cannot be opened or read
        errFileNotFound = -12,      // the file does not exist
        errFileWrite = -13,         // the file cannot be written
        errUnknownFormat = -14,     // the file is of no format the control reads
        errInvalidDib = -15,        // a null, locked-out or malformed DIB handle
        errInvalidBitmap = -16,     // a bitmap handle that cannot be read
        errInvalidFormat = -17,     // a file format code Save does not write
        errNoWindow = -18,          // the method paints and there is no window
    };

    // File format codes of GetInfoFormat and Save. Save writes fmtBmp only.
    enum Format : short {
        fmtUnknown = 0,
        fmtTif = 1,
        fmtGif = 2,
        fmtJpeg = 3,
        fmtPng = 4,
        fmtBmp = 6,
        fmtWmf = 15,    // placeable Windows metafile, rasterised at WMFResolution
        fmtEmf = 116,   // enhanced metafile, rasterised at WMFResolution
    };

    // Palette flags of ColorRes.
    enum : short {
        crFixedPalette = 0x01,  // the control's own palette for the depth
        crBgrOrder = 0x04,      // 24-bit output as blue, green, red
        crUserPalette = 0x10,   // the user palette (SetUserPalette)
    };

    // Dither codes of ColorRes.
    enum : short {
        crDitherNone = 0,
        crDitherFloydSteinberg = 1,
        crDitherStucki = 2,
        crDitherBurkes = 3,
        crDitherSierra = 4,
        crDitherStevensonArce = 5,
        crDitherJarvis = 6,
        crDitherOrdered = 7,
    };

    // PaintSizeMode values.
    enum : short {
        paintNormal = 0,   // the image at its own size from the top left corner
        paintFit = 1,      // scaled to fit the client area, aspect kept, centred
        paintStretch = 2,  // stretched over the whole client area
        paintFitAlways = 3 // as paintFit, never larger than the image
    };

    // Size flags.
    enum : short {
        sizeNearest = 0,   // nearest neighbour, keeps indexed depths
        sizeResample = 2,  // filtered resampling to true colour
    };

    // Metafiles are rasterised at this resolution while WMFResolution is 0.
    enum { kDefaultMetafileDpi = 96 };

    // The class id under which the original control is registered.
    static const CLSID& GetClsid();
    // The control's result code of an imaging core status; nIoError stands
    // for a file that cannot be read or written.
    static short FromStatus(qrv::img::Status s, short nIoError = errFileRead);
    // A new movable global memory DIB of the image, owned by the caller;
    // null for an empty image or without memory.
    static HGLOBAL CreateDIB(const qrv::img::Image& image);
    // The largest rectangle of the source's aspect ratio centred in the
    // frame, never larger than the source unless bEnlarge. Halving truncates
    // toward zero; the scaled side rounds to nearest (MulDiv).
    static CRect FitRect(CSize sizeSource, const CRect& rcFrame, BOOL bEnlarge);

    CLead();
    ~CLead() override;

    // Creates the control's window as a child of pParentWnd.
    virtual BOOL Create(LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                        CWnd* pParentWnd, UINT nID);

    // Files. Pages count from 1 (0 is taken as the first page as well).
    // nBits 0 keeps the stored depth; 1, 4, 8, 24 or 32 convert to it.
    virtual short Load(LPCSTR pszFileName, short nBits, long nPage, long nPages);
    // Fills the Info... properties from the file's header without decoding
    // the pixels; nFlags is accepted and not needed.
    virtual short GetFileInfo(LPCSTR pszFileName, long nPage, long nFlags);
    // Writes the image held; nFormat fmtBmp, nBits 1, 4, 8 or 24 (2 and 3
    // are written as 4, 16 and 32 as 24, 0 as the image's own depth).
    virtual short Save(LPCSTR pszFileName, short nFormat, short nBits, short nQuality,
                       short nFlags);

    virtual short GetInfoFormat();
    virtual float GetInfoWidth();
    virtual float GetInfoHeight();
    virtual long GetInfoXRes();
    virtual long GetInfoYRes();
    virtual short GetInfoBits();
    virtual long GetWMFResolution();
    virtual void SetWMFResolution(long nDpi);

    // The image held.
    virtual float GetSrcWidth();
    virtual float GetSrcHeight();
    virtual short GetBitmapBits();
    virtual long GetColorCount();

    // Image exchange. GetBitmap answers a bitmap the control keeps (valid
    // until the image changes or the control is destroyed); SetBitmap copies
    // the image of any bitmap, and a null handle empties the control.
    virtual HBITMAP GetBitmap();
    virtual void SetBitmap(HBITMAP hBitmap);
    // A new movable global memory DIB of the image held, owned by the caller;
    // null without an image or memory.
    virtual HGLOBAL GetDIB();
    // Replaces the image held by a packed DIB's image; the handle stays the
    // caller's.
    virtual short SetDIB(HGLOBAL hDib);

    // Processing.
    virtual short Median(short nSize);
    virtual short Average(short nSize);
    virtual short Sharpen(short nStrength);
    virtual short Intensity(short nChange);
    virtual short Contrast(short nChange);
    virtual short Invert();
    virtual short Flip();
    virtual short Reverse();
    virtual short Size(float fWidth, float fHeight, short nFlags);
    virtual short ColorRes(short nBits, short nPaletteFlags, short nDither, short nColors);
    virtual void SetUserPalette(short nIndex, unsigned long crColor);
    virtual unsigned long GetUserPalette(short nIndex);
    virtual void SetForePalette(BOOL bFore);
    virtual BOOL GetForePalette();

    // Display.
    virtual void SetPaintPalette(short nMode);   // 0 the image's palette, 1 a fixed one
    virtual short GetPaintPalette();
    virtual void SetPaintDither(short nMode);    // 0 ordered, 1 error diffusion
    virtual short GetPaintDither();
    virtual void SetPaintSizeMode(short nMode);
    virtual short GetPaintSizeMode();
    virtual void SetAutoRepaint(BOOL bAuto);     // repaint after every change
    virtual BOOL GetAutoRepaint();
    virtual void SetAutoSetRects(BOOL bAuto);    // display rectangle follows the image
    virtual BOOL GetAutoSetRects();
    // The window follows the image's size: at once with automatic
    // repainting, else with the next repaint (ForceRepaint or WM_PAINT), so
    // that a chain of operations resizes it once, to its last image, if at
    // all. Sizing the window in between overrules the pending size.
    virtual void SetAutoSize(BOOL bAuto);
    virtual BOOL GetAutoSize();
    virtual void SetBackErase(BOOL bErase);      // erase the background first
    virtual BOOL GetBackErase();
    virtual void SetBackColor(COLORREF crColor);
    virtual COLORREF GetBackColor();
    virtual short ForceRepaint();

    // The image held, for code of this library that works on it directly.
    const qrv::img::Image& GetImage() const { return m_image; }
    // Changes with every change of the image (unique in the process), so that
    // what was made from the image can tell whether it is still current.
    DWORD GetImageVersion() const { return m_dwImageVersion; }
    // Takes the image over as the image held (image is left empty), as
    // after a successful operation; an empty image empties the control.
    void TakeImage(qrv::img::Image& image) { ReplaceImage(image); }

protected:
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnDestroy();
    afx_msg void OnWindowPosChanging(WINDOWPOS* pPos);
    DECLARE_MESSAGE_MAP()

    // Takes a new image after a successful operation, handing back the one
    // it replaces in `image`: display bitmaps are rebuilt lazily, the
    // rectangles and the window follow as configured.
    void ReplaceImage(qrv::img::Image& image);
    void ImageChanged(BOOL bSizeMayChange);
    // Gives the window the image's size if it is owed one.
    void FollowImageSize();
    // The rectangle of the client area the image is painted to.
    CRect GetPaintRect() const;
    // The image and the background around it.
    void PaintClient(CDC* pDC);
    void PaintImage(CDC* pDC, const CRect& rcImage);
    HBITMAP BuildDisplayBitmap() const;
    static BOOL CopyBitmap(HBITMAP hBitmap, qrv::img::Image& image);
    void FreeBitmaps();

private:
    struct FileInfo {
        short nFormat = 0;
        float fWidth = 0.f;
        float fHeight = 0.f;
        long nXRes = 0;
        long nYRes = 0;
        short nBits = 0;
    };
    short ReadFile(LPCSTR pszFileName, long nPage, bool bPixels, FileInfo& info,
                   qrv::img::Image& image);

    qrv::img::Image m_image;
    DWORD m_dwImageVersion = 0;
    FileInfo m_info;
    long m_nWMFResolution;

    std::vector<uint32_t> m_userPalette;  // 256 entries 0x00BBGGRR
    BOOL m_bForePalette;

    short m_nPaintPalette;
    short m_nPaintDither;
    short m_nPaintSizeMode;
    BOOL m_bAutoRepaint;
    BOOL m_bAutoSetRects;
    BOOL m_bAutoSize;
    BOOL m_bSizeOwed = FALSE;     // an automatic size waits for the repaint
    BOOL m_bBackErase;
    COLORREF m_crBackColor;
    CRect m_rcDisplay;   // where the image is painted in paintNormal mode

    HBITMAP m_hBitmap;   // handed out by GetBitmap and painted from
};
