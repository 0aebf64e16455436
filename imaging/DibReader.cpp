#include "imaging/DibReader.h"

#include <cstring>
#include <new>

#include "imaging/ByteReader.h"
#include "imaging/DibFormat.h"
#include "imaging/RleCodec.h"

namespace qrv::img {

namespace {

// Header fields normalised over the header kinds.
struct Header {
    DibInfo info;
    size_t paletteEntrySize = 4;  // 3 for the core header's RGBTRIPLEs
    size_t maskBytesAfterHeader = 0;
};

Status ParseHeader(ByteReader& r, Header& h)
{
    DibInfo& i = h.info;
    i.headerSize = r.U32();
    if (!r.Ok())
        return kTruncated;
    if (i.headerSize == dib::kCoreHeaderSize) {
        i.width = r.U16();
        i.height = r.U16();
        const uint16_t planes = r.U16();
        i.bitCount = r.U16();
        if (!r.Ok())
            return kTruncated;
        if (planes != 1 || i.width == 0 || i.height == 0)
            return kBadHeader;
        if (i.bitCount != 1 && i.bitCount != 4 && i.bitCount != 8 && i.bitCount != 24)
            return kBadHeader;
        h.paletteEntrySize = 3;
        return kOk;
    }
    if (i.headerSize != dib::kInfoHeaderSize && i.headerSize != dib::kV2HeaderSize &&
        i.headerSize != dib::kV3HeaderSize && i.headerSize != dib::kV4HeaderSize &&
        i.headerSize != dib::kV5HeaderSize)
        return i.headerSize < dib::kCoreHeaderSize ? kBadHeader : kUnsupported;
    const int32_t width = r.I32();
    const int32_t height = r.I32();
    const uint16_t planes = r.U16();
    i.bitCount = r.U16();
    i.compression = r.U32();
    r.U32();  // biSizeImage: recomputed, never trusted
    r.U32();  // resolution
    r.U32();
    i.clrUsed = r.U32();
    r.U32();  // biClrImportant
    if (i.headerSize >= dib::kV2HeaderSize) {
        i.masks[0] = r.U32();
        i.masks[1] = r.U32();
        i.masks[2] = r.U32();
        if (i.headerSize >= dib::kV3HeaderSize)
            i.masks[3] = r.U32();
    }
    if (!r.Ok())
        return kTruncated;
    if (planes != 1 || width <= 0 || height == 0 || height == INT32_MIN)
        return kBadHeader;
    i.width = width;
    i.topDown = height < 0;
    i.height = height < 0 ? -height : height;
    const bool bitfields =
        i.compression == dib::kBiBitfields || i.compression == dib::kBiAlphaBitfields;
    if (bitfields && i.headerSize == dib::kInfoHeaderSize) {
        // Masks follow a plain 40-byte header.
        i.masks[0] = r.U32();
        i.masks[1] = r.U32();
        i.masks[2] = r.U32();
        h.maskBytesAfterHeader = 12;
        if (i.compression == dib::kBiAlphaBitfields) {
            i.masks[3] = r.U32();
            h.maskBytesAfterHeader = 16;
        }
        if (!r.Ok())
            return kTruncated;
    }
    switch (i.compression) {
    case dib::kBiRgb:
        if (i.bitCount != 1 && i.bitCount != 2 && i.bitCount != 4 && i.bitCount != 8 &&
            i.bitCount != 16 && i.bitCount != 24 && i.bitCount != 32)
            return kBadHeader;
        break;
    case dib::kBiRle8:
    case dib::kBiRle4:
        if (i.bitCount != (i.compression == dib::kBiRle8 ? 8 : 4))
            return kBadHeader;
        if (i.topDown)  // RLE bitmaps are bottom-up by definition
            return kBadHeader;
        break;
    case dib::kBiBitfields:
    case dib::kBiAlphaBitfields:
        if (i.bitCount != 16 && i.bitCount != 32)
            return kBadHeader;
        break;
    default:
        return kUnsupported;  // JPEG, PNG and CMYK variants
    }
    return kOk;
}

bool Contiguous(uint32_t mask)
{
    if (mask == 0)
        return true;
    while (!(mask & 1))
        mask >>= 1;
    return (mask & (mask + 1)) == 0;
}

// Extracts one channel of a bit-field pixel and scales it to 0..255.
class ChannelScaler {
public:
    explicit ChannelScaler(uint32_t mask)
    {
        if (mask == 0)
            return;
        while (!((mask >> shift_) & 1))
            ++shift_;
        while (shift_ + width_ < 32 && ((mask >> (shift_ + width_)) & 1))
            ++width_;
        if (width_ < 8) {
            const uint32_t max = (1u << width_) - 1;
            for (uint32_t v = 0; v <= max; ++v)
                lut_[v] = uint8_t((v * 255 + max / 2) / max);
        }
    }
    uint8_t operator()(uint32_t px) const
    {
        if (width_ == 0)
            return 0;
        if (width_ >= 8)
            return uint8_t(px >> (shift_ + width_ - 8));
        return lut_[(px >> shift_) & ((1u << width_) - 1)];
    }

private:
    int shift_ = 0;
    int width_ = 0;
    uint8_t lut_[128] = {};
};

Status DecodeBitfields(const uint8_t* bits, size_t stride, const DibInfo& i, Image& out)
{
    const ChannelScaler red(i.masks[0]), green(i.masks[1]), blue(i.masks[2]), alpha(i.masks[3]);
    const size_t outBpp = size_t(out.BitsPerPixel() / 8);
    for (int y = 0; y < i.height; ++y) {
        const int dstY = i.topDown ? y : i.height - 1 - y;
        const uint8_t* p = bits + size_t(y) * stride;
        uint8_t* q = out.Row(dstY);
        for (int x = 0; x < i.width; ++x, q += outBpp) {
            uint32_t px;
            if (i.bitCount == 16) {
                px = uint32_t(p[0] | (p[1] << 8));
                p += 2;
            } else {
                px = uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 |
                     uint32_t(p[3]) << 24;
                p += 4;
            }
            q[0] = blue(px);
            q[1] = green(px);
            q[2] = red(px);
            if (outBpp == 4)
                q[3] = alpha(px);
        }
    }
    return kOk;
}

}  // namespace

Status DibReader::Read(const uint8_t* data, size_t size, Image& out,
                       const DibReadOptions& options, DibInfo* info)
{
    return Decode(data, size, false, 0, out, options, info);
}

Status DibReader::ReadAt(const uint8_t* data, size_t size, size_t bitsOffset, Image& out,
                         const DibReadOptions& options, DibInfo* info)
{
    return Decode(data, size, true, bitsOffset, out, options, info);
}

Status DibReader::Decode(const uint8_t* data, size_t size, bool hasOffset, size_t bitsOffset,
                         Image& out, const DibReadOptions& options, DibInfo* info)
try {
    if (data == nullptr)
        return kInvalidParameter;
    ByteReader r(data, size);
    Header h;
    Status s = ParseHeader(r, h);
    if (s != kOk)
        return s;
    DibInfo& i = h.info;
    if (info)
        *info = i;
    if (i.width > Image::kMaxDimension || i.height > Image::kMaxDimension ||
        int64_t(i.width) * i.height > options.maxPixels)
        return kTooLarge;

    // Bit-field masks must describe separate, contiguous channels inside the
    // pixel, or channel extraction would read garbage.
    const bool bitfields =
        i.compression == dib::kBiBitfields || i.compression == dib::kBiAlphaBitfields;
    if (bitfields) {
        const uint64_t pixelMask = (uint64_t(1) << i.bitCount) - 1;
        uint32_t seen = 0;
        for (uint32_t m : i.masks) {
            if (!Contiguous(m) || (m & seen) || (uint64_t(m) & ~pixelMask))
                return kBadHeader;
            seen |= m;
        }
        if ((i.masks[0] | i.masks[1] | i.masks[2]) == 0)
            return kBadHeader;
    }

    // Colour table: which entries exist and where the pixels start.
    const bool indexed = i.bitCount <= 8;
    const uint64_t fullTable = indexed ? (uint64_t(1) << i.bitCount) : 0;
    uint64_t tableCount = h.paletteEntrySize == 3 ? fullTable : (i.clrUsed ? i.clrUsed : fullTable);
    const uint64_t tableStart = uint64_t(i.headerSize) + h.maskBytesAfterHeader;
    uint64_t pixelStart = tableStart + tableCount * h.paletteEntrySize;
    if (hasOffset) {
        if (bitsOffset < tableStart || bitsOffset > size)
            return kBadHeader;
        if (pixelStart > bitsOffset)
            tableCount = (bitsOffset - tableStart) / h.paletteEntrySize;
        pixelStart = bitsOffset;
    }
    if (pixelStart > size)
        return kTruncated;
    uint64_t paletteCount = tableCount < fullTable ? tableCount : fullTable;
    if (indexed && paletteCount == 0)
        return kBadHeader;  // indexed pixels need at least one colour

    const uint64_t stride = ((uint64_t(i.width) * uint64_t(i.bitCount) + 31) / 32) * 4;
    const bool rle = i.compression == dib::kBiRle4 || i.compression == dib::kBiRle8;
    const uint64_t available = size - pixelStart;
    if (!rle && stride * uint64_t(i.height) > available)
        return kTruncated;

    const int outBits = i.bitCount == 16 ? 24 : i.bitCount;
    Image image;
    s = image.Create(i.width, i.height, outBits);
    if (s != kOk)
        return s;
    if (indexed) {
        image.Palette().resize(size_t(paletteCount));
        const uint8_t* t = data + tableStart;
        for (size_t k = 0; k < paletteCount; ++k, t += h.paletteEntrySize)
            image.Palette()[k] = Bgra{t[0], t[1], t[2], 0};
    }

    const uint8_t* bits = data + pixelStart;
    if (rle) {
        s = RleCodec::Decode(bits, size_t(available), image);
        if (s != kOk)
            return s;
    } else if (bitfields || i.bitCount == 16) {
        if (!bitfields) {  // 16-bit BI_RGB is 5-5-5
            i.masks[0] = 0x7C00;
            i.masks[1] = 0x03E0;
            i.masks[2] = 0x001F;
            i.masks[3] = 0;
        }
        DecodeBitfields(bits, size_t(stride), i, image);
    } else {
        // Model rows and DIB rows have the same padded length.
        for (int y = 0; y < i.height; ++y) {
            const int dstY = i.topDown ? y : i.height - 1 - y;
            std::memcpy(image.Row(dstY), bits + size_t(y) * size_t(stride), size_t(stride));
        }
    }
    if (!image.IndexesInPalette())
        return kBadPaletteIndex;
    out = std::move(image);
    return kOk;
} catch (const std::bad_alloc&) {
    return kOutOfMemory;
}

}  // namespace qrv::img
