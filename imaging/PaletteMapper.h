// Nearest palette entry of a colour, for colour reduction.
//
// A cache over a grid of the colour cube holds the entry nearest (squared RGB
// distance, ties to the lower index) to each slot's centre. Slots are 2 x 2 x
// 2 values when two of the palette's entries are closer than kFineSpacing in
// every channel (as the greys of the 256-colour palette are), so that the
// slot's answer is the pixel's own nearest entry nearly always, and 4 x 4 x 4
// for palettes of widely spaced entries, whose dithered pixels wander far
// and are served better by a smaller cache. The 8 x 8 x 8 slots of a box are
// filled together on the first use of any of them, by searching only the
// entries that can be nearest anywhere in the box (Heckbert's locally sorted
// search: an entry whose smallest distance to a region exceeds the smallest
// largest distance of any entry can never win there; the entries of the
// 64 x 64 x 64 region around the box are found once), so no lookup scans the
// whole palette.
//
// The grid reaches kReach values beyond each end of 0..255: error diffusion
// pushes a pixel's value past the cube's faces, and the entry nearest to that
// value (not to the value clamped to the face) is the one that pays back the
// error piled up there. Near a face, clamping picks the entry that is nearest
// to the face and keeps missing the way back: in dark smooth areas the grey
// steps win over black again and again and tint the area.
#pragma once

#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

#include "imaging/Cpu.h"
#include "imaging/Image.h"

namespace qrv::img {

// Gives a mapper's slot memory back to PixelMemory, where the next mapper
// of its size finds it.
struct SlotMemoryRelease {
    void operator()(uint8_t* p) const;
    size_t bytes = 0;
};

class PaletteMapper {
public:
    // The range of channel values the clamping lookup takes.
    static constexpr int kLowest = -272;
    static constexpr int kHighest = 527;
    // How far beyond 0..255 the grid reaches (see above).
    static constexpr int kReach = 16;
    // Entries closer than this in every channel call for the fine slots.
    static constexpr int kFineSpacing = 24;

    // palette: 1..256 entries; path: the code that fills the cache.
    explicit PaletteMapper(const std::vector<Bgra>& palette,
                           CodePath path = CodePath::kFastest);
    PaletteMapper(const PaletteMapper&) = delete;
    PaletteMapper& operator=(const PaletteMapper&) = delete;

    int Size() const { return int(palette_.size()); }
    const Bgra& Entry(int i) const { return palette_[size_t(i)]; }

    // 256 words, entry i at [i] packed as LookupPacked returns it (0 past the
    // palette's end).
    const uint32_t* PackedEntries() const { return table_.data(); }

    // Values per slot along a channel: 1 << SlotShift().
    int SlotShift() const { return shift_; }

    // Index of the entry nearest to the slot of (b, g, r), each -kReach..255 + kReach.
    int Lookup(int b, int g, int r) { return int(LookupPacked(b, g, r) & 0xFF); }

    // The same entry packed with its colour: index | b << 8 | g << 16 | r << 24.
    uint32_t LookupPacked(int b, int g, int r) { return Reader(*this).LookupClamped(b, g, r); }

    // Per channel (0 blue, 1 green, 2 red) and value v in kLowest..kHighest,
    // at [v], the bits the value clamped to -kReach..255 + kReach sets in a
    // colour's key:
    // the place of its slot in the cache. A key is the three ORed together.
    const uint32_t* KeyBitsOf(int channel) const
    {
        return table_.data() + kAxisAt + size_t(2 - channel) * kSpan - kLowest;
    }

    // Lookups through plain pointers, for loops that store bytes (which
    // could alias the mapper's members and force their reload); valid while
    // the mapper lives.
    class Reader {
    public:
        explicit Reader(PaletteMapper& m)
            : table_(m.table_.data()), slots_(m.slots_.get()),
              ready_(m.slots_.get() + m.slotCount_), map_(&m)
        {
        }

        // The entry for (b, g, r) each clamped to -kReach..255 + kReach first, for values in
        // kLowest..kHighest: the slot's place comes straight from the
        // unclamped values, by table.
        uint32_t LookupClamped(int b, int g, int r) const
        {
            const uint32_t key = table_[kAxisAt + unsigned(r - kLowest)] |
                                 table_[kAxisAt + kSpan + unsigned(g - kLowest)] |
                                 table_[kAxisAt + 2 * kSpan + unsigned(b - kLowest)];
            return table_[Nearest(key)];
        }

        // The entry's index for a key (see KeyBitsOf).
        uint32_t Nearest(uint32_t key) const
        {
            if (!ready_[key >> 9])
                map_->FillBox(key);
            return slots_[key];
        }

        // The slot of key k at Slots()[k], valid once its box is filled;
        // four bytes can be read from any slot (vector gathers load four).
        const uint8_t* Slots() const { return slots_; }

    private:
        const uint32_t* table_;
        const uint8_t* slots_;
        const uint8_t* ready_;
        PaletteMapper* map_;
    };

    // True when the mapper was made for exactly these entries.
    bool SamePalette(const std::vector<Bgra>& palette) const;

    // Blocks of 32 x 32 x 32 values, for lookups that check many colours at
    // once: per channel with u = v + kReach the block is min(u >> 5, 7), so
    // the last block also holds the values beyond the cube's upper face, and
    // every block is made of whole boxes. Bit BlockOf(b, g, r) = r' << 6 |
    // g' << 3 | b' of BlocksFilled() (512 bits, 32 per word: few enough to
    // keep in registers) is set once every box of that block is filled.
    static constexpr int kBlockShift = 5;
    static constexpr int kLastBlock = 7;
    static int BlockAxis(int v) { return std::min((v + kReach) >> kBlockShift, kLastBlock); }
    static int BlockOf(int b, int g, int r)
    {
        return BlockAxis(r) << 6 | BlockAxis(g) << 3 | BlockAxis(b);
    }
    const uint32_t* BlocksFilled() const { return blocks_; }
    // Fills every box of the block of (b, g, r), each -kReach..255 + kReach.
    void FillBlock(int b, int g, int r);

private:
    static constexpr unsigned kSpan = unsigned(kHighest - kLowest + 1);
    // table_: the packed entries (256 words, as LookupPacked returns them),
    // then per channel (red first) and value in kLowest..kHighest its key
    // bits.
    static constexpr size_t kAxisAt = 256;  // in words
    static constexpr size_t kTableWords = kAxisAt + 3 * kSpan;

    // The 512 slots of a box lie together, in groups of 4 x 4 x 4 slots, one
    // cache line each, so that nearby colours share lines; a slot's place is
    // its key: the box's place, then the group's within the box, then the
    // slot's within the group.
    uint32_t SlotPlace(int sr, int sg, int sb) const
    {
        const uint32_t box =
            uint32_t((sr >> 3) << (2 * boxBits_) | (sg >> 3) << boxBits_ | (sb >> 3));
        return box << 9 | uint32_t((sr >> 2 & 1) << 8 | (sg >> 2 & 1) << 7 | (sb >> 2 & 1) << 6 |
                                   (sr & 3) << 4 | (sg & 3) << 2 | (sb & 3));
    }
    // The key bits of a channel value (-kReach..255 + kReach).
    uint32_t KeyBits(int channel, int v) const
    {
        const int s = (v + kReach) >> shift_;
        return channel == 0   ? SlotPlace(0, 0, s)
               : channel == 1 ? SlotPlace(0, s, 0)
                              : SlotPlace(s, 0, 0);
    }
    static int ChooseShift(const std::vector<Bgra>& palette);
    void FillBox(uint32_t key);
    void FillBoxFrom(uint32_t key, const std::vector<uint8_t>& from);
    void ScoreBox(int r0, int g0, int b0, uint8_t* out) const;
    const std::vector<uint8_t>& RegionOf(uint32_t key);
    void BoxCorner(uint32_t key, int& r0, int& g0, int& b0) const;
    // The first and last value per channel (red, green, blue) of a region.
    struct Extent {
        int lo[3], hi[3];
    };
    static Extent Cube(int r0, int g0, int b0, int width);
    static Extent BlockExtent(int b, int g, int r);
    void Candidates(const Extent& at, const std::vector<uint8_t>& from,
                    std::vector<uint8_t>& list) const;

    std::vector<Bgra> palette_;
    std::vector<int> sq_;  // |entry|^2 per entry
    int shift_;
    int boxBits_;  // bits of a box's place per channel
    size_t slotCount_;
    std::vector<uint32_t> table_;
    // The entry of every slot, valid in the boxes filled, then a byte per box,
    // set when it is filled: from PixelMemory, a block an earlier mapper gave
    // back or one fresh from the system, of which only the pages used are
    // ever touched (only the ready bytes are cleared).
    std::unique_ptr<uint8_t, SlotMemoryRelease> slots_;
    std::vector<std::vector<uint8_t>> regions_;  // entries per 64^3 region, when known
    std::vector<uint8_t> candidates_;
    std::vector<uint8_t> blockCandidates_;
    std::vector<uint8_t> allEntries_;  // 0, 1, ... Size() - 1
    uint32_t blocks_[16] = {};
    bool avx2_;  // fills boxes with the AVX2 code
};

}  // namespace qrv::img
