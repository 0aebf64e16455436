#include "viewer/PanelPipeline.h"

#include <new>

#include "viewer/PanelImage.h"

using qrv::img::Image;
using qrv::img::Status;

namespace
{
// The size the resampling stage works to: none (the source's) when a
// dimension is out of range, as CPanelImage::Resize takes it.
CSize EffectiveSize(CSize size)
{
    if (size.cx < 1 || size.cy < 1 || size.cx > Image::kMaxDimension || size.cy > Image::kMaxDimension)
        return CSize(0, 0);
    return size;
}
} // namespace

CPanelPipeline::CPanelPipeline() : m_key(), m_bValid(false), m_bPassed(), m_lastStart(stageFilters)
{
}

void CPanelPipeline::Reset()
{
    m_bValid = false;
    m_key.pSource = nullptr;
    for (Image& image : m_kept)
        image.Clear();
}

size_t CPanelPipeline::GetKeptBytes() const
{
    size_t n = 0;
    for (const Image& image : m_kept)
        n += image.Stride() * size_t(image.Height()) + image.Palette().size() * sizeof(qrv::img::Bgra);
    return n;
}

CPanelPipeline::Stage CPanelPipeline::FirstChangedStage(const Key& k) const
{
    const Key& o = m_key;
    if (!m_bValid || k.pSource != o.pSource || k.dwVersion != o.dwVersion || k.nSourceBits != o.nSourceBits ||
        k.nWidth != o.nWidth || k.nHeight != o.nHeight || k.bSmooth != o.bSmooth || k.bBlur != o.bBlur ||
        k.bSharpen != o.bSharpen)
        return stageFilters;
    if (k.nBrightness != o.nBrightness || k.nContrast != o.nContrast)
        return stageTone;
    if (k.bInvert != o.bInvert || k.bFlip != o.bFlip || k.bMirror != o.bMirror)
        return stageGeometry;
    if (k.size != o.size)
        return stageSize;
    return stageReduce;
}

const Image& CPanelPipeline::Output(int n) const
{
    while (n >= 0 && m_bPassed[n])
        --n;
    return n < 0 ? *m_key.pSource : m_kept[n];
}

template <class Apply>
Status CPanelPipeline::RunStage(int n, bool bChanges, Apply apply)
{
    m_bPassed[n] = !bChanges;
    if (!bChanges)
    {
        m_kept[n].Clear();
        return qrv::img::kOk;
    }
    return apply(Output(n - 1), m_kept[n]);
}

Status CPanelPipeline::Build(const Image& source, DWORD dwSourceVersion, const CPanelSettings& s, CSize sizeTarget,
                             Image& out)
{
    if (source.Empty())
    {
        Reset();
        out.Clear();
        return qrv::img::kNoImage;
    }
    const Key key = {&source,   dwSourceVersion, source.BitsPerPixel(), source.Width(), source.Height(),
                     s.bSmooth, s.bBlur,         s.bSharpen,            s.nBrightness,  s.nContrast,
                     s.bInvert, s.bFlip,         s.bMirror,             EffectiveSize(sizeTarget)};
    const Stage first = FirstChangedStage(key);
    m_lastStart = first;
    m_key = key;
    m_bValid = false;
    Status st = qrv::img::kOk;
    try
    {
        if (first <= stageFilters)
            st = RunStage(stageFilters, s.bSmooth || s.bBlur || s.bSharpen, [&](const Image& in, Image& image) {
                image = in;
                return CPanelImage::ApplyFilters(image, s);
            });
        if (st == qrv::img::kOk && first <= stageTone)
            st = RunStage(stageTone, s.nBrightness != 0 || s.nContrast != 0,
                          [&](const Image& in, Image& image) { return CPanelImage::ApplyTone(in, s, image); });
        if (st == qrv::img::kOk && first <= stageGeometry)
            st = RunStage(stageGeometry, s.bInvert || s.bFlip || s.bMirror, [&](const Image& in, Image& image) {
                image = in;
                return CPanelImage::ApplyGeometry(image, s);
            });
        if (st == qrv::img::kOk && first <= stageSize)
            st = RunStage(stageSize, key.size.cx > 0,
                          [&](const Image& in, Image& image) { return CPanelImage::Resize(in, key.size, image); });
        if (st == qrv::img::kOk)
            st = CPanelImage::Reduce(Output(stageSize), CPanelImage::GetReduction(s, source.BitsPerPixel()),
                                     s.pPalPlx508, out);
    }
    catch (const std::bad_alloc&)
    {
        st = qrv::img::kOutOfMemory;
    }
    if (st != qrv::img::kOk)
    {
        Reset();
        out.Clear();
        return st;
    }
    m_bValid = true;
    return st;
}
