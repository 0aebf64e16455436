#include "viewer/DibExtent.h"

namespace {

uint32_t Le32(const uint8_t* p) { return uint32_t(p[0] | p[1] << 8 | p[2] << 16) | uint32_t(p[3]) << 24; }
uint32_t BitCount(const uint8_t* bmi) { return uint32_t(bmi[14] | bmi[15] << 8); }

const uint32_t kBiRgb = 0, kBiBitfields = 3, kBiAlphaBitfields = 6;

}  // namespace

uint64_t DibTableBytes(const uint8_t* bmi)
{
    const uint64_t header = Le32(bmi), used = Le32(bmi + 32);
    const uint32_t bits = BitCount(bmi), compression = Le32(bmi + 16);
    const uint64_t entries = used ? used : bits <= 8 ? uint64_t(1) << bits : 0;
    uint64_t masks = 0;
    if (header == 40 && compression == kBiBitfields)
        masks = 12;
    else if (header == 40 && compression == kBiAlphaBitfields)
        masks = 16;
    return header + masks + entries * 4;
}

uint64_t DibPixelBytes(const uint8_t* bmi)
{
    const uint32_t compression = Le32(bmi + 16);
    if (compression != kBiRgb && compression != kBiBitfields && compression != kBiAlphaBitfields) {
        const uint32_t stated = Le32(bmi + 20);   // biSizeImage
        return stated ? stated : UINT64_MAX;
    }
    const int32_t width = int32_t(Le32(bmi + 4)), height = int32_t(Le32(bmi + 8));
    const uint64_t w = width < 0 ? 0 : uint64_t(width);
    const uint64_t h = height < 0 ? uint64_t(-int64_t(height)) : uint64_t(height);
    return (w * BitCount(bmi) + 31) / 32 * 4 * h;
}
