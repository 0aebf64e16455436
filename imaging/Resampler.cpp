#include "imaging/Resampler.h"

#include <cmath>
#include <cstring>
#include <algorithm>
#include <new>
#include <vector>

namespace qrv::img {

namespace {

// Filter taps of one output coordinate: the first source index and 14-bit
// fixed-point weights that sum to exactly 1 << 14.
struct Taps {
    std::vector<int> first;
    std::vector<int> count;
    std::vector<int> weights;  // count[i] entries per output, at stride `maxTaps`
    int maxTaps = 0;
};

constexpr int kShift = 14;

void MakeTaps(int srcSize, int dstSize, Taps& t)
{
    const double scale = double(srcSize) / double(dstSize);
    const double support = scale > 1.0 ? scale : 1.0;  // half-width of the tent
    t.maxTaps = int(std::ceil(support)) * 2 + 1;
    t.first.assign(size_t(dstSize), 0);
    t.count.assign(size_t(dstSize), 0);
    t.weights.assign(size_t(dstSize) * size_t(t.maxTaps), 0);
    std::vector<double> w(size_t(t.maxTaps));
    for (int i = 0; i < dstSize; ++i) {
        const double centre = (i + 0.5) * scale;
        int lo = int(std::floor(centre - support));
        int hi = int(std::ceil(centre + support));
        if (hi - lo > t.maxTaps)
            hi = lo + t.maxTaps;
        double total = 0;
        int n = 0;
        for (int k = lo; k < hi; ++k, ++n) {
            const double d = std::fabs((k + 0.5 - centre) / support);
            w[size_t(n)] = d < 1.0 ? 1.0 - d : 0.0;
            total += w[size_t(n)];
        }
        // Taps outside the source fold onto the edge pixel (replication).
        int first = lo < 0 ? 0 : lo;
        int last = hi - 1 >= srcSize ? srcSize - 1 : hi - 1;
        if (last < first)
            last = first;
        int* out = t.weights.data() + size_t(i) * size_t(t.maxTaps);
        int sum = 0;
        for (int k = lo, j = 0; k < hi; ++k, ++j) {
            const int src = k < first ? first : k > last ? last : k;
            const int q = int(std::lround(w[size_t(j)] / total * (1 << kShift)));
            out[src - first] += q;
            sum += q;
        }
        // Put the rounding remainder on the largest tap.
        int big = 0;
        for (int k = 1; k <= last - first; ++k)
            if (out[k] > out[big])
                big = k;
        out[big] += (1 << kShift) - sum;
        t.first[size_t(i)] = first;
        t.count[size_t(i)] = last - first + 1;
    }
}

inline uint8_t Round8(int v)
{
    v = (v + (1 << (kShift - 1))) >> kShift;
    return uint8_t(v < 0 ? 0 : v > 255 ? 255 : v);
}

}  // namespace

Status Resampler::Size(Image& image, int width, int height, int flags)
{
    if (image.Empty())
        return kNoImage;
    if (width < 1 || height < 1)
        return kInvalidParameter;
    if (width > Image::kMaxDimension || height > Image::kMaxDimension ||
        int64_t(width) * height > Image::kMaxPixels)
        return kTooLarge;
    try {
        if (flags == 0)
            return Nearest(image, width, height);
        if (flags == 2)
            return Filtered(image, width, height);
    } catch (const std::bad_alloc&) {
        return kOutOfMemory;
    }
    return kInvalidParameter;
}

Status Resampler::Nearest(Image& image, int width, int height)
{
    Image out;
    Status s = out.Create(width, height, image.BitsPerPixel());
    if (s != kOk)
        return s;
    out.Palette() = image.Palette();
    std::vector<int> xs(static_cast<size_t>(width));
    for (int x = 0; x < width; ++x)
        xs[size_t(x)] = int((int64_t(2 * x + 1) * image.Width()) / (2 * int64_t(width)));
    const int bpp = image.BitsPerPixel() / 8;
    for (int y = 0; y < height; ++y) {
        const int sy = int((int64_t(2 * y + 1) * image.Height()) / (2 * int64_t(height)));
        if (image.IsIndexed()) {
            for (int x = 0; x < width; ++x)
                out.SetIndex(x, y, image.GetIndex(xs[size_t(x)], sy));
            continue;
        }
        const uint8_t* p = image.Row(sy);
        uint8_t* q = out.Row(y);
        for (int x = 0; x < width; ++x)
            std::memcpy(q + size_t(x) * size_t(bpp), p + size_t(xs[size_t(x)]) * size_t(bpp),
                        size_t(bpp));
    }
    image = std::move(out);
    return kOk;
}

Status Resampler::Filtered(Image& image, int width, int height)
{
    Status s = image.PromoteToTrueColor();
    if (s != kOk)
        return s;
    const int bpp = image.BitsPerPixel() / 8;
    const int sw = image.Width();
    const int sh = image.Height();
    Taps tx, ty;
    MakeTaps(sw, width, tx);
    MakeTaps(sh, height, ty);
    // Horizontal pass into 8-bit rows of the new width, then vertical.
    Image mid;
    s = mid.Create(width, sh, image.BitsPerPixel());
    if (s != kOk)
        return s;
    for (int y = 0; y < sh; ++y) {
        const uint8_t* p = image.Row(y);
        uint8_t* q = mid.Row(y);
        for (int x = 0; x < width; ++x) {
            const int* w = tx.weights.data() + size_t(x) * size_t(tx.maxTaps);
            const uint8_t* src = p + size_t(tx.first[size_t(x)]) * size_t(bpp);
            const int n = tx.count[size_t(x)];
            int acc[4] = {0, 0, 0, 0};
            for (int k = 0; k < n; ++k, src += bpp)
                for (int c = 0; c < bpp; ++c)
                    acc[c] += w[k] * src[c];
            for (int c = 0; c < bpp; ++c)
                q[size_t(x) * size_t(bpp) + size_t(c)] = Round8(acc[c]);
        }
    }
    Image out;
    s = out.Create(width, height, image.BitsPerPixel());
    if (s != kOk)
        return s;
    const size_t rowBytes = size_t(width) * size_t(bpp);
    std::vector<int> acc(rowBytes);
    for (int y = 0; y < height; ++y) {
        std::fill(acc.begin(), acc.end(), 0);
        const int* w = ty.weights.data() + size_t(y) * size_t(ty.maxTaps);
        const int n = ty.count[size_t(y)];
        for (int k = 0; k < n; ++k) {
            const uint8_t* p = mid.Row(ty.first[size_t(y)] + k);
            const int wk = w[k];
            for (size_t i = 0; i < rowBytes; ++i)
                acc[i] += wk * p[i];
        }
        uint8_t* q = out.Row(y);
        for (size_t i = 0; i < rowBytes; ++i)
            q[i] = Round8(acc[i]);
    }
    image = std::move(out);
    return kOk;
}

}  // namespace qrv::img
