#include "imaging/ColorReducer.h"

#include <algorithm>
#include <memory>
#include <mutex>
#include <new>

#include "imaging/FloydSteinbergDiffuser.h"
#include "imaging/PaletteMapper.h"

namespace qrv::img {

namespace {

inline int Clamp255(int v)
{
    return v < 0 ? 0 : v > 255 ? 255 : v;
}

struct Tap {
    int dx, dy, w;
};

// The error diffusion kernels: taps to the right of the pixel and in the
// rows below, and the divisor of their weights. Floyd-Steinberg, the one
// used most, has a path of its own (FloydSteinbergDiffuser).
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

static_assert(-255 - ColorReducer::kErrorReach >= PaletteMapper::kLowest &&
                  510 + ColorReducer::kErrorReach <= PaletteMapper::kHighest,
              "pixel values with their error must stay within the mapper's lookup range");

// ColorReducer::ErrorBase by table: one load instead of two compares and
// selects on the path from one pixel's error to the next.
struct ErrorBases {
    int16_t at[PaletteMapper::kHighest - PaletteMapper::kLowest + 1];
    ErrorBases()
    {
        for (int v = PaletteMapper::kLowest; v <= PaletteMapper::kHighest; ++v)
            at[v - PaletteMapper::kLowest] = int16_t(ColorReducer::ErrorBase(v));
    }
};
const ErrorBases kErrorBases;

inline int ErrorBase(int v)
{
    return kErrorBases.at[v - PaletteMapper::kLowest];
}

// Rounded division of an error sum by the kernel's constant divisor; the
// bias keeps the dividend positive so the compiler's constant division is
// a plain multiply and shift (a shift for 16 and 32).
template <int D>
inline int DivRound(int acc)
{
    constexpr int kBias = 4096 * D;
    return int(unsigned(acc + kBias + D / 2) / unsigned(D)) - 4096;
}

// The weight of the tap (dx, dy), 0 when the kernel has none there.
template <class K>
constexpr int Weight(int dx, int dy)
{
    for (int t = 0; t < K::kTaps; ++t)
        if (K::kTap[t].dx == dx && K::kTap[t].dy == dy)
            return K::kTap[t].w;
    return 0;
}

// The part of every pixel's error sum that comes from the rows above,
// gathered for a whole row at once: acc[i] = sum of w * e[dy][i - 3 dx] over
// the taps dy >= kFrom below their line (e[dy]: the row dy lines up). Error
// rows hold three ints per pixel with kPad zero pixels at each end; rows above
// the image are zero.
template <class K, int kFrom>
void GatherAbove(int* __restrict acc, const int* __restrict e1, const int* __restrict e2,
                 const int* __restrict e3, size_t n)
{
    for (size_t i = 0; i < n; ++i) {
        const ptrdiff_t j = ptrdiff_t(i);
        int s = 0;
        for (int dx = -3; dx <= 3; ++dx) {
            if (kFrom <= 1)
                s += Weight<K>(dx, 1) * e1[j - 3 * dx];
            if (kFrom <= 2 && K::kRows >= 2)
                s += Weight<K>(dx, 2) * e2[j - 3 * dx];
            if (K::kRows >= 3)
                s += Weight<K>(dx, 3) * e3[j - 3 * dx];
        }
        acc[i] = s;
    }
}

// The errors of the two pixels to the left, per channel.
struct LeftErrors {
    int b1 = 0, g1 = 0, r1 = 0, b2 = 0, g2 = 0, r2 = 0;
};

// Maps one pixel: its source bytes p, the gathered sum a (plus the extra
// sums x*), stores its index and its error.
template <class K>
inline void MapPixel(const uint8_t* p, const int* a, int xb, int xg, int xr,
                     const PaletteMapper::Reader& look, LeftErrors& l, int* d, uint8_t* q)
{
    constexpr int kW1 = Weight<K>(1, 0);
    constexpr int kW2 = Weight<K>(2, 0);
    const int tb = p[0] + DivRound<K::kDiv>(a[0] + xb + kW1 * l.b1 + kW2 * l.b2);
    const int tg = p[1] + DivRound<K::kDiv>(a[1] + xg + kW1 * l.g1 + kW2 * l.g2);
    const int tr = p[2] + DivRound<K::kDiv>(a[2] + xr + kW1 * l.r1 + kW2 * l.r2);
    const uint32_t e = look.LookupClamped(tb, tg, tr);
    const int b = ErrorBase(tb), g = ErrorBase(tg), r = ErrorBase(tr);
    *q = uint8_t(e);
    l.b2 = l.b1, l.g2 = l.g1, l.r2 = l.r1;
    l.b1 = b - int((e >> 8) & 0xFF);
    l.g1 = g - int((e >> 16) & 0xFF);
    l.r1 = r - int(e >> 24);
    d[0] = l.b1;
    d[1] = l.g1;
    d[2] = l.r1;
}

// a[i] += the sum of w * e[i - 3 dx] over the taps on the next line (dy 1),
// for i in [from, to).
template <class K>
void AddLineAbove(int* __restrict a, const int* __restrict e, ptrdiff_t from, ptrdiff_t to)
{
    for (ptrdiff_t i = from; i < to; ++i) {
        int s = 0;
        for (int dx = -3; dx <= 3; ++dx)
            s += Weight<K>(dx, 1) * e[i - 3 * dx];
        a[i] += s;
    }
}

// Error diffusion with the sums gathered instead of scattered (the same
// integers): per line the sums from the lines above come from vectorised
// passes, the errors of the pixels to the left stay in registers. Two lines
// are mapped together, the lower two chunks of pixels behind the upper, so
// that the two dependency chains of a pixel's lookup overlap; before each
// chunk of the lower line the upper line's errors above it, all known by
// then, are added in one pass.
template <class K, int bpp>
void Diffuse(const Image& img, PaletteMapper& map, uint8_t* out, size_t outStride)
{
    static_assert(K::kHalf <= 3 && K::kRows <= 3, "kernel wider than the error rows");
    const int w = img.Width();
    const int h = img.Height();
    constexpr int kPad = 3;    // zero pixels at each end of an error row
    constexpr int kChunk = 16;  // at least kHalf
    const size_t rowInts = size_t(w + 2 * kPad) * 3;
    constexpr int kRing = K::kRows + 1;
    std::vector<int> err(rowInts * kRing, 0);
    auto errRow = [&](int y) {
        return err.data() + size_t(((y % kRing) + kRing) % kRing) * rowInts + size_t(kPad) * 3;
    };
    const PaletteMapper::Reader look(map);
    int y = 0;
    for (; y + 1 < h; y += 2) {
        int* eu = errRow(y);
        int* el = errRow(y + 1);
        // The gathered sums go into the lines' own error rows, each pixel's
        // sum replaced by its error once mapped.
        GatherAbove<K, 1>(eu, errRow(y - 1), errRow(y - 2), errRow(y - 3), size_t(w) * 3);
        GatherAbove<K, 2>(el, eu, errRow(y - 1), errRow(y - 2), size_t(w) * 3);
        const uint8_t* pu = img.Row(y);
        const uint8_t* pl = img.Row(y + 1);
        uint8_t* qu = out + size_t(y) * outStride;
        uint8_t* ql = qu + outStride;
        LeftErrors lu, ll;
        const int chunks = (w + kChunk - 1) / kChunk;
        for (int t = 0; t < chunks + 2; ++t) {
            const int ux = t * kChunk, lx = (t - 2) * kChunk;
            const int nu = t < chunks ? std::min(w - ux, kChunk) : 0;
            const int nl = t >= 2 ? std::min(w - lx, kChunk) : 0;
            if (nl > 0)
                AddLineAbove<K>(el, eu, ptrdiff_t(lx) * 3, ptrdiff_t(lx + nl) * 3);
            const int both = std::min(nu, nl);
            int i = 0;
            for (; i < both; ++i) {
                const int xu = ux + i, xl = lx + i;
                MapPixel<K>(pu + xu * bpp, eu + xu * 3, 0, 0, 0, look, lu, eu + xu * 3, qu + xu);
                MapPixel<K>(pl + xl * bpp, el + xl * 3, 0, 0, 0, look, ll, el + xl * 3, ql + xl);
            }
            for (int k = i; k < nu; ++k) {
                const int xu = ux + k;
                MapPixel<K>(pu + xu * bpp, eu + xu * 3, 0, 0, 0, look, lu, eu + xu * 3, qu + xu);
            }
            for (int k = i; k < nl; ++k) {
                const int xl = lx + k;
                MapPixel<K>(pl + xl * bpp, el + xl * 3, 0, 0, 0, look, ll, el + xl * 3, ql + xl);
            }
        }
    }
    if (y < h) {
        int* eu = errRow(y);
        GatherAbove<K, 1>(eu, errRow(y - 1), errRow(y - 2), errRow(y - 3), size_t(w) * 3);
        const uint8_t* pu = img.Row(y);
        uint8_t* qu = out + size_t(y) * outStride;
        LeftErrors lu;
        for (int x = 0; x < w; ++x)
            MapPixel<K>(pu + size_t(x) * size_t(bpp), eu + x * 3, 0, 0, 0, look, lu, eu + x * 3,
                        qu + x);
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

void Ordered(const Image& img, PaletteMapper& map, int spread, uint8_t* out, size_t outStride)
{
    static const uint8_t kBayer[8][8] = {
        {0, 32, 8, 40, 2, 34, 10, 42},  {48, 16, 56, 24, 50, 18, 58, 26},
        {12, 44, 4, 36, 14, 46, 6, 38}, {60, 28, 52, 20, 62, 30, 54, 22},
        {3, 35, 11, 43, 1, 33, 9, 41},  {51, 19, 59, 27, 49, 17, 57, 25},
        {15, 47, 7, 39, 13, 45, 5, 37}, {63, 31, 55, 23, 61, 29, 53, 21}};
    const int bpp = img.BitsPerPixel() / 8;
    const PaletteMapper::Reader look(map);
    for (int y = 0; y < img.Height(); ++y) {
        const uint8_t* p = img.Row(y);
        uint8_t* q = out + size_t(y) * outStride;
        for (int x = 0; x < img.Width(); ++x, p += bpp) {
            // Threshold in (-1/2, 1/2) of the spread.
            const int off = ((2 * kBayer[y & 7][x & 7] + 1 - 64) * spread) / 128;
            // The threshold only chooses between neighbouring entries: no
            // error is carried, so the value stays within the cube.
            q[x] = uint8_t(look.LookupClamped(Clamp255(p[0] + off), Clamp255(p[1] + off),
                                              Clamp255(p[2] + off)));
        }
    }
}

// The mappers of the last few palettes used, kept with their filled slots:
// the panel preview reduces frame after frame to the same palettes. A call
// takes its palette's mapper for its own use (a concurrent call with the same
// palette builds its own) and hands it back afterwards, most recent first;
// results never depend on what the cache holds.
constexpr size_t kKeptMappers = 4;
std::mutex gMapperLock;
std::vector<std::unique_ptr<PaletteMapper>> gMappers;

std::unique_ptr<PaletteMapper> TakeMapper(const std::vector<Bgra>& palette)
{
    {
        const std::lock_guard<std::mutex> lock(gMapperLock);
        for (size_t i = 0; i < gMappers.size(); ++i)
            if (gMappers[i]->SamePalette(palette)) {
                std::unique_ptr<PaletteMapper> m = std::move(gMappers[i]);
                gMappers.erase(gMappers.begin() + ptrdiff_t(i));
                return m;
            }
    }
    return std::make_unique<PaletteMapper>(palette);
}

void KeepMapper(std::unique_ptr<PaletteMapper> map)
{
    const std::lock_guard<std::mutex> lock(gMapperLock);
    gMappers.insert(gMappers.begin(), std::move(map));
    if (gMappers.size() > kKeptMappers)
        gMappers.resize(kKeptMappers);
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

namespace {

// Packs a row of indexes into pixels of kDepth bits (1, 2 or 4), the leftmost
// in the most significant bits of a byte. The whole bytes go by a loop of
// fixed shape, which the compiler unrolls and vectorises: with a test for the
// row's end at every pixel, packing took a quarter of a 16-colour reduction.
template <int kDepth>
void PackRowOf(const uint8_t* idx, size_t w, uint8_t* row)
{
    constexpr size_t kPerByte = 8 / kDepth;
    const size_t whole = w / kPerByte;
    for (size_t i = 0; i < whole; ++i) {
        unsigned byte = 0;
        for (size_t k = 0; k < kPerByte; ++k)
            byte = byte << kDepth | idx[i * kPerByte + k];
        row[i] = uint8_t(byte);
    }
    if (whole * kPerByte == w)
        return;
    unsigned byte = 0;
    for (size_t k = 0; k < kPerByte; ++k)
        byte = byte << kDepth | (whole * kPerByte + k < w ? idx[whole * kPerByte + k] : 0u);
    row[whole] = uint8_t(byte);
}

void PackRow(const uint8_t* idx, size_t w, int depth, uint8_t* row)
{
    switch (depth) {
    case 1: PackRowOf<1>(idx, w, row); break;
    case 2: PackRowOf<2>(idx, w, row); break;
    default: PackRowOf<4>(idx, w, row); break;
    }
}

template <int bpp>
void Reduce(const Image& image, PaletteMapper& map, const std::vector<Bgra>& palette, int dither,
            uint8_t* out, size_t stride)
{
    switch (dither) {
    case kDitherFloydSteinberg: FloydSteinbergDiffuser::Run(image, map, out, stride); break;
    case kDitherStucki: Diffuse<Stucki, bpp>(image, map, out, stride); break;
    case kDitherBurkes: Diffuse<Burkes, bpp>(image, map, out, stride); break;
    case kDitherSierra: Diffuse<Sierra, bpp>(image, map, out, stride); break;
    case kDitherStevensonArce: Diffuse<StevensonArce, bpp>(image, map, out, stride); break;
    case kDitherJarvis: Diffuse<Jarvis, bpp>(image, map, out, stride); break;
    case kDitherOrdered: Ordered(image, map, PaletteSpread(palette), out, stride); break;
    default: Ordered(image, map, 0, out, stride); break;
    }
}

// Quantize into rows of `stride` bytes at `out`; the arguments are checked.
void QuantizeInto(const Image& image, const std::vector<Bgra>& palette, int dither, uint8_t* out,
                  size_t stride)
{
    std::unique_ptr<PaletteMapper> held = TakeMapper(palette);
    if (image.BitsPerPixel() == 32)
        Reduce<4>(image, *held, palette, dither, out, stride);
    else
        Reduce<3>(image, *held, palette, dither, out, stride);
    KeepMapper(std::move(held));
}

}  // namespace

Status ColorReducer::Quantize(const Image& image, const std::vector<Bgra>& palette, int dither,
                              std::vector<uint8_t>& indexes)
try {
    if (image.Empty())
        return kNoImage;
    if (image.IsIndexed() || palette.empty() || palette.size() > 256 || dither < 0 ||
        dither > 7)
        return kInvalidParameter;
    indexes.assign(size_t(image.Width()) * size_t(image.Height()), 0);
    QuantizeInto(image, palette, dither, indexes.data(), size_t(image.Width()));
    return kOk;
} catch (const std::bad_alloc&) {
    return kOutOfMemory;
}

Status ColorReducer::ColorRes(Image& image, int bits, int paletteFlags, int dither, int colours,
                              const std::vector<uint32_t>& userPalette)
{
    return ColorRes(image, bits, paletteFlags, dither, colours, userPalette, image);
}

Status ColorReducer::ColorRes(const Image& src, int bits, int paletteFlags, int dither, int colours,
                              const std::vector<uint32_t>& userPalette, Image& dst)
try {
    if (src.Empty())
        return kNoImage;
    if (dither < 0 || dither > 7 || (paletteFlags & ~(kPaletteFixed | kPaletteBgr | kPaletteUser)))
        return kInvalidParameter;
    if (bits == 24) {
        if (src.BitsPerPixel() != 24) {
            Image out;
            const Status s = src.ConvertTo(24, out);
            if (s == kOk)
                dst = std::move(out);
            return s;
        }
        if (&dst != &src)
            dst = src;
        return kOk;
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
    Image out;
    Status s = out.Create(src.Width(), src.Height(), bits == 3 ? 4 : bits);
    if (s != kOk)
        return s;
    out.Palette() = palette;
    if (bits == 8 && !src.IsIndexed()) {
        // Indexes straight into the rows (their padding stays 0).
        QuantizeInto(src, palette, dither, out.Data(), out.Stride());
    } else {
        // A true-colour working image: the source itself when reduced in
        // place, else a copy.
        Image copy;
        if (&dst != &src)
            copy = src;
        Image& work = &dst != &src ? copy : dst;
        s = work.PromoteToTrueColor();
        if (s != kOk)
            return s;
        if (bits == 8) {
            QuantizeInto(work, palette, dither, out.Data(), out.Stride());
        } else {
            // A byte per pixel first, into the start of each working row:
            // every kernel has read a pixel's bytes before it stores the index
            // of that pixel or of one to its right, and the rows below are
            // untouched. Then packed row by row.
            QuantizeInto(work, palette, dither, work.Data(), work.Stride());
            const int depth = out.BitsPerPixel();
            for (int y = 0; y < work.Height(); ++y)
                PackRow(work.Row(y), size_t(work.Width()), depth, out.Row(y));
        }
    }
    dst = std::move(out);
    return kOk;
} catch (const std::bad_alloc&) {
    return kOutOfMemory;
}

}  // namespace qrv::img
