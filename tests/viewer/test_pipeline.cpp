// The image viewer's pipeline: which operations of the imaging control run,
// in which order and with which arguments (journalled by a recording control
// that also does the real work), and what the pixels come out as.
#include <gtest/gtest.h>

#include <afxole.h>
#include <cstring>
#include <string>

#include "imaging/BmpFile.h"
#include "imaging/DibReader.h"
#include "tests/support/MessageBoxAnswer.h"
#include "tests/viewer/LeadTestSupport.h"
#include "toolkit/TabWnd.h"
#include "tests/viewer/ViewerTestSupport.h"

using namespace viewertest;
using leadtest::HostWindow;
using leadtest::MakeDib;
using leadtest::SolidImage;

namespace {

struct Palettes {
    unsigned long pal16[16];
    unsigned long pal256[256];
    unsigned long plx508[256];
    unsigned long pal8[8];
    Palettes()
    {
        for (int i = 0; i < 16; ++i)
            pal16[i] = RGB(i * 17, 255 - i * 17, (i * 50) & 255);
        for (int i = 0; i < 256; ++i) {
            pal256[i] = RGB(i, i, i);
            plx508[i] = RGB(i, 255 - i, (i * 7) & 255);
        }
        for (int i = 0; i < 8; ++i)
            pal8[i] = RGB((i & 1) * 255, ((i >> 1) & 1) * 255, ((i >> 2) & 1) * 255);
    }
};

class PipelineTest : public ::testing::Test {
protected:
    HostWindow host{300, 240};
    TestViewer viewer;
    Palettes pal;

    void SetUp() override
    {
        ASSERT_TRUE(viewer.Create(WS_VISIBLE, CRect(0, 0, 300, 240), &host, 1000));
        SetSource(SolidImage(64, 48, 0x336699));
    }
    void SetSource(const qrv::img::Image& image, uint32_t compression = 0, int bits = 0)
    {
        HGLOBAL hDib = MakeDib(image, 40, bits, compression);
        ASSERT_EQ(1, viewer.SetImage(hDib));
        ::GlobalFree(hDib);
    }
    // The ColorRes call of one panel update with the given colour settings.
    std::string ColorResFor(int bits, bool withPalettes, bool plx, int dither)
    {
        viewer.SetColorInfo(bits, withPalettes ? pal.pal16 : nullptr, withPalettes ? pal.pal256 : nullptr,
                            pal.plx508, withPalettes ? pal.pal8 : nullptr);
        viewer.EnablePlx508Mode(plx, 0);
        viewer.SetDither(dither, 0);
        viewer.panelLog.clear();
        viewer.UpdatePanelImage(0, nullptr);
        return Last(viewer.panelLog, "ColorRes");
    }
    HGLOBAL PanelDib() { return viewer.GetPanelCtrl()->GetDIB(); }
    std::string WriteBmp(const std::string& name, const qrv::img::Image& image)
    {
        std::string path = TempFolder() + name;
        EXPECT_EQ(qrv::img::kOk, qrv::img::BmpFile::Save(path, image));
        return path;
    }
};

TEST_F(PipelineTest, ColorResFollowsTheDepthTableRowByRow)
{
    // Dither index -> control code: 0 0, 1 7, 2 1, 3 2, 4 3, 5 4, 6 5, 7 6.
    EXPECT_EQ("ColorRes(8,16,0,256)", ColorResFor(8, true, true, 3));   // Plx508: never dithered
    EXPECT_EQ("ColorRes(8,16,2,256)", ColorResFor(8, true, false, 3));
    EXPECT_EQ("ColorRes(8,1,7,256)", ColorResFor(8, false, true, 1));   // no 256-colour palette
    EXPECT_EQ("ColorRes(4,16,7,16)", ColorResFor(4, true, false, 1));
    EXPECT_EQ("ColorRes(4,1,1,16)", ColorResFor(4, false, false, 2));
    EXPECT_EQ("ColorRes(24,4,0,0)", ColorResFor(16, true, false, 5));   // dither has no effect
    EXPECT_EQ("ColorRes(3,16,6,8)", ColorResFor(3, true, false, 7));
    EXPECT_EQ("ColorRes(3,1,0,8)", ColorResFor(3, false, false, 0));
    EXPECT_EQ("ColorRes(1,1,3,2)", ColorResFor(1, true, false, 4));
    EXPECT_EQ("ColorRes(2,1,5,4)", ColorResFor(2, true, false, 6));
}

TEST_F(PipelineTest, UserPaletteIsLoadedBeforeTheReduction)
{
    ColorResFor(8, true, true, 2);
    // Step 1 loads the Plx508 palette (256 entries, then the fore-palette switch).
    Journal order = Only(viewer.panelLog, {"SetForePalette", "SetBitmap", "ColorRes"});
    ASSERT_EQ(3u, order.size());
    EXPECT_EQ("SetForePalette(1)", order[0]);
    EXPECT_EQ(std::string(pal.plx508[200] == viewer.GetPanelCtrl()->GetUserPalette(200) ? "loaded" : "missing"),
              "loaded");
}

TEST_F(PipelineTest, EightBitsWithAFourBitSourceUseTheSixteenColourPalette)
{
    SetSource(IndexedImage(32, 16, 4));
    EXPECT_EQ("ColorRes(4,16,1,16)", ColorResFor(8, true, false, 2));
    HGLOBAL hDib = PanelDib();
    ASSERT_NE(nullptr, hDib);
    qrv::img::Image out;
    ASSERT_EQ(qrv::img::kOk, qrv::img::DibReader::Read(static_cast<const uint8_t*>(::GlobalLock(hDib)),
                                                       ::GlobalSize(hDib), out));
    ::GlobalUnlock(hDib);
    ::GlobalFree(hDib);
    EXPECT_EQ(4, out.BitsPerPixel());
    for (int y = 0; y < out.Height(); ++y)
        for (int x = 0; x < out.Width(); ++x) {
            uint32_t cr = qrv::img::BgraToColorRef(out.GetColor(x, y));
            bool inPalette = false;
            for (unsigned long p : pal.pal16)
                inPalette = inPalette || (p & 0xFFFFFF) == (cr & 0xFFFFFF);
            ASSERT_TRUE(inPalette) << x << "," << y;
        }
}

TEST_F(PipelineTest, EffectsRunInTheirFixedOrder)
{
    viewer.EnableSizeToFit(0);
    viewer.SetColorInfo(4, pal.pal16, pal.pal256, pal.plx508, pal.pal8);
    viewer.EnableMirror(1, 0);
    viewer.EnableFlip(1, 0);
    viewer.EnableInvert(1, 0);
    viewer.EnableSharpen(1, 0);
    viewer.EnableBlur(1, 0);
    viewer.EnableSmooth(1, 0);
    viewer.SetContrast(30, 0);
    viewer.SetBrightness(-20, 0);
    viewer.panelLog.clear();
    viewer.UpdatePanelImage(0, nullptr);
    Journal expected = {"SetBitmap", "SetPaintPalette(0)", "Median(4)", "Average(4)", "Sharpen(800)",
                        "Intensity(-20)", "Contrast(30)", "Invert", "Flip", "Reverse", "ColorRes(4,16,1,16)"};
    EXPECT_EQ(expected, Only(viewer.panelLog, {"SetBitmap", "SetPaintPalette", "Median", "Average", "Sharpen",
                                               "Intensity", "Contrast", "Invert", "Flip", "Reverse", "Size",
                                               "ColorRes"}));

    viewer.ResetPropertySettings();
    viewer.panelLog.clear();
    viewer.UpdatePanelImage(0, nullptr);
    EXPECT_EQ((Journal{"Intensity(0)", "Contrast(0)"}),
              Only(viewer.panelLog, {"Median", "Average", "Sharpen", "Intensity", "Contrast", "Invert", "Flip",
                                     "Reverse"}));
}

TEST_F(PipelineTest, SizeRulePicksArgumentThenFitThenRequestedSize)
{
    viewer.EnableSizeToFit(0);
    viewer.panelLog.clear();
    viewer.UpdatePanelImage(0, nullptr);
    EXPECT_EQ("", Last(viewer.panelLog, "Size"));   // the source size stays
    EXPECT_EQ(64, (int)viewer.GetPanelCtrl()->GetSrcWidth());

    viewer.SetImageSize(CSize(40, 0));   // one dimension 0: no size requested
    viewer.panelLog.clear();
    viewer.UpdatePanelImage(0, nullptr);
    EXPECT_EQ("", Last(viewer.panelLog, "Size"));

    viewer.SetImageSize(CSize(40, 30));
    viewer.panelLog.clear();
    viewer.UpdatePanelImage(0, nullptr);
    EXPECT_EQ("Size(40,30,2)", Last(viewer.panelLog, "Size"));
    EXPECT_EQ(40, (int)viewer.GetPanelCtrl()->GetSrcWidth());
    EXPECT_EQ(30, (int)viewer.GetPanelCtrl()->GetSrcHeight());

    viewer.EnableSizeToFit(1);
    viewer.SetFitSize(CSize(50, 25));
    viewer.panelLog.clear();
    viewer.UpdatePanelImage(0, nullptr);
    EXPECT_EQ("Size(50,25,2)", Last(viewer.panelLog, "Size"));

    CSize arg(20, 10);
    viewer.panelLog.clear();
    viewer.UpdatePanelImage(0, &arg);
    EXPECT_EQ("Size(20,10,2)", Last(viewer.panelLog, "Size"));
}

TEST_F(PipelineTest, SizeToFitNeverEnlargesASmallImage)
{
    SetSource(SolidImage(20, 10, 0xFF0000));
    viewer.EnableSizeToFit(0);
    viewer.EnableSizeToFit(1);   // refreshes
    EXPECT_EQ(20, (int)viewer.GetPanelCtrl()->GetSrcWidth());
    EXPECT_EQ(10, (int)viewer.GetPanelCtrl()->GetSrcHeight());
}

TEST_F(PipelineTest, Plx508ModeShowsThePlx508PaletteEntryForEntry)
{
    SetSource(ColorfulImage(64, 48, 300));
    EXPECT_EQ("ColorRes(8,16,0,256)", ColorResFor(8, true, true, 3));
    EXPECT_EQ((Journal{"ColorRes(8,16,0,256)", "GetDIB", "SetDIB"}),
              Only(viewer.panelLog, {"ColorRes", "GetDIB", "SetDIB"}));
    HGLOBAL hDib = PanelDib();
    ASSERT_NE(nullptr, hDib);
    const BYTE* p = static_cast<const BYTE*>(::GlobalLock(hDib));
    BITMAPINFOHEADER bih;
    memcpy(&bih, p, sizeof(bih));
    EXPECT_EQ(8, bih.biBitCount);
    ASSERT_GE(::GlobalSize(hDib), sizeof(bih) + 1024);
    for (int i = 0; i < 256; ++i) {
        const BYTE* e = p + sizeof(bih) + 4 * i;
        EXPECT_EQ(pal.plx508[i], RGB(e[2], e[1], e[0])) << "entry " << i;
    }
    ::GlobalUnlock(hDib);
    ::GlobalFree(hDib);
}

TEST_F(PipelineTest, GetPanelImageComputesAtSourceSizeAndRestoresTheDisplay)
{
    SetSource(SolidImage(600, 480, 0x00FF00));
    viewer.Refresh();   // size to fit: the display shows a reduced image
    int cxShown = (int)viewer.GetPanelCtrl()->GetSrcWidth();
    int cyShown = (int)viewer.GetPanelCtrl()->GetSrcHeight();
    ASSERT_LT(cxShown, 600);

    viewer.SetImageSize(CSize(0, 50));
    viewer.panelLog.clear();
    HGLOBAL hDib = viewer.GetPanelImage();
    ASSERT_NE(nullptr, hDib);
    BITMAPINFOHEADER bih;
    memcpy(&bih, ::GlobalLock(hDib), sizeof(bih));
    ::GlobalUnlock(hDib);
    ::GlobalFree(hDib);
    EXPECT_EQ(600, bih.biWidth);
    EXPECT_EQ(480, bih.biHeight);
    EXPECT_EQ((Journal{"Size(600,480,2)", "GetDIB",
                       "Size(" + std::to_string(cxShown) + "," + std::to_string(cyShown) + ",2)"}),
              Only(viewer.panelLog, {"Size", "GetDIB"}));
    EXPECT_EQ(cxShown, (int)viewer.GetPanelCtrl()->GetSrcWidth());
    EXPECT_EQ(cyShown, (int)viewer.GetPanelCtrl()->GetSrcHeight());
}

TEST_F(PipelineTest, SixteenBitBitFieldDibIsShownAsTwentyFourBits)
{
    SetSource(SolidImage(8, 4, 0xFF8040), BI_BITFIELDS, 16);
    EXPECT_EQ(24, viewer.GetSourceCtrl()->GetBitmapBits());
    qrv::img::Bgra c = viewer.GetSourceCtrl()->GetImage().GetColor(3, 2);
    // 5-6-5 keeps red 0xFF, green 0x80 within one step and blue 0x40 within one step.
    EXPECT_EQ(0xFF, c.r);
    EXPECT_NEAR(0x80, c.g, 4);
    EXPECT_NEAR(0x40, c.b, 8);
    EXPECT_EQ(CSize(8, 4), viewer.GetImageSize());
}

TEST_F(PipelineTest, LoadFileRasterisesMetafilesToFit640By480)
{
    RecordingLead::FakeInfo info;
    info.nFormat = 15;
    info.fWidth = 1280;
    info.fHeight = 480;
    info.nXRes = 96;
    info.nYRes = 96;
    viewer.Source()->FakeFileInfo(info);
    viewer.sourceLog.clear();
    EXPECT_EQ(0, viewer.LoadFile((TempFolder() + "missing.wmf").c_str()));   // Load itself fails
    EXPECT_EQ((Journal{"SetWMFResolution(0)", "GetFileInfo(1,0)", "GetFileInfo(0,1)", "SetWMFResolution(48)",
                       "Load(0,1,1)"}),
              Only(viewer.sourceLog, {"SetWMFResolution", "GetFileInfo", "Load"}));
}

TEST_F(PipelineTest, LoadFileChoosesDitherByColourCountAndKeepsStateOnFailure)
{
    viewer.SetColorInfo(2, pal.pal16, pal.pal256, pal.plx508, pal.pal8);   // 4 colours
    std::string few = WriteBmp("few.bmp", ColorfulImage(16, 8, 3));
    std::string many = WriteBmp("many.bmp", ColorfulImage(16, 8, 20));
    ASSERT_EQ(1, viewer.LoadFile(many.c_str()));
    EXPECT_EQ(2, viewer.GetDither());
    ASSERT_EQ(1, viewer.LoadFile(few.c_str()));
    EXPECT_EQ(0, viewer.GetDither());
    EXPECT_EQ(0, viewer.IsModified());
    EXPECT_EQ(CSize(16, 8), viewer.GetImageSize());

    viewer.SetDither(5, 0);   // marks modified
    EXPECT_EQ(0, viewer.LoadFile((TempFolder() + "does-not-exist.bmp").c_str()));
    EXPECT_EQ(few, std::string(viewer.GetFileName()));
    EXPECT_EQ(CSize(16, 8), viewer.GetImageSize());
    EXPECT_EQ(5, viewer.GetDither());
    EXPECT_EQ(1, viewer.IsModified());
}

TEST_F(PipelineTest, ResetLeavesModifiedSizeToFitAndColourBits)
{
    viewer.SetColorInfo(8, pal.pal16, pal.pal256, pal.plx508, pal.pal8);
    viewer.EnableSizeToFit(0);
    viewer.EnableSmooth(1, 0);
    viewer.SetContrast(50, 0);
    viewer.EnablePlx508Mode(1, 0);
    viewer.ResetPropertySettings();
    EXPECT_EQ(0, viewer.GetSmooth());
    EXPECT_EQ(0, viewer.GetContrast());
    EXPECT_EQ(2, viewer.GetDither());
    EXPECT_EQ(0, viewer.GetPlx508Mode());
    EXPECT_EQ(1, viewer.IsModified());
    EXPECT_EQ(0, viewer.IsSizeToFitEnabled());
    EXPECT_EQ(8, viewer.GetImageColorBits());
}

// --- the clipboard record

class CacheDataTest : public PipelineTest {
protected:
    void SetUp() override
    {
        PipelineTest::SetUp();
        ASSERT_TRUE(AfxOleInit());
    }
    // Puts the viewer's data on the clipboard and reads the record back.
    bool CacheAndRead(sPLXDIBINFO& info, BITMAPINFOHEADER& bih)
    {
        COleDataSource* pSource = new COleDataSource;
        if (viewer.CacheData(pSource) != 1) {
            delete pSource;
            return false;
        }
        EXPECT_EQ(2, pSource->GetFormatCount());
        EXPECT_TRUE(pSource->SetClipboard());
        bool ok = false;
        if (::OpenClipboard(nullptr)) {
            HANDLE hDib = ::GetClipboardData(CF_DIB);
            HANDLE hInfo = ::GetClipboardData(CLeadViewerWnd::GetPlxDibInfoFormat());
            if (hDib && hInfo && ::GlobalSize(hInfo) >= sizeof(info)) {
                memcpy(&bih, ::GlobalLock(hDib), sizeof(bih));
                ::GlobalUnlock(hDib);
                memcpy(&info, ::GlobalLock(hInfo), sizeof(info));
                ::GlobalUnlock(hInfo);
                ok = true;
            }
            ::CloseClipboard();
        }
        ::OleSetClipboard(nullptr);
        return ok;
    }
};

TEST_F(CacheDataTest, OffersTheDibAndTheRecordWithItsBytes)
{
    std::string path = WriteBmp("bild.bmp", ColorfulImage(40, 30, 50));
    ASSERT_EQ(1, viewer.LoadFile(path.c_str()));
    viewer.SetColorInfo(8, pal.pal16, pal.pal256, pal.plx508, pal.pal8);
    viewer.EnableSmooth(1, 0);
    viewer.EnableBlur(1, 0);
    viewer.EnableMirror(1, 0);
    viewer.SetDither(5, 0);
    viewer.SetContrast(-30, 0);
    viewer.SetBrightness(200, 0);
    viewer.Refresh();

    sPLXDIBINFO info;
    BITMAPINFOHEADER bih;
    ASSERT_TRUE(CacheAndRead(info, bih));
    EXPECT_EQ(40, bih.biWidth);
    EXPECT_EQ(8, bih.biBitCount);
    const BYTE* bytes = reinterpret_cast<const BYTE*>(&info);
    EXPECT_STREQ(path.c_str(), info.szFileName);
    EXPECT_STREQ("bild", info.szBaseName);
    EXPECT_EQ(5, bytes[292]);
    EXPECT_EQ(8, bytes[293]);
    EXPECT_EQ(0xE2, bytes[294]);   // -30
    EXPECT_EQ(0xC8, bytes[295]);   // 200
    EXPECT_EQ(0x25, bytes[296]);   // smooth, blur, mirror
    EXPECT_EQ(0, bytes[297] | bytes[298] | bytes[299]);
}

TEST_F(CacheDataTest, OverlongNamesAreCutWithTheirNul)
{
    std::string longTitle(45, 't');
    std::string longPath = "C:\\" + std::string(300, 'd') + "\\" + longTitle + ".bmp";
    viewer.SetFileName(longPath.c_str());
    viewer.Refresh();   // the panel image exists from the first refresh on
    sPLXDIBINFO info;
    BITMAPINFOHEADER bih;
    ASSERT_TRUE(CacheAndRead(info, bih));
    EXPECT_EQ(longPath.substr(0, 259), std::string(info.szFileName));
    EXPECT_EQ(0, info.szFileName[259]);
    EXPECT_EQ(longTitle.substr(0, 31), std::string(info.szBaseName));
    EXPECT_EQ(0, info.szBaseName[31]);
}

TEST(CacheDataNoImage, AnswersZeroAndOffersNothing)
{
    HostWindow host(100, 100);
    TestViewer viewer;
    ASSERT_TRUE(viewer.Create(WS_VISIBLE, CRect(0, 0, 100, 100), &host, 1000));
    COleDataSource source;
    EXPECT_EQ(0, viewer.CacheData(&source));
    EXPECT_EQ(0, source.GetFormatCount());
}

TEST(ViewerInit, ControlSettingsOfEachDisplayInOrder)
{
    HostWindow host(200, 150);
    TestViewer viewer;
    ASSERT_TRUE(viewer.Create(WS_VISIBLE, CRect(0, 0, 200, 150), &host, 1000));
    Journal expected = {"SetAutoRepaint(0)", "SetAutoSetRects(1)", "SetAutoSize(1)", "SetBackErase(0)",
                        "SetBackColor(0xFFFFFF)", "SetPaintDither(1)", "SetPaintPalette(1)", "SetPaintSizeMode(0)"};
    EXPECT_EQ(expected, viewer.panelLog);
    EXPECT_EQ(expected, viewer.originalLog);
    EXPECT_EQ(7000, viewer.GetSourceCtrl()->GetDlgCtrlID());
    EXPECT_EQ(7001, viewer.GetPanelFrame()->GetDlgCtrlID());
    EXPECT_EQ(7002, viewer.GetOriginalFrame()->GetDlgCtrlID());
    EXPECT_NE(0u, CLeadViewerWnd::GetPlxDibInfoFormat());
}

TEST(ViewerInit, MissingImagingControlShowsTheMessageAndFails)
{
    HostWindow host(200, 150);
    TestViewer viewer(0, true);
    qrvtest::MessageBoxAnswerer answer(IDOK);
    EXPECT_FALSE(viewer.Create(WS_VISIBLE, CRect(0, 0, 200, 150), &host, 1000));
    qrvtest::MessageBoxRecord box = answer.Join();
    EXPECT_TRUE(box.shown);
    EXPECT_EQ("Fehler w\xE4rend der Bilderzeugung aufgrund fehlendem ActiveX Kontrollelement. Bitte den Plexa neu "
              "installieren",
              box.text);
    EXPECT_EQ(nullptr, viewer.GetPanelImage());
    EXPECT_EQ(0, viewer.LoadFile("x.bmp"));
}

TEST(ViewerInit, PanelTabsGiveTwoPagesWithALargerFont)
{
    HostWindow host(240, 200);
    TestViewer viewer(VWS_PANELTABS);
    ASSERT_TRUE(viewer.Create(WS_VISIBLE, CRect(0, 0, 240, 200), &host, 1000));
    ASSERT_NE(nullptr, viewer.GetTabWnd());
    EXPECT_EQ(2, viewer.GetTabWnd()->GetPageCount());
    char szTitle[32] = {};
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = szTitle;
    item.cchTextMax = sizeof(szTitle);
    CWnd* pStrip = viewer.GetTabWnd()->GetTabCtrl();
    pStrip->SendMessage(TCM_GETITEMA, 0, (LPARAM)&item);
    EXPECT_STREQ("Panel", szTitle);
    pStrip->SendMessage(TCM_GETITEMA, 1, (LPARAM)&item);
    EXPECT_STREQ("Original", szTitle);
    CTabWnd plain;
    ASSERT_TRUE(plain.Create(&host, WS_CHILD, 1));
    LOGFONTA lfDialog, lfTabs;
    plain.GetTabFont()->GetLogFont(&lfDialog);
    viewer.GetTabWnd()->GetTabFont()->GetLogFont(&lfTabs);
    ASSERT_NE(0, lfDialog.lfHeight);
    EXPECT_EQ(lfDialog.lfHeight + 2, lfTabs.lfHeight) << "2 added to the height value as it stands";
}

}  // namespace
