// libFuzzer target for qrvtool's palette readers (JASC-PAL text and the
// colour table of a BMP): a palette read has 1 to 256 colours of 24 bits,
// and the same colours written as JASC-PAL read back unchanged.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tools/qrvtool/PaletteBytes.h"

namespace {

std::vector<unsigned char> AsJasc(const std::vector<unsigned long> &colors)
{
    std::string text = "JASC-PAL\r\n0100\r\n" + std::to_string(colors.size()) + "\r\n";
    for (unsigned long c : colors) {
        char line[32];
        snprintf(line, sizeof(line), "%lu %lu %lu\r\n", c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
        text += line;
    }
    return std::vector<unsigned char>(text.begin(), text.end());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    std::vector<unsigned char> bytes(data, data + size);
    std::vector<unsigned long> colors;
    if (!ParsePaletteBytes(bytes, colors)) {
        if (!colors.empty())
            std::abort(); // a failed read leaves no colours behind
        return 0;
    }
    if (colors.empty() || colors.size() > 256)
        std::abort();
    for (unsigned long c : colors)
        if (c > 0xFFFFFF)
            std::abort();
    std::vector<unsigned long> again;
    if (!ParsePaletteBytes(AsJasc(colors), again) || again != colors)
        std::abort();
    return 0;
}
