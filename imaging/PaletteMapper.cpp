#include "imaging/PaletteMapper.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "imaging/PixelMemory.h"

namespace qrv::img {

namespace {

inline int Sq(int v)
{
    return v * v;
}

// Smallest and largest squared distance along one axis from p to [lo, hi].
inline void AxisRange(int p, int lo, int hi, int& dmin, int& dmax)
{
    const int out = std::max({lo - p, p - hi, 0});
    const int far = std::max(std::abs(p - lo), std::abs(p - hi));
    dmin = out * out;
    dmax = far * far;
}

}  // namespace

void SlotMemoryRelease::operator()(uint8_t* p) const
{
    PixelMemory::Give(p, bytes);
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

PaletteMapper::PaletteMapper(const std::vector<Bgra>& palette, CodePath path)
    : palette_(palette), table_(kTableWords, 0), regions_(512),
      avx2_(path == CodePath::kFastest && HasAvx2())
{
    if (palette_.empty())
        palette_.push_back(Bgra{});
    if (palette_.size() > 256)
        palette_.resize(256);
    shift_ = ChooseShift(palette_);
    // 256 + 2 kReach values per channel need nine bits of slots and boxes.
    static_assert(256 + 2 * kReach <= 512 && kReach % 4 == 0,
                  "the grid fits nine bits and its slots start where those of 0..255 do");
    boxBits_ = 9 - shift_ - 3;
    slotCount_ = size_t(1) << (3 * (9 - shift_));
    // Slot entries, then a ready byte per box of 512 slots; only the ready
    // bytes need clearing.
    const size_t bytes = slotCount_ + slotCount_ / 512;
    uint8_t* memory = static_cast<uint8_t*>(PixelMemory::Take(bytes));
    std::memset(memory + slotCount_, 0, slotCount_ / 512);
    slots_ = std::unique_ptr<uint8_t, SlotMemoryRelease>(memory, SlotMemoryRelease{bytes});
    sq_.resize(palette_.size());
    for (size_t i = 0; i < palette_.size(); ++i) {
        const Bgra& c = palette_[i];
        sq_[i] = Sq(c.r) + Sq(c.g) + Sq(c.b);
        table_[i] = uint32_t(i) | uint32_t(c.b) << 8 | uint32_t(c.g) << 16 | uint32_t(c.r) << 24;
    }
    candidates_.reserve(palette_.size());
    allEntries_.resize(palette_.size());
    for (size_t i = 0; i < allEntries_.size(); ++i)
        allEntries_[i] = uint8_t(i);
    for (int v = kLowest; v <= kHighest; ++v) {
        const int c = std::min(std::max(v, -kReach), 255 + kReach);
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

PaletteMapper::Extent PaletteMapper::Cube(int r0, int g0, int b0, int width)
{
    return Extent{{r0, g0, b0}, {r0 + width - 1, g0 + width - 1, b0 + width - 1}};
}

// Per channel the values of the block of (b, g, r).
PaletteMapper::Extent PaletteMapper::BlockExtent(int b, int g, int r)
{
    constexpr int kWidth = 1 << kBlockShift;
    static_assert(kWidth % (8 << 2) == 0, "a block is made of whole boxes");
    const int values[3] = {r, g, b};
    Extent at;
    for (int ch = 0; ch < 3; ++ch) {
        const int block = BlockAxis(values[ch]);
        at.lo[ch] = block * kWidth - kReach;
        at.hi[ch] = block == kLastBlock ? 255 + kReach : at.lo[ch] + kWidth - 1;
    }
    return at;
}

void PaletteMapper::FillBlock(int b, int g, int r)
{
    const int boxWidth = 8 << shift_;
    const Extent at = BlockExtent(b, g, r);
    const uint32_t first = KeyBits(0, at.lo[2]) | KeyBits(1, at.lo[1]) | KeyBits(2, at.lo[0]);
    // A block short of the upper face along every axis lies in one region of
    // 64 x 64 x 64 values, whose entries are known; the others search the palette.
    const bool inRegion = at.hi[0] < 255 && at.hi[1] < 255 && at.hi[2] < 255;
    Candidates(at, inRegion ? RegionOf(first) : allEntries_, blockCandidates_);
    const uint8_t* ready = slots_.get() + slotCount_;
    for (int rr = at.lo[0]; rr < at.hi[0]; rr += boxWidth)
        for (int gg = at.lo[1]; gg < at.hi[1]; gg += boxWidth)
            for (int bb = at.lo[2]; bb < at.hi[2]; bb += boxWidth) {
                const uint32_t key = KeyBits(0, bb) | KeyBits(1, gg) | KeyBits(2, rr);
                if (!ready[key >> 9])
                    FillBoxFrom(key, blockCandidates_);
            }
    const int block = BlockOf(b, g, r);
    blocks_[block >> 5] |= uint32_t(1) << (block & 31);
}

// The entries of `from` (index order) that can be nearest somewhere in the
// region `at`, in index order.
void PaletteMapper::Candidates(const Extent& at, const std::vector<uint8_t>& from,
                               std::vector<uint8_t>& list) const
{
    int mins[256];
    int bound = INT_MAX;
    for (size_t k = 0; k < from.size(); ++k) {
        const Bgra& c = palette_[from[k]];
        int mr, xr, mg, xg, mb, xb;
        AxisRange(c.r, at.lo[0], at.hi[0], mr, xr);
        AxisRange(c.g, at.lo[1], at.hi[1], mg, xg);
        AxisRange(c.b, at.lo[2], at.hi[2], mb, xb);
        mins[k] = mr + mg + mb;
        bound = std::min(bound, xr + xg + xb);
    }
    list.resize(from.size());
    size_t n = 0;
    for (size_t k = 0; k < from.size(); ++k) {
        list[n] = from[k];
        n += mins[k] <= bound;
    }
    list.resize(n);
}

// The palette's entries that can be nearest somewhere in the 64 x 64 x 64
// values around the box of `key`, found on first use.
const std::vector<uint8_t>& PaletteMapper::RegionOf(uint32_t key)
{
    int r0, g0, b0;
    BoxCorner(key, r0, g0, b0);
    const int ur = (r0 + kReach) & ~63, ug = (g0 + kReach) & ~63, ub = (b0 + kReach) & ~63;
    std::vector<uint8_t>& region = regions_[size_t(ur | ug >> 3 | ub >> 6)];
    if (region.empty())
        Candidates(Cube(ur - kReach, ug - kReach, ub - kReach, 64), allEntries_, region);
    return region;
}

// The first value of each channel in the box of `key`.
void PaletteMapper::BoxCorner(uint32_t key, int& r0, int& g0, int& b0) const
{
    const uint32_t box = key >> 9, boxMask = (1u << boxBits_) - 1;
    const int boxWidth = 8 << shift_;
    r0 = int(box >> (2 * boxBits_)) * boxWidth - kReach;
    g0 = int(box >> boxBits_ & boxMask) * boxWidth - kReach;
    b0 = int(box & boxMask) * boxWidth - kReach;
}

namespace {

// Eight places of a box (see SlotPlace) in a row differ in blue's slot bits
// and green's lowest, the 64 rows in the rest. The eight places of a row are
// one vector (two on processors without AVX).
typedef float Float8 __attribute__((vector_size(32)));
typedef int32_t Int8 __attribute__((vector_size(32)));
typedef uint8_t Byte32 __attribute__((vector_size(32)));

// Per row of a box's places, the slot offsets its first place has from the
// box's first slot; what the eight places of a row add to them.
struct RowOffsets {
    float red[64], green[64], blue[64];
    constexpr RowOffsets() : red(), green(), blue()
    {
        for (int row = 0; row < 64; ++row) {
            red[row] = float(4 * (row >> 5 & 1) + (row >> 1 & 3));
            green[row] = float(4 * (row >> 4 & 1) + 2 * (row & 1));
            blue[row] = float(4 * (row >> 3 & 1));
        }
    }
};
constexpr RowOffsets kRowOffsets;
constexpr Float8 kPlaceGreen = {0, 0, 0, 0, 1, 1, 1, 1};
constexpr Float8 kPlaceBlue = {0, 1, 2, 3, 0, 1, 2, 3};
#ifndef __clang__
constexpr Byte32 kLowBytes = {0, 4, 8, 12, 16, 20, 24, 28};
#endif

// A candidate's score at the box's first slot and its steps per slot.
struct Scorer {
    float base, red, green, blue;
    int32_t index;
};

// For the 512 slots of a box in the order of their places, the index of the
// candidate nearest to each slot's centre. Doubled coordinates put a slot
// centre on an integer x; the squared distance 4|c|^2 - 4 c.x + |x|^2 orders
// the entries as |c|^2 - c.x does. Every term is an integer below 2^24, so
// the scores are exact in float, in any order of evaluation; candidates come
// in index order and only a strictly lower score wins, so ties keep the
// lower index. A row's eight places stay in registers while every candidate
// is tried.
[[gnu::always_inline]] inline void NearestInBox(const Scorer* scorers, size_t n, uint8_t* out)
{
    // A place's score is its row's less its place term: per candidate the
    // place terms of the eight places, and the scores of eight rows at a time.
    Float8 place[256];
    for (size_t k = 0; k < n; ++k)
        place[k] = scorers[k].green * kPlaceGreen + scorers[k].blue * kPlaceBlue;
    float rowScore[256][8];
    for (int row0 = 0; row0 < 64; row0 += 8) {
        Float8 red, green, blue;
        std::memcpy(&red, kRowOffsets.red + row0, sizeof red);
        std::memcpy(&green, kRowOffsets.green + row0, sizeof green);
        std::memcpy(&blue, kRowOffsets.blue + row0, sizeof blue);
        for (size_t k = 0; k < n; ++k) {
            const Scorer& c = scorers[k];
            const Float8 score = c.base - (c.red * red + c.green * green + c.blue * blue);
            std::memcpy(rowScore[k], &score, sizeof score);
        }
        // Four rows at a time: their chains of comparisons overlap.
        for (int j = 0; j < 8; j += 4) {
            Float8 best[4];
            Int8 index[4];
            for (int i = 0; i < 4; ++i) {
                best[i] = Float8{} + 3.0e38f;
                index[i] = Int8{};
            }
            for (size_t k = 0; k < n; ++k)
                for (int i = 0; i < 4; ++i) {
                    const Float8 score = rowScore[k][j + i] - place[k];
                    const Int8 lower = score < best[i];
                    best[i] = lower ? score : best[i];
                    index[i] = lower ? Int8{} + scorers[k].index : index[i];
                }
            for (int i = 0; i < 4; ++i) {
                // Each index's low byte, the eight together at the front.
#ifdef __clang__
                // Clang (the fuzzing build) names the shuffle differently.
                const auto bytes = __builtin_shufflevector(Byte32(index[i]), Byte32(index[i]), 0, 4, 8, 12, 16, 20, 24, 28);
#else
                const Byte32 bytes = __builtin_shuffle(Byte32(index[i]), kLowBytes);
#endif
                std::memcpy(out + 8 * (row0 + j + i), &bytes, 8);
            }
        }
    }
}

void NearestInBoxPortable(const Scorer* scorers, size_t n, uint8_t* out)
{
    NearestInBox(scorers, n, out);
}

QRV_TARGET_AVX2 void NearestInBoxAvx2(const Scorer* scorers, size_t n, uint8_t* out)
{
    NearestInBox(scorers, n, out);
}

}  // namespace

void PaletteMapper::FillBox(uint32_t key)
{
    FillBoxFrom(key, RegionOf(key));
}

// Fills the box of the slot at `key` from the entries of `from` that can be
// nearest somewhere in it.
void PaletteMapper::FillBoxFrom(uint32_t key, const std::vector<uint8_t>& from)
{
    int r0, g0, b0;
    BoxCorner(key, r0, g0, b0);
    Candidates(Cube(r0, g0, b0, 8 << shift_), from, candidates_);
    const uint32_t box = key >> 9;
    uint8_t* out = slots_.get() + (size_t(box) << 9);
    if (candidates_.size() == 1)  // the whole box lies in one entry's cell
        std::memset(out, candidates_[0], 512);
    else
        ScoreBox(r0, g0, b0, out);
    slots_.get()[slotCount_ + box] = 1;
}

// The box's 512 answers among the candidates, stored at `out` in the order of
// their places; (r0, g0, b0) the box's first value per channel.
void PaletteMapper::ScoreBox(int r0, int g0, int b0, uint8_t* out) const
{
    // Doubled centre of the box's first slot, and the doubled slot width.
    const int w = 1 << shift_;
    const int r1 = 2 * r0 + w - 1, g1 = 2 * g0 + w - 1, b1 = 2 * b0 + w - 1, step = 2 * w;
    Scorer scorers[256];
    for (size_t k = 0; k < candidates_.size(); ++k) {
        const int i = candidates_[k];
        const Bgra& c = palette_[size_t(i)];
        scorers[k] = Scorer{float(sq_[size_t(i)] - (c.r * r1 + c.g * g1 + c.b * b1)),
                            float(c.r * step), float(c.g * step), float(c.b * step), i};
    }
    (avx2_ ? NearestInBoxAvx2 : NearestInBoxPortable)(scorers, candidates_.size(), out);
}

}  // namespace qrv::img
