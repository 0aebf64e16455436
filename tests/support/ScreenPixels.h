// The client area of a window as the screen shows it, read back once the
// window has painted itself (and its children) completely.
#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

namespace qrvtest {

class ScreenPixels {
public:
    // bRedraw: repaint the window and its children (erasing) first.
    explicit ScreenPixels(HWND hWnd, bool bRedraw = true);
    int Width() const { return m_cx; }
    int Height() const { return m_cy; }
    // The pixel as 0x00RRGGBB.
    uint32_t At(int x, int y) const { return m_pixels[size_t(y) * size_t(m_cx) + size_t(x)]; }
    // The pixel as a COLORREF, to compare with GetSysColor and RGB().
    COLORREF Color(int x, int y) const
    {
        const uint32_t rgb = At(x, y);
        return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
    }
    // True when every pixel of the rectangle has the colour (0x00RRGGBB).
    bool All(const RECT &rc, uint32_t rgb) const;
    // The pixels of the rectangle, as far as it lies in the window, that show the colour.
    int Count(const RECT &rc, COLORREF colour) const;

private:
    int m_cx = 0, m_cy = 0;
    std::vector<uint32_t> m_pixels;
};

} // namespace qrvtest
