// The panel image as a pure function: depth, colour table and dither, effects in order, the size;
// and the incremental pipeline: the full build's bytes after any two changes, within its bounds.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "imaging/ColorReducer.h"
#include "imaging/Effects.h"
#include "imaging/Resampler.h"
#include "tests/viewer/ViewerTestSupport.h"
#include "viewer/PanelImage.h"
#include "viewer/PanelPipeline.h"

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
            EXPECT_EQ(c.bDithered, out.ColorCount() > 1) << out.ColorCount() << " colours";
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
    const int none = CPanelSettings::ditherNone, floyd = CPanelSettings::ditherFloydSteinberg;
    // Colours of the picture, panel bits, the dither.
    const long initial[][3] = {{16, 4, none},       {17, 4, floyd}, {256, 8, none},
                               {1000000, 24, none}, {1, -1, floyd}, {0x7FFFFFFF, 64, none}};
    for (const auto &c : initial)
        EXPECT_EQ(c[2], CPanelImage::GetInitialDither(c[0], int(c[1])))
            << c[0] << " colours, " << c[1] << " bits";
    for (int nDither : {-1, int(CPanelSettings::ditherCount)})
        EXPECT_EQ(CLead::crDitherNone, CPanelSettings::GetLeadDitherCode(nDither));
    const TestPalettes pal;
    CPanelSettings s;
    s.pPal256 = pal.pal256; // without a Plx508 palette: the 256-colour one
    s.bPlx508Mode = 1;
    EXPECT_EQ(pal.pal256, s.GetPaletteFor(8));
    EXPECT_EQ(nullptr, s.GetPaletteFor(16));
}

// A setting toggled between a and b (none: the source or the size), and the stage it starts a build at.
struct Change {
    const char *name;
    CPanelPipeline::Stage first;
    int CPanelSettings::*field;
    int a, b;
};

const Change kChanges[] = {
    {"smooth", CPanelPipeline::stageFilters, &CPanelSettings::bSmooth, 0, 1},
    {"blur", CPanelPipeline::stageFilters, &CPanelSettings::bBlur, 0, 1},
    {"sharpen", CPanelPipeline::stageFilters, &CPanelSettings::bSharpen, 0, 1},
    {"source", CPanelPipeline::stageFilters, nullptr, 0, 0},
    {"brightness", CPanelPipeline::stageTone, &CPanelSettings::nBrightness, 250, -120},
    {"contrast", CPanelPipeline::stageTone, &CPanelSettings::nContrast, 300, -200},
    {"invert", CPanelPipeline::stageGeometry, &CPanelSettings::bInvert, 0, 1},
    {"flip", CPanelPipeline::stageGeometry, &CPanelSettings::bFlip, 0, 1},
    {"mirror", CPanelPipeline::stageGeometry, &CPanelSettings::bMirror, 0, 1},
    {"size", CPanelPipeline::stageSize, nullptr, 0, 0},
    {"colour bits", CPanelPipeline::stageReduce, &CPanelSettings::nColorBits, 8, 4},
    {"dither", CPanelPipeline::stageReduce, &CPanelSettings::nDither, CPanelSettings::ditherFloydSteinberg,
     CPanelSettings::ditherBayer},
    {"plx508", CPanelPipeline::stageReduce, &CPanelSettings::bPlx508Mode, 0, 1},
};

// Applies the change; the settings compare unequal after a change of theirs.
void Apply(const Change &c, CPanelSettings &s, CSize &size, DWORD &version)
{
    const CPanelSettings before = s;
    if (c.field)
        s.*c.field = s.*c.field == c.a ? c.b : c.a;
    else if (std::string(c.name) == "source")
        ++version;
    else
        size = size == CSize(23, 17) ? CSize(0, 0) : CSize(23, 17);
    EXPECT_EQ(!c.field, s == before) << c.name;
}

bool SameBytes(const Image &a, const Image &b)
{
    if (!(a == b) || a.Stride() != b.Stride())
        return false;
    return std::equal(a.Data(), a.Data() + a.Stride() * size_t(a.Height()), b.Data());
}

} // namespace

TEST(PanelPipeline, EverySettingChangedAfterEveryOtherGivesTheFullBuildsBytesWithinItsBound)
{
    const TestPalettes pal;
    for (const Change &before : kChanges)
        for (const Change &after : kChanges) {
            Image sources[2] = {ColorfulImage(41, 29, 200), ColorfulImage(41, 29, 50)};
            CPanelSettings s;
            s.nColorBits = 8;
            s.pPal16 = pal.pal16;
            s.pPal256 = pal.pal256;
            s.pPalPlx508 = pal.plx508;
            s.pPal8 = pal.pal8;
            s.bSmooth = TRUE;
            s.nContrast = 100;
            CSize size(30, 20);
            DWORD version = 0;
            CPanelPipeline pipeline;
            Image out, expected;
            ASSERT_EQ(qrv::img::kOk, pipeline.Build(sources[0], version, s, size, out));
            Apply(before, s, size, version);
            ASSERT_EQ(qrv::img::kOk, pipeline.Build(sources[version % 2], version, s, size, out));
            Apply(after, s, size, version);
            ASSERT_EQ(qrv::img::kOk, pipeline.Build(sources[version % 2], version, s, size, out));
            const std::string what = std::string(before.name) + " then " + after.name;
            EXPECT_EQ(after.first, pipeline.GetLastStart()) << what;
            ASSERT_EQ(qrv::img::kOk, CPanelImage::Build(sources[version % 2], s, size, expected));
            EXPECT_TRUE(SameBytes(expected, out)) << what;
            EXPECT_EQ(expected.Palette(), out.Palette()) << what;
        }
    // Nothing changed: only the reduction runs again.
    const Image source = ColorfulImage(64, 48, 200);
    CPanelSettings s;
    s.nColorBits = 8;
    s.pPal256 = pal.pal256;
    s.bSmooth = TRUE;
    s.nBrightness = 100;
    s.bFlip = TRUE;
    CPanelPipeline pipeline;
    Image first, again;
    ASSERT_EQ(qrv::img::kOk, pipeline.Build(source, 7, s, CSize(32, 24), first));
    ASSERT_EQ(qrv::img::kOk, pipeline.Build(source, 7, s, CSize(32, 24), again));
    EXPECT_EQ(CPanelPipeline::stageReduce, pipeline.GetLastStart());
    EXPECT_TRUE(SameBytes(first, again));
    // Three images of the source's size and one of the target size at most.
    const size_t sourceBytes = source.Stride() * size_t(source.Height());
    EXPECT_LE(pipeline.GetKeptBytes(), 3 * sourceBytes + size_t(32 * 24 * 4) + 3 * 1024);
    EXPECT_GT(pipeline.GetKeptBytes(), 0u);
    Image none;
    EXPECT_EQ(qrv::img::kNoImage, pipeline.Build(Image(), 8, s, CSize(32, 24), none));
    EXPECT_TRUE(none.Empty());
    EXPECT_EQ(0u, pipeline.GetKeptBytes()) << "an empty source drops what was kept";
}
