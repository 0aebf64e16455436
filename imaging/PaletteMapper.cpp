#include "imaging/PaletteMapper.h"

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

}  // namespace

PaletteMapper::PaletteMapper(const std::vector<Bgra>& palette)
    : palette_(palette), cache_(size_t(1) << 18, kEmpty), boxes_(512), boxReady_(512, false)
{
    if (palette_.empty())
        palette_.push_back(Bgra{});
    if (palette_.size() > 256)
        palette_.resize(256);
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

const std::vector<uint8_t>& PaletteMapper::BoxCandidates(int box)
{
    if (boxReady_[size_t(box)])
        return boxes_[size_t(box)];
    const int r0 = (box >> 6) * 32, g0 = ((box >> 3) & 7) * 32, b0 = (box & 7) * 32;
    std::vector<int> mins(palette_.size());
    int bound = INT_MAX;
    for (size_t i = 0; i < palette_.size(); ++i) {
        const Bgra& c = palette_[i];
        int mr, xr, mg, xg, mb, xb;
        AxisRange(c.r, r0, r0 + 31, mr, xr);
        AxisRange(c.g, g0, g0 + 31, mg, xg);
        AxisRange(c.b, b0, b0 + 31, mb, xb);
        mins[i] = mr + mg + mb;
        if (xr + xg + xb < bound)
            bound = xr + xg + xb;
    }
    std::vector<uint8_t>& list = boxes_[size_t(box)];
    for (size_t i = 0; i < palette_.size(); ++i)
        if (mins[i] <= bound)
            list.push_back(uint8_t(i));
    boxReady_[size_t(box)] = true;
    return list;
}

int PaletteMapper::Fill(size_t slot)
{
    const int sr = int(slot >> 12), sg = int((slot >> 6) & 63), sb = int(slot & 63);
    const int box = (sr >> 3) << 6 | (sg >> 3) << 3 | (sb >> 3);
    // Doubled coordinates put the slot centre (4s + 1.5) on an integer.
    const int cr = 8 * sr + 3, cg = 8 * sg + 3, cb = 8 * sb + 3;
    int best = 0;
    int bestD = INT_MAX;
    for (uint8_t i : BoxCandidates(box)) {
        const Bgra& c = palette_[i];
        const int d = Sq(2 * c.r - cr) + Sq(2 * c.g - cg) + Sq(2 * c.b - cb);
        if (d < bestD) {
            bestD = d;
            best = i;
        }
    }
    cache_[slot] = uint16_t(best);
    return best;
}

}  // namespace qrv::img
