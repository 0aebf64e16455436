// Writes a seed corpus of valid DIBs and BMP files in every layout the
// readers accept: each depth, each header kind, RLE, bit fields, top-down.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "imaging/BmpFile.h"
#include "imaging/DibFormat.h"
#include "imaging/DibWriter.h"

using namespace qrv::img;

namespace {

Image Sample(int bits)
{
    Image img;
    img.Create(11, 6, bits);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 11; ++x) {
            if (bits <= 8) {
                img.SetIndex(x, y, (x / 3 + y) % (1 << bits));
            } else {
                uint8_t *p = img.Row(y) + x * (bits / 8);
                p[0] = uint8_t(x * 20);
                p[1] = uint8_t(y * 40);
                p[2] = uint8_t(x * y);
            }
        }
    if (bits <= 8 && bits > 1)
        img.Palette().resize(std::min(img.Palette().size(), size_t(1 << (bits - 1)) + 1));
    return img;
}

int written = 0;

void Emit(const std::string &dir, const Image &img, const DibWriteOptions &o)
{
    std::vector<uint8_t> dib, bmp;
    if (DibWriter::Write(img, dib, o) != kOk || BmpFile::Encode(img, bmp, o) != kOk)
        return;
    for (auto *v : {&dib, &bmp}) {
        const std::string path = dir + "/seed" + std::to_string(written++);
        if (FILE *f = std::fopen(path.c_str(), "wb")) {
            std::fwrite(v->data(), 1, v->size(), f);
            std::fclose(f);
        }
    }
}

} // namespace

int main(int argc, char **argv)
{
    const std::string dir = argc > 1 ? argv[1] : ".";
    for (int bits : {1, 2, 4, 8, 24, 32})
        for (uint32_t header : {12u, 40u, 108u, 124u})
            for (bool top : {false, true}) {
                DibWriteOptions o;
                o.headerSize = header;
                o.topDown = top;
                Emit(dir, Sample(bits), o);
            }
    for (uint32_t header : {40u, 108u, 124u}) {
        DibWriteOptions o;
        o.headerSize = header;
        o.compression = dib::kBiRle8;
        Emit(dir, Sample(8), o);
        o.compression = dib::kBiRle4;
        Emit(dir, Sample(4), o);
        for (int bits : {16, 32}) {
            o.compression = dib::kBiBitfields;
            o.bitCount = bits;
            Emit(dir, Sample(24), o);
            Emit(dir, Sample(32), o);
        }
        o.compression = dib::kBiRgb;
        o.bitCount = 16;
        Emit(dir, Sample(24), o);
        o.bitCount = 0;
        o.fullColorTable = true;
        Emit(dir, Sample(4), o);
    }
    std::printf("%d seeds in %s\n", written, dir.c_str());
    return 0;
}
