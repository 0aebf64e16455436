#include "tools/qrvtool/PaletteBytes.h"
#include <stdio.h>
#include <string.h>
#include <string>

namespace {

// The BMP headers by offset: a 14-byte file header, then the info header
// with its size at 0, the bit count at 14 and the used colours at 32.
const size_t kFileHeaderSize = 14;
const size_t kInfoHeaderSize = 40;

unsigned long Rgb(unsigned r, unsigned g, unsigned b) { return (r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16); }

unsigned long Le32(const unsigned char* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (unsigned long)p[3] << 24; }
unsigned Le16(const unsigned char* p) { return p[0] | (p[1] << 8); }

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
    if (bytes.size() < kFileHeaderSize + kInfoHeaderSize || bytes[0] != 'B' || bytes[1] != 'M')
        return false;
    const unsigned char* info = bytes.data() + kFileHeaderSize;
    const unsigned long infoSize = Le32(info);
    const unsigned bitCount = Le16(info + 14);
    const unsigned long used = Le32(info + 32);
    if (infoSize < kInfoHeaderSize || infoSize > 1024 || bitCount > 8 || bitCount == 0)
        return false;
    const size_t count = used ? used : (1u << bitCount);
    const size_t at = kFileHeaderSize + infoSize;
    if (count > 256 || at + count * 4 > bytes.size())
        return false;
    for (size_t i = 0; i < count; ++i) {
        const unsigned char* q = bytes.data() + at + i * 4;
        colors.push_back(Rgb(q[2], q[1], q[0]));
    }
    return true;
}

} // namespace

bool ParsePaletteBytes(const std::vector<unsigned char>& bytes, std::vector<unsigned long>& colors)
{
    colors.clear();
    if (ParseJasc(bytes, colors))
        return true;
    colors.clear();
    if (ParseBmp(bytes, colors))
        return true;
    colors.clear();
    return false;
}
