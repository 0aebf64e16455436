// Byte layouts of the device-independent bitmap (DIB) and BMP file headers.
//
// The structures mirror the Windows layouts byte for byte (packed, little
// endian) so that their sizes document the format; the reader never casts
// input bytes to them but decodes fields one by one through ByteReader, which
// keeps it independent of host alignment and byte order.
#pragma once

#include <cstdint>

namespace qrv::img::dib {

// biCompression values.
constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiRle8 = 1;
constexpr uint32_t kBiRle4 = 2;
constexpr uint32_t kBiBitfields = 3;
constexpr uint32_t kBiAlphaBitfields = 6;

// Header sizes that identify the header kind (the first DWORD of a DIB).
constexpr uint32_t kCoreHeaderSize = 12;  // OS/2 and Windows 2.x BITMAPCOREHEADER
constexpr uint32_t kInfoHeaderSize = 40;  // BITMAPINFOHEADER
constexpr uint32_t kV2HeaderSize = 52;    // INFO + RGB masks
constexpr uint32_t kV3HeaderSize = 56;    // INFO + RGBA masks
constexpr uint32_t kV4HeaderSize = 108;   // BITMAPV4HEADER
constexpr uint32_t kV5HeaderSize = 124;   // BITMAPV5HEADER
constexpr uint32_t kFileHeaderSize = 14;  // BITMAPFILEHEADER

constexpr uint16_t kBmpSignature = 0x4D42;  // "BM"
constexpr uint32_t kLcsSrgb = 0x73524742;   // 'sRGB' colour space of V4/V5 headers

#pragma pack(push, 1)
struct FileHeader {
    uint16_t bfType;
    uint32_t bfSize;
    uint16_t bfReserved1;
    uint16_t bfReserved2;
    uint32_t bfOffBits;
};

struct CoreHeader {
    uint32_t bcSize;
    uint16_t bcWidth;
    uint16_t bcHeight;
    uint16_t bcPlanes;
    uint16_t bcBitCount;
};

struct InfoHeader {
    uint32_t biSize;
    int32_t biWidth;
    int32_t biHeight;
    uint16_t biPlanes;
    uint16_t biBitCount;
    uint32_t biCompression;
    uint32_t biSizeImage;
    int32_t biXPelsPerMeter;
    int32_t biYPelsPerMeter;
    uint32_t biClrUsed;
    uint32_t biClrImportant;
};

struct V4Header {
    InfoHeader info;
    uint32_t redMask;
    uint32_t greenMask;
    uint32_t blueMask;
    uint32_t alphaMask;
    uint32_t csType;
    int32_t endpoints[9];
    uint32_t gammaRed;
    uint32_t gammaGreen;
    uint32_t gammaBlue;
};

struct V5Header {
    V4Header v4;
    uint32_t intent;
    uint32_t profileData;
    uint32_t profileSize;
    uint32_t reserved;
};
#pragma pack(pop)

static_assert(sizeof(FileHeader) == kFileHeaderSize, "BITMAPFILEHEADER layout");
static_assert(sizeof(CoreHeader) == kCoreHeaderSize, "BITMAPCOREHEADER layout");
static_assert(sizeof(InfoHeader) == kInfoHeaderSize, "BITMAPINFOHEADER layout");
static_assert(sizeof(V4Header) == kV4HeaderSize, "BITMAPV4HEADER layout");
static_assert(sizeof(V5Header) == kV5HeaderSize, "BITMAPV5HEADER layout");

}  // namespace qrv::img::dib
