// Timing of the imaging core for bench/imaging/run.sh.
//   bench_imaging dither IMAGE.bmp BITS OUTDIR   every dither kernel to the
//       fixed palette of BITS (8: 256 colours, 4: 16 colours), best warm
//       speed of each (the palette's colour cache filled by an earlier call),
//       results written to OUTDIR/<kernel>.bmp
//   bench_imaging warm IMAGE.bmp BITS            Floyd-Steinberg's warm speed only
//   bench_imaging cold IMAGE.bmp BITS            Floyd-Steinberg's first call with
//       the palette, nothing of it cached
//   bench_imaging chain IMAGE.bmp                the panel preview's whole chain
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "imaging/BmpFile.h"
#include "imaging/ColorReducer.h"
#include "imaging/Effects.h"
#include "imaging/Resampler.h"

using namespace qrv::img;

namespace {

// The 6 x 6 x 6 cube plus 40 greys, as 0x00BBGGRR.
std::vector<uint32_t> BenchPalette()
{
    std::vector<uint32_t> p;
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b)
                p.push_back(uint32_t(r * 51) | uint32_t(g * 51) << 8 | uint32_t(b * 51) << 16);
    for (int i = 0; i < 40; ++i) {
        const uint32_t v = uint32_t((i + 1) * 255 / 41);
        p.push_back(v | v << 8 | v << 16);
    }
    return p;
}

// Best of `runs` timings in milliseconds; `prepare` runs untimed before each.
double BestMs(int runs, const std::function<void()>& prepare, const std::function<void()>& work)
{
    double best = 1e30;
    for (int i = 0; i < runs; ++i) {
        prepare();
        const auto t0 = std::chrono::steady_clock::now();
        work();
        const auto t1 = std::chrono::steady_clock::now();
        const double ms = std::chrono::duration<double, std::milli>(t1 - t0).count();
        if (ms < best)
            best = ms;
    }
    return best;
}

bool LoadTrueColor(const char* in, Image& src)
{
    if (BmpFile::Load(in, src) != kOk || src.PromoteToTrueColor() != kOk) {
        std::fprintf(stderr, "cannot read %s\n", in);
        return false;
    }
    return true;
}

const char* const kNames[] = {"none", "fs", "stucki", "burkes", "sierra",
                              "stevenson_arce", "jarvis", "ordered"};

// Warm speed of one kernel in Mpx/s: one untimed call fills the colour cache.
double WarmMpx(const Image& src, int bits, int dither, int runs, Image& work)
{
    work = src;
    ColorReducer::ColorRes(work, bits, kPaletteFixed, dither, 0);
    const double ms = BestMs(runs, [&] { work = src; },
                             [&] { ColorReducer::ColorRes(work, bits, kPaletteFixed, dither, 0); });
    return double(src.Width()) * src.Height() / 1e6 / (ms / 1000.0);
}

int Dither(const char* in, int bits, const std::string& outDir)
{
    Image src, work;
    if (!LoadTrueColor(in, src))
        return 1;
    for (int d : {1, 0, 2, 3, 4, 5, 6, 7}) {
        std::printf("qrv_%s_mpx_s=%.1f\n", kNames[d], WarmMpx(src, bits, d, d == 1 ? 5 : 3, work));
        const std::string out = outDir + "/" + kNames[d] + ".bmp";
        if (BmpFile::Save(out, work) != kOk) {
            std::fprintf(stderr, "cannot write %s\n", out.c_str());
            return 1;
        }
    }
    return 0;
}

int Warm(const char* in, int bits)
{
    Image src, work;
    if (!LoadTrueColor(in, src))
        return 1;
    std::printf("qrv_fs_mpx_s=%.1f\n", WarmMpx(src, bits, kDitherFloydSteinberg, 5, work));
    return 0;
}

// The fixed palette of `bits` with every entry's blue moved by k: as large as
// the real one, and new to the colour cache.
std::vector<uint32_t> OtherPalette(int bits, int k)
{
    std::vector<uint32_t> p;
    for (const Bgra& c : ColorReducer::FixedPalette(bits))
        p.push_back(BgraToColorRef(Bgra{uint8_t((c.b + k) & 255), c.g, c.r, 0}));
    return p;
}

// The common case of a one-shot conversion: a palette the process has not
// seen, so nothing of it is cached. Timed in a process that has already
// reduced the image with other palettes (as Pillow's side is timed in a
// running interpreter), best of a few, each after four other palettes (as
// many as the reducer keeps) pushed the fixed one out of the cache.
int Cold(const char* in, int bits)
{
    Image src, work;
    if (!LoadTrueColor(in, src))
        return 1;
    const int n = 1 << bits;
    int k = 1;
    auto forget = [&] {
        for (int i = 0; i < 4; ++i) {
            work = src;
            ColorReducer::ColorRes(work, bits, kPaletteUser, kDitherFloydSteinberg, n,
                                   OtherPalette(bits, k++));
        }
        work = src;
    };
    const double ms = BestMs(5, forget, [&] {
        ColorReducer::ColorRes(work, bits, kPaletteFixed, kDitherFloydSteinberg, 0);
    });
    std::printf("qrv_fs_cold_ms=%.3f\n", ms);
    return 0;
}

int Chain(const char* in)
{
    Image src;
    if (!LoadTrueColor(in, src))
        return 1;
    const std::vector<uint32_t> pal = BenchPalette();
    Image img;
    struct Step {
        const char* name;
        std::function<Status(Image&)> run;
    };
    const Step steps[] = {
        {"median4", [](Image& i) { return Effects::Median(i, 4); }},
        {"average4", [](Image& i) { return Effects::Average(i, 4); }},
        {"sharpen800", [](Image& i) { return Effects::Sharpen(i, 800); }},
        {"intensity100", [](Image& i) { return Effects::Intensity(i, 100); }},
        {"contrast200", [](Image& i) { return Effects::Contrast(i, 200); }},
        {"size640x480", [](Image& i) { return Resampler::Size(i, 640, 480, 2); }},
        {"colorres8", [&pal](Image& i) { return ColorReducer::ColorRes(i, 8, kPaletteUser, 1, 256, pal); }},
    };
    const double total = BestMs(9, [&] { img = src; }, [&] {
        for (const Step& s : steps)
            s.run(img);
    });
    // Per-step times, for finding where the frame goes.
    std::string detail;
    Image stage = src;
    for (const Step& s : steps) {
        Image before = stage;
        const double ms = BestMs(5, [&] { img = before; }, [&] { s.run(img); });
        s.run(stage);
        char buf[64];
        std::snprintf(buf, sizeof buf, " %s=%.2f", s.name, ms);
        detail += buf;
    }
    std::printf("chain_%dx%d_ms=%.2f\n", src.Width(), src.Height(), total);
    std::printf("chain_steps_ms:%s\n", detail.c_str());
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 5 && std::strcmp(argv[1], "dither") == 0)
        return Dither(argv[2], std::atoi(argv[3]), argv[4]);
    if (argc == 4 && std::strcmp(argv[1], "warm") == 0)
        return Warm(argv[2], std::atoi(argv[3]));
    if (argc == 4 && std::strcmp(argv[1], "cold") == 0)
        return Cold(argv[2], std::atoi(argv[3]));
    if (argc == 3 && std::strcmp(argv[1], "chain") == 0)
        return Chain(argv[2]);
    std::fprintf(stderr, "usage: bench_imaging dither IMAGE.bmp BITS OUTDIR | warm IMAGE.bmp BITS |\n"
                         "       cold IMAGE.bmp BITS | chain IMAGE.bmp\n");
    return 2;
}
