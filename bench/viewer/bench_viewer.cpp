// ./qrv bench viewer: the panel preview chain of the image viewer through the
// imaging control under Wine (bitmap copy from the source control, median,
// brightness, contrast, resampling to 640 x 480, reduction to the panel's
// palette, repaint), against the same chain on the imaging core in this
// process and, when given its time as the argument, on the native core.
#include <afxwin.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "bench/viewer/BenchChain.h"
#include "bench/viewer/SliderStep.h"
#include "imaging/DibWriter.h"
#include "viewer/Lead.h"

namespace {

HGLOBAL DibOf(const qrv::img::Image& img)
{
    std::vector<uint8_t> dib;
    qrv::img::DibWriter::Write(img, dib);
    HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE, dib.size());
    std::memcpy(::GlobalLock(h), dib.data(), dib.size());
    ::GlobalUnlock(h);
    return h;
}

}  // namespace

int main(int argc, char** argv)
{
    const double nativeMs = argc > 1 ? std::atof(argv[1]) : 0.0;
    const qrv::img::Image photo = benchviewer::MakePhoto(800, 600);
    const std::vector<uint32_t> palette = benchviewer::PanelPalette();

    CWnd host;
    host.CreateEx(0, AfxRegisterWndClass(0), "bench", WS_POPUP | WS_VISIBLE, 0, 0, 700, 520,
                  nullptr, nullptr);
    CLead source, panel;
    source.Create("", WS_CHILD, CRect(0, 0, 0, 0), &host, 7000);
    panel.Create("", WS_CHILD | WS_VISIBLE, CRect(0, 0, 680, 500), &host, 7001);
    // As the viewer sets up its display controls.
    panel.SetAutoRepaint(FALSE);
    panel.SetAutoSetRects(TRUE);
    panel.SetAutoSize(TRUE);
    panel.SetBackErase(FALSE);
    panel.SetBackColor(RGB(255, 255, 255));
    panel.SetPaintDither(1);
    panel.SetPaintPalette(1);
    panel.SetPaintSizeMode(0);
    HGLOBAL hDib = DibOf(photo);
    if (source.SetDIB(hDib) != 0)
        return 1;
    ::GlobalFree(hDib);
    for (int i = 0; i < 256; ++i)
        panel.SetUserPalette(short(i), palette[size_t(i)]);
    panel.SetForePalette(TRUE);

    short failed = 0;
    auto leadChain = [&] {
        panel.SetBitmap(source.GetBitmap());
        panel.SetPaintPalette(0);
        failed |= panel.Median(4);
        failed |= panel.Intensity(benchviewer::kIntensity);
        failed |= panel.Contrast(benchviewer::kContrast);
        failed |= panel.Size(640.f, 480.f, 2);
        failed |= panel.ColorRes(8, CLead::crUserPalette, CLead::crDitherFloydSteinberg, 256);
        failed |= panel.ForceRepaint();
    };
    leadChain();
    qrv::img::Image out;
    const auto [leadMs, coreMs] = benchviewer::MedianMsInTurns(
        leadChain, [&] { benchviewer::CoreChain(photo, palette, out); }, 31);
    if (failed || !(out == panel.GetImage())) {
        std::printf("the chains disagree (error %d)\n", failed);
        return 1;
    }
    // Where the time goes, step by step, on the control and on the core in
    // turns (medians; each step's input as in the chain).
    {
        using namespace qrv::img;
        const int n = 11;
        auto step = [&](const char* name, auto leadPrepare, auto leadRun, auto corePrepare, auto coreRun) {
            std::vector<double> lead, core;
            for (int i = 0; i < n; ++i) {
                leadPrepare();
                lead.push_back(benchviewer::TimeMs(leadRun));
                corePrepare();
                core.push_back(benchviewer::TimeMs(coreRun));
            }
            std::printf("    %-22s %7.2f ms %7.2f ms\n", name, benchviewer::Median(lead), benchviewer::Median(core));
        };
        Image img;
        auto copy = [&] { panel.SetBitmap(source.GetBitmap()); };
        auto coreCopy = [&] { img = photo; };
        auto sized = [&] { copy(); panel.Size(640.f, 480.f, 2); };
        auto coreSized = [&] { coreCopy(); Resampler::Size(img, 640, 480, 2); };
        auto none = [] {};
        auto reduced = [&] { sized(); panel.ColorRes(8, CLead::crUserPalette, 1, 256); };
        std::printf("  steps of the chain:            CLead      core\n");
        step("copy", reduced, copy, none, coreCopy);
        step("Median (4)", copy, [&] { panel.Median(4); }, coreCopy, [&] { Effects::Median(img, 4); });
        step("Intensity", copy, [&] { panel.Intensity(benchviewer::kIntensity); }, coreCopy,
             [&] { Effects::Intensity(img, benchviewer::kIntensity); });
        step("Contrast", copy, [&] { panel.Contrast(benchviewer::kContrast); }, coreCopy,
             [&] { Effects::Contrast(img, benchviewer::kContrast); });
        step("Size 640 x 480", copy, [&] { panel.Size(640.f, 480.f, 2); }, coreCopy,
             [&] { Resampler::Size(img, 640, 480, 2); });
        step("ColorRes (8, 0x10, 1)", sized, [&] { panel.ColorRes(8, CLead::crUserPalette, 1, 256); }, coreSized,
             [&] { ColorReducer::ColorRes(img, 8, kPaletteUser, kDitherFloydSteinberg, 256, palette); });
        step("ForceRepaint", reduced, [&] { panel.ForceRepaint(); }, none, none);
    }
    std::printf("viewer chain, 800 x 600 photo to a 640 x 480 panel image (median of 31):\n");
    std::printf("  CLead under Wine          %8.2f ms   (target < 16 ms)\n", leadMs);
    std::printf("  imaging core under Wine   %8.2f ms   CLead/core %.2f x\n", coreMs, leadMs / coreMs);
    if (nativeMs > 0)
        std::printf("  imaging core, native      %8.2f ms   CLead/native %.2f x (target <= 1.5 x)\n",
                    nativeMs, leadMs / nativeMs);
    // End to end: the image page's contrast slider to the repainted panel
    // control, on a small panel and on a large one (Floyd-Steinberg, 8 bits).
    struct SliderCase {
        const char* name;
        CSize source, panel;
        double targetMedian, targetSlowest;
    };
    const SliderCase cases[] = {
        {"800 x 600 photo on its own size", CSize(800, 600), CSize(0, 0), 8.0, 0.0},
        {"1920 x 1080 photo on a 1280 x 800 panel", CSize(1920, 1080), CSize(1280, 800), 16.0, 25.0},
    };
    std::printf("slider step, contrast, page handler to repainted panel (median and slowest of 50):\n");
    for (const SliderCase& c : cases) {
        const benchviewer::SliderStepResult r = benchviewer::RunSliderStep(&host, palette, 50, c.source, c.panel);
        if (!r.ok) {
            std::printf("the slider step did not run through the image page (%s)\n", c.name);
            return 1;
        }
        std::printf("  %-40s median %7.2f ms (target < %.0f), slowest %7.2f ms", c.name, r.medianMs, c.targetMedian,
                    r.maxMs);
        if (c.targetSlowest > 0)
            std::printf(" (target < %.0f)", c.targetSlowest);
        std::printf("; scroll handler %.2f ms\n", r.handlerMs);
    }
    host.DestroyWindow();
    return 0;
}
