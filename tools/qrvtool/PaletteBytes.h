// The colours of a palette file's bytes: a JASC-PAL text palette or the
// colour table of a BMP, as 0x00BBGGRR colours (red in the low byte). Plain
// C++ without Windows headers, so that the parsers can be fuzzed natively.
#pragma once
#include <vector>

// True and the colours when the bytes are either form; false and no colours otherwise.
bool ParsePaletteBytes(const std::vector<unsigned char>& bytes, std::vector<unsigned long>& colors);
