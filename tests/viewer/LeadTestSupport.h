// Windows and DIBs for the imaging control's tests: a visible top-level host window of a given
// client size, and DIBs and images of given layouts.
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

// A movable global DIB of the image in the given layout (caller frees).
HGLOBAL MakeDib(const qrv::img::Image& image, uint32_t headerSize = 40, int bitCount = 0,
                uint32_t compression = 0, bool topDown = false);

// A w x h image of one colour (0x00RRGGBB) at 24 bits.
qrv::img::Image SolidImage(int w, int h, uint32_t rgb);

}  // namespace leadtest
