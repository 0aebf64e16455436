// The incremental panel pipeline: the full build's bytes after any two changes, within its bounds.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "tests/viewer/ViewerTestSupport.h"
#include "viewer/PanelImage.h"
#include "viewer/PanelPipeline.h"

using namespace viewertest;

using qrv::img::Image;

namespace {

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
            s.pPal16 = pal.pal16, s.pPal256 = pal.pal256, s.pPalPlx508 = pal.plx508, s.pPal8 = pal.pal8;
            s.bSmooth = TRUE, s.nContrast = 100;
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
    s.nColorBits = 8, s.pPal256 = pal.pal256;
    s.bSmooth = TRUE, s.nBrightness = 100, s.bFlip = TRUE;
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

TEST(PanelPipeline, TheViewerFollowsAnImageChangedInPlace)
{
    const TestPalettes pal;
    HostWindow host(400, 300);
    TestViewer viewer;
    ASSERT_TRUE(viewer.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 380, 280), &host, 100));
    viewer.SetColorInfo(8, nullptr, pal.pal256, nullptr, nullptr);
    CLead *pSource = viewer.GetSourceCtrl();
    ASSERT_NE(nullptr, pSource);
    Image photo = ColorfulImage(40, 30, 200);
    pSource->TakeImage(photo);
    viewer.SetBrightness(200, FALSE); // a stage with a kept result
    viewer.UpdatePanelImage(0, nullptr);
    ASSERT_EQ(qrv::img::kOk, pSource->Invert()) << "the source changes in place";
    viewer.UpdatePanelImage(0, nullptr);
    Image expected;
    ASSERT_EQ(qrv::img::kOk,
              CPanelImage::Build(pSource->GetImage(), viewer.GetPanelSettings(), CSize(0, 0), expected));
    Image shown;
    ASSERT_NE(nullptr, viewer.GetPanelCtrl());
    shown = viewer.GetPanelCtrl()->GetImage();
    EXPECT_TRUE(SameBytes(expected, shown)) << "the panel shows the changed source";
}
