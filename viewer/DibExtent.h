// The bytes a bitmap header inside a metafile record says follow it. Metafile
// playback hands such headers to the platform's bitmap functions, which read
// as many bytes as the header describes, so the records are checked against
// these counts before a file is played.
#pragma once
#include <cstdint>

// The header, colour masks and colour table of the BITMAPINFO at `bmi` (at
// least 40 readable bytes), at four bytes per table entry.
uint64_t DibTableBytes(const uint8_t* bmi);

// The pixel bytes the header needs: whole rows for uncompressed bitmaps, the
// stated image size for compressed ones (the platform decodes that many), and
// more than any record holds where a compressed bitmap states no size.
uint64_t DibPixelBytes(const uint8_t* bmi);
