// Colour reduction to a panel's depth and palette, with dithering.
#pragma once

#include <cstdint>
#include <vector>

#include "imaging/Image.h"
#include "imaging/PaletteMapper.h"

namespace qrv::img {

// Palette flags of ColorRes.
constexpr int kPaletteFixed = 0x01;  // the core's own palette for the depth (FixedPalette)
constexpr int kPaletteBgr = 0x04;    // 24-bit output in blue, green, red byte order
constexpr int kPaletteUser = 0x10;   // the user palette passed in

// Dither codes of ColorRes.
enum DitherCode {
    kDitherNone = 0,
    kDitherFloydSteinberg = 1,
    kDitherStucki = 2,
    kDitherBurkes = 3,
    kDitherSierra = 4,
    kDitherStevensonArce = 5,
    kDitherJarvis = 6,  // Jarvis, Judice and Ninke
    kDitherOrdered = 7, // 8 x 8 Bayer matrix
};

class ColorReducer {
public:
    // How far beyond 0..255 a pixel's value with its diffused error counts
    // when its own error is measured. Clamping at 0..255 throws away the part
    // of the error that points out of the cube: in dark areas the darkening
    // error after each brighter pixel is dropped, so they come out too bright
    // (and bright saturated areas too dull). Keeping all of it lets errors at
    // colours outside the palette's hull pile up into streaks; a little reach
    // keeps the mean and stays local. The entry is chosen for the same value
    // (PaletteMapper::kReach): the one nearest to where the error points.
    static constexpr int kErrorReach = PaletteMapper::kReach;

    // The value a pixel's error is measured from: v clamped to
    // -kErrorReach..255 + kErrorReach.
    static constexpr int ErrorBase(int v)
    {
        return v < -kErrorReach ? -kErrorReach : v > 255 + kErrorReach ? 255 + kErrorReach : v;
    }

    // Reduces the image in place.
    // bits: 1, 2, 4, 8 (indexed with 2^bits entries at most), 3 (eight
    //       colours stored as 4 bits per pixel) or 24 (true colour; the
    //       palette flags must include kPaletteBgr or be 0, dither is ignored).
    // paletteFlags: kPaletteUser takes the first `colours` entries of
    //       `userPalette` (0x00BBGGRR, red in the low byte); otherwise (0 or
    //       kPaletteFixed) the fixed palette of FixedPalette(bits).
    // dither: a DitherCode; error diffusion runs left to right, top to
    //       bottom, with integer error sums rounded half up; each pixel gets
    //       the entry nearest to its value clamped to -kErrorReach..255 +
    //       kErrorReach (PaletteMapper), its error measured from that value.
    //       Ordered dither offsets each channel by
    //       the Bayer threshold scaled to the palette's typical spacing.
    // colours: entries of the user palette to use, 1..2^bits (0 means
    //       2^bits; more than the user palette holds is kInvalidParameter).
    // The result's colour table is the palette used, in its order.
    // The nearest-entry caches of the last few palettes used are kept for
    // later calls with the same palette (thread-safe; results are the same
    // either way).
    static Status ColorRes(Image& image, int bits, int paletteFlags, int dither, int colours,
                           const std::vector<uint32_t>& userPalette = {});
    // The same from src into dst (which may be src); src stays as it is, and
    // a true-colour source reduced to 8 bits is not copied first.
    static Status ColorRes(const Image& src, int bits, int paletteFlags, int dither, int colours,
                           const std::vector<uint32_t>& userPalette, Image& dst);

    // The fixed palettes:
    //  1: black, white.  2: four greys 0, 85, 170, 255.
    //  3: the eight corners of the colour cube, index bit 0 red, 1 green, 2 blue.
    //  4: the 16 colours of the standard VGA palette in its usual order.
    //  8: the 6 x 6 x 6 cube of levels 0, 51, ..., 255 (index 36r + 6g + b)
    //     followed by 40 greys evenly between the cube's greys.
    static std::vector<Bgra> FixedPalette(int bits);

    // Reduces a true-colour image (24 or 32 bits) to indexes into `palette`
    // (1..256 entries), one byte per pixel, rows of `width` bytes.
    static Status Quantize(const Image& image, const std::vector<Bgra>& palette, int dither,
                           std::vector<uint8_t>& indexes);
};

}  // namespace qrv::img
