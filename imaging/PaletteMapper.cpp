#include "imaging/PaletteMapper.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <utility>
#include <new>

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
    dmax = std::max(Sq(p - lo), Sq(p - hi));
}

}  // namespace

namespace {

// The slot memory of mappers that were dropped, for the next mapper of the
// same size: a new palette then starts on pages already mapped, instead of
// the first touch of each costing a page fault.
struct SpareSlots {
    std::mutex lock;
    std::vector<std::pair<size_t, uint8_t*>> kept;  // bytes, memory
};
// Never destroyed: mappers kept in other static objects release their memory
// at exit, after any static of this file would be gone.
SpareSlots& Spares()
{
    static SpareSlots* spares = new SpareSlots;
    return *spares;
}
constexpr size_t kSparesKept = 2;

uint8_t* TakeSpare(size_t bytes)
{
    SpareSlots& s = Spares();
    const std::lock_guard<std::mutex> hold(s.lock);
    for (size_t i = 0; i < s.kept.size(); ++i)
        if (s.kept[i].first == bytes) {
            uint8_t* p = s.kept[i].second;
            s.kept.erase(s.kept.begin() + ptrdiff_t(i));
            return p;
        }
    return nullptr;
}

}  // namespace

void SlotMemoryRelease::operator()(uint8_t* p) const
{
    SpareSlots& s = Spares();
    const std::lock_guard<std::mutex> hold(s.lock);
    if (s.kept.size() == kSparesKept) {
        std::free(s.kept.front().second);
        s.kept.erase(s.kept.begin());
    }
    s.kept.emplace_back(bytes, p);
}

// Fine slots when two distinct entries are closer than kFineSpacing in every
// channel.
int PaletteMapper::ChooseShift(const std::vector<Bgra>& palette)
{
    for (size_t i = 0; i < palette.size(); ++i)
        for (size_t j = i + 1; j < palette.size(); ++j) {
            const Bgra& a = palette[i];
            const Bgra& b = palette[j];
            const int d = std::max({std::abs(a.r - b.r), std::abs(a.g - b.g), std::abs(a.b - b.b)});
            if (d > 0 && d < kFineSpacing)
                return 1;
        }
    return 2;
}

PaletteMapper::PaletteMapper(const std::vector<Bgra>& palette)
    : palette_(palette), table_(kTableWords, 0), regions_(64)
{
    if (palette_.empty())
        palette_.push_back(Bgra{});
    if (palette_.size() > 256)
        palette_.resize(256);
    shift_ = ChooseShift(palette_);
    boxBits_ = 8 - shift_ - 3;
    slotCount_ = size_t(1) << (3 * (8 - shift_));
    // Slot entries, then a ready byte per box of 512 slots; only the ready
    // bytes need clearing.
    const size_t bytes = slotCount_ + slotCount_ / 512;
    uint8_t* memory = TakeSpare(bytes);
    if (memory)
        std::memset(memory + slotCount_, 0, slotCount_ / 512);
    else
        memory = static_cast<uint8_t*>(std::calloc(bytes, 1));
    if (!memory)
        throw std::bad_alloc();
    slots_ = std::unique_ptr<uint8_t, SlotMemoryRelease>(memory, SlotMemoryRelease{bytes});
    sq_.resize(palette_.size());
    for (size_t i = 0; i < palette_.size(); ++i) {
        const Bgra& c = palette_[i];
        sq_[i] = Sq(c.r) + Sq(c.g) + Sq(c.b);
        table_[i] = uint32_t(i) | uint32_t(c.b) << 8 | uint32_t(c.g) << 16 | uint32_t(c.r) << 24;
    }
    candidates_.reserve(palette_.size());
    for (int v = kLowest; v <= kHighest; ++v) {
        const int c = std::min(std::max(v, 0), 255);
        const size_t at = size_t(v - kLowest);
        table_[kAxisAt + at] = KeyBits(2, c);
        table_[kAxisAt + kSpan + at] = KeyBits(1, c);
        table_[kAxisAt + 2 * kSpan + at] = KeyBits(0, c);
    }
}

bool PaletteMapper::SamePalette(const std::vector<Bgra>& palette) const
{
    return palette == palette_;
}

void PaletteMapper::FillBlock(int b, int g, int r)
{
    constexpr int kWidth = 1 << kBlockShift;
    const int boxWidth = 8 << shift_;
    const int b0 = b & -kWidth, g0 = g & -kWidth, r0 = r & -kWidth;
    const uint8_t* ready = slots_.get() + slotCount_;
    for (int rr = r0; rr < r0 + kWidth; rr += boxWidth)
        for (int gg = g0; gg < g0 + kWidth; gg += boxWidth)
            for (int bb = b0; bb < b0 + kWidth; bb += boxWidth) {
                const uint32_t key = KeyBits(0, bb) | KeyBits(1, gg) | KeyBits(2, rr);
                if (!ready[key >> 9])
                    FillBox(key);
            }
    const int block = (r >> kBlockShift) << 6 | (g >> kBlockShift) << 3 | (b >> kBlockShift);
    blocks_[block >> 6] |= uint64_t(1) << (block & 63);
}

// The entries of `from` (index order) that can be nearest somewhere in the
// cube of `width` values at (r0, g0, b0), in index order.
void PaletteMapper::Candidates(int r0, int g0, int b0, int width, const std::vector<uint8_t>& from,
                               std::vector<uint8_t>& list) const
{
    int mins[256];
    int bound = INT_MAX;
    for (size_t k = 0; k < from.size(); ++k) {
        const Bgra& c = palette_[from[k]];
        int mr, xr, mg, xg, mb, xb;
        AxisRange(c.r, r0, r0 + width - 1, mr, xr);
        AxisRange(c.g, g0, g0 + width - 1, mg, xg);
        AxisRange(c.b, b0, b0 + width - 1, mb, xb);
        mins[k] = mr + mg + mb;
        bound = std::min(bound, xr + xg + xb);
    }
    list.clear();
    for (size_t k = 0; k < from.size(); ++k)
        if (mins[k] <= bound)
            list.push_back(from[k]);
}

// Fills the box of the slot at `key`. Doubled coordinates put a slot centre
// on an integer x; the squared distance 4|c|^2 - 4 c.x + |x|^2 orders the
// entries as |c|^2 - c.x does. Every term is an integer below 2^24, so the
// scores are exact in float, which vectorises well; candidates come in index
// order and only a strictly lower score wins, so ties keep the lower index.
void PaletteMapper::FillBox(uint32_t key)
{
    const int w = 1 << shift_;  // slot width
    const uint32_t box = key >> 9, boxMask = (1u << boxBits_) - 1;
    const int sr0 = int(box >> (2 * boxBits_)) * 8, sg0 = int(box >> boxBits_ & boxMask) * 8,
              sb0 = int(box & boxMask) * 8;
    const size_t regionAt = size_t((sr0 * w >> 6) << 4 | (sg0 * w >> 6) << 2 | (sb0 * w >> 6));
    std::vector<uint8_t>& region = regions_[regionAt];
    if (region.empty()) {
        std::vector<uint8_t> all(palette_.size());
        for (size_t i = 0; i < all.size(); ++i)
            all[i] = uint8_t(i);
        Candidates(sr0 * w & ~63, sg0 * w & ~63, sb0 * w & ~63, 64, all, region);
    }
    Candidates(sr0 * w, sg0 * w, sb0 * w, 8 * w, region, candidates_);
    // Doubled centre of the box's first slot, and the steps between slots.
    const int r0 = 2 * w * sr0 + w - 1, g0 = 2 * w * sg0 + w - 1, b0 = 2 * w * sb0 + w - 1;
    const float step = float(2 * w);
    float best[512];
    int32_t index[512];
    for (int j = 0; j < 512; ++j) {
        best[j] = 3.0e38f;
        index[j] = 0;
    }
    for (uint8_t i : candidates_) {
        const Bgra& c = palette_[i];
        const float base = float(sq_[i] - (c.r * r0 + c.g * g0 + c.b * b0));
        const float kr = float(c.r) * step, kg = float(c.g) * step;
        float kb[8];
        for (int k = 0; k < 8; ++k)
            kb[k] = float(c.b) * step * float(k);
        const int32_t ci = i;
        for (int row = 0; row < 64; ++row) {
            const float t = base - (kr * float(row >> 3) + kg * float(row & 7));
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
    // Four slots along blue are neighbours in a group: stored four at once.
    uint8_t* slots = slots_.get();
    for (int j = 0; j < 512; j += 4) {
        const uint32_t place = SlotPlace(sr0 + (j >> 6), sg0 + ((j >> 3) & 7), sb0 + (j & 7));
        const uint32_t four = uint32_t(index[j]) | uint32_t(index[j + 1]) << 8 |
                              uint32_t(index[j + 2]) << 16 | uint32_t(index[j + 3]) << 24;
        std::memcpy(slots + place, &four, 4);
    }
    slots[slotCount_ + box] = 1;
}

}  // namespace qrv::img
