// Decoding of packed DIBs (header, optional masks, colour table, pixels in one
// block, as on the clipboard and in global memory handles) into an Image.
//
// Accepted: BITMAPCOREHEADER (OS/2), BITMAPINFOHEADER and its 52/56-byte
// extensions, BITMAPV4HEADER and BITMAPV5HEADER; BI_RGB at 1, 2, 4, 8, 16
// (5-5-5), 24 and 32 bits; BI_BITFIELDS (and BI_ALPHABITFIELDS) at 16 and 32
// bits; BI_RLE4 and BI_RLE8; bottom-up and top-down rows; colour tables of
// biClrUsed entries or, when it is 0, of 2^bits entries.
// 16-bit images become 24-bit images; 32-bit bit-field images become 32-bit
// blue, green, red, alpha images.
//
// Malformed input is rejected with a status and never read out of bounds: all
// sizes are computed in 64 bits and compared with the bytes present before
// anything is allocated, and the image size is capped (DibReadOptions).
#pragma once

#include <cstddef>
#include <cstdint>

#include "imaging/Image.h"

namespace qrv::img {

struct DibReadOptions {
    // Largest accepted width x height. Images beyond it fail with kTooLarge.
    int64_t maxPixels = Image::kMaxPixels;
};

// What the header said, for callers that report the stored format.
struct DibInfo {
    uint32_t headerSize = 0;
    int width = 0;
    int height = 0;
    bool topDown = false;
    int bitCount = 0;
    uint32_t compression = 0;
    uint32_t clrUsed = 0;
    uint32_t masks[4] = {0, 0, 0, 0};  // red, green, blue, alpha
};

class DibReader {
public:
    // Decodes a packed DIB of `size` bytes. The pixels follow the header, the
    // masks (BI_BITFIELDS with a 40-byte header) and the colour table.
    // `info`, when given, receives the header fields.
    static Status Read(const uint8_t* data, size_t size, Image& out,
                       const DibReadOptions& options = DibReadOptions(), DibInfo* info = nullptr);

    // As Read, but the pixels start `bitsOffset` bytes after the start of the
    // header (BMP files give this offset). A colour table that the offset
    // leaves no room for is shortened to the entries that fit.
    static Status ReadAt(const uint8_t* data, size_t size, size_t bitsOffset, Image& out,
                         const DibReadOptions& options = DibReadOptions(),
                         DibInfo* info = nullptr);

private:
    static Status Decode(const uint8_t* data, size_t size, bool hasOffset, size_t bitsOffset,
                         Image& out, const DibReadOptions& options, DibInfo* info);
};

}  // namespace qrv::img
