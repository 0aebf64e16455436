#include "imaging/FloydSteinbergDiffuser.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "imaging/ColorReducer.h"
#include "imaging/FloydSteinbergAvx2.h"

namespace qrv::img {

namespace {

// A pixel's three channels side by side in one 64-bit word, 21 bits each,
// blue lowest: a pixel's error sums are formed for all three channels at
// once, and its error is one word on the path from one pixel to the next.
constexpr int kLane = 21;
constexpr uint64_t Lanes(uint64_t b, uint64_t g, uint64_t r)
{
    return b | g << kLane | r << (2 * kLane);
}
constexpr uint64_t Spread(uint64_t v)
{
    return Lanes(v, v, v);
}

// Stored errors carry kBias in every channel so that no lane goes negative.
// The kernel's weights add up to 16, so a pixel's sum carries 16 kBias, which
// the division by 16 turns into kBias on the pixel's value.
constexpr int kBias = 512;
constexpr uint64_t kNoError = Spread(kBias);
constexpr uint64_t kHalf = Spread(8);  // rounds the division by 16 half up
constexpr uint64_t kValueMask = Spread(0x7FF);
// A pixel's value with its error lies in -kMaxError..255 + kMaxError; with
// kBias added that is below kValues.
constexpr int kMaxError = 255 + ColorReducer::kErrorReach;
constexpr int kValues = kBias + 255 + kMaxError + 1;
static_assert(-kMaxError >= PaletteMapper::kLowest && 255 + kMaxError <= PaletteMapper::kHighest,
              "a pixel's value with its error must lie within the mapper's key tables");

// Per channel and biased value: what the pixel's error is measured from
// (ColorReducer::ErrorBase plus kBias, in its lane), and the mapper's key
// bits, copied so that a value indexes them without a pointer to load (the
// byte stores of the loop could alias one and force its reload); per channel
// and source byte its lanes times 16, with the rounding; the palette's
// entries in lanes.
struct Tables {
    uint64_t base[3][kValues];
    uint32_t key[3][kValues] = {};
    uint64_t source[3][256];
    uint64_t colour[256] = {};

    explicit Tables(const PaletteMapper& map)
    {
        for (int v = 0; v < kValues; ++v) {
            const uint64_t b = uint64_t(ColorReducer::ErrorBase(v - kBias) + kBias);
            for (int ch = 0; ch < 3; ++ch)
                base[ch][v] = b << (kLane * ch);
        }
        for (int ch = 0; ch < 3; ++ch)
            for (int v = -kMaxError; v <= 255 + kMaxError; ++v)
                key[ch][v + kBias] = map.KeyBitsOf(ch)[v];
        for (int v = 0; v < 256; ++v)
            for (int ch = 0; ch < 3; ++ch)
                source[ch][v] = (uint64_t(v) << (kLane * ch + 4)) + (ch == 0 ? kHalf : 0);
        for (int i = 0; i < map.Size(); ++i)
            colour[i] = Lanes(map.Entry(i).b, map.Entry(i).g, map.Entry(i).r);
    }
};

constexpr int kChunk = 16;  // pixels a line maps before the next line's turn
constexpr int kLag = 2;     // chunks a line runs behind the line above it
constexpr int kMaxLines = 5;  // lines in flight together (measured best: 3, 4 and 6 are slower)
constexpr int kRing = kMaxLines + 1;

// The sums of the terms from the line above (the pixel above right passes on
// 3/16 of its error, the one above 5/16, the one above left 1/16), and the
// pixel itself times 16, for x in [x0, x1) of a line. Error rows have a pad
// of kNoError at -1 and w.
template <int bpp>
void Gather(const uint8_t* src, const uint64_t* above, uint64_t* line, int x0, int x1,
            const Tables& tab)
{
    for (int x = x0; x < x1; ++x) {
        const uint8_t* p = src + size_t(x) * bpp;
        line[x] = tab.source[0][p[0]] + tab.source[1][p[1]] + tab.source[2][p[2]] + above[x - 1] +
                  5 * above[x] + 3 * above[x + 1];
    }
}

// Maps pixel x of a line whose row holds its gathered sums, e the error of
// the pixel to its left: stores the index, and the pixel's error in place of
// its sum and in e.
inline void Map(uint64_t* row, int x, uint64_t& e, const Tables& tab,
                const PaletteMapper::Reader& look, uint8_t* out)
{
    const uint64_t t = ((row[x] + (e << 3) - e) >> 4) & kValueMask;
    const size_t tb = t & 0x7FF, tg = (t >> kLane) & 0x7FF, tr = t >> (2 * kLane);
    const uint32_t index = look.Nearest(tab.key[0][tb] | tab.key[1][tg] | tab.key[2][tr]);
    out[x] = uint8_t(index);
    e = (tab.base[0][tb] | tab.base[1][tg] | tab.base[2][tr]) - tab.colour[index];
    row[x] = e;
}

// N lines from y0 together, each kLag chunks behind the one above, so that
// their chains of lookups overlap. rows: the error row of line y at
// (y + 1) % kRing.
template <int N, int bpp>
void Band(const Image& img, int y0, uint64_t* const* rows, const Tables& tab,
          const PaletteMapper::Reader& look, uint8_t* out, size_t stride)
{
    const int w = img.Width();
    const int chunks = (w + kChunk - 1) / kChunk;
    uint64_t* line[N + 1];
    for (int j = 0; j <= N; ++j)
        line[j] = rows[(y0 + j) % kRing];  // line[0]: the line above y0
    uint64_t e[N];
    for (int j = 0; j < N; ++j)
        e[j] = kNoError;
    for (int step = 0; step < chunks + kLag * (N - 1); ++step) {
        bool full = true;
        for (int j = 0; j < N; ++j) {
            const int c = step - kLag * j;
            if (c < 0 || c >= chunks) {
                full = false;
                continue;
            }
            const int x0 = c * kChunk, x1 = std::min(w, x0 + kChunk);
            full = full && x1 - x0 == kChunk;
            Gather<bpp>(img.Row(y0 + j), line[j], line[j + 1], x0, x1, tab);
        }
        if (full) {
            uint64_t* row[N];
            uint8_t* q[N];
            for (int j = 0; j < N; ++j) {
                const int x0 = (step - kLag * j) * kChunk;
                row[j] = line[j + 1] + x0;
                q[j] = out + size_t(y0 + j) * stride + size_t(x0);
            }
            for (int i = 0; i < kChunk; ++i)
#pragma GCC unroll 4
                for (int j = 0; j < N; ++j)
                    Map(row[j], i, e[j], tab, look, q[j]);
            continue;
        }
        for (int j = 0; j < N; ++j) {
            const int c = step - kLag * j;
            if (c < 0 || c >= chunks)
                continue;
            uint8_t* q = out + size_t(y0 + j) * stride;
            for (int x = c * kChunk; x < std::min(w, (c + 1) * kChunk); ++x)
                Map(line[j + 1], x, e[j], tab, look, q);
        }
    }
}

template <int bpp>
void RunRows(const Image& img, const PaletteMapper::Reader& look, const Tables& tab,
             uint64_t* const* rows, uint8_t* out, size_t stride)
{
    const int h = img.Height();
    int y = 0;
    for (; y + kMaxLines <= h; y += kMaxLines)
        Band<kMaxLines, bpp>(img, y, rows, tab, look, out, stride);
    switch (h - y) {
    case 4: Band<4, bpp>(img, y, rows, tab, look, out, stride); break;
    case 3: Band<3, bpp>(img, y, rows, tab, look, out, stride); break;
    case 2: Band<2, bpp>(img, y, rows, tab, look, out, stride); break;
    case 1: Band<1, bpp>(img, y, rows, tab, look, out, stride); break;
    default: break;
    }
}

}  // namespace

void FloydSteinbergDiffuser::Run(const Image& image, PaletteMapper& map, uint8_t* out,
                                 size_t stride, CodePath path)
{
    if (path == CodePath::kFastest && FloydSteinbergAvx2::Run(image, map, out, stride))
        return;
    const auto tab = std::make_unique<Tables>(map);
    const PaletteMapper::Reader look(map);
    const size_t rowWords = size_t(image.Width()) + 2;
    std::vector<uint64_t> store(rowWords * kRing, kNoError);
    uint64_t* rows[kRing];
    for (int i = 0; i < kRing; ++i)
        rows[i] = store.data() + size_t(i) * rowWords + 1;
    if (image.BitsPerPixel() == 32)
        RunRows<4>(image, look, *tab, rows, out, stride);
    else
        RunRows<3>(image, look, *tab, rows, out, stride);
}

}  // namespace qrv::img
