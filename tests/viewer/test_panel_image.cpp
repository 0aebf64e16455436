// The panel image as a pure function: depth, colour table and dither, effects in order, the size.
#include <gtest/gtest.h>
#include <set>
#include <vector>
#include "imaging/ColorReducer.h"
#include "imaging/Effects.h"
#include "imaging/Resampler.h"
#include "tests/viewer/ViewerTestSupport.h"
#include "viewer/PanelImage.h"

using namespace viewertest;

using qrv::img::Bgra;
using qrv::img::Image;

namespace {

std::vector<Bgra> TableOf(const unsigned long *pColors, int n)
{
    std::vector<Bgra> table;
    for (int i = 0; i < n; ++i)
        table.push_back(qrv::img::ColorRefToBgra(uint32_t(pColors[i])));
    return table;
}

size_t IndexesUsed(const Image &img)
{
    std::set<int> used;
    for (int y = 0; y < img.Height(); ++y)
        for (int x = 0; x < img.Width(); ++x)
            used.insert(img.GetIndex(x, y));
    return used.size();
}

// A 24-bit source is a flat colour between all palettes' entries, a 4-bit one a 16-colour picture;
// the table expected is n entries of pTable, or the fixed palette of n bits.
struct DepthCase {
    int nColorBits;
    bool bPalettes, bPlx508;
    int nDither, nSourceBits, nOutBits;
    const unsigned long *pTable;
    int n;
    bool bDithered;
};

TEST(PanelImage, EachDepthGetsItsTableAndDitherAsThePanelShowsIt)
{
    const TestPalettes pal;
    const DepthCase cases[] = {
        {8, true, true, CPanelSettings::ditherStucki, 24, 8, pal.plx508, 256,
         false}, // Plx508: never dithered
        {8, true, false, CPanelSettings::ditherStucki, 24, 8, pal.pal256, 256, true},
        {8, false, true, CPanelSettings::ditherBayer, 24, 8, nullptr, 8, true}, // no 256-colour palette
        {8, true, false, CPanelSettings::ditherFloydSteinberg, 4, 4, pal.pal16, 16, true},
        {4, true, false, CPanelSettings::ditherBayer, 24, 4, pal.pal16, 16, true},
        {4, false, false, CPanelSettings::ditherNone, 24, 4, nullptr, 4, false},
        {3, true, false, CPanelSettings::ditherJarvis, 24, 4, pal.pal8, 8, true}, // 8 colours held in 4 bits
        {3, false, false, CPanelSettings::ditherNone, 24, 4, nullptr, 3, false},
        {1, true, false, CPanelSettings::ditherBurke, 24, 1, nullptr, 1, true},
        {2, true, false, CPanelSettings::ditherStevensonArce, 24, 2, nullptr, 2, true},
    };
    for (const DepthCase &c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.nColorBits << " bits, palettes " << c.bPalettes << ", plx508 " << c.bPlx508
                     << ", dither " << c.nDither << ", source " << c.nSourceBits);
        CPanelSettings s;
        s.nColorBits = c.nColorBits;
        if (c.bPalettes) {
            s.pPal16 = pal.pal16;
            s.pPal256 = pal.pal256;
            s.pPal8 = pal.pal8;
        }
        s.pPalPlx508 = pal.plx508;
        s.bPlx508Mode = c.bPlx508;
        s.nDither = c.nDither;
        const Image source = c.nSourceBits == 4 ? IndexedImage(48, 32, 4) : SolidImage(48, 32, 0x86715A);
        Image out;
        ASSERT_EQ(qrv::img::kOk, CPanelImage::Build(source, s, CSize(0, 0), out));
        EXPECT_EQ(c.nOutBits, out.BitsPerPixel());
        EXPECT_EQ(48, out.Width());
        const std::vector<Bgra> expected =
            c.pTable ? TableOf(c.pTable, c.n) : qrv::img::ColorReducer::FixedPalette(c.n);
        EXPECT_EQ(expected, out.Palette());
        if (c.nSourceBits == 24) {
            EXPECT_EQ(c.bDithered, IndexesUsed(out) > 1) << IndexesUsed(out) << " indexes";
        }
    }
}

TEST(PanelImage, EffectsRunInTheirFixedOrderBeforeTheSize)
{
    const Image source = ColorfulImage(40, 30, 97);
    CPanelSettings s;
    s.nColorBits = 16;
    s.bSmooth = s.bBlur = s.bSharpen = s.bInvert = s.bFlip = s.bMirror = 1;
    s.nContrast = 300;
    s.nBrightness = -200;
    Image out;
    ASSERT_EQ(qrv::img::kOk, CPanelImage::Build(source, s, CSize(25, 20), out));
    // The same operations of the imaging core by hand, in the system's order.
    Image expected = source;
    namespace img = qrv::img;
    ASSERT_EQ(img::kOk, img::Effects::Median(expected, CPanelImage::kSmoothSize));
    ASSERT_EQ(img::kOk, img::Effects::Average(expected, CPanelImage::kBlurSize));
    ASSERT_EQ(img::kOk, img::Effects::Sharpen(expected, CPanelImage::kSharpenStrength));
    ASSERT_EQ(img::kOk, img::Effects::Intensity(expected, -200));
    ASSERT_EQ(img::kOk, img::Effects::Contrast(expected, 300));
    ASSERT_EQ(img::kOk, img::Effects::Invert(expected));
    ASSERT_EQ(img::kOk, img::Effects::Flip(expected));
    ASSERT_EQ(img::kOk, img::Effects::Reverse(expected));
    ASSERT_EQ(img::kOk, img::Resampler::Size(expected, 25, 20, CLead::sizeResample));
    EXPECT_TRUE(expected == out);
    // Without effects a true-colour panel keeps the pixels, whatever the dither.
    s.ResetEffects();
    for (int nDither = 0; nDither < CPanelSettings::ditherCount; ++nDither) {
        s.nDither = nDither;
        ASSERT_EQ(qrv::img::kOk, CPanelImage::Build(source, s, CSize(0, 0), out));
        EXPECT_TRUE(source == out) << "dither " << nDither;
    }
}

TEST(PanelImage, RefusedSettingsLeaveTheirStageOutAndAnEmptySourceGivesNothing)
{
    const Image source = ColorfulImage(20, 10, 50);
    CPanelSettings s;
    s.nColorBits = 16;
    s.nContrast = 5000;   // beyond the core's range: no contrast
    s.nBrightness = 1000; // white
    Image out;
    ASSERT_EQ(qrv::img::kOk, CPanelImage::Build(source, s, CSize(0, 7), out)); // no size: the source's
    EXPECT_EQ(20, out.Width());
    EXPECT_EQ(1, out.ColorCount());
    EXPECT_EQ((Bgra{255, 255, 255, 0}), out.GetColor(3, 4));
    for (CSize beyond : {CSize(100000, 7), CSize(7, 100000)}) { // beyond the limit: too
        ASSERT_EQ(qrv::img::kOk, CPanelImage::Build(source, s, beyond, out));
        EXPECT_EQ(CSize(20, 10), CSize(out.Width(), out.Height()));
    }
    s.nColorBits = 5; // no such depth: the image stays unreduced
    ASSERT_EQ(qrv::img::kOk, CPanelImage::Build(source, s, CSize(0, 0), out));
    EXPECT_EQ(24, out.BitsPerPixel());
    EXPECT_EQ(qrv::img::kNoImage, CPanelImage::Build(Image(), s, CSize(10, 10), out));
    EXPECT_TRUE(out.Empty());
}

// The initial dither follows the colour count; out-of-range dithers and depths give none.
TEST(PanelImage, TheInitialDitherFollowsTheColourCountAndOutOfRangeValuesGiveNone)
{
    EXPECT_EQ(CPanelSettings::ditherNone, CPanelImage::GetInitialDither(16, 4));
    EXPECT_EQ(CPanelSettings::ditherFloydSteinberg, CPanelImage::GetInitialDither(17, 4));
    EXPECT_EQ(CPanelSettings::ditherNone, CPanelImage::GetInitialDither(256, 8));
    EXPECT_EQ(CPanelSettings::ditherNone, CPanelImage::GetInitialDither(1000000, 24));
    EXPECT_EQ(CPanelSettings::ditherFloydSteinberg, CPanelImage::GetInitialDither(1, -1));
    EXPECT_EQ(CPanelSettings::ditherNone, CPanelImage::GetInitialDither(0x7FFFFFFF, 64));
    for (int nDither : {-1, int(CPanelSettings::ditherCount)})
        EXPECT_EQ(CLead::crDitherNone, CPanelSettings::GetLeadDitherCode(nDither));
    const TestPalettes pal;
    CPanelSettings s;
    s.pPal256 = pal.pal256, s.bPlx508Mode = 1; // without a Plx508 palette: the 256-colour one
    EXPECT_EQ(pal.pal256, s.GetPaletteFor(8));
    EXPECT_EQ(nullptr, s.GetPaletteFor(16));
}

} // namespace
