// Changing the size of an image.
#pragma once

#include "imaging/Cpu.h"
#include "imaging/Image.h"

namespace qrv::img {

class Resampler {
public:
    // Resizes the image to width x height (each 1..Image::kMaxDimension).
    // flags 0: nearest neighbour, keeps indexed depths; output pixel x takes
    //          source pixel floor((x + 0.5) * srcWidth / width), likewise y.
    // flags 2: resampled with a triangle (tent) filter whose support widens
    //          with the reduction factor, so that shrinking averages every
    //          source pixel and enlarging interpolates linearly; indexed
    //          images become 24-bit. Edges are replicated.
    // Other flags: kInvalidParameter.
    // path: the code of the filtered passes (both give the same pixels).
    static Status Size(Image& image, int width, int height, int flags,
                       CodePath path = CodePath::kFastest);

private:
    static Status Nearest(Image& image, int width, int height);
    static Status Filtered(Image& image, int width, int height, CodePath path);
};

}  // namespace qrv::img
