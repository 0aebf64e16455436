// Nearest palette entry of a colour, for colour reduction.
//
// A per-call cache over a 64 x 64 x 64 grid of the colour cube (slots of
// 4 x 4 x 4 values) holds the entry nearest (squared RGB distance, ties to
// the lower index) to each slot's centre; slots are filled on first use.
// A slot is filled by searching only the entries that can be nearest
// anywhere in its 32 x 32 x 32 box (Heckbert's locally sorted search: an
// entry whose smallest distance to the box exceeds the smallest largest
// distance of any entry can never win there), so no lookup scans the whole
// palette.
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
    int Lookup(int b, int g, int r)
    {
        const size_t slot = size_t(r >> 2) << 12 | size_t(g >> 2) << 6 | size_t(b >> 2);
        const uint16_t v = cache_[slot];
        return v != kEmpty ? v : Fill(slot);
    }

    // Exact nearest entry by a full search (tests and reference use).
    int NearestExact(int b, int g, int r) const;

private:
    static constexpr uint16_t kEmpty = 0xFFFF;
    int Fill(size_t slot);
    const std::vector<uint8_t>& BoxCandidates(int box);

    std::vector<Bgra> palette_;
    std::vector<uint16_t> cache_;
    std::vector<std::vector<uint8_t>> boxes_;
    std::vector<bool> boxReady_;
};

}  // namespace qrv::img
