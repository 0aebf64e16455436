#include "tests/viewer/ViewerTestSupport.h"

#include <gtest/gtest.h>

#include "tests/support/TestApp.h"

#include "viewer/PanelImage.h"

namespace viewertest {

TestPalettes::TestPalettes()
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

bool PanelShowsItsSettings(CLeadViewerWnd& viewer)
{
    const qrv::img::Image& shown = viewer.GetPanelCtrl()->GetImage();
    qrv::img::Image expected;
    CPanelImage::Build(viewer.GetSourceCtrl()->GetImage(), viewer.GetPanelSettings(),
                       CSize(shown.Width(), shown.Height()), expected);
    return !shown.Empty() && expected == shown;
}

qrv::img::Image ColorfulImage(int w, int h, int n)
{
    qrv::img::Image img;
    img.Create(w, h, 24);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            int k = (y * w + x) % n;
            uint8_t* p = img.Row(y) + 3 * x;
            p[0] = uint8_t(k * 37);
            p[1] = uint8_t(k * 91);
            p[2] = uint8_t(255 - k * 13);
        }
    return img;
}

qrv::img::Image IndexedImage(int w, int h, int bits)
{
    qrv::img::Image img;
    img.Create(w, h, bits);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.SetIndex(x, y, (x + y) % (1 << bits));
    return img;
}

std::string TempFolder()
{
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string name = std::string("viewer-") + (info ? info->test_suite_name() : "") + "." +
                             (info ? info->name() : "");
    static std::string current, folder;
    if (name != current) {
        current = name;
        folder = qrvtest::FreshTempFolder(name) + "\\";
    }
    return folder;
}

}  // namespace viewertest
