// CPanelImage: the panel image as one pure function of the source image, the
// settings and the target size. The stages run in the system's fixed order:
// copy of the source; smooth, blur, sharpen; brightness and contrast; invert,
// flip, mirror; resampling to the target size; reduction to the panel's
// colour depth and palette (and, in the Plx508 mode, the Plx508 colour table).
// The image viewer, the image settings dialog (through the viewer) and
// qrvtool panel-image all build their panel images here.
#pragma once
#include <afxwin.h>

#include "imaging/Image.h"
#include "viewer/PanelSettings.h"

class CLead;

class AFX_EXT_CLASS CPanelImage
{
public:
    // Strengths the panel preview passes to its filters.
    enum { kSmoothSize = 4, kBlurSize = 4, kSharpenStrength = 800 };

    // The colour reduction of a panel image: the control's ColorRes arguments
    // and the palette loaded as its user palette (null for the control's own).
    struct Reduction
    {
        short nBits;
        short nPaletteFlags;
        short nDither;
        short nColors;
        const unsigned long* pPalette;
        BOOL bPlx508Table;   // the result's colour table becomes the Plx508 palette
    };

    // The reduction for the settings and a source of nSourceBits bits per
    // pixel (an 8-bit panel shows a 16-colour source with its 16 colours).
    static Reduction GetReduction(const CPanelSettings& settings, int nSourceBits);
    // The panel image of source into out. A target size with a dimension
    // below 1 keeps the source's size. A stage whose setting the imaging core
    // refuses is left out, as the control leaves its image then. kOk, or
    // kNoImage / kOutOfMemory with out empty.
    static qrv::img::Status Build(const qrv::img::Image& source, const CPanelSettings& settings, CSize sizeTarget,
                                  qrv::img::Image& out);

    // Loads a file into the source control as the viewer does: metafiles are
    // rasterised to fit 640 x 480 pixels. The control's result code.
    static short LoadSource(CLead& source, LPCSTR pszPath);
    // The dither index a picture loads with: none when its colours fit the
    // panel's colour bits, else Floyd-Steinberg.
    static int GetInitialDither(long nColorCount, int nColorBits);

    // The stages; Build runs them in this order. The filters and the
    // geometry work on the image in place, the others from in into out
    // (which may be in), so that a kept input needs no copy first.
    static qrv::img::Status ApplyFilters(qrv::img::Image& image, const CPanelSettings& settings);
    static qrv::img::Status ApplyTone(const qrv::img::Image& in, const CPanelSettings& settings,
                                      qrv::img::Image& out);
    static qrv::img::Status ApplyGeometry(qrv::img::Image& image, const CPanelSettings& settings);
    static qrv::img::Status Resize(const qrv::img::Image& in, CSize sizeTarget, qrv::img::Image& out);
    static qrv::img::Status Reduce(const qrv::img::Image& in, const Reduction& reduction,
                                   const unsigned long* pPalPlx508, qrv::img::Image& out);
};
