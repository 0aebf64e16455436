#include "imaging/ColorReducer.h"

#include <algorithm>
#include <new>

#include "imaging/PaletteMapper.h"

namespace qrv::img {

namespace {

struct Tap {
    int dx, dy, w;
};

// The error diffusion kernels: taps to the right of the pixel and in the
// rows below, and the divisor of their weights.
struct FloydSteinberg {
    static constexpr int kDiv = 16, kRows = 1, kHalf = 1, kTaps = 4;
    static constexpr Tap kTap[kTaps] = {{1, 0, 7}, {-1, 1, 3}, {0, 1, 5}, {1, 1, 1}};
};
struct Stucki {
    static constexpr int kDiv = 42, kRows = 2, kHalf = 2, kTaps = 12;
    static constexpr Tap kTap[kTaps] = {{1, 0, 8},  {2, 0, 4},  {-2, 1, 2}, {-1, 1, 4},
                                        {0, 1, 8},  {1, 1, 4},  {2, 1, 2},  {-2, 2, 1},
                                        {-1, 2, 2}, {0, 2, 4},  {1, 2, 2},  {2, 2, 1}};
};
struct Burkes {
    static constexpr int kDiv = 32, kRows = 1, kHalf = 2, kTaps = 7;
    static constexpr Tap kTap[kTaps] = {{1, 0, 8}, {2, 0, 4}, {-2, 1, 2}, {-1, 1, 4},
                                        {0, 1, 8}, {1, 1, 4}, {2, 1, 2}};
};
struct Sierra {
    static constexpr int kDiv = 32, kRows = 2, kHalf = 2, kTaps = 10;
    static constexpr Tap kTap[kTaps] = {{1, 0, 5}, {2, 0, 3},  {-2, 1, 2}, {-1, 1, 4},
                                        {0, 1, 5}, {1, 1, 4},  {2, 1, 2},  {-1, 2, 2},
                                        {0, 2, 3}, {1, 2, 2}};
};
struct StevensonArce {
    static constexpr int kDiv = 200, kRows = 3, kHalf = 3, kTaps = 12;
    static constexpr Tap kTap[kTaps] = {{2, 0, 32},  {-3, 1, 12}, {-1, 1, 26}, {1, 1, 30},
                                        {3, 1, 16},  {-2, 2, 12}, {0, 2, 26},  {2, 2, 12},
                                        {-3, 3, 5},  {-1, 3, 12}, {1, 3, 12},  {3, 3, 5}};
};
struct Jarvis {
    static constexpr int kDiv = 48, kRows = 2, kHalf = 2, kTaps = 12;
    static constexpr Tap kTap[kTaps] = {{1, 0, 7},  {2, 0, 5},  {-2, 1, 3}, {-1, 1, 5},
                                        {0, 1, 7},  {1, 1, 5},  {2, 1, 3},  {-2, 2, 1},
                                        {-1, 2, 3}, {0, 2, 5},  {1, 2, 3},  {2, 2, 1}};
};

inline int Clamp8(int v)
{
    return v < 0 ? 0 : v > 255 ? 255 : v;
}

// Rounded division of an error sum by the kernel's constant divisor; the
// bias keeps the dividend positive so the compiler's constant division is
// a plain multiply and shift.
template <int D>
inline int DivRound(int acc)
{
    constexpr int kBias = 4096 * D;
    return (acc + kBias + D / 2) / D - 4096;
}

// Error sums live in rows of (width + 2 * kHalf) x 3 ints, one row for the
// current line and each line below, reused round-robin.
template <class K>
void Diffuse(const Image& img, PaletteMapper& map, std::vector<uint8_t>& out)
{
    const int w = img.Width();
    const int h = img.Height();
    const int bpp = img.BitsPerPixel() / 8;
    const size_t rowInts = size_t(w + 2 * K::kHalf) * 3;
    constexpr int kRing = K::kRows + 1;
    std::vector<int> err(rowInts * kRing, 0);
    std::vector<int> pal(size_t(map.Size()) * 3);
    for (int i = 0; i < map.Size(); ++i) {
        pal[size_t(i) * 3 + 0] = map.Entry(i).b;
        pal[size_t(i) * 3 + 1] = map.Entry(i).g;
        pal[size_t(i) * 3 + 2] = map.Entry(i).r;
    }
    for (int y = 0; y < h; ++y) {
        int* rows[kRing];
        for (int k = 0; k < kRing; ++k)
            rows[k] = err.data() + size_t((y + k) % kRing) * rowInts + size_t(K::kHalf) * 3;
        const uint8_t* p = img.Row(y);
        uint8_t* q = out.data() + size_t(y) * size_t(w);
        for (int x = 0; x < w; ++x, p += bpp) {
            int* cur = rows[0] + x * 3;
            const int b = Clamp8(p[0] + DivRound<K::kDiv>(cur[0]));
            const int g = Clamp8(p[1] + DivRound<K::kDiv>(cur[1]));
            const int r = Clamp8(p[2] + DivRound<K::kDiv>(cur[2]));
            const int idx = map.Lookup(b, g, r);
            q[x] = uint8_t(idx);
            const int* c = pal.data() + idx * 3;
            const int eb = b - c[0], eg = g - c[1], er = r - c[2];
            for (int t = 0; t < K::kTaps; ++t) {
                int* d = rows[K::kTap[t].dy] + (x + K::kTap[t].dx) * 3;
                d[0] += eb * K::kTap[t].w;
                d[1] += eg * K::kTap[t].w;
                d[2] += er * K::kTap[t].w;
            }
        }
        // The current line's sums are spent; it becomes the lowest line.
        std::fill(err.begin() + ptrdiff_t(size_t(y % kRing) * rowInts),
                  err.begin() + ptrdiff_t(size_t(y % kRing + 1) * rowInts), 0);
    }
}

// Typical spacing of the palette along one channel: the median over the
// entries of the largest channel difference to the nearest other entry.
int PaletteSpread(const std::vector<Bgra>& pal)
{
    if (pal.size() < 2)
        return 0;
    std::vector<int> spread;
    for (size_t i = 0; i < pal.size(); ++i) {
        int bestD = -1, cheb = 0;
        for (size_t j = 0; j < pal.size(); ++j) {
            if (i == j || pal[i] == pal[j])
                continue;
            const int db = pal[i].b - pal[j].b, dg = pal[i].g - pal[j].g, dr = pal[i].r - pal[j].r;
            const int d = db * db + dg * dg + dr * dr;
            if (bestD < 0 || d < bestD) {
                bestD = d;
                cheb = std::max({std::abs(db), std::abs(dg), std::abs(dr)});
            }
        }
        if (bestD >= 0)
            spread.push_back(cheb);
    }
    if (spread.empty())
        return 0;
    std::nth_element(spread.begin(), spread.begin() + ptrdiff_t(spread.size() / 2), spread.end());
    return spread[spread.size() / 2];
}

void Ordered(const Image& img, PaletteMapper& map, int spread, std::vector<uint8_t>& out)
{
    static const uint8_t kBayer[8][8] = {
        {0, 32, 8, 40, 2, 34, 10, 42},  {48, 16, 56, 24, 50, 18, 58, 26},
        {12, 44, 4, 36, 14, 46, 6, 38}, {60, 28, 52, 20, 62, 30, 54, 22},
        {3, 35, 11, 43, 1, 33, 9, 41},  {51, 19, 59, 27, 49, 17, 57, 25},
        {15, 47, 7, 39, 13, 45, 5, 37}, {63, 31, 55, 23, 61, 29, 53, 21}};
    const int bpp = img.BitsPerPixel() / 8;
    for (int y = 0; y < img.Height(); ++y) {
        const uint8_t* p = img.Row(y);
        uint8_t* q = out.data() + size_t(y) * size_t(img.Width());
        for (int x = 0; x < img.Width(); ++x, p += bpp) {
            // Threshold in (-1/2, 1/2) of the spread.
            const int off = ((2 * kBayer[y & 7][x & 7] + 1 - 64) * spread) / 128;
            q[x] = uint8_t(map.Lookup(Clamp8(p[0] + off), Clamp8(p[1] + off), Clamp8(p[2] + off)));
        }
    }
}

}  // namespace

std::vector<Bgra> ColorReducer::FixedPalette(int bits)
{
    std::vector<Bgra> p;
    switch (bits) {
    case 1:
        p = {Bgra{0, 0, 0, 0}, Bgra{255, 255, 255, 0}};
        break;
    case 2:
        for (int i = 0; i < 4; ++i)
            p.push_back(Bgra{uint8_t(i * 85), uint8_t(i * 85), uint8_t(i * 85), 0});
        break;
    case 3:
        for (int i = 0; i < 8; ++i)
            p.push_back(Bgra{uint8_t(i & 4 ? 255 : 0), uint8_t(i & 2 ? 255 : 0),
                             uint8_t(i & 1 ? 255 : 0), 0});
        break;
    case 4: {
        static const uint32_t kVga[16] = {0x000000, 0x000080, 0x008000, 0x008080,
                                          0x800000, 0x800080, 0x808000, 0xC0C0C0,
                                          0x808080, 0x0000FF, 0x00FF00, 0x00FFFF,
                                          0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF};
        for (uint32_t c : kVga)
            p.push_back(ColorRefToBgra(c));
        break;
    }
    case 8:
        for (int r = 0; r < 6; ++r)
            for (int g = 0; g < 6; ++g)
                for (int b = 0; b < 6; ++b)
                    p.push_back(Bgra{uint8_t(b * 51), uint8_t(g * 51), uint8_t(r * 51), 0});
        for (int i = 0, k = 1; i < 40; ++k) {
            const int v = (k * 255 + 22) / 45;  // 44 steps; skip the cube's own greys
            if (v % 51 == 0)
                continue;
            p.push_back(Bgra{uint8_t(v), uint8_t(v), uint8_t(v), 0});
            ++i;
        }
        break;
    default:
        break;
    }
    return p;
}

Status ColorReducer::Quantize(const Image& image, const std::vector<Bgra>& palette, int dither,
                              std::vector<uint8_t>& indexes)
try {
    if (image.Empty())
        return kNoImage;
    if (image.IsIndexed() || palette.empty() || palette.size() > 256 || dither < 0 ||
        dither > 7)
        return kInvalidParameter;
    indexes.assign(size_t(image.Width()) * size_t(image.Height()), 0);
    PaletteMapper map(palette);
    switch (dither) {
    case kDitherFloydSteinberg: Diffuse<FloydSteinberg>(image, map, indexes); break;
    case kDitherStucki: Diffuse<Stucki>(image, map, indexes); break;
    case kDitherBurkes: Diffuse<Burkes>(image, map, indexes); break;
    case kDitherSierra: Diffuse<Sierra>(image, map, indexes); break;
    case kDitherStevensonArce: Diffuse<StevensonArce>(image, map, indexes); break;
    case kDitherJarvis: Diffuse<Jarvis>(image, map, indexes); break;
    case kDitherOrdered: Ordered(image, map, PaletteSpread(palette), indexes); break;
    default: Ordered(image, map, 0, indexes); break;
    }
    return kOk;
} catch (const std::bad_alloc&) {
    return kOutOfMemory;
}

Status ColorReducer::ColorRes(Image& image, int bits, int paletteFlags, int dither, int colours,
                              const std::vector<uint32_t>& userPalette)
try {
    if (image.Empty())
        return kNoImage;
    if (dither < 0 || dither > 7 || (paletteFlags & ~(kPaletteFixed | kPaletteBgr | kPaletteUser)))
        return kInvalidParameter;
    if (bits == 24) {
        if (image.BitsPerPixel() == 24)
            return kOk;
        Image out;
        const Status s = image.ConvertTo(24, out);
        if (s == kOk)
            image = std::move(out);
        return s;
    }
    if (bits != 1 && bits != 2 && bits != 3 && bits != 4 && bits != 8)
        return kInvalidParameter;
    const int maxColours = 1 << bits;
    std::vector<Bgra> palette;
    if (paletteFlags & kPaletteUser) {
        const int n = colours == 0 ? maxColours : colours;
        if (n < 1 || n > maxColours || size_t(n) > userPalette.size())
            return kInvalidParameter;
        for (int i = 0; i < n; ++i)
            palette.push_back(ColorRefToBgra(userPalette[size_t(i)]));
    } else {
        palette = FixedPalette(bits);
    }
    Status s = image.PromoteToTrueColor();
    if (s != kOk)
        return s;
    std::vector<uint8_t> idx;
    s = Quantize(image, palette, dither, idx);
    if (s != kOk)
        return s;
    Image out;
    s = out.Create(image.Width(), image.Height(), bits == 3 ? 4 : bits);
    if (s != kOk)
        return s;
    out.Palette() = palette;
    const int w = image.Width();
    for (int y = 0; y < image.Height(); ++y) {
        const uint8_t* p = idx.data() + size_t(y) * size_t(w);
        if (bits == 8) {
            std::copy(p, p + w, out.Row(y));
            continue;
        }
        for (int x = 0; x < w; ++x)
            out.SetIndex(x, y, p[x]);
    }
    image = std::move(out);
    return kOk;
} catch (const std::bad_alloc&) {
    return kOutOfMemory;
}

}  // namespace qrv::img
