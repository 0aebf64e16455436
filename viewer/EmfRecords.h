// Checks the records of an enhanced metafile before the platform plays it.
// Playback trusts the offsets and sizes inside the records (Wine's reads
// wherever a bitmap record's offsets point), so a damaged file is refused
// here instead of being played.
#pragma once
#include <cstddef>
#include <cstdint>

// True when every record lies inside the nBytes bytes, names only object
// table slots the header counts (or stock objects where they may be selected), has a size that is a
// multiple of 4 and at least 8, the last is EMR_EOF, and the bitmap parts of
// the records that carry one lie inside their record and hold the pixels
// their header describes.
bool EmfRecordsAreSound(const uint8_t* p, size_t nBytes);
