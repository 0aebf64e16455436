// The main viewer window with two image viewers of a host's own types, switched and passed through;
// the viewer list read from the registry: the "File Info" split, unknown types and a missing key.
#include <gtest/gtest.h>
#include <afxole.h>
#include <wincodec.h>
#include <tuple>
#include <vector>
#include "tests/support/TestApp.h"
#include "tests/viewer/ViewerTestSupport.h"
#include "imaging/BmpFile.h"
#include "viewer/MainViewerWnd.h"
#include "viewer/ViewerList.h"

using namespace viewertest;

namespace {

// The pane's owner, keeping every notification as code, sender's id, viewer (or the point).
using Note = std::tuple<UINT, UINT_PTR, CViewerWnd *, int, int>;
class OwnerWindow : public HostWindow {
public:
    OwnerWindow() : HostWindow(320, 240) {}
    std::vector<Note> notes;

protected:
    BOOL OnNotify(WPARAM, LPARAM lParam, LRESULT *pResult) override
    {
        const NMVIEWER *p = reinterpret_cast<const NMVIEWER *>(lParam);
        const bool menu = p->hdr.code == VWN_CONTEXTMENU;
        notes.emplace_back(p->hdr.code, p->hdr.idFrom, menu ? nullptr : p->pViewer, menu ? p->pt.x : 0,
                           menu ? p->pt.y : 0);
        *pResult = 0;
        return TRUE;
    }
};

class MainViewerTest : public ::testing::Test {
protected:
    OwnerWindow owner;
    CMainViewerWnd pane;
    TypedViewer bitmaps{5, "bmp;dib|Bitmaps"};
    TypedViewer pictures{6, "BMP;PNG;JPEG|Bilder"};
    std::string bmp, png;
    void SetUp() override
    {
        ASSERT_TRUE(pane.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 200), &owner, 77));
        pane.InsertViewer(&bitmaps);
        pane.InsertViewer(&pictures);
        const std::string dir = qrvtest::FreshTempFolder("viewer-main") + "\\";
        bmp = dir + "a.bmp";
        png = dir + "b.png";
        ASSERT_EQ(qrv::img::kOk, qrv::img::BmpFile::Save(bmp, SolidImage(30, 20, 0xFF0000)));
        ASSERT_TRUE(WriteWicFile(png, GUID_ContainerFormatPng, GradientImage(24, 16), 96));
    }
};

TEST_F(MainViewerTest, FindViewerMatchesExtensionsAndChildIdsCountOnAcrossMainWindows)
{
    const std::pair<const char *, CViewerWnd *> found[] = {
        {"a.BMP", &bitmaps}, {"a.bmp", &bitmaps}, {"a.png", &pictures}, {"a.jpe", &pictures}, // part of JPEG
        {"a.di", &bitmaps},  {"a.gif", nullptr},
    };
    for (const auto &[name, viewer] : found)
        EXPECT_EQ(viewer, pane.FindViewer((std::string("C:\\bilder\\") + name).c_str())) << name;
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
    ASSERT_EQ(1, pane.LoadFile(bmp.c_str()));
    EXPECT_EQ(std::vector<Note>({{VWN_ACTIVATE, 77, &bitmaps, 0, 0}}), owner.notes);
    EXPECT_EQ(CSize(30, 20), bitmaps.GetImageSize()) << "loaded";
    EXPECT_TRUE(bitmaps.IsWindowVisible());
    EXPECT_EQ(0, pane.SetViewer(&bitmaps)); // the same viewer: no notification
    pane.SendMessage(WM_CONTEXTMENU, (WPARAM)pane.m_hWnd, MAKELPARAM(12, 34));
    // A file the viewer cannot read still makes it current.
    ASSERT_EQ(1, pane.LoadFile("C:\\fehlt.png"));
    EXPECT_FALSE(bitmaps.IsWindowVisible());
    EXPECT_EQ(1, pane.SetViewer(nullptr));
    EXPECT_FALSE(pictures.IsWindowVisible());
    EXPECT_EQ(nullptr, pane.GetCurViewer());
    EXPECT_EQ(std::vector<Note>({{VWN_ACTIVATE, 77, &bitmaps, 0, 0},
                                 {VWN_CONTEXTMENU, 77, nullptr, 12, 34},
                                 {VWN_DEACTIVATE, 77, &bitmaps, 0, 0},
                                 {VWN_ACTIVATE, 77, &pictures, 0, 0},
                                 {VWN_DEACTIVATE, 77, &pictures, 0, 0}}),
              owner.notes);
}

TEST_F(MainViewerTest, ColourInfoAndRequestedSizeGivenBeforeAViewerAreCarriedOver)
{
    pane.SetImageSize(CSize(0, 50)); // a zero dimension is not passed on
    pane.LoadFile(png.c_str());
    EXPECT_EQ(CSize(0, 0), pictures.GetRequestedImageSize());
    EXPECT_EQ(0, pictures.GetPanelColorBits()); // nothing given yet: 0 and no palettes
    EXPECT_EQ(nullptr, pictures.GetPanelSettings().pPal16);
    const TestPalettes pal;
    pane.SetViewer(nullptr);
    pane.SetColorInfo(8, pal.pal16, pal.pal256, pal.plx508, pal.pal8);
    EXPECT_EQ(8, pane.GetPanelColorBits());
    pane.LoadFile(bmp.c_str());
    const CPanelSettings s = bitmaps.GetPanelSettings();
    EXPECT_EQ(8, s.nColorBits);
    EXPECT_TRUE(s.pPal16 == pal.pal16 && s.pPal256 == pal.pal256 && s.pPalPlx508 == pal.plx508 &&
                s.pPal8 == pal.pal8);
    EXPECT_EQ(pal.pal256[99], bitmaps.GetPanelCtrl()->GetUserPalette(99));
    pane.SetImageSize(CSize(64, 50)); // straight to the current viewer
    EXPECT_EQ(CSize(64, 50), bitmaps.GetRequestedImageSize());
    pane.LoadFile(png.c_str());
    EXPECT_EQ(CSize(64, 50), pictures.GetRequestedImageSize());
}

// The current viewer's clipboard data, or another viewer's after loading; none for unknown files.
TEST_F(MainViewerTest, CacheDataLoadsOnlyAnotherFileAndTheViewerFollowsThePaneSize)
{
    ASSERT_TRUE(AfxOleInit());
    COleDataSource source;
    EXPECT_EQ(0, pane.CacheData(&source, bmp.c_str())); // no current viewer
    pane.LoadFile(bmp.c_str());
    EXPECT_EQ(1, pane.CacheData(&source, bmp.c_str()));
    EXPECT_EQ(2, source.GetFormatCount());
    // Another viewer loads the file without a refresh: no panel image to offer yet.
    ASSERT_EQ(&pictures, pane.GetViewer(6));
    EXPECT_EQ(0, pane.CacheData(&source, png.c_str()));
    EXPECT_EQ(std::string(png), std::string(pictures.GetFileName()));
    EXPECT_EQ(&bitmaps, pane.GetCurViewer());
    EXPECT_EQ(0, pane.CacheData(&source, "C:\\b.gif"));
    EXPECT_EQ(0, pane.CacheData(&source, "C:\\fehlt.png"));
    // The current viewer's size follows the pane's, less one pixel.
    pane.SetWindowPos(nullptr, 0, 0, 200, 150, SWP_NOMOVE | SWP_NOZORDER);
    CRect rc;
    bitmaps.GetWindowRect(&rc);
    EXPECT_EQ(CSize(199, 149), rc.Size());
}

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
    ASSERT_EQ(1, pane.LoadFile(bmp.c_str()));
    CLeadViewerWnd *pViewer = static_cast<CLeadViewerWnd *>(list.GetHead());
    EXPECT_EQ(pViewer, pane.GetCurViewer());
    EXPECT_EQ(1, pane.GetCurFileName(&name));
    EXPECT_EQ(bmp, std::string(name));
    EXPECT_EQ(1, pane.GetImageSize(&size));
    EXPECT_EQ(CSize(30, 20), size);
    EXPECT_EQ(0, pane.GetImageSize(nullptr) + pane.GetCurFileName(nullptr));
    pane.SetImage(Dib(SolidImage(12, 8, 0x0000FF)));
    pane.GetImageSize(&size);
    EXPECT_EQ(CSize(12, 8), size);
    EXPECT_TRUE(PanelShowsItsSettings(*pViewer)) << "refreshed";
    EXPECT_EQ(0, pane.IsModified());
    EXPECT_EQ(8, TakeDib(pane.GetPanelImage()).Height());
    EXPECT_EQ(8, TakeDib(pane.GetOriginalImage()).Height());
    pane.SetViewer(nullptr);
    list.DeleteAll();
}

TEST_F(MainViewerTest, HasFocusLooksThroughTheWholeTree)
{
    pane.LoadFile(bmp.c_str());
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

const char kRoot[] = "Software\\QRV Tests\\Viewers";

// Type 1 comes from the library; type 5 stands for a host's own viewer class.
class HostViewerList : public CViewerList {
protected:
    CViewerWnd *CreateViewerObject(UINT nType) override
    {
        if (nType == 5)
            return new TypedViewer(5, "");
        return CViewerList::CreateViewerObject(nType);
    }
};

class ViewerListTest : public ::testing::Test {
protected:
    void SetUp() override { ::RegDeleteTreeA(HKEY_CURRENT_USER, kRoot); }
    void TearDown() override
    {
        list.DeleteAll();
        ::RegDeleteTreeA(HKEY_CURRENT_USER, kRoot);
    }
    void AddKey(const char *pszName, DWORD dwType, DWORD dwStyle, const char *pszInfo)
    {
        const std::string path = std::string(kRoot) + "\\" + pszName;
        ASSERT_EQ(ERROR_SUCCESS,
                  ::RegSetKeyValueA(HKEY_CURRENT_USER, path.c_str(), "Type", REG_DWORD, &dwType, 4));
        ::RegSetKeyValueA(HKEY_CURRENT_USER, path.c_str(), "Style", REG_DWORD, &dwStyle, 4);
        if (pszInfo)
            ::RegSetKeyValueA(HKEY_CURRENT_USER, path.c_str(), "File Info", REG_SZ, pszInfo,
                              DWORD(strlen(pszInfo) + 1));
    }
    HostViewerList list;
};

TEST_F(ViewerListTest, EveryKnownTypeBecomesAViewerAndOnlyUnknownTypesGiveZero)
{
    AddKey("a", 5, 0x02000000, "bmp;dib|Bitmaps (*.bmp)|*.bmp");
    AddKey("b", 5, 0, "png");
    AddKey("c", 5, 0, nullptr);
    AddKey("d", 42, 0, "xyz"); // no such type: nothing added
    AddKey("e", 1, VWS_PANELTABS, "bmp|Bitmaps");
    ASSERT_EQ(1, list.LoadFromRegistry(kRoot));
    ASSERT_EQ(4, list.GetCount());
    const struct {
        UINT nType;
        DWORD dwStyle;
        const char *ext;
        const char *filter;
    } expected[] = {
        {5, 0x02000000, "bmp;dib", "Bitmaps (*.bmp)|*.bmp"},
        {5, 0, "png", ""},
        {5, 0, "", ""},
        {1, VWS_PANELTABS, "bmp", "Bitmaps"},
    };
    POSITION pos = list.GetHeadPosition();
    for (const auto &e : expected) {
        CViewerWnd *pViewer = list.GetNext(pos);
        EXPECT_EQ(e.nType, pViewer->GetType());
        EXPECT_EQ(e.dwStyle, pViewer->GetViewerStyle());
        EXPECT_STREQ(e.ext, pViewer->GetExt());
        EXPECT_STREQ(e.filter, pViewer->GetFilter());
    }
    EXPECT_TRUE(list.GetTail()->IsKindOf(RUNTIME_CLASS(CLeadViewerWnd)));
    list.DeleteAll();
    EXPECT_EQ(0, list.GetCount());
    // Only unknown types, or no key, give 0 and leave the list.
    ::RegDeleteTreeA(HKEY_CURRENT_USER, kRoot);
    list.AddViewer(5, 0, "bmp");
    list.AddViewer(9, 0, "gif"); // unknown: not appended
    EXPECT_EQ(1, list.GetCount());
    EXPECT_EQ(0, list.LoadFromRegistry(kRoot));
    AddKey("a", 42, 0, "xyz");
    EXPECT_EQ(0, list.LoadFromRegistry(kRoot));
    EXPECT_EQ(1, list.GetCount());
}

} // namespace
