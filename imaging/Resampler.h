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
    // path: the code of the filtered passes (both give the same pixels); the
    //       fastest one shares the rows of a large image with a second
    //       thread, the portable one works on the calling thread alone.
    static Status Size(Image& image, int width, int height, int flags,
                       CodePath path = CodePath::kFastest);
    // The same from src into dst (which may be src); src stays as it is. A
    // dst other than src is made in its own memory, and left empty when
    // memory runs out.
    static Status Size(const Image& src, int width, int height, int flags, Image& dst,
                       CodePath path = CodePath::kFastest);

private:
    static Status Nearest(const Image& src, int width, int height, Image& out);
    static Status Filtered(const Image& src, int width, int height, CodePath path, Image& out);
};

}  // namespace qrv::img
