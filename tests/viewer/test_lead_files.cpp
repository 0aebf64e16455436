// The imaging control's files: every format and its Info..., metafiles, damaged files and records.
#include <gtest/gtest.h>
#include <cstring>
#include "tests/support/TestApp.h"
#include "tests/viewer/ViewerTestSupport.h"
#include "viewer/Lead.h"

using namespace viewertest;

namespace {

// A file of every format. The tolerance: JPEG is lossy; the resolution as read back: GIF has none of its own,
// a metafile is rasterised at the WMF resolution set before it is read (0: the default 96 dots per inch);
// whether a copy cut to half is refused: the platform's TIFF decoder reads an indexed image's strips as far
// as they go. The metafiles (no container) are 1 x 0.5 inch, their left half red.
struct FileCase {
    const char *name;
    short format;
    bool indexed;
    int tolerance;
    long dpi;
    bool cutRefused;
    long wmfResolution;
};

const FileCase kFileCases[] = {
    {"a.png", CLead::fmtPng, false, 0, 150, true, 0},
    {"p.png", CLead::fmtPng, true, 0, 150, true, 0},
    {"a.jpg", CLead::fmtJpeg, false, 24, 150, true, 0},
    {"p.gif", CLead::fmtGif, true, 0, 96, true, 0},
    {"a.tif", CLead::fmtTif, false, 0, 150, true, 0},
    {"p.tif", CLead::fmtTif, true, 0, 150, false, 0},
    {"a.bmp", CLead::fmtBmp, false, 0, 150, true, 0},
    {"p.bmp", CLead::fmtBmp, true, 0, 150, true, 0},
    {"a.emf", CLead::fmtEmf, false, 0, 192, true, 192},
    {"a.emf", CLead::fmtEmf, false, 0, 96, true, 0}, // 0 after another resolution
    {"a.wmf", CLead::fmtWmf, false, 0, 192, true, 192},
    {"a.wmf", CLead::fmtWmf, false, 0, 96, true, 0},
};

// The picture of a raster case: 37 x 21, indexed (16 colours) or true colour.
Image Picture(bool indexed)
{
    return indexed ? IndexedImage(37, 21, 8, 16) : GradientImage(37, 21);
}

// Every case's file at 150 dots per inch and both metafiles 1 x 0.5 inch, in a folder of the test's own.
class LeadFiles : public LeadTest {
protected:
    void SetUp() override
    {
        LeadTest::SetUp();
        const std::string test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        m_dir = qrvtest::FreshTempFolder("lead_files-" + test) + "\\";
        ASSERT_TRUE(WritePictureFiles(m_dir, Picture(false), Picture(true), 150.0));
    }
    std::string Path(const char *name) const { return m_dir + name; }
    // The Info... properties: format, width, height, resolutions and bits.
    std::vector<long> Info()
    {
        return {m_lead.GetInfoFormat(), long(m_lead.GetInfoWidth()), long(m_lead.GetInfoHeight()),
                m_lead.GetInfoXRes(),   m_lead.GetInfoYRes(),        m_lead.GetInfoBits()};
    }
    // The file with a wrong magic number, and (if cut) cut to half its length, fail to load and keep the image.
    void ExpectDamagedCopiesRefused(const char *name, bool cut = true)
    {
        const std::vector<uint8_t> good = ReadBytes(Path(name));
        ASSERT_GT(good.size(), 40u);
        std::vector<uint8_t> truncated(good.begin(), good.begin() + long(good.size() / 2)), magic = good;
        std::memcpy(magic.data(), "XYZ[", 4);
        const Image previous = m_lead.GetImage();
        for (const auto &bad : {magic, cut ? truncated : magic}) {
            SCOPED_TRACE(bad == magic ? "wrong magic" : "truncated");
            ASSERT_TRUE(WriteBytes(Path("bad.bin"), bad));
            EXPECT_NE(0, m_lead.Load(Path("bad.bin").c_str(), 0, 1, 1));
            EXPECT_TRUE(m_lead.GetImage() == previous);
        }
    }
    std::string m_dir;
};

} // namespace

TEST_F(LeadFiles, DecodesEveryFormatWithItsInfoAndRefusesDamagedCopies)
{
    for (const FileCase &c : kFileCases) {
        SCOPED_TRACE(c.name + std::string(" at ") + std::to_string(c.wmfResolution));
        const bool meta = c.format == CLead::fmtEmf || c.format == CLead::fmtWmf;
        const int w = meta ? c.dpi : 37, h = meta ? c.dpi / 2 : 21;
        m_lead.SetWMFResolution(c.wmfResolution);
        EXPECT_EQ(0, m_lead.GetFileInfo(Path(c.name).c_str(), 0, 0));
        EXPECT_EQ((std::vector<long>{c.format, w, h, c.dpi, c.dpi, c.indexed ? 8 : 24}), Info());
        EXPECT_EQ(0.f, m_lead.GetSrcWidth()) << "GetFileInfo loads nothing";
        ASSERT_EQ(0, m_lead.Load(Path(c.name).c_str(), 0, 1, 1));
        EXPECT_EQ(CSize(w, h), CSize(int(m_lead.GetSrcWidth()), int(m_lead.GetSrcHeight())));
        const Image &img = m_lead.GetImage();
        if (meta) { // the left half red, the right half the white page
            for (int x : {2, w / 4, w / 2 - 3})
                EXPECT_EQ((qrv::img::Bgra{0, 0, 255, 0}), img.GetColor(x, h / 2)) << x;
            for (int x : {w / 2 + 3, 3 * w / 4, w - 2})
                EXPECT_EQ((qrv::img::Bgra{255, 255, 255, 0}), img.GetColor(x, h / 2)) << x;
        } else {
            EXPECT_LE(MaxDifference(img, Picture(c.indexed)), c.tolerance);
        }
        if (c.indexed) {
            EXPECT_EQ(8, m_lead.GetBitmapBits());
        }
        if (c.tolerance == 0 && !meta) {
            EXPECT_EQ(Picture(c.indexed).ColorCount(), m_lead.GetColorCount());
        }
        ExpectDamagedCopiesRefused(c.name, c.cutRefused);
        m_lead.SetBitmap(nullptr);
        EXPECT_EQ(0.f, m_lead.GetSrcWidth());
    }
}

TEST_F(LeadFiles, LoadConvertsToTheBitsAskedAndMissingFilesAnswerAnError)
{
    for (short bits : {24, 4}) {
        ASSERT_EQ(0, m_lead.Load(Path("p.png").c_str(), bits, 1, 1));
        EXPECT_EQ(bits, m_lead.GetBitmapBits());
        EXPECT_EQ(0, MaxDifference(m_lead.GetImage(), IndexedImage(37, 21, 8, 16)));
    }
    EXPECT_EQ(CLead::errInvalidParameter, m_lead.Load(Path("p.png").c_str(), 7, 1, 1));
    EXPECT_EQ(CLead::errInvalidParameter, m_lead.Load(Path("p.png").c_str(), 0, -1, 1));
    EXPECT_EQ(CLead::errInvalidParameter, m_lead.Load(Path("p.png").c_str(), 0, 1, -1));
    // A page beyond the file's one, in a frame container and in a BMP.
    EXPECT_EQ(CLead::errInvalidParameter, m_lead.Load(Path("p.png").c_str(), 0, 2, 1));
    EXPECT_EQ(CLead::errInvalidParameter, m_lead.Load(Path("a.bmp").c_str(), 0, 2, 1));
    EXPECT_EQ(4, m_lead.GetBitmapBits()) << "the image loaded before stays";
    // Missing files, no name and a folder.
    EXPECT_EQ(CLead::errFileNotFound, m_lead.Load(Path("none.bmp").c_str(), 0, 1, 1));
    EXPECT_EQ(CLead::errFileNotFound, m_lead.GetFileInfo(Path("none.bmp").c_str(), 0, 0));
    EXPECT_EQ(CLead::errInvalidParameter, m_lead.Load("", 0, 1, 1));
    EXPECT_NE(0, m_lead.Load(m_dir.c_str(), 0, 1, 1));
}

namespace {

// A 16- or 32-bit field set in the bytes (little-endian, as the formats and the machine store it).
template <class T> void SetField(std::vector<uint8_t> &b, size_t at, T v)
{
    std::memcpy(&b[at], &v, sizeof(v));
}

// The bytes with the field set.
template <class T> std::vector<uint8_t> With(std::vector<uint8_t> b, size_t at, T v)
{
    SetField(b, at, v);
    return b;
}

std::vector<uint8_t> Bytes(const std::string &text)
{
    return std::vector<uint8_t>(text.begin(), text.end());
}

// The bytes of a literal, its NULs included.
template <size_t N> std::vector<uint8_t> Raw(const char (&text)[N])
{
    return std::vector<uint8_t>(text, text + N - 1);
}

// A BMP file of the header size, width and height, its header cut to `size` bytes.
std::vector<uint8_t> Bmp(uint32_t header, uint32_t w, uint32_t h, size_t size)
{
    std::vector<uint8_t> b(size);
    b[0] = 'B';
    b[1] = 'M';
    SetField<uint32_t>(b, 14, header);
    if (header == 12) {
        SetField<uint16_t>(b, 18, uint16_t(w));
        SetField<uint16_t>(b, 20, uint16_t(h));
        SetField<uint16_t>(b, 24, 8);
    } else if (size >= 54) {
        SetField<uint32_t>(b, 18, w);
        SetField<uint32_t>(b, 22, h);
        SetField<uint16_t>(b, 28, 24);
    }
    return b;
}

// The placeable metafile with records of 16-bit words before its end record, its size counted again.
std::vector<uint8_t> WithRecords(std::vector<uint8_t> b, const std::vector<uint16_t> &words)
{
    const size_t meta = 22;
    std::vector<uint8_t> bytes;
    for (uint16_t w : words)
        bytes.insert(bytes.end(), {uint8_t(w), uint8_t(w >> 8)});
    b.insert(b.end() - 6, bytes.begin(), bytes.end());
    SetField<uint32_t>(b, meta + 6, uint32_t((b.size() - meta) / 2));
    return b;
}

// A record of the function with these parameters, its size in front.
std::vector<uint16_t> Rec(uint16_t function, std::vector<uint16_t> parms)
{
    const uint32_t size = uint32_t(parms.size() + 3);
    parms.insert(parms.begin(), {uint16_t(size), uint16_t(size >> 16), function});
    return parms;
}

// A stretched DIB record of 4 x h pixels of the bits, compression, size and colours used, then data.
std::vector<uint16_t> StretchDib(uint16_t bits, uint16_t compression, uint16_t sizeImage, uint16_t used,
                                 int16_t h, size_t data)
{
    // The raster operation, the source and destination boxes, then the bitmap's header (its height in two words).
    const uint16_t low = uint16_t(h), high = h < 0 ? 0xFFFF : 0;
    std::vector<uint16_t> parms = {0x20, 0xCC, 0, 4,    4,    0, 0,    4,           4, 0,         0, 40,
                                   0,    4,    0, low,  high, 1, bits, compression, 0, sizeImage, 0, 0,
                                   0,    0,    0, used, 0,    0, 0};
    parms.resize(parms.size() + data, 0x1234);
    return Rec(0x0F43, parms);
}

} // namespace

// Headers give a file's facts, or GetFileInfo's and Load's refusal before decoding; the image stays.
TEST_F(LeadFiles, HeadersGiveTheFactsOrAreRefused)
{
    const std::vector<uint8_t> wmf = ReadBytes(Path("a.wmf")), emf = ReadBytes(Path("a.emf"));
    auto cut = [](const auto &b, long n) { return std::vector<uint8_t>(b.begin(), b.begin() + n); };
    const std::string gif =
        std::string("GIF89a\x05\0\x03\0\x80\0\0", 13) + std::string(6, '\0'); // two colours
    const struct {
        const char *what;
        std::vector<uint8_t> bytes;
        short result;
        int w = 0, h = 0, bits = 0;
    } cases[] = {
        {"BMP core header", Bmp(12, 7, 5, 26), 0, 7, 5, 8},
        {"BMP top-down without resolution", Bmp(40, 9, uint32_t(-3), 54), 0, 9, 3, 24},
        {"BMP header of 30 bytes", Bmp(30, 9, 3, 54), CLead::errBadHeader},
        {"BMP info header cut short", Bmp(40, 9, 3, 40), CLead::errTruncated},
        {"BMP file header only", Bmp(40, 9, 3, 20), CLead::errTruncated},
        {"BMP without width", Bmp(40, 0, 3, 54), CLead::errBadHeader},
        {"BMP of the most negative height", Bmp(40, 9, 0x80000000, 54), CLead::errBadHeader},
        {"BMP higher than the limit", Bmp(40, 9, 40000, 54), CLead::errTooLarge},
        {"BMP of more pixels than the limit", Bmp(40, 10000, 10000, 54), CLead::errTooLarge},
        {"BMP of a huge size", Bmp(40, 100000, 100000, 54), CLead::errTooLarge},
        {"empty", {}, CLead::errTruncated},
        {"three bytes", cut(emf, 3), CLead::errUnknownFormat},
        {"B without M", Bytes("BX" + std::string(60, '\0')), CLead::errUnknownFormat},
        {"PNG of a huge size", Raw("\x89PNG\r\n\x1A\n\0\0\0\x0DIHDR\0\x01\x86\xA0\0\x01\x86\xA0"),
         CLead::errTooLarge},
        {"PNG wider than any int", Raw("\x89PNG\r\n\x1A\n\0\0\0\x0DIHDR\x80\0\0\0\0\0\0\x01"),
         CLead::errTooLarge},
        {"GIF cut in its screen", Bytes(gif.substr(0, 10)), CLead::errTruncated},
        {"GIF cut in its image", Bytes(gif + "\x2C\0\0\0"), CLead::errTruncated},
        {"GIF87a screen of a huge size", Raw("GIF87a\xE8\xFD\xE8\xFD\0\0\0"), CLead::errTooLarge},
        // An extension and an image with its own colours before the huge one.
        {"GIF image of a huge size",
         Bytes(gif + std::string("\x21\xF9\x04\0\0\0\0\0\x2C\0\0\0\0\x01\0\x01\0\x80", 18) +
               std::string(6, '\0') + std::string("\x02\x01\0\0\x2C\0\0\0\0\xE8\xFD\xE8\xFD\0", 14)),
         CLead::errTooLarge},
        {"JPEG cut in its frame header", Raw("\xFF\xD8\xFF\xC0\0\x11\x08\0"), CLead::errTruncated},
        // Application, table and arithmetic segments are passed over to the frame header.
        {"JPEG of a huge size",
         Raw("\xFF\xD8\xFF\xE0\0\x02\xFF\xC4\0\x02\xFF\xC8\0\x02\xFF\xCC\0\x02\xFF\xC2\0\x11\x08\xFD\xE8\xFD"
             "\xE8"),
         CLead::errTooLarge},
        {"TIFF of a huge size",
         Raw("II*\0\x08\0\0\0\x02\0\0\x01\x04\0\x01\0\0\0\xA0\x86\x01\0\x01\x01\x03\0\x01\0\0\0\xE8\xFD\0\0"),
         CLead::errTooLarge},
        {"big-endian TIFF of a huge size", Raw("MM\0*\0\0\0\x08\0\x01\x01\0\0\x04\0\0\0\x01\0\x01\x86\xA0"),
         CLead::errTooLarge},
        {"WMF without units per inch", With<uint16_t>(wmf, 14, 0), CLead::errBadHeader},
        {"WMF box without width", With<uint16_t>(wmf, 10, 0), CLead::errBadHeader},
        {"WMF box without height", With<uint16_t>(wmf, 12, 0), CLead::errBadHeader},
        {"WMF of metafile type 3", With<uint16_t>(wmf, 22, 3), CLead::errBadHeader},
        {"WMF header of 8 words", With<uint16_t>(wmf, 24, 8), CLead::errBadHeader},
        {"WMF length below the header", With<uint32_t>(wmf, 28, 4), CLead::errBadHeader},
        {"WMF length beyond the file", With<uint32_t>(wmf, 28, 0x100000), CLead::errTruncated},
        {"WMF placeable header only", cut(wmf, 30), CLead::errTruncated},
        // The box from -32768 to 32767 at one unit per inch.
        {"WMF of a huge size",
         With<uint16_t>(With<uint16_t>(With<uint16_t>(wmf, 6, 0x8000), 10, 0x7FFF), 14, 1),
         CLead::errTooLarge},
        {"EMF header size below 88", With<uint32_t>(emf, 4, 80), CLead::errBadHeader},
        {"EMF header larger than the file it says", With<uint32_t>(emf, 4, 0x10000), CLead::errBadHeader},
        {"EMF frame without width", With<uint32_t>(emf, 32, 0x80000000), CLead::errBadHeader},
        {"EMF frame without height", With<uint32_t>(emf, 36, 0x80000000), CLead::errBadHeader},
        {"EMF length beyond the file", With<uint32_t>(emf, 48, 0x7FFFFFF0), CLead::errTruncated},
        {"EMF cut inside the header", cut(emf, 60), CLead::errTruncated},
        {"EMF of a huge size", With<uint32_t>(With<uint32_t>(emf, 32, 0x7FFFFFFF), 36, 0x7FFFFFFF),
         CLead::errTooLarge},
        {"EMF type without its signature", With<uint32_t>(emf, 40, 0), CLead::errUnknownFormat},
        {"EMF type in a short file", cut(emf, 40), CLead::errUnknownFormat},
    };
    ASSERT_EQ(0, m_lead.Load(Path("a.wmf").c_str(), 0, 1, 1));
    const Image previous = m_lead.GetImage();
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(WriteBytes(Path("h.bin"), c.bytes));
        ASSERT_EQ(c.result, m_lead.GetFileInfo(Path("h.bin").c_str(), 0, 0));
        if (c.result == 0) {
            EXPECT_EQ((std::vector<long>{CLead::fmtBmp, c.w, c.h, 96, 96, c.bits}), Info());
            continue;
        }
        EXPECT_EQ(c.result, m_lead.Load(Path("h.bin").c_str(), 0, 1, 1));
        EXPECT_TRUE(m_lead.GetImage() == previous);
    }
}

// Records reaching outside themselves or the object table are refused before playing; the rest play.
TEST_F(LeadFiles, MetafileRecordsPointingOutsideAreRefused)
{
    const std::vector<uint8_t> emf = ReadBytes(Path("a.emf")), good = ReadBytes(Path("a.wmf"));
    // The enhanced metafile with fields of its first record of the type set.
    auto emfWith = [&](uint32_t type, std::vector<std::pair<size_t, uint32_t>> fields) {
        std::vector<uint8_t> bytes = emf;
        for (size_t r = 0; r + 8 <= bytes.size();) {
            uint32_t t, size;
            std::memcpy(&t, &bytes[r], 4);
            std::memcpy(&size, &bytes[r + 4], 4);
            if (t == type) {
                for (const auto &f : fields)
                    SetField<uint32_t>(bytes, r + f.first, f.second);
                return bytes;
            }
            if (size < 8)
                break;
            r += size;
        }
        return std::vector<uint8_t>();
    };
    // The picture with one record of the function and parameters, or one stretched DIB, before its end.
    auto with = [&](uint16_t function, std::vector<uint16_t> parms) {
        return WithRecords(good, Rec(function, parms));
    };
    auto dib = [&](auto... header) { return WithRecords(good, StretchDib(header...)); };
    const uint16_t slots = uint16_t(good[22 + 10] | good[22 + 11] << 8);
    const std::vector<uint16_t> brush = Rec(0x02FC, {0, 0xFF, 0, 0});
    std::vector<uint16_t> tooManyObjects, deleteAndCreate = Rec(0x01F0, {0});
    for (int i = 0; i <= slots; ++i)
        tooManyObjects.insert(tooManyObjects.end(), brush.begin(), brush.end());
    deleteAndCreate.insert(deleteAndCreate.end(), brush.begin(), brush.end());
    std::vector<uint16_t> coreDib = StretchDib(24, 0, 0, 0, 4, 24);
    coreDib[14] = 12; // a header of 12 bytes
    const std::vector<uint16_t> zeros10(10), patternOf100 = {3, 0, 0, 0, 100, 0, 100, 0, 1, 24};
    std::vector<uint8_t> sizeBeyondEnd = with(0x041B, {10, 10, 0, 0});
    SetField<uint32_t>(sizeBeyondEnd, sizeBeyondEnd.size() - 20, 0x7FFF);
    std::vector<uint8_t> sizeTooSmall = sizeBeyondEnd;
    SetField<uint32_t>(sizeTooSmall, sizeTooSmall.size() - 20, 2);
    std::vector<uint8_t> noEnd = good;
    SetField<uint16_t>(noEnd, noEnd.size() - 2, 0x001E); // the end record made a SaveDC
    std::vector<uint16_t> longPattern = patternOf100;
    longPattern.resize(24);
    struct {
        const char *what;
        std::vector<uint8_t> bytes;
        bool loads;
    } cases[] = {
        {"EMF: deleted object beyond the table", emfWith(40, {{8, 0x08000001}}), false},
        {"EMF: created object beyond the table", emfWith(39, {{8, 5000}}), false},
        {"EMF: selected object beyond the table", emfWith(37, {{8, 77}}), false},
        {"EMF: stock object deleted", emfWith(40, {{8, 0x80000001}}), false},
        {"EMF: slot 0 selected", emfWith(37, {{8, 0}}), false},
        {"EMF: record size not a multiple of four", emfWith(37, {{4, 10}}), false},
        {"EMF: record size below eight", emfWith(37, {{4, 4}}), false},
        {"EMF: no end record", emfWith(14, {{0, 70}}), false},
        {"EMF: bitmap header far outside the record", emfWith(76, {{84, 0x04000000}}), false},
        {"EMF: bitmap size beyond the record", emfWith(76, {{88, 0x7FFFFFF0}}), false},
        {"EMF: bitmap header size below 40", emfWith(76, {{88, 20}}), false},
        {"EMF: bitmap pixels beyond the record", emfWith(76, {{84, 0}, {88, 40}, {96, 0x7FFFFFF0}}), false},
        {"EMF: bitmap header of fewer than 40 bytes", emfWith(76, {{84, 8}, {88, 40}}), false},
        {"EMF: colour table beyond the bitmap header", emfWith(76, {{84, 0}, {88, 40}}), false},
        {"deleted object beyond the table", with(0x01F0, {5000}), false},
        {"selected object just beyond the table", with(0x012D, {slots}), false},
        {"region filled with a brush beyond the table", with(0x0228, {0, 900}), false},
        {"region beyond the table filled", with(0x0228, {900, 0}), false},
        {"more objects created than the table holds", WithRecords(good, tooManyObjects), false},
        {"polygon counting points beyond the record", with(0x0324, {30000, 1, 1, 5, 5}), false},
        {"text longer than the record", with(0x0521, {200, 0x4141, 5, 5}), false},
        {"text without its length", with(0x0521, {}), false},
        {"bitmap pixels beyond the record", dib(24, 0, 0, 0, 4, 0), false},
        {"record size beyond the file's end", sizeBeyondEnd, false},
        {"record size below three words", sizeTooSmall, false},
        {"no end record", noEnd, false},
        {"polygon within its record", with(0x0324, {2, 1, 1, 5, 5}), true},
        {"bitmap within its record", dib(24, 0, 0, 0, 4, 24), true},
        {"bitmap rows from the top", dib(24, 0, 0, 0, -4, 24), true},
        {"bitmap of two colours used", dib(8, 0, 0, 2, 4, 12), true},
        {"bitmap of 256 colours by default in a short record", dib(8, 0, 0, 0, 4, 12), false},
        {"bitmap of 200 colours used in a short record", dib(8, 0, 0, 200, 4, 12), false},
        {"run-length bitmap stating no size", dib(8, 1, 0, 2, 4, 40), false},
        {"run-length bitmap larger than the record", dib(8, 1, 1000, 2, 4, 40), false},
        {"bit-field bitmap without room for its masks", dib(16, 3, 0, 0, 4, 16), false},
        {"alpha bit-field bitmap without its masks", dib(16, 6, 0, 0, 4, 22), false},
        {"object deleted and its slot used again", WithRecords(good, deleteAndCreate), true},
        {"polypolygon within its record", with(0x0538, {1, 2, 0, 0, 5, 5}), true},
        {"clip region of none", with(0x012C, {0}), true},
        {"polyline counting points beyond the record", with(0x0325, {30000, 1, 1}), false},
        {"polyline without its count", with(0x0325, {}), false},
        {"polypolygon without its count", with(0x0538, {}), false},
        {"polypolygon with a negative count", with(0x0538, {1, 0xFFFF, 0, 0}), false},
        {"polypolygon counting points beyond", with(0x0538, {2, 3, 3, 0, 0, 1, 1}), false},
        {"polypolygon's counts beyond the record", with(0x0538, {40, 1}), false},
        {"pattern brush without its style", with(0x01F9, {}), false},
        {"pattern brush of a DIB cut short", with(0x01F9, {5, 0}), false},
        {"pattern brush of a bitmap cut short", with(0x01F9, {3, 0}), false},
        {"pattern brush of a bitmap beyond the record", with(0x01F9, longPattern), false},
        {"pattern brush of a negative width",
         with(0x01F9, {3, 0, 0, 0, 0xFFFF, 0xFFFF, 4, 0, 1, 24, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}),
         false},
        {"font without its face name", with(0x02FB, {0, 0, 0, 0, 0, 0, 0, 0}), false},
        {"font whose face name runs past the file", with(0x02FB, {0, 0, 0, 0, 0, 0, 0, 0, 0}), false},
        {"palette counting entries beyond", with(0x00F7, {0x300, 100}), false},
        {"palette without its count", with(0x00F7, {0x300}), false},
        {"escape longer than the record", with(0x0626, {15, 200}), false},
        {"escape without its length", with(0x0626, {15}), false},
        {"clipped text, its rectangle beyond", with(0x0A32, {0, 0, 2, 4, 0x4141}), false},
        {"text at a point, its characters beyond", with(0x0A32, {0, 0, 2, 0}), false},
        {"text at a point without its options", with(0x0A32, {0, 0, 2}), false},
        {"text of negative length", with(0x0521, {0x8000, 0x4141, 5, 5}), false},
        {"DIB stretch-blit without its bitmap", with(0x0B41, zeros10), false},
        {"DIB blit with its bitmap cut short", with(0x0940, zeros10), false},
        {"DIB blit as a fill cut short", with(0x0940, std::vector<uint16_t>(8)), false},
        {"DIB to device without its bitmap", with(0x0D33, std::vector<uint16_t>(9)), false},
        {"DIB pattern brush without its bitmap", with(0x0142, {5, 0}), false},
        {"stretched DIB with a core header", WithRecords(good, coreDib), false},
        {"stretch-blit bitmap beyond the record",
         with(0x0B23, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 100, 100, 0, 1, 24}), false},
        {"stretch-blit cut short", with(0x0B23, {0}), false},
        {"blit bitmap beyond the record", with(0x0922, {0, 0, 0, 0, 0, 0, 0, 100, 100, 0, 1, 24}), false},
        {"blit cut short", with(0x0922, {0}), false},
        {"region without its header", with(0x06FF, {0, 0, 0}), false},
        {"region counting bands beyond", with(0x06FF, {0, 0, 0, 0, 0, 3, 0, 0, 0, 0, 0}), false},
        {"region band ending beyond the record", with(0x06FF, {0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 2}), false},
        {"region's second band beyond the record",
         with(0x06FF, {0, 0, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0}), false},
        {"clip region beyond the table", with(0x012C, {slots}), false},
        {"palette selected beyond the table", with(0x0234, {0, 900}), false},
        {"region framed with a brush beyond", with(0x0429, {0, 0, 900, 0}), false},
        {"region beyond the table framed", with(0x0429, {0, 0, 0, 900}), false},
        {"line without its point", with(0x0213, {5}), false},
    };
    ASSERT_EQ(0, m_lead.Load(Path("p.png").c_str(), 0, 1, 1));
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const Image previous = m_lead.GetImage();
        ASSERT_FALSE(c.bytes.empty());
        ASSERT_TRUE(WriteBytes(Path("bad.bin"), c.bytes));
        EXPECT_EQ(c.loads ? 0 : CLead::errCorrupt, m_lead.Load(Path("bad.bin").c_str(), 0, 1, 1));
        EXPECT_TRUE(c.loads || m_lead.GetImage() == previous);
    }
}
