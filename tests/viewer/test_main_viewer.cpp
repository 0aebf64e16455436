// The main viewer window: choosing viewers by extension, creating their
// windows with the shared id counter, switching with notifications, and
// carrying colour info and requested sizes over to viewers made current later.
#include <gtest/gtest.h>
#include <vector>
#include "tests/viewer/ViewerTestSupport.h"
#include "imaging/BmpFile.h"
#include "viewer/MainViewerWnd.h"
#include "viewer/ViewerList.h"

using namespace viewertest;

namespace {

// The pane's owner: keeps every NMVIEWER it receives.
class OwnerWindow : public HostWindow {
public:
    OwnerWindow() : HostWindow(320, 240) {}
    struct Note {
        UINT code;
        UINT_PTR id;
        CViewerWnd *pViewer;
        int x, y;
    };
    std::vector<Note> notes;

protected:
    BOOL OnNotify(WPARAM, LPARAM lParam, LRESULT *pResult) override
    {
        const NMVIEWER *p = reinterpret_cast<const NMVIEWER *>(lParam);
        Note n{p->hdr.code, p->hdr.idFrom, nullptr, 0, 0};
        if (p->hdr.code == VWN_CONTEXTMENU) {
            n.x = p->pt.x;
            n.y = p->pt.y;
        } else
            n.pViewer = p->pViewer;
        notes.push_back(n);
        *pResult = 0;
        return TRUE;
    }
};

class MainViewerTest : public ::testing::Test {
protected:
    OwnerWindow owner;
    CMainViewerWnd pane;
    FakeViewer bitmaps{5, "bmp;dib|Bitmaps"};
    FakeViewer pictures{6, "BMP;PNG;JPEG|Bilder"};
    void SetUp() override
    {
        ASSERT_TRUE(pane.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 200), &owner, 77));
        pane.InsertViewer(&bitmaps);
        pane.InsertViewer(&pictures);
    }
    void TearDown() override
    {
        if (bitmaps.GetSafeHwnd())
            bitmaps.DestroyWindow();
        if (pictures.GetSafeHwnd())
            pictures.DestroyWindow();
    }
};

TEST_F(MainViewerTest, FindViewerMatchesExtensionsAndChildIdsCountOnAcrossMainWindows)
{
    EXPECT_EQ(&bitmaps, pane.FindViewer("C:\\bilder\\a.BMP"));
    EXPECT_EQ(&bitmaps, pane.FindViewer("C:\\bilder\\a.bmp"));
    EXPECT_EQ(&pictures, pane.FindViewer("C:\\bilder\\a.png"));
    EXPECT_EQ(&pictures, pane.FindViewer("C:\\bilder\\a.jpe")); // part of JPEG
    EXPECT_EQ(&bitmaps, pane.FindViewer("C:\\bilder\\a.di"));
    EXPECT_EQ(nullptr, pane.FindViewer("C:\\bilder\\a.gif"));
    EXPECT_EQ(0, pane.LoadFile("C:\\bilder\\a.gif"));
    EXPECT_EQ(nullptr, pane.GetCurViewer());
    // The viewers' windows take ids from a counter shared by all main windows.
    int nFirst = CMainViewerWnd::m_nChildId;
    ASSERT_EQ(&bitmaps, pane.GetViewer(5));
    EXPECT_EQ(nFirst, bitmaps.GetDlgCtrlID());
    EXPECT_EQ(&bitmaps, pane.GetViewer(5)); // exists: no new id
    CMainViewerWnd second;
    ASSERT_TRUE(second.Create(WS_CHILD, CRect(0, 0, 100, 100), &owner, 78));
    second.InsertViewer(&pictures);
    ASSERT_EQ(&pictures, second.GetViewer(6));
    EXPECT_EQ(nFirst + 1, pictures.GetDlgCtrlID());
    EXPECT_EQ(nFirst + 2, CMainViewerWnd::m_nChildId);
    EXPECT_EQ(nullptr, pane.GetViewer(9));
}

TEST_F(MainViewerTest, SetViewerNotifiesDeactivateThenActivateAndTheContextMenu)
{
    // The context menu is reported only with a current viewer.
    pane.SendMessage(WM_CONTEXTMENU, (WPARAM)pane.m_hWnd, MAKELPARAM(12, 34));
    EXPECT_TRUE(owner.notes.empty());
    ASSERT_EQ(1, pane.LoadFile("C:\\a.bmp"));
    ASSERT_EQ(1u, owner.notes.size());
    EXPECT_EQ(UINT(VWN_ACTIVATE), owner.notes[0].code);
    EXPECT_EQ(77u, owner.notes[0].id);
    EXPECT_EQ(&bitmaps, owner.notes[0].pViewer);
    EXPECT_EQ((std::vector<std::string>{"LoadFile C:\\a.bmp", "SetColorInfo", "Refresh"}), bitmaps.calls);
    EXPECT_TRUE(bitmaps.IsWindowVisible());
    // The same viewer again: no notification, 0, but a refresh.
    bitmaps.calls.clear();
    EXPECT_EQ(0, pane.SetViewer(&bitmaps));
    EXPECT_EQ(1u, owner.notes.size());
    EXPECT_EQ((std::vector<std::string>{"Refresh"}), bitmaps.calls);
    pane.SendMessage(WM_CONTEXTMENU, (WPARAM)pane.m_hWnd, MAKELPARAM(12, 34));
    ASSERT_EQ(2u, owner.notes.size());
    EXPECT_EQ(UINT(VWN_CONTEXTMENU), owner.notes[1].code);
    EXPECT_EQ(12, owner.notes[1].x);
    EXPECT_EQ(34, owner.notes[1].y);
    ASSERT_EQ(1, pane.LoadFile("C:\\a.png"));
    ASSERT_EQ(4u, owner.notes.size());
    EXPECT_EQ(UINT(VWN_DEACTIVATE), owner.notes[2].code);
    EXPECT_EQ(&bitmaps, owner.notes[2].pViewer);
    EXPECT_EQ(UINT(VWN_ACTIVATE), owner.notes[3].code);
    EXPECT_EQ(&pictures, owner.notes[3].pViewer);
    EXPECT_FALSE(bitmaps.IsWindowVisible());
    EXPECT_EQ(1, pane.SetViewer(nullptr));
    ASSERT_EQ(5u, owner.notes.size());
    EXPECT_EQ(UINT(VWN_DEACTIVATE), owner.notes[4].code);
    EXPECT_FALSE(pictures.IsWindowVisible());
    EXPECT_EQ(nullptr, pane.GetCurViewer());
}

TEST_F(MainViewerTest, ColourInfoAndRequestedSizeGivenBeforeAViewerAreCarriedOver)
{
    pane.SetImageSize(CSize(0, 50)); // a zero dimension is not passed on
    pane.LoadFile("C:\\a.png");
    EXPECT_EQ(CSize(0, 0), pictures.GetRequestedImageSize());
    EXPECT_EQ(0, pictures.nColorBits); // nothing given yet: 0 and no palettes
    EXPECT_EQ(nullptr, pictures.pColorPalettes[0]);
    unsigned long p16[16] = {}, p256[256] = {}, plx[256] = {}, p8[8] = {};
    pane.SetViewer(nullptr);
    pane.SetColorInfo(8, p16, p256, plx, p8);
    EXPECT_EQ(8, pane.GetPanelColorBits());
    pane.LoadFile("C:\\a.bmp");
    EXPECT_EQ(8, bitmaps.nColorBits);
    EXPECT_EQ(p16, bitmaps.pColorPalettes[0]);
    EXPECT_EQ(p256, bitmaps.pColorPalettes[1]);
    EXPECT_EQ(plx, bitmaps.pColorPalettes[2]);
    EXPECT_EQ(p8, bitmaps.pColorPalettes[3]);
    pane.SetImageSize(CSize(64, 50)); // straight to the current viewer
    EXPECT_EQ(CSize(64, 50), bitmaps.GetRequestedImageSize());
    pane.LoadFile("C:\\a.png");
    EXPECT_EQ(CSize(64, 50), pictures.GetRequestedImageSize());
}

TEST_F(MainViewerTest, CacheDataLoadsOnlyAnotherFileAndTheViewerFollowsThePaneSize)
{
    EXPECT_EQ(0, pane.CacheData(nullptr, "C:\\a.bmp")); // no current viewer
    pane.LoadFile("C:\\a.bmp");
    bitmaps.calls.clear();
    EXPECT_EQ(7, pane.CacheData(nullptr, "C:\\a.bmp"));
    EXPECT_EQ((std::vector<std::string>{"CacheData"}), bitmaps.calls);
    EXPECT_EQ(7, pane.CacheData(nullptr, "C:\\b.png"));
    EXPECT_EQ((std::vector<std::string>{"LoadFile C:\\b.png", "CacheData"}), pictures.calls);
    EXPECT_EQ(&bitmaps, pane.GetCurViewer());
    EXPECT_EQ(0, pane.CacheData(nullptr, "C:\\b.gif"));
    pictures.nLoadResult = 0;
    EXPECT_EQ(0, pane.CacheData(nullptr, "C:\\c.png"));
    // The current viewer's size follows the pane's, less one pixel.
    pane.SetWindowPos(nullptr, 0, 0, 200, 150, SWP_NOMOVE | SWP_NOZORDER);
    CRect rc;
    bitmaps.GetWindowRect(&rc);
    EXPECT_EQ(CSize(199, 149), rc.Size());
}

// Without a current viewer the pane answers nothing; with an image viewer
// from a list current, it passes file name, images and sizes through.
TEST_F(MainViewerTest, ThePanePassesImagesToAndFromTheCurrentViewer)
{
    CSize size(-1, -1);
    CString name("bleibt");
    EXPECT_EQ(0, pane.GetImageSize(&size) + pane.GetCurFileName(&name) + pane.IsModified());
    EXPECT_TRUE(!pane.GetPanelImage() && !pane.GetOriginalImage() && !pane.FindViewer(nullptr));
    pane.SetImage(nullptr);
    pane.Refresh();
    EXPECT_EQ(CSize(-1, -1), size);
    EXPECT_STREQ("bleibt", name);

    CViewerList list;
    list.AddViewer(1, 0, "bmp|Bitmaps");
    pane.Reset();
    pane.AddViewerList(nullptr);
    pane.AddViewerList(&list);
    EXPECT_EQ(nullptr, pane.FindViewer("C:\\a.png")) << "the viewers before the reset are gone";
    const std::string path = TempFolder() + "a.bmp";
    ASSERT_EQ(qrv::img::kOk, qrv::img::BmpFile::Save(path, SolidImage(30, 20, 0xFF0000)));
    ASSERT_EQ(1, pane.LoadFile(path.c_str()));
    EXPECT_EQ(list.GetHead(), pane.GetCurViewer());
    EXPECT_EQ(1, pane.GetCurFileName(&name));
    EXPECT_EQ(path, std::string(name));
    EXPECT_EQ(1, pane.GetImageSize(&size));
    EXPECT_EQ(CSize(30, 20), size);
    HGLOBAL hDib = MakeDib(SolidImage(12, 8, 0x0000FF));
    pane.SetImage(hDib);
    ::GlobalFree(hDib);
    pane.GetImageSize(&size);
    EXPECT_EQ(CSize(12, 8), size);
    EXPECT_EQ(0, pane.IsModified());
    for (HGLOBAL h : {(HGLOBAL)pane.GetPanelImage(), (HGLOBAL)pane.GetOriginalImage()}) {
        ASSERT_NE(nullptr, h);
        EXPECT_EQ(8, static_cast<BITMAPINFOHEADER *>(::GlobalLock(h))->biHeight);
        ::GlobalUnlock(h);
        ::GlobalFree(h);
    }
    pane.SetViewer(nullptr);
    list.DeleteAll();
}

TEST_F(MainViewerTest, HasFocusLooksThroughTheWholeTree)
{
    pane.LoadFile("C:\\a.bmp");
    CWnd inner;
    ASSERT_TRUE(
        inner.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(0, 0, 10, 10), &bitmaps, 5));
    owner.SetFocus();
    EXPECT_EQ(0, pane.HasFocus(nullptr));
    inner.SetFocus();
    if (::GetFocus() != inner.m_hWnd)
        GTEST_SKIP() << "the focus cannot be set on this display";
    EXPECT_EQ(1, pane.HasFocus(nullptr));
    EXPECT_EQ(1, pane.HasFocus(&bitmaps));
    pane.SetFocus();
    EXPECT_EQ(1, pane.HasFocus(nullptr));
    EXPECT_EQ(0, pane.HasFocus(&bitmaps));
    inner.DestroyWindow();
}

} // namespace
