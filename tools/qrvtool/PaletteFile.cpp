#include "tools/qrvtool/PaletteFile.h"
#include <windows.h>
#include <stdio.h>
#include <string.h>

namespace {

unsigned long Rgb(unsigned r, unsigned g, unsigned b) { return (r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16); }

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

// "JASC-PAL", "0100", the count, then one "r g b" line per colour.
bool ParseJasc(const std::vector<unsigned char>& bytes, std::vector<unsigned long>& colors)
{
    std::string text(bytes.begin(), bytes.end());
    const char* p = text.c_str();
    char magic[16] = "", version[16] = "";
    int count = 0, used = 0;
    if (sscanf(p, "%15s %15s %d%n", magic, version, &count, &used) != 3 || strcmp(magic, "JASC-PAL") != 0
        || count <= 0 || count > 256)
        return false;
    p += used;
    for (int i = 0; i < count; ++i) {
        unsigned r, g, b;
        if (sscanf(p, "%u %u %u%n", &r, &g, &b, &used) != 3 || r > 255 || g > 255 || b > 255)
            return false;
        p += used;
        colors.push_back(Rgb(r, g, b));
    }
    return true;
}

// The colour table behind a BMP's info header (RGBQUAD: blue, green, red).
bool ParseBmp(const std::vector<unsigned char>& bytes, std::vector<unsigned long>& colors)
{
    if (bytes.size() < sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) || bytes[0] != 'B' || bytes[1] != 'M')
        return false;
    BITMAPINFOHEADER bih;
    memcpy(&bih, bytes.data() + sizeof(BITMAPFILEHEADER), sizeof(bih));
    if (bih.biSize < sizeof(BITMAPINFOHEADER) || bih.biSize > 1024 || bih.biBitCount > 8 || bih.biBitCount == 0)
        return false;
    const size_t count = bih.biClrUsed ? bih.biClrUsed : (1u << bih.biBitCount);
    const size_t at = sizeof(BITMAPFILEHEADER) + bih.biSize;
    if (count > 256 || at + count * 4 > bytes.size())
        return false;
    for (size_t i = 0; i < count; ++i) {
        const unsigned char* q = bytes.data() + at + i * 4;
        colors.push_back(Rgb(q[2], q[1], q[0]));
    }
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
    if (ParseJasc(bytes, colors) || (colors.clear(), ParseBmp(bytes, colors)))
        return true;
    colors.clear();
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
