// Doubles for the image viewer's tests: a source control that journals how a
// file is loaded and can stand for a file it never reads, a viewer that uses
// it and reaches the pipeline's protected steps, palettes and pictures.
#pragma once
#include <afxwin.h>

#include <memory>
#include <string>
#include <vector>

#include "imaging/Image.h"
#include "viewer/Lead.h"
#include "viewer/LeadFrame.h"
#include "viewer/LeadViewerWnd.h"

namespace viewertest {

using Journal = std::vector<std::string>;

// Journals the loading calls, then runs the real control. Info answers can
// be forced to stand for a file the control never reads.
class RecordingLead : public CLead
{
public:
    explicit RecordingLead(Journal* pJournal) : m_pJournal(pJournal) {}

    struct FakeInfo {
        short nFormat = 0;
        float fWidth = 0, fHeight = 0;
        long nXRes = 0, nYRes = 0;
    };
    // GetFileInfo answers 0 and the Info... getters these values.
    void FakeFileInfo(const FakeInfo& info) { m_bFakeInfo = true; m_fake = info; }

    short Load(LPCSTR pszFileName, short nBits, long nPage, long nPages) override;
    short GetFileInfo(LPCSTR pszFileName, long nPage, long nFlags) override;
    short GetInfoFormat() override;
    float GetInfoWidth() override;
    float GetInfoHeight() override;
    long GetInfoXRes() override;
    long GetInfoYRes() override;
    void SetWMFResolution(long nDpi) override;

private:
    void Log(const std::string& s) { if (m_pJournal) m_pJournal->push_back(s); }
    Journal* m_pJournal;
    bool m_bFakeInfo = false;
    FakeInfo m_fake;
};

// The image viewer over a recording source control journalling into sourceLog.
class TestViewer : public CLeadViewerWnd
{
public:
    explicit TestViewer(DWORD dwStyle = 0, bool bMissingControl = false)
        : CLeadViewerWnd(dwStyle), m_bMissingControl(bMissingControl) {}

    Journal sourceLog;

    using CLeadViewerWnd::UpdatePanelImage;
    void SetFitSize(CSize size) { m_sizeFit = size; }
    RecordingLead* Source() { return static_cast<RecordingLead*>(GetSourceCtrl()); }

protected:
    CLead* CreateLeadCtrl() override
    {
        return m_bMissingControl ? nullptr : new RecordingLead(&sourceLog);
    }

private:
    bool m_bMissingControl;
};

// The entries of a journal that start with one of the prefixes, in order.
Journal Only(const Journal& journal, const std::vector<std::string>& prefixes);

// Panel palettes of 16, 256 and 8 colours and a Plx508 palette, all distinct.
struct TestPalettes {
    TestPalettes();
    unsigned long pal16[16];
    unsigned long pal256[256];
    unsigned long plx508[256];
    unsigned long pal8[8];
};

// True when the panel control shows the panel image of the viewer's source
// and settings at the size it shows.
bool PanelShowsItsSettings(CLeadViewerWnd& viewer);

// A w x h 24-bit image whose pixels run through n distinct colours.
qrv::img::Image ColorfulImage(int w, int h, int n);
// A w x h indexed image of the given depth, pixel (x + y) mod 2^bits.
qrv::img::Image IndexedImage(int w, int h, int bits);
// A temporary folder of the test program, created on first use, ending in a backslash.
std::string TempFolder();

}  // namespace viewertest
