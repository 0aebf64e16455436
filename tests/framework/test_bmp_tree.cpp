// The bitmap tree on screen: the picture tiled behind the items with the
// item text over it, the tiles moving with vertical and horizontal scrolling,
// the palettes built for the picture, and the plain tree without a picture.
#include <afxcmn.h>
#include <gtest/gtest.h>
#include <string>
#include "framework/QRVBmpTreeCtrl.h"
#include "resources/resource.h"
#include "tests/support/ScreenPixels.h"
#include "framework_tests_res.h"
#include "uiauto/MessagePump.h"

using namespace qrvtest;

namespace {

// A top-level window holding the tree; it counts the expanding notifications.
class CTreeHost : public CWnd
{
public:
    QRVBmpTreeCtrl m_tree;
    int m_nExpanding = 0;
    HTREEITEM m_hGroup = nullptr;

    BOOL Open(int nItems = 30)
    {
        if (!CreateEx(0, AfxRegisterWndClass(0, nullptr, (HBRUSH)(COLOR_BTNFACE + 1)), "Baum", WS_POPUP | WS_CAPTION, 30, 30, 300, 260, nullptr, nullptr) ||
            !m_tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT, CRect(0, 0, 240, 200), this, IDC_RS_TREE))
            return FALSE;
        m_hGroup = m_tree.InsertItem("Gruppe");
        m_tree.InsertItem("Kind eins", m_hGroup);
        m_tree.InsertItem("Kind zwei", m_hGroup);
        for (int i = 1; i < nItems; ++i)
            m_tree.InsertItem(("Eintrag " + std::to_string(i)).c_str());
        ShowWindow(SW_SHOWNORMAL);
        PumpFor(30);
        return TRUE;
    }
    ~CTreeHost() override { DestroyWindow(); }

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        m_nExpanding += reinterpret_cast<NMHDR*>(lParam)->code == TVN_ITEMEXPANDINGA;
        return CWnd::OnNotify(wParam, lParam, pResult);
    }
};

int CountColour(const ScreenPixels& pixels, const CRect& rc, COLORREF colour)
{
    int n = 0;
    for (int y = rc.top; y < rc.bottom; ++y)
        for (int x = rc.left; x < rc.right; ++x)
            n += pixels.Color(x, y) == colour;
    return n;
}

// Pixels in a strip right of every item's text (left of the scroll bar) that
// do not show what the 16 x 40 test tile (see make_tree_test_bitmaps.py),
// tiled from (x0, y0), shows there.
int Mismatches(HWND hTree, int x0, int y0)
{
    ScreenPixels pixels(hTree);
    int nWrong = 0;
    for (int y = 0; y < pixels.Height(); ++y)
        for (int x = pixels.Width() - 60; x < pixels.Width() - 10; ++x) {
            const int tx = ((x - x0) % 16 + 16) % 16, ty = ((y - y0) % 40 + 40) % 40;
            nWrong += pixels.Color(x, y) != RGB(60 + 4 * ty, 150, 40 + 8 * tx);
        }
    return nWrong;
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
    EXPECT_EQ(0, Mismatches(tree.m_hWnd, 0, 0)) << "tiled in both directions from the first item";
    {
        ScreenPixels pixels(tree.m_hWnd);
        CRect rcText;
        ASSERT_TRUE(tree.GetItemRect(tree.GetNextSiblingItem(tree.GetRootItem()), &rcText, TRUE));
        EXPECT_GT(CountColour(pixels, rcText, ::GetSysColor(COLOR_WINDOWTEXT)), 10) << "the text stays readable";
        EXPECT_EQ(0, CountColour(pixels, CRect(0, 0, pixels.Width(), pixels.Height()), ::GetSysColor(COLOR_WINDOW)))
            << "nothing is left in the window colour";
    }
    const int h = (int)tree.SendMessage(TVM_GETITEMHEIGHT);
    ASSERT_GT(h, 0);
    tree.SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
    PumpFor(30);
    ASSERT_EQ(1, tree.GetScrollPos(SB_VERT));
    EXPECT_EQ(0, Mismatches(tree.m_hWnd, 0, -h)) << "moved up by one item height";
    EXPECT_NE(0, Mismatches(tree.m_hWnd, 0, 0));
    tree.SendMessage(WM_VSCROLL, SB_LINEUP, 0);
    PumpFor(30);
    EXPECT_EQ(0, Mismatches(tree.m_hWnd, 0, 0));

    tree.SelectItem(host.m_hGroup);
    tree.SendMessage(WM_KEYDOWN, VK_RIGHT, 0);
    PumpFor(30);
    EXPECT_TRUE(tree.GetItemState(host.m_hGroup, TVIS_EXPANDED) & TVIS_EXPANDED);
    EXPECT_EQ(1, host.m_nExpanding) << "the parent is told";
    EXPECT_EQ(0, Mismatches(tree.m_hWnd, 0, 0)) << "expanding keeps the picture in place";

    tree.SendMessage(WM_HSCROLL, SB_LINERIGHT, 0);
    tree.SendMessage(WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 5), 0);   // off the tile grid
    PumpFor(30);
    const int pos = tree.GetScrollPos(SB_HORZ);
    ASSERT_GT(pos % 16, 0) << pos;
    EXPECT_EQ(0, Mismatches(tree.m_hWnd, -pos, 0));
    EXPECT_NE(0, Mismatches(tree.m_hWnd, 0, 0));

    ASSERT_NE(nullptr, tree.GetPalette());
    tree.SetBitmap(IDB_RS_ABSENT);
    EXPECT_EQ(nullptr, tree.GetPalette());
    ScreenPixels pixels(tree.m_hWnd);
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
    ASSERT_NE(nullptr, pPal = host.m_tree.GetPalette());
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
