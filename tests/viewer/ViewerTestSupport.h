// Helpers of the image viewer's tests: a viewer that reaches the pipeline's
// protected steps, palettes, pictures and a folder per test.
#pragma once
#include <afxwin.h>

#include <memory>
#include <string>
#include <vector>

#include "imaging/Image.h"
#include "viewer/Lead.h"
#include "viewer/LeadFrame.h"
#include "viewer/LeadViewerWnd.h"

namespace viewertest {

// The image viewer with its pipeline's protected steps reachable, or without
// an imaging control to create.
class TestViewer : public CLeadViewerWnd
{
public:
    explicit TestViewer(DWORD dwStyle = 0, bool bMissingControl = false)
        : CLeadViewerWnd(dwStyle), m_bMissingControl(bMissingControl) {}

    using CLeadViewerWnd::UpdatePanelImage;
    void SetFitSize(CSize size) { m_sizeFit = size; }

protected:
    CLead* CreateLeadCtrl() override { return m_bMissingControl ? nullptr : CLeadViewerWnd::CreateLeadCtrl(); }

private:
    bool m_bMissingControl;
};

// Panel palettes of 16, 256 and 8 colours and a Plx508 palette, all distinct.
struct TestPalettes {
    TestPalettes();
    unsigned long pal16[16];
    unsigned long pal256[256];
    unsigned long plx508[256];
    unsigned long pal8[8];
};

// True when the panel control shows the panel image of the viewer's source
// and settings at the size it shows.
bool PanelShowsItsSettings(CLeadViewerWnd& viewer);

// A w x h 24-bit image whose pixels run through n distinct colours.
qrv::img::Image ColorfulImage(int w, int h, int n);
// A w x h indexed image of the given depth, pixel (x + y) mod 2^bits.
qrv::img::Image IndexedImage(int w, int h, int bits);
// The running test's own temporary folder, emptied on its first use in the
// test, ending in a backslash.
std::string TempFolder();

}  // namespace viewertest
