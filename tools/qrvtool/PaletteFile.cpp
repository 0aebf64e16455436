#include "tools/qrvtool/PaletteFile.h"
#include "tools/qrvtool/PaletteBytes.h"
#include <stdio.h>

namespace {

bool ReadFile(const std::string& path, std::vector<unsigned char>& bytes)
{
    FILE* f = fopen(path.c_str(), "rb");
    if (!f)
        return false;
    unsigned char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof(buffer), f)) > 0 && bytes.size() < (1u << 20))
        bytes.insert(bytes.end(), buffer, buffer + n);
    fclose(f);
    return true;
}

bool ReadSized(const std::string& path, size_t entries, std::vector<unsigned long>& colors, std::string& error)
{
    if (!ReadPaletteFile(path, colors, error))
        return false;
    if (colors.size() != entries) {
        error = "Palette \"" + path + "\" hat " + std::to_string(colors.size()) + " Farben, erwartet " + std::to_string(entries);
        return false;
    }
    return true;
}

} // namespace

bool ReadPaletteFile(const std::string& path, std::vector<unsigned long>& colors, std::string& error)
{
    std::vector<unsigned char> bytes;
    colors.clear();
    if (!ReadFile(path, bytes)) {
        error = "Palette \"" + path + "\" kann nicht gelesen werden";
        return false;
    }
    if (ParsePaletteBytes(bytes, colors))
        return true;
    error = "\"" + path + "\" ist weder eine JASC-PAL-Palette noch eine BMP-Datei mit Farbtabelle";
    return false;
}

bool LoadPalettes(int bits, const std::string& palette, const std::string& plx508, Palettes& out, std::string& error)
{
    if (!palette.empty()) {
        std::vector<unsigned long>* slot = bits == 3 ? &out.colors8 : bits == 4 ? &out.colors16 : bits == 8 ? &out.colors256 : nullptr;
        if (!slot) {
            error = "bei " + std::to_string(bits) + " Bit wird keine Palette verwendet";
            return false;
        }
        if (!ReadSized(palette, size_t(1) << bits, *slot, error))
            return false;
    }
    if (!plx508.empty()) {
        if (bits != 8) {
            error = "die Plx508-Palette gilt nur bei 8 Bit";
            return false;
        }
        if (!ReadSized(plx508, 256, out.plx508, error))
            return false;
    }
    return true;
}
