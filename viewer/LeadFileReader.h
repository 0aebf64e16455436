// CLeadFileReader: the imaging control's file decoding. BMP files go through
// the imaging core's own DIB reader (exact error reports, RLE, every header
// kind); PNG, JPEG, GIF and TIFF through the Windows Imaging Component; WMF
// (placeable) and EMF files are played by GDI into a bitmap at a resolution
// the caller gives. Sizes are checked against the core's limits before any
// pixel is allocated or decoded.
#pragma once
#include <afxwin.h>

#include <vector>

#include "imaging/Image.h"

class CLeadFileReader
{
public:
    struct Info {
        short nFormat = 0;   // CLead::Format
        int nWidth = 0;
        int nHeight = 0;
        long nXRes = 0;      // dots per inch
        long nYRes = 0;
        short nBits = 0;     // bits per pixel as stored
    };

    // Reads the file's header into `info` and, with bPixels, its image into
    // `image` (untouched on failure). nPage counts from 0; nMetaDpi is the
    // resolution metafiles are rasterised at (0: CLead's default). Answers 0
    // or a CLead error code.
    static short Read(LPCSTR pszFileName, long nPage, long nMetaDpi, bool bPixels, Info& info,
                      qrv::img::Image& image);

private:
    static short ReadBmp(const std::vector<uint8_t>& data, bool bPixels, Info& info,
                         qrv::img::Image& image);
    static short ReadWic(const std::vector<uint8_t>& data, long nPage, bool bPixels, Info& info,
                         qrv::img::Image& image);
    static short ReadWmf(const std::vector<uint8_t>& data, long nDpi, bool bPixels, Info& info,
                         qrv::img::Image& image);
    static short ReadEmf(const std::vector<uint8_t>& data, long nDpi, bool bPixels, Info& info,
                         qrv::img::Image& image);
    static short CheckSize(int nWidth, int nHeight);
    // The Info of a metafile rasterised to w x h pixels (at least 1 x 1).
    static short MetafileInfo(short nFormat, int64_t w, int64_t h, long nDpi, Info& fi);
    // The sizes the file's headers declare, checked against the limits before
    // WIC sees the file: some of its decoders allocate the declared size at
    // once (and overflow doing it). Answers 0 when nothing is declared too big.
    static short CheckDeclaredSizes(const std::vector<uint8_t>& data);
    static short CheckGifSizes(const std::vector<uint8_t>& data);
};
