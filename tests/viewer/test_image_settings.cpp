// The image settings dialog run modally: Cancel and OK, who owns the result,
// the pages by colour depth, the 16-bit conversion and a missing imaging control.
#include <gtest/gtest.h>
#include <vector>
#include "uiauto/MessageBoxAnswer.h"
#include "uiauto/ModalDriver.h"
#include "tests/viewer/ViewerTestSupport.h"
#include "viewer/ImageSettingsDlg.h"
#include "viewer/ViewerPps.h"

using namespace viewertest;

using qrvtest::ModalDriver;

namespace {

unsigned long g_pal16[16], g_pal256[256], g_plx508[256], g_pal8[8];

class TestSettingsDlg : public CImageSettingsDlg {
public:
    TestSettingsDlg(HGLOBAL hDib, int nBits, CStringArray *pNames, bool bMissingControl = false)
        : CImageSettingsDlg(hDib, nBits, g_pal16, g_pal256, pNames, g_plx508, g_pal8, nullptr),
          m_bMissing(bMissingControl)
    {
    }
    void *PendingResult() const { return m_hResultDib; }

protected:
    CLeadViewerWnd *CreateViewer() override { return new TestViewer(VWS_PANELTABS, m_bMissing); }

private:
    bool m_bMissing;
};

// Presses a button of the dialog from the driver's thread.
ModalDriver::Script Press(int nID)
{
    return [nID](HWND hDlg, ModalDriver &driver) {
        ::PostMessageA(hDlg, WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), (LPARAM)::GetDlgItem(hDlg, nID));
        if (!driver.WaitClosed())
            driver.Fail("the dialog stayed open");
    };
}

class ImageSettingsTest : public ::testing::Test {
protected:
    CStringArray names;
    HGLOBAL hSource = nullptr;
    void SetUp() override
    {
        names.Add("16 Farben");
        names.Add("256 Farben");
        names.Add("True Color");
        for (int i = 0; i < 256; ++i)
            g_pal256[i] = g_plx508[i] = RGB(i, i, i);
        for (int i = 0; i < 16; ++i)
            g_pal16[i] = RGB(i * 17, i * 17, 0);
        hSource = MakeDib(ColorfulImage(80, 60, 40));
    }
    void TearDown() override { ::GlobalFree(hSource); }
};

// A 16-bit bit-field source is shown as 24 bits; after OK the DIB is the
// caller's: the panel image at the source size, still there when the dialog is gone.
TEST_F(ImageSettingsTest, OkHandsTheDibOfASixteenBitSourceToTheCaller)
{
    HGLOBAL h16 = MakeDib(SolidImage(20, 10, 0x00FF00), 40, 16, BI_BITFIELDS);
    void *hResult = nullptr;
    int nSourceBits = 0;
    {
        TestSettingsDlg dlg(h16, 8, &names);
        ModalDriver driver(
            [&](HWND hDlg, ModalDriver &d) {
                nSourceBits = dlg.GetViewer()->GetSourceCtrl()->GetBitmapBits();
                Press(IDOK)(hDlg, d);
            },
            "Grafik Einstellungen");
        EXPECT_EQ(IDOK, dlg.DoModal());
        EXPECT_TRUE(driver.Join());
        ASSERT_EQ(2, dlg.GetSheet()->GetPageCount()); // "Bild" and "Panel"
        hResult = dlg.GetDIB();
        ASSERT_NE(nullptr, hResult);
    }
    ::GlobalFree(h16);
    EXPECT_EQ(24, nSourceBits);
    ASSERT_GE(::GlobalSize(hResult), sizeof(BITMAPINFOHEADER));
    const BITMAPINFOHEADER bih = *static_cast<const BITMAPINFOHEADER *>(::GlobalLock(hResult));
    ::GlobalUnlock(hResult);
    EXPECT_EQ((std::vector<long>{20, 10, 8}), (std::vector<long>{bih.biWidth, bih.biHeight, bih.biBitCount}));
    EXPECT_EQ(nullptr, ::GlobalFree(hResult));
}

TEST_F(ImageSettingsTest, UnclaimedDibIsFreedWithTheDialog)
{
    void *hPending = nullptr;
    {
        TestSettingsDlg dlg(hSource, 4, &names);
        ModalDriver driver(Press(IDOK), "Grafik Einstellungen");
        EXPECT_EQ(IDOK, dlg.DoModal());
        EXPECT_TRUE(driver.Join());
        EXPECT_EQ(1, dlg.GetSheet()->GetPageCount()); // 4 bits: "Bild" only
        hPending = dlg.PendingResult();
        ASSERT_NE(nullptr, hPending);
        EXPECT_NE(0u, ::GlobalSize(hPending));
    }
    EXPECT_EQ(0u, ::GlobalSize(hPending)); // freed by the destructor
}

// Cancel gives no DIB; a missing imaging control shows the message and the
// dialog opens empty, giving none after OK either.
TEST_F(ImageSettingsTest, CancelOrAMissingImagingControlGiveNoDib)
{
    {
        TestSettingsDlg dlg(hSource, 8, &names);
        ModalDriver driver(Press(IDCANCEL), "Grafik Einstellungen");
        EXPECT_EQ(IDCANCEL, dlg.DoModal());
        EXPECT_TRUE(driver.Join());
        EXPECT_EQ(nullptr, dlg.GetDIB());
    }
    TestSettingsDlg dlg(hSource, 8, &names, true);
    qrvtest::MessageBoxAnswerer answer(IDOK);
    ModalDriver driver(Press(IDOK), "Grafik Einstellungen");
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_TRUE(driver.Join());
    qrvtest::MessageBoxRecord box = answer.Join();
    EXPECT_TRUE(box.shown);
    EXPECT_NE(std::string::npos, box.text.find("ActiveX Kontrollelement"));
    EXPECT_EQ(nullptr, dlg.GetDIB());
}

} // namespace
