// Checks the records of a Windows metafile before the platform plays it.
// Playback takes the counts of points, characters and bitmap bytes inside a
// record without comparing them with the record's size, and indexes its
// object table with the slot numbers the records name (deleting an object
// writes to that slot), so a damaged file is refused here instead of played.
#pragma once
#include <cstddef>
#include <cstdint>

// True when the metafile of nBytes bytes at p (its 18-byte header first)
// has records of at least three words that lie inside the data, each holding
// the parameters, points, texts and bitmaps playback reads for its type; names
// only object table slots below the header's object count; creates no more
// objects than that table holds; and ends with the end record.
bool WmfRecordsAreSound(const uint8_t* p, size_t nBytes);
