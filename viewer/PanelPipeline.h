// CPanelPipeline: the panel image of CPanelImage, built again from the first
// stage that a change affects. It keeps the result of each stage before the
// colour reduction: after the filters, after brightness and contrast, after
// invert, flip and mirror (each only when the stage changed the image; else it
// passes its input on without a copy) and after resampling. A change of the
// source image (another image, or its version), of the size or of a stage's
// settings drops the kept results from that stage on. At most three images of
// the source's size and one of the target size are kept.
//
// The result is byte for byte the one of CPanelImage::Build.
#pragma once
#include <afxwin.h>

#include "imaging/Image.h"
#include "viewer/PanelSettings.h"

class AFX_EXT_CLASS CPanelPipeline
{
public:
    // The stages in their fixed order.
    enum Stage { stageFilters = 0, stageTone, stageGeometry, stageSize, stageReduce, stageCount };

    CPanelPipeline();

    // The panel image of source into out, as CPanelImage::Build makes it.
    // dwSourceVersion names the source's contents: the caller changes it
    // whenever the image changes in place.
    qrv::img::Status Build(const qrv::img::Image& source, DWORD dwSourceVersion, const CPanelSettings& settings,
                           CSize sizeTarget, qrv::img::Image& out);
    // Drops every kept result.
    void Reset();

    // The stage the last Build started from.
    Stage GetLastStart() const { return m_lastStart; }
    // Bytes of pixels and colour tables the kept results hold.
    size_t GetKeptBytes() const;

private:
    struct Key
    {
        const qrv::img::Image* pSource;
        DWORD dwVersion;
        int nSourceBits, nWidth, nHeight;
        int bSmooth, bBlur, bSharpen;
        int nBrightness, nContrast;
        int bInvert, bFlip, bMirror;
        CSize size;
    };

    Stage FirstChangedStage(const Key& key) const;
    // Runs stage n on the kept input: into its own image when it changes
    // the image, else handing the input on.
    template <class Apply>
    qrv::img::Status RunStage(int n, bool bChanges, Apply apply);
    const qrv::img::Image& Output(int n) const;

    Key m_key;
    bool m_bValid;
    // The kept result of each stage before the reduction, and whether the
    // stage passed its input on.
    qrv::img::Image m_kept[stageReduce];
    bool m_bPassed[stageReduce];
    Stage m_lastStart;
};
