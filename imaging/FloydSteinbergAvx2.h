// Floyd-Steinberg error diffusion to a palette on eight lines at once, one
// line per lane of AVX2 vectors, for processors that have AVX2.
#pragma once

#include <cstddef>
#include <cstdint>

#include "imaging/Image.h"
#include "imaging/PaletteMapper.h"

namespace qrv::img {

class FloydSteinbergAvx2 {
public:
    // Does what FloydSteinbergDiffuser::Run does, with the same result bit for
    // bit, and returns true; returns false, having written nothing, when this
    // processor lacks AVX2 or the image is too large for 32-bit offsets.
    static bool Run(const Image& image, PaletteMapper& map, uint8_t* out, size_t stride);
};

}  // namespace qrv::img
