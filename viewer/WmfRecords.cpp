#include "viewer/WmfRecords.h"

#include <vector>

#include "viewer/DibExtent.h"

namespace {

uint16_t Le16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }
uint32_t Le32(const uint8_t* p) { return uint32_t(p[0] | p[1] << 8 | p[2] << 16) | uint32_t(p[3]) << 24; }

const size_t kHeaderBytes = 18;
const uint16_t kMetaEof = 0x0000;

// One record: its parameter words, and how many words of data follow them
// (playback reads a font's face name beyond a short record).
struct Record {
    const uint8_t* parms;
    uint64_t count;      // parameter words inside the record
    uint64_t dataLeft;   // words from the first parameter to the end of the data
    uint16_t Parm(uint64_t i) const { return Le16(parms + 2 * i); }
    bool Fits(uint64_t words) const { return words <= count; }
};

// Parameter words of the records whose playback reads a fixed number.
struct FixedRecord { uint16_t function; uint16_t parms; };
const FixedRecord kFixedRecords[] = {
    {0x01F0, 1}, {0x0201, 2}, {0x0102, 1}, {0x0103, 1}, {0x0104, 1}, {0x0105, 1}, {0x0106, 1},
    {0x0107, 1}, {0x0209, 2}, {0x020B, 2}, {0x020C, 2}, {0x020D, 2}, {0x020E, 2}, {0x020F, 2},
    {0x0410, 4}, {0x0211, 2}, {0x0412, 4}, {0x0213, 2}, {0x0214, 2}, {0x0415, 4}, {0x0416, 4},
    {0x0817, 8}, {0x0418, 4}, {0x0419, 4}, {0x081A, 8}, {0x041B, 4}, {0x061C, 6}, {0x061D, 6},
    {0x041F, 4}, {0x0220, 2}, {0x0127, 1}, {0x012D, 1}, {0x0830, 8}, {0x02FA, 5}, {0x02FC, 4},
    {0x012E, 1}, {0x0234, 2}, {0x0231, 2}, {0x0228, 2}, {0x0429, 4}, {0x012A, 1}, {0x012B, 1},
    {0x012C, 1}, {0x0108, 1}, {0x020A, 2}, {0x0548, 5},
};

// A BITMAPINFO at parameter word `at`, its colour table and pixels inside the record.
bool DibFits(const Record& r, uint64_t at)
{
    if (!r.Fits(at + 20) || Le32(r.parms + 2 * at) < 40)
        return false;
    const uint8_t* bmi = r.parms + 2 * at;
    const uint64_t bytes = (r.count - at) * 2, table = DibTableBytes(bmi);
    return table <= bytes && DibPixelBytes(bmi) <= bytes - table;
}

// A device-dependent bitmap at parameter word `at`: rows of whole words per plane.
bool BitmapFits(const Record& r, uint64_t at, int64_t width, int64_t height, uint32_t planes, uint32_t bits)
{
    if (width < 0 || height < 0 || !r.Fits(at))
        return false;
    return (uint64_t(width) * bits + 15) / 16 * 2 * uint64_t(height) * planes <= (r.count - at) * 2;
}

// Bands of a region: playback reads each band's leading count before it
// checks the band against the record, and the trailing count after.
bool RegionFits(const Record& r)
{
    if (!r.Fits(11))
        return false;
    uint64_t start = 11;
    for (uint32_t band = 0; band < r.Parm(5); ++band) {
        if (start >= r.count)
            return false;
        const uint16_t pairs2 = r.Parm(start);
        const uint64_t end = start + pairs2 + 3;
        if (pairs2 % 2 != 0)
            return true;   // playback stops reading here
        if (end >= r.count)
            return false;
        if (r.Parm(end) != pairs2)
            return true;
        start = end + 1;
    }
    return true;
}

bool PolyPolygonFits(const Record& r)
{
    if (!r.Fits(1) || !r.Fits(1 + uint64_t(r.Parm(0))))
        return false;
    uint64_t points = 0;
    for (uint64_t i = 0; i < r.Parm(0); ++i) {
        const int16_t n = int16_t(r.Parm(1 + i));
        if (n < 0)
            return false;
        points += uint64_t(n);
    }
    return r.Fits(1 + r.Parm(0) + 2 * points);
}

bool PatternBrushFits(const Record& r)
{
    if (!r.Fits(1))
        return false;
    if (r.Parm(0) == 5)   // BS_DIBPATTERN
        return r.Fits(2) && DibFits(r, 2);
    if (r.Parm(0) != 3)   // BS_PATTERN; playback ignores other styles
        return true;
    if (!r.Fits(22))
        return false;
    const uint8_t* bmi = r.parms + 4;
    return BitmapFits(r, 24, int32_t(Le32(bmi + 4)), int32_t(Le32(bmi + 8)), Le16(bmi + 12), Le16(bmi + 14));
}

// The parameters, points, texts and bitmaps playback reads for the record's type.
bool ParametersFit(uint16_t function, const Record& r)
{
    switch (function) {
    case 0x0521:   // META_TEXTOUT
        return r.Fits(1) && int16_t(r.Parm(0)) >= 0 && r.Fits(3 + (uint64_t(r.Parm(0)) + 1) / 2);
    case 0x0324:   // META_POLYGON
    case 0x0325:   // META_POLYLINE
        return r.Fits(1) && r.Fits(1 + 2 * uint64_t(r.Parm(0)));
    case 0x0538:   // META_POLYPOLYGON
        return PolyPolygonFits(r);
    case 0x01F9:   // META_CREATEPATTERNBRUSH
        return PatternBrushFits(r);
    case 0x02FB:   // META_CREATEFONTINDIRECT: a face name of 32 bytes, also past the record
        return r.Fits(9) && 25 <= r.dataLeft;
    case 0x00F7:   // META_CREATEPALETTE
        return r.Fits(2) && r.Fits(2 + 2 * uint64_t(r.Parm(1)));
    case 0x0626:   // META_ESCAPE
        return r.Fits(2) && r.Fits(2 + (uint64_t(r.Parm(1)) + 1) / 2);
    case 0x0A32:   // META_EXTTEXTOUT, with a rectangle for ETO_OPAQUE or ETO_CLIPPED
        return r.Fits(4) && r.Fits(4 + ((r.Parm(3) & 6) ? 4 : 0) + (uint64_t(r.Parm(2)) + 1) / 2);
    case 0x0F43:   // META_STRETCHDIB
        return DibFits(r, 11);
    case 0x0B41:   // META_DIBSTRETCHBLT
        return DibFits(r, 10);
    case 0x0940:   // META_DIBBITBLT: with a bitmap, or as a pattern fill of nine words
        return r.count > 9 ? DibFits(r, 8) : r.Fits(9);
    case 0x0D33:   // META_SETDIBTODEV
        return DibFits(r, 9);
    case 0x0142:   // META_DIBCREATEPATTERNBRUSH
        return DibFits(r, 2);
    case 0x0B23:   // META_STRETCHBLT
        return r.Fits(15) && BitmapFits(r, 15, r.Parm(10), r.Parm(11), r.Parm(13), r.Parm(14));
    case 0x0922:   // META_BITBLT
        return r.Fits(12) && BitmapFits(r, 12, r.Parm(7), r.Parm(8), r.Parm(10), r.Parm(11));
    case 0x06FF:   // META_CREATEREGION
        return RegionFits(r);
    }
    for (const FixedRecord& f : kFixedRecords)
        if (f.function == function)
            return r.Fits(f.parms);
    return true;   // not played, or without parameters
}

// The object table as playback fills it: a new object takes the lowest free slot.
class ObjectTable
{
public:
    explicit ObjectTable(uint16_t nSlots) : m_used(nSlots, false) {}
    bool Add()
    {
        for (size_t i = 0; i < m_used.size(); ++i)
            if (!m_used[i]) {
                m_used[i] = true;
                return true;
            }
        return false;
    }
    bool Names(uint16_t slot) const { return slot < m_used.size(); }
    void Remove(uint16_t slot) { m_used[slot] = false; }

private:
    std::vector<bool> m_used;
};

bool CreatesObject(uint16_t function, const Record& r)
{
    switch (function) {
    case 0x02FA: case 0x02FB: case 0x02FC: case 0x00F7: case 0x06FF: case 0x0142:
        return true;
    case 0x01F9:
        return r.Parm(0) == 3 || r.Parm(0) == 5;
    }
    return false;
}

// Slots named by the record, after its parameters were found inside it.
bool ObjectsAreSound(uint16_t function, const Record& r, ObjectTable& table)
{
    if (CreatesObject(function, r))
        return table.Add();
    switch (function) {
    case 0x01F0:   // META_DELETEOBJECT
        if (!table.Names(r.Parm(0)))
            return false;
        table.Remove(r.Parm(0));
        return true;
    case 0x012D: case 0x012A: case 0x012B:   // select object, invert and paint region
        return table.Names(r.Parm(0));
    case 0x012C:   // META_SELECTCLIPREGION: 0 selects none
        return r.Parm(0) == 0 || table.Names(r.Parm(0));
    case 0x0234:   // META_SELECTPALETTE
        return table.Names(r.Parm(1));
    case 0x0228:   // META_FILLREGION
        return table.Names(r.Parm(0)) && table.Names(r.Parm(1));
    case 0x0429:   // META_FRAMEREGION
        return table.Names(r.Parm(2)) && table.Names(r.Parm(3));
    }
    return true;
}

}  // namespace

bool WmfRecordsAreSound(const uint8_t* p, size_t nBytes)
{
    if (nBytes < kHeaderBytes || Le16(p + 2) != kHeaderBytes / 2)
        return false;
    ObjectTable table(Le16(p + 10));
    size_t at = kHeaderBytes;
    while (at + 6 <= nBytes) {
        const uint64_t words = Le32(p + at);
        const uint16_t function = Le16(p + at + 4);
        if (words < 3 || words > (nBytes - at) / 2)
            return false;
        if (function == kMetaEof)
            return true;
        const Record r{p + at + 6, words - 3, (nBytes - at - 6) / 2};
        if (!ParametersFit(function, r) || !ObjectsAreSound(function, r, table))
            return false;
        at += size_t(words) * 2;
    }
    return false;
}
