#include "viewer/PanelSettings.h"
#include "viewer/Lead.h"
#include "viewer/PlxDibInfo.h"

CPanelSettings::CPanelSettings()
    : nColorBits(2), pPal16(nullptr), pPal256(nullptr), pPalPlx508(nullptr), pPal8(nullptr)
{
    ResetEffects();
}

void CPanelSettings::ResetEffects()
{
    bSmooth = bInvert = bBlur = bSharpen = bFlip = bMirror = 0;
    nDither = ditherFloydSteinberg;
    nContrast = 0;
    nBrightness = 0;
    bPlx508Mode = 0;
}

short CPanelSettings::GetLeadDitherCode(int nDither)
{
    static const short kCodes[ditherCount] = {
        CLead::crDitherNone,   CLead::crDitherOrdered, CLead::crDitherFloydSteinberg, CLead::crDitherStucki,
        CLead::crDitherBurkes, CLead::crDitherSierra,  CLead::crDitherStevensonArce,  CLead::crDitherJarvis,
    };
    return (nDither >= 0 && nDither < ditherCount) ? kCodes[nDither] : short(CLead::crDitherNone);
}

const unsigned long* CPanelSettings::GetPaletteFor(int nBits) const
{
    switch (nBits)
    {
    case 8: return bPlx508Mode && pPalPlx508 ? pPalPlx508 : pPal256;
    case 4: return pPal16;
    case 3: return pPal8;
    default: return nullptr;
    }
}

void CPanelSettings::FillRecord(sPLXDIBINFO& info) const
{
    info.byDither = static_cast<unsigned char>(nDither);
    info.byColorBits = static_cast<unsigned char>(nColorBits);
    info.byContrast = static_cast<unsigned char>(nContrast & 0xFF);
    info.byBrightness = static_cast<unsigned char>(nBrightness & 0xFF);
    info.dwFlags = (bSmooth ? PLXDIB_SMOOTH : 0) | (bInvert ? PLXDIB_INVERT : 0) | (bBlur ? PLXDIB_BLUR : 0)
                   | (bSharpen ? PLXDIB_SHARPEN : 0) | (bFlip ? PLXDIB_FLIP : 0) | (bMirror ? PLXDIB_MIRROR : 0);
}

bool CPanelSettings::operator==(const CPanelSettings& o) const
{
    return bSmooth == o.bSmooth && bInvert == o.bInvert && bBlur == o.bBlur && bSharpen == o.bSharpen
           && bFlip == o.bFlip && bMirror == o.bMirror && nDither == o.nDither && nContrast == o.nContrast
           && nBrightness == o.nBrightness && bPlx508Mode == o.bPlx508Mode && nColorBits == o.nColorBits
           && pPal16 == o.pPal16 && pPal256 == o.pPal256 && pPalPlx508 == o.pPalPlx508 && pPal8 == o.pPal8;
}
