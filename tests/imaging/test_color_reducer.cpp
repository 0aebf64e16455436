#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <set>

#include "imaging/ColorReducer.h"
#include "imaging/PaletteMapper.h"

using namespace qrv::img;

namespace {

Image Gradient(int w, int h)
{
    Image img;
    EXPECT_EQ(img.Create(w, h, 24), kOk);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint8_t* p = img.Row(y) + x * 3;
            p[0] = uint8_t(x * 255 / (w - 1));
            p[1] = uint8_t(y * 255 / (h - 1));
            p[2] = uint8_t((x + y) * 127 / (w + h));
        }
    return img;
}

std::vector<uint32_t> CubeAndGreys()
{
    std::vector<uint32_t> p;
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b)
                p.push_back(uint32_t(r * 51) | uint32_t(g * 51) << 8 | uint32_t(b * 51) << 16);
    for (int i = 1; i <= 40; ++i) {
        const uint32_t v = uint32_t(i * 255 / 41);
        p.push_back(v | v << 8 | v << 16);
    }
    return p;
}

}  // namespace

TEST(PaletteMapper, LookupIsNearestToTheSlotCentre)
{
    std::mt19937 rng(5);
    std::vector<Bgra> pal;
    for (int i = 0; i < 200; ++i)
        pal.push_back(Bgra{uint8_t(rng()), uint8_t(rng()), uint8_t(rng()), 0});
    PaletteMapper map(pal);
    for (int k = 0; k < 20000; ++k) {
        const int b = int(rng() & 255), g = int(rng() & 255), r = int(rng() & 255);
        const int got = map.Lookup(b, g, r);
        // Exact at the slot centre means within the slot's half-diagonal of
        // the exact answer's distance.
        const int exact = map.NearestExact(b, g, r);
        auto dist = [&](int i) {
            const Bgra& c = pal[size_t(i)];
            return std::sqrt(double((c.b - b) * (c.b - b) + (c.g - g) * (c.g - g) +
                                    (c.r - r) * (c.r - r)));
        };
        ASSERT_LE(dist(got), dist(exact) + 2 * 2.6 + 1e-9);
    }
}

TEST(ColorReducer, OutputHasTheDepthAndUsesOnlyPaletteColours)
{
    const std::vector<uint32_t> user = CubeAndGreys();
    for (int bits : {1, 2, 3, 4, 8})
        for (int dither = 0; dither <= 7; ++dither) {
            Image img = Gradient(40, 30);
            ASSERT_EQ(ColorReducer::ColorRes(img, bits, kPaletteFixed, dither, 0), kOk);
            EXPECT_EQ(img.BitsPerPixel(), bits == 3 ? 4 : bits);
            EXPECT_EQ(img.Palette(), ColorReducer::FixedPalette(bits));
            EXPECT_TRUE(img.IndexesInPalette());
        }
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

TEST(ColorReducer, ExactPaletteImagesStayUnchanged)
{
    const std::vector<Bgra> vga = ColorReducer::FixedPalette(4);
    Image img;
    ASSERT_EQ(img.Create(16, 4, 24), kOk);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 16; ++x) {
            const Bgra& c = vga[size_t((x + y) % 16)];
            uint8_t* p = img.Row(y) + x * 3;
            p[0] = c.b, p[1] = c.g, p[2] = c.r;
        }
    for (int dither = 0; dither <= 7; ++dither) {
        Image r = img;
        ASSERT_EQ(ColorReducer::ColorRes(r, 4, kPaletteFixed, dither, 0), kOk);
        if (dither == kDitherOrdered)
            continue;  // the threshold pattern may move mid-colours
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 16; ++x)
                ASSERT_EQ(r.GetIndex(x, y), (x + y) % 16) << dither;
    }
}

TEST(ColorReducer, DitheredFlatColourKeepsItsMean)
{
    for (int dither = 1; dither <= 7; ++dither) {
        Image img;
        ASSERT_EQ(img.Create(64, 64, 24), kOk);
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x) {
                uint8_t* p = img.Row(y) + x * 3;
                p[0] = 100, p[1] = 40, p[2] = 180;
            }
        ASSERT_EQ(ColorReducer::ColorRes(img, 3, kPaletteFixed, dither, 0), kOk);
        double sum[3] = {0, 0, 0};
        std::set<int> used;
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x) {
                const Bgra c = img.GetColor(x, y);
                sum[0] += c.b, sum[1] += c.g, sum[2] += c.r;
                used.insert(img.GetIndex(x, y));
            }
        EXPECT_NEAR(sum[0] / 4096, 100, 8) << dither;
        EXPECT_NEAR(sum[1] / 4096, 40, 8) << dither;
        EXPECT_NEAR(sum[2] / 4096, 180, 8) << dither;
        EXPECT_GT(used.size(), 2u);
    }
}

TEST(ColorReducer, ErrorDiffusionMovesErrorOnlyForward)
{
    const Image base = Gradient(31, 17);
    for (int dither = 1; dither <= 6; ++dither) {
        Image a = base, b = base;
        uint8_t* p = b.Row(9) + 13 * 3;
        p[0] ^= 0x80, p[1] ^= 0x40, p[2] ^= 0xC0;
        ASSERT_EQ(ColorReducer::ColorRes(a, 2, kPaletteFixed, dither, 0), kOk);
        ASSERT_EQ(ColorReducer::ColorRes(b, 2, kPaletteFixed, dither, 0), kOk);
        bool changedLater = false;
        for (int y = 0; y < 17; ++y)
            for (int x = 0; x < 31; ++x) {
                const bool before = y < 9 || (y == 9 && x < 13);
                if (before)
                    ASSERT_EQ(a.GetIndex(x, y), b.GetIndex(x, y)) << dither;
                else if (a.GetIndex(x, y) != b.GetIndex(x, y))
                    changedLater = true;
            }
        EXPECT_TRUE(changedLater) << dither;
    }
}

TEST(ColorReducer, FixedPalettesHaveTheirSizes)
{
    EXPECT_EQ(ColorReducer::FixedPalette(1).size(), 2u);
    EXPECT_EQ(ColorReducer::FixedPalette(2).size(), 4u);
    EXPECT_EQ(ColorReducer::FixedPalette(3).size(), 8u);
    EXPECT_EQ(ColorReducer::FixedPalette(4).size(), 16u);
    const std::vector<Bgra> p8 = ColorReducer::FixedPalette(8);
    ASSERT_EQ(p8.size(), 256u);
    std::set<uint32_t> distinct;
    for (const Bgra& c : p8)
        distinct.insert(BgraToColorRef(c));
    EXPECT_EQ(distinct.size(), 256u);
}
