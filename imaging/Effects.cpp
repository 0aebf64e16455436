#include "imaging/Effects.h"

#include <immintrin.h>

#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

#include "imaging/Cpu.h"
#include "imaging/RowSplit.h"

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

// s[i] = sum of pd[i + k * bpp], k < N (N known, so the loop vectorises).
template <int N, class Sum>
void HorizontalSums(const Sum* __restrict pd, Sum* __restrict s, size_t len, size_t bpp)
{
    for (size_t i = 0; i < len; ++i) {
        Sum t = 0;
        for (int k = 0; k < N; ++k)
            t = Sum(t + pd[i + size_t(k) * bpp]);
        s[i] = t;
    }
}

// Streams n x n window sums of every channel byte, row by row, to
// emit(y, sums, source): sums[i] is the sum over the window of byte i of row
// y, source the row as it was before any output (emit may overwrite image row
// y in place). Vertical column sums are kept up to date as the window moves
// down; the rows already overwritten that the window still needs are kept in
// a small ring of copies.
template <class Sum, class Emit>
void BoxSumsOf(Image& img, int n, Emit emit)
{
    const int w = img.Width();
    const int h = img.Height();
    const size_t bpp = size_t(img.BitsPerPixel() / 8);
    const int before = (n - 1) / 2;
    const int after = n / 2;
    const size_t len = size_t(w) * bpp;
    const size_t pw = len + size_t(before + after) * bpp;
    const size_t ring = size_t(before) + 1;
    std::vector<uint8_t> saved(ring * len);
    std::vector<uint16_t> col(len, 0);       // at most 64 * 255
    std::vector<Sum> padded(pw, 0);  // col with replicated edges
    std::vector<Sum> sums(len, 0);
    for (int k = -before; k <= after; ++k) {
        const uint8_t* r = img.Row(ClampRow(k, h));
        for (size_t i = 0; i < len; ++i)
            col[i] = uint16_t(col[i] + r[i]);
    }
    for (int y = 0; y < h; ++y) {
        Sum* pd = padded.data();
        for (size_t i = 0; i < len; ++i)
            pd[size_t(before) * bpp + i] = col[i];
        for (int k = 0; k < before; ++k)
            for (size_t c = 0; c < bpp; ++c)
                pd[size_t(k) * bpp + c] = col[c];
        for (int k = 0; k < after; ++k)
            for (size_t c = 0; c < bpp; ++c)
                pd[len + size_t(before + k) * bpp + c] = col[len - bpp + c];
        Sum* s = sums.data();
        if (n <= 8) {
            switch (n) {
            case 1: HorizontalSums<1>(pd, s, len, bpp); break;
            case 2: HorizontalSums<2>(pd, s, len, bpp); break;
            case 3: HorizontalSums<3>(pd, s, len, bpp); break;
            case 4: HorizontalSums<4>(pd, s, len, bpp); break;
            case 5: HorizontalSums<5>(pd, s, len, bpp); break;
            case 6: HorizontalSums<6>(pd, s, len, bpp); break;
            case 7: HorizontalSums<7>(pd, s, len, bpp); break;
            default: HorizontalSums<8>(pd, s, len, bpp); break;
            }
        } else {
            for (size_t c = 0; c < bpp; ++c) {
                Sum t = 0;
                for (int k = 0; k < n; ++k)
                    t = Sum(t + pd[c + size_t(k) * bpp]);
                s[c] = t;
            }
            for (size_t i = bpp; i < len; ++i)
                s[i] = Sum(s[i - bpp] + pd[i - bpp + size_t(n) * bpp] - pd[i - bpp]);
        }
        uint8_t* keep = saved.data() + (size_t(y) % ring) * len;
        std::memcpy(keep, img.Row(y), len);
        emit(y, static_cast<const Sum*>(s), static_cast<const uint8_t*>(keep));
        if (y + 1 < h) {
            const uint8_t* add = img.Row(ClampRow(y + 1 + after, h));  // below y: untouched
            const int gone = ClampRow(y - before, h);                   // at or above y: saved
            const uint8_t* sub = saved.data() + (size_t(gone) % ring) * len;
            uint16_t* cl = col.data();
            for (size_t i = 0; i < len; ++i)
                cl[i] = uint16_t(cl[i] + add[i] - sub[i]);
        }
    }
}

// Window sums in 16 bits while they fit (n <= 16: at most 65280), else 32.
template <class Emit>
void BoxSums(Image& img, int n, Emit emit)
{
    if (n <= 16)
        BoxSumsOf<uint16_t>(img, n, emit);
    else
        BoxSumsOf<uint32_t>(img, n, emit);
}

// One row of sharpening: each byte v of `src` moves by (9v - sum) * s / div
// rounded half away from zero, sum the byte's 3 x 3 window sum. The quotient
// comes from a float product, exact but for at most one near a whole number
// (the dividend is below 2^22), which the remainder corrects; so the loop
// vectorises.
[[gnu::always_inline]] inline void SharpenRow(const uint8_t* __restrict src,
                                              const uint16_t* __restrict sums,
                                              uint8_t* __restrict out, size_t len, int s, int div)
{
    const int half = div / 2;
    const float inverse = 1.0f / float(div);
    for (size_t i = 0; i < len; ++i) {
        const int v = src[i];
        const int num = (9 * v - int(sums[i])) * s;
        const int n = (num < 0 ? -num : num) + half;
        int q = int(float(n) * inverse);
        const int r = n - q * div;
        q += int(r >= div) - int(r < 0);
        out[i] = Clamp8(v + (num < 0 ? -q : q));
    }
}

void SharpenRowPortable(const uint8_t* src, const uint16_t* sums, uint8_t* out, size_t len, int s,
                        int div)
{
    SharpenRow(src, sums, out, len, s, div);
}

QRV_TARGET_AVX2 void SharpenRowAvx2(const uint8_t* src, const uint16_t* sums, uint8_t* out,
                                    size_t len, int s, int div)
{
    SharpenRow(src, sums, out, len, s, div);
}

// Small medians without histograms: the n values of every column of the
// window are sorted once per row (shared by the n windows that contain the
// column) and the rank is selected from the sorted columns with min/max
// networks, byte for byte along the padded row so that the loops vectorise.
// r[k] are the window's padded rows, `len` the output bytes, `bpp` the
// distance between horizontally adjacent samples of one channel.
inline void Order(uint8_t& a, uint8_t& b)
{
    const uint8_t lo = std::min(a, b);
    b = std::max(a, b);
    a = lo;
}

inline uint8_t Median3(uint8_t a, uint8_t b, uint8_t c)
{
    return std::max(std::min(a, b), std::min(std::max(a, b), c));
}

// The loops take their arrays as restrict parameters so that the compiler
// knows they do not overlap and vectorises them.
void SortPairs(const uint8_t* __restrict r0, const uint8_t* __restrict r1, uint8_t* __restrict lo,
               uint8_t* __restrict hi, size_t n)
{
    for (size_t j = 0; j < n; ++j) {
        lo[j] = std::min(r0[j], r1[j]);
        hi[j] = std::max(r0[j], r1[j]);
    }
}

void SortTriples(const uint8_t* __restrict r0, const uint8_t* __restrict r1,
                 const uint8_t* __restrict r2, uint8_t* __restrict lo, uint8_t* __restrict mid,
                 uint8_t* __restrict hi, size_t n)
{
    for (size_t j = 0; j < n; ++j) {
        uint8_t a = r0[j], b = r1[j], c = r2[j];
        Order(a, b);
        Order(b, c);
        Order(a, b);
        lo[j] = a;
        mid[j] = b;
        hi[j] = c;
    }
}

void SortQuads(const uint8_t* __restrict r0, const uint8_t* __restrict r1,
               const uint8_t* __restrict r2, const uint8_t* __restrict r3, uint8_t* __restrict s0,
               uint8_t* __restrict s1, uint8_t* __restrict s2, uint8_t* __restrict s3, size_t n)
{
    for (size_t j = 0; j < n; ++j) {
        uint8_t a = r0[j], b = r1[j], c = r2[j], d = r3[j];
        Order(a, b);
        Order(c, d);
        Order(a, c);
        Order(b, d);
        Order(b, c);
        s0[j] = a;
        s1[j] = b;
        s2[j] = c;
        s3[j] = d;
    }
}

// Sorted quads s at j and j + bpp merged into the sorted eight m at j.
void MergeQuads(const uint8_t* __restrict s0, const uint8_t* __restrict s1,
                const uint8_t* __restrict s2, const uint8_t* __restrict s3, size_t bpp,
                uint8_t* __restrict m0, uint8_t* __restrict m1, uint8_t* __restrict m2,
                uint8_t* __restrict m3, uint8_t* __restrict m4, uint8_t* __restrict m5,
                uint8_t* __restrict m6, uint8_t* __restrict m7, size_t n)
{
    for (size_t j = 0; j < n; ++j) {
        uint8_t x0 = s0[j], x1 = s1[j], x2 = s2[j], x3 = s3[j];
        uint8_t x4 = s0[j + bpp], x5 = s1[j + bpp], x6 = s2[j + bpp], x7 = s3[j + bpp];
        Order(x0, x4);
        Order(x1, x5);
        Order(x2, x6);
        Order(x3, x7);
        Order(x2, x4);
        Order(x3, x5);
        Order(x1, x2);
        Order(x3, x4);
        Order(x5, x6);
        m0[j] = x0;
        m1[j] = x1;
        m2[j] = x2;
        m3[j] = x3;
        m4[j] = x4;
        m5[j] = x5;
        m6[j] = x6;
        m7[j] = x7;
    }
}

// The ninth smallest of the sorted eights at i and i + o.
void NinthOfSixteen(const uint8_t* __restrict m0, const uint8_t* __restrict m1,
                    const uint8_t* __restrict m2, const uint8_t* __restrict m3,
                    const uint8_t* __restrict m4, const uint8_t* __restrict m5,
                    const uint8_t* __restrict m6, const uint8_t* __restrict m7, size_t o,
                    uint8_t* __restrict out, size_t n)
{
    for (size_t i = 0; i < n; ++i) {
        uint8_t v = std::max(m0[i], m7[i + o]);
        v = std::min(v, std::max(m1[i], m6[i + o]));
        v = std::min(v, std::max(m2[i], m5[i + o]));
        v = std::min(v, std::max(m3[i], m4[i + o]));
        v = std::min(v, std::max(m4[i], m3[i + o]));
        v = std::min(v, std::max(m5[i], m2[i + o]));
        v = std::min(v, std::max(m6[i], m1[i + o]));
        v = std::min(v, std::max(m7[i], m0[i + o]));
        out[i] = v;
    }
}

void ThirdOfFour(const uint8_t* __restrict lo, const uint8_t* __restrict hi, size_t o,
                 uint8_t* __restrict out, size_t n)
{
    for (size_t i = 0; i < n; ++i)
        out[i] = std::min(std::max(lo[i], hi[i + o]), std::max(hi[i], lo[i + o]));
}

void FifthOfNine(const uint8_t* __restrict lo, const uint8_t* __restrict mid,
                 const uint8_t* __restrict hi, size_t o, uint8_t* __restrict out, size_t n)
{
    for (size_t i = 0; i < n; ++i) {
        const uint8_t l = std::max(std::max(lo[i], lo[i + o]), lo[i + 2 * o]);
        const uint8_t m = Median3(mid[i], mid[i + o], mid[i + 2 * o]);
        const uint8_t h = std::min(std::min(hi[i], hi[i + o]), hi[i + 2 * o]);
        out[i] = Median3(l, m, h);
    }
}

struct SmallMedian {
    std::vector<uint8_t> buf;

    // 2 x 2, rank 2: the third smallest of two sorted pairs (a0 <= a1),
    // (b0 <= b1) is min(max(a0, b1), max(a1, b0)).
    void Row2(const uint8_t* const* r, size_t len, size_t bpp, uint8_t* out)
    {
        const size_t pw = len + bpp;
        buf.resize(2 * pw);
        uint8_t* lo = buf.data();
        uint8_t* hi = lo + pw;
        SortPairs(r[0], r[1], lo, hi, pw);
        ThirdOfFour(lo, hi, bpp, out, len);
    }

    // 3 x 3, rank 4: the median of the columns' largest minimum, median of
    // medians and smallest maximum.
    void Row3(const uint8_t* const* r, size_t len, size_t bpp, uint8_t* out)
    {
        const size_t pw = len + 2 * bpp;
        buf.resize(3 * pw);
        uint8_t* lo = buf.data();
        uint8_t* mid = lo + pw;
        uint8_t* hi = mid + pw;
        SortTriples(r[0], r[1], r[2], lo, mid, hi, pw);
        FifthOfNine(lo, mid, hi, bpp, out, len);
    }

    // 4 x 4, rank 8: sorted columns, adjacent pairs of columns merged into
    // sorted eights A and B (Batcher's odd-even merge), and the ninth
    // smallest of A and B, min over t of max(A[t-1], B[8-t]), t = 1..8.
    void Row4(const uint8_t* const* r, size_t len, size_t bpp, uint8_t* out)
    {
        const size_t pw = len + 3 * bpp;
        const size_t mw = len + 2 * bpp;
        buf.resize(4 * pw + 8 * mw);
        uint8_t* s[4];
        for (int k = 0; k < 4; ++k)
            s[k] = buf.data() + size_t(k) * pw;
        uint8_t* m[8];
        for (int k = 0; k < 8; ++k)
            m[k] = buf.data() + 4 * pw + size_t(k) * mw;
        SortQuads(r[0], r[1], r[2], r[3], s[0], s[1], s[2], s[3], pw);
        MergeQuads(s[0], s[1], s[2], s[3], bpp, m[0], m[1], m[2], m[3], m[4], m[5], m[6], m[7], mw);
        NinthOfSixteen(m[0], m[1], m[2], m[3], m[4], m[5], m[6], m[7], 2 * bpp, out, len);
    }
};

// The table applied to the colour channels of a row of `len` bytes (bpp 3
// or 4, the fourth byte left alone).
template <int bpp>
void TableRow(const uint8_t* p, uint8_t* q, size_t len, const uint8_t* table)
{
    for (size_t i = 0; i < len; i += bpp) {
        q[i] = table[p[i]];
        q[i + 1] = table[p[i + 1]];
        q[i + 2] = table[p[i + 2]];
        if (bpp == 4)
            q[i + 3] = p[i + 3];
    }
}

// The same, 32 bytes at a time: the table as 16 pieces of 16 entries, each
// byte taking its entry from the piece of its high half (a shuffle by the
// low half per piece, kept where the high half matches).
template <int bpp>
QRV_TARGET_AVX2 void TableRowAvx2(const uint8_t* p, uint8_t* q, size_t len, const uint8_t* table)
{
    __m256i pieces[16];
    for (int h = 0; h < 16; ++h)
        pieces[h] = _mm256_broadcastsi128_si256(
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(table + 16 * h)));
    const __m256i nibble = _mm256_set1_epi8(0x0F);
    // The fourth byte of each pixel keeps its value.
    const __m256i keep =
        bpp == 4 ? _mm256_set1_epi32(int32_t(0xFF000000)) : _mm256_setzero_si256();
    size_t i = 0;
    for (; i + 32 <= len; i += 32) {
        const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + i));
        const __m256i low = _mm256_and_si256(v, nibble);
        const __m256i high = _mm256_and_si256(_mm256_srli_epi16(v, 4), nibble);
        __m256i out = _mm256_setzero_si256();
        for (int h = 0; h < 16; ++h)
            out = _mm256_or_si256(
                out, _mm256_and_si256(_mm256_shuffle_epi8(pieces[h], low),
                                      _mm256_cmpeq_epi8(high, _mm256_set1_epi8(char(h)))));
        out = _mm256_blendv_epi8(out, v, keep);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(q + i), out);
    }
    // The rest byte by byte; 32 bytes are whole pixels of four bytes, so the
    // fourth bytes are those at i % 4 == 3.
    for (; i < len; ++i)
        q[i] = bpp == 3 || i % 4 != 3 ? table[p[i]] : p[i];
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
    return ApplyTable(image, table, image);
}

Status Effects::ApplyTable(const Image& src, const uint8_t table[256], Image& dst)
try {
    if (src.Empty())
        return kNoImage;
    if (src.IsIndexed()) {
        if (&dst != &src)
            dst = src;
        for (Bgra& c : dst.Palette()) {
            c.b = table[c.b];
            c.g = table[c.g];
            c.r = table[c.r];
        }
        return kOk;
    }
    if (&dst != &src) {
        const Status s = dst.Create(src.Width(), src.Height(), src.BitsPerPixel());
        if (s != kOk)
            return s;
        dst.Palette() = src.Palette();
    }
    const int bpp = src.BitsPerPixel() / 8;
    const size_t len = size_t(src.Width()) * size_t(bpp);
    const auto row = HasAvx2() ? (bpp == 4 ? TableRowAvx2<4> : TableRowAvx2<3>)
                               : (bpp == 4 ? TableRow<4> : TableRow<3>);
    const size_t pad = src.Stride() - len;
    SplitRows(src.Height(), len * size_t(src.Height()), [&](int y0, int y1) {
        for (int y = y0; y < y1; ++y) {
            row(src.Row(y), dst.Row(y), len, table);
            if (pad && &dst != &src)
                std::memcpy(dst.Row(y) + len, src.Row(y) + len, pad);
        }
    });
    return kOk;
} catch (const std::bad_alloc&) {
    return kOutOfMemory;
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
    uint8_t t[256];
    const Status s = IntensityTable(d, t);
    return s == kOk ? ApplyTable(image, t) : s;
}

Status Effects::IntensityTable(int d, uint8_t table[256])
{
    if (d < -1000 || d > 1000)
        return kInvalidParameter;
    const int add = d >= 0 ? (d * 255 + 500) / 1000 : -((-d * 255 + 500) / 1000);
    for (int v = 0; v < 256; ++v)
        table[v] = Clamp8(v + add);
    return kOk;
}

Status Effects::Contrast(Image& image, int d)
{
    uint8_t t[256];
    const Status s = ContrastTable(d, t);
    return s == kOk ? ApplyTable(image, t) : s;
}

Status Effects::ContrastTable(int d, uint8_t table[256])
{
    if (d < -1000 || d > 1000)
        return kInvalidParameter;
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
        table[v] = Clamp8(int((std::max<long long>(-2, std::min<long long>(512, twice)) + 1) / 2));
    }
    return kOk;
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
    // Rounded division by n*n: a shift when n*n is a power of two, else an
    // exact 40-bit reciprocal (the sums stay below 2^20, far inside its
    // exact range).
    const uint32_t d = uint32_t(n) * uint32_t(n);
    const size_t len = size_t(image.Width()) * size_t(image.BitsPerPixel() / 8);
    int shift = -1;
    for (int k = 0; k <= 12; ++k)
        if (d == (uint32_t(1) << k))
            shift = k;
    if (shift >= 0) {
        BoxSums(image, n, [&](int y, const auto* p, const uint8_t*) {
            uint8_t* q = image.Row(y);
            for (size_t i = 0; i < len; ++i)
                q[i] = uint8_t((uint32_t(p[i]) + d / 2) >> shift);
        });
    } else {
        const uint64_t m = (uint64_t(1) << 40) / d + 1;
        BoxSums(image, n, [&](int y, const auto* p, const uint8_t*) {
            uint8_t* q = image.Row(y);
            for (size_t i = 0; i < len; ++i)
                q[i] = uint8_t(((uint64_t(p[i]) + d / 2) * m) >> 40);
        });
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
    // The detail v - sum / 9, scaled by s / 500 when sharpening and s / 1000
    // when softening, the 9 folded into the divisor.
    const int div = s > 0 ? 9 * 500 : 9 * 1000;
    const size_t len = size_t(image.Width()) * size_t(image.BitsPerPixel() / 8);
    const auto row = HasAvx2() ? SharpenRowAvx2 : SharpenRowPortable;
    BoxSumsOf<uint16_t>(image, 3, [&](int y, const uint16_t* sums, const uint8_t* src) {
        row(src, sums, image.Row(y), len, s, div);
    });
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
    const Image& src = image;  // rows are copied before they are overwritten
    const int w = src.Width();
    const int h = src.Height();
    const int bpp = src.BitsPerPixel() / 8;
    const int before = (n - 1) / 2;
    const int after = n / 2;
    const int rank = n * n / 2;  // counted from 0
    const int pwPix = w + before + after;
    // Padded copies of the rows in the window (replicated edge pixels, so
    // that window reads need no clamping): source row r lives in slot r % n
    // from when the window first reaches it (before it is overwritten) until
    // the window has left it.
    const size_t pstride = size_t(pwPix) * size_t(bpp);
    std::vector<uint8_t> ring(size_t(n) * pstride);
    PaddedRow pr;
    int loaded = -1;
    const uint8_t* rows[64];
    auto window = [&](int y) {
        for (const int last = ClampRow(y + after, h); loaded < last;) {
            ++loaded;
            pr.Load(src, loaded, before, after);
            std::memcpy(ring.data() + size_t(loaded % n) * pstride, pr.bytes.data(), pstride);
        }
        for (int k = 0; k < n; ++k)
            rows[k] = ring.data() + size_t(ClampRow(y - before + k, h) % n) * pstride;
    };
    if (n <= 4) {
        SmallMedian sm;
        const size_t len = size_t(w) * size_t(bpp);
        for (int y = 0; y < h; ++y) {
            window(y);
            if (n == 2)
                sm.Row2(rows, len, size_t(bpp), image.Row(y));
            else if (n == 3)
                sm.Row3(rows, len, size_t(bpp), image.Row(y));
            else
                sm.Row4(rows, len, size_t(bpp), image.Row(y));
        }
        return kOk;
    }
    // Huang's running histogram per channel, sliding along each row; the
    // median is tracked incrementally (count of values below it), so each
    // step costs 2n histogram updates and a short walk.
    for (int y = 0; y < h; ++y) {
        window(y);
        uint8_t* out = image.Row(y);
        for (int c = 0; c < bpp; ++c) {
            uint16_t hist[256] = {};
            for (int dy = 0; dy < n; ++dy) {
                const uint8_t* r = rows[dy] + size_t(c);
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
                    const uint8_t* r = rows[dy];
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
