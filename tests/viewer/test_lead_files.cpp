// The imaging control's files: decoding of every format from files the test
// writes, the Info... properties, metafiles at two resolutions, and damaged
// files of every format, which answer an error and keep the image held.
#include <gtest/gtest.h>
#include <wincodec.h>
#include <cstdlib>
#include <cstring>
#include <functional>
#include "imaging/BmpFile.h"
#include "tests/support/TestApp.h"
#include "tests/viewer/ViewerTestSupport.h"
#include "viewer/Lead.h"

using namespace viewertest;

namespace {

class LeadFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dir = qrvtest::FreshTempFolder("lead_files") + "\\";
        ASSERT_TRUE(m_lead.Create("", WS_CHILD, CRect(0, 0, 10, 10), &m_host, 1));
    }
    std::string Path(const char *name) const { return m_dir + name; }
    int Difference(const Image &want) { return MaxDifference(m_lead.GetImage(), want); }
    std::string m_dir;
    HostWindow m_host{64, 64};
    CLead m_lead;
};

// The tolerance: JPEG is lossy; the resolution as read back: GIF has none of its own.
struct WicCase {
    const char *name;
    GUID container;
    short format;
    bool indexed;
    int tolerance;
    long dpi;
};

const WicCase kWicCases[] = {
    {"a.png", GUID_ContainerFormatPng, CLead::fmtPng, false, 0, 150},
    {"p.png", GUID_ContainerFormatPng, CLead::fmtPng, true, 0, 150},
    {"a.jpg", GUID_ContainerFormatJpeg, CLead::fmtJpeg, false, 24, 150},
    {"a.gif", GUID_ContainerFormatGif, CLead::fmtGif, true, 0, 96},
    {"a.tif", GUID_ContainerFormatTiff, CLead::fmtTif, false, 0, 150},
    {"p.tif", GUID_ContainerFormatTiff, CLead::fmtTif, true, 0, 150},
    {"a.bmp", GUID_ContainerFormatBmp, CLead::fmtBmp, false, 0, 150},
    {"p.bmp", GUID_ContainerFormatBmp, CLead::fmtBmp, true, 0, 150},
};

} // namespace

TEST_F(LeadFiles, DecodesEveryRasterFormatWithItsInfo)
{
    for (const WicCase &c : kWicCases) {
        SCOPED_TRACE(c.name);
        const Image want = c.indexed ? IndexedImage(37, 21) : GradientImage(37, 21);
        ASSERT_TRUE(WriteWicFile(Path(c.name), c.container, want, 150.0));
        EXPECT_EQ(0, m_lead.GetFileInfo(Path(c.name).c_str(), 0, 0));
        EXPECT_EQ(c.format, m_lead.GetInfoFormat());
        EXPECT_EQ(37.f, m_lead.GetInfoWidth());
        EXPECT_EQ(21.f, m_lead.GetInfoHeight());
        EXPECT_EQ(c.dpi, m_lead.GetInfoXRes());
        EXPECT_EQ(c.dpi, m_lead.GetInfoYRes());
        EXPECT_EQ(c.indexed ? 8 : 24, m_lead.GetInfoBits());
        EXPECT_EQ(0.f, m_lead.GetSrcWidth()) << "GetFileInfo loads nothing";
        ASSERT_EQ(0, m_lead.Load(Path(c.name).c_str(), 0, 1, 1));
        EXPECT_EQ(37.f, m_lead.GetSrcWidth());
        EXPECT_EQ(21.f, m_lead.GetSrcHeight());
        EXPECT_LE(Difference(want), c.tolerance);
        if (c.indexed) {
            EXPECT_EQ(8, m_lead.GetBitmapBits());
        }
        if (c.tolerance == 0) {
            EXPECT_EQ(want.ColorCount(), m_lead.GetColorCount());
        }
        m_lead.SetBitmap(nullptr);
        EXPECT_EQ(0.f, m_lead.GetSrcWidth());
    }
}

TEST_F(LeadFiles, LoadConvertsToTheBitsAskedAndMissingFilesAnswerAnError)
{
    ASSERT_TRUE(WriteWicFile(Path("p.png"), GUID_ContainerFormatPng, IndexedImage(20, 10), 96));
    ASSERT_EQ(0, m_lead.Load(Path("p.png").c_str(), 24, 1, 1));
    EXPECT_EQ(24, m_lead.GetBitmapBits());
    EXPECT_EQ(0, Difference(IndexedImage(20, 10)));
    ASSERT_EQ(0, m_lead.Load(Path("p.png").c_str(), 4, 1, 1));
    EXPECT_EQ(4, m_lead.GetBitmapBits());
    EXPECT_EQ(0, Difference(IndexedImage(20, 10)));
    EXPECT_EQ(CLead::errInvalidParameter, m_lead.Load(Path("p.png").c_str(), 7, 1, 1));
    EXPECT_EQ(CLead::errInvalidParameter, m_lead.Load(Path("p.png").c_str(), 0, -1, 1));
    EXPECT_EQ(CLead::errInvalidParameter, m_lead.Load(Path("p.png").c_str(), 0, 1, -1));
    // A page beyond the file's one, in a frame container and in a BMP.
    ASSERT_EQ(qrv::img::kOk, qrv::img::BmpFile::Save(Path("a.bmp"), GradientImage(4, 3)));
    EXPECT_EQ(CLead::errInvalidParameter, m_lead.Load(Path("p.png").c_str(), 0, 2, 1));
    EXPECT_EQ(CLead::errInvalidParameter, m_lead.Load(Path("a.bmp").c_str(), 0, 2, 1));
    EXPECT_EQ(4, m_lead.GetBitmapBits()) << "the image loaded before stays";
    // Missing files, no name and a folder.
    EXPECT_EQ(CLead::errFileNotFound, m_lead.Load(Path("none.bmp").c_str(), 0, 1, 1));
    EXPECT_EQ(CLead::errFileNotFound, m_lead.GetFileInfo(Path("none.bmp").c_str(), 0, 0));
    EXPECT_EQ(CLead::errInvalidParameter, m_lead.Load("", 0, 1, 1));
    EXPECT_NE(0, m_lead.Load(m_dir.c_str(), 0, 1, 1));
}

TEST_F(LeadFiles, MetafilesAreRasterisedAtTheWmfResolution)
{
    ASSERT_TRUE(WriteEmfFile(Path("a.emf")));
    ASSERT_TRUE(WritePlaceableWmfFile(Path("a.wmf")));
    struct {
        const char *name;
        short format;
    } files[] = {{"a.emf", CLead::fmtEmf}, {"a.wmf", CLead::fmtWmf}};
    for (const auto &f : files) {
        SCOPED_TRACE(f.name);
        for (long dpi : {0L, 192L}) {
            m_lead.SetWMFResolution(dpi);
            const int w = dpi ? 192 : 96, h = w / 2;
            ASSERT_EQ(0, m_lead.GetFileInfo(Path(f.name).c_str(), 0, 0));
            EXPECT_EQ(f.format, m_lead.GetInfoFormat());
            EXPECT_EQ(float(w), m_lead.GetInfoWidth());
            EXPECT_EQ(float(h), m_lead.GetInfoHeight());
            EXPECT_EQ(dpi ? dpi : 96, m_lead.GetInfoXRes());
            ASSERT_EQ(0, m_lead.Load(Path(f.name).c_str(), 0, 1, 1));
            ASSERT_EQ(float(w), m_lead.GetSrcWidth());
            ASSERT_EQ(float(h), m_lead.GetSrcHeight());
            const Image &img = m_lead.GetImage();
            // The left half is red, the right half the white page.
            for (int x : {2, w / 4, w / 2 - 3})
                EXPECT_EQ((qrv::img::Bgra{0, 0, 255, 0}), img.GetColor(x, h / 2)) << x;
            for (int x : {w / 2 + 3, 3 * w / 4, w - 2})
                EXPECT_EQ((qrv::img::Bgra{255, 255, 255, 0}), img.GetColor(x, h / 2)) << x;
        }
    }
    m_lead.SetWMFResolution(0);
    EXPECT_EQ(0, m_lead.GetWMFResolution());
}

namespace {

// Byte surgery on valid files: each returns the damaged bytes.
using Damage = std::function<std::vector<uint8_t>(std::vector<uint8_t>)>;

void Put16(std::vector<uint8_t> &b, size_t at, uint16_t v, bool bigEndian = false)
{
    b[at] = uint8_t(bigEndian ? v >> 8 : v);
    b[at + 1] = uint8_t(bigEndian ? v : v >> 8);
}

void Put32(std::vector<uint8_t> &b, size_t at, uint32_t v, bool bigEndian = false)
{
    for (int i = 0; i < 4; ++i)
        b[at + size_t(i)] = uint8_t(v >> (bigEndian ? 24 - 8 * i : 8 * i));
}

// The bytes with a 16- or 32-bit field set.
std::vector<uint8_t> With16(std::vector<uint8_t> b, size_t at, uint16_t v)
{
    return Put16(b, at, v), b;
}
std::vector<uint8_t> With32(std::vector<uint8_t> b, size_t at, uint32_t v)
{
    return Put32(b, at, v), b;
}

// The CRC of PNG chunks.
uint32_t Crc32(const uint8_t *data, size_t size)
{
    uint32_t c = 0xFFFFFFFFu;
    for (size_t i = 0; i < size; ++i) {
        c ^= data[i];
        for (int k = 0; k < 8; ++k)
            c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1)));
    }
    return c ^ 0xFFFFFFFFu;
}

// Each format's declared size made far too large (BMP, WMF and EMF: in the table).
std::vector<uint8_t> HugePng(std::vector<uint8_t> b)
{
    // IHDR is the first chunk: width and height, then its CRC made right again.
    Put32(b, 16, 100000, true), Put32(b, 20, 100000, true);
    Put32(b, 29, Crc32(b.data() + 12, 17), true);
    return b;
}

std::vector<uint8_t> HugeJpeg(std::vector<uint8_t> b)
{
    for (size_t i = 2; i + 9 < b.size(); ++i)
        if (b[i] == 0xFF && (b[i + 1] == 0xC0 || b[i + 1] == 0xC1 || b[i + 1] == 0xC2)) {
            Put16(b, i + 5, 65000, true), Put16(b, i + 7, 65000, true);
            break;
        }
    return b;
}

std::vector<uint8_t> HugeGif(std::vector<uint8_t> b)
{
    Put16(b, 6, 65000), Put16(b, 8, 65000);
    size_t i = 13 + ((b[10] & 0x80) ? size_t(3) << ((b[10] & 7) + 1) : 0);
    while (i < b.size() && b[i] == 0x21) { // extensions: label, sub-blocks
        for (i += 2; i < b.size() && b[i];)
            i += size_t(b[i]) + 1;
        ++i;
    }
    if (i + 9 < b.size() && b[i] == 0x2C)
        Put16(b, i + 5, 65000), Put16(b, i + 7, 65000);
    return b;
}

std::vector<uint8_t> HugeTiff(std::vector<uint8_t> b)
{
    const bool be = b[0] == 'M';
    auto get16 = [&](size_t at) {
        return be ? uint16_t(b[at] << 8 | b[at + 1]) : uint16_t(b[at] | b[at + 1] << 8);
    };
    const size_t ifd = be ? size_t(get16(4)) << 16 | get16(6) : get16(4) | size_t(get16(6)) << 16;
    for (uint16_t k = 0; k < get16(ifd); ++k) {
        const size_t e = ifd + 2 + size_t(k) * 12;
        if (get16(e) == 256 || get16(e) == 257) // width, length
            get16(e + 2) == 3 ? Put16(b, e + 8, 65000, be) : Put32(b, e + 8, 100000, be);
    }
    return b;
}

} // namespace

TEST_F(LeadFiles, DamagedFilesOfEveryFormatKeepThePreviousImage)
{
    ASSERT_TRUE(WriteWicFile(Path("a.png"), GUID_ContainerFormatPng, GradientImage(64, 48), 96));
    ASSERT_TRUE(WriteWicFile(Path("a.jpg"), GUID_ContainerFormatJpeg, GradientImage(64, 48), 96));
    ASSERT_TRUE(WriteWicFile(Path("a.gif"), GUID_ContainerFormatGif, IndexedImage(64, 48), 96));
    ASSERT_TRUE(WriteWicFile(Path("a.tif"), GUID_ContainerFormatTiff, GradientImage(64, 48), 96));
    ASSERT_EQ(qrv::img::kOk, qrv::img::BmpFile::Save(Path("a.bmp"), GradientImage(64, 48)));
    ASSERT_TRUE(WritePlaceableWmfFile(Path("a.wmf")));
    ASSERT_TRUE(WriteEmfFile(Path("a.emf")));
    const Image previous = IndexedImage(11, 7);
    HGLOBAL hDib = MakeDib(previous);
    ASSERT_EQ(0, m_lead.SetDIB(hDib));
    ::GlobalFree(hDib);
    struct {
        const char *name;
        Damage huge;
    } formats[] = {
        {"a.bmp", [](std::vector<uint8_t> b) { return With32(With32(b, 18, 100000), 22, 100000); }},
        {"a.png", HugePng},
        {"a.jpg", HugeJpeg},
        {"a.gif", HugeGif},
        {"a.tif", HugeTiff},
        // The box from -32768 to 32767 at one unit per inch; the frame's right and bottom at their most.
        {"a.wmf",
         [](std::vector<uint8_t> b) { return With16(With16(With16(b, 6, 0x8000), 10, 0x7FFF), 14, 1); }},
        {"a.emf", [](std::vector<uint8_t> b) { return With32(With32(b, 32, 0x7FFFFFFF), 36, 0x7FFFFFFF); }},
    };
    struct {
        const char *name;
        Damage damage;
    } damages[] = {
        {"empty", [](std::vector<uint8_t>) { return std::vector<uint8_t>(); }},
        {"truncated",
         [](std::vector<uint8_t> b) {
             b.resize(b.size() / 2);
             return b;
         }},
        {"wrong magic",
         [](std::vector<uint8_t> b) {
             std::memcpy(b.data(), "XYZ[", 4);
             return b;
         }},
    };
    for (const auto &f : formats) {
        const std::vector<uint8_t> good = ReadBytes(Path(f.name));
        ASSERT_GT(good.size(), 40u) << f.name;
        // The valid file loads, so what fails below fails for its damage.
        CLead probe;
        ASSERT_EQ(0, probe.Load(Path(f.name).c_str(), 0, 1, 1)) << f.name;
        std::vector<std::pair<std::string, std::vector<uint8_t>>> bad;
        for (const auto &d : damages)
            bad.emplace_back(d.name, d.damage(good));
        bad.emplace_back("huge", f.huge(good));
        for (const auto &b : bad) {
            SCOPED_TRACE(std::string(f.name) + ", " + b.first);
            const std::string path = Path("bad") + "_" + f.name;
            ASSERT_TRUE(WriteBytes(path, b.second));
            EXPECT_NE(0, m_lead.Load(path.c_str(), 0, 1, 1));
            EXPECT_TRUE(m_lead.GetImage() == previous);
            if (b.first == "huge") {
                // Every format's declared size is checked before decoding.
                EXPECT_EQ(CLead::errTooLarge, m_lead.Load(path.c_str(), 0, 1, 1));
                EXPECT_EQ(CLead::errTooLarge, m_lead.GetFileInfo(path.c_str(), 0, 0));
            }
        }
    }
}

// Metafile headers out of shape: the placeable header's box and units, the
// metafile header's type, size and length, the enhanced header's sizes and
// frame. Each answers its error and the held image stays.
TEST_F(LeadFiles, MetafileHeadersOutOfShapeAreRefused)
{
    ASSERT_TRUE(WritePlaceableWmfFile(Path("a.wmf")));
    ASSERT_TRUE(WriteEmfFile(Path("a.emf")));
    const std::vector<uint8_t> wmf = ReadBytes(Path("a.wmf")), emf = ReadBytes(Path("a.emf"));
    auto cut = [](std::vector<uint8_t> b, size_t n) { return b.resize(n), b; };
    const struct {
        const char *what;
        std::vector<uint8_t> bytes;
        const char *ext;
        short error;
    } cases[] = {
        {"no units per inch", With16(wmf, 14, 0), "wmf", CLead::errBadHeader},
        {"box without width", With16(wmf, 10, 0), "wmf", CLead::errBadHeader},
        {"box without height", With16(wmf, 12, 0), "wmf", CLead::errBadHeader},
        {"metafile type 3", With16(wmf, 22, 3), "wmf", CLead::errBadHeader},
        {"header of 8 words", With16(wmf, 24, 8), "wmf", CLead::errBadHeader},
        {"length below the header", With32(wmf, 28, 4), "wmf", CLead::errBadHeader},
        {"length beyond the file", With32(wmf, 28, 0x100000), "wmf", CLead::errTruncated},
        {"placeable header only", cut(wmf, 30), "wmf", CLead::errTruncated},
        {"header size below 88", With32(emf, 4, 80), "emf", CLead::errBadHeader},
        {"header larger than the file it says", With32(emf, 4, 0x10000), "emf", CLead::errBadHeader},
        {"frame without width", With32(emf, 32, 0x80000000), "emf", CLead::errBadHeader},
        {"frame without height", With32(emf, 36, 0x80000000), "emf", CLead::errBadHeader},
        {"length beyond the file", With32(emf, 48, 0x7FFFFFF0), "emf", CLead::errTruncated},
        {"cut inside the header", cut(emf, 60), "emf", CLead::errTruncated},
        {"three bytes", cut(emf, 3), "emf", CLead::errUnknownFormat},
    };
    ASSERT_EQ(0, m_lead.Load(Path("a.wmf").c_str(), 0, 1, 1));
    const Image previous = m_lead.GetImage();
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const std::string path = Path("bad.") + c.ext;
        ASSERT_TRUE(WriteBytes(path, c.bytes));
        EXPECT_EQ(c.error, m_lead.Load(path.c_str(), 0, 1, 1));
        EXPECT_EQ(c.error, m_lead.GetFileInfo(path.c_str(), 0, 0));
        EXPECT_TRUE(m_lead.GetImage() == previous);
    }
}

// The headers alone give a file's facts: a BMP core header, a top-down one
// without a resolution (the screen's 96 dpi). A BMP header of another size
// or cut short, a GIF cut inside its screen or its image descriptor and a
// JPEG cut inside its frame header are refused before any decoding.
TEST_F(LeadFiles, HeadersGiveTheFactsOrAreRefused)
{
    auto bmp = [](uint32_t header, uint32_t w, uint32_t h, size_t size) {
        std::vector<uint8_t> b(size);
        b[0] = 'B', b[1] = 'M';
        Put32(b, 14, header);
        if (header == 12)
            Put16(b, 18, uint16_t(w)), Put16(b, 20, uint16_t(h)), Put16(b, 24, 8);
        else if (size >= 54)
            Put32(b, 18, w), Put32(b, 22, h), Put16(b, 28, 24);
        return b;
    };
    const std::string gif = std::string("GIF89a\x05\0\x03\0\0\0\0", 13);
    auto bytes = [](const std::string &text) { return std::vector<uint8_t>(text.begin(), text.end()); };
    const struct {
        const char *what;
        std::vector<uint8_t> bytes;
        short result;
        int w, h, bits;
    } cases[] = {
        {"core header", bmp(12, 7, 5, 26), 0, 7, 5, 8},
        {"top-down without resolution", bmp(40, 9, uint32_t(-3), 54), 0, 9, 3, 24},
        {"header of 30 bytes", bmp(30, 9, 3, 54), CLead::errBadHeader, 0, 0, 0},
        {"info header cut short", bmp(40, 9, 3, 40), CLead::errTruncated, 0, 0, 0},
        {"file header only", bmp(40, 9, 3, 20), CLead::errTruncated, 0, 0, 0},
        {"GIF cut in its screen", bytes(gif.substr(0, 10)), CLead::errTruncated, 0, 0, 0},
        {"GIF cut in its image", bytes(gif + "\x2C\0\0\0"), CLead::errTruncated, 0, 0, 0},
        {"JPEG cut in its frame header", bytes(std::string("\xFF\xD8\xFF\xC0\0\x11\x08\0", 8)),
         CLead::errTruncated, 0, 0, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(WriteBytes(Path("h.bin"), c.bytes));
        ASSERT_EQ(c.result, m_lead.GetFileInfo(Path("h.bin").c_str(), 0, 0));
        if (c.result == 0) {
            EXPECT_EQ((std::vector<long>{c.w, c.h, c.bits, 96}),
                      (std::vector<long>{long(m_lead.GetInfoWidth()), long(m_lead.GetInfoHeight()),
                                         m_lead.GetInfoBits(), m_lead.GetInfoXRes()}));
        }
    }
}

// Metafile playback trusts the offsets and object indices inside the records:
// a record pointing outside itself or at a slot the header does not count is
// refused before playing, and the held picture stays.
TEST_F(LeadFiles, MetafileRecordsPointingOutsideAreRefused)
{
    ASSERT_TRUE(WriteEmfFile(Path("a.emf")));
    ASSERT_TRUE(WriteWicFile(Path("p.png"), GUID_ContainerFormatPng, GradientImage(5, 4), 96));
    ASSERT_EQ(0, m_lead.Load(Path("p.png").c_str(), 0, 1, 1));
    const Image previous = m_lead.GetImage();
    const std::vector<uint8_t> good = ReadBytes(Path("a.emf"));
    // Each record's type and size, to find the fields to damage.
    auto damaged = [&](uint32_t type, size_t at, uint32_t value) {
        std::vector<uint8_t> bytes = good;
        for (size_t r = 0; r + 8 <= bytes.size();) {
            uint32_t t, size;
            std::memcpy(&t, &bytes[r], 4);
            std::memcpy(&size, &bytes[r + 4], 4);
            if (t == type) {
                std::memcpy(&bytes[r + at], &value, 4);
                return bytes;
            }
            if (size < 8)
                break;
            r += size;
        }
        return std::vector<uint8_t>();
    };
    struct {
        const char *what;
        uint32_t type;
        size_t at;
        uint32_t value;
    } cases[] = {
        {"deleted object beyond the table", 40, 8, 0x08000001},
        {"created object beyond the table", 39, 8, 5000},
        {"selected object beyond the table", 37, 8, 77},
        {"bitmap header far outside the record", 76, 84, 0x04000000},
        {"bitmap size beyond the record", 76, 88, 0x7FFFFFF0},
        {"bitmap header size below 40", 76, 88, 20},
        {"stock object deleted", 40, 8, 0x80000001},
        {"slot 0 selected", 37, 8, 0},
        {"record size not a multiple of four", 37, 4, 10},
        {"record size below eight", 37, 4, 4},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const std::vector<uint8_t> bytes = damaged(c.type, c.at, c.value);
        ASSERT_FALSE(bytes.empty());
        ASSERT_TRUE(WriteBytes(Path("bad.emf"), bytes));
        EXPECT_EQ(CLead::errCorrupt, m_lead.Load(Path("bad.emf").c_str(), 0, 1, 1));
        EXPECT_TRUE(m_lead.GetImage() == previous);
    }
}

namespace {

// The placeable metafile with records of 16-bit words put before its end
// record, the size in the header counted again.
std::vector<uint8_t> WithRecords(std::vector<uint8_t> b, const std::vector<uint16_t> &words)
{
    const size_t meta = 22;
    std::vector<uint8_t> bytes;
    for (uint16_t w : words)
        bytes.insert(bytes.end(), {uint8_t(w), uint8_t(w >> 8)});
    b.insert(b.end() - 6, bytes.begin(), bytes.end());
    Put32(b, meta + 6, uint32_t((b.size() - meta) / 2));
    return b;
}

// A record of the function with these parameters, its size in front.
std::vector<uint16_t> Rec(uint16_t function, std::vector<uint16_t> parms)
{
    const uint32_t size = uint32_t(parms.size() + 3);
    parms.insert(parms.begin(), {uint16_t(size), uint16_t(size >> 16), function});
    return parms;
}

} // namespace

// Windows metafile playback reads the points, texts and bitmaps a record
// counts and the object table slots it names without checking them: such
// records are refused before playing and the held picture stays; the same
// records within bounds still play.
TEST_F(LeadFiles, WmfRecordsPointingOutsideAreRefused)
{
    ASSERT_TRUE(WritePlaceableWmfFile(Path("a.wmf")));
    ASSERT_TRUE(WriteWicFile(Path("p.png"), GUID_ContainerFormatPng, GradientImage(5, 4), 96));
    const std::vector<uint8_t> good = ReadBytes(Path("a.wmf"));
    // The picture with one record of the function and parameters before its end.
    auto with = [&](uint16_t function, std::vector<uint16_t> parms) {
        return WithRecords(good, Rec(function, parms));
    };
    const uint16_t slots = uint16_t(good[22 + 10] | good[22 + 11] << 8);
    const std::vector<uint16_t> brush = Rec(0x02FC, {0, 0xFF, 0, 0});
    std::vector<uint16_t> tooManyObjects, deleteAndCreate = Rec(0x01F0, {0});
    for (int i = 0; i <= slots; ++i)
        tooManyObjects.insert(tooManyObjects.end(), brush.begin(), brush.end());
    deleteAndCreate.insert(deleteAndCreate.end(), brush.begin(), brush.end());
    // A 24-bit DIB of 4 x 4 pixels needs 48 bytes after its header.
    std::vector<uint16_t> dib = {40, 0, 4, 0, 4, 0, 1, 24, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    std::vector<uint16_t> stretchDib = {0x20, 0xCC, 0, 4, 4, 0, 0, 4, 4, 0, 0};
    stretchDib.insert(stretchDib.end(), dib.begin(), dib.end());
    std::vector<uint16_t> fullDib = stretchDib;
    fullDib.resize(fullDib.size() + 24, 0x1234);
    std::vector<uint16_t> coreDib = fullDib;
    coreDib[11] = 12; // a header of 12 bytes
    const std::vector<uint16_t> zeros9(9), zeros10(10);
    std::vector<uint8_t> sizeBeyondEnd = with(0x041B, {10, 10, 0, 0});
    Put32(sizeBeyondEnd, sizeBeyondEnd.size() - 20, 0x7FFF);
    std::vector<uint8_t> sizeTooSmall = sizeBeyondEnd;
    Put32(sizeTooSmall, sizeTooSmall.size() - 20, 2);
    std::vector<uint8_t> noEnd = good;
    Put16(noEnd, noEnd.size() - 2, 0x001E); // the end record made a SaveDC
    struct {
        const char *what;
        std::vector<uint8_t> bytes;
        bool loads;
    } cases[] = {
        {"deleted object beyond the table", with(0x01F0, {5000}), false},
        {"selected object just beyond the table", with(0x012D, {slots}), false},
        {"region filled with a brush beyond the table", with(0x0228, {0, 900}), false},
        {"more objects created than the table holds", WithRecords(good, tooManyObjects), false},
        {"polygon counting points beyond the record", with(0x0324, {30000, 1, 1, 5, 5}), false},
        {"text longer than the record", with(0x0521, {200, 0x4141, 5, 5}), false},
        {"bitmap pixels beyond the record", with(0x0F43, stretchDib), false},
        {"record size beyond the file's end", sizeBeyondEnd, false},
        {"record size below three words", sizeTooSmall, false},
        {"no end record", noEnd, false},
        {"polygon within its record", with(0x0324, {2, 1, 1, 5, 5}), true},
        {"bitmap within its record", with(0x0F43, fullDib), true},
        {"object deleted and its slot used again", WithRecords(good, deleteAndCreate), true},
        {"polypolygon within its record", with(0x0538, {1, 2, 0, 0, 5, 5}), true},
        {"clip region of none", with(0x012C, {0}), true},
        {"polyline counting points beyond the record", with(0x0325, {30000, 1, 1}), false},
        {"polypolygon with a negative count", with(0x0538, {1, 0xFFFF, 0, 0}), false},
        {"polypolygon counting points beyond", with(0x0538, {2, 3, 3, 0, 0, 1, 1}), false},
        {"polypolygon's counts beyond the record", with(0x0538, {40, 1}), false},
        {"pattern brush of a DIB cut short", with(0x01F9, {5, 0}), false},
        {"pattern brush of a bitmap cut short", with(0x01F9, {3, 0}), false},
        {"font without its face name", with(0x02FB, {0, 0, 0, 0, 0, 0, 0, 0}), false},
        {"palette counting entries beyond", with(0x00F7, {0x300, 100}), false},
        {"escape longer than the record", with(0x0626, {15, 200}), false},
        {"clipped text, its rectangle beyond", with(0x0A32, {0, 0, 2, 4, 0x4141}), false},
        {"text of negative length", with(0x0521, {0x8000, 0x4141, 5, 5}), false},
        {"DIB stretch-blit without its bitmap", with(0x0B41, zeros10), false},
        {"DIB blit with its bitmap cut short", with(0x0940, zeros10), false},
        {"DIB to device without its bitmap", with(0x0D33, zeros9), false},
        {"DIB pattern brush without its bitmap", with(0x0142, {5, 0}), false},
        {"stretched DIB with a core header", with(0x0F43, coreDib), false},
        {"stretch-blit bitmap beyond the record",
         with(0x0B23, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 100, 100, 0, 1, 24}), false},
        {"blit bitmap beyond the record", with(0x0922, {0, 0, 0, 0, 0, 0, 0, 100, 100, 0, 1, 24}), false},
        {"region without its header", with(0x06FF, {0, 0, 0}), false},
        {"region counting bands beyond", with(0x06FF, {0, 0, 0, 0, 0, 3, 0, 0, 0, 0, 0}), false},
        {"clip region beyond the table", with(0x012C, {slots}), false},
        {"palette selected beyond the table", with(0x0234, {0, 900}), false},
        {"region framed with a brush beyond", with(0x0429, {0, 0, 900, 0}), false},
        {"line without its point", with(0x0213, {5}), false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_EQ(0, m_lead.Load(Path("p.png").c_str(), 0, 1, 1));
        const Image previous = m_lead.GetImage();
        ASSERT_TRUE(WriteBytes(Path("bad.wmf"), c.bytes));
        if (c.loads) {
            EXPECT_EQ(0, m_lead.Load(Path("bad.wmf").c_str(), 0, 1, 1));
            continue;
        }
        EXPECT_EQ(CLead::errCorrupt, m_lead.Load(Path("bad.wmf").c_str(), 0, 1, 1));
        EXPECT_TRUE(m_lead.GetImage() == previous);
    }
}
