#include "ScreenPixels.h"
#include "uiauto/MessagePump.h"

namespace qrvtest {

ScreenPixels::ScreenPixels(HWND hWnd, bool bRedraw)
{
    if (bRedraw)
        ::RedrawWindow(hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpFor(50);
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
    bmi.bmiHeader.biHeight = -m_cy;  // top-down rows
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
    for (size_t i = 0; p && i < m_pixels.size(); ++i)
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

}  // namespace qrvtest
