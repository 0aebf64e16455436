// In-place image operations with the strengths the panel preview passes.
//
// Point operations (Invert, Intensity, Contrast) on an indexed image change
// its palette and keep its depth. Neighbourhood filters (Median, Average,
// Sharpen) mix colours and turn an indexed image into a 24-bit one first.
// Neighbourhoods replicate the edge pixels. The fourth byte of 32-bit pixels
// is filtered like a colour channel. All return kNoImage for an empty image
// and kInvalidParameter for an argument outside its range.
#pragma once

#include "imaging/Image.h"

namespace qrv::img {

class Effects {
public:
    // Median of every channel over the n x n neighbourhood, n in 1..64; the
    // neighbourhood of (x, y) spans x - (n-1)/2 ... x + n/2 (likewise in y),
    // and the result is the (n*n/2)-th smallest value counted from 0 (for
    // even n the upper of the two middle values). n = 1 changes nothing.
    static Status Median(Image& image, int n);

    // Mean over the same n x n neighbourhood, n in 1..64, rounded to nearest.
    static Status Average(Image& image, int n);

    // Unsharp masking against the 3 x 3 mean M, s in -1000..1000:
    // s > 0: v + (v - M) * s / 500 (1000 adds twice the detail);
    // s < 0: v + (v - M) * s / 1000 (-1000 gives the 3 x 3 mean itself).
    static Status Sharpen(Image& image, int s);

    // Brightness, d in -1000..1000: v + d * 255 / 1000 (1000 gives white,
    // -1000 black), clamped.
    static Status Intensity(Image& image, int d);

    // Contrast around the middle grey 127.5, d in -1000..1000: the distance
    // from the middle is scaled by (1000 + d) / 1000 for d <= 0 (-1000 gives a
    // flat grey) and by 1000 / (1000 - d) for d > 0 (1000 thresholds).
    static Status Contrast(Image& image, int d);

    // v -> 255 - v on every colour channel (the palette of indexed images).
    static Status Invert(Image& image);

    // Top and bottom rows exchanged.
    static Status Flip(Image& image);

    // Left and right exchanged (mirror).
    static Status Reverse(Image& image);

    // The tables of Intensity(d) and Contrast(d): channel value v becomes
    // table[v]. kInvalidParameter for d outside its range.
    static Status IntensityTable(int d, uint8_t table[256]);
    static Status ContrastTable(int d, uint8_t table[256]);

    // Every colour channel of src (the palette of an indexed image) through
    // the table into dst, which takes src's size, depth and fourth bytes; dst
    // may be src itself. Point operations in a row compose into one table.
    static Status ApplyTable(const Image& src, const uint8_t table[256], Image& dst);

private:
    static Status ApplyTable(Image& image, const uint8_t table[256]);
};

}  // namespace qrv::img
