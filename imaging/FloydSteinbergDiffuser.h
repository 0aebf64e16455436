// Floyd-Steinberg error diffusion to a palette, the colour reducer's most
// used kernel, on its own fast path.
#pragma once

#include <cstddef>
#include <cstdint>

#include "imaging/Cpu.h"
#include "imaging/Image.h"
#include "imaging/PaletteMapper.h"

namespace qrv::img {

class FloydSteinbergDiffuser {
public:
    // Maps the true-colour image (24 or 32 bits) to indexes into the
    // mapper's palette, rows of `stride` bytes at `out`. Each pixel's value is
    // p + round(s / 16) per channel, rounded half up, s the sum of 7 times the
    // error of the pixel to its left and 3, 5 and 1 times those of the pixels
    // above right, above and above left; its entry is the mapper's for that
    // value clamped to 0..255, its error the value clamped to -kErrorReach..
    // 255 + kErrorReach (ColorReducer::kErrorReach) minus the entry.
    // `out` may be the image's own rows: a pixel's bytes are read before the
    // index of that pixel or of any to its right is stored.
    // The fastest path runs eight lines at once in AVX2 vectors where the
    // processor has them.
    static void Run(const Image& image, PaletteMapper& map, uint8_t* out, size_t stride,
                    CodePath path = CodePath::kFastest);
};

}  // namespace qrv::img
