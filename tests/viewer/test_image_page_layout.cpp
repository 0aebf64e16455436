// The sheet shows every page at the blank page's size, which is narrower than
// the image page's template: each control of the image and panel pages must
// still lie whole inside the page the user sees.
#include <gtest/gtest.h>

#include <string>

#include "uiauto/MessagePump.h"
#include "tests/viewer/LeadTestSupport.h"
#include "tests/viewer/ViewerTestSupport.h"
#include "viewer/LeadViewerPpg.h"
#include "viewer/ViewerPanelPpg.h"
#include "viewer/ViewerPps.h"

namespace {

// The controls of pPage that stick out of its window, by id.
std::string ControlsOutside(CWnd* pPage)
{
    CRect rcPage;
    pPage->GetWindowRect(&rcPage);
    std::string outside;
    for (HWND hChild = ::GetWindow(pPage->m_hWnd, GW_CHILD); hChild; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        CRect rc;
        ::GetWindowRect(hChild, &rc);
        if (!::IsWindowVisible(hChild))
            continue;
        CRect both;
        both.IntersectRect(&rc, &rcPage);
        if (both != rc)
            outside += std::to_string(::GetDlgCtrlID(hChild)) + " ";
    }
    return outside;
}

}  // namespace

TEST(ImagePageLayout, EveryControlFitsThePageTheSheetShows)
{
    leadtest::HostWindow host{600, 500};
    viewertest::TestViewer viewer;
    ASSERT_TRUE(viewer.Create(WS_VISIBLE, CRect(0, 0, 200, 150), &host, 1000));
    HGLOBAL hDib = leadtest::MakeDib(leadtest::SolidImage(32, 24, 0x808080));
    viewer.SetImage(hDib);
    ::GlobalFree(hDib);
    static const unsigned long plx508[256] = {};
    viewer.SetColorInfo(8, nullptr, nullptr, plx508, nullptr);   // with the Plx5 box

    CStringArray names;
    names.Add("16 Farben");
    names.Add("256 Farben");
    CViewerPps sheet(&names, "", &host, 0);
    sheet.EnableSizeToPage(1);
    ASSERT_TRUE(sheet.Create(&host, WS_CHILD | WS_VISIBLE | DS_3DLOOK | DS_SETFONT, 0));
    sheet.SetCurViewer(&viewer);
    sheet.SetActivePage(0);
    qrvtest::PumpFor(50);
    ASSERT_NE(nullptr, viewer.GetImagePage()->GetSafeHwnd());
    EXPECT_EQ("", ControlsOutside(viewer.GetImagePage()));
    sheet.SetActivePage(1);
    qrvtest::PumpFor(20);
    ASSERT_NE(nullptr, viewer.GetPanelPage()->GetSafeHwnd());
    EXPECT_EQ("", ControlsOutside(viewer.GetPanelPage()));

    sheet.DestroyWindow();
    sheet.RemoveAllPages();
    viewer.RemovePropertyPages(&sheet);
}
