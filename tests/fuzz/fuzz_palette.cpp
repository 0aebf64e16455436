// libFuzzer target for qrvtool's palette readers (JASC-PAL text and the
// colour table of a BMP): a palette read has 1 to 256 colours of 24 bits,
// and the same colours written as JASC-PAL read back unchanged.
#include <cstdio>
#include <string>
#include <vector>

#include "tests/fuzz/FuzzCheck.h"
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
        Check(colors.empty()); // a failed read leaves no colours behind
        return 0;
    }
    Check(!colors.empty() && colors.size() <= 256);
    for (unsigned long c : colors)
        Check(c <= 0xFFFFFF);
    std::vector<unsigned long> again;
    Check(ParsePaletteBytes(AsJasc(colors), again) && again == colors);
    return 0;
}
