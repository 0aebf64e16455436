#include "imaging/BmpFile.h"

#include <cstdio>
#include <memory>
#include <new>

#include "imaging/DibFormat.h"

namespace qrv::img {

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

}  // namespace

Status BmpFile::Decode(const uint8_t* data, size_t size, Image& out,
                       const DibReadOptions& options, DibInfo* info)
{
    if (data == nullptr)
        return kInvalidParameter;
    if (size < dib::kFileHeaderSize)
        return kTruncated;
    if ((data[0] | data[1] << 8) != dib::kBmpSignature)
        return kBadHeader;
    const uint32_t offBits = uint32_t(data[10]) | uint32_t(data[11]) << 8 |
                             uint32_t(data[12]) << 16 | uint32_t(data[13]) << 24;
    if (offBits < dib::kFileHeaderSize)
        return kBadHeader;
    if (offBits > size)
        return kTruncated;
    return DibReader::ReadAt(data + dib::kFileHeaderSize, size - dib::kFileHeaderSize,
                             offBits - dib::kFileHeaderSize, out, options, info);
}

Status BmpFile::Encode(const Image& image, std::vector<uint8_t>& out,
                       const DibWriteOptions& options)
try {
    std::vector<uint8_t> dib;
    const Status s = DibWriter::Write(image, dib, options);
    if (s != kOk)
        return s;
    const uint64_t total = uint64_t(dib.size()) + dib::kFileHeaderSize;
    const uint32_t off = uint32_t(DibWriter::PixelOffset(dib) + dib::kFileHeaderSize);
    std::vector<uint8_t> v;
    v.reserve(size_t(total));
    auto put32 = [&v](uint32_t x) {
        for (int k = 0; k < 4; ++k)
            v.push_back(uint8_t(x >> (8 * k)));
    };
    v.push_back('B');
    v.push_back('M');
    put32(total > 0xFFFFFFFFu ? 0 : uint32_t(total));
    put32(0);
    put32(off);
    v.insert(v.end(), dib.begin(), dib.end());
    out.swap(v);
    return kOk;
} catch (const std::bad_alloc&) {
    return kOutOfMemory;
}

Status BmpFile::Load(const std::string& path, Image& out, const DibReadOptions& options)
try {
    File f(std::fopen(path.c_str(), "rb"));
    if (!f)
        return kIoError;
    if (std::fseek(f.get(), 0, SEEK_END) != 0)
        return kIoError;
    const long length = std::ftell(f.get());
    if (length < 0 || std::fseek(f.get(), 0, SEEK_SET) != 0)
        return kIoError;
    if (uint64_t(length) > kMaxFileSize)
        return kTooLarge;
    std::vector<uint8_t> data(static_cast<size_t>(length));
    if (!data.empty() && std::fread(data.data(), 1, data.size(), f.get()) != data.size())
        return kIoError;
    return Decode(data.data(), data.size(), out, options);
} catch (const std::bad_alloc&) {
    return kOutOfMemory;
}

Status BmpFile::Save(const std::string& path, const Image& image, const DibWriteOptions& options)
{
    std::vector<uint8_t> data;
    const Status s = Encode(image, data, options);
    if (s != kOk)
        return s;
    File f(std::fopen(path.c_str(), "wb"));
    if (!f)
        return kIoError;
    if (std::fwrite(data.data(), 1, data.size(), f.get()) != data.size())
        return kIoError;
    if (std::fclose(f.release()) != 0)
        return kIoError;
    return kOk;
}

}  // namespace qrv::img
