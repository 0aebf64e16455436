#include "imaging/PaletteMapper.h"

#include <algorithm>
#include <climits>

namespace qrv::img {

namespace {

inline int Sq(int v)
{
    return v * v;
}

// Smallest and largest squared distance along one axis from p to [lo, hi].
inline void AxisRange(int p, int lo, int hi, int& dmin, int& dmax)
{
    dmin = p < lo ? Sq(lo - p) : p > hi ? Sq(p - hi) : 0;
    const int a = Sq(p - lo);
    const int b = Sq(p - hi);
    dmax = a > b ? a : b;
}

// Offsets of the 512 slot centres of a box from its first, in doubled
// coordinates (8 per slot), red slowest.
struct BoxOffsets {
    float r[512], g[512], b[512];
    BoxOffsets()
    {
        for (int j = 0; j < 512; ++j) {
            r[j] = float(8 * (j >> 6));
            g[j] = float(8 * ((j >> 3) & 7));
            b[j] = float(8 * (j & 7));
        }
    }
};

}  // namespace

PaletteMapper::PaletteMapper(const std::vector<Bgra>& palette)
    : palette_(palette), table_(kTableWords, 0)
{
    if (palette_.empty())
        palette_.push_back(Bgra{});
    if (palette_.size() > 256)
        palette_.resize(256);
    sq_.resize(palette_.size());
    for (size_t i = 0; i < palette_.size(); ++i) {
        const Bgra& c = palette_[i];
        sq_[i] = Sq(c.r) + Sq(c.g) + Sq(c.b);
        table_[i] = uint32_t(i) | uint32_t(c.b) << 8 | uint32_t(c.g) << 16 | uint32_t(c.r) << 24;
    }
    candidates_.reserve(palette_.size());
    for (int v = -255; v <= 512; ++v) {
        const int s = (v < 0 ? 0 : v > 255 ? 255 : v) >> 2;
        table_[kAxisAt + size_t(v + 255)] = SlotPlace(s, 0, 0);
        table_[kAxisAt + 768 + size_t(v + 255)] = SlotPlace(0, s, 0);
        table_[kAxisAt + 1536 + size_t(v + 255)] = SlotPlace(0, 0, s);
    }
    uint8_t* bytes = reinterpret_cast<uint8_t*>(table_.data());
    for (int v = -255; v <= 512; ++v)
        bytes[kClampAt + size_t(255 + v)] = uint8_t(v < 0 ? 0 : v > 255 ? 255 : v);
}

bool PaletteMapper::SamePalette(const std::vector<Bgra>& palette) const
{
    return palette == palette_;
}

int PaletteMapper::NearestExact(int b, int g, int r) const
{
    int best = 0;
    int bestD = INT_MAX;
    for (size_t i = 0; i < palette_.size(); ++i) {
        const Bgra& c = palette_[i];
        const int d = Sq(c.b - b) + Sq(c.g - g) + Sq(c.r - r);
        if (d < bestD) {
            bestD = d;
            best = int(i);
        }
    }
    return best;
}

void PaletteMapper::BoxCandidates(int box, std::vector<uint8_t>& list) const
{
    const int r0 = (box >> 6) * 32, g0 = ((box >> 3) & 7) * 32, b0 = (box & 7) * 32;
    int mins[256];
    int bound = INT_MAX;
    for (size_t i = 0; i < palette_.size(); ++i) {
        const Bgra& c = palette_[i];
        int mr, xr, mg, xg, mb, xb;
        AxisRange(c.r, r0, r0 + 31, mr, xr);
        AxisRange(c.g, g0, g0 + 31, mg, xg);
        AxisRange(c.b, b0, b0 + 31, mb, xb);
        mins[i] = mr + mg + mb;
        const int far = xr + xg + xb;
        bound = far < bound ? far : bound;
    }
    list.clear();
    for (size_t i = 0; i < palette_.size(); ++i)
        if (mins[i] <= bound)
            list.push_back(uint8_t(i));
}

// Doubled coordinates put a slot centre (4s + 1.5) on an integer x; the
// squared distance 4|c|^2 - 4 c.x + |x|^2 orders the entries as |c|^2 - c.x
// does. Every term is an integer below 2^24, so the scores are exact in
// float, which vectorises well; candidates come in index order and only a
// strictly lower score wins, so ties keep the lower index.
void PaletteMapper::FillBox(int box)
{
    static const BoxOffsets kOff;
    const int r0 = (box >> 6) * 64 + 3, g0 = ((box >> 3) & 7) * 64 + 3, b0 = (box & 7) * 64 + 3;
    float best[512];
    int32_t index[512];
    for (int j = 0; j < 512; ++j) {
        best[j] = 3.0e38f;
        index[j] = 0;
    }
    BoxCandidates(box, candidates_);
    for (uint8_t i : candidates_) {
        const Bgra& c = palette_[i];
        const float base = float(sq_[i] - (c.r * r0 + c.g * g0 + c.b * b0));
        const float kr = float(c.r), kg = float(c.g);
        float kb[8];
        for (int k = 0; k < 8; ++k)
            kb[k] = float(c.b * 8 * k);
        const int32_t ci = i;
        for (int row = 0; row < 64; ++row) {
            const float t = base - (kr * kOff.r[row * 8] + kg * kOff.g[row * 8]);
            float* bs = best + row * 8;
            int32_t* ix = index + row * 8;
            for (int k = 0; k < 8; ++k) {
                const float sc = t - kb[k];
                const bool lower = sc < bs[k];
                bs[k] = std::min(sc, bs[k]);
                ix[k] = lower ? ci : ix[k];
            }
        }
    }
    const int sr0 = (box >> 6) * 8, sg0 = ((box >> 3) & 7) * 8, sb0 = (box & 7) * 8;
    uint8_t* bytes = reinterpret_cast<uint8_t*>(table_.data());
    for (int j = 0; j < 512; ++j) {
        const uint32_t place = SlotPlace(sr0 + (j >> 6), sg0 + ((j >> 3) & 7), sb0 + (j & 7));
        bytes[kCacheAt + place] = uint8_t(index[j]);
        bytes[kReadyAt + (place >> 6)] = 1;
    }
}

}  // namespace qrv::img
