#include "viewer/EmfRecords.h"

#include "viewer/DibExtent.h"

namespace {

const uint32_t kEmrEof = 14;

uint32_t Le32(const uint8_t* p) { return uint32_t(p[0] | p[1] << 8 | p[2] << 16) | uint32_t(p[3]) << 24; }

// Where a record type keeps its (offBmi, cbBmi, offBits, cbBits) groups; 0 ends the list.
struct BitmapFields { uint32_t type; uint32_t at[2]; };
const BitmapFields kBitmapRecords[] = {
    {76, {84, 0}},     // EMR_BITBLT
    {77, {84, 0}},     // EMR_STRETCHBLT
    {78, {84, 112}},   // EMR_MASKBLT: source and mask
    {79, {96, 124}},   // EMR_PLGBLT: source and mask
    {80, {48, 0}},     // EMR_SETDIBITSTODEVICE
    {81, {48, 0}},     // EMR_STRETCHDIBITS
    {93, {16, 0}},     // EMR_CREATEMONOBRUSH
    {94, {16, 0}},     // EMR_CREATEDIBPATTERNBRUSHPT
    {114, {84, 0}},    // EMR_ALPHABLEND
    {116, {84, 0}},    // EMR_TRANSPARENTBLT
};

bool Inside(uint64_t offset, uint64_t size, uint64_t limit) { return offset <= limit && size <= limit - offset; }

// A record's bitmap group: both parts inside the record, and enough pixels for the header.
bool GroupIsSound(const uint8_t* rec, uint32_t size, uint32_t at)
{
    if (at + 16 > size)
        return false;
    const uint32_t offBmi = Le32(rec + at), cbBmi = Le32(rec + at + 4);
    const uint32_t offBits = Le32(rec + at + 8), cbBits = Le32(rec + at + 12);
    if (offBmi == 0 && cbBmi == 0)
        return true;   // no bitmap: playback does not read one
    // Playback reads a header at any offset given, whatever size is given with it.
    if (cbBmi < 40 || !Inside(offBmi, cbBmi, size) || !Inside(offBits, cbBits, size) || Le32(rec + offBmi) < 40)
        return false;
    return DibTableBytes(rec + offBmi) <= cbBmi && DibPixelBytes(rec + offBmi) <= cbBits;
}

// Records naming a slot of the object table, with the field's place; a stock
// object (high bit set) may only be selected.
struct ObjectField { uint32_t type; uint32_t at; bool stockAllowed; };
const ObjectField kObjectRecords[] = {
    {37, 8, true},    // EMR_SELECTOBJECT
    {38, 8, false},   // EMR_CREATEPEN
    {39, 8, false},   // EMR_CREATEBRUSHINDIRECT
    {40, 8, false},   // EMR_DELETEOBJECT
    {48, 8, true},    // EMR_SELECTPALETTE
    {49, 8, false},   // EMR_CREATEPALETTE
    {50, 8, false},   // EMR_SETPALETTEENTRIES
    {51, 8, false},   // EMR_RESIZEPALETTE
    {71, 24, false},  // EMR_FILLRGN (brush)
    {72, 24, false},  // EMR_FRAMERGN (brush)
    {82, 8, false},   // EMR_EXTCREATEFONTINDIRECTW
    {93, 8, false},   // EMR_CREATEMONOBRUSH
    {94, 8, false},   // EMR_CREATEDIBPATTERNBRUSHPT
    {95, 8, false},   // EMR_EXTCREATEPEN
    {99, 8, false},   // EMR_CREATECOLORSPACE
    {100, 8, false},  // EMR_SETCOLORSPACE
    {101, 8, false},  // EMR_DELETECOLORSPACE
    {122, 8, false},  // EMR_CREATECOLORSPACEW
};

// Playback indexes its object table with these fields unchecked.
bool ObjectIndexIsSound(const uint8_t* rec, uint32_t type, uint32_t size, uint32_t nHandles)
{
    for (const ObjectField& f : kObjectRecords) {
        if (f.type != type)
            continue;
        if (f.at + 4 > size)
            return false;
        const uint32_t index = Le32(rec + f.at);
        if (index & 0x80000000u)
            return f.stockAllowed;
        return index != 0 && index < nHandles;
    }
    return true;
}

bool RecordIsSound(const uint8_t* rec, uint32_t type, uint32_t size, uint32_t nHandles)
{
    if (!ObjectIndexIsSound(rec, type, size, nHandles))
        return false;
    for (const BitmapFields& f : kBitmapRecords) {
        if (f.type != type)
            continue;
        for (uint32_t at : f.at)
            if (at != 0 && !GroupIsSound(rec, size, at))
                return false;
    }
    return true;
}

}  // namespace

bool EmfRecordsAreSound(const uint8_t* p, size_t nBytes)
{
    if (nBytes < 60)
        return false;
    // The header's count of object table slots (slot 0 is the metafile's own).
    const uint32_t nHandles = uint32_t(p[56] | p[57] << 8);
    size_t at = 0;
    while (at + 8 <= nBytes) {
        const uint32_t type = Le32(p + at), size = Le32(p + at + 4);
        if (size < 8 || size % 4 != 0 || size > nBytes - at || !RecordIsSound(p + at, type, size, nHandles))
            return false;
        if (type == kEmrEof)
            return true;
        at += size;
    }
    return false;
}
