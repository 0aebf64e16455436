// The utility library's DIB depth conversion: 16-bit pixels, with bit-field
// masks or the 5-5-5 default, become 24-bit blue, green, red pixels.
#include "PlxUtil.h"
#include <string.h>

namespace
{
// Scales a masked channel to 8 bits; a mask of n bits spans 0..2^n-1.
BYTE Channel(WORD wPixel, DWORD dwMask)
{
    if (!dwMask)
        return 0;
    int nShift = 0;
    while (!((dwMask >> nShift) & 1))
        nShift++;
    DWORD dwMax = dwMask >> nShift;
    DWORD dwValue = ((DWORD)wPixel & dwMask) >> nShift;
    return (BYTE)((dwValue * 255 + dwMax / 2) / dwMax);
}

bool IsContiguous(DWORD dwMask)
{
    if (!dwMask)
        return true;
    while (!(dwMask & 1))
        dwMask >>= 1;
    return (dwMask & (dwMask + 1)) == 0;
}
} // namespace

HGLOBAL CPlxUtil::ConvertDib(HGLOBAL hDib, int nBits, int /*nFlags*/)
{
    if (!hDib || nBits != 24)
        return nullptr;
    SIZE_T nSize = ::GlobalSize(hDib);
    const BYTE* pSrc = static_cast<const BYTE*>(::GlobalLock(hDib));
    if (!pSrc)
        return nullptr;
    HGLOBAL hResult = nullptr;
    BITMAPINFOHEADER bih;
    if (nSize >= sizeof(bih))
        memcpy(&bih, pSrc, sizeof(bih));
    bool bValid = nSize >= sizeof(bih) && bih.biSize >= sizeof(bih) && bih.biSize <= nSize && bih.biBitCount == 16
                  && (bih.biCompression == BI_RGB || bih.biCompression == BI_BITFIELDS) && bih.biWidth > 0
                  && bih.biHeight != 0 && bih.biWidth <= 0x8000 && bih.biHeight <= 0x8000 && bih.biHeight >= -0x8000;
    DWORD masks[3] = { 0x7C00, 0x03E0, 0x001F };
    SIZE_T nPixels = bih.biSize;
    if (bValid && bih.biCompression == BI_BITFIELDS)
    {
        // The masks follow a 40-byte header and are part of the longer ones.
        SIZE_T nMaskAt = bih.biSize == sizeof(bih) ? bih.biSize : sizeof(bih);
        bValid = nMaskAt + sizeof(masks) <= nSize;
        if (bValid)
            memcpy(masks, pSrc + nMaskAt, sizeof(masks));
        if (bih.biSize == sizeof(bih))
            nPixels += sizeof(masks);
        bValid = bValid && IsContiguous(masks[0]) && IsContiguous(masks[1]) && IsContiguous(masks[2]);
    }
    if (bValid)
        nPixels += (SIZE_T)bih.biClrUsed * sizeof(RGBQUAD);
    int nWidth = bih.biWidth;
    int nHeight = bih.biHeight < 0 ? -bih.biHeight : bih.biHeight;
    SIZE_T nSrcStride = ((SIZE_T)nWidth * 16 + 31) / 32 * 4;
    SIZE_T nDstStride = ((SIZE_T)nWidth * 24 + 31) / 32 * 4;
    if (bValid && nPixels + nSrcStride * nHeight <= nSize)
    {
        hResult = ::GlobalAlloc(GMEM_MOVEABLE, sizeof(bih) + nDstStride * nHeight);
        BYTE* pDst = hResult ? static_cast<BYTE*>(::GlobalLock(hResult)) : nullptr;
        if (pDst)
        {
            BITMAPINFOHEADER out = bih;
            out.biSize = sizeof(out);
            out.biBitCount = 24;
            out.biCompression = BI_RGB;
            out.biSizeImage = (DWORD)(nDstStride * nHeight);
            out.biClrUsed = 0;
            out.biClrImportant = 0;
            memcpy(pDst, &out, sizeof(out));
            // Rows keep their order, so a top-down source stays top-down.
            for (int y = 0; y < nHeight; y++)
            {
                const BYTE* pRow = pSrc + nPixels + nSrcStride * y;
                BYTE* pOut = pDst + sizeof(out) + nDstStride * y;
                memset(pOut, 0, nDstStride);
                for (int x = 0; x < nWidth; x++)
                {
                    WORD wPixel = (WORD)(pRow[2 * x] | (pRow[2 * x + 1] << 8));
                    pOut[3 * x] = Channel(wPixel, masks[2]);
                    pOut[3 * x + 1] = Channel(wPixel, masks[1]);
                    pOut[3 * x + 2] = Channel(wPixel, masks[0]);
                }
            }
            ::GlobalUnlock(hResult);
        }
        else if (hResult)
        {
            ::GlobalFree(hResult);
            hResult = nullptr;
        }
    }
    ::GlobalUnlock(hDib);
    return hResult;
}
