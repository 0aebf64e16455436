#include "imaging/Image.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace qrv::img {

Bgra ColorRefToBgra(uint32_t colorRef)
{
    Bgra c;
    c.r = uint8_t(colorRef & 0xFF);
    c.g = uint8_t((colorRef >> 8) & 0xFF);
    c.b = uint8_t((colorRef >> 16) & 0xFF);
    return c;
}

uint32_t BgraToColorRef(Bgra c)
{
    return uint32_t(c.r) | (uint32_t(c.g) << 8) | (uint32_t(c.b) << 16);
}

bool Image::IsValidDepth(int bits)
{
    return bits == 1 || bits == 2 || bits == 4 || bits == 8 || bits == 24 || bits == 32;
}

size_t Image::StrideFor(int width, int bits)
{
    if (width <= 0 || width > kMaxDimension || !IsValidDepth(bits))
        return 0;
    // Width and depth are bounded, so this cannot overflow 64 bits.
    const uint64_t rowBits = uint64_t(width) * uint64_t(bits);
    return size_t(((rowBits + 31) / 32) * 4);
}

Status Image::Create(int width, int height, int bits)
{
    if (!IsValidDepth(bits) || width <= 0 || height <= 0)
        return kInvalidParameter;
    if (width > kMaxDimension || height > kMaxDimension || int64_t(width) * height > kMaxPixels)
        return kTooLarge;
    const size_t stride = StrideFor(width, bits);
    try {
        std::vector<Bgra> palette;
        if (bits <= 8) {
            const int n = 1 << bits;
            palette.resize(size_t(n));
            for (int i = 0; i < n; ++i) {
                const uint8_t v = uint8_t(i * 255 / (n - 1));
                palette[size_t(i)] = Bgra{v, v, v, 0};
            }
        }
        // The rows' own memory is used again when it fits without wasting
        // half of it; else PixelMemory may hold a block that does.
        const size_t bytes = stride * size_t(height);
        if (pixels_.capacity() >= bytes && pixels_.capacity() / 2 <= bytes) {
            pixels_.assign(bytes, 0);
        } else {
            decltype(pixels_) pixels(bytes, 0);
            pixels_.swap(pixels);
        }
        palette_.swap(palette);
    } catch (const std::bad_alloc&) {
        return kOutOfMemory;
    }
    width_ = width;
    height_ = height;
    bits_ = bits;
    stride_ = stride;
    return kOk;
}

void Image::Clear()
{
    *this = Image();
}

int Image::GetIndex(int x, int y) const
{
    const uint8_t* row = Row(y);
    switch (bits_) {
    case 1: return (row[x >> 3] >> (7 - (x & 7))) & 1;
    case 2: return (row[x >> 2] >> (6 - 2 * (x & 3))) & 3;
    case 4: return (row[x >> 1] >> ((x & 1) ? 0 : 4)) & 15;
    case 8: return row[x];
    default: return 0;
    }
}

void Image::SetIndex(int x, int y, int index)
{
    uint8_t* row = Row(y);
    switch (bits_) {
    case 1: {
        const int shift = 7 - (x & 7);
        row[x >> 3] = uint8_t((row[x >> 3] & ~(1 << shift)) | ((index & 1) << shift));
        break;
    }
    case 2: {
        const int shift = 6 - 2 * (x & 3);
        row[x >> 2] = uint8_t((row[x >> 2] & ~(3 << shift)) | ((index & 3) << shift));
        break;
    }
    case 4: {
        const int shift = (x & 1) ? 0 : 4;
        row[x >> 1] = uint8_t((row[x >> 1] & ~(15 << shift)) | ((index & 15) << shift));
        break;
    }
    case 8: row[x] = uint8_t(index); break;
    default: break;
    }
}

Bgra Image::GetColor(int x, int y) const
{
    if (IsIndexed()) {
        const size_t i = size_t(GetIndex(x, y));
        return i < palette_.size() ? palette_[i] : Bgra{};
    }
    const uint8_t* p = Row(y) + size_t(x) * size_t(bits_ / 8);
    return Bgra{p[0], p[1], p[2], bits_ == 32 ? p[3] : uint8_t(0)};
}

int64_t Image::ColorCount() const
{
    if (Empty())
        return 0;
    // One bit per possible 24-bit colour: 2 MB, cheaper than hashing every
    // pixel of a photo.
    std::vector<uint64_t> seen;
    try {
        seen.assign(size_t(1) << 18, 0);
    } catch (const std::bad_alloc&) {
        return -1;
    }
    int64_t count = 0;
    auto mark = [&](uint32_t key) {
        uint64_t& word = seen[key >> 6];
        const uint64_t bit = uint64_t(1) << (key & 63);
        if (!(word & bit)) {
            word |= bit;
            ++count;
        }
    };
    if (IsIndexed()) {
        std::vector<bool> used(palette_.size(), false);
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x) {
                const size_t i = size_t(GetIndex(x, y));
                if (i < used.size())
                    used[i] = true;
            }
        for (size_t i = 0; i < used.size(); ++i)
            if (used[i])
                mark(uint32_t(palette_[i].b) | uint32_t(palette_[i].g) << 8 |
                     uint32_t(palette_[i].r) << 16);
        return count;
    }
    const size_t bpp = size_t(bits_ / 8);
    for (int y = 0; y < height_; ++y) {
        const uint8_t* p = Row(y);
        for (int x = 0; x < width_; ++x, p += bpp)
            mark(uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16);
    }
    return count;
}

bool Image::IndexesInPalette() const
{
    if (!IsIndexed())
        return true;
    const int n = int(palette_.size());
    if (n >= (1 << bits_))
        return true;
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            if (GetIndex(x, y) >= n)
                return false;
    return true;
}

Status Image::ConvertTo(int bits, Image& out) const
{
    if (Empty())
        return kNoImage;
    if (!IsValidDepth(bits))
        return kInvalidParameter;
    if (&out == this)
        return kInvalidParameter;
    if (bits <= 8) {
        if (!IsIndexed() || palette_.size() > (size_t(1) << bits))
            return kUnsupported;
        if (bits < bits_) {
            for (int y = 0; y < height_; ++y)
                for (int x = 0; x < width_; ++x)
                    if (GetIndex(x, y) >= (1 << bits))
                        return kUnsupported;
        }
    }
    Image result;
    const Status s = result.Create(width_, height_, bits);
    if (s != kOk)
        return s;
    if (bits <= 8) {
        result.palette_ = palette_;
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x)
                result.SetIndex(x, y, GetIndex(x, y));
    } else {
        const size_t outBpp = size_t(bits / 8);
        for (int y = 0; y < height_; ++y) {
            uint8_t* q = result.Row(y);
            for (int x = 0; x < width_; ++x, q += outBpp) {
                const Bgra c = GetColor(x, y);
                q[0] = c.b;
                q[1] = c.g;
                q[2] = c.r;
                if (outBpp == 4)
                    q[3] = bits_ == 32 ? c.a : 0;
            }
        }
    }
    out = std::move(result);
    return kOk;
}

Status Image::PromoteToTrueColor()
{
    if (Empty())
        return kNoImage;
    if (!IsIndexed())
        return kOk;
    Image wide;
    const Status s = ConvertTo(24, wide);
    if (s == kOk)
        *this = std::move(wide);
    return s;
}

bool operator==(const Image& a, const Image& b)
{
    if (a.width_ != b.width_ || a.height_ != b.height_ || a.bits_ != b.bits_)
        return false;
    if (a.palette_.size() != b.palette_.size() ||
        !std::equal(a.palette_.begin(), a.palette_.end(), b.palette_.begin()))
        return false;
    // Compare whole bytes and then the used bits of the last byte, so that
    // padding never makes two equal images differ.
    const size_t rowBits = size_t(a.width_) * size_t(a.bits_);
    const size_t fullBytes = rowBits / 8;
    const int restBits = int(rowBits % 8);
    const uint8_t restMask = uint8_t(0xFF00 >> restBits);
    for (int y = 0; y < a.height_; ++y) {
        const uint8_t* ra = a.Row(y);
        const uint8_t* rb = b.Row(y);
        if (std::memcmp(ra, rb, fullBytes) != 0)
            return false;
        if (restBits && ((ra[fullBytes] ^ rb[fullBytes]) & restMask))
            return false;
    }
    return true;
}

bool operator!=(const Image& a, const Image& b)
{
    return !(a == b);
}

}  // namespace qrv::img
