// Bounds-checked little-endian reading from a byte buffer.
//
// Every read checks the remaining length first; a failed read leaves the
// reader in a failed state and yields 0, so that parsers can read a run of
// fields and test Ok() once.
#pragma once

#include <cstddef>
#include <cstdint>

namespace qrv::img {

class ByteReader {
public:
    ByteReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    bool Ok() const { return ok_; }
    size_t Position() const { return pos_; }
    size_t Remaining() const { return size_ - pos_; }

    uint8_t U8()
    {
        if (!Need(1))
            return 0;
        return data_[pos_++];
    }
    uint16_t U16()
    {
        if (!Need(2))
            return 0;
        const uint16_t v = uint16_t(data_[pos_] | (data_[pos_ + 1] << 8));
        pos_ += 2;
        return v;
    }
    uint32_t U32()
    {
        if (!Need(4))
            return 0;
        const uint32_t v = uint32_t(data_[pos_]) | (uint32_t(data_[pos_ + 1]) << 8) |
                           (uint32_t(data_[pos_ + 2]) << 16) | (uint32_t(data_[pos_ + 3]) << 24);
        pos_ += 4;
        return v;
    }
    int32_t I32() { return int32_t(U32()); }

    // Moves to an absolute offset; fails beyond the end.
    bool Seek(size_t pos)
    {
        if (pos > size_) {
            ok_ = false;
            return false;
        }
        pos_ = pos;
        return true;
    }

private:
    bool Need(size_t n)
    {
        if (!ok_ || size_ - pos_ < n) {
            ok_ = false;
            return false;
        }
        return true;
    }

    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
    bool ok_ = true;
};

}  // namespace qrv::img
