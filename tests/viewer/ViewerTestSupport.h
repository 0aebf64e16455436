// Helpers of the viewer tests: host window, pictures, DIBs, viewers; image files in LeadTestFiles.h.
#pragma once
#include <afxwin.h>
#include <gtest/gtest.h>
#include <cstdint>
#include "imaging/Image.h"
#include "tests/support/TestApp.h"
#include "tests/viewer/LeadTestFiles.h"
#include "viewer/Lead.h"
#include "viewer/LeadViewerWnd.h"

namespace viewertest {

using namespace leadtest;
using qrv::img::Image;
using qrvtest::HostWindow;

// A movable global DIB of the image in the given layout (none if it cannot be written), freed when the
// object goes (a temporary: at the end of the statement).
class Dib {
public:
    explicit Dib(const Image &image, uint32_t headerSize = 40, int bitCount = 0, uint32_t compression = 0,
                 bool topDown = false);
    Dib(const Dib &) = delete;
    ~Dib() { ::GlobalFree(m_h); }
    operator HGLOBAL() const { return m_h; }

private:
    HGLOBAL m_h = nullptr;
};

// The image of a DIB handed out, which is freed; empty without one.
Image TakeDib(void *hDib);

// A w x h image of one colour (0x00RRGGBB) at 24 bits.
Image SolidImage(int w, int h, uint32_t rgb);
// A w x h 24-bit image whose pixels run through n distinct colours.
Image ColorfulImage(int w, int h, int n);
// Largest difference of any channel; 256 when the sizes differ.
int MaxDifference(const Image &a, const Image &b);

// An imaging control on a visible host window, and the image it gets as a DIB.
class LeadTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_lead.Create("", WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 100), &m_host, 1));
    }
    void Put(const Image &image) { ASSERT_EQ(0, m_lead.SetDIB(Dib(image))); }
    HostWindow m_host{120, 120};
    CLead m_lead;
};

// The image viewer with its protected steps reachable, or without an imaging control to create.
class TestViewer : public CLeadViewerWnd {
public:
    explicit TestViewer(DWORD dwStyle = 0, bool bMissingControl = false)
        : CLeadViewerWnd(dwStyle), m_bMissingControl(bMissingControl)
    {
    }
    using CLeadViewerWnd::UpdatePanelImage;
    void SetFitSize(CSize size) { m_sizeFit = size; }

protected:
    CLead *CreateLeadCtrl() override
    {
        return m_bMissingControl ? nullptr : CLeadViewerWnd::CreateLeadCtrl();
    }

private:
    bool m_bMissingControl;
};

// True when the panel control shows the panel image of the viewer's source and settings.
bool PanelShowsItsSettings(CLeadViewerWnd &viewer);

// The image viewer under a host's own type number.
class TypedViewer : public CLeadViewerWnd {
public:
    TypedViewer(DWORD nType, const char *pszFileInfo)
    {
        m_dwType = nType;
        SetFileInfo(pszFileInfo);
    }
};

} // namespace viewertest
