// The image viewer around its panel image: size, changes shown, loading, clipboard, displays' set-up.
#include <gtest/gtest.h>
#include <afxole.h>
#include <stdexcept>
#include <string>
#include <vector>
#include "imaging/BmpFile.h"
#include "viewer/LeadFrame.h"
#include "viewer/PanelImage.h"
#include "uiauto/MessageBoxAnswer.h"
#include "tests/support/TestApp.h"
#include "tests/viewer/ViewerTestSupport.h"
#include "toolkit/TabWnd.h"

using namespace viewertest;

namespace {

class PipelineTest : public ::testing::Test {
protected:
    const std::string dir = qrvtest::FreshTempFolder("viewer-pipeline") + "\\";
    HostWindow host{300, 240};
    TestViewer viewer;
    TestPalettes pal;
    void SetUp() override
    {
        ASSERT_TRUE(viewer.Create(WS_VISIBLE, CRect(0, 0, 300, 240), &host, 1000));
        SetSource(SolidImage(64, 48, 0x336699));
    }
    void SetSource(const qrv::img::Image &image, uint32_t compression = 0, int bits = 0)
    {
        ASSERT_EQ(1, viewer.SetImage(Dib(image, 40, bits, compression)));
    }
    std::string WriteBmp(const std::string &name, const qrv::img::Image &image)
    {
        std::string path = dir + name;
        EXPECT_EQ(qrv::img::kOk, qrv::img::BmpFile::Save(path, image));
        return path;
    }
};

TEST_F(PipelineTest, SizeRulePicksArgumentThenFitThenRequestedSize)
{
    auto shown = [this](CSize *pSize) {
        viewer.UpdatePanelImage(0, pSize);
        return CSize((int)viewer.GetPanelCtrl()->GetSrcWidth(), (int)viewer.GetPanelCtrl()->GetSrcHeight());
    };
    viewer.EnableSizeToFit(0);
    EXPECT_EQ(CSize(64, 48), shown(nullptr)); // the source size stays
    viewer.SetImageSize(CSize(40, 0));        // one dimension 0: no size requested
    EXPECT_EQ(CSize(64, 48), shown(nullptr));
    viewer.SetImageSize(CSize(40, 30));
    EXPECT_EQ(CSize(40, 30), shown(nullptr));
    viewer.EnableSizeToFit(1);
    viewer.SetFitSize(CSize(50, 25));
    EXPECT_EQ(CSize(50, 25), shown(nullptr));
    CSize arg(20, 10);
    EXPECT_EQ(CSize(20, 10), shown(&arg));
    // Whatever the size, the panel shows the pure function's image of the settings.
    EXPECT_TRUE(PanelShowsItsSettings(viewer));
    // Size to fit never enlarges a small image.
    SetSource(SolidImage(20, 10, 0xFF0000));
    viewer.EnableSizeToFit(0);
    viewer.EnableSizeToFit(1); // refreshes
    EXPECT_EQ(CSize(20, 10), shown(nullptr));
}

// A source changed in place (a host working on the imaging control) is taken afresh, cached stages not reused.
TEST_F(PipelineTest, ThePanelFollowsASourceChangedInPlace)
{
    viewer.SetColorInfo(8, nullptr, pal.pal256, nullptr, nullptr);
    qrv::img::Image photo = ColorfulImage(40, 30, 200);
    viewer.GetSourceCtrl()->TakeImage(photo);
    viewer.SetBrightness(200, FALSE); // a stage with a kept result
    viewer.UpdatePanelImage(0, nullptr);
    ASSERT_EQ(qrv::img::kOk, viewer.GetSourceCtrl()->Invert());
    viewer.UpdatePanelImage(0, nullptr);
    EXPECT_TRUE(PanelShowsItsSettings(viewer));
}

TEST_F(PipelineTest, EveryChangeShowsTheSettingsAtOnceWithTheirPaletteLoaded)
{
    SetSource(ColorfulImage(64, 48, 300));
    viewer.SetColorInfo(8, pal.pal16, pal.pal256, pal.plx508, pal.pal8);
    viewer.EnablePlx508Mode(1, 1);
    EXPECT_TRUE(PanelShowsItsSettings(viewer));
    // The panel control paints with the palette the reduction used.
    EXPECT_EQ(pal.plx508[200] & 0xFFFFFF, viewer.GetPanelCtrl()->GetUserPalette(200));
    EXPECT_TRUE(viewer.GetPanelCtrl()->GetForePalette());
    viewer.SetContrast(300, 1);
    EXPECT_TRUE(PanelShowsItsSettings(viewer));
    viewer.EnableMirror(1, 1);
    EXPECT_TRUE(PanelShowsItsSettings(viewer));
    viewer.SetImageColorBits(4, 1);
    EXPECT_TRUE(PanelShowsItsSettings(viewer));
    EXPECT_EQ(4, viewer.GetPanelCtrl()->GetBitmapBits());
    // Settings handed over whole keep the depth the viewer has.
    CPanelSettings whole = viewer.GetPanelSettings();
    whole.nColorBits = 16;
    whole.bInvert = 1;
    whole.nBrightness = -100;
    viewer.SetPanelSettings(whole, 1);
    EXPECT_EQ(4, viewer.GetImageColorBits());
    EXPECT_EQ(1, viewer.GetInvert());
    EXPECT_TRUE(PanelShowsItsSettings(viewer));
    // At 8 bits a 16-colour picture paints with the 16-colour palette.
    SetSource(IndexedImage(16, 8, 4));
    viewer.SetImageColorBits(8, 1);
    EXPECT_EQ(pal.pal16[5] & 0xFFFFFF, viewer.GetPanelCtrl()->GetUserPalette(5));
}

// 16-bit bit-field DIBs are held at 24 bits; GetPanelImage works at the source size apart from the display.
TEST_F(PipelineTest, SixteenBitDibsAreHeldAtTwentyFourBitsAndGetPanelImageLeavesTheDisplay)
{
    SetSource(SolidImage(8, 4, 0xFF8040), BI_BITFIELDS, 16);
    EXPECT_EQ(24, viewer.GetSourceCtrl()->GetBitmapBits());
    EXPECT_LE(MaxDifference(SolidImage(8, 4, 0xFF8040), viewer.GetSourceCtrl()->GetImage()),
              8); // 5-6-5 steps
    EXPECT_EQ(CSize(8, 4), viewer.GetImageSize());
    EXPECT_EQ(0, viewer.SetImage(nullptr));
    EXPECT_EQ(0, viewer.LoadFile(nullptr));
    EXPECT_EQ(8, TakeDib(viewer.GetSourceImage()).Width());
    SetSource(ColorfulImage(600, 480, 500));
    viewer.SetColorInfo(4, pal.pal16, pal.pal256, pal.plx508, pal.pal8);
    viewer.Refresh(); // size to fit: the display shows a reduced image
    const qrv::img::Image shown = viewer.GetPanelCtrl()->GetImage();
    ASSERT_LT(shown.Width(), 600);
    viewer.SetImageSize(CSize(0, 50)); // no requested size: the source's
    const qrv::img::Image out = TakeDib(viewer.GetPanelImage());
    qrv::img::Image expected;
    ASSERT_EQ(qrv::img::kOk, CPanelImage::Build(viewer.GetSourceCtrl()->GetImage(), viewer.GetPanelSettings(),
                                                CSize(600, 480), expected));
    EXPECT_TRUE(expected == out);
    EXPECT_TRUE(shown == viewer.GetPanelCtrl()->GetImage());
}

TEST_F(PipelineTest, LoadFileChoosesDitherByColourCountKeepsStateOnFailureAndFitsMetafiles)
{
    viewer.SetColorInfo(2, pal.pal16, pal.pal256, pal.plx508, pal.pal8); // 4 colours
    std::string few = WriteBmp("few.bmp", ColorfulImage(16, 8, 3));
    std::string many = WriteBmp("many.bmp", ColorfulImage(16, 8, 20));
    ASSERT_EQ(1, viewer.LoadFile(many.c_str()));
    EXPECT_EQ(2, viewer.GetDither());
    ASSERT_EQ(1, viewer.LoadFile(few.c_str()));
    EXPECT_EQ(0, viewer.GetDither());
    EXPECT_EQ(0, viewer.IsModified());
    EXPECT_EQ(CSize(16, 8), viewer.GetImageSize());
    viewer.SetDither(5, 0); // marks modified
    EXPECT_EQ(0, viewer.LoadFile((dir + "does-not-exist.bmp").c_str()));
    EXPECT_EQ(few, std::string(viewer.GetFileName()));
    EXPECT_EQ(CSize(16, 8), viewer.GetImageSize());
    EXPECT_EQ(5, viewer.GetDither());
    EXPECT_EQ(1, viewer.IsModified());
    // Both metafiles are 1 x 0.5 inch: 640 x 320 pixels.
    ASSERT_TRUE(WritePlaceableWmfFile(dir + "bild.wmf"));
    ASSERT_TRUE(WriteEmfFile(dir + "bild.emf"));
    for (const char *name : {"bild.wmf", "bild.emf"}) {
        ASSERT_EQ(1, viewer.LoadFile((dir + name).c_str())) << name;
        const qrv::img::Image &image = viewer.GetSourceCtrl()->GetImage();
        EXPECT_EQ(CSize(640, 320), CSize(image.Width(), image.Height())) << name;
    }
}

// The viewer's offer for the clipboard, read back: the DIB's image and the record.
bool CacheAndRead(CLeadViewerWnd &viewer, sPLXDIBINFO &info, qrv::img::Image &dib)
{
    COleDataSource source;
    if (viewer.CacheData(&source) != 1)
        return false;
    EXPECT_EQ(2, source.GetFormatCount());
    COleDataObject data;
    data.Attach(source.GetDataObject(), FALSE);
    HGLOBAL hInfo = data.GetGlobalData(CLeadViewerWnd::GetPlxDibInfoFormat());
    dib = TakeDib(data.GetGlobalData(CF_DIB));
    const bool ok = CPlxDibInfo::Read(hInfo, info);
    ::GlobalFree(hInfo);
    return ok && !dib.Empty();
}

TEST_F(PipelineTest, CacheDataOffersTheDibAndTheRecordWithItsBytesAndNamesCut)
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
    qrv::img::Image dib;
    ASSERT_TRUE(CacheAndRead(viewer, info, dib));
    EXPECT_EQ(40, dib.Width());
    EXPECT_EQ(8, dib.BitsPerPixel());
    EXPECT_EQ(path, std::string(CPlxDibInfo::GetFileName(info)));
    EXPECT_EQ("bild", std::string(CPlxDibInfo::GetBaseName(info)));
    EXPECT_FALSE(CPlxDibInfo::Read(nullptr, info));
    // Dither, colour bits, contrast -30 and brightness 200 in a byte each; smooth, blur and mirror.
    EXPECT_EQ((std::vector<unsigned>{5, 8, 0xE2, 0xC8, 0x25}),
              (std::vector<unsigned>{info.byDither, info.byColorBits, info.byContrast, info.byBrightness,
                                     unsigned(info.dwFlags)}));
    // Overlong names are cut with their NUL; effects turned off leave no flag.
    std::string longTitle(45, 't');
    std::string longPath = "C:\\" + std::string(300, 'd') + "\\" + longTitle + ".bmp";
    viewer.SetFileName(longPath.c_str());
    viewer.EnableSmooth(0, 0);
    viewer.EnableBlur(0, 0);
    viewer.EnableMirror(0, 1);
    ASSERT_TRUE(CacheAndRead(viewer, info, dib));
    EXPECT_EQ(0u, info.dwFlags);
    EXPECT_EQ(longPath.substr(0, 259), std::string(info.szFileName));
    EXPECT_EQ(0, info.szFileName[259]);
    EXPECT_EQ(longTitle.substr(0, 31), std::string(info.szBaseName));
    EXPECT_EQ(0, info.szBaseName[31]);
}

TEST_F(PipelineTest, ANewViewerOffersNothingAndItsDisplaysPaintWhite)
{
    TestViewer empty;
    ASSERT_TRUE(empty.Create(WS_VISIBLE, CRect(0, 0, 100, 100), &host, 1001));
    COleDataSource source;
    EXPECT_EQ(0, empty.CacheData(&source));
    EXPECT_EQ(0, source.GetFormatCount());
    // Each display paints white without repaints of its own (auto repaint, rects, size, erase, ...).
    for (CLead *p : {empty.GetPanelCtrl(), empty.GetOriginalCtrl()})
        EXPECT_EQ((std::vector<long>{0, 1, 1, 0, 0xFFFFFF, 1, 1, CLead::paintNormal}),
                  (std::vector<long>{p->GetAutoRepaint(), p->GetAutoSetRects(), p->GetAutoSize(),
                                     p->GetBackErase(), long(p->GetBackColor()), p->GetPaintDither(),
                                     p->GetPaintPalette(), p->GetPaintSizeMode()}));
    EXPECT_EQ(7000, empty.GetSourceCtrl()->GetDlgCtrlID());
    EXPECT_EQ(7001, empty.GetPanelFrame()->GetDlgCtrlID());
    EXPECT_EQ(7002, empty.GetOriginalFrame()->GetDlgCtrlID());
}

TEST_F(PipelineTest, MissingImagingControlShowsTheMessageAndFailsAndPanelTabsGiveTwoPages)
{
    TestViewer viewer(0, true);
    qrvtest::MessageBoxAnswerer answer(IDOK);
    EXPECT_FALSE(viewer.Create(WS_VISIBLE, CRect(0, 0, 200, 150), &host, 1001));
    qrvtest::MessageBoxRecord box = answer.Join();
    EXPECT_TRUE(box.shown);
    EXPECT_EQ(
        "Fehler w\xE4rend der Bilderzeugung aufgrund fehlendem ActiveX Kontrollelement. Bitte den Plexa neu "
        "installieren",
        box.text);
    EXPECT_TRUE(!viewer.GetPanelImage() && !viewer.GetSourceImage() && !viewer.GetOriginalImage());
    COleDataSource source;
    EXPECT_EQ(0, viewer.LoadFile("x.bmp") + viewer.SetImage(Dib(SolidImage(4, 4, 0))) +
                     viewer.CacheData(&source));
    // With panel tabs: two pages, titled, with a larger font than the dialog's.
    TestViewer tabbed(VWS_PANELTABS);
    ASSERT_TRUE(tabbed.Create(WS_VISIBLE, CRect(0, 0, 200, 150), &host, 1002));
    ASSERT_NE(nullptr, tabbed.GetTabWnd());
    EXPECT_EQ(2, tabbed.GetTabWnd()->GetPageCount());
    auto title = [&](int n) {
        char sz[32] = {};
        TCITEMA item = {TCIF_TEXT, 0, 0, sz, sizeof(sz), 0, 0};
        tabbed.GetTabWnd()->GetTabCtrl()->SendMessage(TCM_GETITEMA, n, (LPARAM)&item);
        return std::string(sz);
    };
    EXPECT_EQ("Panel", title(0));
    EXPECT_EQ("Original", title(1));
    CTabWnd plain;
    ASSERT_TRUE(plain.Create(&host, WS_CHILD, 1));
    LOGFONTA lfDialog, lfTabs;
    plain.GetTabFont()->GetLogFont(&lfDialog);
    tabbed.GetTabWnd()->GetTabFont()->GetLogFont(&lfTabs);
    ASSERT_NE(0, lfDialog.lfHeight);
    EXPECT_EQ(lfDialog.lfHeight + 2, lfTabs.lfHeight) << "2 added to the height value as it stands";
    // The tab window follows the viewer's size; a refresh shows the page selected.
    tabbed.MoveWindow(0, 0, 180, 120);
    tabbed.Refresh();
    CRect rc;
    tabbed.GetTabWnd()->GetWindowRect(&rc);
    EXPECT_EQ(CSize(180, 120), rc.Size());
    EXPECT_TRUE(tabbed.GetPanelFrame()->IsWindowVisible());
}

// A host override that throws inside Init ends Init with 0; another viewer still works.
class CThrowingViewer : public CLeadViewerWnd {
public:
    int m_nFramesAsked = 0;

protected:
    CLeadFrame *CreateLeadFrame() override
    {
        ++m_nFramesAsked;
        throw std::runtime_error("host fault");
    }
};

TEST_F(PipelineTest, TheLibrarysGuardCatchesWhatAHostOverrideThrows)
{
    CThrowingViewer throwing;
    EXPECT_EQ(0, throwing.Create(WS_VISIBLE, CRect(0, 0, 240, 200), &host, 1001));
    EXPECT_EQ(1, throwing.m_nFramesAsked) << "the throw ended Init at the first frame";
    EXPECT_EQ(nullptr, throwing.GetTabWnd());
    CLeadViewerWnd plain;
    EXPECT_EQ(1, plain.Create(WS_VISIBLE, CRect(0, 0, 240, 200), &host, 1002));
}

} // namespace
