// Windows, pixels and DIBs for the imaging control's tests: a visible top-level host window of
// a given client size, and what a window shows read back from the screen.
#pragma once
#include <afxwin.h>

#include <cstdint>
#include <vector>

#include "imaging/Image.h"

namespace leadtest {

// A visible, undecorated top-level window whose client area is cx x cy.
class HostWindow : public CWnd
{
public:
    HostWindow(int cx, int cy);
    ~HostWindow() override;
};

// The client area of a window as the screen shows it, 0x00RRGGBB per pixel.
class ScreenPixels
{
public:
    // bRedraw: repaint the window and its children (erasing) first.
    explicit ScreenPixels(HWND hWnd, bool bRedraw = true);
    int Width() const { return m_cx; }
    int Height() const { return m_cy; }
    uint32_t At(int x, int y) const { return m_pixels[size_t(y) * size_t(m_cx) + size_t(x)]; }
    // True when every pixel of the rectangle has the colour.
    bool All(const RECT& rc, uint32_t rgb) const;

private:
    int m_cx = 0, m_cy = 0;
    std::vector<uint32_t> m_pixels;
};

// A movable global DIB of the image in the given layout (caller frees).
HGLOBAL MakeDib(const qrv::img::Image& image, uint32_t headerSize = 40, int bitCount = 0,
                uint32_t compression = 0, bool topDown = false);

// A w x h image of one colour (0x00RRGGBB) at 24 bits.
qrv::img::Image SolidImage(int w, int h, uint32_t rgb);

}  // namespace leadtest
