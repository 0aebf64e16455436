#include "imaging/RleCodec.h"

#include <new>

namespace qrv::img {

namespace {

// Writes one index at (x, row) of a 4- or 8-bit image row.
inline void Put(uint8_t* row, int bits, int x, int value)
{
    if (bits == 8) {
        row[x] = uint8_t(value);
    } else {
        const int shift = (x & 1) ? 0 : 4;
        row[x >> 1] = uint8_t((row[x >> 1] & ~(15 << shift)) | ((value & 15) << shift));
    }
}

}  // namespace

Status RleCodec::Decode(const uint8_t* data, size_t size, Image& image)
{
    const int bits = image.BitsPerPixel();
    if (bits != 4 && bits != 8)
        return kInvalidParameter;
    const int width = image.Width();
    const int height = image.Height();
    int x = 0;
    int line = 0;  // counted from the bottom row
    size_t pos = 0;
    while (true) {
        if (line >= height) {
            // Every row is complete; an end-of-bitmap may or may not follow.
            return kOk;
        }
        if (size - pos < 2)
            return kTruncated;
        const int count = data[pos];
        const int value = data[pos + 1];
        pos += 2;
        uint8_t* row = image.Row(height - 1 - line);
        if (count > 0) {
            if (count > width - x)
                return kBadRle;
            for (int i = 0; i < count; ++i) {
                const int v = bits == 8 ? value : ((i & 1) ? value & 15 : value >> 4);
                Put(row, bits, x + i, v);
            }
            x += count;
            continue;
        }
        switch (value) {
        case 0:  // end of line
            x = 0;
            ++line;
            break;
        case 1:  // end of bitmap
            return kOk;
        case 2: {  // delta: move right and up
            if (size - pos < 2)
                return kTruncated;
            const int dx = data[pos];
            const int dy = data[pos + 1];
            pos += 2;
            if (dx > width - x || dy > height - line)
                return kBadRle;
            x += dx;
            line += dy;
            if (line == height && (dx != 0 || x != 0))
                return kBadRle;
            break;
        }
        default: {  // absolute run of `value` pixels, padded to a 16-bit boundary
            const int n = value;
            if (n > width - x)
                return kBadRle;
            const size_t bytes = bits == 8 ? size_t(n) : size_t((n + 1) / 2);
            const size_t padded = (bytes + 1) & ~size_t(1);
            if (size - pos < bytes)
                return kTruncated;
            for (int i = 0; i < n; ++i) {
                const int v = bits == 8 ? data[pos + size_t(i)]
                                        : ((i & 1) ? data[pos + size_t(i / 2)] & 15
                                                   : data[pos + size_t(i / 2)] >> 4);
                Put(row, bits, x + i, v);
            }
            x += n;
            // The pad byte of the last run may be missing in streams cut at
            // the very end; tolerate only that.
            pos = size - pos < padded ? size : pos + padded;
            break;
        }
        }
    }
}

void RleCodec::EncodeRow8(const uint8_t* px, int width, std::vector<uint8_t>& out)
{
    int x = 0;
    while (x < width) {
        int run = 1;
        while (x + run < width && run < 255 && px[x + run] == px[x])
            ++run;
        if (run >= 3 || width - x < 3) {
            out.push_back(uint8_t(run));
            out.push_back(px[x]);
            x += run;
            continue;
        }
        // Collect literals until a run of three starts or 255 are gathered.
        int n = 0;
        while (x + n < width && n < 255) {
            const int k = x + n;
            if (k + 2 < width && px[k] == px[k + 1] && px[k] == px[k + 2])
                break;
            ++n;
        }
        if (n < 3) {
            for (int i = 0; i < n; ++i) {
                out.push_back(1);
                out.push_back(px[x + i]);
            }
        } else {
            out.push_back(0);
            out.push_back(uint8_t(n));
            out.insert(out.end(), px + x, px + x + n);
            if (n & 1)
                out.push_back(0);
        }
        x += n;
    }
}

void RleCodec::EncodeRow4(const uint8_t* px, int width, std::vector<uint8_t>& out)
{
    auto at = [px](int x) { return (x & 1) ? px[x >> 1] & 15 : px[x >> 1] >> 4; };
    int x = 0;
    while (x < width) {
        // An encoded run repeats a pair of nibbles, so a run of alternating
        // values compresses as well as a run of equal ones.
        int run = 1;
        while (x + run < width && run < 255 && at(x + run) == at(x + (run & 1)))
            ++run;
        if (run >= 4 || width - x < 4) {
            const int second = run > 1 ? at(x + 1) : at(x);
            out.push_back(uint8_t(run));
            out.push_back(uint8_t(at(x) << 4 | second));
            x += run;
            continue;
        }
        int n = 0;
        while (x + n < width && n < 252) {
            const int k = x + n;
            if (k + 3 < width && at(k) == at(k + 2) && at(k + 1) == at(k + 3))
                break;
            ++n;
        }
        if (n < 3) {
            for (int i = 0; i < n; ++i) {
                out.push_back(1);
                out.push_back(uint8_t(at(x + i) << 4));
            }
        } else {
            out.push_back(0);
            out.push_back(uint8_t(n));
            const size_t bytes = size_t((n + 1) / 2);
            for (int i = 0; i < n; i += 2) {
                const int lo = i + 1 < n ? at(x + i + 1) : 0;
                out.push_back(uint8_t(at(x + i) << 4 | lo));
            }
            if (bytes & 1)
                out.push_back(0);
        }
        x += n;
    }
}

Status RleCodec::Encode(const Image& image, std::vector<uint8_t>& out)
{
    const int bits = image.BitsPerPixel();
    if (bits != 4 && bits != 8)
        return kInvalidParameter;
    try {
        for (int line = 0; line < image.Height(); ++line) {
            const uint8_t* row = image.Row(image.Height() - 1 - line);
            if (bits == 8)
                EncodeRow8(row, image.Width(), out);
            else
                EncodeRow4(row, image.Width(), out);
            out.push_back(0);
            out.push_back(line + 1 == image.Height() ? 1 : 0);
        }
    } catch (const std::bad_alloc&) {
        return kOutOfMemory;
    }
    return kOk;
}

}  // namespace qrv::img
