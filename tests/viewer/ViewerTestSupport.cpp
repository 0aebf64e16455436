#include "tests/viewer/ViewerTestSupport.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include "imaging/DibReader.h"
#include "imaging/DibWriter.h"
#include "viewer/PanelImage.h"

namespace viewertest {

Dib::Dib(const Image &image, uint32_t headerSize, int bitCount, uint32_t compression, bool topDown)
{
    qrv::img::DibWriteOptions o;
    o.headerSize = headerSize;
    o.bitCount = bitCount;
    o.compression = compression;
    o.topDown = topDown;
    std::vector<uint8_t> dib;
    if (qrv::img::DibWriter::Write(image, dib, o) != qrv::img::kOk)
        return;
    m_h = ::GlobalAlloc(GMEM_MOVEABLE, dib.size());
    std::memcpy(::GlobalLock(m_h), dib.data(), dib.size());
    ::GlobalUnlock(m_h);
}

Image TakeDib(void *hDib)
{
    Image img;
    if (HGLOBAL h = static_cast<HGLOBAL>(hDib)) {
        EXPECT_EQ(qrv::img::kOk, qrv::img::DibReader::Read(static_cast<const uint8_t *>(::GlobalLock(h)),
                                                           ::GlobalSize(h), img));
        ::GlobalUnlock(h);
        ::GlobalFree(h);
    }
    return img;
}

Image SolidImage(int w, int h, uint32_t rgb)
{
    return TrueColor(w, h, [rgb](int, int) { return rgb; });
}

Image ColorfulImage(int w, int h, int n)
{
    return TrueColor(w, h, [w, n](int x, int y) {
        const int k = (y * w + x) % n;
        return uint32_t(uint8_t(255 - k * 13)) << 16 | uint32_t(uint8_t(k * 91)) << 8 | uint8_t(k * 37);
    });
}

int MaxDifference(const Image &a, const Image &b)
{
    if (a.Width() != b.Width() || a.Height() != b.Height())
        return 256;
    int d = 0;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x) {
            const qrv::img::Bgra p = a.GetColor(x, y), q = b.GetColor(x, y);
            d = std::max({d, std::abs(p.r - q.r), std::abs(p.g - q.g), std::abs(p.b - q.b)});
        }
    return d;
}

bool PanelShowsItsSettings(CLeadViewerWnd &viewer)
{
    const Image &shown = viewer.GetPanelCtrl()->GetImage();
    Image expected;
    CPanelImage::Build(viewer.GetSourceCtrl()->GetImage(), viewer.GetPanelSettings(),
                       CSize(shown.Width(), shown.Height()), expected);
    return !shown.Empty() && expected == shown;
}

} // namespace viewertest
