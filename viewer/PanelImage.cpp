#include "viewer/PanelImage.h"

#include <new>
#include <vector>

#include "imaging/ColorReducer.h"
#include "imaging/Effects.h"
#include "imaging/Resampler.h"
#include "viewer/Lead.h"

using qrv::img::Image;
using qrv::img::Status;

namespace
{
// Metafiles are rasterised to fit a picture of this size.
const long kMetafileWidth = 640;
const long kMetafileHeight = 480;

// A refused setting leaves the stage out, as it leaves the control's image;
// only a lack of memory ends the build.
Status Keep(Status s)
{
    return s == qrv::img::kOutOfMemory ? s : qrv::img::kOk;
}

// A stage from in into out that changes nothing hands its input on.
Status Pass(const Image& in, Image& out)
{
    if (&out != &in)
        out = in;
    return qrv::img::kOk;
}

// The same for a stage whose setting the core refused.
Status KeepOrPass(const Image& in, Status s, Image& out)
{
    if (s != qrv::img::kOk && s != qrv::img::kOutOfMemory)
        Pass(in, out);
    return Keep(s);
}
} // namespace

CPanelImage::Reduction CPanelImage::GetReduction(const CPanelSettings& s, int nSourceBits)
{
    int nBits = s.nColorBits;
    // A 16-colour picture stays within the panel's 16-colour palette.
    if (nBits == 8 && nSourceBits == 4)
        nBits = 4;
    const short nDither = CPanelSettings::GetLeadDitherCode(s.nDither);
    if (nBits == 8 && s.pPal256)
    {
        // The Plx508 mode is never dithered: its table is the panel's own.
        if (s.bPlx508Mode && s.pPalPlx508)
            return {8, CLead::crUserPalette, CLead::crDitherNone, 256, s.pPalPlx508, TRUE};
        return {8, CLead::crUserPalette, nDither, 256, s.pPal256, FALSE};
    }
    if (nBits == 4 && s.pPal16)
        return {4, CLead::crUserPalette, nDither, 16, s.pPal16, FALSE};
    if (nBits == 16)
        return {24, CLead::crBgrOrder, CLead::crDitherNone, 0, nullptr, FALSE};
    if (nBits == 3 && s.pPal8)
        return {3, CLead::crUserPalette, nDither, 8, s.pPal8, FALSE};
    const short nColors = static_cast<short>((nBits >= 0 && nBits < 16) ? (1 << nBits) : 0);
    return {static_cast<short>(nBits), CLead::crFixedPalette, nDither, nColors, nullptr, FALSE};
}

Status CPanelImage::ApplyFilters(Image& image, const CPanelSettings& s)
{
    Status st = qrv::img::kOk;
    if (s.bSmooth && st == qrv::img::kOk)
        st = Keep(qrv::img::Effects::Median(image, kSmoothSize));
    if (s.bBlur && st == qrv::img::kOk)
        st = Keep(qrv::img::Effects::Average(image, kBlurSize));
    if (s.bSharpen && st == qrv::img::kOk)
        st = Keep(qrv::img::Effects::Sharpen(image, kSharpenStrength));
    return st;
}

Status CPanelImage::ApplyTone(const Image& in, const CPanelSettings& s, Image& out)
{
    // The control takes both as shorts; 0 changes no pixel. Brightness and
    // contrast are tables of channel values, applied as one.
    const short nBrightness = static_cast<short>(s.nBrightness);
    const short nContrast = static_cast<short>(s.nContrast);
    uint8_t table[256], step[256];
    for (int v = 0; v < 256; v++)
        table[v] = static_cast<uint8_t>(v);
    bool bChanges = false;
    // A refused value leaves its table out, as the control leaves its image.
    auto follow = [&](bool bSet, Status stStep) {
        if (!bSet || stStep != qrv::img::kOk)
            return;
        for (uint8_t& v : table)
            v = step[v];
        bChanges = true;
    };
    follow(nBrightness != 0, qrv::img::Effects::IntensityTable(nBrightness, step));
    follow(nContrast != 0, qrv::img::Effects::ContrastTable(nContrast, step));
    if (!bChanges)
        return Pass(in, out);
    return KeepOrPass(in, qrv::img::Effects::ApplyTable(in, table, out), out);
}

Status CPanelImage::ApplyGeometry(Image& image, const CPanelSettings& s)
{
    Status st = qrv::img::kOk;
    if (s.bInvert)
        st = Keep(qrv::img::Effects::Invert(image));
    if (s.bFlip && st == qrv::img::kOk)
        st = Keep(qrv::img::Effects::Flip(image));
    if (s.bMirror && st == qrv::img::kOk)
        st = Keep(qrv::img::Effects::Reverse(image));
    return st;
}

Status CPanelImage::Resize(const Image& in, CSize size, Image& out)
{
    if (size.cx < 1 || size.cy < 1 || size.cx > Image::kMaxDimension || size.cy > Image::kMaxDimension)
        return Pass(in, out);
    return KeepOrPass(in, qrv::img::Resampler::Size(in, size.cx, size.cy, CLead::sizeResample, out), out);
}

Status CPanelImage::Reduce(const Image& in, const Reduction& r, const unsigned long* pPalPlx508, Image& out)
{
    std::vector<uint32_t> palette;
    if (r.pPalette)
    {
        const int nEntries = r.nBits == 3 ? 8 : 1 << r.nBits;
        palette.reserve(size_t(nEntries));
        for (int i = 0; i < nEntries; i++)
            palette.push_back(uint32_t(r.pPalette[i] & 0xFFFFFF));
    }
    const Status st =
        qrv::img::ColorReducer::ColorRes(in, r.nBits, r.nPaletteFlags, r.nDither, r.nColors, palette, out);
    if (st == qrv::img::kOk && r.bPlx508Table && pPalPlx508 && out.BitsPerPixel() == 8)
    {
        // The panel shows the Plx508 palette entry for entry, whatever
        // colours the reduction put into the table.
        std::vector<qrv::img::Bgra>& table = out.Palette();
        for (size_t i = 0; i < table.size() && i < 256; i++)
        {
            const qrv::img::Bgra c = qrv::img::ColorRefToBgra(uint32_t(pPalPlx508[i]));
            table[i].b = c.b;
            table[i].g = c.g;
            table[i].r = c.r;
        }
    }
    return KeepOrPass(in, st, out);
}

Status CPanelImage::Build(const Image& source, const CPanelSettings& s, CSize sizeTarget, Image& out)
{
    if (source.Empty())
    {
        out.Clear();
        return qrv::img::kNoImage;
    }
    Status st;
    try
    {
        out = source;
        st = ApplyFilters(out, s);
        if (st == qrv::img::kOk)
            st = ApplyTone(out, s, out);
        if (st == qrv::img::kOk)
            st = ApplyGeometry(out, s);
        if (st == qrv::img::kOk)
            st = Resize(out, sizeTarget, out);
        if (st == qrv::img::kOk)
            st = Reduce(out, GetReduction(s, source.BitsPerPixel()), s.pPalPlx508, out);
    }
    catch (const std::bad_alloc&)
    {
        st = qrv::img::kOutOfMemory;
    }
    if (st != qrv::img::kOk)
        out.Clear();
    return st;
}

short CPanelImage::LoadSource(CLead& source, LPCSTR pszPath)
{
    source.SetWMFResolution(0);
    const short nResult = source.GetFileInfo(pszPath, 1, 0);
    if (nResult != CLead::errNone)
        return nResult;
    source.GetFileInfo(pszPath, 0, 1);
    const short nFormat = source.GetInfoFormat();
    if (nFormat == CLead::fmtWmf || nFormat == CLead::fmtEmf)
    {
        const long nWidth = static_cast<long>(source.GetInfoWidth());
        const long nHeight = static_cast<long>(source.GetInfoHeight());
        if (nWidth != 0 && nHeight != 0)
        {
            const long nX = source.GetInfoXRes() * kMetafileWidth / nWidth;
            const long nY = source.GetInfoYRes() * kMetafileHeight / nHeight;
            source.SetWMFResolution(nX < nY ? nX : nY);
        }
    }
    return source.Load(pszPath, 0, 1, 1);
}

int CPanelImage::GetInitialDither(long nColorCount, int nColorBits)
{
    const long long nLimit = nColorBits < 0 ? 0 : nColorBits >= 62 ? (1LL << 62) : (1LL << nColorBits);
    return nColorCount <= nLimit ? CPanelSettings::ditherNone : CPanelSettings::ditherFloydSteinberg;
}
