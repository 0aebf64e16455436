#include "ScreenPixels.h"
#include <algorithm>
#include "uiauto/CapturePixels.h"
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
    HDC hdcWnd = ::GetDC(hWnd);
    m_pixels = CapturePixels(hdcWnd, 0, 0, m_cx, m_cy);
    ::ReleaseDC(hWnd, hdcWnd);
    m_pixels.resize(size_t(m_cx) * size_t(m_cy), 0);
}

bool ScreenPixels::All(const RECT &rc, uint32_t rgb) const
{
    for (int y = rc.top; y < rc.bottom; ++y)
        for (int x = rc.left; x < rc.right; ++x)
            if (At(x, y) != rgb)
                return false;
    return true;
}

int ScreenPixels::Count(const RECT &rc, COLORREF colour) const
{
    int n = 0;
    for (int y = std::max(0, int(rc.top)); y < rc.bottom && y < m_cy; ++y)
        for (int x = std::max(0, int(rc.left)); x < rc.right && x < m_cx; ++x)
            n += Color(x, y) == colour;
    return n;
}

} // namespace qrvtest
