// Encoding of an Image as a packed DIB (header, masks, colour table, pixels
// in one block) in any of the layouts the reader accepts.
//
// The default writes what every consumer understands: a BITMAPINFOHEADER,
// BI_RGB, bottom-up rows, the colour table with biClrUsed set to its length.
// The options select the other layouts, mainly so that callers (and tests)
// can produce each variant the reader decodes.
#pragma once

#include <cstdint>
#include <vector>

#include "imaging/Image.h"

namespace qrv::img {

struct DibWriteOptions {
    // 12 (OS/2 core header), 40 (BITMAPINFOHEADER), 108 (V4) or 124 (V5).
    uint32_t headerSize = 40;
    // Stored bits per pixel; 0 keeps the image's depth. 16 is accepted for
    // true-colour images (5-5-5 with BI_RGB, 5-6-5 with BI_BITFIELDS); a
    // wider indexed depth than the image's is accepted for indexed images.
    int bitCount = 0;
    // 0 BI_RGB, 1 BI_RLE8 (8-bit), 2 BI_RLE4 (4-bit), 3 BI_BITFIELDS (16/32-bit).
    uint32_t compression = 0;
    // Rows stored top row first (negative height); not allowed with RLE or
    // the core header.
    bool topDown = false;
    // Write biClrUsed = 0 and a full table of 2^bits entries instead of the
    // palette's own length.
    bool fullColorTable = false;
};

class DibWriter {
public:
    // Appends nothing and returns an error for combinations the format does
    // not have (kInvalidParameter) or an empty image (kNoImage); otherwise
    // replaces `out` with the packed DIB.
    static Status Write(const Image& image, std::vector<uint8_t>& out,
                        const DibWriteOptions& options = DibWriteOptions());

    // Offset of the pixels from the start of a packed DIB as written above.
    static size_t PixelOffset(const std::vector<uint8_t>& dib);

private:
    static Status WritePixels(const Image& image, const DibWriteOptions& o, int bits,
                              std::vector<uint8_t>& out);
};

}  // namespace qrv::img
