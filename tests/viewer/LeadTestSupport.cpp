#include "tests/viewer/LeadTestSupport.h"

#include <cstring>

#include "imaging/DibWriter.h"
#include "tests/support/MessagePump.h"

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

ScreenPixels::ScreenPixels(HWND hWnd, bool bRedraw)
{
    if (bRedraw)
        ::RedrawWindow(hWnd, nullptr, nullptr,
                       RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    qrvtest::PumpFor(30);
    RECT rc;
    ::GetClientRect(hWnd, &rc);
    m_cx = rc.right;
    m_cy = rc.bottom;
    if (m_cx <= 0 || m_cy <= 0)
        return;
    m_pixels.assign(size_t(m_cx) * size_t(m_cy), 0);
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = m_cx;
    bmi.bmiHeader.biHeight = -m_cy;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC hdcWnd = ::GetDC(hWnd);
    HDC hdcMem = ::CreateCompatibleDC(hdcWnd);
    HBITMAP hbm = ::CreateDIBSection(hdcWnd, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = ::SelectObject(hdcMem, hbm);
    ::BitBlt(hdcMem, 0, 0, m_cx, m_cy, hdcWnd, 0, 0, SRCCOPY);
    ::GdiFlush();
    const uint32_t* p = static_cast<const uint32_t*>(bits);
    for (size_t i = 0; i < m_pixels.size(); ++i)
        m_pixels[i] = p[i] & 0xFFFFFF;
    ::SelectObject(hdcMem, old);
    ::DeleteObject(hbm);
    ::DeleteDC(hdcMem);
    ::ReleaseDC(hWnd, hdcWnd);
}

bool ScreenPixels::All(const RECT& rc, uint32_t rgb) const
{
    for (int y = rc.top; y < rc.bottom; ++y)
        for (int x = rc.left; x < rc.right; ++x)
            if (At(x, y) != rgb)
                return false;
    return true;
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
