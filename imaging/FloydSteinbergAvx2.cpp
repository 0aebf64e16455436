#include "imaging/FloydSteinbergAvx2.h"

#include <immintrin.h>

#include <algorithm>
#include <vector>

#include "imaging/ColorReducer.h"
#include "imaging/Cpu.h"


namespace qrv::img {

namespace {

// Line y0 + j of a band of eight runs in lane j, kSkew pixels behind the line
// above it: at step s, lane j maps pixel s - kSkew * j. The pixel above right
// of it was mapped by lane j - 1 one step before, the pixel above two steps
// before and the one above left three steps before, so the errors a pixel
// takes from the line above are those of the three steps before, moved up one
// lane. Lane 0 takes them from the weighted sums of the band above, which the
// band's last lane leaves in a row as it goes.
constexpr int kLanes = 8;
constexpr int kSkew = 2;
constexpr int kLead = kSkew * (kLanes - 1);  // steps before every lane is in its line
constexpr int kTail = kSkew * kLanes;        // steps a sum of the last lane lags its pixel
constexpr int kSumPad = kTail;               // sums row: indexes -kSumPad .. w + kSumPad + 7

struct Rgb {
    __m256i b, g, r;
};

// The errors of the three steps before: e1 the last.
struct Errors {
    Rgb e1, e2, e3;
};

// What the step loop needs besides the errors.
struct Context {
    const uint8_t* slots;
    const uint32_t* entries;  // the mapper's packed entries, the first 16 used
    int* sums[3];        // per channel, 3, 5 and 1 times the errors of the line above
    uint8_t* skew;       // per step the indexes of its eight pixels
    PaletteMapper* map;
};

QRV_TARGET_AVX2 inline __m256i Splat(int v)
{
    return _mm256_set1_epi32(v);
}

// One channel's bits of the mapper's key for grid places c (a value plus
// PaletteMapper::kReach, 0..255 + 2 kReach): the box, the group of 4 x 4 x 4
// slots within it and the slot within the group.
template <int kShift>
QRV_TARGET_AVX2 inline __m256i KeyPart(__m256i c, int boxAt, int groupAt, int slotAt)
{
    const __m256i box = _mm256_slli_epi32(_mm256_srli_epi32(c, kShift + 3), boxAt);
    const __m256i group =
        _mm256_slli_epi32(_mm256_and_si256(_mm256_srli_epi32(c, kShift + 2), Splat(1)), groupAt);
    const __m256i slot =
        _mm256_slli_epi32(_mm256_and_si256(_mm256_srli_epi32(c, kShift), Splat(3)), slotAt);
    return _mm256_or_si256(_mm256_or_si256(box, group), slot);
}

// The key of values b, g, r, each -kReach..255 + kReach.
template <int kShift>
QRV_TARGET_AVX2 inline __m256i Key(__m256i b, __m256i g, __m256i r)
{
    constexpr int kBoxBits = 9 - kShift - 3;
    const __m256i reach = Splat(PaletteMapper::kReach);
    return _mm256_or_si256(
        _mm256_or_si256(KeyPart<kShift>(_mm256_add_epi32(r, reach), 9 + 2 * kBoxBits, 8, 4),
                        KeyPart<kShift>(_mm256_add_epi32(g, reach), 9 + kBoxBits, 7, 2)),
        KeyPart<kShift>(_mm256_add_epi32(b, reach), 9, 6, 0));
}

// True when Key computes exactly the mapper's keys: the layout is the
// mapper's to choose, and a change there must not go unnoticed here.
template <int kShift>
QRV_TARGET_AVX2 bool KeysMatch(const PaletteMapper& map)
{
    // The lowest value sets no bits of its own, so each channel is checked
    // with the others there.
    const __m256i none = Splat(-PaletteMapper::kReach);
    static_assert((256 + 2 * PaletteMapper::kReach) % kLanes == 0, "whole vectors of values");
    for (int v = -PaletteMapper::kReach; v < 256 + PaletteMapper::kReach; v += kLanes) {
        const __m256i c = _mm256_add_epi32(Splat(v), _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7));
        const __m256i got[3] = {Key<kShift>(c, none, none), Key<kShift>(none, c, none),
                                Key<kShift>(none, none, c)};
        for (int ch = 0; ch < 3; ++ch) {
            const __m256i want =
                _mm256_loadu_si256(reinterpret_cast<const __m256i*>(map.KeyBitsOf(ch) + v));
            const __m256i diff = _mm256_xor_si256(got[ch], want);
            if (!_mm256_testz_si256(diff, diff))
                return false;
        }
    }
    return true;
}

// 3, 5 and 1 times the errors of the three steps before.
QRV_TARGET_AVX2 inline __m256i Weighted(__m256i e1, __m256i e2, __m256i e3)
{
    const __m256i three = _mm256_add_epi32(_mm256_slli_epi32(e1, 1), e1);
    const __m256i five = _mm256_add_epi32(_mm256_slli_epi32(e2, 2), e2);
    return _mm256_add_epi32(_mm256_add_epi32(three, five), e3);
}

// One channel's value for step s: the pixel times 16, 7 times the error to
// its left and the terms from the line above, divided by 16 rounding half up.
// Leaves the last lane's sum for the band below.
QRV_TARGET_AVX2 inline __m256i Value(__m256i source16, __m256i e1, __m256i e2, __m256i e3,
                                     int* sums, int s)
{
    const __m256i rotate = _mm256_setr_epi32(7, 0, 1, 2, 3, 4, 5, 6);
    __m256i above = _mm256_permutevar8x32_epi32(Weighted(e1, e2, e3), rotate);
    sums[s - kTail] = _mm256_cvtsi256_si32(above);
    above = _mm256_blend_epi32(above, _mm256_loadu_si256(reinterpret_cast<__m256i*>(sums + s)), 1);
    const __m256i seven = _mm256_sub_epi32(_mm256_slli_epi32(e1, 3), e1);
    const __m256i sum = _mm256_add_epi32(_mm256_add_epi32(source16, seven), above);
    return _mm256_srai_epi32(_mm256_add_epi32(sum, Splat(8)), 4);
}

QRV_TARGET_AVX2 inline __m256i Clamp(__m256i v, int lo, int hi)
{
    return _mm256_min_epi32(_mm256_max_epi32(v, Splat(lo)), Splat(hi));
}

// table[index] per lane for indexes 0..15 into a table of 16 words: two
// permutes and a blend instead of a gather.
QRV_TARGET_AVX2 inline __m256i Lookup16(const void* table, __m256i index)
{
    const __m256i* words = static_cast<const __m256i*>(table);
    const __m256i low = _mm256_permutevar8x32_epi32(_mm256_loadu_si256(words), index);
    const __m256i high = _mm256_permutevar8x32_epi32(_mm256_loadu_si256(words + 1), index);
    // Indexes 8..15 have bit 3 set: moved to the sign bit, it picks `high`.
    return _mm256_castps_si256(_mm256_blendv_ps(_mm256_castsi256_ps(low),
                                                _mm256_castsi256_ps(high),
                                                _mm256_castsi256_ps(_mm256_slli_epi32(index, 28))));
}

// A channel's block along its axis: min((v + kReach) >> kBlockShift, kLastBlock).
QRV_TARGET_AVX2 inline __m256i BlockPlace(__m256i v)
{
    const __m256i u = _mm256_add_epi32(v, Splat(PaletteMapper::kReach));
    return _mm256_min_epi32(_mm256_srli_epi32(u, PaletteMapper::kBlockShift),
                            Splat(PaletteMapper::kLastBlock));
}

// Lanes whose colour (channels -kReach..255 + kReach) lies in a block of the
// mapper not yet filled: bit PaletteMapper::BlockOf of the 512 in `blocks`,
// its word taken from registers.
QRV_TARGET_AVX2 inline __m256i Unfilled(__m256i b, __m256i g, __m256i r, const uint32_t* blocks)
{
    const __m256i block = _mm256_or_si256(
        _mm256_or_si256(_mm256_slli_epi32(BlockPlace(r), 6), _mm256_slli_epi32(BlockPlace(g), 3)),
        BlockPlace(b));
    const __m256i bits = Lookup16(blocks, _mm256_srli_epi32(block, 5));
    const __m256i set =
        _mm256_and_si256(_mm256_srlv_epi32(bits, _mm256_and_si256(block, Splat(31))), Splat(1));
    return _mm256_cmpeq_epi32(set, _mm256_setzero_si256());
}

// Fills the blocks of the colours whose lanes are set in `missing`.
QRV_TARGET_AVX2 void FillBlocks(__m256i b, __m256i g, __m256i r, __m256i missing,
                                const Context& cx)
{
    alignas(32) int32_t lanes[4][kLanes];
    _mm256_store_si256(reinterpret_cast<__m256i*>(lanes[0]), b);
    _mm256_store_si256(reinterpret_cast<__m256i*>(lanes[1]), g);
    _mm256_store_si256(reinterpret_cast<__m256i*>(lanes[2]), r);
    _mm256_store_si256(reinterpret_cast<__m256i*>(lanes[3]), missing);
    for (int j = 0; j < kLanes; ++j)
        if (lanes[3][j])
            cx.map->FillBlock(lanes[0][j], lanes[1][j], lanes[2][j]);
}

// Maps the eight pixels of step s, `pixels` their bytes (blue lowest) in
// their lanes, `active` the lanes whose pixel lies in the image (kMasked) or
// all; the lanes outside get no error. A block not yet filled is filled before
// its lookup, or with kDefer only marked in `missing`: the step's result is
// then wrong and must be done again.
template <bool kMasked, bool kDefer, int kShift>
QRV_TARGET_AVX2 inline void Step(__m256i pixels, __m256i active, int s, Errors& err,
                                 const Context& cx, __m256i& missing)
{
    const Rgb& e1 = err.e1;
    const Rgb& e2 = err.e2;
    const Rgb& e3 = err.e3;
    const __m256i byte16 = Splat(0xFF0), byte = Splat(0xFF);
    const __m256i vb = Value(_mm256_and_si256(_mm256_slli_epi32(pixels, 4), byte16), e1.b, e2.b,
                             e3.b, cx.sums[0], s);
    const __m256i vg = Value(_mm256_and_si256(_mm256_srli_epi32(pixels, 4), byte16), e1.g, e2.g,
                             e3.g, cx.sums[1], s);
    const __m256i vr = Value(_mm256_and_si256(_mm256_srli_epi32(pixels, 12), byte16), e1.r, e2.r,
                             e3.r, cx.sums[2], s);
    // The values as far as the error reaches: the entry is looked up for them
    // and the error measured from them.
    constexpr int kLow = -ColorReducer::kErrorReach, kHigh = 255 + ColorReducer::kErrorReach;
    const __m256i cb = Clamp(vb, kLow, kHigh), cg = Clamp(vg, kLow, kHigh),
                  cr = Clamp(vr, kLow, kHigh);
    __m256i unfilled = Unfilled(cb, cg, cr, cx.map->BlocksFilled());
    if (kMasked)
        unfilled = _mm256_and_si256(unfilled, active);
    if (kDefer)
        missing = _mm256_or_si256(missing, unfilled);
    else if (!_mm256_testz_si256(unfilled, unfilled))
        FillBlocks(cb, cg, cr, unfilled, cx);
    const __m256i key = Key<kShift>(cb, cg, cr);
    const __m256i index = _mm256_and_si256(
        _mm256_i32gather_epi32(reinterpret_cast<const int*>(cx.slots), key, 1), byte);
    static_assert(FloydSteinbergAvx2::kMostEntries == 16, "the entries fit two registers");
    const __m256i entry = Lookup16(cx.entries, index);
    Rgb e{_mm256_sub_epi32(cb, _mm256_and_si256(_mm256_srli_epi32(entry, 8), byte)),
          _mm256_sub_epi32(cg, _mm256_and_si256(_mm256_srli_epi32(entry, 16), byte)),
          _mm256_sub_epi32(cr, _mm256_srli_epi32(entry, 24))};
    if (kMasked) {
        e.b = _mm256_and_si256(e.b, active);
        e.g = _mm256_and_si256(e.g, active);
        e.r = _mm256_and_si256(e.r, active);
    }
    // The low byte of every lane, in lane order, to the step's eight bytes.
    const __m256i low = _mm256_shuffle_epi8(
        index, _mm256_setr_epi8(0, 4, 8, 12, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, 0, 4,
                                8, 12, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1));
    const __m256i packed =
        _mm256_permutevar8x32_epi32(low, _mm256_setr_epi32(0, 4, 0, 0, 0, 0, 0, 0));
    _mm_storel_epi64(reinterpret_cast<__m128i*>(cx.skew + size_t(s) * kLanes),
                     _mm256_castsi256_si128(packed));
    err.e3 = err.e2;
    err.e2 = err.e1;
    err.e1 = e;
}

// The pixels of step s of the band of n lines from y0, one by one, and the
// lanes whose pixel lies in the image.
template <int kBpp>
void EdgePixels(const Image& img, int y0, int n, int s, int32_t* px, int32_t* on)
{
    for (int j = 0; j < kLanes; ++j) {
        const int x = s - kSkew * j;
        const bool inside = j < n && x >= 0 && x < img.Width();
        const uint8_t* p = inside ? img.Row(y0 + j) + size_t(x) * kBpp : nullptr;
        px[j] = inside ? p[0] | p[1] << 8 | p[2] << 16 : 0;
        on[j] = inside ? -1 : 0;
    }
}

QRV_TARGET_AVX2 inline __m256i Load(const int32_t* lanes)
{
    return _mm256_load_si256(reinterpret_cast<const __m256i*>(lanes));
}

// The pixels of step s when every lane is in its line: `first` the offsets of
// step 0's from the band's first row `top`.
template <int kBpp>
QRV_TARGET_AVX2 inline __m256i GatherPixels(const uint8_t* top, __m256i first, int s)
{
    return _mm256_i32gather_epi32(reinterpret_cast<const int*>(top),
                                  _mm256_add_epi32(first, Splat(s * kBpp)), 1);
}

// Eight pixels of a row from `p`, one per lane, blue lowest.
template <int kBpp>
QRV_TARGET_AVX2 inline __m256i RowPixels(const uint8_t* p)
{
    const __m256i bytes = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
    if (kBpp == 4)
        return bytes;
    // Pixels 0..3 from bytes 0..11 into the low half, 4..7 from 12..23 into
    // the high half, then each pixel's three bytes into its lane.
    const __m256i halves =
        _mm256_permutevar8x32_epi32(bytes, _mm256_setr_epi32(0, 1, 2, 3, 3, 4, 5, 6));
    return _mm256_shuffle_epi8(halves, _mm256_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9,
                                                        10, 11, -1, 0, 1, 2, -1, 3, 4, 5, -1, 6,
                                                        7, 8, -1, 9, 10, 11, -1));
}

// The pixels of steps s .. s + 7 into px[0..7], every lane in its line and
// s + 8 <= width: each lane's eight pixels by one load from its row, then
// transposed. A load reads 32 bytes; past its row's end only in a row above
// the band's last, whose next row belongs to the band.
template <int kBpp>
QRV_TARGET_AVX2 void EightSteps(const uint8_t* top, int rowBytes, int s, __m256i* px)
{
    __m256i r[kLanes];
    for (int j = 0; j < kLanes; ++j)
        r[j] = RowPixels<kBpp>(top + j * rowBytes + (s - kSkew * j) * kBpp);
    __m256i t[kLanes], u[kLanes];
    for (int j = 0; j < kLanes; j += 2) {
        t[j] = _mm256_unpacklo_epi32(r[j], r[j + 1]);
        t[j + 1] = _mm256_unpackhi_epi32(r[j], r[j + 1]);
    }
    for (int j = 0; j < kLanes; j += 4) {
        u[j] = _mm256_unpacklo_epi64(t[j], t[j + 2]);
        u[j + 1] = _mm256_unpackhi_epi64(t[j], t[j + 2]);
        u[j + 2] = _mm256_unpacklo_epi64(t[j + 1], t[j + 3]);
        u[j + 3] = _mm256_unpackhi_epi64(t[j + 1], t[j + 3]);
    }
    for (int k = 0; k < 4; ++k) {
        px[k] = _mm256_permute2x128_si256(u[k], u[k + 4], 0x20);
        px[k + 4] = _mm256_permute2x128_si256(u[k], u[k + 4], 0x31);
    }
}

// Steps from..to - 1 of a band of n lines from y0, where a lane may lie
// outside its line: pixels one by one.
template <int kShift, int kBpp>
QRV_TARGET_AVX2 void EdgeSteps(const Image& img, int y0, int n, int from, int to, Errors& err,
                               const Context& cx)
{
    alignas(32) int32_t px[kLanes];
    alignas(32) int32_t on[kLanes];
    __m256i unused;
    for (int s = from; s < to; ++s) {
        EdgePixels<kBpp>(img, y0, n, s, px, on);
        Step<true, false, kShift>(Load(px), Load(on), s, err, cx, unused);
    }
}

// Steps from..to - 1 of a band of eight lines whose first row is `top`, every
// lane in its line, in runs without a branch on the blocks: a run that met a
// block not yet filled is done again from its start, filling as it goes. Its
// sums for the band below are written behind what it reads, so the repeat
// finds the same inputs.
template <int kShift, int kBpp>
QRV_TARGET_AVX2 void MainSteps(const uint8_t* top, int rowBytes, int from, int to, Errors& err,
                               const Context& cx)
{
    constexpr int kRun = 16;
    static_assert(kRun <= kTail, "a run must not read the sums it writes");
    // Offsets of the pixels of step 0 from the band's first row.
    const __m256i first = _mm256_mullo_epi32(_mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7),
                                             Splat(rowBytes - kSkew * kBpp));
    const __m256i all = _mm256_set1_epi32(-1);
    __m256i pixels[kRun];
    for (int s = from; s < to; s += kRun) {
        const int end = std::min(s + kRun, to);
        int t = s;
        for (; t + 8 <= end; t += 8)
            EightSteps<kBpp>(top, rowBytes, t, pixels + (t - s));
        // The rest by gathers of four bytes each: only lane 0 reaches a row's
        // last pixel, and its row is never the image's last.
        for (; t < end; ++t)
            pixels[t - s] = GatherPixels<kBpp>(top, first, t);
        const Errors before = err;
        __m256i missing = _mm256_setzero_si256();
        for (t = s; t < end; ++t)
            Step<false, true, kShift>(pixels[t - s], all, t, err, cx, missing);
        if (!_mm256_testz_si256(missing, missing)) {
            err = before;
            for (t = s; t < end; ++t)
                Step<false, false, kShift>(pixels[t - s], all, t, err, cx, missing);
        }
    }
}

// One band of n lines (1..8) from y0; its indexes into rows of `stride` bytes
// at `out`.
template <int kShift, int kBpp>
QRV_TARGET_AVX2 void Band(const Image& img, int y0, int n, const Context& cx, uint8_t* out,
                          size_t stride)
{
    const int w = img.Width();
    const int steps = w + kTail;
    // Every lane in its line from step kLead to the last pixel of the first.
    const int mainFrom = n == kLanes ? kLead : steps;
    const int mainTo = n == kLanes ? std::max(kLead, w) : steps;
    Errors err{};
    EdgeSteps<kShift, kBpp>(img, y0, n, 0, mainFrom, err, cx);
    MainSteps<kShift, kBpp>(img.Row(y0), int(img.Stride()), mainFrom, mainTo, err, cx);
    EdgeSteps<kShift, kBpp>(img, y0, n, mainTo, steps, err, cx);
    for (int j = 0; j < n; ++j) {
        uint8_t* q = out + size_t(y0 + j) * stride;
        const uint8_t* from = cx.skew + size_t(kSkew * j) * kLanes + size_t(j);
        for (int x = 0; x < w; ++x)
            q[x] = from[size_t(x) * kLanes];
    }
}

template <int kShift, int kBpp>
QRV_TARGET_AVX2 bool RunAll(const Image& img, PaletteMapper& map, uint8_t* out, size_t stride)
{
    if (!KeysMatch<kShift>(map))
        return false;
    const PaletteMapper::Reader look(map);
    const int w = img.Width();
    const size_t sumWords = size_t(w) + 2 * kSumPad + kLanes;
    std::vector<int> sums(3 * sumWords, 0);
    std::vector<uint8_t> skew(size_t(w + kTail) * kLanes);
    Context cx{look.Slots(), map.PackedEntries(), {}, skew.data(), &map};
    for (int ch = 0; ch < 3; ++ch)
        cx.sums[ch] = sums.data() + size_t(ch) * sumWords + kSumPad;
    for (int y = 0; y < img.Height(); y += kLanes)
        Band<kShift, kBpp>(img, y, std::min(kLanes, img.Height() - y), cx, out, stride);
    return true;
}

template <int kShift>
bool RunFor(const Image& img, PaletteMapper& map, uint8_t* out, size_t stride)
{
    return img.BitsPerPixel() == 32 ? RunAll<kShift, 4>(img, map, out, stride)
                                    : RunAll<kShift, 3>(img, map, out, stride);
}

}  // namespace

bool FloydSteinbergAvx2::Run(const Image& image, PaletteMapper& map, uint8_t* out, size_t stride)
{
    if (!HasAvx2() || map.Size() > kMostEntries)
        return false;
    // Gathers take 32-bit offsets from a band's first row.
    if (image.Stride() * kLanes >= (size_t(1) << 31))
        return false;
    switch (map.SlotShift()) {
    case 1: return RunFor<1>(image, map, out, stride);
    case 2: return RunFor<2>(image, map, out, stride);
    default: return false;
    }
}

}  // namespace qrv::img
