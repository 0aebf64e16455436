#include "imaging/Resampler.h"

#include <immintrin.h>

#include <cmath>
#include <cstring>
#include <algorithm>
#include <memory>
#include <new>
#include <vector>

#include "imaging/RowSplit.h"

namespace qrv::img {

namespace {

// Filter taps of one output coordinate: the first source index and 14-bit
// fixed-point weights that sum to exactly 1 << 14.
struct Taps {
    std::vector<int> first;
    std::vector<int> count;
    std::vector<int> weights;  // count[i] entries per output, at stride `maxTaps`
    int maxTaps = 0;
    int fixed = 0;  // taps of every output (count[i] == fixed)
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
        // Leading and trailing zero weights add nothing; drop them.
        int lead = 0, count = last - first + 1;
        while (count > 1 && out[lead] == 0)
            ++lead, --count;
        while (count > 1 && out[lead + count - 1] == 0)
            --count;
        for (int k = 0; k < count; ++k)
            out[k] = out[lead + k];
        for (int k = count; k < t.maxTaps; ++k)
            out[k] = 0;
        t.first[size_t(i)] = first + lead;
        t.count[size_t(i)] = count;
    }
    // Every output gets the same number of taps (the most any needs, zero
    // weights added at the end, or at the start near the far edge), so that
    // the inner loops have a fixed length.
    int fixed = 1;
    for (int c : t.count)
        fixed = c > fixed ? c : fixed;
    for (int i = 0; i < dstSize; ++i) {
        int* out = t.weights.data() + size_t(i) * size_t(t.maxTaps);
        const int shift = t.first[size_t(i)] + fixed - srcSize;
        if (shift > 0) {
            for (int k = fixed - 1; k >= 0; --k)
                out[k] = k >= shift ? out[k - shift] : 0;
            t.first[size_t(i)] -= shift;
        }
        t.count[size_t(i)] = fixed;
    }
    t.fixed = fixed;
}

// Pixels from..width - 1 of one row of the horizontal pass: source row p to
// `width` pixels at q, N taps each (0: tx.fixed, not known at compile time).
template <int bpp, int N>
void HorizontalRow(const Taps& tx, const uint8_t* p, uint8_t* q, int from, int width)
{
    const int* w = tx.weights.data() + size_t(from) * size_t(tx.maxTaps);
    const int* first = tx.first.data();
    const int n = N > 0 ? N : tx.fixed;
    q += size_t(from) * bpp;
    for (int x = from; x < width; ++x, w += tx.maxTaps, q += bpp) {
        const uint8_t* src = p + size_t(first[x]) * bpp;
        int acc[bpp] = {};
        for (int k = 0; k < n; ++k, src += bpp)
            for (int c = 0; c < bpp; ++c)
                acc[c] += w[k] * src[c];
        // The weights are not negative and sum to 1 << kShift, so the
        // rounded sums stay within 0..255.
        for (int c = 0; c < bpp; ++c)
            q[c] = uint8_t((acc[c] + (1 << (kShift - 1))) >> kShift);
    }
}

template <int bpp>
void Horizontal(const Taps& tx, const uint8_t* p, uint8_t* q, int from, int width)
{
    switch (tx.fixed) {
    case 1: HorizontalRow<bpp, 1>(tx, p, q, from, width); break;
    case 2: HorizontalRow<bpp, 2>(tx, p, q, from, width); break;
    case 3: HorizontalRow<bpp, 3>(tx, p, q, from, width); break;
    case 4: HorizontalRow<bpp, 4>(tx, p, q, from, width); break;
    case 5: HorizontalRow<bpp, 5>(tx, p, q, from, width); break;
    case 6: HorizontalRow<bpp, 6>(tx, p, q, from, width); break;
    default: HorizontalRow<bpp, 0>(tx, p, q, from, width); break;
    }
}

// Up to four taps of up to four channels fit 16 bytes: per output pixel one
// load of its source bytes, put in channel order (four taps a channel), two
// multiply-adds of pairs against the weights w0..w3 w0..w3 and one
// horizontal add give its channel sums.
constexpr int kVectorTaps = 4;

// What the vector pass needs besides the taps, made once per image: per
// output pixel its weights twice in 16 bits, and the byte order that puts a
// pixel's source bytes in channel order.
struct VectorTaps {
    std::vector<int16_t> weights;
    alignas(16) int8_t order[16];

    VectorTaps(const Taps& tx, int width, int bpp) : weights(size_t(width) * 2 * kVectorTaps, 0)
    {
        for (int x = 0; x < width; ++x)
            for (int k = 0; k < tx.fixed; ++k)
                for (int half = 0; half < 2; ++half)
                    weights[size_t(x) * 2 * kVectorTaps + size_t(half * kVectorTaps + k)] =
                        int16_t(tx.weights[size_t(x) * size_t(tx.maxTaps) + size_t(k)]);
        for (int c = 0; c < 4; ++c)
            for (int k = 0; k < kVectorTaps; ++k)
                order[c * kVectorTaps + k] = int8_t(c < bpp && k < tx.fixed ? k * bpp + c : -1);
    }
};

// One row of the horizontal pass as HorizontalRow computes it, with
// tx.fixed <= kVectorTaps; srcBytes: the bytes of the source row. Pixels
// whose 16-byte load would pass the row's end, and the last (whose store of
// four bytes would), go the scalar way.
template <int bpp>
QRV_TARGET_AVX2 void HorizontalVector(const Taps& tx, const VectorTaps& vt, const uint8_t* p,
                                      int srcBytes, uint8_t* q, int width)
{
    const __m128i channelOrder = _mm_load_si128(reinterpret_cast<const __m128i*>(vt.order));
    const __m128i lowBytes = _mm_setr_epi8(0, 4, 8, 12, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1,
                                           -1, -1);
    const __m128i half = _mm_set1_epi32(1 << (kShift - 1));
    int x = 0;
    for (; x + 1 < width && tx.first[size_t(x)] * bpp + 16 <= srcBytes; ++x) {
        const __m128i bytes = _mm_shuffle_epi8(
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + tx.first[size_t(x)] * bpp)),
            channelOrder);
        const __m128i w = _mm_loadu_si128(
            reinterpret_cast<const __m128i*>(vt.weights.data() + size_t(x) * 2 * kVectorTaps));
        const __m128i sums01 = _mm_madd_epi16(_mm_cvtepu8_epi16(bytes), w);
        const __m128i sums23 = _mm_madd_epi16(_mm_cvtepu8_epi16(_mm_srli_si128(bytes, 8)), w);
        const __m128i sums = _mm_hadd_epi32(sums01, sums23);
        const __m128i v = _mm_srli_epi32(_mm_add_epi32(sums, half), kShift);
        const int32_t four = _mm_cvtsi128_si32(_mm_shuffle_epi8(v, lowBytes));
        std::memcpy(q + size_t(x) * bpp, &four, 4);  // a fourth byte is the next pixel's
    }
    Horizontal<bpp>(tx, p, q, x, width);
}

// acc[i] (+)= wk * p[i] over a row; 16-bit operands so that the products
// vectorise as widening multiplies.
void AccumulateRow(int* __restrict acc, const uint8_t* __restrict p, int16_t wk, size_t n, bool first)
{
    if (first)
        for (size_t i = 0; i < n; ++i)
            acc[i] = int(wk) * int(int16_t(p[i]));
    else
        for (size_t i = 0; i < n; ++i)
            acc[i] += int(wk) * int(int16_t(p[i]));
}

void RoundRow(const int* __restrict acc, uint8_t* __restrict q, size_t n)
{
    for (size_t i = 0; i < n; ++i) {
        const int v = (acc[i] + (1 << (kShift - 1))) >> kShift;
        q[i] = uint8_t(v < 0 ? 0 : v > 255 ? 255 : v);
    }
}

}  // namespace

Status Resampler::Size(Image& image, int width, int height, int flags, CodePath path)
{
    return Size(image, width, height, flags, image, path);
}

Status Resampler::Size(const Image& src, int width, int height, int flags, Image& dst, CodePath path)
{
    if (src.Empty())
        return kNoImage;
    if (width < 1 || height < 1)
        return kInvalidParameter;
    if (width > Image::kMaxDimension || height > Image::kMaxDimension ||
        int64_t(width) * height > Image::kMaxPixels)
        return kTooLarge;
    if (flags != 0 && flags != 2)
        return kInvalidParameter;
    // Into dst's own rows when it is another image (a preview makes its kept
    // results again at every step of a slider), through a new image when it
    // is the source. A lack of memory leaves another dst empty.
    Image out;
    Image& target = &dst != &src ? dst : out;
    try {
        const Status s =
            flags == 0 ? Nearest(src, width, height, target) : Filtered(src, width, height, path, target);
        if (s == kOk && &target == &out)
            dst = std::move(out);
        return s;
    } catch (const std::bad_alloc&) {
        target.Clear();
        return kOutOfMemory;
    }
}

Status Resampler::Nearest(const Image& image, int width, int height, Image& out)
{
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
    return kOk;
}

Status Resampler::Filtered(const Image& src, int width, int height, CodePath path, Image& out)
{
    // Indexed sources are resampled in true colour.
    Image promoted;
    if (src.IsIndexed()) {
        promoted = src;
        const Status s = promoted.PromoteToTrueColor();
        if (s != kOk)
            return s;
    }
    const Image& image = src.IsIndexed() ? promoted : src;
    const int bpp = image.BitsPerPixel() / 8;
    const int sw = image.Width();
    const int sh = image.Height();
    Taps tx, ty;
    MakeTaps(sw, width, tx);
    MakeTaps(sh, height, ty);
    const size_t rowBytes = size_t(width) * size_t(bpp);
    const Status s = out.Create(width, height, image.BitsPerPixel());
    if (s != kOk)
        return s;
    // The horizontal pass by vectors where the processor has AVX2 and the
    // taps are few (reductions up to 1.5 x, every enlargement).
    std::unique_ptr<const VectorTaps> vector;
    if (path == CodePath::kFastest && HasAvx2() && tx.fixed <= kVectorTaps)
        vector = std::make_unique<const VectorTaps>(tx, width, bpp);
    // Horizontal pass into 8-bit rows of the new width, then vertical. The
    // vertical taps of successive output rows move down the source, so the
    // horizontal rows are made as the taps first reach them and kept in a
    // ring of as many rows as the most taps. Each half of the output rows
    // has a ring of its own; the portable path, the reference, uses one
    // thread.
    const size_t splitBytes = path == CodePath::kPortable ? 0 : rowBytes * size_t(height);
    SplitRows(height, splitBytes, [&](int y0, int y1) {
        const int ring = ty.maxTaps;
        std::vector<uint8_t> mid(size_t(ring) * rowBytes);
        std::vector<int> acc(rowBytes);
        int made = -1;  // the last source row made into the ring
        for (int y = y0; y < y1; ++y) {
            const int first = ty.first[size_t(y)];
            const int n = ty.count[size_t(y)];
            for (made = std::max(made, first - 1); made < first + n - 1;) {
                ++made;
                uint8_t* q = mid.data() + size_t(made % ring) * rowBytes;
                const uint8_t* p = image.Row(made);
                if (vector && bpp == 3)
                    HorizontalVector<3>(tx, *vector, p, sw * bpp, q, width);
                else if (vector)
                    HorizontalVector<4>(tx, *vector, p, sw * bpp, q, width);
                else if (bpp == 3)
                    Horizontal<3>(tx, p, q, 0, width);
                else
                    Horizontal<4>(tx, p, q, 0, width);
            }
            const int* w = ty.weights.data() + size_t(y) * size_t(ty.maxTaps);
            for (int k = 0; k < n; ++k)
                AccumulateRow(acc.data(), mid.data() + size_t((first + k) % ring) * rowBytes,
                              int16_t(w[k]), rowBytes, k == 0);
            RoundRow(acc.data(), out.Row(y), rowBytes);
        }
    });
    return kOk;
}

}  // namespace qrv::img
