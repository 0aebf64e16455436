#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <numeric>
#include <random>
#include <thread>

#include "imaging/ColorReducer.h"
#include "imaging/Effects.h"
#include "imaging/Resampler.h"
#include "imaging/RowSplit.h"

using namespace qrv::img;

namespace {

// Random bytes in every pixel, the fourth byte of 32-bit pixels as well.
Image Random(int w, int h, int bits, unsigned seed)
{
    Image img;
    EXPECT_EQ(img.Create(w, h, bits), kOk);
    std::mt19937 rng(seed);
    for (int y = 0; y < h; ++y)
        for (int i = 0; i < w * bits / 8; ++i)
            img.Row(y)[i] = uint8_t(rng());
    return img;
}

Image Flat(int w, int h, Bgra c)
{
    Image img;
    EXPECT_EQ(img.Create(w, h, 24), kOk);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint8_t *p = img.Row(y) + x * 3;
            p[0] = c.b;
            p[1] = c.g;
            p[2] = c.r;
        }
    return img;
}

uint8_t At(const Image &img, int x, int y, int c)
{
    return img.Row(y)[x * (img.BitsPerPixel() / 8) + c];
}

// Channel c of the n x n neighbourhood of (x, y), x - (n-1)/2 ... x + n/2
// (likewise in y) with replicated edges, sorted.
std::vector<int> Window(const Image &img, int x, int y, int c, int n)
{
    std::vector<int> v;
    for (int dy = -(n - 1) / 2; dy <= n / 2; ++dy)
        for (int dx = -(n - 1) / 2; dx <= n / 2; ++dx) {
            const int sx = std::clamp(x + dx, 0, img.Width() - 1);
            const int sy = std::clamp(y + dy, 0, img.Height() - 1);
            v.push_back(At(img, sx, sy, c));
        }
    std::sort(v.begin(), v.end());
    return v;
}

} // namespace

TEST(Effects, FlipReverseInvertAreExactAndSelfInverse)
{
    const Image src = Random(7, 5, 24, 1);
    Image img = src;
    ASSERT_EQ(Effects::Flip(img), kOk);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x)
            EXPECT_EQ(img.GetColor(x, y), src.GetColor(x, 4 - y));
    ASSERT_EQ(Effects::Flip(img), kOk);
    EXPECT_EQ(img, src);
    ASSERT_EQ(Effects::Reverse(img), kOk);
    for (int x = 0; x < 7; ++x)
        EXPECT_EQ(img.GetColor(x, 2), src.GetColor(6 - x, 2));
    ASSERT_EQ(Effects::Invert(img), kOk);
    EXPECT_EQ(At(img, 0, 0, 1), 255 - At(src, 6, 0, 1));

    // Indexed images keep their depth; sub-byte pixels move one by one.
    Image ind;
    ASSERT_EQ(ind.Create(11, 2, 2), kOk);
    for (int x = 0; x < 11; ++x)
        ind.SetIndex(x, 0, x % 4);
    Image orig = ind;
    ASSERT_EQ(Effects::Reverse(ind), kOk);
    for (int x = 0; x < 11; ++x)
        EXPECT_EQ(ind.GetIndex(x, 0), (10 - x) % 4);
    ASSERT_EQ(Effects::Invert(ind), kOk);
    EXPECT_EQ(ind.BitsPerPixel(), 2);
    EXPECT_EQ(ind.Palette()[0], (Bgra{255, 255, 255, 0}));
    Image empty;
    EXPECT_EQ(Effects::Flip(empty), kNoImage);
}

// Every byte becomes the (n*n/2)-th smallest value of its window, or the
// window's mean rounded half up; salt and pepper noise goes. Strengths beyond
// their ranges are refused.
TEST(Effects, MedianAndAverageTakeTheirWindowsValues)
{
    const Image src = Random(23, 9, 24, 2);
    for (int n : {2, 3, 4, 5}) {
        Image median = src;
        Image mean = src;
        ASSERT_EQ(Effects::Median(median, n), kOk);
        ASSERT_EQ(Effects::Average(mean, n), kOk);
        for (int y = 0; y < 9; ++y)
            for (int x = 0; x < 23; ++x)
                for (int c = 0; c < 3; ++c) {
                    const std::vector<int> v = Window(src, x, y, c, n);
                    const int sum = std::accumulate(v.begin(), v.end(), 0);
                    ASSERT_EQ(At(median, x, y, c), v[v.size() / 2]) << n;
                    ASSERT_EQ(At(mean, x, y, c), (sum + n * n / 2) / (n * n)) << n;
                }
    }
    Image noisy = Flat(40, 30, Bgra{90, 120, 150, 0});
    std::mt19937 rng(3);
    for (int k = 0; k < 60; ++k) {
        uint8_t *p = noisy.Row(int(rng() % 30)) + (rng() % 40) * 3;
        std::fill(p, p + 3, (k & 1) ? 255 : 0);
    }
    ASSERT_EQ(Effects::Median(noisy, 4), kOk);
    EXPECT_EQ(noisy, Flat(40, 30, Bgra{90, 120, 150, 0}));
    EXPECT_EQ(Effects::Median(noisy, 0), kInvalidParameter);
    EXPECT_EQ(Effects::Median(noisy, 65), kInvalidParameter);
    EXPECT_EQ(Effects::Average(noisy, 65), kInvalidParameter);
    EXPECT_EQ(Effects::Sharpen(noisy, 1001), kInvalidParameter);
    EXPECT_EQ(Effects::Contrast(noisy, -1001), kInvalidParameter);
}

// Sharpening moves every byte v by (9v - its 3 x 3 window sum, the edges
// replicated) * s / 4500, or s / 9000 when softening, rounded half away from
// zero and clamped, exactly, for strengths where the rounding is close.
TEST(Effects, SharpenFollowsItsFormulaExactly)
{
    const Image src = Random(37, 11, 24, 5);
    for (int s : {1, 2, 7, 250, 499, 500, 800, 1000, -1, -3, -500, -999, -1000}) {
        Image img = src;
        ASSERT_EQ(Effects::Sharpen(img, s), kOk);
        const int div = s > 0 ? 4500 : 9000;
        for (int y = 0; y < 11; ++y)
            for (int x = 0; x < 37; ++x)
                for (int c = 0; c < 3; ++c) {
                    const std::vector<int> w = Window(src, x, y, c, 3);
                    const int v = At(src, x, y, c);
                    const int num = (9 * v - std::accumulate(w.begin(), w.end(), 0)) * s;
                    const int d = num >= 0 ? (num + div / 2) / div : -((div / 2 - num) / div);
                    ASSERT_EQ(At(img, x, y, c), std::clamp(v + d, 0, 255))
                        << "s " << s << " at " << x << "," << y << "," << c;
                }
    }
}

// A change of intensity maps every colour byte v to v + round(d * 255 / 1000)
// clamped, and leaves the fourth byte of 32-bit pixels alone, whatever the
// row length leaves after whole vectors.
TEST(Effects, IntensityMapsEveryColourByte)
{
    std::mt19937 rng(17);
    for (int d : {300, -650})
        for (int bits : {24, 32})
            for (int w : {1, 10, 11, 32, 45}) {
                const Image src = Random(w, 3, bits, rng());
                Image img = src;
                ASSERT_EQ(Effects::Intensity(img, d), kOk);
                const int add = d > 0 ? 77 : -166;
                const int bpp = bits / 8;
                for (int y = 0; y < 3; ++y)
                    for (int i = 0; i < w * bpp; ++i) {
                        const int v = src.Row(y)[i];
                        ASSERT_EQ(img.Row(y)[i], i % bpp == 3 ? v : std::clamp(v + add, 0, 255))
                            << d << ", " << bits << " bits, width " << w << ", byte " << i;
                    }
            }
}

// Contrast scales the distance from the middle grey 127.5: by 2 at 500 (100
// becomes 72.5, rounded up), to nothing at -1000 and to a threshold at 1000;
// its curve never falls.
TEST(Effects, ContrastCurves)
{
    const int cases[][3] = {{500, 100, 73},    {500, 155, 183}, {-1000, 0, 128},
                            {-1000, 255, 128}, {1000, 127, 0},  {1000, 128, 255}};
    uint8_t table[256];
    for (const auto &c : cases) {
        ASSERT_EQ(Effects::ContrastTable(c[0], table), kOk);
        EXPECT_EQ(table[c[1]], c[2]) << c[0] << " at " << c[1];
        EXPECT_TRUE(std::is_sorted(table, table + 256)) << c[0];
    }
    EXPECT_EQ(Effects::ContrastTable(1001, table), kInvalidParameter);
}

// The filtered passes give the same pixels on the fastest code path as on
// the portable one, enlarging and reducing, at 24 and 32 bits, whatever the
// row lengths leave at the rows' ends.
TEST(Resampler, FastestAndPortablePathsGiveTheSamePixels)
{
    const int sizes[][4] = {{50, 37, 40, 29}, {800, 6, 640, 5}, {17, 9, 23, 31},
                            {5, 5, 4, 4},     {64, 3, 63, 2},   {33, 20, 12, 8},
                            {9, 4, 9, 4},     {30, 30, 1, 1},   {700, 501, 600, 397}};
    unsigned seed = 11;
    for (const auto &sz : sizes)
        for (int bits : {24, 32}) {
            const Image src = Random(sz[0], sz[1], bits, seed++);
            Image fast = src;
            Image portable = src;
            ASSERT_EQ(Resampler::Size(fast, sz[2], sz[3], 2), kOk);
            ASSERT_EQ(Resampler::Size(portable, sz[2], sz[3], 2, CodePath::kPortable), kOk);
            ASSERT_EQ(fast, portable)
                << sz[0] << "x" << sz[1] << " to " << sz[2] << "x" << sz[3] << ", " << bits << " bits";
        }
}

TEST(Resampler, NearestIsExactAndResampledKeepsFlatImagesFlat)
{
    Image ind;
    ASSERT_EQ(ind.Create(4, 2, 4), kOk);
    for (int x = 0; x < 4; ++x) {
        ind.SetIndex(x, 0, x);
        ind.SetIndex(x, 1, 8 + x);
    }
    ASSERT_EQ(Resampler::Size(ind, 8, 4, 0), kOk);
    EXPECT_EQ(ind.BitsPerPixel(), 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 8; ++x)
            EXPECT_EQ(ind.GetIndex(x, y), (y / 2) * 8 + x / 2);
    ASSERT_EQ(Resampler::Size(ind, 2, 2, 0), kOk);
    EXPECT_EQ(ind.GetIndex(1, 1), 11);

    const Image flat = Flat(37, 23, Bgra{3, 128, 254, 0});
    for (auto [w, h] : {std::pair{12, 7}, std::pair{100, 51}, std::pair{37, 1}}) {
        Image f = flat;
        ASSERT_EQ(Resampler::Size(f, w, h, 2), kOk);
        EXPECT_EQ(f, Flat(w, h, Bgra{3, 128, 254, 0}));
    }
    // Shrinking by two averages pairs.
    Image pair = Flat(4, 2, Bgra{0, 0, 0, 0});
    std::fill(pair.Row(0) + 3, pair.Row(0) + 6, 200);
    std::fill(pair.Row(1) + 3, pair.Row(1) + 6, 200);
    ASSERT_EQ(Resampler::Size(pair, 2, 1, 2), kOk);
    EXPECT_NEAR(At(pair, 0, 0, 0), 100, 30);
    EXPECT_EQ(Resampler::Size(pair, 0, 5, 2), kInvalidParameter);
    EXPECT_EQ(Resampler::Size(pair, 5, 5, 1), kInvalidParameter);
    EXPECT_EQ(Resampler::Size(pair, 40000, 40000, 0), kTooLarge);
}

// Tables, resampling and reduction from one image into another give the
// in-place result and leave their source as it was, for every depth the
// panel preview feeds them; into the source itself they work in place.
TEST(Effects, OperationsIntoAnotherImageEqualThoseInPlace)
{
    uint8_t table[256];
    ASSERT_EQ(Effects::ContrastTable(300, table), kOk);
    std::vector<uint32_t> palette;
    for (uint32_t i = 0; i < 256; ++i)
        palette.push_back(i * 0x010307u & 0xFFFFFF);
    // The 8-bit image has its grey palette of creation.
    for (const Image &src : {Random(13, 6, 24, 4), Random(11, 7, 32, 5), Random(9, 5, 8, 6)}) {
        SCOPED_TRACE(src.BitsPerPixel());
        const Image before = src;
        struct Op {
            std::function<Status(Image &)> inPlace;
            std::function<Status(const Image &, Image &)> into;
        };
        const Op ops[] = {
            {[&](Image &i) { return Effects::Contrast(i, 300); },
             [&](const Image &s, Image &d) { return Effects::ApplyTable(s, table, d); }},
            {[&](Image &i) { return Resampler::Size(i, 7, 9, 2); },
             [&](const Image &s, Image &d) { return Resampler::Size(s, 7, 9, 2, d); }},
            {[&](Image &i) { return Resampler::Size(i, 5, 3, 0); },
             [&](const Image &s, Image &d) { return Resampler::Size(s, 5, 3, 0, d); }},
            {[&](Image &i) {
                 return ColorReducer::ColorRes(i, 8, kPaletteUser, kDitherFloydSteinberg, 256, palette);
             },
             [&](const Image &s, Image &d) {
                 return ColorReducer::ColorRes(s, 8, kPaletteUser, kDitherFloydSteinberg, 256, palette, d);
             }},
            {[&](Image &i) { return ColorReducer::ColorRes(i, 4, kPaletteFixed, kDitherFloydSteinberg, 16); },
             [&](const Image &s, Image &d) {
                 return ColorReducer::ColorRes(s, 4, kPaletteFixed, kDitherFloydSteinberg, 16, {}, d);
             }},
        };
        for (size_t k = 0; k < std::size(ops); ++k) {
            SCOPED_TRACE(k);
            Image expected = src;
            Image into;
            Image self = src;
            ASSERT_EQ(ops[k].inPlace(expected), kOk);
            ASSERT_EQ(ops[k].into(src, into), kOk);
            EXPECT_TRUE(into == expected);
            EXPECT_TRUE(src == before);
            ASSERT_EQ(ops[k].into(self, self), kOk);
            EXPECT_TRUE(self == expected);
        }
    }
}

// Rows shared with a second thread: every row once, small work on the
// calling thread alone, and an exception of either half reaching the caller.
TEST(RowSplit, EveryRowOnceAndFailuresReachTheCaller)
{
    for (size_t bytes : {size_t(100), kSplitBytes}) {
        std::vector<std::atomic<int>> seen(1001);
        std::atomic<int> calls{0};
        SplitRows(1001, bytes, [&](int y0, int y1) {
            ++calls;
            for (int y = y0; y < y1; ++y)
                ++seen[size_t(y)];
        });
        EXPECT_EQ(bytes < kSplitBytes ? 1 : 2, calls.load());
        EXPECT_TRUE(std::all_of(seen.begin(), seen.end(), [](const std::atomic<int> &n) { return n == 1; }));
    }
    // While the worker works for one caller, another does all its rows itself.
    std::atomic<bool> busy{false}, release{false};
    std::thread first([&] {
        SplitRows(2, kSplitBytes, [&](int y0, int) {
            if (y0 == 1) {
                busy = true;
                while (!release)
                    std::this_thread::yield();
            }
        });
    });
    while (!busy)
        std::this_thread::yield();
    std::vector<std::thread::id> where;
    SplitRows(4, kSplitBytes, [&](int y0, int y1) {
        where.insert(where.end(), size_t(y1 - y0), std::this_thread::get_id());
    });
    release = true;
    first.join();
    EXPECT_EQ(std::vector<std::thread::id>(4, std::this_thread::get_id()), where);
    for (int failing : {0, 1}) {
        SCOPED_TRACE(failing);
        EXPECT_THROW(SplitRows(10, kSplitBytes,
                               [&](int y0, int) {
                                   if ((y0 == 0) == (failing == 0))
                                       throw std::bad_alloc();
                               }),
                     std::bad_alloc);
    }
}
