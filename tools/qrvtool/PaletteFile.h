// Palettes for the panel image from files: a JASC-PAL text palette or the
// colour table of a BMP, as 0x00BBGGRR colours (red in the low byte).
#pragma once
#include <string>
#include <vector>

struct Palettes
{
    std::vector<unsigned long> colors8, colors16, colors256, plx508;
};

// Reads the file's colours; false with a message when it cannot be read.
bool ReadPaletteFile(const std::string& path, std::vector<unsigned long>& colors, std::string& error);

// The palette for `bits` colour bits (8, 16 or 256 entries, which the file
// must have exactly) and the Plx508 palette (256 entries); empty names are
// left out. False with a message on an unreadable file or a wrong size.
bool LoadPalettes(int bits, const std::string& palette, const std::string& plx508, Palettes& out, std::string& error);
