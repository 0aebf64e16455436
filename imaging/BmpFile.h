// BMP files: a 14-byte BITMAPFILEHEADER in front of a packed DIB whose pixels
// start at the offset the file header gives.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "imaging/DibReader.h"
#include "imaging/DibWriter.h"

namespace qrv::img {

class BmpFile {
public:
    // Largest file accepted by Load (the largest image the core holds fits
    // in far less than this).
    static constexpr uint64_t kMaxFileSize = uint64_t(512) << 20;

    // Decodes a whole BMP file held in memory. The signature must be "BM";
    // bfSize is not trusted (many writers get it wrong), bfOffBits is.
    static Status Decode(const uint8_t* data, size_t size, Image& out,
                         const DibReadOptions& options = DibReadOptions(),
                         DibInfo* info = nullptr);

    // Replaces `out` with the BMP file of the image.
    static Status Encode(const Image& image, std::vector<uint8_t>& out,
                         const DibWriteOptions& options = DibWriteOptions());

    // Reads and decodes a file; kIoError when it cannot be read, kTooLarge
    // beyond kMaxFileSize.
    static Status Load(const std::string& path, Image& out,
                       const DibReadOptions& options = DibReadOptions());

    // Encodes and writes a file (replacing it); kIoError when it cannot be
    // written completely.
    static Status Save(const std::string& path, const Image& image,
                       const DibWriteOptions& options = DibWriteOptions());
};

}  // namespace qrv::img
