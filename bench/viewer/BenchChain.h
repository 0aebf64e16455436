// The panel preview chain of the viewer benchmark on the imaging core alone,
// with the photo-like picture and the user palette both sides use.
#pragma once

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

#include "imaging/ColorReducer.h"
#include "imaging/Effects.h"
#include "imaging/Image.h"
#include "imaging/Resampler.h"

namespace benchviewer {

constexpr int kIntensity = 60;
constexpr int kContrast = 150;

// Smooth shading, a few hard edges and fine noise, as a photo has.
inline qrv::img::Image MakePhoto(int w, int h)
{
    qrv::img::Image img;
    img.Create(w, h, 24);
    uint32_t seed = 12345;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            seed = seed * 1103515245u + 12345u;
            const int noise = int((seed >> 16) & 15) - 8;
            const double fx = double(x) / w, fy = double(y) / h;
            int r = int(128 + 100 * std::sin(6.0 * fx + 2.0 * fy));
            int g = int(128 + 90 * std::cos(4.0 * fy - 3.0 * fx));
            int b = int(255 * fx * fy);
            if ((x / 97 + y / 61) % 5 == 0) {  // objects with hard edges
                r = 255 - r;
                b = 200;
            }
            uint8_t* p = img.Row(y) + 3 * x;
            p[0] = uint8_t(std::clamp(b + noise, 0, 255));
            p[1] = uint8_t(std::clamp(g + noise, 0, 255));
            p[2] = uint8_t(std::clamp(r + noise, 0, 255));
        }
    return img;
}

// A panel's 256-colour palette: a 6 x 7 x 6 cube and some greys, 0x00BBGGRR.
inline std::vector<uint32_t> PanelPalette()
{
    std::vector<uint32_t> pal;
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 7; ++g)
            for (int b = 0; b < 6; ++b)
                pal.push_back(uint32_t(r * 51) | uint32_t(g * 42) << 8 | uint32_t(b * 51) << 16);
    while (pal.size() < 256) {
        const uint32_t v = uint32_t((pal.size() - 252) * 60 + 20) & 0xFF;
        pal.push_back(v | v << 8 | v << 16);
    }
    return pal;
}

// The chain on the core: copy, median, brightness, contrast, resampling,
// reduction to the user palette with Floyd-Steinberg.
inline bool CoreChain(const qrv::img::Image& source, const std::vector<uint32_t>& palette,
                      qrv::img::Image& out)
{
    using namespace qrv::img;
    out = source;
    return Effects::Median(out, 4) == kOk && Effects::Intensity(out, kIntensity) == kOk &&
           Effects::Contrast(out, kContrast) == kOk && Resampler::Size(out, 640, 480, 2) == kOk &&
           ColorReducer::ColorRes(out, 8, kPaletteUser, kDitherFloydSteinberg, 256, palette) == kOk;
}

inline double Median(std::vector<double> t)
{
    std::sort(t.begin(), t.end());
    return t[t.size() / 2];
}

template <class F>
double TimeMs(F f)
{
    const auto a = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - a).count();
}

// Median of `runs` timings of f, in milliseconds.
template <class F>
double MedianMs(F f, int runs)
{
    std::vector<double> t;
    for (int i = 0; i < runs; ++i)
        t.push_back(TimeMs(f));
    return Median(t);
}

// Medians of `runs` timings of f and of g, taken in turns, so that what
// else the machine does weighs on both alike.
template <class F, class G>
std::pair<double, double> MedianMsInTurns(F f, G g, int runs)
{
    std::vector<double> tf, tg;
    for (int i = 0; i < runs; ++i) {
        tf.push_back(TimeMs(f));
        tg.push_back(TimeMs(g));
    }
    return {Median(tf), Median(tg)};
}

}  // namespace benchviewer
