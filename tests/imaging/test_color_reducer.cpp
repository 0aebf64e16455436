#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <string>

#include "imaging/ColorReducer.h"
#include "imaging/Cpu.h"
#include "imaging/FloydSteinbergAvx2.h"
#include "imaging/FloydSteinbergDiffuser.h"
#include "imaging/PaletteMapper.h"

using namespace qrv::img;

namespace {

void Put(Image &img, int x, int y, Bgra c)
{
    uint8_t *p = img.Row(y) + x * (img.BitsPerPixel() / 8);
    p[0] = c.b;
    p[1] = c.g;
    p[2] = c.r;
}

Image Gradient(int w, int h)
{
    Image img;
    EXPECT_EQ(img.Create(w, h, 24), kOk);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            Put(img, x, y,
                Bgra{uint8_t(x * 255 / (w - 1)), uint8_t(y * 255 / (h - 1)), uint8_t((x + y) * 127 / (w + h)),
                     0});
    return img;
}

// The entry a full search finds for the centre of the slot (2^shift values
// per channel) holding (b, g, r): squared distance in doubled coordinates,
// ties to the lower index.
int NearestToSlotCentre(const std::vector<Bgra> &pal, int b, int g, int r, int shift)
{
    const int w = 1 << shift;
    const int cb = (b >> shift) * 2 * w + w - 1, cg = (g >> shift) * 2 * w + w - 1,
              cr = (r >> shift) * 2 * w + w - 1;
    int best = 0, bestD = -1;
    for (size_t i = 0; i < pal.size(); ++i) {
        const int db = 2 * pal[i].b - cb, dg = 2 * pal[i].g - cg, dr = 2 * pal[i].r - cr;
        const int d = db * db + dg * dg + dr * dr;
        if (bestD < 0 || d < bestD) {
            best = int(i);
            bestD = d;
        }
    }
    return best;
}

std::vector<Bgra> RandomPalette(unsigned seed, int n)
{
    std::mt19937 rng(seed);
    std::vector<Bgra> pal;
    for (int i = 0; i < n; ++i)
        pal.push_back(Bgra{uint8_t(rng()), uint8_t(rng()), uint8_t(rng()), 0});
    // Repeated entries and entries at equal distances from many slot centres.
    pal[size_t(n / 2)] = pal[0];
    pal[size_t(n - 1)] = Bgra{51, 102, 153, 0};
    pal[size_t(n - 2)] = Bgra{0, 0, 0, 0};
    return pal;
}

} // namespace

// Palettes with close entries get the fine slots, widely spaced ones the
// coarse.
TEST(PaletteMapper, SlotSizeFollowsTheSpacingOfTheEntries)
{
    EXPECT_EQ(PaletteMapper(ColorReducer::FixedPalette(8)).SlotShift(), 1); // its greys
    EXPECT_EQ(PaletteMapper(ColorReducer::FixedPalette(4)).SlotShift(), 2);
    EXPECT_EQ(PaletteMapper(ColorReducer::FixedPalette(1)).SlotShift(), 2);
    // Repeated entries do not count as close.
    EXPECT_EQ(PaletteMapper({Bgra{0, 0, 0, 0}, Bgra{0, 0, 0, 0}, Bgra{255, 255, 255, 0}}).SlotShift(), 2);
    EXPECT_EQ(PaletteMapper({Bgra{10, 200, 30, 0}, Bgra{30, 220, 50, 0}}).SlotShift(), 1);
}

// The cached lookup and the full search agree on every slot tried, whatever
// order the cache was filled in, with the cache filled by the fastest code and
// by the portable one.
TEST(PaletteMapper, CachedLookupEqualsTheFullSearch)
{
    const std::vector<std::vector<Bgra>> palettes = {ColorReducer::FixedPalette(4),
                                                     ColorReducer::FixedPalette(8), RandomPalette(5, 200),
                                                     RandomPalette(6, 3)};
    std::mt19937 rng(9);
    for (const std::vector<Bgra> &pal : palettes)
        for (CodePath path : {CodePath::kFastest, CodePath::kPortable}) {
            PaletteMapper map(pal, path);
            const int shift = map.SlotShift();
            for (int k = 0; k < 40000; ++k) {
                const int b = int(rng() & 255), g = int(rng() & 255), r = int(rng() & 255);
                ASSERT_EQ(map.Lookup(b, g, r), NearestToSlotCentre(pal, b, g, r, shift))
                    << pal.size() << " " << b << "," << g << "," << r;
            }
            // The grey axis and the cube's corners, where ties are most common.
            for (int v = 0; v < 256; ++v)
                ASSERT_EQ(map.Lookup(v, v, v), NearestToSlotCentre(pal, v, v, v, shift)) << v;
            for (int c = 0; c < 8; ++c) {
                const int b = c & 1 ? 255 : 0, g = c & 2 ? 255 : 0, r = c & 4 ? 255 : 0;
                ASSERT_EQ(map.Lookup(b, g, r), NearestToSlotCentre(pal, b, g, r, shift));
            }
            const uint32_t packed = map.LookupPacked(17, 200, 99);
            const Bgra &e = pal[packed & 0xFF];
            EXPECT_EQ(packed >> 8, uint32_t(e.b) | uint32_t(e.g) << 8 | uint32_t(e.r) << 16);
        }
}

namespace {

// Dark and saturated noise with smooth parts: errors of every size and sign.
Image PhotoLike(int w, int h, int bits, unsigned seed)
{
    std::mt19937 rng(seed);
    Image img;
    EXPECT_EQ(img.Create(w, h, bits), kOk);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint8_t *p = img.Row(y) + x * (bits / 8);
            const bool dark = (x / 7 + y / 5) % 3 == 0;
            p[0] = uint8_t(dark ? rng() % 30 : (x * 255 / std::max(1, w - 1) + rng() % 9) & 255);
            p[1] = uint8_t(dark ? rng() % 12 : rng() % 256);
            p[2] = uint8_t(dark ? 240 + rng() % 16 : (y * 255 / std::max(1, h - 1)) & 255);
        }
    return img;
}

std::vector<uint32_t> AsColorRefs(const std::vector<Bgra> &pal)
{
    std::vector<uint32_t> refs;
    for (const Bgra &c : pal)
        refs.push_back(BgraToColorRef(c));
    return refs;
}

} // namespace

// A first call with a palette (nothing cached), a later one (everything the
// image needs cached), one after another image filled other parts of the
// cache and one after the palette was pushed out of the cache give the same
// result, for every kernel.
TEST(ColorReducer, ResultDoesNotDependOnWhatIsCached)
{
    const Image src = PhotoLike(97, 61, 24, 3);
    const Image other = Gradient(64, 48);
    auto reduce = [](const Image &from, const std::vector<uint32_t> &pal, int dither) {
        Image img = from;
        EXPECT_EQ(ColorReducer::ColorRes(img, 8, kPaletteUser, dither, 256, pal), kOk);
        return img;
    };
    for (int dither = 0; dither <= 7; ++dither) {
        // A palette no earlier call used.
        const std::vector<uint32_t> pal = AsColorRefs(RandomPalette(100 + unsigned(dither), 256));
        const Image cold = reduce(src, pal, dither);
        const Image warm = reduce(src, pal, dither);
        reduce(other, pal, dither);
        const Image mixed = reduce(src, pal, dither);
        for (unsigned k = 0; k < 6; ++k)
            reduce(other, AsColorRefs(RandomPalette(900 + k, 256)), 1);
        EXPECT_TRUE(warm == cold && mixed == cold && reduce(src, pal, dither) == cold) << dither;
    }
}

namespace {

int FloorDiv16(int v)
{
    return v >= 0 ? v / 16 : -((15 - v) / 16);
}

// Floyd-Steinberg as written down: errors scattered forward (7/16 right;
// 3/16, 5/16, 1/16 below left, below, below right), each pixel's value
// p + round(sum / 16) rounded half up, its entry found by a full search for
// the value clamped to -16..271, its error that value minus the entry.
std::vector<uint8_t> TextbookFloydSteinberg(const Image &img, const std::vector<Bgra> &pal, int shift)
{
    const int w = img.Width(), h = img.Height(), bpp = img.BitsPerPixel() / 8;
    std::vector<int> err(size_t(w + 2) * size_t(h + 1) * 3, 0);
    auto at = [&](int x, int y, int c) -> int & {
        return err[(size_t(y) * size_t(w + 2) + size_t(x + 1)) * 3 + size_t(c)];
    };
    std::vector<uint8_t> out(size_t(w) * size_t(h));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            int t[3], c[3];
            for (int k = 0; k < 3; ++k) {
                t[k] = img.Row(y)[x * bpp + k] + FloorDiv16(at(x, y, k) + 8);
                c[k] = std::min(std::max(t[k], -16), 271);
            }
            const int i = NearestToSlotCentre(pal, c[0], c[1], c[2], shift);
            out[size_t(y) * size_t(w) + size_t(x)] = uint8_t(i);
            const int entry[3] = {pal[size_t(i)].b, pal[size_t(i)].g, pal[size_t(i)].r};
            for (int k = 0; k < 3; ++k) {
                const int e = c[k] - entry[k];
                if (x + 1 < w)
                    at(x + 1, y, k) += 7 * e;
                at(x - 1, y + 1, k) += 3 * e;
                at(x, y + 1, k) += 5 * e;
                at(x + 1, y + 1, k) += e;
            }
        }
    return out;
}

} // namespace

// Both Floyd-Steinberg paths (the portable one: lines in flight together,
// channels packed in one word; the AVX2 one: eight lines in vector lanes,
// pixels loaded by rows and transposed) give exactly the textbook result, on
// every image shape their bands, chunks and runs cut differently, for fine
// and coarse slots, large and small palettes, with the cache cold and warm.
TEST(ColorReducer, FloydSteinbergEqualsTheTextbookDiffusion)
{
    std::vector<Bgra> greys; // small, and close enough for fine slots
    for (int i = 0; i < 16; ++i)
        greys.push_back(Bgra{uint8_t(i * 17), uint8_t(i * 17), uint8_t(i * 17), 0});
    const std::vector<std::vector<Bgra>> palettes = {ColorReducer::FixedPalette(8),
                                                     ColorReducer::FixedPalette(4), RandomPalette(21, 200),
                                                     greys, ColorReducer::FixedPalette(1)};
    const int sizes[][2] = {{1, 1},  {1, 7},   {17, 1}, {15, 5},  {16, 4},  {33, 9},
                            {50, 3}, {97, 13}, {15, 8}, {22, 16}, {23, 17}, {64, 24}};
    unsigned seed = 1;
    for (const std::vector<Bgra> &pal : palettes) {
        PaletteMapper portable(pal, CodePath::kPortable);
        const int shift = portable.SlotShift();
        for (const auto &size : sizes)
            for (int bits : {24, 32}) {
                SCOPED_TRACE(std::to_string(pal.size()) + " colours, " + std::to_string(size[0]) + " x " +
                             std::to_string(size[1]) + ", " + std::to_string(bits) + " bits");
                const Image img = PhotoLike(size[0], size[1], bits, seed++);
                const std::vector<uint8_t> want = TextbookFloydSteinberg(img, pal, shift);
                std::vector<uint8_t> got;
                ASSERT_EQ(ColorReducer::Quantize(img, pal, kDitherFloydSteinberg, got), kOk);
                ASSERT_EQ(got, want) << "fastest path";
                // The vector code must not quietly hand over to the portable one.
                std::fill(got.begin(), got.end(), uint8_t(0));
                if (HasAvx2() && pal.size() <= size_t(FloydSteinbergAvx2::kMostEntries)) {
                    ASSERT_TRUE(FloydSteinbergAvx2::Run(img, portable, got.data(), size_t(size[0])));
                    ASSERT_EQ(got, want) << "AVX2 path";
                    std::fill(got.begin(), got.end(), uint8_t(0));
                }
                FloydSteinbergDiffuser::Run(img, portable, got.data(), size_t(size[0]), CodePath::kPortable);
                ASSERT_EQ(got, want) << "portable path";
            }
    }
}

// Every depth with its fixed palette: the image takes the depth (3 bits are
// stored in 4) and the palette's distinct colours, and every kernel gives the
// indexes of the reduction to one byte a pixel, whatever the row length and
// the source depth. User palettes are taken entry by entry.
TEST(ColorReducer, OutputHasTheDepthAndTheIndexesOfOneBytePerPixel)
{
    for (int bits : {1, 2, 3, 4, 8})
        for (int srcBits : {24, 32})
            for (int w : {1, 7, 37})
                for (int dither = 0; dither <= 7; ++dither) {
                    SCOPED_TRACE(::testing::Message() << bits << " bits from " << srcBits << ", width " << w
                                                      << ", dither " << dither);
                    const Image src = PhotoLike(w, 9, srcBits, unsigned(w * 8 + dither));
                    const std::vector<Bgra> pal = ColorReducer::FixedPalette(bits);
                    std::vector<uint8_t> want;
                    ASSERT_EQ(ColorReducer::Quantize(src, pal, dither, want), kOk);
                    Image img = src;
                    ASSERT_EQ(ColorReducer::ColorRes(img, bits, kPaletteFixed, dither, 0), kOk);
                    ASSERT_EQ(img.BitsPerPixel(), bits == 3 ? 4 : bits);
                    ASSERT_EQ(img.Palette(), pal);
                    std::set<uint32_t> distinct;
                    for (const Bgra &c : pal)
                        distinct.insert(BgraToColorRef(c));
                    ASSERT_EQ(distinct.size(), size_t(1) << bits) << "distinct entries";
                    ASSERT_TRUE(img.IndexesInPalette());
                    for (int y = 0; y < 9; ++y)
                        for (int x = 0; x < w; ++x)
                            ASSERT_EQ(img.GetIndex(x, y), want[size_t(y * w + x)]) << x << "," << y;
                }
    const std::vector<uint32_t> user = AsColorRefs(RandomPalette(7, 256));
    Image img = Gradient(64, 64);
    ASSERT_EQ(ColorReducer::ColorRes(img, 8, kPaletteUser, 1, 256, user), kOk);
    ASSERT_EQ(img.Palette().size(), 256u);
    for (size_t i = 0; i < 256; ++i)
        EXPECT_EQ(BgraToColorRef(img.Palette()[i]), user[i]);
    // 16 user colours at 4 bits.
    img = Gradient(20, 20);
    ASSERT_EQ(ColorReducer::ColorRes(img, 4, kPaletteUser, 2, 16, user), kOk);
    EXPECT_EQ(img.Palette().size(), 16u);
    EXPECT_EQ(ColorReducer::ColorRes(img, 4, kPaletteUser, 2, 17, user), kInvalidParameter);
    EXPECT_EQ(ColorReducer::ColorRes(img, 5, kPaletteFixed, 0, 0), kInvalidParameter);
    EXPECT_EQ(ColorReducer::ColorRes(img, 8, kPaletteFixed, 8, 0), kInvalidParameter);
    // True colour back out.
    ASSERT_EQ(ColorReducer::ColorRes(img, 24, kPaletteBgr, 0, 0), kOk);
    EXPECT_EQ(img.BitsPerPixel(), 24);
}

// Every kernel keeps an image of palette colours as it is (but the ordered
// one, whose threshold pattern may move mid-colours), keeps the mean of a
// flat colour it mixes from more than two entries, and changes nothing
// before a changed pixel while the error diffusion carries the change on.
TEST(ColorReducer, KernelsKeepExactColoursAndMeansAndMoveErrorOnlyForward)
{
    const std::vector<Bgra> vga = ColorReducer::FixedPalette(4);
    Image exact;
    ASSERT_EQ(exact.Create(16, 4, 24), kOk);
    Image flat;
    ASSERT_EQ(flat.Create(64, 64, 24), kOk);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            if (x < 16 && y < 4)
                Put(exact, x, y, vga[size_t((x + y) % 16)]);
            Put(flat, x, y, Bgra{100, 40, 180, 0});
        }
    const Image base = Gradient(31, 17);
    for (int dither = 0; dither <= 7; ++dither) {
        SCOPED_TRACE(dither);
        Image r = exact;
        ASSERT_EQ(ColorReducer::ColorRes(r, 4, kPaletteFixed, dither, 0), kOk);
        for (int y = 0; y < 4 && dither != kDitherOrdered; ++y)
            for (int x = 0; x < 16; ++x)
                ASSERT_EQ(r.GetIndex(x, y), (x + y) % 16);
        if (dither == kDitherNone)
            continue;
        Image f = flat;
        ASSERT_EQ(ColorReducer::ColorRes(f, 3, kPaletteFixed, dither, 0), kOk);
        double sum[3] = {0, 0, 0};
        std::set<int> used;
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x) {
                const Bgra c = f.GetColor(x, y);
                sum[0] += c.b;
                sum[1] += c.g;
                sum[2] += c.r;
                used.insert(f.GetIndex(x, y));
            }
        EXPECT_NEAR(sum[0] / 4096, 100, 8);
        EXPECT_NEAR(sum[1] / 4096, 40, 8);
        EXPECT_NEAR(sum[2] / 4096, 180, 8);
        EXPECT_GT(used.size(), 2u);
        if (dither == kDitherOrdered)
            continue;
        Image a = base;
        Image b = base;
        Put(b, 13, 9, Bgra{0, 0, 0, 0});
        ASSERT_EQ(ColorReducer::ColorRes(a, 2, kPaletteFixed, dither, 0), kOk);
        ASSERT_EQ(ColorReducer::ColorRes(b, 2, kPaletteFixed, dither, 0), kOk);
        bool changedLater = false;
        for (int y = 0; y < 17; ++y)
            for (int x = 0; x < 31; ++x) {
                if (y < 9 || (y == 9 && x < 13))
                    ASSERT_EQ(a.GetIndex(x, y), b.GetIndex(x, y));
                else if (a.GetIndex(x, y) != b.GetIndex(x, y))
                    changedLater = true;
            }
        EXPECT_TRUE(changedLater);
    }
}
