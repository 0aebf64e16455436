#include "tests/viewer/LeadTestSupport.h"

#include <cstring>

#include "imaging/DibWriter.h"
#include "uiauto/MessagePump.h"

namespace leadtest {

HostWindow::HostWindow(int cx, int cy)
{
    RECT rc = {0, 0, cx, cy};
    ::AdjustWindowRectEx(&rc, WS_POPUP, FALSE, 0);
    CreateEx(0, AfxRegisterWndClass(0, nullptr, (HBRUSH)::GetStockObject(BLACK_BRUSH)), "host",
             WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 40, 40, rc.right - rc.left,
             rc.bottom - rc.top, nullptr, nullptr);
    qrvtest::PumpFor(20);
}

HostWindow::~HostWindow()
{
    if (m_hWnd)
        DestroyWindow();
}

HGLOBAL MakeDib(const qrv::img::Image& image, uint32_t headerSize, int bitCount,
                uint32_t compression, bool topDown)
{
    qrv::img::DibWriteOptions o;
    o.headerSize = headerSize;
    o.bitCount = bitCount;
    o.compression = compression;
    o.topDown = topDown;
    std::vector<uint8_t> dib;
    if (qrv::img::DibWriter::Write(image, dib, o) != qrv::img::kOk)
        return nullptr;
    HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE, dib.size());
    std::memcpy(::GlobalLock(h), dib.data(), dib.size());
    ::GlobalUnlock(h);
    return h;
}

qrv::img::Image SolidImage(int w, int h, uint32_t rgb)
{
    qrv::img::Image img;
    img.Create(w, h, 24);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint8_t* p = img.Row(y) + 3 * x;
            p[0] = uint8_t(rgb);
            p[1] = uint8_t(rgb >> 8);
            p[2] = uint8_t(rgb >> 16);
        }
    return img;
}

}  // namespace leadtest
