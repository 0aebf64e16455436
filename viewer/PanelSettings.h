// CPanelSettings: everything besides the source image and the size that
// decides the panel image: the effects, the dither method, contrast,
// brightness, the Plx508 mode, the colour bits and the four palettes. The
// image viewer, its property pages, the image settings dialog and qrvtool
// carry the settings as this one value and hand it to CPanelImage.
//
// The palettes are the caller's arrays of 0x00BBGGRR colours (8, 16, 256 and
// 256 entries); the value keeps pointers, as the viewer does.
#pragma once
#include <afxwin.h>

struct sPLXDIBINFO;

class AFX_EXT_CLASS CPanelSettings
{
public:
    // Indexes of the dither list, in the order the image page shows it.
    enum Dither {
        ditherNone = 0,
        ditherBayer = 1,
        ditherFloydSteinberg = 2,
        ditherStucki = 3,
        ditherBurke = 4,
        ditherSierra = 5,
        ditherStevensonArce = 6,
        ditherJarvis = 7,
        ditherCount = 8,
    };

    // No effects, Floyd-Steinberg, contrast and brightness 0, 4 colours, no palettes.
    CPanelSettings();

    // The effects, dither, contrast, brightness and Plx508 mode back to the
    // values above; colour bits and palettes stay.
    void ResetEffects();
    // The imaging control's dither code (CLead::crDither...) of a dither
    // index; 0 (none) for an index outside the list.
    static short GetLeadDitherCode(int nDither);
    // The palette the colour reduction takes for a panel of nBits colour
    // bits (the Plx508 one in the Plx508 mode); null where none is given.
    const unsigned long* GetPaletteFor(int nBits) const;
    // The settings part of the clipboard record: dither, colour bits, the low
    // bytes of contrast and brightness and the effect flags.
    void FillRecord(sPLXDIBINFO& info) const;

    bool operator==(const CPanelSettings& other) const;
    bool operator!=(const CPanelSettings& other) const { return !(*this == other); }

    int bSmooth;
    int bInvert;
    int bBlur;
    int bSharpen;
    int bFlip;
    int bMirror;
    int nDither;       // Dither index
    int nContrast;     // the control's units, -1000..1000
    int nBrightness;   // the control's units, -1000..1000
    int bPlx508Mode;
    int nColorBits;    // 1, 2, 3, 4, 8 or 16 (true colour)
    const unsigned long* pPal16;
    const unsigned long* pPal256;
    const unsigned long* pPalPlx508;
    const unsigned long* pPal8;
};
