// The image model of the imaging core.
//
// An Image is a rectangle of pixels held top row first, each row padded to a
// multiple of four bytes exactly as in a DIB, so that DIB input and output are
// plain row copies. Supported depths:
//   1, 2, 4, 8 bits per pixel: indexes into the palette, the leftmost pixel in
//                              the most significant bits of a byte;
//   24 bits per pixel:         blue, green, red bytes;
//   32 bits per pixel:         blue, green, red and a fourth byte that is kept
//                              as read (alpha or reserved) and otherwise 0.
// The size is limited (kMaxDimension, kMaxPixels) so that no input can make
// the core allocate gigabytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "imaging/PixelMemory.h"
#include "imaging/Status.h"

namespace qrv::img {

// A palette entry in the byte order of a DIB colour table (RGBQUAD).
struct Bgra {
    uint8_t b = 0, g = 0, r = 0, a = 0;
    bool operator==(const Bgra& o) const { return b == o.b && g == o.g && r == o.r; }
    bool operator!=(const Bgra& o) const { return !(*this == o); }
};

// Converts a colour 0x00BBGGRR (red in the low byte, as the viewer's palettes
// hold them) into a palette entry and back.
Bgra ColorRefToBgra(uint32_t colorRef);
uint32_t BgraToColorRef(Bgra c);

class Image {
public:
    static constexpr int kMaxDimension = 32768;
    static constexpr int64_t kMaxPixels = int64_t(1) << 26;  // 64 megapixels

    Image() = default;

    // Allocates a width x height image of the given depth with all pixels 0.
    // Indexed images get a grey-scale palette of 2^bits entries so that every
    // index is valid. bits: 1, 2, 4, 8, 24 or 32. Returns kInvalidParameter for
    // other depths or a non-positive size, kTooLarge beyond the limits.
    Status Create(int width, int height, int bits);

    // Releases the pixels; the image becomes empty.
    void Clear();

    bool Empty() const { return width_ == 0; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    int BitsPerPixel() const { return bits_; }
    bool IsIndexed() const { return bits_ <= 8; }
    // Bytes per row including the padding to four bytes.
    size_t Stride() const { return stride_; }

    uint8_t* Row(int y) { return pixels_.data() + size_t(y) * stride_; }
    const uint8_t* Row(int y) const { return pixels_.data() + size_t(y) * stride_; }
    uint8_t* Data() { return pixels_.data(); }
    const uint8_t* Data() const { return pixels_.data(); }

    // The colour table of an indexed image (2^bits entries at most, at least
    // one). Empty for 24 and 32 bits per pixel.
    std::vector<Bgra>& Palette() { return palette_; }
    const std::vector<Bgra>& Palette() const { return palette_; }

    // Pixel index of an indexed image; x, y must be inside the image.
    int GetIndex(int x, int y) const;
    void SetIndex(int x, int y, int index);

    // The colour of any pixel, resolved through the palette for indexed images.
    Bgra GetColor(int x, int y) const;

    // Number of distinct colours (blue, green, red) the pixels use; the fourth
    // byte of 32-bit pixels is ignored. 0 for an empty image.
    int64_t ColorCount() const;

    // Lossless depth conversion into `out`: an indexed image to a wider indexed
    // depth (palette kept) or to 24/32 bits; 24 and 32 bits into each other;
    // an indexed image to a narrower indexed depth when every pixel index and
    // the palette fit. Lossy reductions are the colour reducer's job and return
    // kUnsupported here. `out` may not be *this.
    Status ConvertTo(int bits, Image& out) const;

    // Replaces an indexed image by its 24-bit equivalent in place; true colour
    // images are left as they are. Filters that mix neighbouring colours work
    // on true colour and call this first.
    Status PromoteToTrueColor();

    // Checks that every pixel index of an indexed image is inside the palette.
    bool IndexesInPalette() const;

    friend bool operator==(const Image& a, const Image& b);

    // True for the depths the model holds.
    static bool IsValidDepth(int bits);
    // Bytes per row, padded to four, or 0 when it would overflow the limits.
    static size_t StrideFor(int width, int bits);

private:
    int width_ = 0;
    int height_ = 0;
    int bits_ = 0;
    size_t stride_ = 0;
    std::vector<uint8_t, PixelAllocator<uint8_t>> pixels_;
    std::vector<Bgra> palette_;
};

bool operator!=(const Image& a, const Image& b);

}  // namespace qrv::img
