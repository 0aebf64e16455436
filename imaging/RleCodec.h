// Run-length compression of 4- and 8-bit DIBs (BI_RLE4, BI_RLE8).
//
// RLE bitmaps are always stored bottom row first. Decoding is strict: a run or
// a delta that leaves the bitmap, an absolute run that reads past the data, or
// data that ends before the end-of-bitmap mark (unless the last row was
// completed) is rejected rather than clipped, because such a stream cannot
// have come from a correct encoder.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "imaging/Image.h"

namespace qrv::img {

class RleCodec {
public:
    // Decodes `size` bytes of RLE data into `image`, which must already be
    // created with 4 (BI_RLE4) or 8 (BI_RLE8) bits per pixel. Pixels the stream
    // skips (delta and early end-of-line codes) keep index 0. Returns kOk,
    // kBadRle or kTruncated.
    static Status Decode(const uint8_t* data, size_t size, Image& image);

    // Appends the RLE encoding of a 4- or 8-bit image to `out`: encoded runs
    // for repeated pixels, absolute runs for the rest, an end-of-line after
    // every row and an end-of-bitmap after the last. Returns kInvalidParameter
    // for other depths.
    static Status Encode(const Image& image, std::vector<uint8_t>& out);

private:
    static void EncodeRow8(const uint8_t* px, int width, std::vector<uint8_t>& out);
    static void EncodeRow4(const uint8_t* px, int width, std::vector<uint8_t>& out);
};

}  // namespace qrv::img
