// The imaging control's DIBs and bitmaps, Save as BMP, colour reduction, processing and failures.
#include <gtest/gtest.h>
#include <cstring>
#include <functional>
#include "imaging/BmpFile.h"
#include "imaging/ColorReducer.h"
#include "imaging/Effects.h"
#include "imaging/Resampler.h"
#include "tests/support/TestApp.h"
#include "tests/viewer/ViewerTestSupport.h"
#include "viewer/Lead.h"

using namespace viewertest;

using qrv::img::Bgra;

namespace {

// Colours a 5-bit channel keeps exactly enough for a tolerance of 8.
Image TrueColorOf(int bits, int w, int h)
{
    return TrueColor(
        w, h, [](int x, int y) { return uint32_t((x + y) * 4 << 16 | y * 8 << 8 | x * 8); }, bits);
}

using LeadImage = LeadTest;

} // namespace

// DIBs go to the imaging core's reader, whose tests go through every header and row order of each depth.
TEST_F(LeadImage, EveryDibLayoutRoundTrips)
{
    struct Layout {
        const char *name;
        Image image;
        uint32_t header;
        int bitCount;
        uint32_t compression;
        bool topDown;
        int tolerance;
    } layouts[] = {
        {"1 bit", IndexedImage(33, 9, 1), 40, 0, 0, false, 0},
        {"4 bits", IndexedImage(31, 9, 4), 40, 0, 0, false, 0},
        {"4 bits RLE4", IndexedImage(31, 9, 4), 40, 0, 2, false, 0},
        {"8 bits", IndexedImage(29, 17, 8), 40, 0, 0, false, 0},
        {"8 bits RLE8", IndexedImage(29, 17, 8), 40, 0, 1, false, 0},
        {"8 bits core header", IndexedImage(29, 17, 8), 12, 0, 0, false, 0},
        {"16 bits 5-5-5", TrueColorOf(24, 30, 20), 40, 16, 0, false, 8},
        {"16 bits 5-6-5 bit fields", TrueColorOf(24, 30, 20), 40, 16, 3, false, 8},
        {"16 bits top-down", TrueColorOf(24, 30, 20), 40, 16, 0, true, 8},
        {"24 bits", TrueColorOf(24, 30, 20), 40, 0, 0, false, 0},
        {"24 bits V5 header", TrueColorOf(24, 30, 20), 124, 0, 0, false, 0},
        {"32 bits", TrueColorOf(32, 30, 20), 40, 0, 0, false, 0},
        {"32 bits bit fields", TrueColorOf(32, 30, 20), 40, 0, 3, false, 0},
    };
    for (const Layout &l : layouts) {
        SCOPED_TRACE(l.name);
        ASSERT_EQ(0, m_lead.SetDIB(Dib(l.image, l.header, l.bitCount, l.compression, l.topDown)));
        EXPECT_EQ(CSize(l.image.Width(), l.image.Height()),
                  CSize(int(m_lead.GetSrcWidth()), int(m_lead.GetSrcHeight())));
        // Each GetDIB gives a new handle of the caller's.
        HGLOBAL hOut = m_lead.GetDIB(), hAgain = m_lead.GetDIB();
        ASSERT_NE(nullptr, hOut);
        ASSERT_NE(hOut, hAgain);
        ::GlobalFree(hAgain);
        const Image out = TakeDib(hOut);
        EXPECT_LE(MaxDifference(l.image, out), l.tolerance);
        if (l.image.IsIndexed()) {
            EXPECT_EQ(l.image.BitsPerPixel(), m_lead.GetBitmapBits());
            EXPECT_EQ(l.image.Palette(), out.Palette());
        }
    }
    m_lead.SetBitmap(nullptr);
    EXPECT_EQ(nullptr, m_lead.GetDIB());
}

TEST_F(LeadImage, InvalidDibsAndFailedOperationsAnswerAnErrorAndKeepTheImage)
{
    const Image kept = IndexedImage(12, 5, 8);
    Put(kept);
    EXPECT_EQ(CLead::errInvalidDib, m_lead.SetDIB(nullptr));
    const Dib good(TrueColorOf(24, 30, 20));
    const size_t size = ::GlobalSize(good);
    // The valid DIB cut to `keep` bytes, a byte of its header set.
    const struct {
        const char *what;
        size_t keep, at;
        uint8_t value;
    } bad[] = {
        {"header cut", 20, 0, 40},   {"pixels cut", size / 2, 0, 40}, {"header size", size, 0, 7},
        {"bit count", size, 14, 13}, {"compression", size, 16, 9},    {"huge width", size, 6, 0x10},
    };
    for (const auto &b : bad) {
        HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE, b.keep);
        uint8_t *dst = static_cast<uint8_t *>(::GlobalLock(h));
        std::memcpy(dst, ::GlobalLock(good), b.keep);
        dst[b.at] = b.value;
        ::GlobalUnlock(good);
        ::GlobalUnlock(h);
        EXPECT_NE(0, m_lead.SetDIB(h)) << b.what;
        EXPECT_TRUE(m_lead.GetImage() == kept);
        ::GlobalFree(h);
    }
    // Operations with parameters out of range, and any without an image.
    EXPECT_EQ(CLead::errInvalidParameter, m_lead.Median(0));
    EXPECT_EQ(CLead::errInvalidParameter, m_lead.Sharpen(5000));
    for (CSize bad : {CSize(0, 10), CSize(10, 0), CSize(40000, 10), CSize(10, 40000)})
        EXPECT_EQ(CLead::errInvalidParameter, m_lead.Size(float(bad.cx), float(bad.cy), 2));
    EXPECT_EQ(CLead::errNoImage, CLead().Size(0.f, 10.f, 2)) << "no image comes first";
    EXPECT_EQ(CLead::errInvalidParameter, m_lead.Size(10.f, 10.f, 5));
    EXPECT_EQ(CLead::errInvalidParameter, m_lead.ColorRes(5, CLead::crFixedPalette, 0, 32));
    EXPECT_EQ(CLead::errInvalidParameter, m_lead.ColorRes(8, CLead::crUserPalette, 9, 256));
    EXPECT_TRUE(m_lead.GetImage() == kept);
    EXPECT_EQ(CLead::errNoWindow, CLead().ForceRepaint());
    // Settings out of range are ignored: palette slots beyond 255, unknown paint modes, negative resolutions.
    m_lead.SetUserPalette(0, 0x123456);
    m_lead.SetUserPalette(256, 0xFFFFFF);
    m_lead.SetUserPalette(-1, 0xFFFFFF);
    EXPECT_EQ(0x123456ul, m_lead.GetUserPalette(0));
    EXPECT_EQ(0ul, m_lead.GetUserPalette(256) | m_lead.GetUserPalette(-1));
    m_lead.SetPaintSizeMode(CLead::paintFit);
    m_lead.SetPaintSizeMode(9);
    m_lead.SetPaintSizeMode(-1);
    EXPECT_EQ(CLead::paintFit, m_lead.GetPaintSizeMode());
    m_lead.SetWMFResolution(-5);
    EXPECT_EQ(0, m_lead.GetWMFResolution());
}

TEST_F(LeadImage, SetBitmapCopiesTheImagesOfOtherControlsAndBitmapsMadeElsewhere)
{
    for (const Image &img :
         {IndexedImage(20, 7, 1), IndexedImage(20, 7, 4), IndexedImage(20, 7, 8), TrueColorOf(24, 20, 7)}) {
        Put(img);
        CLead other;
        ASSERT_TRUE(other.Create("", WS_CHILD, CRect(0, 0, 5, 5), &m_host, 2));
        HBITMAP hbm = m_lead.GetBitmap();
        ASSERT_NE(nullptr, hbm);
        EXPECT_EQ(hbm, m_lead.GetBitmap()) << "kept by the control until the image changes";
        other.SetBitmap(hbm);
        EXPECT_TRUE(other.GetImage() == img) << img.BitsPerPixel();
        // The copy is independent of its source.
        ASSERT_EQ(0, m_lead.Invert());
        EXPECT_TRUE(other.GetImage() == img);
    }
    // GDI bitmaps come in as true colour or 1 bit; a deleted handle or the control's own changes nothing.
    HDC hdc = ::GetDC(nullptr);
    const BITMAPINFO bmi = {{sizeof(BITMAPINFOHEADER), 6, 4, 1, 16, BI_RGB, 0, 0, 0, 0, 0}, {}};
    void *pBits = nullptr;
    HBITMAP made[] = {::CreateCompatibleBitmap(hdc, 6, 4),
                      ::CreateDIBSection(hdc, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0),
                      ::CreateBitmap(6, 4, 1, 1, nullptr)};
    ::ReleaseDC(nullptr, hdc);
    for (HBITMAP hbm : made) {
        ASSERT_NE(nullptr, hbm);
        HDC mem = ::CreateCompatibleDC(nullptr);
        HGDIOBJ old = ::SelectObject(mem, hbm);
        ::PatBlt(mem, 0, 0, 6, 4, WHITENESS);
        ::SetPixel(mem, 5, 3, RGB(255, 0, 0));
        ::SelectObject(mem, old);
        ::DeleteDC(mem);
        m_lead.SetBitmap(hbm);
        ::DeleteObject(hbm);
        ASSERT_EQ(CSize(6, 4), CSize(int(m_lead.GetSrcWidth()), int(m_lead.GetSrcHeight())));
        const Bgra white = m_lead.GetImage().GetColor(0, 0), red = m_lead.GetImage().GetColor(5, 3);
        EXPECT_TRUE(white.r > 240 && white.g > 240 && white.b > 240);
        if (hbm == made[2]) {
            EXPECT_EQ(1, m_lead.GetBitmapBits());
            EXPECT_EQ(2u, m_lead.GetImage().Palette().size());
        } else {
            EXPECT_GE(m_lead.GetBitmapBits(), 24);
            EXPECT_TRUE(red.r > 240 && red.g < 16 && red.b < 16);
        }
    }
    const Image kept = m_lead.GetImage();
    m_lead.SetBitmap(made[0]); // deleted
    m_lead.SetBitmap(m_lead.GetBitmap());
    EXPECT_TRUE(kept == m_lead.GetImage());
}

TEST_F(LeadImage, SaveWritesBmpAtTheBitsAskedWithThePalette)
{
    const std::string dir = qrvtest::FreshTempFolder("lead_save") + "\\";
    // A four-colour picture: every depth holds it without loss.
    Image four = IndexedImage(17, 9, 1);
    four.Palette() = {Bgra{0, 0, 0, 0}, Bgra{255, 255, 255, 0}};
    // True colour saved at 4 bits is reduced to the fixed palette; the image held stays.
    struct {
        short bits;
        Image image;
    } cases[] = {
        {1, four},
        {4, IndexedImage(17, 9, 4)},
        {8, IndexedImage(17, 9, 8)},
        {24, TrueColorOf(24, 17, 9)},
        {8, IndexedImage(17, 9, 4)},
        {24, IndexedImage(17, 9, 8)},
        {4, GradientImage(40, 30)},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.bits);
        Put(c.image);
        const bool reduced = c.bits < c.image.BitsPerPixel();
        const std::string path = dir + "out" + std::to_string(c.bits) + ".bmp";
        ASSERT_EQ(0, m_lead.Save(path.c_str(), CLead::fmtBmp, c.bits, 0, 0));
        EXPECT_EQ(c.image.BitsPerPixel(), m_lead.GetBitmapBits());
        Image back;
        qrv::img::DibInfo info;
        const std::vector<uint8_t> bytes = ReadBytes(path);
        ASSERT_EQ(qrv::img::kOk, qrv::img::BmpFile::Decode(bytes.data(), bytes.size(), back, {}, &info));
        EXPECT_EQ(c.bits, info.bitCount);
        EXPECT_EQ(reduced, MaxDifference(c.image, back) != 0);
        if (c.bits <= 8) {
            std::vector<Bgra> want = reduced ? qrv::img::ColorReducer::FixedPalette(4) : c.image.Palette();
            want.resize(back.Palette().size());
            EXPECT_EQ(want, back.Palette());
        }
    }
    EXPECT_EQ(CLead::errInvalidFormat, m_lead.Save((dir + "x.png").c_str(), CLead::fmtPng, 24, 0, 0));
    EXPECT_EQ(CLead::errInvalidParameter, m_lead.Save("", CLead::fmtBmp, 24, 0, 0));
    EXPECT_EQ(CLead::errInvalidParameter, m_lead.Save((dir + "x.bmp").c_str(), CLead::fmtBmp, 33, 0, 0));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA((dir + "x.bmp").c_str()));
    EXPECT_EQ(CLead::errFileWrite, m_lead.Save((dir + "no\\such\\x.bmp").c_str(), CLead::fmtBmp, 24, 0, 0));
    EXPECT_EQ(CLead::errNoImage, CLead().Save((dir + "e.bmp").c_str(), CLead::fmtBmp, 24, 0, 0));
}

// ColorRes flags as the viewer passes them: 2 the user palette (its first 2^bits colours), 1 the control's
// own palette of the depth, 4 true colour with the dither code ignored.
TEST_F(LeadImage, ColorResGivesTheUserOrFixedPaletteOrTrueColour)
{
    std::vector<Bgra> user;
    for (int i = 0; i < 256; ++i) {
        const uint32_t colour = uint32_t(i * 0x010203 + 0x000040) & 0xFFFFFF;
        m_lead.SetUserPalette(short(i), colour);
        user.push_back(qrv::img::ColorRefToBgra(colour));
    }
    m_lead.SetForePalette(TRUE);
    EXPECT_TRUE(m_lead.GetForePalette());
    const struct {
        short bits, flag, dither;
    } cases[] = {
        {8, CLead::crUserPalette, 0},  {8, CLead::crUserPalette, 1},  {8, CLead::crUserPalette, 7},
        {4, CLead::crUserPalette, 1},  {1, CLead::crFixedPalette, 1}, {2, CLead::crFixedPalette, 1},
        {4, CLead::crFixedPalette, 1}, {8, CLead::crFixedPalette, 1}, {24, CLead::crBgrOrder, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.bits << " bits, flag " << c.flag << ", dither " << c.dither);
        const Image source = c.bits == 24 ? IndexedImage(20, 10, 8) : GradientImage(64, 48);
        Put(source);
        const short colours = c.bits == 24 ? 0 : short(1 << c.bits);
        ASSERT_EQ(0, m_lead.ColorRes(c.bits, c.flag, c.dither, colours));
        EXPECT_EQ(c.bits, m_lead.GetBitmapBits());
        EXPECT_LE(m_lead.GetColorCount(), c.bits == 24 ? 1L << 24 : long(colours));
        // True colour has no palette (none of the user's colours) and keeps every pixel.
        const std::vector<Bgra> palette = c.flag == CLead::crFixedPalette
                                              ? qrv::img::ColorReducer::FixedPalette(c.bits)
                                              : std::vector<Bgra>(user.begin(), user.begin() + colours);
        EXPECT_EQ(palette, m_lead.GetImage().Palette());
        if (c.bits == 24) {
            EXPECT_EQ(0, MaxDifference(source, TakeDib(m_lead.GetDIB())));
        }
    }
}

TEST_F(LeadImage, ProcessingGivesTheImagingCoresPixels)
{
    namespace img = qrv::img;
    struct Case {
        const char *name;
        std::function<short(CLead &)> lead;
        std::function<img::Status(Image &)> core;
    };
    const Case cases[] = {
        {"Median", [](CLead &l) { return l.Median(3); }, [](Image &i) { return img::Effects::Median(i, 3); }},
        {"Average", [](CLead &l) { return l.Average(3); },
         [](Image &i) { return img::Effects::Average(i, 3); }},
        {"Sharpen", [](CLead &l) { return l.Sharpen(800); },
         [](Image &i) { return img::Effects::Sharpen(i, 800); }},
        {"Intensity", [](CLead &l) { return l.Intensity(-300); },
         [](Image &i) { return img::Effects::Intensity(i, -300); }},
        {"Contrast", [](CLead &l) { return l.Contrast(400); },
         [](Image &i) { return img::Effects::Contrast(i, 400); }},
        {"Invert", [](CLead &l) { return l.Invert(); }, [](Image &i) { return img::Effects::Invert(i); }},
        {"Flip", [](CLead &l) { return l.Flip(); }, [](Image &i) { return img::Effects::Flip(i); }},
        {"Reverse", [](CLead &l) { return l.Reverse(); }, [](Image &i) { return img::Effects::Reverse(i); }},
        {"Size", [](CLead &l) { return l.Size(23.f, 17.f, CLead::sizeResample); },
         [](Image &i) { return img::Resampler::Size(i, 23, 17, 2); }},
        {"ColorRes", [](CLead &l) { return l.ColorRes(4, CLead::crFixedPalette, CLead::crDitherStucki, 16); },
         [](Image &i) {
             return img::ColorReducer::ColorRes(i, 4, img::kPaletteFixed, img::kDitherStucki, 16);
         }},
    };
    CLead empty; // every operation needs an image
    for (const Case &c : cases)
        EXPECT_EQ(CLead::errNoImage, c.lead(empty)) << c.name;
    for (const Image &src : {GradientImage(40, 30), IndexedImage(10, 10, 4)})
        for (const Case &c : cases) {
            Put(src);
            Image expected = src;
            ASSERT_EQ(img::kOk, c.core(expected)) << c.name;
            ASSERT_EQ(0, c.lead(m_lead)) << c.name;
            EXPECT_TRUE(expected == m_lead.GetImage()) << c.name << " at " << src.BitsPerPixel() << " bits";
        }
}
