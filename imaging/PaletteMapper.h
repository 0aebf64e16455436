// Nearest palette entry of a colour, for colour reduction.
//
// A cache over a 64 x 64 x 64 grid of the colour cube (slots of 4 x 4 x 4
// values) holds the entry nearest (squared RGB distance, ties to the lower
// index) to each slot's centre; the 8 x 8 x 8 slots of a 32 x 32 x 32 box are
// filled together on the first use of any of them, by searching only the
// entries that can be nearest anywhere in the box (Heckbert's locally sorted
// search: an entry whose smallest distance to the box exceeds the smallest
// largest distance of any entry can never win there), so no lookup scans the
// whole palette.
#pragma once

#include <cstdint>
#include <vector>

#include "imaging/Image.h"

namespace qrv::img {

class PaletteMapper {
public:
    // palette: 1..256 entries.
    explicit PaletteMapper(const std::vector<Bgra>& palette);

    int Size() const { return int(palette_.size()); }
    const Bgra& Entry(int i) const { return palette_[size_t(i)]; }

    // Index of the entry nearest to the slot of (b, g, r), each 0..255.
    int Lookup(int b, int g, int r) { return int(LookupPacked(b, g, r) & 0xFF); }

    // The same entry packed with its colour: index | b << 8 | g << 16 | r << 24.
    uint32_t LookupPacked(int b, int g, int r) { return Reader(*this).LookupPacked(b, g, r); }

    // Lookups through plain pointers, for loops that store bytes (which
    // could alias the mapper's members and force their reload); valid while
    // the mapper lives.
    class Reader {
    public:
        explicit Reader(PaletteMapper& m) : table_(m.table_.data()), map_(&m) {}
        uint32_t LookupPacked(int b, int g, int r) const { return LookupClamped(b, g, r); }

        // The same for the colour (b, g, r) each clamped to 0..255 first, for
        // values in -255..512: the slot's place comes straight from the
        // unclamped values, without waiting for the clamping.
        uint32_t LookupClamped(int b, int g, int r) const
        {
            const uint8_t* bytes = reinterpret_cast<const uint8_t*>(table_);
            const uint32_t slot = table_[kAxisAt + unsigned(r + 255)] |
                                  table_[kAxisAt + 768 + unsigned(g + 255)] |
                                  table_[kAxisAt + 1536 + unsigned(b + 255)];
            if (!bytes[kReadyAt + (slot >> 6)])
                map_->FillBox((Clamp(r) >> 5) << 6 | (Clamp(g) >> 5) << 3 | (Clamp(b) >> 5));
            return table_[bytes[kCacheAt + slot]];
        }
        // v clamped to 0..255, for v in -255..510.
        int Clamp(int v) const
        {
            return reinterpret_cast<const uint8_t*>(table_)[kClampAt + unsigned(v + 255)];
        }

    private:
        const uint32_t* table_;
        PaletteMapper* map_;
    };

    // Exact nearest entry by a full search (tests and reference use).
    int NearestExact(int b, int g, int r) const;

    // True when the mapper was made for exactly these entries.
    bool SamePalette(const std::vector<Bgra>& palette) const;

private:
    void FillBox(int box);
    void BoxCandidates(int box, std::vector<uint8_t>& list) const;

    std::vector<Bgra> palette_;
    std::vector<int> sq_;           // |entry|^2 per entry
    // One block, so that lookups need one base address: the packed entries
    // (256 words, as LookupPacked returns them), per channel and value in
    // -255..512 the bits of the clamped value's slot place (3 x 768 words), a
    // clamping table, a byte per group of
    // 4 x 4 x 4 slots (set when their box is filled), then the entry of every
    // slot, a byte each, valid in the boxes filled. Slots are stored in
    // groups of 4 x 4 x 4, one cache line each, so that nearby colours share
    // lines.
    static constexpr size_t kAxisAt = 256;  // in words
    static constexpr size_t kClampAt = (kAxisAt + 3 * 768) * 4;
    static constexpr size_t kReadyAt = kClampAt + 768;
    static constexpr size_t kCacheAt = kReadyAt + 4096;
    static constexpr size_t kTableWords = (kCacheAt + (size_t(1) << 18)) / 4;
    static uint32_t SlotPlace(int sr, int sg, int sb)
    {
        return uint32_t((sr >> 2) << 14 | (sg >> 2) << 10 | (sb >> 2) << 6 | (sr & 3) << 4 |
                        (sg & 3) << 2 | (sb & 3));
    }
    std::vector<uint32_t> table_;
    std::vector<uint8_t> candidates_;
};

}  // namespace qrv::img
