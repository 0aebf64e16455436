#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

#include "imaging/BmpFile.h"
#include "imaging/DibFormat.h"
#include "imaging/DibReader.h"
#include "imaging/DibWriter.h"
#include "imaging/PixelMemory.h"

using namespace qrv::img;

namespace {

Image Pattern(int w, int h, int bits)
{
    Image img;
    EXPECT_EQ(img.Create(w, h, bits), kOk);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if (bits <= 8) {
                img.SetIndex(x, y, (x * 7 + y * 3 + (x / 5)) % (1 << bits));
            } else {
                uint8_t *p = img.Row(y) + x * (bits / 8);
                p[0] = uint8_t(x * 13 + y);
                p[1] = uint8_t(y * 29);
                p[2] = uint8_t(x ^ y);
                if (bits == 32)
                    p[3] = uint8_t(x + y);
            }
        }
    if (bits <= 8)
        for (size_t i = 0; i < img.Palette().size(); ++i)
            img.Palette()[i] = Bgra{uint8_t(i * 3), uint8_t(255 - i), uint8_t(i * 17), 0};
    return img;
}

Image RoundTrip(const Image &img, const DibWriteOptions &o)
{
    std::vector<uint8_t> dib;
    EXPECT_EQ(DibWriter::Write(img, dib, o), kOk);
    Image back;
    EXPECT_EQ(DibReader::Read(dib.data(), dib.size(), back), kOk);
    return back;
}

void Set32(std::vector<uint8_t> &v, size_t at, uint32_t x)
{
    for (int k = 0; k < 4; ++k)
        v[at + size_t(k)] = uint8_t(x >> (8 * k));
}

} // namespace

// The core header (12 bytes) knows no top-down rows and no 2- or 32-bit pixels.
TEST(DibCodec, EveryDepthAndHeaderRoundTripsExactly)
{
    for (int bits : {1, 2, 4, 8, 24, 32})
        for (uint32_t header : {12u, 40u, 108u, 124u})
            for (bool topDown : {false, true}) {
                if (header == 12 && (topDown || bits == 2 || bits == 32))
                    continue;
                DibWriteOptions o;
                o.headerSize = header;
                o.topDown = topDown;
                const Image img = Pattern(13, 7, bits);
                EXPECT_EQ(RoundTrip(img, o), img) << bits << " " << header << " " << topDown;
            }
}

TEST(DibCodec, RleRoundTripsAndIsSmallerForRuns)
{
    for (int bits : {4, 8}) {
        DibWriteOptions o;
        o.compression = bits == 8 ? dib::kBiRle8 : dib::kBiRle4;
        Image img = Pattern(37, 11, bits);
        EXPECT_EQ(RoundTrip(img, o), img);
        Image flat;
        ASSERT_EQ(flat.Create(300, 20, bits), kOk);
        std::vector<uint8_t> rle, raw;
        ASSERT_EQ(DibWriter::Write(flat, rle, o), kOk);
        ASSERT_EQ(DibWriter::Write(flat, raw), kOk);
        EXPECT_LT(rle.size() * 4, raw.size());
        EXPECT_EQ(RoundTrip(flat, o), flat);
    }
    // Other writers encode two alternating 4-bit colours as one run, high nibble first.
    Image row;
    ASSERT_EQ(row.Create(5, 1, 4), kOk);
    DibWriteOptions o4;
    o4.compression = dib::kBiRle4;
    std::vector<uint8_t> dib;
    ASSERT_EQ(DibWriter::Write(row, dib, o4), kOk);
    dib.resize(DibWriter::PixelOffset(dib));
    dib.insert(dib.end(), {5, 0x12, 0, 1});
    ASSERT_EQ(DibReader::Read(dib.data(), dib.size(), row), kOk);
    for (int x = 0; x < 5; ++x)
        EXPECT_EQ(x % 2 ? 2 : 1, row.GetIndex(x, 0)) << x;
}

// The 16-bit forms keep the top 5 bits of each channel (6 of green with bit
// fields) and scale them up to the nearest of 0..255, in their rows' order.
TEST(DibCodec, SixteenBitFormsBecomeTwentyFourBits)
{
    // Every 5-bit value in every channel, the second row in the other order.
    auto fives = [](int x, int y) {
        const int k = y == 0 ? x : 31 - x;
        return std::array<int, 3>{k, (k + 11) % 32, (k + 22) % 32};
    };
    auto nearest = [](int v, int max) { return uint8_t(std::lround(v * 255.0 / max)); };
    Image ramp;
    ASSERT_EQ(ramp.Create(32, 2, 24), kOk);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 32; ++x)
            for (int c = 0; c < 3; ++c)
                ramp.Row(y)[3 * x + c] = uint8_t(fives(x, y)[size_t(c)] << 3 | 7);
    for (uint32_t compression : {dib::kBiRgb, dib::kBiBitfields}) {
        DibWriteOptions o;
        o.bitCount = 16;
        o.compression = compression;
        const Image back = RoundTrip(ramp, o);
        ASSERT_EQ(back.BitsPerPixel(), 24);
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 32; ++x) {
                const std::array<int, 3> f = fives(x, y);
                const uint8_t green =
                    compression == dib::kBiRgb ? nearest(f[1], 31) : nearest(2 * f[1] + 1, 63);
                EXPECT_EQ(back.GetColor(x, y), (Bgra{nearest(f[0], 31), green, nearest(f[2], 31), 0}))
                    << compression << " at " << x << "," << y;
            }
    }
}

TEST(DibCodec, ShortColourTableUsesClrUsed)
{
    Image img = Pattern(8, 3, 8);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 8; ++x)
            img.SetIndex(x, y, (x + y) % 5);
    img.Palette().resize(5);
    std::vector<uint8_t> dib;
    ASSERT_EQ(DibWriter::Write(img, dib), kOk);
    EXPECT_EQ(dib.size(), 40u + 5 * 4 + 8 * 3);
    Image back;
    ASSERT_EQ(DibReader::Read(dib.data(), dib.size(), back), kOk);
    EXPECT_EQ(back, img);
    DibWriteOptions full;
    full.fullColorTable = true;
    ASSERT_EQ(DibWriter::Write(img, dib, full), kOk);
    EXPECT_EQ(dib.size(), 40u + 256 * 4 + 8 * 3);
}

TEST(DibCodec, MalformedInputIsRejected)
{
    const Image img = Pattern(16, 16, 8);
    std::vector<uint8_t> good;
    ASSERT_EQ(DibWriter::Write(img, good), kOk);
    Image out;
    // Truncated anywhere.
    for (size_t n : {size_t(0), size_t(3), size_t(20), size_t(40), size_t(500), good.size() - 1}) {
        EXPECT_NE(DibReader::Read(good.data(), n, out), kOk) << n;
    }
    auto bad = [&](size_t at, uint32_t value) {
        std::vector<uint8_t> v = good;
        Set32(v, at, value);
        return DibReader::Read(v.data(), v.size(), out);
    };
    EXPECT_EQ(bad(4, 0x7FFFFFFF), kTooLarge);  // absurd width
    EXPECT_EQ(bad(8, 0x80000000), kBadHeader); // height INT_MIN
    EXPECT_EQ(bad(4, 40000), kTooLarge);
    EXPECT_EQ(bad(32, 0xFFFFFFFF), kTruncated); // colour table beyond the data
    EXPECT_EQ(bad(16, 9), kUnsupported);        // unknown compression
    EXPECT_EQ(bad(0, 41), kUnsupported);        // unknown header size
    EXPECT_EQ(bad(0, 8), kBadHeader);
    // Width and height that multiply past the cap without either being huge.
    std::vector<uint8_t> v = good;
    Set32(v, 4, 30000);
    Set32(v, 8, 30000);
    EXPECT_EQ(DibReader::Read(v.data(), v.size(), out), kTooLarge);
    // Pixel index beyond a 5-entry table.
    v = good;
    Set32(v, 32, 5);
    v.erase(v.begin() + 40 + 20, v.begin() + 40 + 1024);
    EXPECT_EQ(DibReader::Read(v.data(), v.size(), out), kBadPaletteIndex);
    // Bit fields that overlap.
    Image tc = Pattern(4, 4, 24);
    DibWriteOptions o;
    o.bitCount = 32;
    o.compression = dib::kBiBitfields;
    ASSERT_EQ(DibWriter::Write(tc, v, o), kOk);
    Set32(v, 44, 0x00FFFF00);
    EXPECT_EQ(DibReader::Read(v.data(), v.size(), out), kBadHeader);
    EXPECT_TRUE(out.Empty()); // never partly filled
}

TEST(DibCodec, BadRleRunsAreRejected)
{
    Image img;
    ASSERT_EQ(img.Create(4, 2, 8), kOk);
    img.Palette().resize(4);
    DibWriteOptions o;
    o.compression = dib::kBiRle8;
    std::vector<uint8_t> dib;
    ASSERT_EQ(DibWriter::Write(img, dib, o), kOk);
    const size_t at = DibWriter::PixelOffset(dib);
    auto withStream = [&](std::vector<uint8_t> stream) {
        std::vector<uint8_t> v(dib.begin(), dib.begin() + ptrdiff_t(at));
        v.insert(v.end(), stream.begin(), stream.end());
        Image out;
        return DibReader::Read(v.data(), v.size(), out);
    };
    EXPECT_EQ(withStream({4, 1, 0, 0, 4, 2, 0, 1}), kOk);
    EXPECT_EQ(withStream({5, 1, 0, 1}), kBadRle);             // run past the row
    EXPECT_EQ(withStream({0, 2, 1, 5, 0, 1}), kBadRle);       // delta above the top
    EXPECT_EQ(withStream({0, 3, 1, 2}), kTruncated);          // absolute run cut off
    EXPECT_EQ(withStream({0, 5, 1, 2, 3, 4, 5, 0}), kBadRle); // absolute run too long
    EXPECT_EQ(withStream({2, 1}), kTruncated);                // no end
    EXPECT_EQ(withStream({4, 9, 0, 1}), kBadPaletteIndex);    // index 9 of a 4-entry table
}

TEST(BmpFile, EncodeDecodeAndFileHeaderChecks)
{
    const Image img = Pattern(21, 6, 4);
    std::vector<uint8_t> bmp;
    ASSERT_EQ(BmpFile::Encode(img, bmp), kOk);
    EXPECT_EQ(bmp[0], 'B');
    EXPECT_EQ(bmp.size(), size_t(bmp[2] | bmp[3] << 8));
    Image back;
    ASSERT_EQ(BmpFile::Decode(bmp.data(), bmp.size(), back), kOk);
    EXPECT_EQ(back, img);
    std::vector<uint8_t> v = bmp;
    v[0] = 'X';
    EXPECT_EQ(BmpFile::Decode(v.data(), v.size(), back), kBadHeader);
    v = bmp;
    Set32(v, 10, uint32_t(v.size() + 1));
    EXPECT_EQ(BmpFile::Decode(v.data(), v.size(), back), kTruncated);
    v = bmp;
    Set32(v, 10, 20); // pixels inside the header
    EXPECT_EQ(BmpFile::Decode(v.data(), v.size(), back), kBadHeader);

    const std::string path = ::testing::TempDir() + "qrv_imaging_test.bmp";
    ASSERT_EQ(BmpFile::Save(path, img), kOk);
    ASSERT_EQ(BmpFile::Load(path, back), kOk);
    EXPECT_EQ(back, img);
    std::remove(path.c_str());
    EXPECT_EQ(BmpFile::Load(path, back), kIoError);
}

// Rows of a dropped image serve the next image they fit without wasting half
// of themselves, and what is kept for that stays within its bound.
TEST(PixelMemory, DroppedRowsServeTheNextImageOfTheirSizeWithinTheBound)
{
    using qrv::img::Image;
    using qrv::img::PixelMemory;
    const uint8_t *rows = nullptr;
    {
        Image a;
        ASSERT_EQ(a.Create(1000, 1000, 24), qrv::img::kOk);
        rows = a.Data();
        std::fill(a.Data(), a.Data() + a.Stride() * 1000, uint8_t(0xFF));
    }
    Image small;
    ASSERT_EQ(small.Create(1000, 400, 24), qrv::img::kOk);
    EXPECT_NE(small.Data(), rows) << "a block more than twice the size asked for";
    Image same;
    ASSERT_EQ(same.Create(1000, 999, 24), qrv::img::kOk);
    EXPECT_EQ(same.Data(), rows);
    EXPECT_TRUE(
        std::all_of(same.Data(), same.Data() + same.Stride() * 999, [](uint8_t v) { return v == 0; }));
    std::vector<Image> many(24);
    for (Image &img : many)
        ASSERT_EQ(img.Create(1024, 1024, 24), qrv::img::kOk);
    [[maybe_unused]] const volatile uint8_t *stale = many.back().Data();
    many.clear();
    EXPECT_GT(PixelMemory::KeptBytes(), size_t(3) << 20);
    EXPECT_LE(PixelMemory::KeptBytes(), PixelMemory::kKeptBytes);
#if defined(__SANITIZE_ADDRESS__)
    // Kept rows are poisoned: a stale pointer into them is reported, not read.
    EXPECT_DEATH(std::printf("%d", *stale), "use-after-poison");
#endif
}
