// The bitmap tree on screen: the picture tiled behind the items with the
// item text over it, the tiles moving with vertical and horizontal scrolling,
// the palettes built for the picture, and the plain tree without a picture.
#include <afxcmn.h>
#include <gtest/gtest.h>
#include <string>
#include "framework/QRVBmpTreeCtrl.h"
#include "resources/resource.h"
#include "tests/support/ScreenPixels.h"
#include "resize_tests_res.h"
#include "uiauto/MessagePump.h"

using namespace qrvtest;

namespace {

const int kTileWidth = 16, kTileHeight = 40;

// The colour of the test tile at a pixel (see make_tree_test_bitmaps.py).
COLORREF TileColour(int x, int y)
{
    return RGB(60 + 4 * y, 150, 40 + 8 * x);
}

int PositiveMod(int a, int m)
{
    return ((a % m) + m) % m;
}

// What the picture shows at (x, y) when its tiles start at (x0, y0).
COLORREF Expected(int x, int y, int x0, int y0)
{
    return TileColour(PositiveMod(x - x0, kTileWidth), PositiveMod(y - y0, kTileHeight));
}

// A top-level window holding the tree; it counts the expanding notifications.
class CTreeHost : public CWnd
{
public:
    QRVBmpTreeCtrl m_tree;
    int m_nExpanding = 0;
    HTREEITEM m_hGroup = nullptr;

    BOOL Open(int nItems = 30)
    {
        if (!CreateEx(0, AfxRegisterWndClass(0, nullptr, (HBRUSH)(COLOR_BTNFACE + 1)), "Baum", WS_POPUP | WS_CAPTION,
                      30, 30, 300, 260, nullptr, nullptr))
            return FALSE;
        CRect rc(0, 0, 240, 200);
        if (!m_tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT, rc, this,
                           IDC_RS_TREE))
            return FALSE;
        m_hGroup = m_tree.InsertItem("Gruppe");
        m_tree.InsertItem("Kind eins", m_hGroup);
        m_tree.InsertItem("Kind zwei", m_hGroup);
        for (int i = 1; i < nItems; ++i)
            m_tree.InsertItem(("Eintrag " + std::to_string(i)).c_str());
        ShowWindow(SW_SHOWNORMAL);
        UpdateWindow();
        PumpFor(30);
        return TRUE;
    }
    ~CTreeHost() override { DestroyWindow(); }

    int ItemHeight() const { return (int)m_tree.SendMessage(TVM_GETITEMHEIGHT); }

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        BOOL bHandled = CWnd::OnNotify(wParam, lParam, pResult);
        if (reinterpret_cast<NMHDR*>(lParam)->code == TVN_ITEMEXPANDINGA)
            ++m_nExpanding;
        return bHandled;
    }
};

// Pixels in a strip right of every item's text (left of the scroll bar) that do not show what
// the picture, tiled from (x0, y0), shows there.
int Mismatches(const qrvtest::ScreenPixels& pixels, int x0, int y0, int yEnd)
{
    int nWrong = 0;
    for (int y = 0; y < yEnd; ++y)
        for (int x = pixels.Width() - 60; x < pixels.Width() - 10; ++x)
            if (pixels.Color(x, y) != Expected(x, y, x0, y0))
                ++nWrong;
    return nWrong;
}

int CountColour(const qrvtest::ScreenPixels& pixels, const CRect& rc, COLORREF colour)
{
    int n = 0;
    for (int y = rc.top; y < rc.bottom; ++y)
        for (int x = rc.left; x < rc.right; ++x)
            if (pixels.Color(x, y) == colour)
                ++n;
    return n;
}

// The picture tiles the whole tree from the first item with the text over it,
// moves with vertical and horizontal scrolling, stays in place when a group
// expands; an id that does not exist removes it and leaves a plain tree.
TEST(BmpTree, PictureShowsBetweenTheItemsAndFollowsScrollingUntilRemoved)
{
    CTreeHost host;
    ASSERT_TRUE(host.Open());
    QRVBmpTreeCtrl& tree = host.m_tree;
    tree.InsertItem("Ein sehr langer Eintrag, der weit über den rechten Rand des Baumes hinausreicht");
    EXPECT_STREQ("QRVBmpTreeCtrl", tree.GetRuntimeClass()->m_lpszClassName);
    tree.SetBitmap(IDB_RS_TILE24);
    PumpFor(30);
    auto mismatches = [&](int x0, int y0) {
        qrvtest::ScreenPixels pixels(tree.m_hWnd);
        return Mismatches(pixels, x0, y0, pixels.Height());
    };
    EXPECT_EQ(0, mismatches(0, 0)) << "tiled in both directions from the first item";
    {
        qrvtest::ScreenPixels pixels(tree.m_hWnd);
        CRect rcText;
        ASSERT_TRUE(tree.GetItemRect(tree.GetNextSiblingItem(tree.GetRootItem()), &rcText, TRUE));
        EXPECT_GT(CountColour(pixels, rcText, ::GetSysColor(COLOR_WINDOWTEXT)), 10) << "the text stays readable";
        EXPECT_EQ(0, CountColour(pixels, CRect(0, 0, pixels.Width(), pixels.Height()), ::GetSysColor(COLOR_WINDOW)))
            << "nothing is left in the window colour";
    }
    const int h = host.ItemHeight();
    ASSERT_GT(h, 0);
    tree.SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
    PumpFor(30);
    ASSERT_EQ(1, tree.GetScrollPos(SB_VERT));
    EXPECT_EQ(0, mismatches(0, -h)) << "moved up by one item height";
    EXPECT_NE(0, mismatches(0, 0));
    tree.SendMessage(WM_VSCROLL, SB_LINEUP, 0);
    PumpFor(30);
    EXPECT_EQ(0, mismatches(0, 0));

    tree.SelectItem(host.m_hGroup);
    tree.SendMessage(WM_KEYDOWN, VK_RIGHT, 0);
    PumpFor(30);
    EXPECT_TRUE(tree.GetItemState(host.m_hGroup, TVIS_EXPANDED) & TVIS_EXPANDED);
    EXPECT_EQ(1, host.m_nExpanding) << "the parent is told";
    EXPECT_EQ(0, mismatches(0, 0)) << "expanding keeps the picture in place";

    tree.SendMessage(WM_HSCROLL, SB_LINERIGHT, 0);
    tree.SendMessage(WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 5), 0);   // off the tile grid
    PumpFor(30);
    const int pos = tree.GetScrollPos(SB_HORZ);
    ASSERT_GT(pos % kTileWidth, 0) << pos;
    EXPECT_EQ(0, mismatches(-pos, 0));
    EXPECT_NE(0, mismatches(0, 0));

    ASSERT_NE(nullptr, tree.GetPalette());
    tree.SetBitmap(IDB_RS_ABSENT);
    EXPECT_EQ(nullptr, tree.GetPalette());
    qrvtest::ScreenPixels pixels(tree.m_hWnd);
    const CRect strip(pixels.Width() - 60, 0, pixels.Width() - 10, pixels.Height());
    EXPECT_EQ(strip.Width() * strip.Height(), CountColour(pixels, strip, ::GetSysColor(COLOR_WINDOW)));
    tree.Expand(host.m_hGroup, TVE_COLLAPSE);
    tree.SendMessage(WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_EQ(2, host.m_nExpanding);
    HDC hdc = ::GetDC(tree.m_hWnd);
    EXPECT_NE(0, tree.SendMessage(WM_ERASEBKGND, (WPARAM)hdc, 0)) << "the plain tree erases its background itself";
    ::ReleaseDC(tree.m_hWnd, hdc);
}

TEST(BmpTree, PicturesWithAColourTableGetTheirOwnPalette)
{
    CTreeHost host;
    ASSERT_TRUE(host.Open(3));
    EXPECT_EQ(nullptr, host.m_tree.GetPalette()) << "no picture, no palette";
    host.m_tree.SetBitmap(IDB_RS_TILE16);
    CPalette* pPal = host.m_tree.GetPalette();
    ASSERT_NE(nullptr, pPal);
    ASSERT_EQ(16, pPal->GetEntryCount()) << "the used-colour count, not two to the bit depth";
    PALETTEENTRY entry = {};
    pPal->GetPaletteEntries(5, 1, &entry);
    EXPECT_EQ(RGB(185, 125, 50), RGB(entry.peRed, entry.peGreen, entry.peBlue));
    EXPECT_EQ(0, entry.peFlags);
    host.m_tree.SetBitmap(IDB_TREE_BACKGROUND);   // the library's own tile: 8 bits, a full table of 256 colours
    ASSERT_NE(nullptr, host.m_tree.GetPalette());
    EXPECT_EQ(256, host.m_tree.GetPalette()->GetEntryCount());

    host.m_tree.SetBitmap(IDB_RS_TILE24);
    pPal = host.m_tree.GetPalette();
    ASSERT_NE(nullptr, pPal);
    HDC hScreen = ::GetDC(nullptr);
    HPALETTE hHalftone = ::CreateHalftonePalette(hScreen);
    ::ReleaseDC(nullptr, hScreen);
    EXPECT_EQ(::GetPaletteEntries(hHalftone, 0, 0, nullptr), pPal->GetEntryCount()) << "true colour gets the halftone palette";
    PALETTEENTRY mine[8], halftone[8];
    pPal->GetPaletteEntries(40, 8, mine);
    ::GetPaletteEntries(hHalftone, 40, 8, halftone);
    EXPECT_EQ(0, memcmp(mine, halftone, sizeof mine));
    ::DeleteObject(hHalftone);
}

}
