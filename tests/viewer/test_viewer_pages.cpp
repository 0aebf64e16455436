// The viewer's property pages in a live sheet: settings both ways, the blank page, the sizes; and the
// image settings dialog run modally: OK, Cancel, the result's owner, pages, no imaging control.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "imaging/BmpFile.h"
#include "resources/resource.h"
#include "uiauto/ControlActions.h"
#include "uiauto/MessageBoxAnswer.h"
#include "uiauto/MessagePump.h"
#include "uiauto/ModalDriver.h"
#include "tests/support/TestApp.h"
#include "tests/viewer/ViewerTestSupport.h"
#include "viewer/ImageSettingsDlg.h"
#include "tests/support/DialogLayout.h"
#include "viewer/LeadViewerPpg.h"
#include "viewer/ViewerGeneralPpg.h"
#include "viewer/ViewerPanelPpg.h"
#include "viewer/ViewerPps.h"

using namespace viewertest;

namespace {

const TestPalettes kPal;

bool Inside(const CRect &rcInner, const CRect &rcOuter)
{
    CRect rc;
    rc.IntersectRect(&rcInner, &rcOuter);
    return rc == rcInner;
}

class PagesTest : public ::testing::Test {
protected:
    HostWindow host{500, 400};
    TestViewer viewer;
    CStringArray names;
    CViewerPps *pSheet = nullptr;
    void SetUp() override
    {
        for (const char *name : {"16 Farben", "256 Farben", "True Color"})
            names.Add(name);
        ASSERT_TRUE(viewer.Create(WS_VISIBLE, CRect(0, 0, 200, 150), &host, 1000));
        viewer.SetImage(Dib(SolidImage(32, 24, 0x808080)));
    }
    void OpenSheet(int nBits, const unsigned long *pPlx508 = nullptr)
    {
        const DWORD dwStyle = WS_CHILD | WS_VISIBLE | DS_3DLOOK | DS_SETFONT;
        viewer.SetColorInfo(nBits, nullptr, nullptr, pPlx508, nullptr);
        pSheet = new CViewerPps(&names, "", &host, 0);
        pSheet->EnableSizeToPage(1);
        ASSERT_TRUE(pSheet->Create(&host, dwStyle, 0));
        pSheet->SetCurViewer(&viewer);
        pSheet->SetActivePage(0);
        qrvtest::PumpFor(50);
    }
    void TearDown() override
    {
        if (pSheet) {
            pSheet->DestroyWindow();
            pSheet->RemoveAllPages();
            viewer.RemovePropertyPages(pSheet);
            delete pSheet;
        }
    }
    CLeadViewerPpg *ImagePage() { return viewer.GetImagePage(); }
    int SliderPos(UINT nID) { return (int)ImagePage()->SendDlgItemMessage(nID, TBM_GETPOS); }
    void MoveSlider(UINT nID, int nPos)
    {
        HWND hSlider = ::GetDlgItem(ImagePage()->m_hWnd, nID);
        ::SendMessageA(hSlider, TBM_SETPOS, TRUE, nPos);
        ImagePage()->SendMessage(WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, nPos), (LPARAM)hSlider);
    }
    // The notification a control of the page sends its page.
    void Command(CWnd *pPage, UINT nID, UINT nCode)
    {
        pPage->SendMessage(WM_COMMAND, MAKEWPARAM(nID, nCode), (LPARAM)::GetDlgItem(pPage->m_hWnd, nID));
    }
};

TEST_F(PagesTest, ResetKeepsSizeToFitSlidersShowTenthsAndThePanelPageTheLowerDepth)
{
    OpenSheet(8, kPal.plx508);
    viewer.EnableSizeToFit(0);
    viewer.EnableInvert(1, 0);
    viewer.EnableSmooth(1, 0);
    viewer.EnablePlx508Mode(1, 0);
    viewer.SetDither(6, 0);
    viewer.SetContrast(40, 0); // marks modified, which the reset leaves
    viewer.UpdatePropertyPages();
    ImagePage()->CheckDlgButton(IDC_VIEWER_SIZETOFIT, BST_UNCHECKED);
    Command(ImagePage(), IDC_VIEWER_RESET, BN_CLICKED);
    // Invert, smooth, Plx508 mode, dither and contrast reset; modified, depth and size to fit kept.
    EXPECT_EQ((std::vector<int>{0, 0, 0, 2, 0, 1, 8, 0}),
              (std::vector<int>{viewer.GetInvert(), viewer.GetSmooth(), viewer.GetPlx508Mode(),
                                viewer.GetDither(), viewer.GetContrast(), viewer.IsModified(),
                                viewer.GetImageColorBits(), viewer.IsSizeToFitEnabled()}));
    EXPECT_EQ(BST_UNCHECKED, ImagePage()->IsDlgButtonChecked(IDC_VIEWER_INVERT));
    EXPECT_EQ(BST_UNCHECKED, ImagePage()->IsDlgButtonChecked(IDC_VIEWER_SIZETOFIT));
    EXPECT_EQ(2, (int)ImagePage()->SendDlgItemMessage(IDC_VIEWER_DITHER, CB_GETCURSEL));
    // The list holds the eight methods.
    HWND hList = ::GetDlgItem(ImagePage()->m_hWnd, IDC_VIEWER_DITHER);
    ASSERT_EQ(8, (int)::SendMessageA(hList, CB_GETCOUNT, 0, 0));
    char sz[32];
    ::SendMessageA(hList, CB_GETLBTEXT, 2, (LPARAM)sz);
    EXPECT_STREQ("Floyd-Steinberg", sz);
    ::SendMessageA(hList, CB_GETLBTEXT, 7, (LPARAM)sz);
    EXPECT_STREQ("Jarvis", sz);
    viewer.SetContrast(-35, 0);
    viewer.SetBrightness(1000, 0);
    viewer.UpdatePropertyPages();
    EXPECT_EQ(-3, SliderPos(IDC_VIEWER_CONTRAST));
    EXPECT_EQ(100, SliderPos(IDC_VIEWER_BRIGHTNESS));
    viewer.SetModified(0);
    MoveSlider(IDC_VIEWER_CONTRAST, -3);
    EXPECT_EQ(-30, viewer.GetContrast());
    EXPECT_EQ(1, viewer.IsModified());
    EXPECT_TRUE(PanelShowsItsSettings(viewer)); // recomputed at once
    MoveSlider(IDC_VIEWER_BRIGHTNESS, -40);
    EXPECT_EQ(-400, viewer.GetBrightness());
    // The panel page shows the lower of image and panel depth.
    viewer.SetImageColorBits(16, 0);
    pSheet->SetActivePage(1);
    CViewerPanelPpg *pPanel = viewer.GetPanelPage();
    ASSERT_NE(nullptr, pPanel->GetSafeHwnd());
    viewer.UpdatePropertyPages();
    EXPECT_EQ(1, (int)pPanel->SendDlgItemMessage(IDC_VIEWER_COLORS, CB_GETCURSEL));
    EXPECT_EQ(3, (int)pPanel->SendDlgItemMessage(IDC_VIEWER_COLORS, CB_GETCOUNT));
    pPanel->SendDlgItemMessage(IDC_VIEWER_COLORS, CB_SETCURSEL, 0);
    Command(pPanel, IDC_VIEWER_COLORS, CBN_SELCHANGE);
    EXPECT_EQ(4, viewer.GetImageColorBits());
}

// Every control of the image page sets its setting at once; the boxes show the viewer's too.
TEST_F(PagesTest, EveryControlOfTheImagePageSetsItsSettingAtOnce)
{
    OpenSheet(8, kPal.plx508);
    using W = CLeadViewerWnd;
    const struct {
        UINT nID;
        int (W::*get)() const;
        void (W::*set)(int, int);
    } boxes[] = {
        {IDC_VIEWER_SMOOTH, &W::GetSmooth, &W::EnableSmooth},
        {IDC_VIEWER_INVERT, &W::GetInvert, &W::EnableInvert},
        {IDC_VIEWER_BLUR, &W::GetBlur, &W::EnableBlur},
        {IDC_VIEWER_SHARPEN, &W::GetSharpen, &W::EnableSharpen},
        {IDC_VIEWER_FLIP, &W::GetFlip, &W::EnableFlip},
        {IDC_VIEWER_MIRROR, &W::GetMirror, &W::EnableMirror},
        {IDC_VIEWER_PLX5, &W::GetPlx508Mode, &W::EnablePlx508Mode},
    };
    for (const auto &b : boxes)
        for (UINT check : {BST_CHECKED, BST_UNCHECKED}) {
            SCOPED_TRACE(testing::Message() << b.nID << (check == BST_CHECKED ? " on" : " off"));
            ImagePage()->CheckDlgButton(b.nID, check);
            Command(ImagePage(), b.nID, BN_CLICKED);
            EXPECT_EQ(check == BST_CHECKED ? 1 : 0, (viewer.*b.get)());
            EXPECT_TRUE(PanelShowsItsSettings(viewer));
            // And back: the page shows the viewer's setting.
            (viewer.*b.set)(check != BST_CHECKED, 0);
            viewer.UpdatePropertyPages();
            EXPECT_NE(check, ImagePage()->IsDlgButtonChecked(b.nID));
        }
    for (int sel : {7, -1, 0}) {
        ImagePage()->SendDlgItemMessage(IDC_VIEWER_DITHER, CB_SETCURSEL, sel);
        Command(ImagePage(), IDC_VIEWER_DITHER, CBN_SELCHANGE);
        EXPECT_EQ(sel < 0 ? 7 : sel, viewer.GetDither()) << sel;
    }
    ImagePage()->CheckDlgButton(IDC_VIEWER_SIZETOFIT, BST_UNCHECKED);
    Command(ImagePage(), IDC_VIEWER_SIZETOFIT, BN_CLICKED);
    EXPECT_EQ(0, viewer.IsSizeToFitEnabled());
}

// The general page shows size and file; the image page hides what it is told; closing only hides.
TEST_F(PagesTest, TheGeneralPageShowsSizeAndFileAndThePageHidesWhatItIsTold)
{
    viewer.SetViewerStyle(VWS_GENERALPAGE);
    OpenSheet(8);
    ASSERT_EQ(3, pSheet->GetPageCount());
    CViewerGeneralPpg *pGeneral = viewer.GetGeneralPage();
    ASSERT_EQ(pGeneral, pSheet->GetPage(0));
    ASSERT_NE(nullptr, pGeneral->GetSafeHwnd());
    EXPECT_EQ("32 x 24", qrvtest::ItemText(pGeneral->m_hWnd, IDC_VIEWER_SIZE));
    const std::string path = qrvtest::FreshTempFolder("viewer-pages") + "\\neu.bmp";
    ASSERT_EQ(qrv::img::kOk, qrv::img::BmpFile::Save(path, SolidImage(20, 10, 0x00FF00)));
    ASSERT_EQ(1, viewer.LoadFile(path.c_str()));
    EXPECT_EQ("20 x 10", qrvtest::ItemText(pGeneral->m_hWnd, IDC_VIEWER_SIZE));
    EXPECT_EQ(path, qrvtest::ItemText(pGeneral->m_hWnd, IDC_VIEWER_FILENAME));

    pSheet->OnCloseViewer(&viewer);
    viewer.ShowSizeToPage(0);
    viewer.ShowPlx508CompatibilityCtrl(1);
    pSheet->OnOpenViewer(&viewer);
    ASSERT_EQ(3, pSheet->GetPageCount());
    pSheet->SetActivePage(1);
    ASSERT_EQ(ImagePage(), pSheet->GetActivePage());
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(ImagePage()->m_hWnd, IDC_VIEWER_SIZETOFIT)));
    EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(ImagePage()->m_hWnd, IDC_VIEWER_PLX5)));
    pSheet->SendMessage(WM_CLOSE);
    EXPECT_FALSE(pSheet->IsWindowVisible());
    EXPECT_TRUE(::IsWindow(pSheet->m_hWnd));
}

TEST_F(PagesTest, ThePagesFollowTheDepthAndAViewerWithoutPagesLeavesTheBlankPage)
{
    OpenSheet(16);
    ASSERT_EQ(2, pSheet->GetPageCount());
    auto ditherEnabledAfterActivation = [&] {
        pSheet->SetActivePage(1);
        pSheet->SetActivePage(0);
        return ::IsWindowEnabled(::GetDlgItem(ImagePage()->m_hWnd, IDC_VIEWER_DITHER));
    };
    EXPECT_FALSE(ditherEnabledAfterActivation());
    viewer.SetImageColorBits(8, 0);
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(ImagePage()->m_hWnd, IDC_VIEWER_DITHER)));
    EXPECT_TRUE(ditherEnabledAfterActivation());
    struct : CLeadViewerWnd {
        int HasPropertyPages() override { return 0; }
    } plain;
    pSheet->OnOpenViewer(&plain);
    ASSERT_EQ(1, pSheet->GetPageCount());
    EXPECT_EQ(pSheet->GetBlankPage(), pSheet->GetPage(0));
    pSheet->SetCurViewer(&plain); // keeps the blank page
    pSheet->RemoveBlankPage();
    EXPECT_EQ(0, pSheet->GetPageCount());
    pSheet->SetCurViewer(nullptr); // a sheet without pages gets the blank page back
    ASSERT_EQ(1, pSheet->GetPageCount());
    pSheet->OnOpenViewer(&viewer);
    EXPECT_EQ(2, pSheet->GetPageCount());
    pSheet->OnCloseViewer(&viewer);
    ASSERT_EQ(1, pSheet->GetPageCount());
    EXPECT_EQ(pSheet->GetBlankPage(), pSheet->GetPage(0));
    viewer.SetColorInfo(4, nullptr, nullptr, nullptr, nullptr);
    pSheet->OnOpenViewer(&viewer);
    ASSERT_EQ(1, pSheet->GetPageCount());
    EXPECT_EQ(ImagePage(), pSheet->GetPage(0));
}

// Sized sheets show whole pages with every control inside; pages shrink with the sheet only.
TEST_F(PagesTest, SheetsShowThePagesWholeAtThePageSize)
{
    auto expectShownWhole = [&](CViewerPps &sheet, const char *what) {
        CRect rcClient, rcTab, rcPage;
        sheet.GetClientRect(&rcClient);
        sheet.ClientToScreen(&rcClient);
        sheet.GetTabControl()->GetWindowRect(&rcTab);
        sheet.GetActivePage()->GetWindowRect(&rcPage);
        EXPECT_EQ(sheet.GetPageSize(), rcPage.Size()) << what;
        EXPECT_TRUE(Inside(rcPage, rcTab)) << what;
        EXPECT_TRUE(Inside(rcTab, rcClient)) << what;
        // No more than a margin around the strip.
        EXPECT_LT(rcClient.Width() - rcTab.Width(), 30) << what;
        EXPECT_LT(rcClient.Height() - rcTab.Height(), 30) << what;
    };
    OpenSheet(8, kPal.plx508);
    expectShownWhole(*pSheet, "child");
    ASSERT_NE(nullptr, ImagePage()->GetSafeHwnd());
    EXPECT_EQ("", qrvtest::LayoutFaults(ImagePage()->m_hWnd));
    pSheet->SetActivePage(1);
    qrvtest::PumpFor(20);
    ASSERT_NE(nullptr, viewer.GetPanelPage()->GetSafeHwnd());
    EXPECT_EQ("", qrvtest::LayoutFaults(viewer.GetPanelPage()->m_hWnd));
    pSheet->SetActivePage(0);
    CViewerPps popup(&names, IDS_VIEWER_TAB_PANEL, &host, 0);
    popup.EnableSizeToPage(1);
    ASSERT_TRUE(popup.Create(&host, WS_POPUP | WS_CAPTION | WS_VISIBLE | DS_3DLOOK | DS_SETFONT, 0));
    qrvtest::PumpFor(50);
    expectShownWhole(popup, "popup");
    popup.DestroyWindow();
    const CSize page = pSheet->GetPageSize();
    CRect rc;
    pSheet->SetWindowPos(nullptr, 0, 0, page.cx + 200, page.cy + 200, SWP_NOMOVE | SWP_NOZORDER);
    ImagePage()->GetWindowRect(&rc);
    EXPECT_EQ(page, rc.Size());
    pSheet->SetWindowPos(nullptr, 0, 0, 80, 60, SWP_NOMOVE | SWP_NOZORDER);
    CRect rcClient;
    pSheet->GetClientRect(&rcClient);
    ImagePage()->GetWindowRect(&rc);
    EXPECT_EQ(rcClient.Size(), rc.Size());
}

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

// OK gives the panel image at the source size, the caller's once taken, else freed with the dialog.
TEST_F(PagesTest, OnlyOkWithAnImagingControlGivesThePanelImageWhichTheDialogFreesUnlessTaken)
{
    const Dib hSource(ColorfulImage(80, 60, 40));
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
    EXPECT_EQ(nullptr, dlg.GetDIB());
}

} // namespace
