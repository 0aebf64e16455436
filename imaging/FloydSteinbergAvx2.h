// Floyd-Steinberg error diffusion to a palette on eight lines at once, one
// line per lane of AVX2 vectors, for processors that have AVX2 and palettes
// whose entries fit in registers. A larger palette would cost a second
// gather per step (the entry's colour after its index), and with it this
// code is slower than the portable one's five interleaved lines on
// processors whose gathers are slow (measured on AMD's).
#pragma once

#include <cstddef>
#include <cstdint>

#include "imaging/Image.h"
#include "imaging/PaletteMapper.h"

namespace qrv::img {

class FloydSteinbergAvx2 {
public:
    // The largest palette this code takes.
    static constexpr int kMostEntries = 16;

    // Does what FloydSteinbergDiffuser::Run does, with the same result bit for
    // bit, and returns true; returns false, having written nothing, when this
    // processor lacks AVX2, the palette has more than kMostEntries entries or
    // the image is too large for 32-bit offsets.
    static bool Run(const Image& image, PaletteMapper& map, uint8_t* out, size_t stride);
};

}  // namespace qrv::img
