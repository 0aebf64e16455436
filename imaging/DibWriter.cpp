#include "imaging/DibWriter.h"

#include <cstring>
#include <new>

#include "imaging/DibFormat.h"
#include "imaging/RleCodec.h"

namespace qrv::img {

namespace {

void Put16(std::vector<uint8_t>& v, uint32_t x)
{
    v.push_back(uint8_t(x));
    v.push_back(uint8_t(x >> 8));
}

void Put32(std::vector<uint8_t>& v, uint32_t x)
{
    Put16(v, x & 0xFFFF);
    Put16(v, x >> 16);
}

bool ValidCombination(const Image& image, const DibWriteOptions& o, int bits)
{
    const bool core = o.headerSize == dib::kCoreHeaderSize;
    if (o.headerSize != dib::kCoreHeaderSize && o.headerSize != dib::kInfoHeaderSize &&
        o.headerSize != dib::kV4HeaderSize && o.headerSize != dib::kV5HeaderSize)
        return false;
    if (core && (o.compression != dib::kBiRgb || o.topDown || bits == 2 || bits == 16 ||
                 bits == 32 || image.Width() > 0xFFFF || image.Height() > 0xFFFF))
        return false;
    if (image.IsIndexed()) {
        if (bits > 8 || bits < image.BitsPerPixel() || !Image::IsValidDepth(bits))
            return false;
        if (o.compression == dib::kBiRle8)
            return bits == 8 && !o.topDown;
        if (o.compression == dib::kBiRle4)
            return bits == 4 && !o.topDown;
        return o.compression == dib::kBiRgb;
    }
    if (bits != 16 && bits != 24 && bits != 32)
        return false;
    if (o.compression == dib::kBiBitfields)
        return bits == 16 || bits == 32;
    return o.compression == dib::kBiRgb;
}

// Clears the bytes behind the last pixel of a row, so that the padding of
// the output never depends on what a filter left there.
void ClearRowPadding(uint8_t* row, int width, int bits, size_t stride)
{
    const size_t usedBits = size_t(width) * size_t(bits);
    size_t used = usedBits / 8;
    if (usedBits % 8) {
        row[used] = uint8_t(row[used] & (0xFF00 >> (usedBits % 8)));
        ++used;
    }
    std::memset(row + used, 0, stride - used);
}

}  // namespace

size_t DibWriter::PixelOffset(const std::vector<uint8_t>& dib)
{
    if (dib.size() < 16)
        return 0;
    const uint32_t headerSize = uint32_t(dib[0]) | uint32_t(dib[1]) << 8 |
                                uint32_t(dib[2]) << 16 | uint32_t(dib[3]) << 24;
    if (headerSize == dib::kCoreHeaderSize) {
        const int bits = dib[10] | dib[11] << 8;
        return headerSize + (bits <= 8 ? (size_t(1) << bits) * 3 : 0);
    }
    if (dib.size() < dib::kInfoHeaderSize)
        return 0;
    const int bits = dib[14] | dib[15] << 8;
    const uint32_t compression = uint32_t(dib[16]) | uint32_t(dib[17]) << 8;
    uint32_t used = uint32_t(dib[32]) | uint32_t(dib[33]) << 8 | uint32_t(dib[34]) << 16 |
                    uint32_t(dib[35]) << 24;
    if (used == 0 && bits <= 8)
        used = 1u << bits;
    size_t offset = headerSize + size_t(used) * 4;
    if (headerSize == dib::kInfoHeaderSize && compression == dib::kBiBitfields)
        offset += 12;
    return offset;
}

Status DibWriter::Write(const Image& image, std::vector<uint8_t>& out,
                        const DibWriteOptions& o)
try {
    if (image.Empty())
        return kNoImage;
    const int bits = o.bitCount ? o.bitCount : image.BitsPerPixel();
    if (!ValidCombination(image, o, bits))
        return kInvalidParameter;
    const bool core = o.headerSize == dib::kCoreHeaderSize;
    const bool bitfields = o.compression == dib::kBiBitfields;

    std::vector<uint8_t> pixels;
    Status s = WritePixels(image, o, bits, pixels);
    if (s != kOk)
        return s;

    size_t tableCount = 0;
    if (bits <= 8)
        tableCount = (core || o.fullColorTable) ? (size_t(1) << bits) : image.Palette().size();

    std::vector<uint8_t> v;
    v.reserve(o.headerSize + 16 + tableCount * 4 + pixels.size());
    Put32(v, o.headerSize);
    if (core) {
        Put16(v, uint32_t(image.Width()));
        Put16(v, uint32_t(image.Height()));
        Put16(v, 1);
        Put16(v, uint32_t(bits));
    } else {
        Put32(v, uint32_t(image.Width()));
        Put32(v, o.topDown ? uint32_t(-int64_t(image.Height())) : uint32_t(image.Height()));
        Put16(v, 1);
        Put16(v, uint32_t(bits));
        Put32(v, o.compression);
        Put32(v, uint32_t(pixels.size()));
        Put32(v, 3780);  // 96 dots per inch
        Put32(v, 3780);
        Put32(v, (bits <= 8 && !o.fullColorTable) ? uint32_t(tableCount) : 0);
        Put32(v, 0);
        uint32_t masks[4] = {0, 0, 0, 0};
        if (bitfields && bits == 16) {
            masks[0] = 0xF800;
            masks[1] = 0x07E0;
            masks[2] = 0x001F;
        } else if (bitfields) {
            masks[0] = 0x00FF0000;
            masks[1] = 0x0000FF00;
            masks[2] = 0x000000FF;
            if (o.headerSize > dib::kInfoHeaderSize && image.BitsPerPixel() == 32)
                masks[3] = 0xFF000000;
        }
        if (o.headerSize == dib::kInfoHeaderSize) {
            if (bitfields)
                for (int k = 0; k < 3; ++k)
                    Put32(v, masks[k]);
        } else {
            for (uint32_t m : masks)
                Put32(v, m);
            Put32(v, dib::kLcsSrgb);
            for (int k = 0; k < 12; ++k)  // end points and gamma: unused with sRGB
                Put32(v, 0);
            if (o.headerSize == dib::kV5HeaderSize) {
                Put32(v, 4);  // LCS_GM_IMAGES
                Put32(v, 0);
                Put32(v, 0);
                Put32(v, 0);
            }
        }
    }
    for (size_t k = 0; k < tableCount; ++k) {
        const Bgra c = k < image.Palette().size() ? image.Palette()[k] : Bgra{};
        v.push_back(c.b);
        v.push_back(c.g);
        v.push_back(c.r);
        if (!core)
            v.push_back(0);
    }
    v.insert(v.end(), pixels.begin(), pixels.end());
    out.swap(v);
    return kOk;
} catch (const std::bad_alloc&) {
    return kOutOfMemory;
}

Status DibWriter::WritePixels(const Image& image, const DibWriteOptions& o, int bits,
                              std::vector<uint8_t>& out)
{
    const Image* src = &image;
    Image converted;
    if (bits != 16 && bits != image.BitsPerPixel()) {
        const Status s = image.ConvertTo(bits, converted);
        if (s != kOk)
            return s;
        src = &converted;
    }
    if (o.compression == dib::kBiRle8 || o.compression == dib::kBiRle4) {
        out.clear();
        return RleCodec::Encode(*src, out);
    }
    const int w = src->Width();
    const int h = src->Height();
    const size_t stride = size_t(((uint64_t(w) * uint64_t(bits) + 31) / 32) * 4);
    out.assign(stride * size_t(h), 0);
    for (int y = 0; y < h; ++y) {
        const int line = o.topDown ? y : h - 1 - y;
        uint8_t* q = out.data() + size_t(line) * stride;
        const uint8_t* p = src->Row(y);
        if (bits != 16) {
            std::memcpy(q, p, stride);
            ClearRowPadding(q, w, bits, stride);
            continue;
        }
        const size_t bpp = size_t(src->BitsPerPixel() / 8);
        const bool five65 = o.compression == dib::kBiBitfields;
        for (int x = 0; x < w; ++x, p += bpp, q += 2) {
            uint32_t px;
            if (five65)
                px = uint32_t(p[2] >> 3) << 11 | uint32_t(p[1] >> 2) << 5 | uint32_t(p[0] >> 3);
            else
                px = uint32_t(p[2] >> 3) << 10 | uint32_t(p[1] >> 3) << 5 | uint32_t(p[0] >> 3);
            q[0] = uint8_t(px);
            q[1] = uint8_t(px >> 8);
        }
    }
    return kOk;
}

}  // namespace qrv::img
