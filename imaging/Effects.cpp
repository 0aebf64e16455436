#include "imaging/Effects.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

namespace qrv::img {

namespace {

inline uint8_t Clamp8(int v)
{
    return uint8_t(v < 0 ? 0 : v > 255 ? 255 : v);
}

// Rows of the image widened to bytes per channel with `before` and `after`
// replicated pixels at both ends, so that neighbourhood loops need no edge
// tests.
struct PaddedRow {
    std::vector<uint8_t> bytes;
    void Load(const Image& img, int y, int before, int after)
    {
        const int bpp = img.BitsPerPixel() / 8;
        const int w = img.Width();
        bytes.resize(size_t(w + before + after) * size_t(bpp));
        const uint8_t* src = img.Row(y);
        std::memcpy(bytes.data() + size_t(before) * size_t(bpp), src, size_t(w) * size_t(bpp));
        for (int i = 0; i < before; ++i)
            std::memcpy(bytes.data() + size_t(i) * size_t(bpp), src, size_t(bpp));
        for (int i = 0; i < after; ++i)
            std::memcpy(bytes.data() + size_t(before + w + i) * size_t(bpp),
                        src + size_t(w - 1) * size_t(bpp), size_t(bpp));
    }
};

inline int ClampRow(int y, int h)
{
    return y < 0 ? 0 : y >= h ? h - 1 : y;
}

// Sums of every channel byte over an n x n window for each pixel of row y,
// computed from vertical column sums that the caller keeps up to date.
Status BoxSums(const Image& src, int n, std::vector<std::vector<uint32_t>>& rows)
{
    const int w = src.Width();
    const int h = src.Height();
    const int bpp = src.BitsPerPixel() / 8;
    const int before = (n - 1) / 2;
    const int after = n / 2;
    const size_t pw = size_t(w + before + after) * size_t(bpp);
    const size_t ow = size_t(w) * size_t(bpp);
    std::vector<uint32_t> col(pw, 0);
    PaddedRow pr;
    for (int k = -before; k <= after; ++k) {
        pr.Load(src, ClampRow(k, h), before, after);
        for (size_t i = 0; i < pw; ++i)
            col[i] += pr.bytes[i];
    }
    rows.assign(size_t(h), std::vector<uint32_t>());
    for (int y = 0; y < h; ++y) {
        std::vector<uint32_t>& out = rows[size_t(y)];
        out.assign(ow, 0);
        uint32_t* o = out.data();
        for (int k = 0; k < n; ++k) {
            const uint32_t* c = col.data() + size_t(k) * size_t(bpp);
            for (size_t i = 0; i < ow; ++i)
                o[i] += c[i];
        }
        if (y + 1 < h) {
            PaddedRow add, sub;
            add.Load(src, ClampRow(y + 1 + after, h), before, after);
            sub.Load(src, ClampRow(y - before, h), before, after);
            for (size_t i = 0; i < pw; ++i)
                col[i] += uint32_t(add.bytes[i]) - uint32_t(sub.bytes[i]);
        }
    }
    return kOk;
}

Status Prepare(Image& image)
{
    if (image.Empty())
        return kNoImage;
    return image.PromoteToTrueColor();
}

}  // namespace

Status Effects::ApplyTable(Image& image, const uint8_t table[256])
{
    if (image.Empty())
        return kNoImage;
    if (image.IsIndexed()) {
        for (Bgra& c : image.Palette()) {
            c.b = table[c.b];
            c.g = table[c.g];
            c.r = table[c.r];
        }
        return kOk;
    }
    const int bpp = image.BitsPerPixel() / 8;
    for (int y = 0; y < image.Height(); ++y) {
        uint8_t* p = image.Row(y);
        for (int x = 0; x < image.Width(); ++x, p += bpp) {
            p[0] = table[p[0]];
            p[1] = table[p[1]];
            p[2] = table[p[2]];
        }
    }
    return kOk;
}

Status Effects::Invert(Image& image)
{
    uint8_t t[256];
    for (int v = 0; v < 256; ++v)
        t[v] = uint8_t(255 - v);
    return ApplyTable(image, t);
}

Status Effects::Intensity(Image& image, int d)
{
    if (d < -1000 || d > 1000)
        return kInvalidParameter;
    const int add = d >= 0 ? (d * 255 + 500) / 1000 : -((-d * 255 + 500) / 1000);
    uint8_t t[256];
    for (int v = 0; v < 256; ++v)
        t[v] = Clamp8(v + add);
    return ApplyTable(image, t);
}

Status Effects::Contrast(Image& image, int d)
{
    if (d < -1000 || d > 1000)
        return kInvalidParameter;
    uint8_t t[256];
    for (int v = 0; v < 256; ++v) {
        // Doubled coordinates keep the middle 127.5 an integer (255).
        const int dist2 = 2 * v - 255;
        long long out2;
        if (d == 1000)
            out2 = dist2 < 0 ? -100000 : dist2 > 0 ? 100000 : 0;
        else if (d <= 0)
            out2 = (long long)dist2 * (1000 + d) / 1000;
        else
            out2 = (long long)dist2 * 1000 / (1000 - d);
        const long long twice = out2 + 255;  // 2 * result
        t[v] = Clamp8(int((std::max<long long>(-2, std::min<long long>(512, twice)) + 1) / 2));
    }
    return ApplyTable(image, t);
}

Status Effects::Flip(Image& image)
{
    if (image.Empty())
        return kNoImage;
    try {
        std::vector<uint8_t> tmp(image.Stride());
        for (int top = 0, bottom = image.Height() - 1; top < bottom; ++top, --bottom) {
            std::memcpy(tmp.data(), image.Row(top), image.Stride());
            std::memcpy(image.Row(top), image.Row(bottom), image.Stride());
            std::memcpy(image.Row(bottom), tmp.data(), image.Stride());
        }
    } catch (const std::bad_alloc&) {
        return kOutOfMemory;
    }
    return kOk;
}

Status Effects::Reverse(Image& image)
{
    if (image.Empty())
        return kNoImage;
    const int w = image.Width();
    if (image.IsIndexed()) {
        for (int y = 0; y < image.Height(); ++y)
            for (int l = 0, r = w - 1; l < r; ++l, --r) {
                const int a = image.GetIndex(l, y);
                image.SetIndex(l, y, image.GetIndex(r, y));
                image.SetIndex(r, y, a);
            }
        return kOk;
    }
    const int bpp = image.BitsPerPixel() / 8;
    for (int y = 0; y < image.Height(); ++y) {
        uint8_t* row = image.Row(y);
        for (int l = 0, r = w - 1; l < r; ++l, --r)
            for (int c = 0; c < bpp; ++c)
                std::swap(row[l * bpp + c], row[r * bpp + c]);
    }
    return kOk;
}

Status Effects::Average(Image& image, int n)
try {
    if (n < 1 || n > 64)
        return image.Empty() ? kNoImage : kInvalidParameter;
    Status s = Prepare(image);
    if (s != kOk || n == 1)
        return s;
    std::vector<std::vector<uint32_t>> sums;
    BoxSums(image, n, sums);
    // Exact rounded division by n*n through a 40-bit reciprocal: the sums
    // stay below 2^20, far inside its exact range.
    const uint64_t d = uint64_t(n) * uint64_t(n);
    const uint64_t m = (uint64_t(1) << 40) / d + 1;
    const size_t ow = size_t(image.Width()) * size_t(image.BitsPerPixel() / 8);
    for (int y = 0; y < image.Height(); ++y) {
        uint8_t* q = image.Row(y);
        const uint32_t* p = sums[size_t(y)].data();
        for (size_t i = 0; i < ow; ++i)
            q[i] = uint8_t((uint64_t(p[i] + d / 2) * m) >> 40);
    }
    return kOk;
} catch (const std::bad_alloc&) {
    return kOutOfMemory;
}

Status Effects::Sharpen(Image& image, int s)
try {
    if (s < -1000 || s > 1000)
        return image.Empty() ? kNoImage : kInvalidParameter;
    Status st = Prepare(image);
    if (st != kOk || s == 0)
        return st;
    std::vector<std::vector<uint32_t>> sums;
    BoxSums(image, 3, sums);
    // detail * 9 = 9v - sum; the scale folds the 1/9 in.
    const int div = s > 0 ? 9 * 500 : 9 * 1000;
    const size_t ow = size_t(image.Width()) * size_t(image.BitsPerPixel() / 8);
    for (int y = 0; y < image.Height(); ++y) {
        uint8_t* q = image.Row(y);
        const uint32_t* p = sums[size_t(y)].data();
        for (size_t i = 0; i < ow; ++i) {
            const int v = q[i];
            const int detail9 = 9 * v - int(p[i]);
            const int num = detail9 * s;
            const int delta = num >= 0 ? (num + div / 2) / div : -((-num + div / 2) / div);
            q[i] = Clamp8(v + delta);
        }
    }
    return kOk;
} catch (const std::bad_alloc&) {
    return kOutOfMemory;
}

Status Effects::Median(Image& image, int n)
try {
    if (n < 1 || n > 64)
        return image.Empty() ? kNoImage : kInvalidParameter;
    Status s = Prepare(image);
    if (s != kOk || n == 1)
        return s;
    const Image src = image;
    const int w = src.Width();
    const int h = src.Height();
    const int bpp = src.BitsPerPixel() / 8;
    const int before = (n - 1) / 2;
    const int after = n / 2;
    const int rank = n * n / 2;  // counted from 0
    const int pwPix = w + before + after;
    // Padded copy of the whole image, so that window reads need no clamping.
    std::vector<uint8_t> pad(size_t(pwPix) * size_t(h + before + after) * size_t(bpp));
    const size_t pstride = size_t(pwPix) * size_t(bpp);
    PaddedRow pr;
    for (int y = -before; y < h + after; ++y) {
        pr.Load(src, ClampRow(y, h), before, after);
        std::memcpy(pad.data() + size_t(y + before) * pstride, pr.bytes.data(), pstride);
    }
    // Huang's running histogram per channel, sliding along each row; the
    // median is tracked incrementally (count of values below it), so each
    // step costs 2n histogram updates and a short walk.
    for (int y = 0; y < h; ++y) {
        uint8_t* out = image.Row(y);
        for (int c = 0; c < bpp; ++c) {
            uint16_t hist[256] = {};
            for (int dy = 0; dy < n; ++dy) {
                const uint8_t* r = pad.data() + size_t(y + dy) * pstride + size_t(c);
                for (int dx = 0; dx < n; ++dx)
                    ++hist[r[size_t(dx) * size_t(bpp)]];
            }
            int med = 0;
            int below = 0;  // values < med
            auto settle = [&]() {
                while (below + hist[med] <= rank) {
                    below += hist[med];
                    ++med;
                }
                while (below > rank) {
                    --med;
                    below -= hist[med];
                }
            };
            settle();
            out[c] = uint8_t(med);
            for (int x = 1; x < w; ++x) {
                const size_t leave = size_t(x - 1) * size_t(bpp) + size_t(c);
                const size_t enter = size_t(x - 1 + n) * size_t(bpp) + size_t(c);
                for (int dy = 0; dy < n; ++dy) {
                    const uint8_t* r = pad.data() + size_t(y + dy) * pstride;
                    const uint8_t a = r[leave];
                    const uint8_t b = r[enter];
                    --hist[a];
                    if (a < med)
                        --below;
                    ++hist[b];
                    if (b < med)
                        ++below;
                }
                settle();
                out[size_t(x) * size_t(bpp) + size_t(c)] = uint8_t(med);
            }
        }
    }
    return kOk;
} catch (const std::bad_alloc&) {
    return kOutOfMemory;
}

}  // namespace qrv::img
