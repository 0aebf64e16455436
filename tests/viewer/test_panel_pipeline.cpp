// The incremental panel pipeline: after any change following any other, its
// panel image is byte for byte the one the full build makes, it starts at the
// first stage the change affects, and its kept results stay within their bound.
#include <gtest/gtest.h>
#include <functional>
#include <string>
#include <vector>
#include "tests/viewer/ViewerTestSupport.h"
#include "viewer/PanelImage.h"
#include "viewer/PanelPipeline.h"

using namespace viewertest;

using qrv::img::Image;

namespace {

struct Change {
    const char *name;
    CPanelPipeline::Stage first; // the stage a build after this change starts from
    std::function<void(CPanelSettings &, CSize &, DWORD &)> apply;
};

std::vector<Change> Changes()
{
    return {
        {"smooth", CPanelPipeline::stageFilters,
         [](CPanelSettings &s, CSize &, DWORD &) { s.bSmooth = !s.bSmooth; }},
        {"blur", CPanelPipeline::stageFilters,
         [](CPanelSettings &s, CSize &, DWORD &) { s.bBlur = !s.bBlur; }},
        {"sharpen", CPanelPipeline::stageFilters,
         [](CPanelSettings &s, CSize &, DWORD &) { s.bSharpen = !s.bSharpen; }},
        {"source", CPanelPipeline::stageFilters, [](CPanelSettings &, CSize &, DWORD &v) { ++v; }},
        {"brightness", CPanelPipeline::stageTone,
         [](CPanelSettings &s, CSize &, DWORD &) { s.nBrightness = s.nBrightness == 250 ? -120 : 250; }},
        {"contrast", CPanelPipeline::stageTone,
         [](CPanelSettings &s, CSize &, DWORD &) { s.nContrast = s.nContrast == 300 ? -200 : 300; }},
        {"invert", CPanelPipeline::stageGeometry,
         [](CPanelSettings &s, CSize &, DWORD &) { s.bInvert = !s.bInvert; }},
        {"flip", CPanelPipeline::stageGeometry,
         [](CPanelSettings &s, CSize &, DWORD &) { s.bFlip = !s.bFlip; }},
        {"mirror", CPanelPipeline::stageGeometry,
         [](CPanelSettings &s, CSize &, DWORD &) { s.bMirror = !s.bMirror; }},
        {"size", CPanelPipeline::stageSize,
         [](CPanelSettings &, CSize &size, DWORD &) {
             size = size == CSize(23, 17) ? CSize(0, 0) : CSize(23, 17);
         }},
        {"colour bits", CPanelPipeline::stageReduce,
         [](CPanelSettings &s, CSize &, DWORD &) { s.nColorBits = s.nColorBits == 8 ? 4 : 8; }},
        {"dither", CPanelPipeline::stageReduce,
         [](CPanelSettings &s, CSize &, DWORD &) {
             s.nDither = s.nDither == CPanelSettings::ditherFloydSteinberg
                             ? CPanelSettings::ditherBayer
                             : CPanelSettings::ditherFloydSteinberg;
         }},
        {"plx508", CPanelPipeline::stageReduce,
         [](CPanelSettings &s, CSize &, DWORD &) { s.bPlx508Mode = !s.bPlx508Mode; }},
    };
}

bool SameBytes(const Image &a, const Image &b)
{
    if (!(a == b) || a.Stride() != b.Stride())
        return false;
    return std::equal(a.Data(), a.Data() + a.Stride() * size_t(a.Height()), b.Data());
}

} // namespace

TEST(PanelPipeline, EverySettingChangedAfterEveryOtherGivesTheFullBuildsBytes)
{
    const TestPalettes pal;
    const std::vector<Change> changes = Changes();
    for (const Change &before : changes)
        for (const Change &after : changes) {
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
            before.apply(s, size, version);
            ASSERT_EQ(qrv::img::kOk, pipeline.Build(sources[version % 2], version, s, size, out));
            after.apply(s, size, version);
            ASSERT_EQ(qrv::img::kOk, pipeline.Build(sources[version % 2], version, s, size, out));
            const std::string what = std::string(before.name) + " then " + after.name;
            EXPECT_EQ(after.first, pipeline.GetLastStart()) << what;
            ASSERT_EQ(qrv::img::kOk, CPanelImage::Build(sources[version % 2], s, size, expected));
            EXPECT_TRUE(SameBytes(expected, out)) << what;
            EXPECT_EQ(expected.Palette(), out.Palette()) << what;
        }
}

TEST(PanelPipeline, NothingChangedOnlyReducesAgainAndKeepsItsBound)
{
    const TestPalettes pal;
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
