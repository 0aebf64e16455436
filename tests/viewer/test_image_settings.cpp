// The image settings dialog run modally: OK, Cancel, the result's owner, pages, no imaging control.
#include <gtest/gtest.h>
#include <vector>
#include "uiauto/MessageBoxAnswer.h"
#include "uiauto/ModalDriver.h"
#include "tests/viewer/ViewerTestSupport.h"
#include "viewer/ImageSettingsDlg.h"
#include "viewer/ViewerPps.h"

using namespace viewertest;

namespace {

const TestPalettes kPal;

class TestSettingsDlg : public CImageSettingsDlg {
public:
    TestSettingsDlg(HGLOBAL hDib, int nBits, CStringArray *pNames, bool bMissingControl = false)
        : CImageSettingsDlg(hDib, nBits, kPal.pal16, kPal.pal256, pNames, kPal.plx508, kPal.pal8, nullptr),
          m_bMissing(bMissingControl)
    {
    }
    void *PendingResult() const { return m_hResultDib; }
    // Runs the dialog modally and presses the button as soon as it shows.
    void RunAndPress(int nID)
    {
        qrvtest::ModalDriver driver(
            [nID](HWND hDlg, qrvtest::ModalDriver &d) {
                ::PostMessageA(hDlg, WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED),
                               (LPARAM)::GetDlgItem(hDlg, nID));
                if (!d.WaitClosed())
                    d.Fail("the dialog stayed open");
            },
            "Grafik Einstellungen");
        EXPECT_EQ(nID, DoModal());
        EXPECT_TRUE(driver.Join());
    }

protected:
    CLeadViewerWnd *CreateViewer() override { return new TestViewer(VWS_PANELTABS, m_bMissing); }

private:
    bool m_bMissing;
};

class ImageSettingsTest : public ::testing::Test {
protected:
    CStringArray names;
    HGLOBAL hSource = nullptr;
    void SetUp() override
    {
        names.Add("16 Farben");
        names.Add("256 Farben");
        names.Add("True Color");
        hSource = MakeDib(ColorfulImage(80, 60, 40));
    }
    void TearDown() override { ::GlobalFree(hSource); }
};

// OK gives the panel image at the source size, the caller's once taken, else freed with the dialog.
TEST_F(ImageSettingsTest, OnlyOkWithAnImagingControlGivesThePanelImageWhichTheDialogFreesUnlessTaken)
{
    void *hResult = nullptr, *hPending = nullptr;
    {
        TestSettingsDlg dlg(hSource, 8, &names);
        dlg.RunAndPress(IDOK);
        ASSERT_EQ(2, dlg.GetSheet()->GetPageCount()); // "Bild" and "Panel"
        hResult = dlg.GetDIB();
        ASSERT_NE(nullptr, hResult);
    }
    const Image result = TakeDib(hResult); // read and freed after the dialog is gone
    EXPECT_EQ((std::vector<int>{80, 60, 8}),
              (std::vector<int>{result.Width(), result.Height(), result.BitsPerPixel()}));
    {
        TestSettingsDlg dlg(hSource, 4, &names);
        dlg.RunAndPress(IDOK);
        EXPECT_EQ(1, dlg.GetSheet()->GetPageCount()); // 4 bits: "Bild" only
        hPending = dlg.PendingResult();
        ASSERT_NE(nullptr, hPending);
        EXPECT_NE(0u, ::GlobalSize(hPending));
    }
    EXPECT_EQ(0u, ::GlobalSize(hPending)); // freed by the destructor
    // Cancel gives none; without the imaging control a message shows and OK gives none either.
    {
        TestSettingsDlg dlg(hSource, 8, &names);
        dlg.RunAndPress(IDCANCEL);
        EXPECT_EQ(nullptr, dlg.GetDIB());
    }
    TestSettingsDlg dlg(hSource, 8, &names, true);
    qrvtest::MessageBoxAnswerer answer(IDOK);
    dlg.RunAndPress(IDOK);
    qrvtest::MessageBoxRecord box = answer.Join();
    EXPECT_TRUE(box.shown);
    EXPECT_NE(std::string::npos, box.text.find("ActiveX Kontrollelement"));
    EXPECT_EQ(nullptr, dlg.GetDIB());
}

} // namespace
